// Level files as the game and the editor read them, and as the editor writes
// them back over the same file.
#include "fuzz_support.h"

#include "levelfile/level_file.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

namespace {

using levelfile::Block;

std::int16_t int16At(const std::uint8_t *bytes)
{
    return static_cast<std::int16_t>(bytes[0] | (bytes[1] << 8));
}

// As many blocks as the count declares and the data holds, no more, no fewer.
std::size_t expectedBlocks(const std::uint8_t *data, std::size_t size)
{
    if (size < 2)
        return 0;
    const int count = int16At(data);
    const std::size_t declared = count > 1 ? static_cast<std::size_t>(count - 1) : 0;
    return std::min(declared, (size - 2) / 4);
}

void checkRecords(const std::vector<Block> &blocks, const std::uint8_t *data, std::size_t size)
{
    fuzz::check(blocks.size() == expectedBlocks(data, size), "blocks = min(count - 1, records in the data)");
    for (std::size_t k = 0; k < blocks.size(); ++k) {
        const std::uint8_t *record = data + 2 + 4 * k;
        fuzz::check(blocks[k] == Block{int16At(record), int16At(record + 2)}, "record k is top, then left, of block k");
    }
}

std::string contents(const std::filesystem::path &file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Saving the same blocks over the file keeps its length when it was longer,
// and reading it again gives the same blocks.
void checkSavedOver(const std::filesystem::path &file, const std::vector<Block> &blocks, std::size_t oldSize)
{
    fuzz::check(levelfile::writeLevel(file, blocks), "an existing file can be written over");
    const std::string saved = contents(file);
    fuzz::check(saved.size() == std::max(oldSize, 2 + 4 * blocks.size()), "a save never shortens the file");
    const auto reread = levelfile::parseLevel(saved.data(), saved.size());
    fuzz::check(reread == blocks, "a saved level reads back unchanged");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const auto blocks = levelfile::parseLevel(reinterpret_cast<const char *>(data), size);
    checkRecords(blocks, data, size);

    const std::filesystem::path file = fuzz::inputFile(data, size);
    const auto read = levelfile::readLevel(file);
    fuzz::check(read.has_value(), "a readable file is read");
    fuzz::check(*read == blocks, "the file reader and the byte reader agree");

    checkSavedOver(file, blocks, size);
    return 0;
}
