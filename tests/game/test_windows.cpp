// The game's windows: layout, menus and guards, pause, the hall, the About window, start and close.
#include "game_run.h"

#include "game/hall_file.h"

#include <QMenu>
#include <QMenuBar>
#include <QScreen>

#include <algorithm>
#include <set>

namespace {

QStringList captions(const QList<QAction *> &actions)
{
    QStringList list;
    for (const QAction *action : actions)
        list << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return list;
}

QColor colour(const QLabel *label)
{
    return label->palette().color(QPalette::WindowText);
}

QList<QPoint> chain(const game::Form2 &about)
{
    QList<QPoint> list;
    for (int k = 0; k < about.Image1.size(); ++k)
        list << at(about.Image1, k);
    return list;
}

} // namespace

class TestWindows : public QObject
{
    Q_OBJECT

private slots:
    // The playfield below the menu bar; labels in one column, texts inside, headings and values coloured.
    void layout()
    {
        Game game;
        game::Form1 &w = game.form;
        w.show();
        QCOMPARE(w.windowTitle(), QStringLiteral("Tolmar Korvo v1.3"));
        QVERIFY(w.Picture1->mapTo(&w, QPoint()).y() >= w.menuBar()->geometry().bottom());
        QVERIFY(w.rect().contains(QRect(w.Picture1->mapTo(&w, QPoint()), w.Picture1->size())));
        const QList<QLabel *> values{w.Label2, w.Label4, w.Label6, w.Label8};
        for (QLabel *label : {w.Label1, w.Label2, w.Label3, w.Label4, w.Label5, w.Label6, w.Label7, w.Label8}) {
            const QByteArray text = label->text().toUtf8();
            QVERIFY2(label->x() + label->width() / 2 == w.Label1->x() + w.Label1->width() / 2, text.constData());
            QVERIFY2(label->width() == w.Label1->width() || label == w.Label8, text.constData());
            // The text as drawn, wrapped where it may wrap, fits across the label.
            const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
            const QRect needed = label->fontMetrics().boundingRect(label->rect(), flags, label->text());
            QVERIFY2(needed.left() >= 0 && needed.right() <= label->rect().right(), text.constData());
            QCOMPARE(colour(label), colour(values.contains(label) ? w.Label2 : w.Label1));
        }
        const QColor plain = QPalette().color(QPalette::WindowText);
        QVERIFY(colour(w.Label1) != colour(w.Label2) && colour(w.Label1) != plain && colour(w.Label2) != plain);
        std::set<QRgb> places;
        for (const QLabel *label : w.hallWindow()->Label1)
            places.insert(colour(label).rgb());
        QCOMPARE(places.size(), std::size_t(5));
        for (QWidget *black : std::initializer_list<QWidget *>{w.centralWidget(), w.hallWindow(), w.aboutWindow()})
            QCOMPARE(black->grab().toImage().pixel(1, 1), qRgb(0, 0, 0));
    }

    // The menu bar: "Soubor" with its seven items, then "O Programu", with the shortcuts.
    void menus()
    {
        Game game;
        const game::Form1 &w = game.form;
        const QList<QAction *> bar = w.menuBar()->actions();
        QCOMPARE(captions(bar), (QStringList{"Soubor", "O Programu"}));
        QCOMPARE(captions(bar[0]->menu()->actions()),
                 (QStringList{"Nová hra", "Pokračuj ve hře", "-", "Přestávka", "Síň slávy", "-", "Exit"}));
        QStringList shortcuts;
        for (const QAction *action : {w.mnNova, w.mnPokracuj, w.mnPause, w.mnExit})
            shortcuts << action->shortcut().toString();
        QCOMPARE(shortcuts, (QStringList{"Ctrl+N", "Ctrl+O", "F1", "Ctrl+Q"}));
    }

    // The start: idle, three sprites on the start cell; the hall shows.
    void start()
    {
        Game game;
        game::Form1 &w = game.form;
        QCOMPARE(game.shown(), (Shown{{"0", "1", "3", "12"}, 3, 0, false, false, true}));
        for (int i = 0; i < 3; ++i)
            QVERIFY(w.Image1.visible(i) && at(w.Image1, i) == QPoint(261, 261));
        QVERIFY(!w.hallWindow()->isVisible() && !w.hasAboutWindow());
        w.mnSin_Click();
        QVERIFY(w.hallWindow()->isVisible());
        QVERIFY(!game.exists("data/user.pla") && game.dialogs.shown.empty());
    }

