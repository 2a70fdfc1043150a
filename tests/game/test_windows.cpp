// The main window and the About window: their look, the menus and their
// guards, the pause, the start and closing sequences, and the animation.
#include "game_fixture.h"

#include "game/form2.h"
#include "game/form3.h"
#include "platform/clickable_label.h"
#include "platform/playfield.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

#include <map>
#include <set>

namespace {

// The captions of a menu's items, "-" for a separator.
QStringList captions(const QList<QAction *> &actions)
{
    QStringList list;
    for (const QAction *action : actions)
        list << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return list;
}

// Everything a guarded command could change.
QList<QVariant> snapshot(GameFixture &game)
{
    const game::Form1 &w = game.window;
    return {w.prechod,          w.prechod2, w.rychlost, w.score,     w.level,
            w.lives,            w.Timer1.interval(),    game.head(), w.Image2.size() > 1 ? game.food(1) : QPoint(),
            w.mnPause->isChecked(), w.hallWindow()->isVisible(),     w.hasAboutWindow()};
}

QList<QPoint> chain(const game::Form2 &about)
{
    QList<QPoint> list;
    for (int k = 0; k < about.Image1.size(); ++k)
        list << QPoint(about.Image1.left(k), about.Image1.top(k));
    return list;
}

void ticks(game::Form2 &about, int count)
{
    for (int i = 0; i < count; ++i)
        about.Timer1.expire();
}

// A started main window with its About window opened from the menu.
game::Form2 &openAbout(GameFixture &game)
{
    game.load();
    game.window.mnOProgramu_Click();
    return *game.window.aboutWindow();
}

} // namespace

class TestWindows : public QObject
{
    Q_OBJECT

private slots:
    // The three windows and their controls: titles, fixed sizes, borders, places, captions, colours, fonts.
    void layout()
    {
        GameFixture game;
        const game::Form2 &about = openAbout(game);
        game::Form1 &w = game.window;
        const game::Form3 &hall = *w.hallWindow();
        w.show();
        QCOMPARE((QStringList{w.windowTitle(), about.windowTitle()}), (QStringList{"Tolmar Korvo v1.3", "O Programu"}));
        QVERIFY(!w.windowIcon().isNull() && w.minimumSize() == w.maximumSize());
        QCOMPARE(w.centralWidget()->y(), w.menuBar()->height());
        QCOMPARE((QList<QSize>{w.centralWidget()->size(), hall.size(), about.size()}),
                 (QList<QSize>{{369, 285}, {333, 231}, {472, 162}}));
        QCOMPARE((QList<QRect>{w.Picture1->geometry(), about.Picture1->geometry(), about.Picture1->contentsRect()}),
                 (QList<QRect>{{8, 8, 273, 273}, {8, 8, 457, 121}, {2, 2, 453, 117}}));
        QVERIFY((hall.windowFlags() & Qt::FramelessWindowHint) && (about.windowFlags() & Qt::FramelessWindowHint));
        const QColor heading(0xC0C0FF), value(0x8080FF), rows[] = {0x8080FF, 0x00FF00, 0xFF0000, 0x0000FF, 0xFF00FF};
        struct Look {
            const QLabel *label;
            QRect place;
            QColor colour;
            QString text; // none for the hall's table
            Qt::Alignment alignment = Qt::AlignHCenter;
        };
        QList<Look> looks{{w.Label1, {288, 8, 73, 17}, heading, "Tvé skóre"},
                          {w.Label2, {288, 32, 73, 17}, value, "0"},
                          {w.Label3, {288, 64, 73, 25}, heading, "Level"},
                          {w.Label4, {288, 88, 73, 17}, value, "1"},
                          {w.Label5, {288, 120, 73, 49}, heading, "Počet životů"},
                          {w.Label6, {288, 168, 73, 17}, value, "3"},
                          {w.Label7, {288, 192, 73, 41}, heading, "Ještě ti zbývá"},
                          {w.Label8, {296, 240, 57, 25}, value, "12"},
                          {hall.Label3, {64, 200, 201, 25}, value, "Zpátky do hry..."},
                          {about.Label1, {104, 136, 273, 25}, value, "Zpět do hry..."},
                          {about.Label2, {10, 42, 1609, 34}, value, {}, Qt::AlignLeft}};
        for (int k = 0; k < 5; ++k) {
            looks.append({hall.Label1[k], {24, 24 + 32 * k, 153, 25}, rows[k], {}, Qt::AlignRight});
            looks.append({hall.Label2[k], {192, 24 + 32 * k, 73, 25}, rows[k], {}});
        }
        for (const Look &look : looks) {
            QCOMPARE(look.label->geometry(), look.place);
            QCOMPARE(textColour(look.label), look.colour);
            QVERIFY(look.label->alignment() & look.alignment);
            QCOMPARE(look.label->font().pointSize(), 12);
            QVERIFY(look.text.isNull() || look.label->text() == look.text);
        }
        const QString text = about.Label2->text();
        QVERIFY(text.endsWith(QStringLiteral("****")) && !text.contains('\n') && text.size() >= 150);
    }

