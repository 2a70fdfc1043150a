// The editor window: layout, grid, placing, removing and clearing blocks.
#include "editor_fixture.h"

#include "platform/pictures.h"

#include <QTimer>

namespace {

const QRgb black = qRgb(0, 0, 0);
const QRgb darkRed = qRgb(128, 0, 0);

// The map's drawing area as the screen shows it.
QImage mapPixels(editor::Form1 &form)
{
    const int border = platform::Playfield::border;
    return form.Picture1.grab().toImage().convertToFormat(QImage::Format_RGB32).copy(border, border, 269, 269);
}

bool onGridLine(int x, int y)
{
    return x % 9 == 8 || y % 9 == 8;
}

} // namespace

class TestEditorMap : public QObject
{
    Q_OBJECT

private slots:
    // Caption with its trailing blank, fixed client size, icon, fixed texts.
    void window()
    {
        EditorFixture editor;
        const editor::Form1 &form = editor.form;
        QCOMPARE(form.windowTitle(), QStringLiteral("Tolmar Korvo - editor "));
        QCOMPARE(form.minimumSize(), QSize(484, 286));
        QCOMPARE(form.maximumSize(), QSize(484, 286));
        QCOMPARE(form.windowIcon().pixmap(32).toImage(), platform::programIcon().pixmap(32).toImage());
        QCOMPARE(form.Label2.text(), QStringLiteral("Tolmar"));
        QCOMPARE(form.Label2.font().pointSizeF(), 13.5);
        QVERIFY(form.Label1.wordWrap() && !form.Label1.text().isEmpty());
        QVERIFY(form.Frame1.title().isEmpty() && form.Frame2.title().isEmpty());
        const QStringList captions{form.Command1.text(), form.Command2.text(), form.Command3.text(),
                                   form.Command4.text(), form.Command5.text()};
        QCOMPARE(captions, (QStringList{"&Ulož", "&Načti", "&Exit", "&Smaž vše", "&Odstraň"}));
    }

    // Every control at its place in the client area, in its container.
    void layout()
    {
        EditorFixture editor;
        const editor::Form1 &form = editor.form;
        const auto place = [&](const QWidget &control) { return QRect(control.mapTo(&form, QPoint(0, 0)), control.size()); };
        QCOMPARE(place(form.Label1), QRect(0, 8, 73, 225));
        QCOMPARE(place(form.Label2), QRect(8, 248, 65, 25));
        QCOMPARE(place(form.Picture1), QRect(80, 8, 273, 273));
        QCOMPARE(place(form.Frame1), QRect(360, 0, 121, 177));
        QCOMPARE(place(form.Command1), QRect(392, 40, 57, 17));
        QCOMPARE(place(form.Command2), QRect(392, 72, 57, 17));
        QCOMPARE(place(form.Command3), QRect(392, 104, 57, 17));
        QCOMPARE(place(form.Frame2), QRect(360, 184, 121, 97));
        QCOMPARE(form.Command5.geometry(), QRect(32, 24, 57, 17));
        QCOMPARE(form.Command4.geometry(), QRect(32, 64, 57, 17));
        QCOMPARE(form.Command5.parentWidget(), &form.Frame2);
        QCOMPARE(form.Command4.parentWidget(), &form.Frame2);
    }

    // Dark red lines at 8, 17, ..., 260 each way, black everywhere else.
    void gridAtStart()
    {
        EditorFixture editor;
        const QImage pixels = mapPixels(editor.form);
        for (int y = 0; y < 269; ++y) {
            for (int x = 0; x < 269; ++x) {
                if (pixels.pixel(x, y) != (onGridLine(x, y) ? darkRed : black))
                    QFAIL(qPrintable(QStringLiteral("pixel %1, %2").arg(x).arg(y)));
            }
        }
        QCOMPARE(editor.form.Image1.size(), 1);
    }

    // A block covers its cell and the cell's grid line; the grid comes back
    // unchanged under a removed block.
    void blockCoversGridLine()
    {
        EditorFixture editor;
        const QImage before = mapPixels(editor.form);
        editor.press({12, 12});
        const QImage covered = mapPixels(editor.form);
        QCOMPARE(covered.copy(9, 9, 9, 9), platform::wallPicture());
        QCOMPARE(covered.pixel(17, 10), black);
        QCOMPARE(covered.pixel(18, 10), black);
        QCOMPARE(covered.pixel(17, 8), darkRed);
        editor.form.Command5_Click();
        QCOMPARE(mapPixels(editor.form), before);
    }

