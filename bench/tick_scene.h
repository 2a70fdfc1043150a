// A game in play, set up directly: a snake of any length that runs without
// crashing, over any number of walls, with four food items out of its way.
//
// The head runs a serpentine through rows 9 up to 0, a fresh cell on every
// tick. The body starts in rows 10 to 29, laid in the same kind of serpentine
// from the cell below the head and round again where it is longer than those
// 600 cells; every body sprite moves on every tick, as in a real game. The
// walls lie on rows 29 back to 10, round again when there are more than 600,
// and the food on row 20: none of them on the head's path.
#pragma once

#include "bench/game_window.h"
#include "bench/grid.h"

#include <QRegion>

#include <string>
#include <vector>

namespace bench {

class TickScene
{
public:
    TickScene(int snakeLength, int wallCount);

    // One tick, steered along the path, and the flush that follows it; the
    // region of the playfield it asks to repaint.
    QRegion tick();
    // The ticks the path allows before restart() must put the snake back.
    int ticksPerRound() const { return static_cast<int>(path.size()) - 1; }
    void restart();
    // Empty while the snake runs as it should.
    std::string fault() const;

    platform::Playfield &playfield() { return *window.form.Picture1; }

private:
    void placeSnake();
    void steer(grid::Cell from, grid::Cell to);

    GameWindow window{{}};
    const std::vector<grid::Cell> path = grid::serpentine(9, 0);
    const std::vector<grid::Cell> body = grid::serpentine(10, 29);
    int step = 0;
};

} // namespace bench