    // The menu bar: "Soubor" with its seven items, then "O Programu", with the shortcuts.
    void menus()
    {
        GameFixture game;
        const game::Form1 &w = game.window;
        const QList<QAction *> bar = w.menuBar()->actions();
        QCOMPARE(captions(bar), (QStringList{"Soubor", "O Programu"}));
        QCOMPARE(bar[1], w.mnOProgramu);
        const QList<QAction *> items = bar[0]->menu()->actions();
        QCOMPARE(captions(items),
                 (QStringList{"Nová hra", "Pokračuj ve hře", "-", "Přestávka", "Síň slávy", "-", "Exit"}));
        QCOMPARE((QList<QAction *>{items[0], items[1], items[3], items[4], items[6]}),
                 (QList<QAction *>{w.mnNova, w.mnPokracuj, w.mnPause, w.mnSin, w.mnExit}));
        QCOMPARE((QList<QKeySequence>{w.mnNova->shortcut(), w.mnPokracuj->shortcut(), w.mnPause->shortcut(),
                                      w.mnSin->shortcut(), w.mnExit->shortcut(), w.mnOProgramu->shortcut()}),
                 (QList<QKeySequence>{Qt::CTRL | Qt::Key_N, Qt::CTRL | Qt::Key_O, Qt::Key_F1, {}, Qt::CTRL | Qt::Key_Q,
                                      {}}));
    }

    // The start: no check mark, three snake sprites on the start cell, idle, the hall hidden; without
    // a saved game "Pokračuj ve hře" leaves it so and makes no file.
    void start()
    {
        GameFixture game;
        game.window.mnPause->setChecked(true);
        game.load();
        game.window.mnPokracuj_Click();
        const game::Form1 &w = game.window;
        QVERIFY(!w.mnPause->isChecked());
        QCOMPARE((QList<int>{w.Image1.size(), w.Image2.size()}), (QList<int>{3, 1}));
        for (int i = 0; i < 3; ++i)
            QVERIFY(w.Image1.visible(i) && game.snake(i) == QPoint(261, 261));
        QCOMPARE((QList<int>{w.levels, w.prechod, w.prechod2, w.Timer1.interval()}), (QList<int>{3, 0, 0, 0}));
        QVERIFY(!w.hallWindow()->isVisible() && !w.hasAboutWindow());
        QVERIFY(w.mnSin->isEnabled());
        QVERIFY(!game.folder.exists("data/user.pla"));
        QVERIFY(game.dialogs.shown.empty());
    }

