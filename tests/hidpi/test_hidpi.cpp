// Both programs at a device pixel ratio of 2: each sprite and grid pixel a sharp 2 x 2 square.
#include "platform/pictures.h"

#include "editor_run.h"
#include "game_run.h"

#include <map>

namespace {

using Sprites = std::map<std::pair<int, int>, QImage>; // the picture at (left, top)

QRgb black(int, int)
{
    return qRgb(0, 0, 0);
}

QRgb grid(int x, int y)
{
    return x % 9 == 8 || y % 9 == 8 ? qRgb(128, 0, 0) : black(x, y);
}

// The first playfield pixel that is not a 2 x 2 square of its colour; empty when none.
QString crispMismatch(platform::Playfield &playfield, const Sprites &sprites, QRgb (*background)(int, int))
{
    playfield.flushChanges();
    const QImage screen = playfield.grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (screen.size() != playfield.size() * 2)
        return QStringLiteral("the playfield is %1 x %2 device pixels").arg(screen.width()).arg(screen.height());
    for (int y = 0; y < playfield.clientHeight(); ++y) {
        for (int x = 0; x < playfield.clientWidth(); ++x) {
            const auto sprite = sprites.find({x - x % 9, y - y % 9});
            const QRgb want = sprite != sprites.end() ? sprite->second.pixel(x % 9, y % 9) : background(x, y);
            for (int d = 0; d < 4; ++d) {
                const QRgb shown = screen.pixel(2 * (platform::Playfield::border + x) + d % 2, 2 * (platform::Playfield::border + y) + d / 2);
                if (shown != want)
                    return QStringLiteral("client pixel (%1, %2) shows %3, not %4").arg(x).arg(y).arg(shown, 0, 16).arg(want, 0, 16);
            }
        }
    }
    return {};
}

} // namespace

class TestHiDpi : public QObject
{
    Q_OBJECT

private slots:
    // The test runs on a screen of ratio 2, or it would prove nothing.
    void initTestCase() { QCOMPARE(qApp->devicePixelRatio(), qreal(2)); }

    // A wall, a food item and the snake's head cut to 8 pixels by the border.
    void gameSprites()
    {
        Game game;
        game.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&game.form));
        for (auto [sprites, cell] : {std::pair{&game.form.Image3, QPoint(0, 0)}, {&game.form.Image2, QPoint(9, 126)}}) {
            sprites->add(std::int16_t(cell.y()), std::int16_t(cell.x()));
        }
        const QString mismatch = crispMismatch(*game.form.Picture1, {{{0, 0}, platform::wallPicture()}, {{9, 126}, platform::foodPicture()},
                                                                     {{261, 261}, platform::snakePicture()}}, black);
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    }

    // The editor's grid lines, one dark red pixel, and a block placed by a press.
    void editorGridAndBlock()
    {
        TempProgramFolder folder;
        EditorRun editor(folder.path());
        editor.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor.form));
        editor.form.Picture1_MouseDown(Qt::LeftButton, Qt::NoModifier, 20, 30);
        const QString mismatch = crispMismatch(*editor.form.Picture1, {{{18, 27}, platform::wallPicture()}}, grid);
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    }

    // A press anywhere in a cell, to the half device pixel, places its block there; none outside
    // the 269 x 269 map does. The window stands at two places, so its own position cannot round
    // the press.
    void editorPressesAtFractions_data()
    {
        QTest::addColumn<QPointF>("press");
        QTest::addColumn<QList<QPoint>>("blocks");
        QTest::newRow("origin") << QPointF(0, 0) << QList<QPoint>{{0, 0}};
        QTest::newRow("last half pixel of the first cell") << QPointF(8.5, 8.5) << QList<QPoint>{{0, 0}};
        QTest::newRow("first half of the second cell") << QPointF(9, 8.5) << QList<QPoint>{{9, 0}};
        QTest::newRow("last half pixel of the map") << QPointF(268.5, 268.5) << QList<QPoint>{{261, 261}};
        QTest::newRow("right of the map") << QPointF(269, 100) << QList<QPoint>{};
        QTest::newRow("below the map") << QPointF(100, 269) << QList<QPoint>{};
        QTest::newRow("left of the map") << QPointF(-0.5, 100) << QList<QPoint>{};
        QTest::newRow("above the map") << QPointF(100, -0.5) << QList<QPoint>{};
    }
    void editorPressesAtFractions()
    {
        QFETCH(QPointF, press);
        QFETCH(QList<QPoint>, blocks);
        for (QPoint windowAt : {QPoint(40, 40), QPoint(41, 43)}) {
            TempProgramFolder folder;
            EditorRun editor(folder.path());
            editor.form.move(windowAt);
            editor.form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&editor.form));
            editor.press(press);
            QCOMPARE(editor.blocks(), blocks);
        }
    }
};

QTEST_MAIN(TestHiDpi)
#include "test_hidpi.moc"
