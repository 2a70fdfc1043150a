// Sprite collections and the playfield that draws them: creation and
// destruction at the end, the pictures pixel for pixel, the cells repainted
// after a change, and the keys and presses the field reports.
#include "platform/pictures.h"
#include "platform/playfield.h"

#include <QPainter>
#include <QSignalSpy>
#include <QTest>

using platform::Playfield;
using platform::SpriteCollection;

namespace {

constexpr int clientSize = 269;
constexpr QRgb black = 0xFF000000;

struct Placed {
    char picture; // 'W' wall, 'F' food, 'S' snake
    int left;
    int top;
    bool visible = true;
};
using Scene = QList<Placed>;

// Each sprite picture as its palette ("letter RRGGBB" each) and its nine rows.
const std::map<char, std::pair<QByteArray, QByteArray>> pictureText{
    {'S', {"K000000 G008000 B0080FF L00FF80 CFFFF80",
           "KKKKGKKKK KKGGGGGKK KGGGBGGGK KGGCLCGGK GGBLLLBGG KGGCLCGGK KGGGBGGGK KKGGGGGKK KKKKGKKKK"}},
    {'F', {"K000000 O808000 YFFFF00 WFFFFFF",
           "KKKKKKKKK KKKOOOKKK KKOYYYOKK KOYYOYYOK KOYOWOYOK KOYYOYYOK KKOYYYOKK KKKOOOKKK KKKKKKKKK"}},
    {'W', {"K000000 RFF0000 D800000 PFF8080 O808000",
           "RRKPRRKPR KDDDODDDK KPRROPRRK DDODDDODD RROPRROPR KDDDODDDK KPRROPRRK DDODDDODD RRKPRRKPR"}},
};

QRgb textPixel(char picture, int x, int y)
{
    const auto &[palette, rows] = pictureText.at(picture);
    for (const QByteArray &entry : palette.split(' ')) {
        if (entry.at(0) == rows.at(10 * y + x))
            return black | entry.mid(1).toUInt(nullptr, 16);
    }
    return 0;
}

// What the client area should show: black, then each visible sprite's
// picture at its pixels, layer by layer, clipped.
QImage expected(const Scene &scene)
{
    QImage image(clientSize, clientSize, QImage::Format_RGB32);
    image.fill(black);
    for (char layer : {'W', 'F', 'S'}) {
        for (const Placed &sprite : scene) {
            for (int pixel = 0; sprite.picture == layer && sprite.visible && pixel < 81; ++pixel) {
                const QPoint at(sprite.left + pixel % 9, sprite.top + pixel / 9);
                if (image.rect().contains(at))
                    image.setPixel(at, textPixel(layer, pixel % 9, pixel / 9));
            }
        }
    }
    return image;
}

// A field with a layer of walls, one of food over it and the snake on top.
struct Layers {
    SpriteCollection walls{{112, 104, false}};
    SpriteCollection food{{224, 120, false}};
    SpriteCollection snake{{0, 0, false}};
    Playfield field;

    explicit Layers(const Scene &scene = {})
    {
        field.addLayer(walls, platform::wallPicture());
        field.addLayer(food, platform::foodPicture());
        field.addLayer(snake, platform::snakePicture());
        for (const Placed &sprite : scene) {
            SpriteCollection &layer = sprite.picture == 'W' ? walls : sprite.picture == 'F' ? food : snake;
            const int index = layer.create();
            layer.setLeft(index, std::int16_t(sprite.left));
            layer.setTop(index, std::int16_t(sprite.top));
            layer.setVisible(index, sprite.visible);
        }
        field.flushChanges();
        field.takeRequestedRegion();
    }
    QImage shot() { return field.grab().toImage().convertToFormat(QImage::Format_RGB32); }
};

} // namespace

Q_DECLARE_METATYPE(Scene)

class TestPlayfield : public QObject
{
    Q_OBJECT

private slots:
    // A new sprite is a hidden copy of element 0 where it stands now, at the
    // end; destroying takes a run up to the end, never element 0, and
    // repaints the cells of the visible sprites it took.
    void createsAndDestroysAtTheEnd()
    {
        Layers layers({{'S', 261, 261}, {'S', 90, 45}});
        SpriteCollection &snake = layers.snake;
        snake.setLeft(0, 27);
        snake.setVisible(0, true);
        QCOMPARE(snake.create(), 3);
        QCOMPARE((QList<int>{snake.left(3), snake.top(3), snake.visible(3)}), (QList<int>{27, 0, false}));
        snake.destroyFrom(9);
        QCOMPARE(snake.size(), 4);
        layers.field.flushChanges();
        layers.field.takeRequestedRegion();
        snake.destroyFrom(0);
        QCOMPARE(snake.size(), 1);
        QVERIFY(snake.visible(0) && snake.left(0) == 27);
        layers.field.flushChanges();
        QCOMPARE(layers.field.takeRequestedRegion(), QRegion(261, 261, 9, 9) + QRect(90, 45, 9, 9));
    }

