// Opening a data file for reading, refusing folders, which some systems let
// a stream open and then fail to read.
#pragma once

#include <filesystem>
#include <fstream>
#include <optional>

namespace levelfile {

inline std::optional<std::ifstream> openForReading(const std::filesystem::path &file)
{
    std::error_code error;
    if (std::filesystem::is_directory(file, error))
        return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    return in;
}

} // namespace levelfile
