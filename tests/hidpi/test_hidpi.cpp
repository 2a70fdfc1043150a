// Both programs at a device pixel ratio of 2 (QT_SCALE_FACTOR=2): every pixel
// of a sprite and of the editor's grid shows as a sharp 2 x 2 square of its
// own colour, with no smoothing.
#include "editor/form1.h"
#include "game/form1.h"
#include "platform/pictures.h"
#include "platform/playfield.h"

#include "scripted_dialogs.h"
#include "scripted_random.h"
#include "temp_program_folder.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include <map>

namespace {

constexpr int ratio = 2;
constexpr int cellSize = 9;
using Sprites = std::map<std::pair<int, int>, QImage>; // the picture at (left, top)

QRgb black(int, int)
{
    return qRgb(0, 0, 0);
}

QRgb grid(int x, int y)
{
    return x % cellSize == cellSize - 1 || y % cellSize == cellSize - 1 ? qRgb(128, 0, 0) : black(x, y);
}

// The first client pixel of the playfield on the screen that is not a 2 x 2
// square of its colour in sprites over background; empty when there is none.
QString crispMismatch(platform::Playfield &playfield, const Sprites &sprites, QRgb (*background)(int, int))
{
    playfield.flushChanges();
    const QImage screen = playfield.grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (screen.size() != playfield.size() * ratio)
        return QStringLiteral("the playfield is %1 x %2 device pixels").arg(screen.width()).arg(screen.height());
    for (int y = 0; y < playfield.clientHeight(); ++y) {
        for (int x = 0; x < playfield.clientWidth(); ++x) {
            const auto sprite = sprites.find({x - x % cellSize, y - y % cellSize});
            const QRgb want =
                sprite != sprites.end() ? sprite->second.pixel(x % cellSize, y % cellSize) : background(x, y);
            for (int d = 0; d < ratio * ratio; ++d) {
                const int border = ratio * platform::Playfield::border;
                const QRgb shown = screen.pixel(border + ratio * x + d % ratio, border + ratio * y + d / ratio);
                if (shown != want) {
                    return QStringLiteral("client pixel (%1, %2) shows %3, not %4")
                        .arg(x).arg(y).arg(shown, 0, 16).arg(want, 0, 16);
                }
            }
        }
    }
    return {};
}

void place(platform::SpriteCollection &sprites, int left, int top)
{
    sprites.add(static_cast<std::int16_t>(top), static_cast<std::int16_t>(left));
}

} // namespace

class TestHiDpi : public QObject
{
    Q_OBJECT

private slots:
    // The test runs on a screen of ratio 2, or it would prove nothing.
    void initTestCase() { QCOMPARE(qApp->devicePixelRatio(), qreal(ratio)); }

    // A wall, a food item and the snake's head cut to 8 pixels by the border.
    void gameSprites()
    {
        ScriptedDialogs dialogs;
        ScriptedRandom random;
        TempProgramFolder folder;
        game::Form1 window(dialogs, random, folder.path());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        place(window.Image3, 0, 0);
        place(window.Image2, 9, 126);
        const Sprites shown{{{0, 0}, platform::wallPicture()},
                            {{9, 126}, platform::foodPicture()},
                            {{261, 261}, platform::snakePicture()}};
        const QString mismatch = crispMismatch(*window.Picture1, shown, black);
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    }

    // The editor's grid lines, one dark red pixel, and a block placed by a press.
    void editorGridAndBlock()
    {
        ScriptedDialogs dialogs;
        TempProgramFolder folder;
        editor::Form1 form(dialogs, folder.path());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.Picture1_MouseDown(Qt::LeftButton, Qt::NoModifier, 20, 30);
        const QString mismatch = crispMismatch(*form.Picture1, {{{18, 27}, platform::wallPicture()}}, grid);
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    }

    // A press anywhere in a cell, to the half device pixel, places its block
    // there; none outside the 269 x 269 map does. The window stands at two
    // places, so its own position cannot round the press.
    void editorPressesAtFractions_data()
    {
        QTest::addColumn<QPointF>("press");
        QTest::addColumn<QPoint>("block"); // (-1, -1) for none
        const QPoint none(-1, -1);
        QTest::newRow("origin") << QPointF(0, 0) << QPoint(0, 0);
        QTest::newRow("last half pixel of the first cell") << QPointF(8.5, 8.5) << QPoint(0, 0);
        QTest::newRow("first half of the second cell") << QPointF(9, 8.5) << QPoint(9, 0);
        QTest::newRow("last half pixel of the map") << QPointF(268.5, 268.5) << QPoint(261, 261);
        QTest::newRow("right of the map") << QPointF(269, 100) << none;
        QTest::newRow("below the map") << QPointF(100, 269) << none;
        QTest::newRow("left of the map") << QPointF(-0.5, 100) << none;
        QTest::newRow("above the map") << QPointF(100, -0.5) << none;
    }
    void editorPressesAtFractions()
    {
        QFETCH(QPointF, press);
        QFETCH(QPoint, block);
        for (QPoint windowAt : {QPoint(40, 40), QPoint(41, 43)}) {
            ScriptedDialogs dialogs;
            TempProgramFolder folder;
            editor::Form1 form(dialogs, folder.path());
            form.move(windowAt);
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            const QPointF inWindow = press + QPointF(form.Picture1->mapTo(&form, QPoint(2, 2)));
            QMouseEvent event(QEvent::MouseButtonPress, inWindow, inWindow, form.mapToGlobal(inWindow),
                              Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(form.windowHandle(), &event);
            const QPoint placed =
                form.Image1.size() == 2 ? QPoint(form.Image1.left(1), form.Image1.top(1)) : QPoint(-1, -1);
            QCOMPARE(placed, block);
        }
    }
};

QTEST_MAIN(TestHiDpi)
#include "test_hidpi.moc"