    // In a game, running or paused, "Nová hra", "Pokračuj ve hře", "Síň slávy" and "O Programu" do nothing.
    void guards()
    {
        for (auto command : {&game::Form1::mnNova_Click, &game::Form1::mnPokracuj_Click, &game::Form1::mnSin_Click,
                             &game::Form1::mnOProgramu_Click}) {
            for (bool paused : {false, true}) {
                Game game;
                game.write("data/user.pla", int16s({1, 2, 240, 9, 100}));
                game.startGame();
                game.ticks(2);
                if (paused)
                    game.form.mnPause_Click();
                const Shown before = game.shown();
                const QPoint head = game.head();
                (game.form.*command)();
                QCOMPARE(game.shown(), before);
                QCOMPARE(game.head(), head);
                QVERIFY(!game.form.hallWindow()->isVisible() && !game.form.hasAboutWindow());
            }
        }
    }

    // "Přestávka" stops and resumes the tick in a game; closing the hall or About resumes it.
    void pauseAndBack_data()
    {
        QTest::addColumn<bool>("about");
        QTest::addColumn<QString>("state");
        for (bool about : {false, true}) {
            for (const char *state : {"idle", "running", "paused"})
                QTest::addRow("%s, %s", about ? "About" : "hall", state) << about << QString(state);
        }
    }
    void pauseAndBack()
    {
        QFETCH(bool, about);
        QFETCH(QString, state);
        Game game;
        game.write("data/user.pla", int16s({3, 0, 0, 3, 140}));
        game::Form1 &w = game.form;
        about ? w.mnOProgramu_Click() : w.mnSin_Click();
        if (state != "idle")
            w.mnPokracuj_Click();
        w.rychlost = 160;
        const bool idle = state == "idle", paused = state == "paused";
        w.mnPause->trigger();
        QCOMPARE((QList<bool>{w.mnPause->isChecked(), w.Timer1.isRunning()}), (QList<bool>{!idle, false}));
        if (!paused)
            w.mnPause->trigger();
        QCOMPARE(game.shown().paused, paused);
        QCOMPARE(w.Timer1.interval(), paused || idle ? 0 : 160);
        w.rychlost = 170;
        QWidget *window = about ? static_cast<QWidget *>(w.aboutWindow()) : w.hallWindow();
        QTest::mouseClick(about ? w.aboutWindow()->Label1 : w.hallWindow()->Label3, Qt::LeftButton);
        QVERIFY(!window->isVisible());
        QCOMPARE(w.Timer1.interval(), idle ? 0 : 170);
        QCOMPARE(w.mnPause->isChecked(), paused);
        if (about)
            QCOMPARE(w.aboutWindow()->Timer1.interval(), 0);
    }

    // Closing by the window system or "Exit" writes the hall only, closes all windows, says nothing.
    void closes()
    {
        for (bool byExit : {false, true}) {
            Game game;
            game::Form1 &w = game.form;
            w.show();
            w.mnSin_Click();
            w.mnOProgramu_Click();
            byExit ? w.mnExit->trigger() : void(w.close());
            QVERIFY(!w.isVisible() && !w.hallWindow()->isVisible() && !w.aboutWindow()->isVisible());
            QCOMPARE(game.read("data/hal.hal"), game::hall_file::bytes(game::hall_file::initialTable()));
            QVERIFY(!game.exists("data/user.pla") && game.dialogs.shown.empty());
        }
    }

    // A window shown again while open behind the main window comes to the front with the focus:
    // "O Programu", "Síň slávy" and a hall entry.
    void shownAgainComesToFront()
    {
        for (int command : {0, 1, 2}) {
            Game game;
            game::Form1 &w = game.form;
            w.show();
            const auto choose = [&] {
                game.dialogs.inputs.push_back("Jana");
                w.score = 2000;
                command == 0 ? w.mnOProgramu_Click() : command == 1 ? w.mnSin_Click() : w.hall_entry();
            };
            choose();
            QWidget *shown = command == 0 ? static_cast<QWidget *>(w.aboutWindow()) : w.hallWindow();
            QTRY_COMPARE(QApplication::activeWindow(), shown);
            w.activateWindow();
            QTRY_COMPARE(QApplication::activeWindow(), &w);
            choose();
            QTRY_COMPARE(QApplication::activeWindow(), shown);
        }
    }

