// Writes the shipped level files from their text maps, installs level files,
// draws a level file as a map and writes a saved game:
//   make_levels FOLDER levelN.txt...   the maps' level files and levels.ini into FOLDER
//   make_levels --install FOLDER FILE...   the files into FOLDER
//   make_levels --uninstall FOLDER   removes what the install wrote there
//   make_levels --map FILE [-o MAP]   the map of a level file, on standard output or into MAP
//   make_levels --saved-game N FILE   a saved game that continues at the level levelN.lvl
// The maps must be numbered 0 to count - 1, and levels.ini gets their count.
// None of these overwrites or removes a file that someone changed since the
// last run wrote it (see ShippedFolder), and each file is written whole or
// not at all.
#include "file_access.h"
#include "game/saved_game.h"
#include "level_map.h"
#include "shipped_folder.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <map>
#include <stdexcept>
#include <vector>

namespace levels {
namespace {

using Maps = std::map<int, std::filesystem::path>;

// A level index as the game names its files: decimal, without leading zeros.
bool isIndex(const std::string &digits, std::size_t longest)
{
    return !digits.empty() && digits.size() <= longest
           && std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })
           && (digits == "0" || digits.front() != '0');
}

// The index N of a map named levelN.txt.
int indexOf(const std::filesystem::path &map)
{
    const std::string stem = map.stem().string();
    const std::string digits = stem.substr(std::min<std::size_t>(5, stem.size()));
    const bool numbered = stem.starts_with("level") && isIndex(digits, 4);
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
            LevelMap map = LevelMap::read(file);
            if (map.faults().empty())
                map.checkPlayable();
            for (const std::string &fault : map.faults())
                std::cerr << "make_levels: " << fault << '\n';
            faults = faults || !map.faults().empty();
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

void drawMap(const std::vector<std::string> &args)
{
    const std::string text = LevelMap::ofLevel(args[1]).text();
    if (args.size() == 4)
        writeWhole(args[3], text);
    else
        writeOut(text);
}

// A game of three lives and the shortest snake at the first stage's tick,
// with the score of the levels before it, as the game saves it.
void writeSavedGame(const std::string &level, const std::filesystem::path &file)
{
    if (!isIndex(level, 5) || std::stoi(level) > 32767)
        fail(level, "a level index is a whole number from 0 to 32767");
    const auto n = static_cast<std::int16_t>(std::stoi(level));
    const QByteArray bytes = game::SavedGame{3, n, static_cast<std::int16_t>(n * 120), 3, 200}.bytes();
    writeWhole(file, bytes.toStdString());
}

} // namespace
} // namespace levels

int main(int argc, char *argv[])
{
    using namespace levels;
    const std::vector<std::string> args(argv + 1, argv + argc);
    try {
        if (args.size() >= 2 && args[0] == "--map" && (args.size() == 2 || (args.size() == 4 && args[2] == "-o")))
            drawMap(args);
        else if (args.size() == 3 && args[0] == "--saved-game")
            writeSavedGame(args[1], args[2]);
        else if (args.size() == 2 && args[0] == "--uninstall")
            ShippedFolder(args[1], "install").removeUnchanged();
        else if (args.size() >= 3 && args[0] == "--install")
            ship(args[1], "install", copies({args.begin() + 2, args.end()}));
        else if (args.size() >= 2 && !args[0].starts_with("--"))
            ship(args[0], "build", levelFiles(numberedMaps({args.begin() + 1, args.end()})));
        else {
            std::cerr << "usage: make_levels FOLDER levelN.txt...\n"
                         "       make_levels --install FOLDER FILE...\n"
                         "       make_levels --uninstall FOLDER\n"
                         "       make_levels --map FILE [-o MAP]\n"
                         "       make_levels --saved-game N FILE\n";
            return EXIT_FAILURE;
        }
    } catch (const std::exception &error) {
        std::cerr << "make_levels: " << error.what() << '\n';
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
