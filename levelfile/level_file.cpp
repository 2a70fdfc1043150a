// Reading and writing level files.
#include "levelfile/level_file.h"

#include "levelfile/input_file.h"
#include "levelfile/int16.h"

#include <algorithm>
#include <array>
#include <fstream>

namespace levelfile {
namespace {

constexpr std::size_t countSize = 2;
constexpr std::size_t recordSize = 4;

} // namespace

std::vector<Block> parseLevel(const char *data, std::size_t size)
{
    std::vector<Block> blocks;
    if (size < countSize)
        return blocks;
    const int count = readInt16(data);
    const std::size_t records = std::min<std::size_t>(count > 1 ? count - 1 : 0, (size - countSize) / recordSize);
    blocks.reserve(records);
    for (std::size_t k = 0; k < records; ++k) {
        const char *record = data + countSize + k * recordSize;
        blocks.push_back({readInt16(record), readInt16(record + 2)});
    }
    return blocks;
}

std::optional<std::vector<Block>> readLevel(const std::filesystem::path &file)
{
    auto opened = openForReading(file);
    if (!opened)
        return std::nullopt;
    std::ifstream &in = *opened;

    // Never more than the count can declare, however large the file.
    std::array<char, countSize> countBytes{};
    in.read(countBytes.data(), countBytes.size());
    if (in.bad())
        return std::nullopt;
    if (in.gcount() < static_cast<std::streamsize>(countSize))
        return std::vector<Block>{};
    const int count = readInt16(countBytes.data());
    std::vector<char> data(countBytes.begin(), countBytes.end());
    if (count > 1) {
        data.resize(countSize + static_cast<std::size_t>(count - 1) * recordSize);
        in.read(data.data() + countSize, static_cast<std::streamsize>(data.size() - countSize));
        if (in.bad())
            return std::nullopt;
        data.resize(countSize + static_cast<std::size_t>(in.gcount()));
    }
    return parseLevel(data.data(), data.size());
}

std::string levelBytes(const std::vector<Block> &blocks)
{
    std::string bytes;
    bytes.reserve(countSize + blocks.size() * recordSize);
    appendInt16(bytes, wrapInt16(static_cast<int>(blocks.size() + 1)));
    for (const Block &block : blocks) {
        appendInt16(bytes, block.top);
        appendInt16(bytes, block.left);
    }
    return bytes;
}

} // namespace levelfile
