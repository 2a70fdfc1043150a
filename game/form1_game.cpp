// A game's life: a new game, continuing a saved one, saving it at each new
// level, crashes, the end of a game and its entry in the hall of fame.
#include "game/form1.h"

#include "game/form2.h"
#include "game/form3.h"
#include "game/hall_file.h"
#include "game/saved_game.h"
#include "levelfile/int16.h"
#include "platform/application.h"
#include "platform/dialogs.h"
#include "platform/files.h"

#include <QAction>
#include <QLabel>

namespace game {

using levelfile::wrapInt16;

void Form1::mnNova_Click()
{
    if (prechod == -1)
        return;
    if (form2)
        form2->hide();
    form3->hide();
    mnSin->setEnabled(false);

    rychlost = 200;
    prechod = -1;
    lives = 3;
    score = 0;
    level = 0;
    remaining = 12;
    eaten = 0;
    batches = 0;
    dirx = 1;
    diry = -1;
    vert = 1;
    showValues();
    startGame();
}

void Form1::showValues()
{
    Label2->setNum(score);
    Label4->setNum(wrapInt16(level + 1));
    Label6->setNum(lives);
    Label8->setNum(remaining);
}

void Form1::createFood()
{
    Image2.destroyFrom(1);
    for (int i = 1; i <= 4; ++i)
        Image2.create();
}

void Form1::startGame()
{
    createFood();
    setup_level();
    Timer1.setInterval(rychlost);
}

void Form1::crash()
{
    lives = wrapInt16(lives - 1);
    if (lives <= 0) {
        message(QStringLiteral("Chcípls..."), QStringLiteral("THE END"));
        Timer1.setInterval(0);
        hall_entry();
        end_game();
        return;
    }
    Label6->setNum(lives);
    reset_snake();
    dirx = 1;
    vert = 1;
    diry = -1;
    horiz = 0;
    message(QStringLiteral("Naboural jsi!"));
}

void Form1::end_game()
{
    Label2->setNum(score);
    Label4->setNum(1);
    Label6->setNum(lives);
    reset_snake();
    for (int i = 1; i < Image3.size(); ++i)
        Image3.setVisible(i, false);
    Image2.destroyFrom(1);
    Image1.destroyFrom(3);
    prechod = 0;
    prechod2 = 0;
    mnSin->setEnabled(true);
}

void Form1::save_game()
{
    const SavedGame saved{lives, level, wrapInt16(level * 120), wrapInt16(Image1.size()), rychlost};
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

void Form1::hall_entry()
{
    const std::optional<int> k = hall_file::placeFor(form3->table(), score);
    if (!k)
        return;
    const QString typed = dialogs.input(QStringLiteral("Tvé skóre je hodno na zápis do síně slávy!"),
                                        QStringLiteral("Síň slávy"));
    form3->enter(*k, {hall_file::storableName(typed), QString::number(score)});
    platform::showInFront(*form3);
    // Kept on disk at once, so that the entry outlives a crash of the
    // program as well as its ordinary end. A failure here is told only by
    // the write at close.
    form3->save(hallFile());
}

} // namespace game
