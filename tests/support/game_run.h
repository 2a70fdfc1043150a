// A game window on a program folder over scripted boxes and random numbers, and how tests play it.
// The windows name this fixture their friend: what it hands out is all that tests see of their insides.
#pragma once

#include "game/form1.h"
#include "game/form2.h"
#include "game/form3.h"
#include "platform/clickable_label.h"
#include "platform/playfield.h"

#include "scripted_dialogs.h"
#include "scripted_random.h"
#include "temp_program_folder.h"

#include <QAction>
#include <QLabel>
#include <QTest>

#include <algorithm>

inline QPoint at(const platform::SpriteCollection &sprites, int index) { return {sprites.left(index), sprites.top(index)}; }
inline void put(platform::SpriteCollection &sprites, int index, QPoint cell)
{
    sprites.setLeft(index, std::int16_t(cell.x()));
    sprites.setTop(index, std::int16_t(cell.y()));
}

struct GameRun {
    explicit GameRun(const std::filesystem::path &folder) : form(dialogs, random, folder), loaded(form.Form_Load()) {}

    ScriptedDialogs dialogs;
    ScriptedRandom random;
    game::Form1 form;
    bool loaded; // false when the program would have stopped

    platform::SpriteCollection &snake = form.Image1;
    platform::SpriteCollection &food = form.Image2;
    platform::SpriteCollection &walls = form.Image3;
    platform::Playfield *const playfield = form.Picture1;
    QAction &mnNova = *form.mnNova;
    QAction &mnPokracuj = *form.mnPokracuj;
    QAction &mnPause = *form.mnPause;
    QAction &mnSin = *form.mnSin;
    QAction &mnExit = *form.mnExit;
    QAction &mnOProgramu = *form.mnOProgramu;

    game::Form2 &about() { return *form.aboutWindow(); }
    game::Form3 &hallWindow() const { return *form.form3; }
    platform::Timer &aboutTimer() { return about().Timer1; }
    QPoint aboutHead() { return at(about().Image1, 0); }
    void aboutTicks(int count)
    {
        while (count-- > 0)
            aboutTimer().expire();
        about().Picture1->flushChanges();
    }

    // Score, level, lives and food left, as the labels show them.
    QString labels() const
    {
        return QStringList{form.Label2->text(), form.Label4->text(), form.Label6->text(), form.Label8->text()}.join(' ');
    }
    // What a player sees: the tick, the labels, the sprites shown, the menu items and windows.
    QString shown()
    {
        const auto visible = [](const platform::SpriteCollection &sprites) {
            return std::ranges::count_if(sprites.all(), &platform::Sprite::visible);
        };
        QString text = QStringLiteral("%1 ms, %2, snake %3, food %4, walls %5")
                           .arg(form.Timer1.interval()).arg(labels()).arg(snake.size())
                           .arg(visible(food)).arg(visible(walls));
        const bool aboutShown = form.form2 && form.form2->isVisible();
        return text + (mnSin.isEnabled() ? ", Síň slávy" : "") + (form.prechod2 ? ", paused" : "")
               + (mnPause.isChecked() ? " (checked)" : "")
               + (hallWindow().isVisible() ? ", hall shown" : "") + (aboutShown ? ", About shown" : "");
    }
    bool running() const { return form.prechod == -1 && form.Timer1.isRunning(); }
    game::HallTable hall() const { return hallWindow().table(); }
    QPoint head() const { return at(snake, 0); }

    void startGame() { mnNova.trigger(); }
    void setupLevel() { form.setup_level(); }
    // Puts food item index on cell, as a draw would, and lets the game move it off a wall.
    void drop(int index, QPoint cell)
    {
        put(food, index, cell);
        form.repairFood(index);
    }
    void press(Qt::Key key) { QTest::keyClick(playfield, key); }
    void ticks(int count)
    {
        while (count-- > 0)
            form.Timer1.expire();
    }
    // Makes the item on the cell above the head, where a snake from its start goes, the last of the level.
    void finishLevel()
    {
        form.batches = 2;
        form.eaten = 3;
        form.remaining = 1;
        put(food, 1, head() - QPoint(0, 9));
        food.setVisible(1, true);
        ticks(1);
    }
    // Steers the snake from its start cell down off the field: one crash.
    void crashOnce()
    {
        form.reset_snake();
        press(Qt::Key_Down);
        ticks(1);
    }
    // Loses the last life with this score and types the name into the hall; no name cancels the box.
    void endWithScore(std::int16_t score, const QString &name)
    {
        form.score = score;
        form.lives = 1;
        if (!name.isEmpty())
            dialogs.inputs.push_back(name);
        crashOnce();
    }
    // A longer snake back on its start, the body parked off the field.
    void growSnakeTo(int length)
    {
        while (snake.size() < length)
            snake.setVisible(snake.create(), true);
        form.reset_snake();
    }
};

// A level file holding blocks given as (left, top) points.
inline QByteArray level(const QList<QPoint> &blocks)
{
    QList<int> values{int(blocks.size()) + 1};
    for (QPoint block : blocks)
        values << block.y() << block.x();
    return int16s(values);
}

// A game on a folder of its own.
struct Game : TempProgramFolder, GameRun {
    Game() : GameRun(path()) {}
};
