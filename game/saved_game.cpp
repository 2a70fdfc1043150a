// Saved game bytes.
#include "game/saved_game.h"

#include <array>

namespace game {
namespace {

void append(QByteArray &bytes, std::int16_t value)
{
    const auto bits = static_cast<std::uint16_t>(value);
    bytes.append(static_cast<char>(bits & 0xFF));
    bytes.append(static_cast<char>(bits >> 8));
}

std::int16_t fieldAt(const QByteArray &bytes, int field)
{
    const auto low = static_cast<unsigned char>(bytes[2 * field]);
    const auto high = static_cast<unsigned char>(bytes[2 * field + 1]);
    return static_cast<std::int16_t>(low | (high << 8));
}

} // namespace

QByteArray SavedGame::bytes() const
{
    QByteArray bytes;
    for (std::int16_t field : {lives, level, score, length, rychlost})
        append(bytes, field);
    return bytes;
}

std::optional<SavedGame> SavedGame::fromBytes(const QByteArray &bytes)
{
    if (bytes.size() < fileSize)
        return std::nullopt;
    const SavedGame game{fieldAt(bytes, 0), fieldAt(bytes, 1), fieldAt(bytes, 2), fieldAt(bytes, 3), fieldAt(bytes, 4)};
    if (game.lives < 1 || game.level < 0 || game.length < 1 || game.length > longestSnake || game.rychlost <= 0)
        return std::nullopt;
    return game;
}

} // namespace game
