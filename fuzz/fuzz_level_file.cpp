// Level files as the game and the editor read them and the editor writes them back.
#include "fuzz_support.h"

#include "levelfile/level_file.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const auto blocks = levelfile::parseLevel(reinterpret_cast<const char *>(data), size);
    fuzz::check(blocks.size() <= (size < 2 ? 0 : (size - 2) / 4), "no block without a whole record");

    const std::filesystem::path file = fuzz::inputFile(data, size);
    const auto read = levelfile::readLevel(file);
    fuzz::check(read && *read == blocks, "the file reader and the byte reader agree");

    // Saving the same blocks over the file keeps a longer length and reads back the same blocks.
    fuzz::check(levelfile::writeLevel(file, blocks), "an existing file can be written over");
    std::ifstream in(file, std::ios::binary);
    const std::string saved(std::istreambuf_iterator<char>(in), {});
    fuzz::check(saved.size() == std::max(size, 2 + 4 * blocks.size()), "a save never shortens the file");
    fuzz::check(levelfile::parseLevel(saved.data(), saved.size()) == blocks, "a saved level reads back unchanged");
    return 0;
}
