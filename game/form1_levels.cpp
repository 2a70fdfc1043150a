// Levels: the snake's start, preparing a level (its walls and four food
// items on cells free of walls), the next level and the next stage.
#include "game/form1.h"

#include "levelfile/level_file.h"
#include "platform/clock_random.h"

#include <QLabel>

#include <array>
#include <cmath>
#include <utility>

namespace game {
namespace {

// A random coordinate on the grid, 9 to 252.
std::int16_t randomCoordinate(platform::RandomSource &random)
{
    const auto drawn = static_cast<int>(std::floor(random.next() * 252)) + 9;
    return static_cast<std::int16_t>(drawn - drawn % 9);
}

// Where a food item on a wall looks for a free cell, as (top, left) steps,
// each step taken from where the one before left it.
constexpr std::array<std::pair<std::int16_t, std::int16_t>, 8> repairSteps{{
    {+9, +9}, {-9, -9}, {-9, +9}, {+9, -9}, {-9, 0}, {+9, 0}, {0, +9}, {0, -9},
}};

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
        for (const auto &[ax, bx] : repairSteps)
            je_tamm(static_cast<std::int16_t>(index), ax, bx);
    }
}

void Form1::je_tamm(std::int16_t fx, std::int16_t ax, std::int16_t bx)
{
    const auto top = static_cast<std::int16_t>(Image2.top(fx) + ax);
    const auto left = static_cast<std::int16_t>(Image2.left(fx) + bx);
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
    Image1.setTop(0, 261);
    Image1.setLeft(0, 261);
    for (int i = 1; i < Image1.size(); ++i) {
        Image1.setTop(i, 270);
        Image1.setLeft(i, 270);
    }
}

void Form1::completeStage()
{
    rychlost = static_cast<std::int16_t>(rychlost - 20);
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
