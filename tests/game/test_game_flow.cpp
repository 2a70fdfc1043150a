// A game from "Nová hra" or "Pokračuj ve hře" to its end: the start values,
// lost lives, the game over, the files replaced whole, and the saved game continued.
#include "game_fixture.h"

#include "game/form2.h"
#include "game/form3.h"

#include <QAction>

#include <filesystem>
#include <map>

class TestGameFlow : public QObject
{
    Q_OBJECT

private slots:
    // Three crashes: a lost life puts the snake back at its start before the message and keeps all
    // else; the last shows "Chcípls..." while the tick runs, then the hall offer if the score
    // qualifies, then the idle window, nothing saved; "Nová hra" then starts afresh at 200 ms and
    // hides the other windows.
    void crashes_data()
    {
        QTest::addColumn<int>("score");
        QTest::addColumn<bool>("entered");
        QTest::newRow("30, no place") << 30 << false;
        QTest::newRow("250, place 4") << 250 << true;
    }
    void crashes()
    {
        QFETCH(int, score);
        QFETCH(bool, entered);
        GameFixture game;
        game.writeLevel(0, {{45, 54}, {63, 72}});
        game.startGame();
        game.eat(3);
        game.growSnakeTo(9);
        game.window.level = 2;
        game.setSpeed(120);
        game.dialogs.inputs.push_back(QStringLiteral("Had"));
        const QPoint food4 = game.food(4);
        QList<int> intervals;
        QList<QPoint> heads;
        game.dialogs.whileOpen = [&](const ScriptedDialogs::Shown &) {
            intervals << game.window.Timer1.interval();
            heads << game.head();
        };
        game::Form1 &w = game.window;
        w.Picture1_KeyDown(platform::key::right);
        game.ticks(1);
        QCOMPARE(heads, QList<QPoint>{QPoint(261, 261)});
        QCOMPARE(game.labels(), (QStringList{"30", "1", "2", "9"}));
        QCOMPARE(game.direction(), (QList<int>{1, -1, 1, 0}));
        QCOMPARE(game.snake(8), QPoint(270, 270));
        QCOMPARE(game.food(4), food4);
        QVERIFY(!w.Image2.visible(1));
        QCOMPARE((QList<int>{w.Image1.size(), w.eaten, w.Image3.size(), w.Timer1.interval()}),
                 (QList<int>{9, 3, 3, 120}));

        w.score = static_cast<std::int16_t>(score);
        game.crashOnce();
        game.crashOnce();
        QCOMPARE(game.dialogs.messages(), (QStringList{msg::crashed, msg::crashed, msg::gameOver}));
        QCOMPARE(game.dialogs.shown.size(), std::size_t(entered ? 4 : 3));
        QCOMPARE(intervals, entered ? (QList<int>{120, 120, 120, 0}) : (QList<int>{120, 120, 120}));
        QCOMPARE(w.hallWindow()->place(4).name, entered ? "Had" : "Nikdo");
        QCOMPARE(w.hallWindow()->isVisible(), entered);
        QCOMPARE(game.labels(), (QStringList{QString::number(score), "1", "0", "9"}));
        QCOMPARE((QList<int>{w.prechod, w.prechod2, w.Timer1.interval()}), (QList<int>{0, 0, 0}));
        QVERIFY(w.mnSin->isEnabled());
        QCOMPARE((QList<int>{w.Image1.size(), w.Image2.size(), w.Image3.size()}), (QList<int>{3, 1, 3}));
        QCOMPARE((QList<QPoint>{game.head(), game.snake(1), game.snake(2)}),
                 (QList<QPoint>{{261, 261}, {270, 270}, {270, 270}}));
        QVERIFY(!w.Image3.visible(1) && !w.Image3.visible(2));
        QVERIFY(!game.folder.exists("data/user.pla"));

        w.mnSin_Click();
        w.mnOProgramu_Click();
        w.mnNova_Click();
        QCOMPARE((QList<int>{w.prechod, w.prechod2, w.rychlost, w.Timer1.interval()}), (QList<int>{-1, 0, 200, 200}));
        QCOMPARE((QList<int>{w.lives, w.score, w.level, w.remaining, w.eaten, w.batches}),
                 (QList<int>{3, 0, 0, 12, 0, 0}));
        QCOMPARE(game.labels(), (QStringList{"0", "1", "3", "12"}));
        QCOMPARE(game.direction(), (QList<int>{1, -1, 1, 0}));
        QCOMPARE((QList<int>{w.Image1.size(), w.Image2.size(), w.Image3.size()}), (QList<int>{3, 5, 3}));
        QVERIFY(w.Image3.visible(1) && w.Image2.visible(4) && !w.mnSin->isEnabled());
        QVERIFY(!w.hallWindow()->isVisible() && !w.aboutWindow()->isVisible());
        QCOMPARE(w.aboutWindow()->Timer1.interval(), 150); // the animation runs on unseen
    }

