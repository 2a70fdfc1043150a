// Saved game bytes.
#include "game/saved_game.h"

#include "levelfile/int16.h"

namespace game {
namespace {

std::int16_t fieldAt(const QByteArray &bytes, int field)
{
    return levelfile::readInt16(bytes.constData() + 2 * field);
}

} // namespace

QByteArray SavedGame::bytes() const
{
    QByteArray bytes;
    for (std::int16_t field : {lives, level, score, length, rychlost})
        levelfile::appendInt16(bytes, field);
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