    // A final score strictly above a place takes it; Cancel stores an empty name; saved at once.
    void hallEntry_data()
    {
        QTest::addColumn<QString>("scores"); // the five stored, best first
        QTest::addColumn<int>("score");
        QTest::addColumn<QString>("typed"); // empty for Cancel
        QTest::addColumn<int>("place");     // -1: none
        QTest::newRow("200") << "" << 200 << "Řehoř" << -1;
        QTest::newRow("201") << "" << 201 << "Řehoř" << 4;
        QTest::newRow("201, cancelled") << "" << 201 << "" << 4;
        QTest::newRow("1000") << "" << 1000 << "Řehoř" << 1;
        QTest::newRow("letters count 0") << "mnoho" << 1 << "Řehoř" << 0;
        QTest::newRow("leading blanks") << "  700" << 700 << "Řehoř" << -1;
    }
    void hallEntry()
    {
        QFETCH(QString, scores);
        QFETCH(int, score);
        QFETCH(QString, typed);
        QFETCH(int, place);
        TempProgramFolder folder;
        if (!scores.isEmpty())
            folder.write("data/hal.hal", QStringLiteral("Jméno\r\n%1\r\n").arg(scores).repeated(5).toLatin1());
        GameRun game(folder.path());
        game::HallTable table = game.form.hallWindow()->table();
        if (!typed.isEmpty())
            game.dialogs.inputs.push_back(typed);
        game.form.score = std::int16_t(score);
        game.form.hall_entry();
        if (place >= 0)
            table[std::size_t(place)] = {typed, QString::number(score)};
        QCOMPARE(game.form.hallWindow()->table(), table);
        QCOMPARE(game.form.hallWindow()->isVisible(), place >= 0);
        if (place < 0) {
            QVERIFY(game.dialogs.shown.empty() && !folder.exists("data/hal.hal") == scores.isEmpty());
            return;
        }
        QCOMPARE(game.dialogs.shown.size(), std::size_t(1));
        QCOMPARE((QStringList{game.dialogs.shown[0].kind, game.dialogs.shown[0].title, game.dialogs.shown[0].text}),
                 (QStringList{"input", "Síň slávy", "Tvé skóre je hodno na zápis do síně slávy!"}));
        QCOMPARE(folder.read("data/hal.hal"), game::hall_file::bytes(table));
    }

    // "O Programu": centred, the snake laps the picture's edge, the text turns; reopened it goes on.
    void aboutAnimation()
    {
        Game game;
        game.form.mnOProgramu_Click();
        game::Form2 &about = *game.form.aboutWindow();
        QVERIFY(about.isVisible());
        QCOMPARE(std::ranges::count_if(about.Image1.all(), &platform::Sprite::visible), 11);
        QCOMPARE((QList<int>{about.Timer1.interval(), game.form.Timer1.interval()}), (QList<int>{150, 0}));
        const auto offCentre = [&] {
            return (about.frameGeometry().center() - about.screen()->availableGeometry().center()).manhattanLength();
        };
        QVERIFY(offCentre() <= 2);
        // The cells of the picture that a sprite fills whole.
        const int right = (about.Picture1->clientWidth() - 9) / 9 * 9;
        const int bottom = (about.Picture1->clientHeight() - 9) / 9 * 9;
        const QRect inside(0, 0, right + 1, bottom + 1);
        const QString text = about.Label2->text();
        std::set<std::pair<int, int>> visited;
        QPoint previous = chain(about).first();
        for (int tick = 1; tick <= 2 * 122 + 12; ++tick) {
            about.Timer1.expire();
            const QList<QPoint> sprites = chain(about);
            const QPoint head = sprites.first();
            const QString at = QStringLiteral("tick %1").arg(tick);
            const bool onEdge = head.x() == 0 || head.x() == right || head.y() == 0 || head.y() == bottom;
            QVERIFY2(inside.contains(head) && onEdge, qPrintable(at));
            QVERIFY2(tick == 1 || (head - previous).manhattanLength() == 9, qPrintable(at));
            for (int k = 1; tick > 12 && k < sprites.size(); ++k)
                QVERIFY2((sprites[k] - sprites[k - 1]).manhattanLength() == 9, qPrintable(at));
            if (tick > 1 && tick <= 123)
                visited.insert({head.x(), head.y()});
            if (tick == 14) // up the right edge first, then left along the top
                QCOMPARE(head, QPoint(inside.right() - 9, 0));
            QCOMPARE(about.Label2->text(), text.mid(tick % text.size()) + text.left(tick % text.size()));
            previous = head;
        }
        QCOMPARE(visited.size(), std::size_t(2 * (inside.right() + inside.bottom()) / 9));
        const QList<QPoint> sprites = chain(about);
        QTest::mouseClick(about.Label1, Qt::RightButton);
        QVERIFY(about.isVisible());
        about.Label1_Click();
        about.move(about.pos() + QPoint(40, 40));
        game.form.mnOProgramu_Click();
        QCOMPARE(game.form.aboutWindow(), &about);
        QCOMPARE(chain(about), sprites);
        QVERIFY(offCentre() > 40);
    }
};

QTEST_MAIN(TestWindows)
#include "test_windows.moc"
