// The playfield: its size, what it draws, which cells it repaints after a
// move, and the mouse presses it reports.
#include "platform/playfield.h"
#include "platform/pictures.h"

#include <QPainter>
#include <QSignalSpy>
#include <QTest>

using platform::Playfield;
using platform::Sprite;
using platform::SpriteCollection;

namespace {

constexpr int clientSize = 269;
constexpr QRgb untouched = 0xFFFFFFFF;

QRect cell(int left, int top)
{
    return {left, top, 9, 9};
}

// The client area as render() draws it, into a white image larger than it.
QImage rendered(const Playfield &field)
{
    QImage image(clientSize + 11, clientSize + 11, QImage::Format_RGB32);
    image.fill(untouched);
    QPainter painter(&image);
    field.render(painter, image.rect());
    return image;
}

// What rendered() should give: black client, pictures at their pixels,
// nothing outside the client area.
QImage expectedField(const std::vector<std::pair<QPoint, QImage>> &sprites)
{
    QImage image(clientSize + 11, clientSize + 11, QImage::Format_RGB32);
    image.fill(untouched);
    for (int y = 0; y < clientSize; ++y) {
        for (int x = 0; x < clientSize; ++x)
            image.setPixel(x, y, 0xFF000000);
    }
    for (const auto &[at, picture] : sprites) {
        for (int y = 0; y < 9; ++y) {
            for (int x = 0; x < 9; ++x) {
                const QPoint pixel = at + QPoint(x, y);
                if (pixel.x() >= 0 && pixel.y() >= 0 && pixel.x() < clientSize && pixel.y() < clientSize)
                    image.setPixel(pixel, picture.pixel(x, y));
            }
        }
    }
    return image;
}

// Moves the snake one cell as a tick does: each body sprite, tail first, to
// the one before it (top, then left), then the head.
void moveSnake(SpriteCollection &snake, int dx, int dy)
{
    for (int i = snake.size() - 1; i >= 1; --i) {
        snake.setTop(i, snake.top(i - 1));
        snake.setLeft(i, snake.left(i - 1));
    }
    snake.setTop(0, std::int16_t(snake.top(0) + dy));
    snake.setLeft(0, std::int16_t(snake.left(0) + dx));
}

// Creates a visible sprite at (left, top).
void addSprite(SpriteCollection &sprites, int left, int top)
{
    const int sprite = sprites.create();
    sprites.setLeft(sprite, std::int16_t(left));
    sprites.setTop(sprite, std::int16_t(top));
    sprites.setVisible(sprite, true);
}

// A wall on every cell of the playfield.
void fillWithWalls(SpriteCollection &walls)
{
    for (int top = 0; top < 270; top += 9) {
        for (int left = 0; left < 270; left += 9)
            addSprite(walls, left, top);
    }
}

} // namespace

class TestPlayfield : public QObject
{
    Q_OBJECT

private slots:
    void hasFixedSizeAndBorder();
    void drawsSpritesOverBlack();
    void clipsLastColumnAndRow();
    void neverPaintsOverBorder();
    void drawsOffGridSpritesAtTheirPixels();
    void drawsLaterLayersOnTop();
    void drawsOverBackground();
    void repaintsOnlyChangedCells_data();
    void repaintsOnlyChangedCells();
    void repaintsOffGridSpritesWhereTheyWere();
    void reportsPressesInClientArea_data();
    void reportsPressesInClientArea();
};

// 273 x 273 outside, 269 x 269 inside a 2-pixel border.
void TestPlayfield::hasFixedSizeAndBorder()
{
    Playfield field;
    QCOMPARE(field.size(), QSize(273, 273));
    QCOMPARE(field.clientWidth(), clientSize);
    QCOMPARE(field.clientHeight(), clientSize);
    QCOMPARE(field.contentsRect().topLeft(), QPoint(2, 2));
}

