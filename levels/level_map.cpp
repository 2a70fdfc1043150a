// Reading, checking and writing a level's text map.
#include "level_map.h"

#include "file_access.h"
#include "levelfile/int16.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace levels {
namespace {

using grid::side;
using levelfile::Block;

constexpr int startCells = 11; // the snake's start cell and the ten above it
// Far more than 30 lines of 30 cells with CR LF ends, so that every fault
// of a map of some thirty lines is named.
constexpr std::size_t largestMap = 64 * 1024;
constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

std::string cellName(int row, int column)
{
    return "row " + std::to_string(row + 1) + ", column " + std::to_string(column + 1);
}

// Food moves in steps of a cell, so it stays on the grid, off the playfield
// too: row 0 is the one above it.
std::string cellName(Block position)
{
    return cellName(position.top / grid::cell, position.left / grid::cell);
}

std::string lineName(int line)
{
    return "line " + std::to_string(line);
}

std::string characterName(char c)
{
    if (c == ' ')
        return "a blank";
    if (c == '\t')
        return "a tab";
    if (c == '\r')
        return "a CR";
    if (c > ' ' && c < 0x7F)
        return std::string("'") + c + "'";
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned char>(c));
    return std::string("the byte ") + hex;
}

bool inside(int row, int column)
{
    return row >= 0 && row < side && column >= 0 && column < side;
}

bool onGrid(std::int16_t position)
{
    return position >= 0 && position < side * grid::cell && position % grid::cell == 0;
}

// Why bytes of this size and count are no level file as the editor writes
// one; empty when they are one.
std::string levelFileFault(std::uintmax_t size, int count)
{
    const std::string bytes = std::to_string(size) + (size == 1 ? " byte" : " bytes");
    if (size == 0)
        return "";
    if (size >= 2 && count < 1)
        return "its count is " + std::to_string(count) + ", and a level file's count is its blocks + 1";
    if (size >= 2 && static_cast<std::uintmax_t>(count - 1) > (size - 2) / 4)
        return "its count declares " + std::to_string(count - 1) + " blocks, but its " + bytes + " hold "
               + std::to_string((size - 2) / 4);
    if (size < 2 || (size - 2) % 4 != 0)
        return "a length of " + bytes + " is not a 2-byte count and whole 4-byte blocks";
    return "";
}

} // namespace

LevelMap::LevelMap(std::filesystem::path file)
    : file(std::move(file))
{
}

LevelMap LevelMap::read(const std::filesystem::path &file)
{
    LevelMap map(file);
    regularSize(file);
    const auto text = readAtMost(file, largestMap);
    if (text->size() > largestMap)
        fail(file, "holds more than " + std::to_string(largestMap) + " bytes; a map is 30 lines of 30 cells");
    map.parse(*text);
    return map;
}

void LevelMap::parse(std::string_view text)
{
    if (text.starts_with(byteOrderMark)) {
        addFault("line 1, column 1: a UTF-8 byte order mark, where a cell is '#' or '.'");
        text.remove_prefix(byteOrderMark.size());
    }
    int line = 0;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view cells = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (cells.ends_with('\r'))
            cells.remove_suffix(1);
        if (++line > side) {
            addFault(lineName(line) + ": a line after the 30th, where a map has 30 lines");
            return;
        }
        parseLine(line, cells);
    }
    if (line < side)
        addFault(std::to_string(line) + " lines, where a map has 30");
}

void LevelMap::parseLine(int line, std::string_view cells)
{
    const int count = static_cast<int>(std::min<std::size_t>(cells.size(), side));
    for (int column = 0; column < count; ++column) {
        const char cell = cells[static_cast<std::size_t>(column)];
        if (cell != '#' && cell != '.')
            addFault(lineName(line) + ", column " + std::to_string(column + 1) + ": " + characterName(cell)
                     + ", where a cell is '#' or '.'");
        walls[line - 1][column] = cell == '#';
    }
    if (cells.size() > side)
        addFault(lineName(line) + ", column 31: " + characterName(cells[side]) + " after the line's 30 cells");
    else if (count < side)
        addFault(lineName(line) + ": " + std::to_string(count) + " cells, where a line has 30");
}

