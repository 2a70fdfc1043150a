// What the fuzz targets share: a promise that aborts when broken, and the input as a file.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

namespace fuzz {

// libFuzzer keeps the input that made the process abort.
inline void check(bool holds, const char *promise)
{
    if (!holds) {
        std::fprintf(stderr, "broken promise: %s\n", promise);
        std::abort();
    }
}

// One file per process, so that parallel jobs never share it; removed at exit.
inline std::filesystem::path inputFile(const std::uint8_t *data, std::size_t size)
{
    static const auto path = std::filesystem::temp_directory_path() / ("korvo-fuzz-" + std::to_string(getpid()));
    static const bool removedAtExit = std::atexit([] {
        std::error_code error;
        std::filesystem::remove(path, error);
    }) == 0;
    check(removedAtExit, "the scratch file is removed at exit");
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char *>(data), std::streamsize(size));
    return path;
}

} // namespace fuzz
