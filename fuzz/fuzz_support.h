// What every fuzz target shares: a check that stops the run with a message,
// and the input written to a file for the readers that take a path.
#pragma once

#include <cstddef>
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
    if (holds)
        return;
    std::fprintf(stderr, "broken promise: %s\n", promise);
    std::abort();
}

// A file in the temporary folder, one per process so that parallel jobs
// never share it, removed when the run ends.
class ScratchFile
{
public:
    ScratchFile()
        : path(std::filesystem::temp_directory_path() / ("korvo-fuzz-" + std::to_string(getpid())))
    {
    }
    ~ScratchFile()
    {
        std::error_code error;
        std::filesystem::remove(path, error);
    }
    ScratchFile(const ScratchFile &) = delete;
    ScratchFile &operator=(const ScratchFile &) = delete;

    const std::filesystem::path &write(const std::uint8_t *data, std::size_t size)
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char *>(data), static_cast<std::streamsize>(size));
        out.close();
        check(out.good(), "the scratch file can be written");
        return path;
    }

private:
    std::filesystem::path path;
};

// The input as a file, for the readers that take a path.
inline const std::filesystem::path &inputFile(const std::uint8_t *data, std::size_t size)
{
    static ScratchFile scratch;
    return scratch.write(data, size);
}

} // namespace fuzz
