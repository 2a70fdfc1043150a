// Levels: the snake's start, preparing a level (its walls and four food
// items on cells free of walls), the next level and the next stage.
#include "game/form1.h"

#include "levelfile/grid.h"
#include "levelfile/int16.h"
#include "levelfile/level_file.h"
#include "platform/clock_random.h"

#include <QLabel>

#include <cmath>

namespace game {
namespace {

using levelfile::wrapInt16;

// A random coordinate of a food cell: a pixel drawn from those of the food
// cells, snapped to its cell, so that each cell is as likely.
std::int16_t randomCoordinate(platform::RandomSource &random)
{
    constexpr int pixels = grid::lastFood + grid::cell - grid::firstFood;
    const int drawn = static_cast<int>(std::floor(random.next() * pixels)) + grid::firstFood;
    return grid::snap(drawn);
}

} // namespace

void Form1::load_level()
{
    Image3.destroyFrom(1);
    // A missing or unreadable file is a level without walls.
    const auto blocks = levelfile::readLevel(levelFile(level));
    if (!blocks)
        return;
    for (const levelfile::Block &block : *blocks)
        Image3.add(block.top, block.left);
}

void Form1::setup_level()
{
    load_level();
    random.reseed();
    for (int j = 1; j <= 4; ++j)
        placeFood(j);
    for (int j = 1; j <= 4; ++j)
        repairFood(j);
    eaten = 0;
}

void Form1::placeFood(int index)
{
    Image2.setTop(index, randomCoordinate(random));
    Image2.setLeft(index, randomCoordinate(random));
    Image2.setVisible(index, true);
}

void Form1::repairFood(int index)
{
    const int m = Image3.size();
    for (int k = 1; k < m; ++k) {
        if (Image2.top(index) != Image3.top(k) || Image2.left(index) != Image3.left(k))
            continue;
        for (const auto &[ax, bx] : grid::repairSteps)
            je_tamm(wrapInt16(index), ax, bx);
    }
}

void Form1::je_tamm(std::int16_t fx, std::int16_t ax, std::int16_t bx)
{
    const std::int16_t top = wrapInt16(Image2.top(fx) + ax);
    const std::int16_t left = wrapInt16(Image2.left(fx) + bx);
    const int m = Image3.size();
    for (int k = 1; k < m; ++k) {
        if (Image3.top(k) == top && Image3.left(k) == left)
            return;
    }
    Image2.setTop(fx, top);
    Image2.setLeft(fx, left);
}

void Form1::reset_snake()
{
    dirx = 1;
    vert = 1;
    diry = -1;
    horiz = 0;
    Image1.setTop(0, grid::start);
    Image1.setLeft(0, grid::start);
    for (int i = 1; i < Image1.size(); ++i) {
        Image1.setTop(i, grid::parked);
        Image1.setLeft(i, grid::parked);
    }
}

void Form1::completeStage()
{
    rychlost = wrapInt16(rychlost - 20);
    Timer1.setInterval(rychlost);
    // A saved game may hold an interval that never passes through 60; any
    // interval of 60 or less after a stage wins, so it never reaches 0.
    if (rychlost <= 60) {
        message(QStringLiteral("Dohrál jsi tuto hru!"));
        Timer1.setInterval(0);
        hall_entry();
        end_game();
        return;
    }
    message(QStringLiteral("Přežil jsi první etapu, hurá do další - rychlejší!"));
    level = 0;
    Label4->setNum(1);
    batches = 0;
    reset_snake();
    setup_level();
    save_game();
}

void Form1::startNextLevel()
{
    message(QStringLiteral("Pozor, jdeš do dalšího levelu!"));
    shortenSnake();
    reset_snake();
    batches = 0;
    save_game();
    setup_level();
}

void Form1::shortenSnake()
{
    // Keep (n - 1) / 2 sprites, rounded to the nearest, halves to even.
    const int body = Image1.size() - 1;
    int kept = body / 2;
    if (body % 2 == 1 && kept % 2 == 1)
        ++kept;
    Image1.destroyFrom(kept);
}

} // namespace game
