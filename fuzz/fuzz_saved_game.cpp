// The saved game: ten bytes taken whole, with every value one that a game
// can reach, or refused; never taken in part.
#include "fuzz_support.h"

#include "game/saved_game.h"

namespace {

using game::SavedGame;

std::int16_t fieldAt(const std::uint8_t *data, int field)
{
    return static_cast<std::int16_t>(data[2 * field] | (data[2 * field + 1] << 8));
}

bool reachable(const std::uint8_t *data)
{
    const std::int16_t lives = fieldAt(data, 0);
    const std::int16_t level = fieldAt(data, 1);
    const std::int16_t length = fieldAt(data, 3);
    const std::int16_t rychlost = fieldAt(data, 4);
    return lives >= 1 && level >= 0 && length >= 1 && length <= SavedGame::longestSnake && rychlost > 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const auto saved = SavedGame::fromBytes(input);
    const bool whole = size >= SavedGame::fileSize;
    fuzz::check(saved.has_value() == (whole && reachable(data)), "taken exactly when whole and reachable");
    if (saved)
        fuzz::check(saved->bytes() == input.first(SavedGame::fileSize), "the values are the file's ten bytes");
    return 0;
}
