// The level count: the file and its first line read alike, the lines after it
// never count, and a count written out reads back as itself.
#include "levelfile/level_count.h"

#include <cstdlib>
#include <fstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    const auto count = levelfile::parseLevelCount(text.substr(0, text.find_first_of("\r\n")));
    const std::filesystem::path file = "fuzz_level_count.input";
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
    if (levelfile::readLevelCount(file) != count || levelfile::parseLevelCount(text) != count)
        std::abort();
    if (count && levelfile::parseLevelCount(std::to_string(*count)) != count)
        std::abort();
    return 0;
}
