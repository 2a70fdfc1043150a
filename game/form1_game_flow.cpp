// Starting a game, losing a life and returning to the idle window.
#include "game/form1.h"

#include "game/form2.h"
#include "game/form3.h"

#include <QAction>
#include <QLabel>

namespace game {

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
    Label4->setNum(static_cast<std::int16_t>(level + 1));
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
    lives = static_cast<std::int16_t>(lives - 1);
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

} // namespace game
