// Cells of the 30 x 30 playfield and the orders the benchmark lays sprites
// and wall blocks in.
#pragma once

#include "levelfile/level_file.h"
#include "platform/sprite_collection.h"

#include <vector>

namespace bench::grid {

constexpr int cells = 30; // across and down

struct Cell {
    int column = 0;
    int row = 0;
};

// Every cell of the rows from fromRow to toRow, in that order (either way
// round); the first row is crossed left to right, each next one the other
// way, so that each cell is a step from the one before.
std::vector<Cell> serpentine(int fromRow, int toRow);

// Every cell of the field, row by row.
std::vector<Cell> wholeField();

// count blocks on the cells in turn, starting again at the first when they
// run out.
std::vector<levelfile::Block> blocksOn(const std::vector<Cell> &cells, int count);

void place(platform::SpriteCollection &sprites, int index, Cell cell);

} // namespace bench::grid
