// Writes the shipped level files from their text maps: 30 lines of 30
// characters, '#' a wall block and '.' a free cell, row 0 at the top.
// Usage: make_levels OUTPUT_FOLDER levelN.txt...; the maps must be numbered
// 0 to count - 1, and levels.ini gets their count.
#include "levelfile/level_file.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int cellsPerSide = 30;
constexpr int cellSize = 9;

using Maps = std::map<int, std::filesystem::path>;

[[noreturn]] void fail(const std::filesystem::path &file, const std::string &what)
{
    throw std::runtime_error(file.string() + ": " + what);
}

// The index N of a map named levelN.txt, N without leading zeros.
int indexOf(const std::filesystem::path &map)
{
    const std::string stem = map.stem().string();
    const std::string digits = stem.substr(std::min<std::size_t>(5, stem.size()));
    const bool numbered = stem.rfind("level", 0) == 0 && !digits.empty() && digits.size() <= 4
                          && std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })
                          && (digits == "0" || digits.front() != '0');
    if (map.extension() != ".txt" || !numbered)
        fail(map, "a map is named levelN.txt");
    return std::stoi(digits);
}

// The blocks row by row from the top, each row from the left.
std::vector<levelfile::Block> readMap(const std::filesystem::path &map)
{
    std::ifstream in(map);
    if (!in)
        fail(map, "cannot be read");
    std::vector<levelfile::Block> blocks;
    std::string line;
    int row = 0;
    for (; std::getline(in, line); ++row) {
        if (row == cellsPerSide || line.size() != cellsPerSide)
            fail(map, "line " + std::to_string(row + 1) + ": a map has 30 lines of 30 cells");
        for (int column = 0; column < cellsPerSide; ++column) {
            const char cell = line[static_cast<std::size_t>(column)];
            if (cell == '#')
                blocks.push_back({static_cast<std::int16_t>(row * cellSize), static_cast<std::int16_t>(column * cellSize)});
            else if (cell != '.')
                fail(map, "line " + std::to_string(row + 1) + ": a cell is '#' or '.'");
        }
    }
    if (row != cellsPerSide)
        fail(map, "a map has 30 lines of 30 cells");
    return blocks;
}

Maps numberedMaps(int count, char *names[])
{
    Maps maps;
    for (int k = 0; k < count; ++k) {
        const std::filesystem::path map(names[k]);
        if (!maps.emplace(indexOf(map), map).second)
            fail(map, "two maps have the same number");
    }
    if (!maps.empty() && maps.rbegin()->first != static_cast<int>(maps.size()) - 1)
        fail(maps.rbegin()->second, "the maps are not numbered from 0 without gaps");
    return maps;
}

// A fresh file each time: the level writer keeps the tail of a longer file.
void writeLevelFile(const std::filesystem::path &file, const std::vector<levelfile::Block> &blocks)
{
    std::filesystem::remove(file);
    if (!levelfile::writeLevel(file, blocks))
        fail(file, "cannot be written");
}

void writeLevelCount(const std::filesystem::path &file, std::size_t count)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << count << "\r\n";
    if (!out.flush())
        fail(file, "cannot be written");
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::cerr << "usage: make_levels OUTPUT_FOLDER levelN.txt...\n";
        return EXIT_FAILURE;
    }
    try {
        const std::filesystem::path folder(argv[1]);
        const Maps maps = numberedMaps(argc - 2, argv + 2);
        std::filesystem::create_directories(folder);
        for (const auto &[index, map] : maps)
            writeLevelFile(folder / ("level" + std::to_string(index) + ".lvl"), readMap(map));
        writeLevelCount(folder / "levels.ini", maps.size());
    } catch (const std::exception &error) {
        std::cerr << "make_levels: " << error.what() << '\n';
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
