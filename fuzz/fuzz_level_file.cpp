// Level files: blocks only from whole records, the same from the file, and the
// bytes written for them read back as the same blocks.
#include "levelfile/level_file.h"

#include <cstdlib>
#include <fstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const auto blocks = levelfile::parseLevel(reinterpret_cast<const char *>(data), size);
    const std::filesystem::path file = "fuzz_level_file.input";
    std::ofstream(file, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char *>(data), std::streamsize(size));
    const std::string written = levelfile::levelBytes(blocks);
    if (blocks.size() > (size < 2 ? 0 : (size - 2) / 4) || levelfile::readLevel(file) != blocks
        || levelfile::parseLevel(written.data(), written.size()) != blocks)
        std::abort();
    return 0;
}