// A visible sprite shows its picture at its pixels, hidden ones nothing.
void TestPlayfield::drawsSpritesOverBlack()
{
    Playfield field;
    SpriteCollection food({224, 120, false});
    field.addLayer(food, platform::foodPicture());
    addSprite(food, 0, 0);
    food.setLeft(food.create(), 18);
    food.setTop(1, 45);
    food.setLeft(1, 90);
    QCOMPARE(rendered(field), expectedField({{QPoint(90, 45), platform::foodPicture()}}));
}

// A sprite in column or row 29 keeps only its first 8 pixels.
void TestPlayfield::clipsLastColumnAndRow()
{
    Playfield field;
    SpriteCollection snake({261, 0, true});
    field.addLayer(snake, platform::snakePicture());
    addSprite(snake, 261, 261);
    const QImage image = rendered(field);
    QCOMPARE(image.pixel(269, 4), untouched);
    QCOMPARE(image.pixel(265, 269), untouched);
    QCOMPARE(image, expectedField({{QPoint(261, 0), platform::snakePicture()}, {QPoint(261, 261), platform::snakePicture()}}));
}

// A sprite on the last cell leaves the border as it was.
void TestPlayfield::neverPaintsOverBorder()
{
    Playfield field;
    SpriteCollection snake({261, 261, false});
    field.addLayer(snake, platform::snakePicture());
    const QImage empty = field.grab().toImage();
    snake.setVisible(0, true);
    const QImage drawn = field.grab().toImage();
    QCOMPARE(drawn.size(), QSize(273, 273));
    const QRect sprite(263, 263, 8, 8);
    for (int y = 0; y < 273; ++y) {
        for (int x = 0; x < 273; ++x) {
            if (!sprite.contains(x, y))
                QVERIFY2(drawn.pixel(x, y) == empty.pixel(x, y), qPrintable(QStringLiteral("pixel %1, %2").arg(x).arg(y)));
        }
    }
    QCOMPARE(drawn.pixel(267, 263), platform::snakePicture().pixel(4, 0));
}

// A sprite between cells is drawn exactly where it stands.
void TestPlayfield::drawsOffGridSpritesAtTheirPixels()
{
    Playfield field;
    SpriteCollection walls({112, 104, false});
    field.addLayer(walls, platform::wallPicture());
    addSprite(walls, 5, 14);
    QCOMPARE(rendered(field), expectedField({{QPoint(5, 14), platform::wallPicture()}}));
}

// The collection added last covers the others; while hidden it covers nothing.
void TestPlayfield::drawsLaterLayersOnTop()
{
    Playfield field;
    SpriteCollection walls({9, 18, true});
    SpriteCollection snake({9, 18, true});
    field.addLayer(walls, platform::wallPicture());
    field.addLayer(snake, platform::snakePicture());
    QCOMPARE(rendered(field), expectedField({{QPoint(9, 18), platform::snakePicture()}}));
    snake.setVisible(0, false);
    QCOMPARE(rendered(field), expectedField({{QPoint(9, 18), platform::wallPicture()}}));
}

// The background image shows wherever no sprite stands.
void TestPlayfield::drawsOverBackground()
{
    Playfield field;
    QImage background(clientSize, clientSize, QImage::Format_RGB32);
    background.fill(0xFF123456);
    field.setBackground(background);
    SpriteCollection snake({0, 0, true});
    field.addLayer(snake, platform::snakePicture());
    const QImage image = rendered(field);
    QCOMPARE(image.pixel(0, 0), platform::snakePicture().pixel(0, 0));
    QCOMPARE(image.pixel(9, 0), 0xFF123456u);
    QCOMPARE(image.pixel(268, 268), 0xFF123456u);
    QCOMPARE(image.pixel(269, 0), untouched);
}