    // A window may hold its sprite collections and the playfield that draws
    // them in any order: whichever goes first, the other never reaches it
    // (the sanitizer build turns a stale reference into a failure), and a
    // collection that goes takes its sprites off the field.
    void collectionsAndFieldEndInAnyOrder()
    {
        struct CollectionFirst {
            SpriteCollection sprites{{0, 0, true}};
            Playfield field;
        };
        struct FieldFirst {
            Playfield field;
            SpriteCollection sprites{{0, 0, true}};
        };
        auto use = [](Playfield &field, SpriteCollection &sprites) {
            field.addLayer(sprites, platform::wallPicture());
            sprites.add(9, 18);
            field.flushChanges();
            sprites.setLeft(1, 27);
        };
        { CollectionFirst window; use(window.field, window.sprites); }
        { FieldFirst window; use(window.field, window.sprites); }

        Playfield field;
        {
            SpriteCollection sprites({0, 0, true});
            use(field, sprites);
            field.flushChanges();
            field.takeRequestedRegion();
        }
        field.flushChanges();
        QCOMPARE(field.takeRequestedRegion(), QRegion(0, 0, 9, 9) + QRect(27, 9, 9, 9));
        QCOMPARE(field.grab().toImage().convertToFormat(QImage::Format_RGB32).copy(2, 2, clientSize, clientSize),
                 expected({}));
    }

    // Visible sprites show their pictures, opaque, at their pixels, clipped to
    // the 269 x 269 inside the 2-pixel border, which stays as it was; later
    // layers cover earlier ones.
    void draws_data()
    {
        QTest::addColumn<Scene>("scene");
        QTest::newRow("each picture, hidden ones not") << Scene{{'S', 0, 0}, {'F', 90, 45}, {'W', 18, 0}, {'F', 27, 27, false}};
        QTest::newRow("last column and row keep 8 pixels") << Scene{{'S', 261, 0}, {'S', 261, 261}, {'W', 0, 261}};
        QTest::newRow("off the grid") << Scene{{'W', 5, 14}};
        QTest::newRow("later layers on top") << Scene{{'W', 9, 18}, {'F', 9, 18}, {'S', 36, 0}, {'W', 36, 0}};
    }
    void draws()
    {
        QFETCH(Scene, scene);
        QImage shot = Layers(scene).shot();
        QCOMPARE(shot.size(), QSize(273, 273));
        QCOMPARE(shot.copy(2, 2, clientSize, clientSize), expected(scene));
        QPainter(&shot).drawImage(2, 2, expected({}));
        QCOMPARE(shot, Layers().shot());
    }

    // The program icon comes in the one size it is drawn for.
    void programIconIs32By32() { QCOMPARE(platform::programIcon().availableSizes(), QList<QSize>{QSize(32, 32)}); }

    // One step up repaints the cells whose look changed, however many walls
    // stand below; off the grid, the pixels the sprite left and covers.
    void repaintsOnlyChangedCells_data()
    {
        QTest::addColumn<QList<QPoint>>("snake");
        QTest::addColumn<QRegion>("repainted");
        QTest::newRow("straight") << QList<QPoint>{{90, 90}, {90, 99}, {90, 108}} << QRegion(90, 81, 9, 9) + QRect(90, 108, 9, 9);
        // Each body sprite of a diagonal passes over a cell beside it, as the
        // body parked after a restart does on its way to the head.
        QTest::newRow("diagonal") << QList<QPoint>{{90, 90}, {99, 99}, {108, 108}} << QRegion(90, 81, 9, 9) + QRect(108, 108, 9, 9);
        QTest::newRow("from parked") << QList<QPoint>{{261, 261}, {270, 270}, {270, 270}} << QRegion(261, 252, 9, 9);
        QTest::newRow("off the grid") << QList<QPoint>{{5, 14}} << QRegion(5, 5, 9, 18);
    }
    void repaintsOnlyChangedCells()
    {
        QFETCH(QList<QPoint>, snake);
        Scene scene;
        for (int wall = 0; wall < 900; ++wall)
            scene << Placed{'W', 9 * (wall % 30), 9 * (wall / 30)};
        for (QPoint at : snake)
            scene << Placed{'S', at.x(), at.y()};
        Layers layers(scene);
        SpriteCollection &body = layers.snake; // the head is element 1
        for (int i = body.size() - 1; i >= 1; --i) {
            body.setTop(i, i > 1 ? body.top(i - 1) : std::int16_t(body.top(1) - 9));
            body.setLeft(i, i > 1 ? body.left(i - 1) : body.left(1));
        }
        layers.field.flushChanges();
        QTEST(layers.field.takeRequestedRegion(), "repainted");
        layers.field.flushChanges();
        QCOMPARE(layers.field.takeRequestedRegion(), QRegion());
    }

    // Arrow keys come as the codes 37 to 40, other keys not at all, even one
    // whose character code is 37; presses inside the border come with button,
    // keys and client position, those on the border not at all.
    void reportsKeysAndPresses()
    {
        Playfield field;
        QSignalSpy keyDown(&field, &Playfield::keyDown);
        QSignalSpy pressed(&field, &Playfield::pressed);
        for (Qt::Key key : {Qt::Key_Left, Qt::Key_Percent, Qt::Key_Up, Qt::Key_Right, Qt::Key_A, Qt::Key_Down})
            QTest::keyClick(&field, key);
        for (QPoint at : {QPoint(2, 2), QPoint(1, 100), QPoint(270, 270), QPoint(100, 272)})
            QTest::mousePress(&field, Qt::RightButton, Qt::ShiftModifier, at);
        QList<int> codes;
        for (const QVariantList &signal : keyDown)
            codes << signal.at(0).value<std::int16_t>();
        QCOMPARE(codes, (QList<int>{37, 38, 39, 40}));
        QCOMPARE(pressed.size(), 2);
        QCOMPARE(pressed.at(0), (QVariantList{QVariant::fromValue(Qt::RightButton),
                                              QVariant::fromValue(Qt::KeyboardModifiers(Qt::ShiftModifier)), QPointF(0, 0)}));
        QCOMPARE(pressed.at(1).at(2).toPointF(), QPointF(268, 268));
    }
};

QTEST_MAIN(TestPlayfield)
#include "test_playfield.moc"
