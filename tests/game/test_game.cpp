// The game: one whole game played to its win, the rules it does not reach, its windows and its bad files.
#include "file_fault.h"
#include "game_run.h"
#include "reference_picture.h"
#include "row_compare.h"

#include "platform/application.h"

#include <QMenu>
#include <QMenuBar>
#include <QScreen>

#include <climits>
#include <cmath>
#include <deque>
#include <map>
#include <optional>

namespace {

const QString crashed = QStringLiteral("Korvo: Naboural jsi!");
const QString nextLevel = QStringLiteral("Korvo: Pozor, jdeš do dalšího levelu!");
const QString nextStage = QStringLiteral("Korvo: Přežil jsi první etapu, hurá do další - rychlejší!");
// The hall as the program first knows it, in Windows-1250; a stored hall ("Hňup" holds the byte F2).
const QByteArray initialHall("Super-kolik\r\n1000\r\nAmat\xE9r\r\n800\r\nH\xF2up\r\n600\r\nVoby\xE8" "ejnej-kolik\r\n400\r\nNikdo\r\n200\r\n");
const QByteArray storedGame = int16s({3, 0, 0, 6, 200});
const QByteArray storedHall("Jana\r\n950\r\nPetr\r\n700\r\nH\xF2up\r\n600\r\nEva\r\n401\r\n\r\n5\r\n");
// What the offscreen platform says when a window is brought to the front or shown at a fixed size.
const char *const cannotRaise = "This plugin does not support raise()";
const char *const cannotHint = "This plugin does not support propagateSizeHints()";

// The stored hall and a saved game of the first level, then relative replaced by contents.
void fill(const TempProgramFolder &folder, const std::filesystem::path &relative, const QByteArray &contents)
{
    folder.write("data/hal.hal", storedHall);
    folder.write("data/user.pla", storedGame);
    if (!relative.empty())
        folder.put(relative, contents);
}

// Presses the arrow key that starts a shortest way to food, around walls and the body (a body
// sprite's cell counts as free once that sprite will have moved on); false when no food is in reach.
bool steer(GameRun &game)
{
    constexpr std::size_t off = 900; // every cell off the field, never free
    const auto cell = [](QPoint p) { return p.x() < 0 || p.y() < 0 || p.x() >= 270 || p.y() >= 270 ? off : std::size_t(p.y() / 9 * 30 + p.x() / 9); };
    std::vector<int> freeFrom(off + 1, 0), firstKey(off + 1, -1);
    freeFrom[off] = INT_MAX;
    for (int k = 1; k < game.walls.size(); ++k)
        freeFrom[cell(at(game.walls, k))] = INT_MAX;
    for (int i = 1, n = game.snake.size(); i < n; ++i)
        freeFrom[cell(at(game.snake, i))] = std::max(freeFrom[cell(at(game.snake, i))], n - i + 1);
    const QPoint steps[] = {{-9, 0}, {0, -9}, {9, 0}, {0, 9}}; // as the arrow keys left, up, right, down
    std::deque<std::pair<QPoint, int>> queue{{game.head(), 0}};
    firstKey[cell(game.head())] = 4;
    for (; !queue.empty(); queue.pop_front()) {
        const auto [p, distance] = queue.front();
        for (int f = 1; distance > 0 && f <= 4; ++f) {
            if (game.food.visible(f) && at(game.food, f) == p) {
                game.press(Qt::Key(Qt::Key_Left + firstKey[cell(p)]));
                return true;
            }
        }
        for (int k = 0; k < 4; ++k) {
            const std::size_t next = cell(p + steps[k]);
            if (firstKey[next] == -1 && freeFrom[next] <= distance + 1) {
                firstKey[next] = distance == 0 ? k : firstKey[cell(p)];
                queue.push_back({p + steps[k], distance + 1});
            }
        }
    }
    return false;
}

// The boxes a game shows, each with what the window shows meanwhile and the saved game it writes.
struct Recorder {
    const TempProgramFolder &folder;
    QStringList trace{};
    QByteArray saved{};

