// Playfield cells.
#include "bench/grid.h"

namespace bench::grid {
namespace {

std::int16_t pixels(int cell)
{
    return static_cast<std::int16_t>(cell * platform::SpriteCollection::spriteSize);
}

} // namespace

std::vector<Cell> serpentine(int fromRow, int toRow)
{
    std::vector<Cell> path;
    const int step = toRow >= fromRow ? 1 : -1;
    bool rightwards = true;
    for (int row = fromRow; row != toRow + step; row += step) {
        for (int i = 0; i < cells; ++i)
            path.push_back({rightwards ? i : cells - 1 - i, row});
        rightwards = !rightwards;
    }
    return path;
}

std::vector<Cell> wholeField()
{
    std::vector<Cell> field;
    for (int row = 0; row < cells; ++row) {
        for (int column = 0; column < cells; ++column)
            field.push_back({column, row});
    }
    return field;
}

std::vector<levelfile::Block> blocksOn(const std::vector<Cell> &cells, int count)
{
    std::vector<levelfile::Block> blocks;
    for (int k = 0; k < count; ++k) {
        const Cell cell = cells[static_cast<std::size_t>(k) % cells.size()];
        blocks.push_back({pixels(cell.row), pixels(cell.column)});
    }
    return blocks;
}

void place(platform::SpriteCollection &sprites, int index, Cell cell)
{
    sprites.setTop(index, pixels(cell.row));
    sprites.setLeft(index, pixels(cell.column));
}

} // namespace bench::grid
