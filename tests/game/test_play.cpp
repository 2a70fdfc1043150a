// Playing: the tick, crashes, steering, food, levels, stages, lost lives and where food lands.
#include "game_run.h"

#include <map>

class TestPlay : public QObject
{
    Q_OBJECT

private slots:
    // One tick from a cell after a key: which moves crash (edges, walls shown or not, body), once.
    void move_data()
    {
        QTest::addColumn<QPoint>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("wall"); // on (261, 252): "", "shown", "hidden" or "and body"
        QTest::addColumn<QPoint>("end");   // (261, 261) after a crash
        const QPoint crash(261, 261);
        const auto row = [](const char *name, QPoint start, int key, QPoint end, const char *wall = "") {
            QTest::newRow(name) << start << key << QString(wall) << end;
        };
        row("top 0 up", {99, 0}, 38, crash);
        row("top 9 up", {99, 9}, 38, {99, 0});
        row("left 261 right", {261, 99}, 39, crash);
        row("left 252 right", {252, 99}, 39, {261, 99});
        row("top 252 down", {99, 252}, 40, {99, 261});
        row("left 0 left", {0, 99}, 37, crash);
        row("left 9 left", {9, 99}, 37, {0, 99});
        row("start cell down", crash, 40, crash);
        row("shown wall", crash, 38, crash, "shown");
        row("hidden wall", crash, 38, crash, "hidden");
        row("wall and body, one crash", crash, 38, crash, "and body");
    }
    void move()
    {
        QFETCH(QPoint, start);
        QFETCH(QString, wall);
        QFETCH(QPoint, end);
        Game game;
        if (!wall.isEmpty())
            game.write("levels/level0.lvl", level({{261, 252}}));
        game.startGame();
        game.growSnakeTo(5);
        if (wall == "hidden")
            game.form.Image3.setVisible(1, false);
        game.form.reset_snake();
        put(game.form.Image1, 0, start);
        for (int i = 1; wall == "and body" && i <= 2; ++i)
            put(game.form.Image1, i, {261, 252});
        QFETCH(int, key);
        game.form.Picture1_KeyDown(std::int16_t(key));
        put(game.form.Image2, 1, game.nextCell());
        game.ticks(1);
        const bool crashed = end == QPoint(261, 261);
        QCOMPARE(game.dialogs.messages(), crashed ? QStringList{msg::crashed} : QStringList());
        QCOMPARE(game.head(), end);
        QCOMPARE(at(game.form.Image1, 1), crashed ? QPoint(270, 270) : start); // the body leaves its parking cell
        QCOMPARE(at(game.form.Image1, 4), QPoint(270, 270));
        const QStringList labels = crashed ? QStringList{"0", "1", "2", "12"} : QStringList{"10", "1", "3", "11"};
        QCOMPARE(game.shown().labels, labels);
    }

    // Each arrow key sets its axis and sign and leaves the other sign alone; only the last key counts.
    void steering_data()
    {
        QTest::addColumn<QList<int>>("before"); // dirx, diry, vert, horiz
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QList<int>>("after");
        const QList<int> up{1, -1, 1, 0}, left{-1, 1, 0, 1}, right{1, 1, 0, 1};
        QTest::newRow("left while up") << up << QList<int>{37} << QList<int>{-1, -1, 0, 1};
        QTest::newRow("up while right") << right << QList<int>{38} << up;
        QTest::newRow("right while left") << left << QList<int>{39} << right;
        QTest::newRow("down while left") << QList<int>{-1, -1, 0, 1} << QList<int>{40} << QList<int>{-1, 1, 1, 0};
        QTest::newRow("left then up") << up << QList<int>{37, 38} << QList<int>{-1, -1, 1, 0};
        QTest::newRow("letter A, codes 36 and 41") << left << QList<int>{65, 36, 41} << left;
    }
    void steering()
    {
        QFETCH(QList<int>, before);
        QFETCH(QList<int>, keys);
        Game game;
        game.startGame();
        game::Form1 &w = game.form;
        for (std::int16_t *field : {&w.dirx, &w.diry, &w.vert, &w.horiz})
            *field = std::int16_t(before.takeFirst());
        for (int key : keys)
            w.Picture1_KeyDown(std::int16_t(key));
        QTEST(game.direction(), "after");
    }

    // Arrows on the playfield steer, but not while idle or paused.
    void keysOnPlayfield()
    {
        Game game;
        QTest::keyClick(game.form.Picture1, Qt::Key_Left);
        QCOMPARE(game.direction(), (QList<int>{0, 0, 0, 0}));
        game.startGame();
        game.form.mnPause_Click();
        QTest::keyClick(game.form.Picture1, Qt::Key_Left);
        game.form.mnPause_Click();
        game.ticks(1);
        QTest::keyClick(game.form.Picture1, Qt::Key_Left);
        game.ticks(1);
        QCOMPARE(game.head(), QPoint(252, 252));
    }

