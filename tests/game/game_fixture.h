// A game window over scripted boxes, scripted random numbers and a
// throw-away program folder, and the ways the tests set up and play a game.
#pragma once

#include "game/form1.h"
#include "platform/playfield.h"

#include "scripted_dialogs.h"
#include "scripted_random.h"
#include "temp_program_folder.h"

#include <QLabel>
#include <QList>
#include <QPoint>
#include <QTest>

#include <string>

// The messages as ScriptedDialogs records them, "title: text".
namespace msg {
inline const QString crashed = QStringLiteral("Korvo: Naboural jsi!");
inline const QString gameOver = QStringLiteral("THE END: Chcípls...");
inline const QString nextLevel = QStringLiteral("Korvo: Pozor, jdeš do dalšího levelu!");
inline const QString nextStage = QStringLiteral("Korvo: Přežil jsi první etapu, hurá do další - rychlejší!");
inline const QString won = QStringLiteral("Korvo: Dohrál jsi tuto hru!");
} // namespace msg

// The bytes of 16-bit values, least significant byte first.
inline QByteArray int16s(const QList<int> &values)
{
    QByteArray bytes;
    for (int value : values)
        bytes.append(static_cast<char>(value & 0xFF)).append(static_cast<char>((value >> 8) & 0xFF));
    return bytes;
}

inline QColor textColour(const QWidget *label)
{
    return label->palette().color(QPalette::WindowText);
}

struct GameFixture {
    ScriptedDialogs dialogs;
    ScriptedRandom random;
    TempProgramFolder folder;
    game::Form1 window{dialogs, random, folder.path()};

    explicit GameFixture(const QByteArray &levelCount = "3") { write("levels/levels.ini", levelCount + "\r\n"); }

    void write(const std::string &file, const QByteArray &bytes) const { folder.write(file, bytes.toStdString()); }
    QByteArray read(const std::string &file) const { return QByteArray::fromStdString(folder.read(file)); }

    // A level file holding blocks given as (left, top) points.
    void writeLevel(int index, const QList<QPoint> &blocks) const
    {
        QList<int> values{static_cast<int>(blocks.size()) + 1};
        for (QPoint block : blocks)
            values << block.y() << block.x();
        write("levels/level" + std::to_string(index) + ".lvl", int16s(values));
    }

    // The cells, as (left, top), that the next level setup gives food items 1 to 4.
    void placeNextFood(const QList<QPoint> &cells)
    {
        for (QPoint cell : cells) {
            for (int c : {cell.y(), cell.x()})
                random.values.push_back((c - 9 + 0.5) / 252);
        }
    }

    void load() { QVERIFY(window.Form_Load()); }

    // The window started and a new game begun with food at the given cells.
    void startGame(const QList<QPoint> &food = {})
    {
        load();
        placeNextFood(food);
        window.mnNova_Click();
    }

    void ticks(int count)
    {
        for (int i = 0; i < count; ++i)
            window.Timer1.expire();
    }

    QPoint snake(int index) const { return {window.Image1.left(index), window.Image1.top(index)}; }
    QPoint head() const { return snake(0); }
    QPoint food(int index) const { return {window.Image2.left(index), window.Image2.top(index)}; }
    QList<int> direction() const { return {window.dirx, window.diry, window.vert, window.horiz}; }
    // What the value labels show: score, level, lives, remaining.
    QStringList labels() const
    {
        return {window.Label2->text(), window.Label4->text(), window.Label6->text(), window.Label8->text()};
    }

    static void put(platform::SpriteCollection &sprites, int index, QPoint cell)
    {
        sprites.setLeft(index, static_cast<std::int16_t>(cell.x()));
        sprites.setTop(index, static_cast<std::int16_t>(cell.y()));
    }

    // The cell the head moves to at the next tick.
    QPoint nextCell() const
    {
        return head() + QPoint(window.horiz * window.dirx * 9, window.vert * window.diry * 9);
    }

    // Moves the first uneaten food item onto the head's next cell and ticks.
    void eat(int count = 1)
    {
        for (int i = 0; i < count; ++i) {
            for (int f = 1; f <= 4; ++f) {
                if (window.Image2.visible(f)) {
                    put(window.Image2, f, nextCell());
                    break;
                }
            }
            ticks(1);
        }
    }

    // Steers the snake from its start cell down off the field: one crash.
    void crashOnce()
    {
        window.reset_snake();
        window.Picture1_KeyDown(platform::key::down);
        ticks(1);
    }

    // Makes the snake this many sprites long, the new ones on the head's cell.
    void growSnakeTo(int length)
    {
        while (window.Image1.size() < length)
            window.Image1.setVisible(window.Image1.create(), true);
    }

    // Makes the next item eaten the last of the level: three of the four
    // items of the third set eaten.
    void lastItemOfLevelAhead()
    {
        window.batches = 2;
        window.eaten = 3;
        window.remaining = 1;
    }

    void setSpeed(int ms)
    {
        window.rychlost = static_cast<std::int16_t>(ms);
        window.Timer1.setInterval(window.rychlost);
    }
};