    // The saved game and the hall are replaced whole: a new file renamed over the old, nothing left beside.
    void filesReplacedWhole()
    {
        GameFixture game;
        const std::filesystem::path data = game.folder.path() / "data";
        const std::map<std::string, QByteArray> old{{"user.pla", QByteArray(16, '\xFF')}, {"hal.hal", "Eva\r\n50\r\n"}};
        for (const auto &[name, bytes] : old) {
            game.write("data/" + name, bytes);
            std::filesystem::create_hard_link(data / name, game.folder.path() / name);
        }
        game.startGame();
        game.lastItemOfLevelAhead();
        game.eat();
        game.window.score = 1500;
        game.window.hall_entry();
        for (const auto &[name, bytes] : old)
            QCOMPARE(game.read(name), bytes);
        QCOMPARE(game.read("data/user.pla").size(), 10);
        QCOMPARE(game.read("data/hal.hal").count("\r\n"), 10);
        QCOMPARE(std::distance(std::filesystem::directory_iterator(data), {}), 2);
    }

    // "Pokračuj ve hře" starts from the saved lives, level, score, length and interval; the windows stay.
    void continueSaved_data()
    {
        QTest::addColumn<QByteArray>("saved");
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("walls");
        QTest::addColumn<int>("interval");
        const auto row = [](const char *name, const QList<int> &saved, QStringList labels, int length, int walls) {
            QTest::newRow(name) << int16s(saved) << labels << length << walls << saved[4];
        };
        row("second stage at 180 ms", {2, 0, 0, 5, 180}, {"0", "1", "2", "12"}, 5, 1);
        row("later level", {1, 2, 240, 6, 200}, {"240", "3", "1", "12"}, 6, 2);
        row("length 1 keeps three", {3, 0, 0, 1, 200}, {"0", "1", "3", "12"}, 3, 1);
    }
    void continueSaved()
    {
        QFETCH(QByteArray, saved);
        QFETCH(QStringList, labels);
        QFETCH(int, length);
        QFETCH(int, walls);
        QFETCH(int, interval);
        GameFixture game;
        game.writeLevel(0, {{45, 54}});
        game.writeLevel(2, {{45, 54}, {9, 9}});
        game.write("data/user.pla", saved);
        game.load();
        game.window.mnSin_Click();
        game.window.mnOProgramu_Click();
        game.window.mnPokracuj_Click();
        game::Form1 &w = game.window;
        QCOMPARE(game.labels(), labels);
        QCOMPARE((QList<int>{w.prechod, w.rychlost, w.Timer1.interval(), w.batches, w.eaten}),
                 (QList<int>{-1, interval, interval, 0, 0}));
        QCOMPARE(game.direction(), (QList<int>{1, -1, 1, 0}));
        QVERIFY(!w.mnSin->isEnabled());
        QCOMPARE(w.Image1.size(), length);
        for (int i = 0; i < length; ++i)
            QVERIFY(w.Image1.visible(i) && game.snake(i) == QPoint(261, 261));
        QCOMPARE((QList<int>{w.Image2.size(), w.Image3.size()}), (QList<int>{5, walls + 1}));
        QVERIFY(w.hallWindow()->isVisible() && w.aboutWindow()->isVisible());
        QVERIFY(game.dialogs.shown.empty());
    }
};

QTEST_MAIN(TestGameFlow)
#include "test_game_flow.moc"
