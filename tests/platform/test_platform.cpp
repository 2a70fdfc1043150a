// The playfield and its sprite collections, the window timer, the clock-seeded random source.
#include "platform/clock_random.h"
#include "platform/pictures.h"
#include "platform/playfield.h"
#include "platform/timer.h"

#include "scripted_dialogs.h"

#include <QPainter>
#include <QSignalSpy>
#include <QTest>

using platform::SpriteCollection;

namespace {

struct Placed {
    char layer; // 'W' wall, 'F' food, 'S' snake
    int left;
    int top;
    bool visible = true;
};
using Scene = QList<Placed>;

// Walls, food over them and the snake on top, as the game stacks them.
struct Field {
    SpriteCollection walls{{112, 104, false}};
    SpriteCollection food{{224, 120, false}};
    SpriteCollection snake{{0, 0, false}};
    platform::Playfield field;

    explicit Field(const Scene &scene = {})
    {
        field.addLayer(walls, platform::wallPicture());
        field.addLayer(food, platform::foodPicture());
        field.addLayer(snake, platform::snakePicture());
        for (const Placed &sprite : scene) {
            SpriteCollection &layer = of(sprite.layer);
            layer.setVisible(layer.add(std::int16_t(sprite.top), std::int16_t(sprite.left)), sprite.visible);
        }
        repainted();
    }
    SpriteCollection &of(char layer) { return layer == 'W' ? walls : layer == 'F' ? food : snake; }
    QRegion repainted()
    {
        field.flushChanges();
        return field.takeRequestedRegion();
    }
    // The client area: the scene drawn over black by painting each picture.
    static QImage expected(const Scene &scene)
    {
        QImage image(269, 269, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        for (char layer : {'W', 'F', 'S'}) {
            const QImage picture = layer == 'W' ? platform::wallPicture() : layer == 'F' ? platform::foodPicture() : platform::snakePicture();
            for (const Placed &sprite : scene) {
                if (sprite.layer == layer && sprite.visible)
                    painter.drawImage(sprite.left, sprite.top, picture);
            }
        }
        return image;
    }
};

} // namespace

Q_DECLARE_METATYPE(Scene)

class TestPlatform : public QObject
{
    Q_OBJECT

private slots:
    // Visible sprites drawn at their pixels inside the border, clipped, later layers on top.
    void draws_data()
    {
        QTest::addColumn<Scene>("scene");
        QTest::newRow("each picture, hidden ones not") << Scene{{'S', 0, 0}, {'F', 90, 45}, {'W', 18, 0}, {'F', 27, 27, false}};
        QTest::newRow("last column and row") << Scene{{'S', 261, 0}, {'S', 261, 261}, {'W', 0, 261}};
        QTest::newRow("off the grid") << Scene{{'W', 5, 14}, {'S', 265, 100}};
        QTest::newRow("later layers on top") << Scene{{'W', 9, 18}, {'F', 9, 18}, {'S', 36, 0}, {'W', 36, 0}};
    }
    void draws()
    {
        QFETCH(Scene, scene);
        QImage shot = Field(scene).field.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shot.size(), QSize(273, 273));
        QCOMPARE(shot.copy(2, 2, 269, 269), Field::expected(scene));
        QPainter(&shot).drawImage(2, 2, Field::expected({}));
        QCOMPARE(shot, Field().field.grab().toImage().convertToFormat(QImage::Format_RGB32));
    }

    // A new sprite is a hidden copy of element 0; destroying takes a run to the end, never element 0.
    void createsAndDestroysAtTheEnd()
    {
        Field f({{'S', 261, 261}, {'S', 90, 45}, {'S', 5, 5, false}});
        f.snake.setLeft(0, 27);
        f.snake.setVisible(0, true);
        f.repainted();
        QCOMPARE(f.snake.create(), 4);
        QCOMPARE((QList<int>{f.snake.left(4), f.snake.top(4), f.snake.visible(4)}), (QList<int>{27, 0, false}));
        f.snake.destroyFrom(9);
        QCOMPARE(f.snake.size(), 5);
        f.snake.destroyFrom(0);
        QCOMPARE(f.snake.size(), 1);
        QVERIFY(f.snake.visible(0) && f.snake.left(0) == 27);
        QCOMPARE(f.repainted(), QRegion(261, 261, 9, 9) + QRect(90, 45, 9, 9));
    }

