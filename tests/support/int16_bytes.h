// The bytes of 16-bit values as the data files hold them, low byte first.
#pragma once

#include <initializer_list>
#include <string>

inline std::string int16s(std::initializer_list<int> values)
{
    std::string bytes;
    for (int value : values) {
        bytes += static_cast<char>(value & 0xFF);
        bytes += static_cast<char>((value >> 8) & 0xFF);
    }
    return bytes;
}
