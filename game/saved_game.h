// The saved game: lives, level index, score, snake length and tick interval,
// five 16-bit signed little-endian integers.
#pragma once

#include "levelfile/grid.h"

#include <QByteArray>

#include <cstdint>
#include <optional>

namespace game {

struct SavedGame {
    std::int16_t lives = 0;
    std::int16_t level = 0;
    std::int16_t score = 0;
    std::int16_t length = 0;
    std::int16_t rychlost = 0;

    static constexpr int fileSize = 10;
    // The most sprites a snake can have: one on every cell of the field.
    static constexpr int longestSnake = grid::side * grid::side;

    QByteArray bytes() const;
    // The game the bytes hold, or nullopt when they are too short or hold
    // values no game can reach.
    static std::optional<SavedGame> fromBytes(const QByteArray &bytes);
};

} // namespace game
