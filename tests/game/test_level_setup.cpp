// Level setup: the walls read from the level file of the current index and
// the four food items placed at random and moved off walls.
#include "game_fixture.h"

#include "platform/clock_random.h"

#include <cstdlib>
#include <filesystem>
#include <map>

namespace {

// (left, top) of the walls, in index order.
QList<QPoint> walls(const game::Form1 &window)
{
    QList<QPoint> list;
    for (int k = 1; k < window.Image3.size(); ++k)
        list << QPoint(window.Image3.left(k), window.Image3.top(k));
    return list;
}

// How often each food coordinate comes up over this many setups.
std::map<int, int> foodCoordinates(game::Form1 &window, int runs)
{
    std::map<int, int> seen;
    for (int run = 0; run < runs; ++run) {
        window.setup_level();
        for (int f = 1; f <= 4; ++f) {
            ++seen[window.Image2.top(f)];
            ++seen[window.Image2.left(f)];
        }
    }
    return seen;
}

} // namespace

class TestLevelSetup : public QObject
{
    Q_OBJECT

private slots:
    // Each item takes top, then left, from the draws in item order, may share a cell, and every setup
    // reseeds; over many setups each of 9, 18, ..., 252 comes up equally often, scripted or drawn.
    void foodFromDraws()
    {
        GameFixture game;
        const QList<QPoint> cells{{9, 252}, {9, 252}, {135, 18}, {18, 135}};
        game.startGame(cells);
        for (int f = 1; f <= 4; ++f)
            QVERIFY(game.food(f) == cells[f - 1] && game.window.Image2.visible(f));
        QCOMPARE((QList<int>{game.random.draws, game.random.reseeds}), (QList<int>{8, 1}));
        for (int i = 0; i < 2 * 252; ++i)
            game.random.values.push_back((i % 252) / 252.0);
        game.random.values.back() = 0.9999999;
        const std::map<int, int> scripted = foodCoordinates(game.window, 2 * 252 / 8);
        QCOMPARE(game.random.reseeds, 1 + 2 * 252 / 8);
        platform::ClockRandom clock;
        game::Form1 window(game.dialogs, clock, game.folder.path());
        QVERIFY(window.Form_Load());
        window.mnNova_Click();
        const std::map<int, int> drawn = foodCoordinates(window, 2000);
        QCOMPARE((QList<std::size_t>{scripted.size(), drawn.size()}), (QList<std::size_t>{28, 28}));
        for (int c = 9; c <= 252; c += 9) {
            QCOMPARE(scripted.at(c), 18);
            QVERIFY2(std::abs(drawn.at(c) - 2000 * 8 / 28) < 2000 * 8 / 28 / 4, qPrintable(QString::number(c)));
        }
    }

    // From a lone wall at (90, 90) the eight probes walk the food to (99, 99).
    void probeWalkFromWall()
    {
        GameFixture game;
        game.writeLevel(0, {{90, 90}});
        game.startGame();
        game.put(game.window.Image2, 1, {90, 90});
        const int probes[][4] = {{+9, +9, 99, 99}, {-9, -9, 99, 99}, {-9, +9, 90, 108}, {+9, -9, 99, 99},
                                 {-9, 0, 90, 99},  {+9, 0, 99, 99},  {0, +9, 99, 108},  {0, -9, 99, 99}};
        for (const auto &[ax, bx, top, left] : probes) {
            game.window.je_tamm(1, static_cast<std::int16_t>(ax), static_cast<std::int16_t>(bx));
            QCOMPARE(game.food(1), QPoint(left, top));
        }
    }

    // Where setup leaves a food item drawn onto a wall, or beside one.
    void repairAfterDraw_data()
    {
        QTest::addColumn<QList<QPoint>>("blocks");
        QTest::addColumn<QPoint>("drawn");
        QTest::addColumn<QPoint>("placed");
        QList<QPoint> ring;
        for (int dy = -9; dy <= 9; dy += 9) {
            for (int dx = -9; dx <= 9; dx += 9)
                ring << QPoint(90 + dx, 90 + dy);
        }
        QTest::newRow("walled in stays") << ring << QPoint(90, 90) << QPoint(90, 90);
        QTest::newRow("off the grid to 0") << QList<QPoint>{{9, 9}, {18, 18}} << QPoint(9, 9) << QPoint(0, 0);
        QTest::newRow("third probe blocked") << QList<QPoint>{{90, 90}, {108, 90}} << QPoint(90, 90) << QPoint(90, 108);
        QTest::newRow("beside a wall stays") << QList<QPoint>{{90, 90}} << QPoint(99, 90) << QPoint(99, 90);
    }
    void repairAfterDraw()
    {
        QFETCH(QList<QPoint>, blocks);
        QFETCH(QPoint, drawn);
        QFETCH(QPoint, placed);
        GameFixture game;
        game.writeLevel(0, blocks);
        game.startGame({drawn});
        QCOMPARE(game.food(1), placed);
    }

    // Walls are read anew at every setup, replacing the old ones; a missing file gives none and no message.
    void wallsReadAtEverySetup()
    {
        GameFixture game;
        const QList<QPoint> level0{{9, 18}, {27, 0}, {99, 99}};
        game.writeLevel(0, level0);
        game.writeLevel(1, {{45, 45}});
        game.startGame();
        QCOMPARE(walls(game.window), level0);
        game.window.Image3.setVisible(2, false);
        game.window.eaten = 2;
        game.window.setup_level();
        QCOMPARE(walls(game.window), level0);
        QVERIFY(game.window.Image3.visible(2));
        QCOMPARE(game.window.eaten, 0);
        game.window.level = 1;
        game.window.setup_level();
        QCOMPARE(walls(game.window), QList<QPoint>{QPoint(45, 45)});
        game.window.level = 2;
        game.placeNextFood({{45, 45}});
        game.window.setup_level();
        QCOMPARE(walls(game.window), QList<QPoint>());
        QCOMPARE(game.food(1), QPoint(45, 45));
        for (int f = 1; f <= 4; ++f)
            QVERIFY(game.window.Image2.visible(f));
        QVERIFY(game.dialogs.shown.empty());
    }

    // The data files lie in the program's folder, joined with the platform's separator.
    void filePaths()
    {
        GameFixture game;
        const std::string sep(1, static_cast<char>(std::filesystem::path::preferred_separator));
        const auto in = [&](const char *folder, const char *file) {
            return game.folder.path().string() + sep + folder + sep + file;
        };
        QCOMPARE(game.window.levelFile(10).string(), in("levels", "level10.lvl"));
        QCOMPARE(game.window.hallFile().string(), in("data", "hal.hal"));
        QCOMPARE(game.window.savedGameFile().string(), in("data", "user.pla"));
    }
};

QTEST_MAIN(TestLevelSetup)
#include "test_level_setup.moc"
