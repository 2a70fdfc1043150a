// Eating and the progression through sets, levels and stages up to the won game.
#include "game_fixture.h"

#include "game/form3.h"

#include <QAction>

#include <algorithm>

class TestEating : public QObject
{
    Q_OBJECT

private slots:
    // The first level played out: the first item (4 sprites, "10", "11"); each fourth item a new set
    // with the walls reloaded ("8", then "4"); the twelfth with a snake of 15: labels, then the
    // message, then 7 sprites at the start, the game saved, the next level's walls.
    void firstLevel()
    {
        GameFixture game;
        game.writeLevel(0, {{9, 9}});
        game.writeLevel(1, {{45, 45}, {54, 54}});
        game.startGame({{261, 234}});
        game.ticks(3);
        QCOMPARE(game.window.Image1.size(), 4);
        QVERIFY(game.window.Image1.visible(3) && game.snake(3) == game.snake(2));
        QCOMPARE(game.labels(), (QStringList{"10", "1", "3", "11"}));
        QVERIFY(!game.window.Image2.visible(1) && game.food(1) == QPoint(261, 234));
        for (const QString remaining : {"8", "4"}) {
            game.window.Image3.setVisible(1, false);
            game.eat(3 - game.window.eaten);
            game.placeNextFood({{18, 27}, {36, 45}, {54, 63}, {72, 81}});
            game.eat();
            QCOMPARE(game.window.Label8->text(), remaining);
            QCOMPARE((QList<QPoint>{game.food(1), game.food(4)}), (QList<QPoint>{{18, 27}, {72, 81}}));
            QVERIFY(game.window.Image2.visible(1) && game.window.Image2.visible(4) && game.window.Image3.visible(1));
        }
        QCOMPARE((QList<int>{game.window.batches, game.window.eaten, game.window.Image1.size()}),
                 (QList<int>{2, 0, 11}));
        QVERIFY(game.dialogs.shown.empty());
        game.eat(3);
        int lengthDuringMessage = 0;
        QStringList labelsDuringMessage;
        game.dialogs.whileOpen = [&](const ScriptedDialogs::Shown &) {
            lengthDuringMessage = game.window.Image1.size();
            labelsDuringMessage = game.labels();
        };
        game.eat();
        QCOMPARE(game.dialogs.messages(), QStringList{msg::nextLevel});
        QCOMPARE(lengthDuringMessage, 15);
        QCOMPARE(labelsDuringMessage, (QStringList{"120", "2", "3", "12"}));
        QCOMPARE(game.labels(), labelsDuringMessage);
        QCOMPARE(game.window.Image1.size(), 7);
        QCOMPARE(game.head(), QPoint(261, 261));
        for (int i = 1; i < 7; ++i)
            QCOMPARE(game.snake(i), QPoint(270, 270));
        QCOMPARE(game.direction(), (QList<int>{1, -1, 1, 0}));
        QCOMPARE((QList<int>{game.window.batches, game.window.Image3.size(), game.window.Timer1.interval()}),
                 (QList<int>{0, 3, 200}));
        QCOMPARE(game.read("data/user.pla"), int16s({3, 1, 120, 7, 200}));
    }

    // Every visible item on the head's cell is eaten in the same tick; a hidden one is not eaten again.
    void itemsOnTheHeadsCell()
    {
        GameFixture game;
        game.startGame({{261, 252}, {261, 252}, {261, 252}, {99, 99}});
        game.window.Image2.setVisible(2, false);
        game.ticks(1);
        QCOMPARE(game.labels(), (QStringList{"20", "1", "3", "10"}));
        QCOMPARE((QList<int>{game.window.Image1.size(), game.window.eaten}), (QList<int>{5, 2}));
        QVERIFY(game.window.Image2.visible(4));
    }

    // The snake kept at a change of level, (n - 1) / 2 rounded with halves to even, and saved in the
    // ten bytes: lives, level, level x 120 whatever the score, length, interval.
    void shortenedLength_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        const int kept[][2] = {{13, 6},  {14, 6},  {15, 7},  {16, 8},  {17, 8},  {18, 8},
                               {19, 9},  {20, 10}, {21, 10}, {22, 10}, {23, 11}, {24, 12}};
        for (const auto &[before, after] : kept)
            QTest::addRow("%d", before) << before << after;
    }
    void shortenedLength()
    {
        QFETCH(int, before);
        QFETCH(int, after);
        GameFixture game;
        game.startGame();
        game.window.score = 777;
        game.growSnakeTo(before - 1); // the last item eaten adds the last sprite
        game.lastItemOfLevelAhead();
        game.eat();
        QCOMPARE((QList<int>{game.window.level, game.window.Image1.size()}), (QList<int>{1, after}));
        const QByteArray saved = game.read("data/user.pla");
        QCOMPARE(saved, int16s({3, 1, 120, after, 200}));
        if (before == 13)
            QCOMPARE(saved, QByteArray("\x03\x00\x01\x00\x78\x00\x06\x00\xC8\x00", 10));
    }

    // The last level of a stage: the faster interval before the message; then level 0 with the full
    // snake at its start, saved; or, once the interval is 60 or less, the won game: 0 after the
    // message, the hall offer and the idle window.
    void stageEnd_data()
    {
        QTest::addColumn<int>("speed");
        for (int speed : {200, 100, 81, 80, 79, 5})
            QTest::addRow("%d ms", speed) << speed;
    }
    void stageEnd()
    {
        QFETCH(int, speed);
        const int faster = speed - 20;
        const bool wins = faster <= 60;
        GameFixture game;
        game.startGame();
        game.setSpeed(speed);
        game.growSnakeTo(10);
        game.window.score = 490;
        game.window.lives = 2;
        game.window.level = 2;
        game.lastItemOfLevelAhead();
        game.dialogs.inputs.push_back(QStringLiteral("Vítěz"));
        QList<int> intervals;
        game.dialogs.whileOpen = [&](const ScriptedDialogs::Shown &) { intervals << game.window.Timer1.interval(); };
        game.eat();
        QCOMPARE(game.dialogs.messages(), QStringList{wins ? msg::won : msg::nextStage});
        QCOMPARE(intervals.first(), std::max(faster, 0));
        QCOMPARE(intervals.mid(1), wins ? QList<int>{0} : QList<int>());
        QCOMPARE((QStringList{game.labels()[1], game.labels()[3]}), (QStringList{"1", "12"}));
        QCOMPARE(game.head(), QPoint(261, 261));
        QCOMPARE(game.window.hallWindow()->isVisible(), wins);
        if (wins) {
            QCOMPARE(game.window.hallWindow()->place(3), (game::HallPlace{QStringLiteral("Vítěz"), "500"}));
            QCOMPARE(game.window.Label6->text(), QStringLiteral("2"));
            QCOMPARE((QList<int>{game.window.prechod, game.window.Timer1.interval(), game.window.Image1.size(),
                                 game.window.Image2.size()}),
                     (QList<int>{0, 0, 3, 1}));
            QVERIFY(game.window.mnSin->isEnabled());
            QVERIFY(!game.folder.exists("data/user.pla"));
            return;
        }
        QCOMPARE((QList<int>{game.window.rychlost, game.window.Timer1.interval(), game.window.level,
                             game.window.batches, game.window.Image1.size()}),
                 (QList<int>{faster, faster, 0, 0, 11}));
        QCOMPARE(game.read("data/user.pla"), int16s({2, 0, 0, 11, faster}));
    }
};

QTEST_MAIN(TestEating)
#include "test_eating.moc"