    // A press snaps to the largest multiple of 9 not above each coordinate.
    void snapping_data()
    {
        QTest::addColumn<QPoint>("pressed");
        QTest::addColumn<QPoint>("placed");
        QTest::newRow("0,0") << QPoint(0, 0) << QPoint(0, 0);
        QTest::newRow("8,8") << QPoint(8, 8) << QPoint(0, 0);
        QTest::newRow("4,7") << QPoint(4, 7) << QPoint(0, 0);
        QTest::newRow("9,17") << QPoint(9, 17) << QPoint(9, 9);
        QTest::newRow("18,9") << QPoint(18, 9) << QPoint(18, 9);
        QTest::newRow("268,268") << QPoint(268, 268) << QPoint(261, 261);
        QTest::newRow("260,0") << QPoint(260, 0) << QPoint(252, 0);
    }
    void snapping()
    {
        QFETCH(QPoint, pressed);
        QFETCH(QPoint, placed);
        EditorFixture editor;
        editor.press(pressed);
        QCOMPARE(editor.blocks(), QList<QPoint>{placed});
        QVERIFY(editor.onlyBlocksShown());
    }

    // Any button with any modifier keys places a block like the left button.
    void anyButtonPlaces_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::newRow("right") << Qt::RightButton << Qt::KeyboardModifiers();
        QTest::newRow("middle") << Qt::MiddleButton << Qt::KeyboardModifiers();
        QTest::newRow("shift") << Qt::LeftButton << Qt::KeyboardModifiers(Qt::ShiftModifier);
        QTest::newRow("ctrl") << Qt::LeftButton << Qt::KeyboardModifiers(Qt::ControlModifier);
        QTest::newRow("alt") << Qt::LeftButton << Qt::KeyboardModifiers(Qt::AltModifier);
        QTest::newRow("right+shift+ctrl") << Qt::RightButton << (Qt::ShiftModifier | Qt::ControlModifier);
    }
    void anyButtonPlaces()
    {
        QFETCH(Qt::MouseButton, button);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        EditorFixture editor;
        editor.press({40, 100}, button, modifiers);
        QCOMPARE(editor.blocks(), QList<QPoint>{QPoint(36, 99)});
    }

    // A press on a shown block adds nothing; once removed, the cell takes presses again.
    void pressOnShownBlock()
    {
        EditorFixture editor;
        editor.press({10, 10});
        editor.press({17, 12}, Qt::RightButton);
        QCOMPARE(editor.form.Image1.size(), 2);
        editor.form.Command5_Click();
        editor.press({17, 12});
        QCOMPARE(editor.blocks(), QList<QPoint>{QPoint(9, 9)});
    }

    // "&Odstraň" takes back the newest block first; with none left it does nothing.
    void removeNewestFirst()
    {
        EditorFixture editor;
        editor.press({0, 0});
        editor.press({100, 50});
        editor.press({200, 260});
        const QList<QPoint> placed{{0, 0}, {99, 45}, {198, 252}};
        QCOMPARE(editor.blocks(), placed);
        for (int left = 2; left >= 0; --left) {
            editor.form.Command5_Click();
            QCOMPARE(editor.blocks(), placed.first(left));
        }
        editor.form.Command5_Click();
        QCOMPARE(editor.form.Image1.size(), 1);
        QVERIFY(editor.onlyBlocksShown());
        QVERIFY(editor.dialogs.shown.empty());
    }

    // "&Smaž vše" asks first: No keeps every block, Yes leaves only the template.
    void clearAll()
    {
        EditorFixture editor;
        editor.press({0, 0});
        editor.press({30, 30});
        editor.dialogs.answers = {platform::Dialogs::Answer::No, platform::Dialogs::Answer::Yes};
        editor.form.Command4_Click();
        QCOMPARE(editor.blocks(), (QList<QPoint>{{0, 0}, {27, 27}}));
        editor.form.Command4_Click();
        QCOMPARE(editor.form.Image1.size(), 1);
        QCOMPARE(editor.dialogs.messages(), QStringList(2, QStringLiteral("Dotaz: OPRAVDU TO CHCEŠ?????" "!!!!!")));
        QCOMPARE(editor.dialogs.shown[0].buttons, platform::Dialogs::Buttons::YesNo);
        editor.press({30, 30});
        QCOMPARE(editor.blocks(), QList<QPoint>{QPoint(27, 27)});
    }

    // "&Exit" closes the window and so ends the program, without a question.
    void exitEndsProgram()
    {
        EditorFixture editor;
        editor.form.show();
        editor.press({50, 50});
        QTimer::singleShot(0, &editor.form, &editor::Form1::Command3_Click);
        QTimer watchdog;
        connect(&watchdog, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
        watchdog.start(5000);
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!editor.form.isVisible());
        QVERIFY(editor.dialogs.shown.empty());
    }
};

QTEST_MAIN(TestEditorMap)
#include "test_editor_map.moc"
