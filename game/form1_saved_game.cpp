// Writing the saved game at each new level and stage, and continuing from it.
#include "game/form1.h"

#include "game/saved_game.h"
#include "platform/file_replacement.h"

#include <QAction>

namespace game {

void Form1::save_game()
{
    const SavedGame saved{lives, level, static_cast<std::int16_t>(level * 120),
                          static_cast<std::int16_t>(Image1.size()), rychlost};
    // Replaced whole, so a failed write leaves the previous saved game; the
    // game goes on without a message either way.
    platform::replaceFile(savedGameFile(), saved.bytes());
}

void Form1::mnPokracuj_Click()
{
    if (prechod == -1)
        return;
    const auto saved = SavedGame::fromBytes(platform::readFileStart(savedGameFile(), SavedGame::fileSize).value_or(QByteArray()));
    if (!saved)
        return;

    Image1.destroyFrom(3);
    lives = saved->lives;
    level = saved->level;
    score = saved->score;
    rychlost = saved->rychlost;
    for (int i = 3; i < saved->length; ++i)
        Image1.setVisible(Image1.create(), true);

    remaining = 12;
    showValues();
    mnSin->setEnabled(false);
    batches = 0;
    eaten = 0;
    prechod = -1;
    dirx = 1;
    diry = -1;
    vert = 1;
    startGame();
}

} // namespace game
