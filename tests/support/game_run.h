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

namespace msg {
inline const QString crashed = QStringLiteral("Korvo: Naboural jsi!");
inline const QString gameOver = QStringLiteral("THE END: Chcípls...");
inline const QString nextLevel = QStringLiteral("Korvo: Pozor, jdeš do dalšího levelu!");
inline const QString nextStage = QStringLiteral("Korvo: Přežil jsi první etapu, hurá do další - rychlejší!");
inline const QString won = QStringLiteral("Korvo: Dohrál jsi tuto hru!");
} // namespace msg

// What a player reads off the window, and whether a game runs.
struct Shown {
    QStringList labels; // score, level, lives, remaining
    int snake;          // sprites
    int interval;       // of the game tick
    bool inGame;        // prechod
    bool paused;        // prechod2
    bool hallEnabled;   // "Síň slávy"
    bool operator==(const Shown &) const = default;
};
Q_DECLARE_METATYPE(Shown)

template<>
inline char *QTest::toString(const Shown &s)
{
    return toString(QStringLiteral("labels %1, snake %2, interval %3, in game %4, paused %5, hall enabled %6")
                        .arg(s.labels.join(' ')).arg(s.snake).arg(s.interval).arg(s.inGame).arg(s.paused).arg(s.hallEnabled));
}

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

    Shown shown() const
    {
        return {{form.Label2->text(), form.Label4->text(), form.Label6->text(), form.Label8->text()},
                form.Image1.size(), form.Timer1.interval(), form.prechod == -1, form.prechod2 == -1, form.mnSin->isEnabled()};
    }
    bool running() const { return form.prechod == -1 && form.Timer1.isRunning(); }
    game::HallTable hall() const { return form.hallWindow()->table(); }
    QPoint head() const { return at(form.Image1, 0); }
    QPoint nextCell() const { return head() + QPoint(form.horiz * form.dirx * 9, form.vert * form.diry * 9); }
    QList<int> direction() const { return {form.dirx, form.diry, form.vert, form.horiz}; }

    // The cells, as (left, top), that the next level setup gives food items 1 to 4.
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
    // Moves the first uneaten food item onto the head's next cell and ticks.
    void eat(int count = 1)
    {
        for (int i = 0; i < count; ++i) {
            for (int f = 1; f <= 4; ++f) {
                if (form.Image2.visible(f)) {
                    put(form.Image2, f, nextCell());
                    break;
                }
            }
            ticks(1);
        }
    }
    // Makes the next item eaten the last of the level, and eats it.
    void finishLevel()
    {
        form.batches = 2;
        form.eaten = 3;
        form.remaining = 1;
        eat();
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
