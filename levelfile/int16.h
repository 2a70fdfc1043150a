// The 16-bit signed integers of the binary data files: two bytes, the least
// significant first.
#pragma once

#include <cstdint>

namespace levelfile {

// The low 16 bits of value as a signed integer: the files' integers, and
// the game's counters and positions that they hold, wrap around.
constexpr std::int16_t wrapInt16(int value)
{
    return static_cast<std::int16_t>(value);
}

inline std::int16_t readInt16(const char *bytes)
{
    const auto low = static_cast<unsigned char>(bytes[0]);
    const auto high = static_cast<unsigned char>(bytes[1]);
    return wrapInt16(low | (high << 8));
}

// Appends the two bytes of value to any container of char.
template<typename Bytes>
void appendInt16(Bytes &out, std::int16_t value)
{
    const auto bits = static_cast<std::uint16_t>(value);
    out.push_back(static_cast<char>(bits & 0xFF));
    out.push_back(static_cast<char>(bits >> 8));
}

} // namespace levelfile
