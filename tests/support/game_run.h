// A game window on a program folder over scripted boxes and random numbers, and how tests play it.
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
                           .arg(form.Timer1.interval()).arg(labels()).arg(form.Image1.size())
                           .arg(visible(form.Image2)).arg(visible(form.Image3));
        const bool about = form.hasAboutWindow() && form.aboutWindow()->isVisible();
        return text + (form.mnSin->isEnabled() ? ", Síň slávy" : "") + (form.prechod2 ? ", paused" : "")
               + (form.mnPause->isChecked() ? " (checked)" : "")
               + (form.hallWindow()->isVisible() ? ", hall shown" : "") + (about ? ", About shown" : "");
    }
    bool running() const { return form.prechod == -1 && form.Timer1.isRunning(); }
    game::HallTable hall() const { return form.hallWindow()->table(); }
    QPoint head() const { return at(form.Image1, 0); }

    // The cells, as (left, top), that the next level setups give food items 1 to 4, 1 to 4, ...
    void placeNextFood(const QList<QPoint> &cells)
    {
        for (QPoint cell : cells)
            random.values.insert(random.values.end(), {(cell.y() - 9 + 0.5) / 252, (cell.x() - 9 + 0.5) / 252});
    }
    void startGame(const QList<QPoint> &food = {}) { placeNextFood(food), form.mnNova_Click(); }
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
        put(form.Image2, 1, head() - QPoint(0, 9));
        form.Image2.setVisible(1, true);
        ticks(1);
    }
    // Steers the snake from its start cell down off the field: one crash.
    void crashOnce()
    {
        form.reset_snake();
        form.Picture1_KeyDown(platform::key::down);
        ticks(1);
    }
    // Loses the last life with this score and types the name into the hall.
    void endWithScore(std::int16_t score, const QString &name)
    {
        form.score = score;
        form.lives = 1;
        dialogs.inputs.push_back(name);
        crashOnce();
    }
    void growSnakeTo(int length)
    {
        while (form.Image1.size() < length)
            form.Image1.setVisible(form.Image1.create(), true);
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