void TestPlayfield::repaintsOnlyChangedCells_data()
{
    QTest::addColumn<QList<QPoint>>("snake");
    QTest::addColumn<bool>("walls");
    QTest::addColumn<QRegion>("repainted");
    const QList<QPoint> straight{{90, 90}, {90, 99}, {90, 108}};
    const QRegion straightMove = QRegion(cell(90, 81)) + cell(90, 108);
    // Each body sprite of a diagonal line passes over a cell beside it, as the
    // body parked after a restart does on its way to the head.
    const QList<QPoint> diagonal{{90, 90}, {99, 99}, {108, 108}};
    const QRegion diagonalMove = QRegion(cell(90, 81)) + cell(108, 108);
    const QList<QPoint> parked{{261, 261}, {270, 270}, {270, 270}};
    const QRegion parkedMove = cell(261, 252);
    QTest::newRow("straight") << straight << false << straightMove;
    QTest::newRow("straight over 900 walls") << straight << true << straightMove;
    QTest::newRow("diagonal") << diagonal << false << diagonalMove;
    QTest::newRow("diagonal over 900 walls") << diagonal << true << diagonalMove;
    QTest::newRow("from parked") << parked << false << parkedMove;
    QTest::newRow("from parked over 900 walls") << parked << true << parkedMove;
}

// One step upwards repaints the new head cell and the cell the tail left,
// however many walls stand in the layer below.
void TestPlayfield::repaintsOnlyChangedCells()
{
    QFETCH(QList<QPoint>, snake);
    QFETCH(bool, walls);
    QFETCH(QRegion, repainted);
    Playfield field;
    SpriteCollection wallSprites({112, 104, false});
    if (walls)
        fillWithWalls(wallSprites);
    field.addLayer(wallSprites, platform::wallPicture());
    SpriteCollection snakeSprites({std::int16_t(snake[0].x()), std::int16_t(snake[0].y()), true});
    for (int i = 1; i < snake.size(); ++i)
        addSprite(snakeSprites, snake[i].x(), snake[i].y());
    field.addLayer(snakeSprites, platform::snakePicture());
    field.takeRequestedRegion();

    moveSnake(snakeSprites, 0, -9);
    field.flushChanges();
    QCOMPARE(field.takeRequestedRegion(), repainted);
    field.flushChanges();
    QCOMPARE(field.takeRequestedRegion(), QRegion());
}

// A sprite between cells repaints the pixels it left and the ones it covers.
void TestPlayfield::repaintsOffGridSpritesWhereTheyWere()
{
    Playfield field;
    SpriteCollection walls({5, 14, true});
    field.addLayer(walls, platform::wallPicture());
    field.takeRequestedRegion();
    walls.setLeft(0, 6);
    field.flushChanges();
    QCOMPARE(field.takeRequestedRegion(), QRegion(QRect(5, 14, 10, 9)));
}

void TestPlayfield::reportsPressesInClientArea_data()
{
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<bool>("reported");
    QTest::addColumn<QPoint>("position");
    QTest::newRow("client top left") << QPoint(2, 2) << true << QPoint(0, 0);
    QTest::newRow("client bottom right") << QPoint(270, 270) << true << QPoint(268, 268);
    QTest::newRow("inside") << QPoint(100, 50) << true << QPoint(98, 48);
    QTest::newRow("left border") << QPoint(1, 100) << false << QPoint();
    QTest::newRow("top border") << QPoint(100, 0) << false << QPoint();
    QTest::newRow("right border") << QPoint(271, 100) << false << QPoint();
    QTest::newRow("bottom border") << QPoint(100, 272) << false << QPoint();
}

// A press inside the border is reported with button, keys and client position.
void TestPlayfield::reportsPressesInClientArea()
{
    QFETCH(QPoint, at);
    QFETCH(bool, reported);
    QFETCH(QPoint, position);
    Playfield field;
    QSignalSpy pressed(&field, &Playfield::pressed);
    QTest::mousePress(&field, Qt::RightButton, Qt::ShiftModifier, at);
    QCOMPARE(pressed.size(), reported ? 1 : 0);
    if (!reported)
        return;
    QCOMPARE(pressed.at(0).at(0).value<Qt::MouseButton>(), Qt::RightButton);
    QCOMPARE(pressed.at(0).at(1).value<Qt::KeyboardModifiers>(), Qt::KeyboardModifiers(Qt::ShiftModifier));
    QCOMPARE(pressed.at(0).at(2).toPoint(), position);
}

QTEST_MAIN(TestPlayfield)
#include "test_playfield.moc"
