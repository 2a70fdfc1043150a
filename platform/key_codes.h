// Virtual key codes of the keys the game listens to.
#pragma once

#include <cstdint>

namespace platform {

namespace key {
constexpr std::int16_t left = 37;
constexpr std::int16_t up = 38;
constexpr std::int16_t right = 39;
constexpr std::int16_t down = 40;
} // namespace key

// The virtual key code of a Qt key, 0 for keys without one here.
std::int16_t virtualKeyCode(int qtKey);

} // namespace platform
