// A game window over a program folder whose level 0 holds the blocks given,
// for the level setup and the reading of level files.
#pragma once

#include "bench/game_window.h"
#include "levelfile/level_file.h"
#include "temp_program_folder.h"

#include <string>
#include <vector>

namespace bench {

class LevelScene
{
public:
    explicit LevelScene(const std::vector<levelfile::Block> &blocks);

    // 900 walls, on every cell of the field, where every food item lands on
    // a wall and so does every cell the repair tries: the wall under the food
    // comes last and its neighbours just before it, so that each repair step
    // scans nearly all the walls before it finds the one in its way.
    static std::vector<levelfile::Block> foodOnWalls();

    // Each followed by the flush of the playfield that it causes.
    void setupLevel();
    void loadLevel();
    // The bare read of the file, what the level setup cannot do without.
    std::size_t readLevel() const;

    // Empty while the walls and the food are where they should be.
    std::string fault() const;

private:
    TempProgramFolder folder;
    std::size_t blockCount;
    GameWindow window{folder.path()};
};

} // namespace bench
