// Level files: a 16-bit count (blocks + 1), then top and left of each block,
// all 16-bit signed little-endian. Shared by the game and the editor.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace levelfile {

struct Block {
    std::int16_t top = 0;
    std::int16_t left = 0;
    friend bool operator==(const Block &, const Block &) = default;
};

// The blocks a level file declares, stopping early where its data ends.
// A count of 1 or less gives no blocks; an empty file reads as count 0.
// nullopt when the file cannot be opened or read.
std::optional<std::vector<Block>> readLevel(const std::filesystem::path &file);

// Blocks from the bytes of a level file, by the same rules as readLevel().
std::vector<Block> parseLevel(const char *data, std::size_t size);

// The bytes of a level file holding blocks: the count, then the records.
// The count field is blocks.size() + 1, wrapped to 16 bits.
std::string levelBytes(const std::vector<Block> &blocks);

} // namespace levelfile
