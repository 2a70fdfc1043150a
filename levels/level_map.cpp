// Reading, checking and writing a level's text map.
#include "level_map.h"

#include <fstream>
#include <stdexcept>
#include <utility>
#include <vector>

namespace {

constexpr int cellSize = 9;
constexpr int startCells = 11; // the snake's start cell and the ten above it

std::string cellName(int row, int column)
{
    return "row " + std::to_string(row + 1) + ", column " + std::to_string(column + 1);
}

bool inside(int row, int column)
{
    return row >= 0 && row < LevelMap::side && column >= 0 && column < LevelMap::side;
}

bool onGrid(std::int16_t position)
{
    return position >= 0 && position < LevelMap::side * cellSize && position % cellSize == 0;
}

} // namespace

LevelMap::LevelMap(std::filesystem::path file)
    : file_(std::move(file))
{
}

LevelMap LevelMap::read(const std::filesystem::path &file)
{
    LevelMap map(file);
    std::ifstream in(file, std::ios::binary);
    if (!in)
        map.fail("cannot be read");
    std::string line;
    int row = 0;
    for (; std::getline(in, line); ++row) {
        if (line.ends_with('\r'))
            line.pop_back();
        const std::string where = "line " + std::to_string(row + 1) + ": ";
        if (row == side || line.size() != side)
            map.fail(where + "a map has 30 lines of 30 cells");
        for (int column = 0; column < side; ++column) {
            const char cell = line[static_cast<std::size_t>(column)];
            if (cell != '#' && cell != '.')
                map.fail(where + "a cell is '#' or '.'");
            map.walls_[row][column] = cell == '#';
        }
    }
    if (row != side)
        map.fail("a map has 30 lines of 30 cells");
    return map;
}

LevelMap LevelMap::ofLevel(const std::filesystem::path &file)
{
    LevelMap map(file);
    const auto blocks = levelfile::readLevel(file);
    if (!blocks)
        map.fail("cannot be read");
    for (std::size_t k = 0; k < blocks->size(); ++k) {
        const auto [top, left] = (*blocks)[k];
        if (!onGrid(top) || !onGrid(left))
            map.fail("block " + std::to_string(k + 1) + " at top " + std::to_string(top) + ", left " + std::to_string(left)
                     + " stands off the grid's cells, whose top and left are multiples of 9 from 0 to 261");
        map.walls_[top / cellSize][left / cellSize] = true;
    }
    return map;
}

void LevelMap::checkPlayable() const
{
    for (int row = side - startCells; row < side; ++row) {
        if (wall(row, side - 1))
            fail(cellName(row, side - 1) + ": a wall where the snake starts"
                 " (the bottom-right cell and the ten cells above it stay free)");
    }
    // Food lands off the outer rows and columns, and moves off a wall only
    // to one of the eight cells around it.
    for (int row = 1; row < side - 1; ++row) {
        for (int column = 1; column < side - 1; ++column) {
            if (closedIn(row, column))
                fail(cellName(row, column) + ": a wall with walls on all eight sides, on which food can stay");
        }
    }
    checkReach();
}

void LevelMap::checkReach() const
{
    std::array<std::array<bool, side>, side> reached{};
    std::vector<std::pair<int, int>> next{{side - 1, side - 1}};
    reached[side - 1][side - 1] = true;
    while (!next.empty()) {
        const auto [row, column] = next.back();
        next.pop_back();
        for (const auto &[r, c] : {std::pair{row - 1, column}, {row + 1, column}, {row, column - 1}, {row, column + 1}}) {
            if (inside(r, c) && !wall(r, c) && !reached[r][c]) {
                reached[r][c] = true;
                next.emplace_back(r, c);
            }
        }
    }
    for (int row = 0; row < side; ++row) {
        for (int column = 0; column < side; ++column) {
            if (!wall(row, column) && !reached[row][column])
                fail(cellName(row, column) + ": a free cell that the snake cannot reach from its start, where food can land");
        }
    }
}

std::string LevelMap::levelFile() const
{
    std::vector<levelfile::Block> blocks;
    for (int row = 0; row < side; ++row) {
        for (int column = 0; column < side; ++column) {
            if (wall(row, column))
                blocks.push_back({static_cast<std::int16_t>(row * cellSize), static_cast<std::int16_t>(column * cellSize)});
        }
    }
    return levelfile::levelBytes(blocks);
}

std::string LevelMap::text() const
{
    std::string text;
    for (const auto &row : walls_) {
        for (const bool cell : row)
            text += cell ? '#' : '.';
        text += '\n';
    }
    return text;
}

void LevelMap::fail(const std::string &what) const
{
    throw std::runtime_error(file_.string() + ": " + what);
}

bool LevelMap::wall(int row, int column) const
{
    return walls_[row][column];
}

bool LevelMap::closedIn(int row, int column) const
{
    for (int r = row - 1; r <= row + 1; ++r) {
        for (int c = column - 1; c <= column + 1; ++c) {
            if (!wall(r, c))
                return false;
        }
    }
    return true;
}
