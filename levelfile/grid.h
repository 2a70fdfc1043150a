// The playfield's grid: 30 x 30 cells of 9 x 9 pixels. Positions are the
// top and left of a sprite in pixels from the field's top-left corner.
#pragma once

#include "levelfile/int16.h"

#include <array>
#include <cstdint>
#include <utility>

namespace grid {

constexpr std::int16_t cell = 9;
constexpr int side = 30;

// The field shows one pixel less than its cells: the last column and row
// are cut to 8 pixels.
constexpr int fieldPixels = side * cell - 1;

// The bottom-right cell, where the snake's head starts.
constexpr std::int16_t start = (side - 1) * cell;
// One cell diagonally below-right of the start, just off the field, where
// the body waits until it follows the head onto the field.
constexpr std::int16_t parked = side * cell;

// Food is drawn on the cells off the outer rows and columns.
constexpr std::int16_t firstFood = cell;
constexpr std::int16_t lastFood = (side - 2) * cell;

// Where food on a wall looks for a free cell, as (top, left) steps, each
// step taken from where the one before left it.
constexpr std::array<std::pair<std::int16_t, std::int16_t>, 8> repairSteps{{
    {+cell, +cell}, {-cell, -cell}, {-cell, +cell}, {+cell, -cell}, {-cell, 0}, {+cell, 0}, {0, +cell}, {0, -cell},
}};

// The cell that a pixel of the field, 0 or more, lies in.
constexpr std::int16_t snap(int pixel)
{
    return levelfile::wrapInt16(pixel - pixel % cell);
}

} // namespace grid
