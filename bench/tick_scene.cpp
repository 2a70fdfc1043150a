// The game in play.
#include "bench/tick_scene.h"

#include "bench/canvas.h"

namespace bench {
namespace {

constexpr std::int16_t startingLives = 3;

} // namespace

TickScene::TickScene(int snakeLength, int wallCount)
{
    game::Form1 &form = window.form;
    for (int i = 1; i < snakeLength; ++i)
        form.Image1.setVisible(form.Image1.create(), true);
    const auto walls = grid::blocksOn(grid::serpentine(29, 10), wallCount);
    for (const levelfile::Block &block : walls) {
        const int k = form.Image3.create();
        form.Image3.setTop(k, block.top);
        form.Image3.setLeft(k, block.left);
        form.Image3.setVisible(k, true);
    }
    for (int f = 1; f <= 4; ++f) {
        const int item = form.Image2.create();
        grid::place(form.Image2, item, {10 + f, 20});
        form.Image2.setVisible(item, true);
    }
    form.lives = startingLives;
    form.Timer1.setInterval(80);
    restart();
}

void TickScene::placeSnake()
{
    platform::SpriteCollection &snake = window.form.Image1;
    grid::place(snake, 0, path.front());
    for (int i = 1; i < snake.size(); ++i)
        grid::place(snake, i, body[static_cast<std::size_t>(i - 1) % body.size()]);
}

void TickScene::restart()
{
    placeSnake();
    step = 0;
    Canvas::takeChanges(playfield());
}

void TickScene::steer(grid::Cell from, grid::Cell to)
{
    game::Form1 &form = window.form;
    const bool across = to.row == from.row;
    form.horiz = across ? 1 : 0;
    form.vert = across ? 0 : 1;
    if (across)
        form.dirx = static_cast<std::int16_t>(to.column - from.column);
    else
        form.diry = static_cast<std::int16_t>(to.row - from.row);
}

QRegion TickScene::tick()
{
    steer(path[static_cast<std::size_t>(step)], path[static_cast<std::size_t>(step) + 1]);
    window.form.Timer1_Timer();
    ++step;
    return Canvas::takeChanges(playfield());
}

std::string TickScene::fault() const
{
    const game::Form1 &form = window.form;
    const grid::Cell expected = path[static_cast<std::size_t>(step)];
    constexpr int size = platform::SpriteCollection::spriteSize;
    if (form.lives != startingLives || form.Image1.left(0) != expected.column * size ||
        form.Image1.top(0) != expected.row * size)
        return "the snake left its path";
    return {};
}

} // namespace bench
