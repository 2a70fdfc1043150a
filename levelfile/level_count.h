// The level count file: its first line holds the number of levels.
#pragma once

#include <cstdint>
#include <filesystem>
#include <istream>
#include <optional>
#include <string_view>

namespace levelfile {

// The decimal number at the start of a line, leading blanks skipped, rounded
// to the nearest integer with halves to the even neighbour; whatever follows
// it is ignored, and a line that does not begin with a number counts as 0.
// nullopt when the rounded number does not fit in 16 bits. Reads the stream
// no further than just past the number's end.
std::optional<std::int16_t> parseLevelCount(std::istream &line);
std::optional<std::int16_t> parseLevelCount(std::string_view line);

// The level count from the first line of the file; nullopt when the file
// cannot be read or its number does not fit. Reads no further than the
// first line, however long the file.
std::optional<std::int16_t> readLevelCount(const std::filesystem::path &file);

} // namespace levelfile