    // The first level: points, new sets of food with walls back, then the next level saved.
    void firstLevel()
    {
        Game game;
        game.write("levels/level0.lvl", level({{9, 9}}));
        game.write("levels/level1.lvl", level({{45, 45}, {54, 54}}));
        game.startGame({{261, 234}});
        game.ticks(3);
        QCOMPARE(game.shown(), (Shown{{"10", "1", "3", "11"}, 4, 200, true, false, false}));
        QCOMPARE(at(game.form.Image1, 3), at(game.form.Image1, 2));
        QVERIFY(!game.form.Image2.visible(1));
        for (const QString remaining : {"8", "4"}) {
            game.form.Image3.setVisible(1, false);
            game.eat(3 - game.form.eaten);
            game.placeNextFood({{18, 27}, {36, 45}, {54, 63}, {72, 81}});
            game.eat();
            QCOMPARE(game.form.Label8->text(), remaining);
            QCOMPARE(at(game.form.Image2, 4), QPoint(72, 81));
            QVERIFY(game.form.Image2.visible(1) && game.form.Image2.visible(4) && game.form.Image3.visible(1));
        }
        game.eat(3);
        QVERIFY(game.dialogs.shown.empty());
        Shown during{};
        game.dialogs.whileOpen = [&](const ScriptedDialogs::Shown &) { during = game.shown(); };
        game.eat();
        QCOMPARE(game.dialogs.messages(), QStringList{msg::nextLevel});
        QCOMPARE(during, (Shown{{"120", "2", "3", "12"}, 15, 200, true, false, false}));
        QCOMPARE(game.shown(), (Shown{{"120", "2", "3", "12"}, 7, 200, true, false, false}));
        QCOMPARE((QList<QPoint>{game.head(), at(game.form.Image1, 6)}), (QList<QPoint>{{261, 261}, {270, 270}}));
        QCOMPARE(game.direction(), (QList<int>{1, -1, 1, 0}));
        QCOMPARE(game.form.Image3.size(), 3);
        QCOMPARE(game.read("data/user.pla"), int16s({3, 1, 120, 7, 200}));
    }

    // Every visible item on the head's cell is eaten in the same tick; a hidden one is not eaten again.
    void itemsOnTheHeadsCell()
    {
        Game game;
        game.startGame({{261, 252}, {261, 252}, {261, 252}, {99, 99}});
        game.form.Image2.setVisible(2, false);
        game.ticks(1);
        QCOMPARE(game.shown().labels, (QStringList{"20", "1", "3", "10"}));
        QCOMPARE(game.form.Image1.size(), 5);
        QVERIFY(game.form.Image2.visible(4));
    }

