// The game tick: how the snake moves, what counts as a crash, and steering
// with the arrow keys.
#include "game_fixture.h"

#include "platform/playfield.h"

class TestTick : public QObject
{
    Q_OBJECT

private slots:
    // The first tick after reset_snake: which moves crash (edges, walls, body), once, eating nothing.
    void move_data()
    {
        QTest::addColumn<QPoint>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("wall"); // on (261, 252): "", "shown", "hidden" or "and body"
        QTest::addColumn<QPoint>("end");   // (261, 261) after a crash
        const QPoint crash(261, 261);
        QTest::newRow("top 0 up") << QPoint(99, 0) << 38 << "" << crash;
        QTest::newRow("top 9 up") << QPoint(99, 9) << 38 << "" << QPoint(99, 0);
        QTest::newRow("left 261 right") << QPoint(261, 99) << 39 << "" << crash;
        QTest::newRow("left 252 right") << QPoint(252, 99) << 39 << "" << QPoint(261, 99);
        QTest::newRow("top 252 down") << QPoint(99, 252) << 40 << "" << QPoint(99, 261);
        QTest::newRow("left 0 left") << QPoint(0, 99) << 37 << "" << crash;
        QTest::newRow("start cell down") << crash << 40 << "" << crash;
        QTest::newRow("start cell up") << crash << 38 << "" << QPoint(261, 252);
        QTest::newRow("shown wall") << crash << 38 << "shown" << crash;
        QTest::newRow("hidden wall") << crash << 38 << "hidden" << crash;
        QTest::newRow("wall and body, one crash") << crash << 38 << "and body" << crash;
    }
    void move()
    {
        QFETCH(QPoint, start);
        QFETCH(int, key);
        QFETCH(QString, wall);
        QFETCH(QPoint, end);
        GameFixture game;
        if (!wall.isEmpty())
            game.writeLevel(0, {{261, 252}});
        game.startGame();
        game.growSnakeTo(5);
        if (wall == "hidden")
            game.window.Image3.setVisible(1, false);
        game.window.reset_snake();
        game.put(game.window.Image1, 0, start);
        for (int i = 1; wall == "and body" && i <= 2; ++i)
            game.put(game.window.Image1, i, {261, 252});
        game.window.Picture1_KeyDown(static_cast<std::int16_t>(key));
        game.put(game.window.Image2, 1, game.nextCell());
        game.ticks(1);
        const bool crashed = end == QPoint(261, 261);
        QCOMPARE(game.dialogs.messages(), crashed ? QStringList{msg::crashed} : QStringList());
        QCOMPARE(game.head(), end);
        // The body follows from where reset_snake parked it, one sprite a tick.
        QCOMPARE(game.snake(1), crashed ? QPoint(270, 270) : start);
        for (int i = 2; i < 5; ++i)
            QCOMPARE(game.snake(i), QPoint(270, 270));
        QCOMPARE((QList<int>{game.window.lives, game.window.score}), (QList<int>{crashed ? 2 : 3, crashed ? 0 : 10}));
    }

    // Turning back: three sprites run into the body, two into the cell the tail has just left.
    void reversing()
    {
        for (int length : {2, 3}) {
            GameFixture game;
            game.startGame();
            game.window.Image1.destroyFrom(length);
            game.ticks(2);
            game.window.Picture1_KeyDown(platform::key::down);
            game.ticks(1);
            QCOMPARE(game.window.lives, length == 3 ? 2 : 3);
        }
    }

    // No expiry moves the snake while a message box is open.
    void noTickWhileBoxOpen()
    {
        GameFixture game;
        game.startGame();
        QList<QPoint> heads;
        game.dialogs.whileOpen = [&](const ScriptedDialogs::Shown &) {
            game.ticks(2);
            heads << game.head();
        };
        game.crashOnce();
        QCOMPARE(heads, QList<QPoint>{QPoint(261, 261)});
        QCOMPARE(game.window.lives, 2);
    }

    // Each arrow key sets its axis and sign and leaves the other sign alone; only the last key counts.
    void steering_data()
    {
        QTest::addColumn<QList<int>>("before"); // dirx, diry, vert, horiz
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QList<int>>("after");
        const QList<int> up{1, -1, 1, 0}, left{-1, 1, 0, 1};
        QTest::newRow("left while up") << up << QList<int>{37} << QList<int>{-1, -1, 0, 1};
        QTest::newRow("up while right") << QList<int>{1, 1, 0, 1} << QList<int>{38} << up;
        QTest::newRow("right while left") << left << QList<int>{39} << QList<int>{1, 1, 0, 1};
        QTest::newRow("right while right") << QList<int>{1, 1, 0, 1} << QList<int>{39} << QList<int>{1, 1, 0, 1};
        QTest::newRow("down while left") << QList<int>{-1, -1, 0, 1} << QList<int>{40} << QList<int>{-1, 1, 1, 0};
        QTest::newRow("left then up") << up << QList<int>{37, 38} << QList<int>{-1, -1, 1, 0};
        QTest::newRow("held left") << up << QList<int>{37, 37, 37} << QList<int>{-1, -1, 0, 1};
        QTest::newRow("letter A") << left << QList<int>{65} << left;
        QTest::newRow("code 36") << up << QList<int>{36} << up;
        QTest::newRow("code 41") << up << QList<int>{41} << up;
    }
    void steering()
    {
        QFETCH(QList<int>, before);
        QFETCH(QList<int>, keys);
        QFETCH(QList<int>, after);
        GameFixture game;
        game.startGame();
        game::Form1 &w = game.window;
        std::int16_t *fields[] = {&w.dirx, &w.diry, &w.vert, &w.horiz};
        for (int i = 0; i < 4; ++i)
            *fields[i] = static_cast<std::int16_t>(before[i]);
        for (int key : keys)
            w.Picture1_KeyDown(static_cast<std::int16_t>(key));
        QCOMPARE(game.direction(), after);
    }

    // Arrows on the playfield steer, but not while idle or paused: the old direction goes on.
    void keysOnPlayfield()
    {
        GameFixture game;
        game.load();
        QTest::keyClick(game.window.Picture1, Qt::Key_Left);
        QCOMPARE(game.direction(), (QList<int>{0, 0, 0, 0}));
        game.window.mnNova_Click();
        game.window.mnPause_Click();
        QTest::keyClick(game.window.Picture1, Qt::Key_Left);
        game.window.mnPause_Click();
        game.ticks(1);
        QCOMPARE(game.head(), QPoint(261, 252));
        QTest::keyClick(game.window.Picture1, Qt::Key_Left);
        QCOMPARE(game.direction(), (QList<int>{-1, -1, 0, 1}));
    }
};

QTEST_MAIN(TestTick)
#include "test_tick.moc"