    void watch(GameRun &game)
    {
        game.dialogs.whileOpen = [this, &game](const ScriptedDialogs::Shown &box) { trace << box.title + ": " + box.text + " | " + game.shown(); };
    }
    QString next() { return trace.isEmpty() ? QStringLiteral("<no box>") : trace.takeFirst(); }
    // Steers and ticks until done() holds; false when the steering fails.
    bool play(GameRun &game, const std::function<bool()> &done)
    {
        for (int tick = 0; !done(); ++tick) {
            if (tick > 50000 || !steer(game))
                return false;
            game.ticks(1);
            if (folder.read("data/user.pla") != saved)
                trace.last() += ", saved " + (saved = folder.read("data/user.pla")).toHex(' ');
        }
        return true;
    }
    bool playToNextBox(GameRun &game)
    {
        const std::size_t boxes = game.dialogs.shown.size();
        return play(game, [&] { return game.dialogs.shown.size() > boxes; });
    }
};

} // namespace

class TestGame : public QObject
{
    Q_OBJECT

private slots:
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral(".*"))); }

    // A game of two levels from "Nová hra" to its win: two lives lost, the program ended and the game
    // continued with one life, the commands that a game locks tried on the way; then a game lost in
    // its third set, and continued. Each box, set, level and stage change is a point of its own.
    void wholeGame()
    {
        TempProgramFolder folder;
        folder.write("levels/levels.ini", "2\r\n");
        folder.write("levels/level0.lvl", level({{0, 126}, {0, 135}}));
        folder.write("levels/level1.lvl", level({{0, 126}, {0, 135}, {0, 144}}));
        Recorder game{folder};
        // Draws spread over [0, 1) for sixty sets of four food items.
        const auto spreadDraws = [](ScriptedRandom &random) { for (int k = 1; k <= 2 * 4 * 60; ++k) random.values.push_back(std::fmod(k * 0.618034, 1.0)); };
        std::optional<GameRun> run(std::in_place, folder.path());
        game.watch(*run);
        run->press(Qt::Key_Left);
        run->mnPause.trigger();
        ROW_COMPARE("idle: a key neither steers nor pauses", run->shown(), "0 ms, 0 1 3 12, snake 3, food 0, walls 0, Síň slávy");
        spreadDraws(run->random);
        run->startGame();
        ROW_COMPARE("Nová hra", run->shown(), "200 ms, 0 1 3 12, snake 3, food 4, walls 2");
        QVERIFY(game.play(*run, [&] { return run->labels().endsWith(" 8"); }));
        ROW_COMPARE("a set eaten: four new items", run->shown(), "200 ms, 40 1 3 8, snake 7, food 4, walls 2");
        QVERIFY(game.playToNextBox(*run));
        ROW_COMPARE("level 1 won, saved shortened", game.next(), nextLevel + " | 200 ms, 120 2 3 12, snake 15, food 0, walls 2, saved 03 00 01 00 78 00 07 00 c8 00");
        run->crashOnce();
        run->crashOnce();
        ROW_COMPARE("a crash", game.next(), crashed + " | 200 ms, 120 2 2 12, snake 7, food 4, walls 3");
        ROW_COMPARE("a second crash", game.next(), crashed + " | 200 ms, 120 2 1 12, snake 7, food 4, walls 3");
        QVERIFY(game.playToNextBox(*run));
        ROW_COMPARE("stage 1 won, faster", game.next(), nextStage + " | 180 ms, 240 3 1 12, snake 19, food 0, walls 3, saved 01 00 00 00 00 00 13 00 b4 00");
        QVERIFY(game.play(*run, [&] { return run->snake.size() > 19; }));
        run->mnExit.trigger();
        QCOMPARE(folder.read("data/hal.hal"), initialHall);

        run.emplace(folder.path());
        game.watch(*run);
        spreadDraws(run->random);
        run->mnPokracuj.trigger();
        ROW_COMPARE("Pokračuj ve hře", run->shown(), "180 ms, 0 1 1 12, snake 19, food 4, walls 2");
        const QPoint head = run->head();
        for (const QString state : {"running", "paused"}) {
            if (state == "paused")
                run->mnPause.trigger();
            // Each command as its menu item would run it, greyed out or not: the command itself refuses.
            for (QAction *command : {&run->mnNova, &run->mnPokracuj, &run->mnSin, &run->mnOProgramu})
                emit command->triggered();
            ROW_COMPARE(qPrintable(state + ": the other commands refused"), run->shown(),
                        state == "running" ? "180 ms, 0 1 1 12, snake 19, food 4, walls 2"
                                           : "0 ms, 0 1 1 12, snake 19, food 4, walls 2, paused (checked)");
        }
        run->mnPause.trigger();
        ROW_COMPARE("resumed", run->shown(), "180 ms, 0 1 1 12, snake 19, food 4, walls 2");
        QCOMPARE(run->head(), head);
        run->dialogs.inputs.push_back(QStringLiteral("Vítěz"));
        QTest::ignoreMessage(QtWarningMsg, cannotRaise); // the hall comes to the front
        QVERIFY(game.play(*run, [&] { return !run->running(); }));
        ROW_COMPARE("stage 2, level 1 won", game.next(), nextLevel + " | 180 ms, 120 2 1 12, snake 31, food 0, walls 2, saved 01 00 01 00 78 00 0f 00 b4 00");
        ROW_COMPARE("stage 2 won", game.next(), nextStage + " | 160 ms, 240 3 1 12, snake 27, food 0, walls 3, saved 01 00 00 00 00 00 1b 00 a0 00");
        ROW_COMPARE("stage 3, level 1 won", game.next(), nextLevel + " | 160 ms, 360 2 1 12, snake 39, food 0, walls 2, saved 01 00 01 00 78 00 13 00 a0 00");
        ROW_COMPARE("stage 3 won", game.next(), nextStage + " | 140 ms, 480 3 1 12, snake 31, food 0, walls 3, saved 01 00 00 00 00 00 1f 00 8c 00");
        ROW_COMPARE("stage 4, level 1 won", game.next(), nextLevel + " | 140 ms, 600 2 1 12, snake 43, food 0, walls 2, saved 01 00 01 00 78 00 15 00 8c 00");
        ROW_COMPARE("stage 4 won", game.next(), nextStage + " | 120 ms, 720 3 1 12, snake 33, food 0, walls 3, saved 01 00 00 00 00 00 21 00 78 00");
        ROW_COMPARE("stage 5, level 1 won", game.next(), nextLevel + " | 120 ms, 840 2 1 12, snake 45, food 0, walls 2, saved 01 00 01 00 78 00 16 00 78 00");
        ROW_COMPARE("stage 5 won", game.next(), nextStage + " | 100 ms, 960 3 1 12, snake 34, food 0, walls 3, saved 01 00 00 00 00 00 22 00 64 00");
        ROW_COMPARE("stage 6, level 1 won", game.next(), nextLevel + " | 100 ms, 1080 2 1 12, snake 46, food 0, walls 2, saved 01 00 01 00 78 00 16 00 64 00");
        ROW_COMPARE("stage 6 won", game.next(), nextStage + " | 80 ms, 1200 3 1 12, snake 34, food 0, walls 3, saved 01 00 00 00 00 00 22 00 50 00");
        ROW_COMPARE("stage 7, level 1 won", game.next(), nextLevel + " | 80 ms, 1320 2 1 12, snake 46, food 0, walls 2, saved 01 00 01 00 78 00 16 00 50 00");
        ROW_COMPARE("stage 7 won: the game won", game.next(), "Korvo: Dohrál jsi tuto hru! | 60 ms, 1440 3 1 12, snake 34, food 0, walls 3");
        ROW_COMPARE("the hall's name box", game.next(), "Síň slávy: Tvé skóre je hodno na zápis do síně slávy! | 0 ms, 1440 3 1 12, snake 34, food 0, walls 3");
        ROW_COMPARE("won", run->shown(), "0 ms, 1440 1 1 12, snake 3, food 0, walls 0, Síň slávy, hall shown");
        QCOMPARE(folder.read("data/hal.hal"), "V\xEDt\xECz\r\n1440\r\n" + initialHall.mid(initialHall.indexOf("Amat")));

        run->startGame();
        ROW_COMPARE("Nová hra after a win", run->shown(), "200 ms, 0 1 3 12, snake 3, food 4, walls 2");
        QVERIFY(game.playToNextBox(*run));
        ROW_COMPARE("level 1 won again", game.next(), nextLevel + " | 200 ms, 120 2 3 12, snake 15, food 0, walls 2, saved 03 00 01 00 78 00 07 00 c8 00");
        QVERIFY(game.play(*run, [&] { return run->labels().endsWith(" 4"); }));
        for (int life = 3; life > 0; --life)
            run->crashOnce();
        ROW_COMPARE("a crash in the third set", game.next(), crashed + " | 200 ms, 200 2 2 4, snake 15, food 4, walls 3");
        ROW_COMPARE("a second crash in the third set", game.next(), crashed + " | 200 ms, 200 2 1 4, snake 15, food 4, walls 3");
        ROW_COMPARE("the last life lost", game.next(), "THE END: Chcípls... | 200 ms, 200 2 1 4, snake 15, food 4, walls 3");
        ROW_COMPARE("lost", run->shown(), "0 ms, 200 1 0 4, snake 3, food 0, walls 0, Síň slávy");
        run->mnPokracuj.trigger();
        ROW_COMPARE("Pokračuj ve hře after the loss", run->shown(), "200 ms, 120 2 3 12, snake 7, food 4, walls 3");
        QVERIFY(game.playToNextBox(*run));
        ROW_COMPARE("stage 1 won from the saved game", game.next(), nextStage + " | 180 ms, 240 3 3 12, snake 19, food 0, walls 3, saved 03 00 00 00 00 00 13 00 b4 00");
        QCOMPARE(game.next(), "<no box>");
    }

    // One tick after the keys (0 for "Přestávka") from a head put on a cell, with food where it should
    // go: the crashes (edges, walls shown or not, the body, one at a time) and the keys that steer.
    void oneTick()
    {
        const QPoint start(261, 261); // where a crash puts the head back
        struct Row { const char *name; QPoint head; QList<int> keys; QString wall; QPoint end; };
        const Row rows[] = {
            {"up from the top row", {99, 0}, {}, "", start},
            {"up onto the top row", {99, 9}, {}, "", {99, 0}},
            {"right from the right column", {261, 99}, {Qt::Key_Right}, "", start},
            {"right onto the right column", {252, 99}, {Qt::Key_Right}, "", {261, 99}},
            {"down from the bottom row", start, {Qt::Key_Down}, "", start},
            {"down onto the bottom row", {99, 252}, {Qt::Key_Down}, "", {99, 261}},
            {"left from the left column", {0, 99}, {Qt::Key_Left}, "", start},
            {"left onto the left column", {9, 99}, {Qt::Key_Left}, "", {0, 99}},
            {"onto a wall", start, {}, "shown", start},
            {"onto a hidden wall", start, {}, "hidden", start},
            {"onto a wall and the body", start, {}, "and body", start},
            {"left, then up: the last key counts", {99, 99}, {Qt::Key_Left, Qt::Key_Up}, "", {99, 90}},
            {"a key while paused", {99, 99}, {0, Qt::Key_Left, 0}, "", {99, 90}},
        };
        for (const Row &row : rows) {
            Game game;
            if (!row.wall.isEmpty())
                game.write("levels/level0.lvl", level({{261, 252}}));
            game.startGame();
            game.growSnakeTo(5);
            if (row.wall == "hidden")
                game.walls.setVisible(1, false);
            put(game.snake, 0, row.head);
            for (int i = 1; i <= 2 && row.wall == "and body"; ++i)
                put(game.snake, i, {261, 252});
            for (int key : row.keys)
                key == 0 ? game.mnPause.trigger() : game.press(Qt::Key(key));
            put(game.food, 1, row.end);
            game.ticks(1);
            const bool crash = row.end == start;
            ROW_COMPARE(row.name, game.dialogs.messages(), crash ? QStringList{crashed} : QStringList());
            ROW_COMPARE(row.name, game.head(), row.end);
            ROW_COMPARE(row.name, at(game.snake, 1), crash ? QPoint(270, 270) : row.head); // parked, or following
            ROW_COMPARE(row.name, at(game.snake, 4), QPoint(270, 270));
            ROW_COMPARE(row.name, game.labels(), QString(crash ? "0 1 2 12" : "10 1 3 11"));
        }
    }

    // Every visible item on the head's cell is eaten in the same tick, a hidden one not again; the end
    // of a level keeps (n - 1) / 2 sprites, a half rounded to the even side: 16 keep 8.
    void eating()
    {
        Game game;
        game.startGame();
        for (int f = 1; f <= 4; ++f)
            put(game.food, f, f < 4 ? QPoint(261, 252) : QPoint(99, 99));
        game.food.setVisible(2, false);
        game.ticks(1);
        QCOMPARE(game.shown(), "200 ms, 20 1 3 10, snake 5, food 1, walls 0");
        game.growSnakeTo(15);
        game.finishLevel();
        QCOMPARE(game.snake.size(), 8);
    }

    // Food takes its top, then its left, from two draws; each setup reseeds; the 28 cells 9 to 252
    // alike likely.
    void foodFromDraws()
    {
        Game game;
        game.random.values = {0.9999999, 0.0, 0.04, 0.5};
        game.startGame();
        QCOMPARE(at(game.food, 1), QPoint(9, 252));
        QCOMPARE(at(game.food, 2), QPoint(135, 18));
        QCOMPARE(game.random.draws, 8);
        QCOMPARE(game.random.reseeds, 1);
        for (int i = 0; i < 2 * 252; ++i)
            game.random.values.push_back(i == 2 * 252 - 1 ? 0.9999999 : (i % 252) / 252.0);
        std::map<int, int> seen;
        while (!game.random.values.empty()) {
            game.setupLevel();
            for (int f = 1; f <= 4; ++f)
                ++seen[game.food.top(f)], ++seen[game.food.left(f)];
        }
        QCOMPARE(game.random.reseeds, 1 + 2 * 252 / 8);
        QCOMPARE(seen.size(), std::size_t(28));
        for (const auto &[cell, count] : seen) {
            ROW_COMPARE(qPrintable(QString::number(cell)), cell % 9, 0);
            ROW_COMPARE(qPrintable(QString::number(cell)), count, 18);
        }
    }

    // Where setup leaves a food item drawn onto a wall, or beside one.
    void foodOffWalls()
    {
        QList<QPoint> ring;
        for (int d = 0; d < 9; ++d)
            ring << QPoint(81 + 9 * (d % 3), 81 + 9 * (d / 3));
        struct Row { const char *name; QList<QPoint> walls; QPoint drawn, placed; };
        const Row rows[] = {
            {"walled in: stays", ring, {90, 90}, {90, 90}},
            {"off the grid to 0", {{9, 9}, {18, 18}}, {9, 9}, {0, 0}},
            {"the first probe", {{90, 90}}, {90, 90}, {99, 99}},
            {"the third probe", {{90, 90}, {108, 90}}, {90, 90}, {90, 108}},
            {"beside a wall: stays", {{90, 90}}, {81, 90}, {81, 90}},
        };
        for (const Row &row : rows) {
            Game game;
            game.write("levels/level0.lvl", level(row.walls));
            game.startGame();
            game.drop(1, row.drawn);
            ROW_COMPARE(row.name, at(game.food, 1), row.placed);
        }
    }

    // The title, the menus, and the game under way with walls and food as a player sees it.
    void gameWindow()
    {
        Game game;
        QStringList items{game.form.windowTitle()};
        for (const QAction *action : game.form.menuBar()->actions()) {
            items << action->text();
            for (const QAction *item : action->menu() ? action->menu()->actions() : QList<QAction *>())
                items << (item->isSeparator() ? "-" : item->text() + " " + item->shortcut().toString()).trimmed();
        }
        QCOMPARE(items, (QStringList{"Tolmar Korvo v1.3", "Soubor", "Nová hra Ctrl+N", "Pokračuj ve hře Ctrl+O", "-",
                                     "Přestávka F1", "Síň slávy", "-", "Exit Ctrl+Q", "O Programu"}));
        game.write("levels/level0.lvl", level({{0, 126}, {9, 126}, {261, 0}}));
        platform::centreOnScreen(game.form); // as the program opens it: placed whole before it is shown
        const QRect placed = game.form.geometry();
        game.form.show();
        QCOMPARE(game.form.geometry(), placed);
        QCOMPARE(placed.center(), game.form.screen()->availableGeometry().center());
        game.startGame();
        for (int f = 1; QPoint cell : {QPoint(18, 27), QPoint(99, 45), QPoint(180, 252), QPoint(252, 9)})
            put(game.food, f++, cell);
        game.ticks(3);
        game.playfield->flushChanges();
        QVERIFY(looksAsReference(game.form, "game_form1"));
    }

    // Closing About or the hall by its label (a right click does not) restarts the tick of a game,
    // running or paused, the check mark kept, and stops About's animation.
    void backToTheGame()
    {
        const QString idle = "0 ms, 0 1 3 12, snake 3, food 0, walls 0, Síň slávy";
        const QString running = "170 ms, 0 1 3 12, snake 3, food 4, walls 0";
        const QString states[] = {idle, running, running + ", paused (checked)"};
        for (int row = 0; row < 6; ++row) {
            Game game;
            game.write("data/user.pla", int16s({3, 0, 0, 3, 140}));
            QTest::ignoreMessage(QtWarningMsg, cannotRaise);
            const bool about = row < 3;
            (about ? game.mnOProgramu : game.mnSin).trigger();
            QWidget *window = about ? static_cast<QWidget *>(&game.about()) : &game.hallWindow();
            QLabel *back = window->findChild<platform::ClickableLabel *>();
            if (row % 3 > 0)
                game.mnPokracuj.trigger();
            if (row % 3 == 2)
                game.mnPause.trigger();
            game.form.rychlost = 170;
            const QString name = (about ? "About, " : "hall, ") + states[row % 3];
            QTest::mouseClick(back, Qt::RightButton);
            ROW_COMPARE(qPrintable(name), window->isVisible(), true);
            QTest::mouseClick(back, Qt::LeftButton);
            ROW_COMPARE(qPrintable(name), game.shown(), states[row % 3]);
            ROW_COMPARE(qPrintable(name), game.aboutTimer().interval(), std::int16_t(0));
        }
    }

    // "O Programu" centred, the snake round its box and the text turned, as a player sees them; shown
    // again it goes on where it was. The hall as a player sees it, a hand over each way back. Closing
    // the game window by the window system writes the hall, closes every window and says nothing.
    void otherWindows()
    {
        Game game;
        for (const char *message : {cannotHint, cannotRaise, cannotRaise, cannotRaise})
            QTest::ignoreMessage(QtWarningMsg, message);
        game.form.show();
        game.mnOProgramu.trigger();
        game::Form2 &about = game.about();
        const auto offCentre = [&] { return (about.frameGeometry().center() - about.screen()->availableGeometry().center()).manhattanLength(); };
        QVERIFY(about.isVisible());
        QCOMPARE_LE(offCentre(), 2);
        QCOMPARE(game.aboutTimer().interval(), 150);
        QCOMPARE(game.form.Timer1.interval(), 0);
        game.aboutTicks(140); // a lap and 18 steps: the corner it starts from left empty
        QVERIFY(looksAsReference(about, "game_form2"));
        const QPoint head = game.aboutHead();
        QTest::mouseClick(about.findChild<platform::ClickableLabel *>(), Qt::LeftButton);
        about.move(about.pos() + QPoint(40, 40));
        game.mnOProgramu.trigger();
        QVERIFY(about.isVisible());
        QCOMPARE_GT(offCentre(), 40);
        QCOMPARE(game.aboutHead(), head);
        game.mnSin.trigger();
        QVERIFY(looksAsReference(game.hallWindow(), "game_form3"));
        for (const QWidget *window : {static_cast<QWidget *>(&about), static_cast<QWidget *>(&game.hallWindow())})
            QCOMPARE(window->findChild<platform::ClickableLabel *>()->cursor().shape(), Qt::PointingHandCursor);
        game.form.close();
        QCOMPARE((QList<bool>{game.form.isVisible(), game.hallWindow().isVisible(), about.isVisible()}), QList<bool>(3, false));
        QCOMPARE(game.read("data/hal.hal"), initialHall);
        QVERIFY(!game.exists("data/user.pla"));
        QCOMPARE(game.dialogs.shown.size(), std::size_t(0));
    }

    // A final score strictly above a place's leading number takes it; Cancel stores an empty name;
    // the hall is shown and saved at once.
    void hallEntry()
    {
        // stored: five alike; shown: the typed name as the hall keeps it, when it differs
        struct Row { const char *name; QString stored; int score; QString typed; int place; QString shown = {}; };
        const Row rows[] = {
            {"200: none", "", 200, "Jan", -1},
            {"201: place 4", "", 201, "Jan", 4},
            {"201, cancelled", "", 201, "", 4},
            {"1000: place 1", "", 1000, "Jan", 1},
            {"letters count 0", "mnoho", 1, "Jan", 0},
            {"leading blanks", "  700", 700, "Jan", -1},
            {"a name beyond Windows-1250", "", 1500, QStringLiteral("Řehoř 日本\r\n😀 Zoë 😀"), 0, QStringLiteral("Řehoř ??? Zoë ?")},
        };
        for (const Row &row : rows) {
            TempProgramFolder folder;
            if (!row.stored.isEmpty())
                folder.write("data/hal.hal", ("Jan\r\n" + row.stored + "\r\n").repeated(5).toLatin1());
            GameRun game(folder.path());
            game::HallTable table = game.hall();
            const bool entered = row.place >= 0;
            if (entered) {
                table[std::size_t(row.place)] = {row.shown.isEmpty() ? row.typed : row.shown, QString::number(row.score)};
                QTest::ignoreMessage(QtWarningMsg, cannotRaise);
            }
            game.startGame();
            game.endWithScore(std::int16_t(row.score), row.typed);
            ROW_COMPARE(row.name, game.hall(), table);
            ROW_COMPARE(row.name, GameRun(folder.path()).hall(), table);
            ROW_COMPARE(row.name, game.dialogs.shown.size(), std::size_t(1 + entered)); // the end's box, then the name box
            ROW_COMPARE(row.name, game.hallWindow().isVisible(), entered);
            ROW_COMPARE(row.name, folder.exists("data/hal.hal"), entered || !row.stored.isEmpty());
        }
    }

    // The level count decides the stage, or without it the game names the file and writes nothing;
    // the game plays the walls a level file holds; "Pokračuj ve hře" refuses a missing saved game and
    // plays an odd one. No file read is changed.
    void storedFiles()
    {
        QByteArray full = int16s({32767});
        for (int k = 0; k < 32766; ++k)
            full += int16s({135, 135});
        const QString refused = QStringLiteral("Korvo: Nelze přečíst počet levelů ze souboru\n");
        const QString stored = "200 ms, 0 1 3 12, snake 6, food 4, walls ";
        const QByteArray next = int16s({3, 1, 120, 3, 200});
        struct Row { const char *name; const char *file; QByteArray contents; QString continued, message; QByteArray saved; };
        const Row rows[] = {
            {"1e9: one level a stage", "levels/levels.ini", "1e9\r\n", stored + "0", nextStage, int16s({3, 0, 0, 7, 180})},
            {"-5: no stage ends", "levels/levels.ini", "-5\r\n", stored + "0", nextLevel, next},
            {"no level count", "levels/levels.ini", "<missing>", "", refused, storedGame},
            {"a FIFO for the level count", "levels/levels.ini", "<fifo>", "", refused, storedGame},
            {"a FIFO for a level", "levels/level0.lvl", "<fifo>", stored + "0", nextLevel, next},
            {"32766 walls on the food's cell", "levels/level0.lvl", full, stored + "32766", nextLevel, next},
            {"walls far off the playfield", "levels/level0.lvl", int16s({3, -32768, 32767, 32767, -32768}), stored + "2", nextLevel, next},
            {"no saved game", "data/user.pla", "<missing>", "0 ms, 0 1 3 12, snake 3, food 0, walls 0, Síň slávy", "", ""},
            {"level index 7 beyond 3 levels", "data/user.pla", int16s({3, 7, 840, 6, 200}),
             "200 ms, 840 8 3 12, snake 6, food 4, walls 0", nextLevel, int16s({3, 8, 960, 3, 200})},
            {"a snake on every cell", "data/user.pla", int16s({2, 1, 120, 900, 1}), "1 ms, 120 2 2 12, snake 900, food 4, walls 0",
             nextLevel, int16s({2, 2, 240, 450, 1})},
            {"one life at 81 ms, the last level", "data/user.pla", int16s({1, 2, 240, 6, 81}),
             "81 ms, 240 3 1 12, snake 6, food 4, walls 0", nextStage, int16s({1, 0, 0, 7, 61})},
        };
        const Deadline deadline(60);
        for (const Row &row : rows) {
            TempProgramFolder folder;
            fill(folder, row.file, row.contents);
            const auto levels = snapshot(folder.path() / "levels");
            GameRun game(folder.path());
            if (game.loaded)
                game.mnPokracuj.trigger();
            ROW_COMPARE(row.name, game.loaded ? game.shown() : QString(), row.continued);
            if (game.running())
                game.finishLevel();
            const QString path = game.loaded ? QString() : platform::toQString(folder.path() / row.file);
            ROW_COMPARE(row.name, game.dialogs.messages(), row.message.isEmpty() ? QStringList() : QStringList{row.message + path});
            ROW_COMPARE(row.name, folder.read("data/user.pla"), row.saved);
            ROW_COMPARE(row.name, folder.read("data/hal.hal"), storedHall);
            ROW_COMPARE(row.name, snapshot(folder.path() / "levels"), levels);
        }
    }

    // A hall that another game or a hand changed during a run is kept: a run without an entry leaves
    // it, and a run's entry takes its place in the table now on disk, which the window then shows.
    void hallSharedWithOthers()
    {
        const QByteArray byHand = "Ruka\r\n9999\r\n";
        const QByteArray afterOther = "Zden\xECk\r\n1500\r\n" + storedHall.mid(storedHall.indexOf("Petr"));
        struct Row { const char *name; bool otherEntry; QByteArray edit; int score; QByteArray stored; };
        const Row rows[] = {
            {"another game's entry", true, {}, 0, afterOther},
            {"entries of both", true, {}, 650, afterOther.left(afterOther.indexOf("H")) + "Iva\r\n650\r\nEva\r\n401\r\n\r\n5\r\n"},
            {"a hand edit", false, byHand, 0, byHand},
            {"a hand edit and an entry", false, byHand, 650,
             byHand + "Amat\xE9r\r\n800\r\nIva\r\n650\r\nVoby\xE8" "ejnej-kolik\r\n400\r\nNikdo\r\n200\r\n"},
        };
        for (const Row &row : rows) {
            TempProgramFolder folder;
            fill(folder, "", {});
            GameRun mine(folder.path());
            if (row.otherEntry) {
                GameRun other(folder.path());
                other.startGame();
                QTest::ignoreMessage(QtWarningMsg, cannotRaise);
                other.endWithScore(1500, QStringLiteral("Zdeněk"));
                other.form.close();
            } else
                folder.write("data/hal.hal", row.edit);
            mine.startGame();
            if (row.score)
                QTest::ignoreMessage(QtWarningMsg, cannotRaise);
            mine.endWithScore(std::int16_t(row.score), "Iva");
            mine.form.close();
            ROW_COMPARE(row.name, folder.read("data/hal.hal"), row.stored);
            if (row.score)
                ROW_COMPARE(row.name, mine.hall(), GameRun(folder.path()).hall());
            ROW_COMPARE(row.name, mine.dialogs.messages(), QStringList{"THE END: Chcípls..."});
        }
    }

    // Only the first MiB of the hall is read, and the close writes it back as ten lines.
    void longHallFile()
    {
        TempProgramFolder folder;
        folder.write("data/hal.hal", QByteArray(2 << 20, 'x'));
        GameRun(folder.path()).form.close();
        QCOMPARE(folder.read("data/hal.hal"), QByteArray(1 << 20, 'x') + initialHall.mid(initialHall.indexOf("\r\n1000")));
    }

    // What the game writes when: the saved game at a new level, the hall at an entry and again at
    // close, which names the hall's file when it cannot write it; a later run reads what stood.
    void failedWrites()
    {
        const QByteArray nextSaved = int16s({3, 1, 120, 3, 200}); // level index 1, the snake shortened from seven to three
        const QByteArray entered = "Zden\xECk\r\n1500\r\n" + storedHall.mid(storedHall.indexOf("Petr"));
        struct Row { const char *name; Fault::Kind fault; QByteArray saved, hall; QString later; };
        const Row rows[] = {
            {"files writable in a read-only folder", Fault::ReadOnly, nextSaved, entered, "Zdeněk 120 2 3 12"},
            {"full disk", Fault::FullDisk, storedGame, storedHall, "Jana 0 1 3 12"},
            {"the hall unreadable", Fault::Unreadable, nextSaved, storedHall, "Jana 120 2 3 12"},
        };
        for (const Row &row : rows) {
            TempProgramFolder folder;
            fill(folder, "", {});
            const std::filesystem::path data = folder.path() / "data";
            QStringList messages{nextLevel, "THE END: Chcípls..."};
            if (row.hall != entered)
                messages << "Korvo: Síň slávy nelze uložit do souboru\n" + platform::toQString(data / "hal.hal");
            {
                const Fault faulty(row.fault, data);
                GameRun run(folder.path());
                run.mnPokracuj.trigger();
                run.finishLevel();
                QTest::ignoreMessage(QtWarningMsg, cannotRaise);
                run.endWithScore(1500, QStringLiteral("Zdeněk"));
                run.form.close();
                ROW_COMPARE(row.name, run.dialogs.messages(), messages);
            }
            ROW_COMPARE(row.name, folder.read("data/user.pla"), row.saved);
            ROW_COMPARE(row.name, folder.read("data/hal.hal"), row.hall);
            GameRun later(folder.path());
            later.mnPokracuj.trigger();
            ROW_COMPARE(row.name, later.hall()[0].name + " " + later.labels(), row.later);
        }
    }
};

QTEST_MAIN(TestGame)
#include "test_game.moc"
