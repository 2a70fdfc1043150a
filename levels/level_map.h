// A level drawn as text: 30 lines of 30 cells, '#' a wall block and '.' a
// free cell, the top line the playfield's top row.
#pragma once

#include "levelfile/level_file.h"

#include <array>
#include <filesystem>
#include <string>

class LevelMap
{
public:
    static constexpr int side = 30;

    // The map in a text file, with LF or CR LF line ends; throws
    // std::runtime_error, naming the file and the line, when it is no map.
    static LevelMap read(const std::filesystem::path &file);

    // The map of a level file's blocks; throws when a block does not stand
    // on one of the grid's cells.
    static LevelMap ofLevel(const std::filesystem::path &file);

    // Throws, naming the file, the row and the column (both counted from 1),
    // when the snake cannot finish the level: a wall where it starts, a wall
    // that food can stay on, or a free cell it cannot reach.
    void checkPlayable() const;

    // The bytes of the level file: the blocks row by row from the top.
    std::string levelFile() const;

    std::string text() const;

private:
    explicit LevelMap(std::filesystem::path file);
    void checkReach() const;
    [[noreturn]] void fail(const std::string &what) const;
    bool wall(int row, int column) const;
    bool closedIn(int row, int column) const;

    std::filesystem::path file_;
    std::array<std::array<bool, side>, side> walls_{};
};
