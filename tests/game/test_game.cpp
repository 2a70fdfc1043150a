// The game: one whole game played to its win, the rules it does not reach, its windows and its bad files.
#include "file_fault.h"
#include "game_run.h"
#include "reference_picture.h"

#include "platform/application.h"

#include <QMenu>
#include <QMenuBar>
#include <QScreen>

#include <climits>
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
    const game::Form1 &form = game.form;
    const auto cell = [](QPoint p) { return p.x() < 0 || p.y() < 0 || p.x() >= 270 || p.y() >= 270 ? -1 : p.y() / 9 * 30 + p.x() / 9; };
    std::vector<int> freeFrom(900, 0), firstKey(900, -1);
    for (int k = 1; k < form.Image3.size(); ++k)
        freeFrom[std::size_t(cell(at(form.Image3, k)))] = INT_MAX;
    for (int i = 1, n = form.Image1.size(); i < n; ++i) {
        if (const int c = cell(at(form.Image1, i)); c >= 0)
            freeFrom[std::size_t(c)] = std::max(freeFrom[std::size_t(c)], n - i + 1);
    }
    const QPoint steps[] = {{-9, 0}, {0, -9}, {9, 0}, {0, 9}}; // as the arrow keys left, up, right, down
    std::deque<std::pair<QPoint, int>> queue{{game.head(), 0}};
    firstKey[std::size_t(cell(game.head()))] = 4;
    for (; !queue.empty(); queue.pop_front()) {
        const auto [p, distance] = queue.front();
        for (int f = 1; distance > 0 && f <= 4; ++f) {
            if (form.Image2.visible(f) && at(form.Image2, f) == p) {
                QTest::keyClick(form.Picture1, Qt::Key(Qt::Key_Left + firstKey[std::size_t(cell(p))]));
                return true;
            }
        }
        for (int k = 0; k < 4; ++k) {
            const int next = cell(p + steps[k]);
            if (next >= 0 && firstKey[std::size_t(next)] == -1 && freeFrom[std::size_t(next)] <= distance + 1) {
                firstKey[std::size_t(next)] = distance == 0 ? k : firstKey[std::size_t(cell(p))];
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
        game.dialogs.whileOpen = [this, &game](const ScriptedDialogs::Shown &box) { note(box.title + ": " + box.text, game); };
    }
    void note(const QString &what, GameRun &game) { trace << what + " | " + game.shown(); }
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

// Cells for sixty sets of four food items.
QList<QPoint> foodCells()
{
    QList<QPoint> cells;
    for (int k = 0; k < 4 * 60; ++k)
        cells << QPoint(9 + 9 * ((k * 7 + k / 4 * 5) % 28), 9 + 9 * ((k * 11 + k / 4 * 3) % 28));
    return cells;
}

} // namespace

class TestGame : public QObject
{
    Q_OBJECT

private slots:
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral(".*"))); }

    // A game of two levels from "Nová hra" to its win: two lives lost, the program ended and the game
    // continued with one life, the commands that a game locks tried on the way; then a game lost
    // in its third set, and continued from its saved game.
    void wholeGame()
    {
        TempProgramFolder folder;
        folder.write("levels/levels.ini", "2\r\n");
        folder.write("levels/level0.lvl", level({{0, 126}, {0, 135}}));
        folder.write("levels/level1.lvl", level({{0, 126}, {0, 135}, {0, 144}}));
        Recorder game{folder};
        std::optional<GameRun> run(std::in_place, folder.path());
        game.watch(*run);
        QTest::keyClick(run->form.Picture1, Qt::Key_Left); // neither steers nor pauses while idle
        run->form.mnPause->trigger();
        game.note("start", *run);
        run->startGame(foodCells());
        game.note("Nová hra", *run);
        QVERIFY(game.playToNextBox(*run));
        run->crashOnce();
        run->crashOnce();
        QVERIFY(game.playToNextBox(*run));
        QVERIFY(game.play(*run, [&] { return run->form.Image1.size() > 19; }));
        run->form.mnExit->trigger();
        QCOMPARE(folder.read("data/hal.hal"), initialHall);

        run.emplace(folder.path());
        game.watch(*run);
        run->placeNextFood(foodCells());
        run->form.mnPokracuj_Click();
        game.note("Pokračuj ve hře", *run);
        const QPoint head = run->head();
        for (const QString state : {"running", "paused"}) {
            if (state == "paused")
                run->form.mnPause->trigger();
            for (auto command : {&game::Form1::mnNova_Click, &game::Form1::mnPokracuj_Click, &game::Form1::mnSin_Click,
                                 &game::Form1::mnOProgramu_Click})
                (run->form.*command)();
            game.note(state + ", the other commands tried", *run);
        }
        run->form.mnPause->trigger();
        game.note("resumed", *run);
        QCOMPARE(run->head(), head);
        run->dialogs.inputs.push_back(QStringLiteral("Vítěz"));
        QTest::ignoreMessage(QtWarningMsg, cannotRaise); // the hall comes to the front
        QVERIFY(game.play(*run, [&] { return !run->running(); }));
        game.note("won", *run);
        QCOMPARE(folder.read("data/hal.hal"), "V\xEDt\xECz\r\n1440\r\n" + initialHall.mid(initialHall.indexOf("Amat")));

        run->startGame();
        game.note("Nová hra", *run);
        QVERIFY(game.playToNextBox(*run));
        QVERIFY(game.play(*run, [&] { return run->form.Label8->text() == "4"; }));
        for (int life = 3; life > 0; --life)
            run->crashOnce();
        game.note("lost", *run);
        run->form.mnPokracuj_Click();
        game.note("Pokračuj ve hře", *run);
        QVERIFY(game.playToNextBox(*run));
        QCOMPARE(game.trace, (QStringList{
            "start | 0 ms, 0 1 3 12, snake 3, food 0, walls 0, Síň slávy",
            "Nová hra | 200 ms, 0 1 3 12, snake 3, food 4, walls 2",
            nextLevel + " | 200 ms, 120 2 3 12, snake 15, food 0, walls 2, saved 03 00 01 00 78 00 07 00 c8 00",
            crashed + " | 200 ms, 120 2 2 12, snake 7, food 4, walls 3",
            crashed + " | 200 ms, 120 2 1 12, snake 7, food 4, walls 3",
            nextStage + " | 180 ms, 240 3 1 12, snake 19, food 0, walls 3, saved 01 00 00 00 00 00 13 00 b4 00",
            "Pokračuj ve hře | 180 ms, 0 1 1 12, snake 19, food 4, walls 2",
            "running, the other commands tried | 180 ms, 0 1 1 12, snake 19, food 4, walls 2",
            "paused, the other commands tried | 0 ms, 0 1 1 12, snake 19, food 4, walls 2, paused (checked)",
            "resumed | 180 ms, 0 1 1 12, snake 19, food 4, walls 2",
            nextLevel + " | 180 ms, 120 2 1 12, snake 31, food 0, walls 2, saved 01 00 01 00 78 00 0f 00 b4 00",
            nextStage + " | 160 ms, 240 3 1 12, snake 27, food 0, walls 3, saved 01 00 00 00 00 00 1b 00 a0 00",
            nextLevel + " | 160 ms, 360 2 1 12, snake 39, food 0, walls 2, saved 01 00 01 00 78 00 13 00 a0 00",
            nextStage + " | 140 ms, 480 3 1 12, snake 31, food 0, walls 3, saved 01 00 00 00 00 00 1f 00 8c 00",
            nextLevel + " | 140 ms, 600 2 1 12, snake 43, food 0, walls 2, saved 01 00 01 00 78 00 15 00 8c 00",
            nextStage + " | 120 ms, 720 3 1 12, snake 33, food 0, walls 3, saved 01 00 00 00 00 00 21 00 78 00",
            nextLevel + " | 120 ms, 840 2 1 12, snake 45, food 0, walls 2, saved 01 00 01 00 78 00 16 00 78 00",
            nextStage + " | 100 ms, 960 3 1 12, snake 34, food 0, walls 3, saved 01 00 00 00 00 00 22 00 64 00",
            nextLevel + " | 100 ms, 1080 2 1 12, snake 46, food 0, walls 2, saved 01 00 01 00 78 00 16 00 64 00",
            nextStage + " | 80 ms, 1200 3 1 12, snake 34, food 0, walls 3, saved 01 00 00 00 00 00 22 00 50 00",
            nextLevel + " | 80 ms, 1320 2 1 12, snake 46, food 0, walls 2, saved 01 00 01 00 78 00 16 00 50 00",
            "Korvo: Dohrál jsi tuto hru! | 60 ms, 1440 3 1 12, snake 34, food 0, walls 3",
            "Síň slávy: Tvé skóre je hodno na zápis do síně slávy! | 0 ms, 1440 3 1 12, snake 34, food 0, walls 3",
            "won | 0 ms, 1440 1 1 12, snake 3, food 0, walls 0, Síň slávy, hall shown",
            "Nová hra | 200 ms, 0 1 3 12, snake 3, food 4, walls 2",
            nextLevel + " | 200 ms, 120 2 3 12, snake 15, food 0, walls 2, saved 03 00 01 00 78 00 07 00 c8 00",
            crashed + " | 200 ms, 200 2 2 4, snake 15, food 4, walls 3",
            crashed + " | 200 ms, 200 2 1 4, snake 15, food 4, walls 3",
            "THE END: Chcípls... | 200 ms, 200 2 1 4, snake 15, food 4, walls 3",
            "lost | 0 ms, 200 1 0 4, snake 3, food 0, walls 0, Síň slávy",
            "Pokračuj ve hře | 200 ms, 120 2 3 12, snake 7, food 4, walls 3",
            nextStage + " | 180 ms, 240 3 3 12, snake 19, food 0, walls 3, saved 03 00 00 00 00 00 13 00 b4 00",
        }));
    }

    // One tick after the keys (-1 for "Přestávka") from a head put on a cell, with food where it should
    // go: the crashes (edges, walls shown or not, the body, one at a time) and the keys that steer.
    void oneTick()
    {
        const QPoint start(261, 261); // where a crash puts the head back
        struct Row { const char *name; QPoint head; QList<int> keys; QString wall; QPoint end; };
        const Row rows[] = {
            {"up from the top row", {99, 0}, {}, "", start},
            {"up onto the top row", {99, 9}, {}, "", {99, 0}},
            {"right from the right column", {261, 99}, {39}, "", start},
            {"right onto the right column", {252, 99}, {39}, "", {261, 99}},
            {"down from the bottom row", start, {40}, "", start},
            {"down onto the bottom row", {99, 252}, {40}, "", {99, 261}},
            {"left from the left column", {0, 99}, {37}, "", start},
            {"left onto the left column", {9, 99}, {37}, "", {0, 99}},
            {"onto a wall", start, {}, "shown", start},
            {"onto a hidden wall", start, {}, "hidden", start},
            {"onto a wall and the body", start, {}, "and body", start},
            {"left, then up: the last key counts", {99, 99}, {37, 38}, "", {99, 90}},
            {"keys that do not steer", {99, 99}, {65, 36, 41}, "", {99, 90}},
            {"a key while paused", {99, 99}, {-1, 37, -1}, "", {99, 90}},
        };
        for (const Row &row : rows) {
            Game game;
            if (!row.wall.isEmpty())
                game.write("levels/level0.lvl", level({{261, 252}}));
            game.startGame();
            game.growSnakeTo(5);
            game.form.reset_snake();
            if (row.wall == "hidden")
                game.form.Image3.setVisible(1, false);
            put(game.form.Image1, 0, row.head);
            for (int i = 1; i <= 2 && row.wall == "and body"; ++i)
                put(game.form.Image1, i, {261, 252});
            for (int key : row.keys)
                key < 0 ? game.form.mnPause->trigger() : game.form.Picture1_KeyDown(std::int16_t(key));
            put(game.form.Image2, 1, row.end);
            game.ticks(1);
            const bool crash = row.end == start;
            QVERIFY2(game.dialogs.messages() == (crash ? QStringList{crashed} : QStringList()) && game.head() == row.end, row.name);
            QVERIFY2(at(game.form.Image1, 4) == QPoint(270, 270), row.name); // the body parked off the field
            QVERIFY2(game.labels() == (crash ? "0 1 2 12" : "10 1 3 11"), row.name);
        }
    }

    // Every visible item on the head's cell is eaten in the same tick, a hidden one not again; the end
    // of a level keeps (n - 1) / 2 sprites, a half rounded to the even side: 16 keep 8.
    void eating()
    {
        Game game;
        game.startGame({{261, 252}, {261, 252}, {261, 252}, {99, 99}});
        game.form.Image2.setVisible(2, false);
        game.ticks(1);
        QCOMPARE(game.shown(), "200 ms, 20 1 3 10, snake 5, food 1, walls 0");
        game.growSnakeTo(15);
        game.finishLevel();
        QCOMPARE(game.form.Image1.size(), 8);
    }

    // Food takes its top, then its left, from two draws; each setup reseeds; the 28 cells 9 to 252
    // alike likely.
    void foodFromDraws()
    {
        Game game;
        game.startGame({{9, 252}, {135, 18}});
        QCOMPARE((QList<QPoint>{at(game.form.Image2, 1), at(game.form.Image2, 2)}), (QList<QPoint>{{9, 252}, {135, 18}}));
        QCOMPARE((QList<int>{game.random.draws, game.random.reseeds}), (QList<int>{8, 1}));
        for (int i = 0; i < 2 * 252; ++i)
            game.random.values.push_back(i == 2 * 252 - 1 ? 0.9999999 : (i % 252) / 252.0);
        std::map<int, int> seen;
        while (!game.random.values.empty()) {
            game.form.setup_level();
            for (int f = 1; f <= 4; ++f)
                ++seen[game.form.Image2.top(f)], ++seen[game.form.Image2.left(f)];
        }
        QCOMPARE(game.random.reseeds, 1 + 2 * 252 / 8);
        QCOMPARE(seen.size(), std::size_t(28));
        for (const auto &[cell, count] : seen)
            QVERIFY2(cell % 9 == 0 && count == 18, qPrintable(QString::number(cell)));
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
            game.startGame({row.drawn});
            QVERIFY2(at(game.form.Image2, 1) == row.placed, row.name);
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
        game.startGame({{18, 27}, {99, 45}, {180, 252}, {252, 9}});
        game.ticks(3);
        game.form.Picture1->flushChanges();
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
            about ? game.form.mnOProgramu_Click() : game.form.mnSin_Click();
            QWidget *window = about ? static_cast<QWidget *>(game.form.aboutWindow()) : game.form.hallWindow();
            QLabel *back = about ? game.form.aboutWindow()->Label1 : game.form.hallWindow()->Label3;
            if (row % 3 > 0)
                game.form.mnPokracuj_Click();
            if (row % 3 == 2)
                game.form.mnPause->trigger();
            game.form.rychlost = 170;
            QTest::mouseClick(back, Qt::RightButton);
            const bool stays = window->isVisible();
            QTest::mouseClick(back, Qt::LeftButton);
            const QString name = (about ? "About, " : "hall, ") + states[row % 3];
            QVERIFY2(stays && game.shown() == states[row % 3] && game.form.aboutWindow()->Timer1.interval() == 0, qPrintable(name));
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
        game.form.mnOProgramu_Click();
        game::Form2 &about = *game.form.aboutWindow();
        const auto offCentre = [&] { return (about.frameGeometry().center() - about.screen()->availableGeometry().center()).manhattanLength(); };
        QVERIFY(about.isVisible() && offCentre() <= 2);
        QCOMPARE((QList<int>{about.Timer1.interval(), game.form.Timer1.interval()}), (QList<int>{150, 0}));
        for (int tick = 0; tick < 140; ++tick) // a lap and 18 steps: the corner it starts from left empty
            about.Timer1.expire();
        about.Picture1->flushChanges();
        QVERIFY(looksAsReference(about, "game_form2"));
        const QPoint head = at(about.Image1, 0);
        about.Label1_Click();
        about.move(about.pos() + QPoint(40, 40));
        game.form.mnOProgramu_Click();
        QVERIFY(about.isVisible() && offCentre() > 40 && at(about.Image1, 0) == head);
        game.form.mnSin_Click();
        QVERIFY(looksAsReference(*game.form.hallWindow(), "game_form3"));
        for (const QLabel *back : {about.Label1, game.form.hallWindow()->Label3})
            QCOMPARE(back->cursor().shape(), Qt::PointingHandCursor);
        game.form.close();
        QVERIFY(!game.form.isVisible() && !game.form.hallWindow()->isVisible() && !about.isVisible());
        QCOMPARE(game.read("data/hal.hal"), initialHall);
        QVERIFY(!game.exists("data/user.pla") && game.dialogs.shown.empty());
    }

    // A final score strictly above a place's leading number takes it; Cancel stores an empty name;
    // the hall is shown and saved at once.
    void hallEntry()
    {
        struct Row { const char *name; QString stored; int score; QString typed; int place; }; // stored: five alike
        const Row rows[] = {
            {"200: none", "", 200, "Jan", -1},
            {"201: place 4", "", 201, "Jan", 4},
            {"201, cancelled", "", 201, "", 4},
            {"1000: place 1", "", 1000, "Jan", 1},
            {"letters count 0", "mnoho", 1, "Jan", 0},
            {"leading blanks", "  700", 700, "Jan", -1},
        };
        for (const Row &row : rows) {
            TempProgramFolder folder;
            if (!row.stored.isEmpty())
                folder.write("data/hal.hal", ("Jan\r\n" + row.stored + "\r\n").repeated(5).toLatin1());
            GameRun game(folder.path());
            game::HallTable table = game.hall();
            if (row.place >= 0) {
                table[std::size_t(row.place)] = {row.typed, QString::number(row.score)};
                QTest::ignoreMessage(QtWarningMsg, cannotRaise);
            }
            if (!row.typed.isEmpty())
                game.dialogs.inputs.push_back(row.typed);
            game.form.score = std::int16_t(row.score);
            game.form.hall_entry();
            const bool entered = row.place >= 0;
            QVERIFY2(game.hall() == table && GameRun(folder.path()).hall() == table, row.name);
            QVERIFY2(int(game.dialogs.shown.size()) == entered && game.form.hallWindow()->isVisible() == entered, row.name);
            QVERIFY2(folder.exists("data/hal.hal") == (entered || !row.stored.isEmpty()), row.name);
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
            {"a folder for a level", "levels/level0.lvl", "<folder>", stored + "0", nextLevel, next},
            {"no saved game", "data/user.pla", "<missing>", "0 ms, 0 1 3 12, snake 3, food 0, walls 0, Síň slávy", "", ""},
            {"a FIFO for the saved game", "data/user.pla", "<fifo>", "0 ms, 0 1 3 12, snake 3, food 0, walls 0, Síň slávy", "", ""},
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
                game.form.mnPokracuj_Click();
            QVERIFY2((game.loaded ? game.shown() : QString()) == row.continued, row.name);
            if (game.running())
                game.finishLevel();
            const QString path = game.loaded ? QString() : platform::toQString(folder.path() / row.file);
            QVERIFY2(game.dialogs.messages() == (row.message.isEmpty() ? QStringList() : QStringList{row.message + path}), row.name);
            QVERIFY2(folder.read("data/user.pla") == row.saved && folder.read("data/hal.hal") == storedHall, row.name);
            QVERIFY2(snapshot(folder.path() / "levels") == levels, row.name);
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
                other.form.mnNova_Click();
                QTest::ignoreMessage(QtWarningMsg, cannotRaise);
                other.endWithScore(1500, QStringLiteral("Zdeněk"));
                other.form.close();
            } else
                folder.write("data/hal.hal", row.edit);
            mine.form.mnNova_Click();
            if (row.score)
                QTest::ignoreMessage(QtWarningMsg, cannotRaise);
            mine.endWithScore(std::int16_t(row.score), "Iva");
            mine.form.close();
            QVERIFY2(folder.read("data/hal.hal") == row.stored && (!row.score || mine.hall() == GameRun(folder.path()).hall()), row.name);
            QVERIFY2(mine.dialogs.messages() == QStringList{"THE END: Chcípls..."}, row.name);
        }
    }

    // A whole run under a fault of the data folder, then a run without it reads what was fine.
    void dataFolder()
    {
        struct Row { const char *name; const char *replaced; QByteArray contents; Fault::Kind fault; bool gameStored, hallStored, gameWritten, hallWritten; };
        const Row rows[] = {
            {"data missing", "data", "<missing>", Fault::None, false, false, false, false},
            {"a file in place of data", "data", "nic\r\n", Fault::None, false, false, false, false},
            {"data read-only, its files writable", "", {}, Fault::ReadOnly, true, true, true, true},
            {"data and its files read-only", "", {}, Fault::ReadOnlyFiles, true, true, false, false},
            {"full disk", "", {}, Fault::FullDisk, true, true, false, false},
            // The saved game keeps its length and is written in place; the longer hall is written
            // in part, and then its old content is put back.
            {"data read-only, the disk full at the hall's length", "", {}, Fault::ReadOnlyFilling, true, true, true, false},
            {"hal.hal a folder", "data/hal.hal", "<folder>", Fault::None, true, false, true, false},
            {"hal.hal unreadable", "", {}, Fault::Unreadable, true, false, true, false},
            {"hal.hal a FIFO", "data/hal.hal", "<fifo>", Fault::None, true, false, true, false},
            {"hal.hal a link to a device", "data/hal.hal", "<device link>", Fault::None, true, false, true, false},
            {"user.pla a link to a device", "data/user.pla", "<device link>", Fault::None, false, true, false, true},
        };
        const Deadline deadline(60);
        for (const Row &row : rows) {
            TempProgramFolder folder;
            fill(folder, row.replaced, row.contents);
            const std::filesystem::path data = folder.path() / "data";
            auto expected = snapshot(data);
            if (row.gameWritten) // level index 1, the snake shortened from seven to three
                expected["user.pla"] = int16s({3, 1, 120, 3, 200});
            if (row.hallWritten)
                expected["hal.hal"] = "Zden\xECk\r\n1500\r\n" + storedHall.mid(storedHall.indexOf("Petr"));
            QStringList messages{nextLevel, "THE END: Chcípls..."};
            if (!row.hallWritten)
                messages << "Korvo: Síň slávy nelze uložit do souboru\n" + platform::toQString(data / "hal.hal");
            {
                const Fault faulty(row.fault, data);
                GameRun run(folder.path());
                QVERIFY2((run.hall()[0].name == "Jana") == row.hallStored, row.name);
                run.form.mnPokracuj_Click();
                QVERIFY2(run.running() == row.gameStored, row.name);
                if (!row.gameStored)
                    run.form.mnNova_Click();
                run.finishLevel();
                QTest::ignoreMessage(QtWarningMsg, cannotRaise);
                run.endWithScore(1500, QStringLiteral("Zdeněk"));
                run.form.close();
                QVERIFY2(run.dialogs.messages() == messages, row.name);
            }
            QVERIFY2(snapshot(data) == expected, row.name);
            GameRun later(folder.path());
            const QString best = row.hallWritten ? "Zdeněk" : row.hallStored || row.fault == Fault::Unreadable ? "Jana" : "Super-kolik";
            later.form.mnPokracuj_Click();
            QVERIFY2(later.hall()[0].name == best && later.running() == row.gameStored, row.name);
            QVERIFY2(later.form.Label4->text() == (row.gameWritten ? "2" : "1"), row.name);
        }
    }
};

QTEST_MAIN(TestGame)
#include "test_game.moc"
