// Writes the shipped level files from their text maps, installs level files,
// and draws a level file as a map:
//   make_levels FOLDER levelN.txt...   the maps' level files and levels.ini into FOLDER
//   make_levels --install FOLDER FILE...   the files into FOLDER
//   make_levels --map FILE   the map of a level file on standard output
// The maps must be numbered 0 to count - 1, and levels.ini gets their count.
// Neither of the first two overwrites a file that someone changed since the
// last run wrote it (see ShippedFolder).
#include "level_map.h"
#include "shipped_folder.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <map>
#include <stdexcept>
#include <vector>

namespace {

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
    const bool numbered = stem.starts_with("level") && !digits.empty() && digits.size() <= 4
                          && std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })
                          && (digits == "0" || digits.front() != '0');
    if (map.extension() != ".txt" || !numbered)
        fail(map, "a map is named levelN.txt");
    return std::stoi(digits);
}

Maps numberedMaps(const std::vector<std::string> &names)
{
    Maps maps;
    for (const std::filesystem::path map : names) {
        if (!maps.emplace(indexOf(map), map).second)
            fail(map, "two maps have the same number");
    }
    if (!maps.empty() && maps.rbegin()->first != static_cast<int>(maps.size()) - 1)
        fail(maps.rbegin()->second, "the maps are not numbered from 0 without gaps");
    return maps;
}

// Every map is read and checked, each fault reported, before anything is written.
std::map<std::string, std::string> levelFiles(const Maps &maps)
{
    std::map<std::string, std::string> files{{"levels.ini", std::to_string(maps.size()) + "\r\n"}};
    bool faults = false;
    for (const auto &[index, file] : maps) {
        try {
            const LevelMap map = LevelMap::read(file);
            map.checkPlayable();
            files["level" + std::to_string(index) + ".lvl"] = map.levelFile();
        } catch (const std::runtime_error &error) {
            std::cerr << "make_levels: " << error.what() << '\n';
            faults = true;
        }
    }
    if (faults)
        throw std::runtime_error("no level written");
    return files;
}

std::map<std::string, std::string> copies(const std::vector<std::string> &names)
{
    std::map<std::string, std::string> files;
    for (const std::filesystem::path file : names) {
        const auto bytes = ShippedFolder::contents(file);
        if (!bytes)
            fail(file, "is missing");
        files[file.filename().string()] = *bytes;
    }
    return files;
}

void ship(const std::filesystem::path &folder, const std::string &writer, const std::map<std::string, std::string> &files)
{
    ShippedFolder shipped(folder, writer);
    for (const auto &[name, bytes] : files)
        shipped.put(name, bytes);
    shipped.saveRecord();
}

} // namespace

int main(int argc, char *argv[])
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    try {
        if (args.size() == 2 && args[0] == "--map")
            std::cout << LevelMap::ofLevel(args[1]).text();
        else if (args.size() >= 3 && args[0] == "--install")
            ship(args[1], "install", copies({args.begin() + 2, args.end()}));
        else if (args.size() >= 2 && !args[0].starts_with("--"))
            ship(args[0], "build", levelFiles(numberedMaps({args.begin() + 1, args.end()})));
        else {
            std::cerr << "usage: make_levels FOLDER levelN.txt...\n"
                         "       make_levels --install FOLDER FILE...\n"
                         "       make_levels --map FILE\n";
            return EXIT_FAILURE;
        }
    } catch (const std::exception &error) {
        std::cerr << "make_levels: " << error.what() << '\n';
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
