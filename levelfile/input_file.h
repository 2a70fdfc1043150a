// Opening a data file for reading. Anything but a regular file (or a link to
// one) counts as a file that cannot be read, and opening it never waits.
#pragma once

#include "platform/regular_file.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace levelfile {

inline std::optional<std::ifstream> openForReading(const std::filesystem::path &file)
{
    const int descriptor = platform::openRegularFile(file, O_RDONLY);
    if (descriptor < 0)
        return std::nullopt;
    // The stream opens the file that the descriptor holds, so that nothing
    // put at the path meanwhile is opened instead.
    std::ifstream in("/proc/self/fd/" + std::to_string(descriptor), std::ios::binary);
    ::close(descriptor);
    if (!in)
        return std::nullopt;
    return in;
}

} // namespace levelfile
