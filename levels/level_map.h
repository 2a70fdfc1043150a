// A level drawn as text: 30 lines of 30 cells, '#' a wall block and '.' a
// free cell, the top line the playfield's top row.
#pragma once

#include "levelfile/grid.h"
#include "levelfile/level_file.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace levels {

class LevelMap
{
public:
    // The map in a text file, with LF or CR LF line ends. Each fault of its
    // text goes into faults(), naming the line, the column and the character
    // found; throws std::runtime_error, naming the file, when it is no
    // regular file or longer than any map could be.
    static LevelMap read(const std::filesystem::path &file);

    // The map of a level file's blocks; throws, saying what it found, when
    // the file is no level file or a block does not stand on a grid cell.
    static LevelMap ofLevel(const std::filesystem::path &file);

    // Adds a fault for each way the snake cannot finish the level: a wall
    // where it starts, and every food draw that the game's repair leaves on
    // a wall, outside the playfield or where the snake cannot reach.
    void checkPlayable();

    // Each fault found, "FILE: what", in the order of the file.
    const std::vector<std::string> &faults() const;

    // Where the game puts food drawn at this top and left: a food item on a
    // wall is probed in eight steps, each from where the one before left it,
    // for every wall that it meets in the level file's order.
    levelfile::Block foodEnd(levelfile::Block drawn) const;

    // The bytes of the level file: the blocks row by row from the top.
    std::string levelFile() const;

    std::string text() const;

private:
    using Cells = std::array<std::array<bool, grid::side>, grid::side>;

    explicit LevelMap(std::filesystem::path file);
    void parse(std::string_view text);
    void parseLine(int line, std::string_view cells);
    void checkStart();
    void checkFood();
    Cells reach() const;
    std::vector<levelfile::Block> blocks() const;
    void addFault(const std::string &what);
    bool wall(int row, int column) const;

    std::filesystem::path file;
    Cells walls{};
    std::vector<std::string> found;
};

} // namespace levels