LevelMap LevelMap::ofLevel(const std::filesystem::path &file)
{
    LevelMap map(file);
    const auto size = regularSize(file);
    const std::string bytes = *readAtMost(file, largestLevelFile);
    const std::string fault = levelFileFault(size, bytes.size() < 2 ? 0 : levelfile::readInt16(bytes.data()));
    if (!fault.empty())
        fail(file, "no level file: " + fault);
    const auto blocks = levelfile::parseLevel(bytes.data(), bytes.size());
    for (std::size_t k = 0; k < blocks.size(); ++k) {
        const auto [top, left] = blocks[k];
        if (!onGrid(top) || !onGrid(left))
            fail(file, "block " + std::to_string(k + 1) + " at top " + std::to_string(top) + ", left " + std::to_string(left)
                     + " stands off the grid's cells, whose top and left are multiples of 9 from 0 to 261");
        map.walls[top / grid::cell][left / grid::cell] = true;
    }
    return map;
}

void LevelMap::checkPlayable()
{
    checkStart();
    checkFood();
}

const std::vector<std::string> &LevelMap::faults() const
{
    return found;
}

void LevelMap::checkStart()
{
    for (int row = side - startCells; row < side; ++row) {
        if (wall(row, side - 1))
            addFault(cellName(row, side - 1) + ": a wall where the snake starts"
                     " (the bottom-right cell and the ten cells above it stay free)");
    }
}

void LevelMap::checkFood()
{
    const Cells reached = reach();
    for (std::int16_t top = grid::firstFood; top <= grid::lastFood; top += grid::cell) {
        for (std::int16_t left = grid::firstFood; left <= grid::lastFood; left += grid::cell) {
            const Block end = foodEnd({top, left});
            const int row = end.top / grid::cell;
            const int column = end.left / grid::cell;
            std::string where;
            if (!inside(row, column))
                where = "ends outside the playfield, at " + cellName(end);
            else if (wall(row, column))
                where = "ends on a wall at " + cellName(end);
            else if (!reached[row][column])
                where = "ends at " + cellName(end) + ", which the snake cannot reach from its start";
            if (!where.empty())
                addFault("food drawn at " + cellName(top / grid::cell, left / grid::cell) + " " + where);
        }
    }
}

Block LevelMap::foodEnd(Block drawn) const
{
    const std::vector<Block> wallBlocks = blocks();
    for (const Block &wall : wallBlocks) {
        if (drawn != wall)
            continue;
        for (const auto &[ax, bx] : grid::repairSteps) {
            const Block probe{levelfile::wrapInt16(drawn.top + ax), levelfile::wrapInt16(drawn.left + bx)};
            if (std::find(wallBlocks.begin(), wallBlocks.end(), probe) == wallBlocks.end())
                drawn = probe;
        }
    }
    return drawn;
}

LevelMap::Cells LevelMap::reach() const
{
    Cells reached{};
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
    return reached;
}

std::vector<Block> LevelMap::blocks() const
{
    std::vector<Block> blocks;
    for (int row = 0; row < side; ++row) {
        for (int column = 0; column < side; ++column) {
            if (wall(row, column))
                blocks.push_back({static_cast<std::int16_t>(row * grid::cell), static_cast<std::int16_t>(column * grid::cell)});
        }
    }
    return blocks;
}

std::string LevelMap::levelFile() const
{
    return levelfile::levelBytes(blocks());
}

std::string LevelMap::text() const
{
    std::string text;
    for (const auto &row : walls) {
        for (const bool cell : row)
            text += cell ? '#' : '.';
        text += '\n';
    }
    return text;
}

void LevelMap::addFault(const std::string &what)
{
    found.push_back(file.string() + ": " + what);
}

bool LevelMap::wall(int row, int column) const
{
    return walls[row][column];
}

} // namespace levels