    // The snake kept at a change of level: (n - 1) / 2, halves to even; saved with level x 120 as score.
    void shortenedLength_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        const int kept[][2] = {{13, 6}, {14, 6}, {15, 7}, {16, 8}, {18, 8}};
        for (const auto &[before, after] : kept)
            QTest::addRow("%d", before) << before << after;
    }
    void shortenedLength()
    {
        QFETCH(int, before);
        QFETCH(int, after);
        Game game;
        game.startGame();
        game.form.score = 777;
        game.growSnakeTo(before - 1); // the last item eaten adds the last sprite
        game.finishLevel();
        QCOMPARE(game.form.Image1.size(), after);
        QCOMPARE(game.read("data/user.pla"), int16s({3, 1, 120, after, 200}));
    }

    // The end of a stage: faster before the message; at 60 ms or less the won game.
    void stageEnd_data()
    {
        QTest::addColumn<int>("speed");
        for (int speed : {200, 81, 80})
            QTest::addRow("%d ms", speed) << speed;
    }
    void stageEnd()
    {
        QFETCH(int, speed);
        const int faster = speed - 20;
        const bool wins = faster <= 60;
        Game game;
        game.startGame();
        game.form.rychlost = std::int16_t(speed);
        game.form.Timer1.setInterval(game.form.rychlost);
        game.growSnakeTo(10);
        game.form.score = 490;
        game.form.lives = 2; // unseen until the labels are shown again
        game.form.level = 2;
        game.dialogs.inputs.push_back(QStringLiteral("Vítěz"));
        QList<int> intervals;
        game.dialogs.whileOpen = [&](const ScriptedDialogs::Shown &) { intervals << game.form.Timer1.interval(); };
        game.finishLevel();
        QCOMPARE(game.dialogs.messages(), QStringList{wins ? msg::won : msg::nextStage});
        QCOMPARE(intervals, wins ? (QList<int>{faster, 0}) : QList<int>{faster});
        QCOMPARE(game.head(), QPoint(261, 261));
        QCOMPARE(game.form.hallWindow()->isVisible(), wins);
        const Shown won{{"500", "1", "2", "12"}, 3, 0, false, false, true};
        QCOMPARE(game.shown(), (wins ? won : Shown{{"500", "1", "3", "12"}, 11, faster, true, false, false}));
        QCOMPARE(game.read("data/user.pla"), wins ? QByteArray() : int16s({2, 0, 0, 11, faster}));
        if (wins)
            QCOMPARE(game.form.hallWindow()->place(3), (game::HallPlace{QStringLiteral("Vítěz"), "500"}));
    }

    // Lost lives: the snake back at its start, the end, the hall offer, the idle window, a new game.
    void lostLives_data()
    {
        QTest::addColumn<int>("score");
        QTest::newRow("30, no place") << 30;
        QTest::newRow("250, place 4") << 250;
    }
    void lostLives()
    {
        QFETCH(int, score);
        const bool entered = score > 200;
        Game game;
        game.write("levels/level0.lvl", level({{45, 54}, {63, 72}}));
        game.startGame();
        game.eat(3);
        game.growSnakeTo(9);
        game::Form1 &w = game.form;
        w.level = 2;
        game.dialogs.inputs.push_back(QStringLiteral("Had"));
        QList<int> intervals;
        QList<QPoint> heads;
        game.dialogs.whileOpen = [&](const ScriptedDialogs::Shown &) {
            intervals << w.Timer1.interval();
            heads << game.head();
        };
        w.Picture1_KeyDown(platform::key::right);
        game.ticks(1);
        QCOMPARE(heads, QList<QPoint>{QPoint(261, 261)});
        QCOMPARE(game.shown(), (Shown{{"30", "1", "2", "9"}, 9, 200, true, false, false}));
        QCOMPARE(game.direction(), (QList<int>{1, -1, 1, 0}));
        QVERIFY(w.Image2.visible(4));
        w.score = std::int16_t(score);
        game.crashOnce();
        game.crashOnce();
        QCOMPARE(game.dialogs.messages(), (QStringList{msg::crashed, msg::crashed, msg::gameOver}));
        QCOMPARE(intervals, entered ? (QList<int>{200, 200, 200, 0}) : (QList<int>{200, 200, 200}));
        QCOMPARE(w.hallWindow()->place(4).name, entered ? "Had" : "Nikdo");
        QCOMPARE(w.hallWindow()->isVisible(), entered);
        QCOMPARE(game.shown(), (Shown{{QString::number(score), "1", "0", "9"}, 3, 0, false, false, true}));
        QCOMPARE(game.head(), QPoint(261, 261));
        QVERIFY(w.Image2.size() == 1 && !w.Image3.visible(1) && !w.Image3.visible(2));
        QVERIFY(!game.exists("data/user.pla"));
        w.mnNova_Click();
        QCOMPARE(game.shown(), (Shown{{"0", "1", "3", "12"}, 3, 200, true, false, false}));
        QCOMPARE(game.direction(), (QList<int>{1, -1, 1, 0}));
        QVERIFY(w.Image3.visible(1) && w.Image2.visible(4) && !w.hallWindow()->isVisible());
    }

    // Food takes top, then left, from the draws; each setup reseeds; every cell alike likely.
    void foodFromDraws()
    {
        Game game;
        const QList<QPoint> cells{{9, 252}, {9, 252}, {135, 18}, {18, 135}};
        game.startGame(cells);
        for (int f = 1; f <= 4; ++f)
            QVERIFY(at(game.form.Image2, f) == cells[f - 1] && game.form.Image2.visible(f));
        QCOMPARE((QList<int>{game.random.draws, game.random.reseeds}), (QList<int>{8, 1}));
        for (int i = 0; i < 2 * 252; ++i)
            game.random.values.push_back(i == 2 * 252 - 1 ? 0.9999999 : (i % 252) / 252.0);
        std::map<int, int> seen;
        for (int run = 0; run < 2 * 252 / 8; ++run) {
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
    void foodOffWalls_data()
    {
        QTest::addColumn<QList<QPoint>>("blocks");
        QTest::addColumn<QPoint>("drawn");
        QTest::addColumn<QPoint>("placed");
        QList<QPoint> ring;
        for (int d = 0; d < 9; ++d)
            ring << QPoint(81 + 9 * (d % 3), 81 + 9 * (d / 3));
        QTest::newRow("walled in stays") << ring << QPoint(90, 90) << QPoint(90, 90);
        QTest::newRow("off the grid to 0") << QList<QPoint>{{9, 9}, {18, 18}} << QPoint(9, 9) << QPoint(0, 0);
        QTest::newRow("first probe") << QList<QPoint>{{90, 90}} << QPoint(90, 90) << QPoint(99, 99);
        QTest::newRow("third probe") << QList<QPoint>{{90, 90}, {108, 90}} << QPoint(90, 90) << QPoint(90, 108);
        QTest::newRow("beside a wall stays") << QList<QPoint>{{90, 90}} << QPoint(99, 90) << QPoint(99, 90);
    }
    void foodOffWalls()
    {
        QFETCH(QList<QPoint>, blocks);
        QFETCH(QPoint, drawn);
        Game game;
        game.write("levels/level0.lvl", level(blocks));
        game.startGame({drawn});
        QTEST(at(game.form.Image2, 1), "placed");
    }
};

QTEST_MAIN(TestPlay)
#include "test_play.moc"
