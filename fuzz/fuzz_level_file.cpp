// Level files: blocks only from whole records, the same from the file, and a save
// over the file that keeps a longer length and reads back alike.
#include "levelfile/level_file.h"
#include "platform/files.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const auto blocks = levelfile::parseLevel(reinterpret_cast<const char *>(data), size);
    const std::filesystem::path file = "fuzz_level_file.input";
    std::ofstream(file, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char *>(data), std::streamsize(size));
    if (blocks.size() > (size < 2 ? 0 : (size - 2) / 4) || levelfile::readLevel(file) != blocks || !platform::writeFileStart(file, QByteArray::fromStdString(levelfile::levelBytes(blocks))))
        std::abort();
    if (std::filesystem::file_size(file) != std::max(size, 2 + 4 * blocks.size()) || levelfile::readLevel(file) != blocks)
        std::abort();
    return 0;
}