    // One step of a snake repaints only the cells whose look changed, however many walls below.
    void repaintsChangedCells_data()
    {
        QTest::addColumn<QList<QPoint>>("snake");
        QTest::addColumn<QRegion>("repainted");
        QTest::newRow("straight") << QList<QPoint>{{90, 90}, {90, 99}, {90, 108}} << QRegion(90, 81, 9, 9) + QRect(90, 108, 9, 9);
        QTest::newRow("diagonal") << QList<QPoint>{{90, 90}, {99, 99}, {108, 108}} << QRegion(90, 81, 9, 9) + QRect(108, 108, 9, 9);
        QTest::newRow("from parked") << QList<QPoint>{{261, 261}, {270, 270}, {270, 270}} << QRegion(261, 252, 9, 9);
        QTest::newRow("off the grid") << QList<QPoint>{{5, 14}} << QRegion(5, 5, 9, 18);
    }
    void repaintsChangedCells()
    {
        QFETCH(QList<QPoint>, snake);
        Scene scene;
        for (int wall = 0; wall < 900; ++wall)
            scene << Placed{'W', 9 * (wall % 30), 9 * (wall / 30)};
        for (QPoint at : snake)
            scene << Placed{'S', at.x(), at.y()};
        Field f(scene);
        SpriteCollection &body = f.snake; // the head is element 1
        for (int i = body.size() - 1; i >= 1; --i) {
            body.setTop(i, i > 1 ? body.top(i - 1) : std::int16_t(body.top(1) - 9));
            body.setLeft(i, i > 1 ? body.left(i - 1) : body.left(1));
        }
        QTEST(f.repainted(), "repainted");
        QCOMPARE(f.repainted(), QRegion());
    }

    // Arrow keys come as the codes 37 to 40; presses inside the border with button, keys, position.
    void reportsKeysAndPresses()
    {
        platform::Playfield field;
        QSignalSpy keyDown(&field, &platform::Playfield::keyDown);
        QSignalSpy pressed(&field, &platform::Playfield::pressed);
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

    // Collections and their playfield end in any order (ASan sees a stale reference); a collection takes its sprites along.
    void collectionsAndFieldEndInAnyOrder()
    {
        struct CollectionFirst {
            SpriteCollection sprites{{0, 0, true}};
            platform::Playfield field;
        };
        struct FieldFirst {
            platform::Playfield field;
            SpriteCollection sprites{{0, 0, true}};
        };
        const auto use = [](platform::Playfield &field, SpriteCollection &sprites) {
            field.addLayer(sprites, platform::wallPicture());
            sprites.add(9, 18);
            field.flushChanges();
            sprites.setLeft(1, 27);
        };
        { CollectionFirst window; use(window.field, window.sprites); }
        { FieldFirst window; use(window.field, window.sprites); }
        SpriteCollection outliving({0, 0, true});
        { platform::Playfield gone; use(gone, outliving); }
        outliving.setLeft(1, 36);
        outliving.destroyFrom(1);

        platform::Playfield field;
        {
            SpriteCollection sprites({0, 0, true});
            use(field, sprites);
            field.flushChanges();
            field.takeRequestedRegion();
        }
        field.flushChanges();
        QCOMPARE(field.takeRequestedRegion(), QRegion(0, 0, 9, 9) + QRect(27, 9, 9, 9));
        QCOMPARE(field.grab().toImage().convertToFormat(QImage::Format_RGB32).copy(2, 2, 269, 269), Field::expected({}));
    }

    // The handler runs once per expiry, not nested, not while a box is open; 0 or less stops it.
    void timer()
    {
        int ticks = 0;
        platform::Timer timer([&] { ++ticks, timer.expire(); });
        timer.expire();
        QCOMPARE((QList<int>{timer.interval(), ticks}), (QList<int>{0, 0}));
        timer.setInterval(200);
        ScriptedDialogs dialogs;
        dialogs.whileOpen = [&](const ScriptedDialogs::Shown &shown) {
            if (shown.title == "nested")
                dialogs.input("Jméno", "Korvo");
            timer.expire();
        };
        dialogs.message("Pozor", "Korvo");
        dialogs.message("Pozor", "nested");
        dialogs.input("Jméno", "Korvo");
        dialogs.chooseLevelFile(platform::Dialogs::FileMode::Save, "levels");
        QCOMPARE(ticks, 0);
        timer.expire();
        timer.expire();
        QCOMPARE((QList<int>{timer.interval(), ticks}), (QList<int>{200, 2}));
        timer.setInterval(-32768);
        timer.expire();
        QCOMPARE((QList<int>{timer.interval(), ticks}), (QList<int>{0, 2}));
    }

    // Each game draws other numbers: the source is seeded from the clock.
    void randomSeededFromClock()
    {
        platform::ClockRandom first;
        platform::ClockRandom second;
        QList<double> a, b;
        for (int i = 0; i < 4; ++i) {
            a << first.next();
            b << second.next();
        }
        QVERIFY(a != b);
        for (double value : a)
            QVERIFY(value >= 0 && value < 1);
    }
};

QTEST_MAIN(TestPlatform)
#include "test_platform.moc"