    // In a game, running or paused, only "Přestávka" and "Exit" act; idle, "Přestávka" does nothing.
    void guards_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("command");
        for (const char *state : {"running", "paused"}) {
            for (const char *command : {"Nová hra", "Pokračuj ve hře", "Síň slávy", "O Programu"})
                QTest::addRow("%s, %s", state, command) << state << command;
        }
        QTest::newRow("idle, Přestávka") << "idle" << "Přestávka";
    }
    void guards()
    {
        QFETCH(QString, state);
        QFETCH(QString, command);
        GameFixture game;
        game.write("data/user.pla", int16s({1, 2, 240, 9, 100}));
        game.load();
        if (state != "idle") {
            game.window.mnNova_Click();
            game.ticks(2);
        }
        if (state == "paused")
            game.window.mnPause_Click();
        const QList<QVariant> before = snapshot(game);
        const std::map<QString, void (game::Form1::*)()> commands{
            {"Nová hra", &game::Form1::mnNova_Click},   {"Pokračuj ve hře", &game::Form1::mnPokracuj_Click},
            {"Síň slávy", &game::Form1::mnSin_Click},   {"O Programu", &game::Form1::mnOProgramu_Click},
            {"Přestávka", &game::Form1::mnPause_Click},
        };
        (game.window.*commands.at(command))();
        QCOMPARE(snapshot(game), before);
        QVERIFY(game.dialogs.shown.empty());
    }

    // "Zpátky do hry..." and "Zpět do hry..." restart the tick at rychlost only in a game, and a paused
    // game stays paused until "Přestávka" resumes it at rychlost.
    void backToGame_data()
    {
        QTest::addColumn<bool>("about");
        QTest::addColumn<QString>("state");
        for (bool about : {false, true}) {
            for (const char *state : {"idle", "running", "paused"})
                QTest::addRow("%s, %s", about ? "About" : "hall", state) << about << QString(state);
        }
    }
    void backToGame()
    {
        QFETCH(bool, about);
        QFETCH(QString, state);
        GameFixture game;
        game.write("data/user.pla", int16s({3, 0, 0, 3, 140}));
        game.load();
        game::Form1 &w = game.window;
        about ? w.mnOProgramu_Click() : w.mnSin_Click();
        if (state != "idle")
            w.mnPokracuj_Click();
        w.rychlost = 160; // the labels and the pause use rychlost, not the old interval
        const bool idle = state == "idle", paused = state == "paused";
        if (paused)
            w.mnPause->trigger();
        QWidget *window = about ? static_cast<QWidget *>(w.aboutWindow()) : w.hallWindow();
        QTest::mouseClick(about ? w.aboutWindow()->Label1 : w.hallWindow()->Label3, Qt::LeftButton);
        QVERIFY(!window->isVisible());
        QCOMPARE((QList<int>{w.Timer1.interval(), w.prechod2}), (QList<int>{idle ? 0 : 160, paused ? -1 : 0}));
        QCOMPARE(w.mnPause->isChecked(), paused);
        if (about)
            QCOMPARE(w.aboutWindow()->Timer1.interval(), 0);
        if (!idle) {
            w.mnPause->trigger();
            QCOMPARE(w.mnPause->isChecked(), !paused);
            QCOMPARE((QList<int>{w.Timer1.interval(), w.prechod2}), (QList<int>{paused ? 160 : 0, paused ? 0 : -1}));
        }
    }

    // A window shown again while it is open behind the main window comes to
    // the front with the focus: "O Programu", "Síň slávy" and a hall entry.
    void shownAgainComesToFront_data()
    {
        QTest::addColumn<QString>("command");
        for (const char *command : {"O Programu", "Síň slávy", "hall entry"})
            QTest::newRow(command) << QString(command);
    }
    void shownAgainComesToFront()
    {
        QFETCH(QString, command);
        GameFixture game;
        game.load();
        game::Form1 &w = game.window;
        w.show();
        const auto choose = [&] {
            if (command == "O Programu")
                w.mnOProgramu_Click();
            else if (command == "Síň slávy")
                w.mnSin_Click();
            else {
                game.dialogs.inputs.push_back("Jana");
                w.score = 2000;
                w.hall_entry();
            }
        };
        choose();
        QWidget *shown = command == "O Programu" ? static_cast<QWidget *>(w.aboutWindow()) : w.hallWindow();
        QTRY_COMPARE(QApplication::activeWindow(), shown);
        w.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &w);
        choose();
        QTRY_COMPARE(QApplication::activeWindow(), shown);
    }

    // Closing during a game writes the hall, not the saved game, and closes the other windows.
    void closeDuringGame_data()
    {
        QTest::addColumn<bool>("byExit");
        QTest::newRow("window system") << false;
        QTest::newRow("Exit") << true;
    }
    void closeDuringGame()
    {
        QFETCH(bool, byExit);
        GameFixture game;
        game::Form2 &about = openAbout(game);
        about.Label1_Click();
        game.window.mnSin_Click();
        game.window.show();
        game.window.mnNova_Click();
        game.eat(3);
        byExit ? game.window.mnExit->trigger() : static_cast<void>(game.window.close());
        QVERIFY(!game.window.isVisible() && !game.window.hallWindow()->isVisible() && !about.isVisible());
        QCOMPARE(game.read("data/hal.hal").count("\r\n"), 10);
        QVERIFY(!game.folder.exists("data/user.pla"));
        QVERIFY(game.dialogs.shown.empty());
    }

    // "O Programu": centred, the game tick stopped; tick 1 moves nothing, then counter-clockwise along
    // the edges, each cell once, 122 ticks a lap, the text turning by a character a tick; kept while hidden.
    void aboutAnimation()
    {
        GameFixture game;
        game::Form2 &about = openAbout(game);
        QVERIFY(about.isVisible());
        QCOMPARE((QList<int>{about.Timer1.interval(), game.window.Timer1.interval()}), (QList<int>{150, 0}));
        const QPoint centre = about.screen()->availableGeometry().center();
        QVERIFY((about.frameGeometry().center() - centre).manhattanLength() <= 2);
        const QString text = about.Label2->text();
        const std::map<int, QList<QPoint>> headAndLast{
            {1, {{441, 108}, {441, 108}}}, {2, {{441, 99}, {441, 108}}}, {11, {{441, 18}, {441, 108}}},
            {12, {{441, 9}, {441, 99}}},   {13, {{441, 0}, {441, 90}}},  {14, {{432, 0}, {441, 81}}},
            {62, {{0, 0}, {90, 0}}},       {74, {{0, 108}, {0, 18}}},    {123, {{441, 108}, {351, 108}}}};
        std::set<std::pair<int, int>> visited;
        for (int tick = 1; tick <= 245; ++tick) {
            ticks(about, 1);
            const QList<QPoint> sprites = chain(about);
            const QPoint head = sprites.first();
            QVERIFY(head.x() == 0 || head.x() == 441 || head.y() == 0 || head.y() == 108);
            QVERIFY(head.x() >= 0 && head.x() <= 441 && head.y() >= 0 && head.y() <= 108);
            if (tick > 1)
                visited.insert({head.x(), head.y()});
            if (headAndLast.count(tick))
                QCOMPARE((QList<QPoint>{head, sprites.last()}), headAndLast.at(tick));
            const int turned = tick % static_cast<int>(text.size());
            QCOMPARE(about.Label2->text(), text.mid(turned) + text.left(turned));
        }
        QCOMPARE(visited.size(), std::size_t(122));
        // Hidden and shown again, the same window goes on where it stopped.
        const QList<QPoint> sprites = chain(about);
        about.Label1_Click();
        ticks(about, 5);
        game.window.mnOProgramu_Click();
        QCOMPARE(game.window.aboutWindow(), &about);
        QCOMPARE(chain(about), sprites);
        about.Label2->clear();
        ticks(about, 1);
        QCOMPARE(about.Label2->text(), QString());
    }
};

QTEST_MAIN(TestWindows)
#include "test_windows.moc"
