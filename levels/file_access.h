// The file access of make_levels: only regular files are read, and never
// more than a bound of them, so that no input can hang it or fill its memory;
// every file is written beside its place and renamed over it, so that it
// stands whole or as it was.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace levels {

// Throws std::runtime_error, "FILE: what".
[[noreturn]] void fail(const std::filesystem::path &file, const std::string &what);

// A level file's length at the most: a count, and 32766 blocks of 4 bytes.
constexpr std::size_t largestLevelFile = 2 + 32766 * 4;

// The size of a regular file; throws std::runtime_error, naming the file and
// what it is, when it is missing or no regular file (a folder, a FIFO, a device).
std::uintmax_t regularSize(const std::filesystem::path &file);

// The first limit + 1 bytes of a regular file, so that a longer one shows;
// nullopt when it is missing. Throws as regularSize() does, or when it cannot be read.
std::optional<std::string> readAtMost(const std::filesystem::path &file, std::size_t limit);

// Writes the file whole or leaves it as it was; throws, naming the file and why, when it fails.
void writeWhole(const std::filesystem::path &file, const std::string &bytes);

// Writes the bytes to standard output; throws, saying why, when that fails.
void writeOut(const std::string &bytes);

} // namespace levels
