// The playfield and its sprite collections, the window timer under modal boxes, the clock-seeded
// random source, and the whole-file reads and writes of the data files.
#include "platform/application.h"
#include "platform/clock_random.h"
#include "platform/files.h"
#include "platform/pictures.h"
#include "platform/playfield.h"
#include "platform/qt_dialogs.h"
#include "platform/timer.h"

#include "file_fault.h"
#include "reference_picture.h"
#include "row_compare.h"
#include "scripted_dialogs.h"
#include "temp_program_folder.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

using platform::SpriteCollection;

namespace {

// The open box as a line: title, text, its buttons from left to right with a star on the default,
// and whether its size is fixed and its text centred; then key is pressed in it.
QString pressInOpenBox(Qt::Key key, const QString &typed = {})
{
    QWidget *box = QApplication::activeModalWidget();
    QStringList seen{box->windowTitle()};
    if (const auto *label = box->findChild<QLabel *>(); label && label->alignment() == Qt::AlignCenter
        && label->x() == box->width() - label->x() - label->width())
        seen << label->text() + " centred";
    QList<QPushButton *> buttons = box->findChildren<QPushButton *>();
    std::sort(buttons.begin(), buttons.end(), [](auto *a, auto *b) { return a->x() < b->x(); });
    for (const QPushButton *button : buttons)
        seen << button->text() + (button->isDefault() ? "*" : "");
    if (box->minimumSize() == box->maximumSize() && box->size() == box->minimumSize())
        seen << "fixed";
    if (auto *field = box->findChild<QLineEdit *>())
        QTest::keyClicks(field, typed);
    QTest::keyClick(box, key);
    return seen.join('|');
}

// A sprite of a layer: 'W' wall, 'F' food, 'S' snake.
struct Placed { char layer; int left, top; bool visible = true; };
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
            SpriteCollection &layer = sprite.layer == 'W' ? walls : sprite.layer == 'F' ? food : snake;
            layer.setVisible(layer.add(std::int16_t(sprite.top), std::int16_t(sprite.left)), sprite.visible);
        }
        repainted();
    }
    QRegion repainted() { field.flushChanges(); return field.takeRequestedRegion(); }
};

} // namespace

class TestPlatform : public QObject
{
    Q_OBJECT

private slots:
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral(".*"))); }

    // Visible sprites drawn at their pixels inside the border, clipped at its edge, later layers on top.
    void draws()
    {
        Field f({{'S', 0, 0}, {'F', 90, 45}, {'W', 18, 0}, {'F', 27, 27, false}, {'S', 261, 0}, {'S', 261, 261}, {'W', 0, 261},
                 {'W', 50, 140}, {'S', 265, 100}, {'W', 108, 27}, {'F', 108, 27}, {'S', 36, 0}, {'W', 36, 0}});
        QVERIFY(looksAsReference(f.field, QStringLiteral("playfield")));
    }

    // A new sprite is a hidden copy of element 0; destroying takes a run to the end, never element 0; each
    // change asks for its repaint once the event loop runs.
    void createsAndDestroysAtTheEnd()
    {
        Field f({{'S', 261, 261}, {'S', 90, 45}, {'S', 5, 5, false}});
        f.snake.setLeft(0, 27);
        f.snake.setVisible(0, true);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(f.field.takeRequestedRegion(), QRegion(27, 0, 9, 9));
        QCOMPARE(f.snake.create(), 4);
        QCOMPARE((QList<int>{f.snake.left(4), f.snake.top(4), f.snake.visible(4)}), (QList<int>{27, 0, false}));
        f.snake.destroyFrom(9);
        QCOMPARE(f.snake.size(), 5);
        f.snake.destroyFrom(0);
        QCOMPARE(f.snake.size(), 1);
        QVERIFY(f.snake.visible(0));
        QCOMPARE(f.snake.left(0), 27);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(f.field.takeRequestedRegion(), QRegion(261, 261, 9, 9) + QRect(90, 45, 9, 9));
    }

    // One step of a snake repaints only the cells whose look changed, however many walls below.
    void repaintsChangedCells()
    {
        for (const auto &[name, snake, repainted] : std::initializer_list<std::tuple<const char *, QList<QPoint>, QRegion>>{
                 {"straight", {{90, 90}, {90, 99}, {90, 108}}, QRegion(90, 81, 9, 9) + QRect(90, 108, 9, 9)},
                 {"diagonal", {{90, 90}, {99, 99}, {108, 108}}, QRegion(90, 81, 9, 9) + QRect(108, 108, 9, 9)},
                 {"from parked", {{261, 261}, {270, 270}, {270, 270}}, QRegion(261, 252, 9, 9)},
                 {"off the grid", {{5, 14}}, QRegion(5, 5, 9, 18)}}) {
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
            ROW_COMPARE(name, f.repainted(), repainted);
            ROW_COMPARE(name, f.repainted(), QRegion());
        }
    }

    // Arrow keys come as the codes 37 to 40; presses inside the border, none on it, with button, keys, position.
    void reportsKeysAndPresses()
    {
        platform::Playfield field;
        QSignalSpy keyDown(&field, &platform::Playfield::keyDown);
        QSignalSpy pressed(&field, &platform::Playfield::pressed);
        for (Qt::Key key : {Qt::Key_Left, Qt::Key_Percent, Qt::Key_Up, Qt::Key_Right, Qt::Key_A, Qt::Key_Down})
            QTest::keyClick(&field, key);
        for (QPoint at : {QPoint(2, 2), QPoint(271, 100), QPoint(270, 270), QPoint(100, 271)})
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

    // A collection and its playfield end in either order (ASan sees a stale reference); a collection takes its sprites along.
    void collectionsAndFieldEndInAnyOrder()
    {
        auto field = std::make_unique<platform::Playfield>();
        SpriteCollection outliving({0, 0, true});
        auto gone = std::make_unique<SpriteCollection>(platform::Sprite{0, 0, true});
        field->addLayer(outliving, platform::wallPicture());
        field->addLayer(*gone, platform::snakePicture());
        gone->add(9, 27);
        field->flushChanges();
        field->takeRequestedRegion();
        gone.reset();
        field->flushChanges();
        QCOMPARE(field->takeRequestedRegion(), QRegion(0, 0, 9, 9) + QRect(27, 9, 9, 9));
        QCOMPARE(field->grab().toImage(), Field({{'W', 0, 0}}).field.grab().toImage());
        field.reset();
        outliving.add(9, 18);
        outliving.destroyFrom(1);
    }

    // A tick that opens a box holds every tick while the box's own event loop runs, whichever the box;
    // a tick never runs inside another; 0 or less stops the timer.
    void timerHoldsStillWhileABoxIsOpen()
    {
        ScriptedDialogs dialogs;
        int ticks = 0;
        platform::Timer timer([&] {
            if (++ticks > 1)
                return;
            timer.expire();
            dialogs.message("Pozor", "Korvo");
            dialogs.input("Jméno", "Korvo");
            dialogs.chooseLevelFile(platform::Dialogs::FileMode::Save, "levels");
        });
        dialogs.whileOpen = [&](const ScriptedDialogs::Shown &) { timer.expire(); };
        for (const auto &[name, set, interval, count] : std::initializer_list<std::tuple<const char *, int, int, int>>{
                 {"0: stopped", 0, 0, 0}, {"200", 200, 200, 1}, {"200 again", 200, 200, 2}, {"-32768: stopped", -32768, 0, 2}}) {
            timer.setInterval(std::int16_t(set));
            timer.expire();
            ROW_COMPARE(name, timer.interval(), interval);
            ROW_COMPARE(name, ticks, count);
        }
        QCOMPARE(dialogs.shown.size(), 3U);
    }

    // The boxes in Czech: a message centred above its buttons in their order, Return for the default,
    // Escape for No; every box, the name box too, at one fixed size.
    void showsBoxes()
    {
        platform::installCzechTranslation(*qApp);
        platform::QtDialogs dialogs;
        using D = platform::Dialogs;
        const struct { D::Buttons buttons; Qt::Key key; D::Answer answer; QString seen; } rows[] = {
            {D::Buttons::Ok, Qt::Key_Return, D::Answer::Ok, "Korvo|Naboural jsi! centred|OK*|fixed"},
            {D::Buttons::YesNo, Qt::Key_Return, D::Answer::Yes, "Dotaz|OPRAVDU? centred|&Ano*|&Ne|fixed"},
            {D::Buttons::YesNo, Qt::Key_Escape, D::Answer::No, "Dotaz|OPRAVDU? centred|&Ano*|&Ne|fixed"},
        };
        for (const auto &row : rows) {
            QString seen;
            QTimer::singleShot(0, [&] { seen = pressInOpenBox(row.key); });
            const QString name = row.seen + " on " + QKeySequence(row.key).toString();
            ROW_COMPARE(qPrintable(name), dialogs.message(row.seen.section('|', 1, 1).chopped(8), row.seen.section('|', 0, 0), row.buttons),
                        row.answer);
            ROW_COMPARE(qPrintable(name), seen, row.seen);
        }
        for (const auto &[key, name] : {std::pair{Qt::Key_Return, "Pepa"}, std::pair{Qt::Key_Escape, ""}}) {
            QString seen;
            QTimer::singleShot(0, [&, key = key] { seen = pressInOpenBox(key, QStringLiteral("Pepa")); });
            const QString row = "the name box on " + QKeySequence(key).toString();
            ROW_COMPARE(qPrintable(row), dialogs.input("Tvé skóre", "Síň slávy"), QString::fromUtf8(name));
            ROW_COMPARE(qPrintable(row), seen, QStringLiteral("Síň slávy|OK*|Zrušit|fixed"));
        }
    }

    // Each game draws other numbers in [0, 1): the source is seeded from the clock.
    void randomSeededFromClock()
    {
        platform::ClockRandom first, second;
        const double a = first.next(), b = second.next();
        QVERIFY(a != b);
        for (const double drawn : {a, b}) {
            QVERIFY(drawn >= 0);
            QVERIFY(drawn < 1);
        }
    }

    // A data file is replaced whole or left as it was; where the folder refuses new files, a writable file
    // is written in place, and its old content put back when the new one does not fit.
    void replacesFiles()
    {
        for (const auto &[name, fault, before, replaced] : std::initializer_list<std::tuple<const char *, Fault::Kind, QByteArray, bool>>{
                 {"over a longer file", Fault::None, "the old content", true},
                 {"a new file", Fault::None, "<missing>", true},
                 {"onto a folder", Fault::None, "<folder>", false},
                 {"onto a FIFO", Fault::None, "<fifo>", false},
                 {"through a link to a device", Fault::None, "<device link>", false},
                 {"in place in a read-only folder", Fault::ReadOnly, "the old content", true},
                 {"no new file in a read-only folder", Fault::ReadOnly, "<missing>", false},
                 {"read-only folder and file", Fault::ReadOnlyFiles, "the old content", false},
                 {"full disk", Fault::FullDisk, "the old content", false},
                 {"in place, the disk full part way", Fault::ReadOnlyFilling, "old", false}}) {
            TempProgramFolder folder; // hal.hal's length is where the filling disk ends
            const std::filesystem::path data = folder.path() / "data";
            folder.write("data/hal.hal", "the hall");
            folder.put("data/user.pla", before);
            auto expected = snapshot(data);
            if (replaced)
                expected["user.pla"] = "new content";
            {
                const Fault faulty(fault, data);
                ROW_COMPARE(name, platform::replaceFile(data / "user.pla", "new content"), replaced);
            }
            ROW_COMPARE(name, snapshot(data), expected);
        }
    }

    // A write over a file's start that the file system refuses, at once or part way, fails and leaves
    // everything byte for byte as it stood, no new file behind.
    void writesFileStartsWholeOrNotAtAll()
    {
        for (const auto &[name, target, before, fault] : std::initializer_list<std::tuple<const char *, const char *, QByteArray, Fault::Kind>>{
                 {"onto a folder", "user.pla", "<folder>", Fault::None},
                 {"into a missing folder", "gone/user.pla", "old", Fault::None},
                 {"below a file", "hal.hal/user.pla", "old", Fault::None},
                 {"into a FIFO", "user.pla", "<fifo>", Fault::None},
                 {"through a link to a device", "user.pla", "<device link>", Fault::None},
                 {"the disk full part way", "user.pla", "old", Fault::Filling},
                 {"a new file on a full disk", "user.pla", "<missing>", Fault::FullDisk}}) {
            TempProgramFolder folder; // hal.hal's length is where the filling disk ends
            const std::filesystem::path data = folder.path() / "data";
            folder.write("data/hal.hal", "the hall");
            folder.put("data/user.pla", before);
            const auto expected = snapshot(folder.path());
            const Deadline deadline(60);
            {
                const Fault faulty(fault, data);
                ROW_COMPARE(name, platform::writeFileStart(data / target, "new content"), false);
            }
            ROW_COMPARE(name, snapshot(folder.path()), expected);
        }
    }

    // However long a file written in place, only the old bytes that the new content covers are held back.
    void replacesAHugeFileInPlace()
    {
        TempProgramFolder folder;
        const std::filesystem::path data = folder.path() / "data";
        folder.write("data/hal.hal", "the old hall");
        std::filesystem::resize_file(data / "hal.hal", std::uintmax_t(64) << 30);
        {
            const Fault readOnly(Fault::ReadOnly, data);
            QVERIFY(platform::replaceFile(data / "hal.hal", "the hall"));
        }
        QCOMPARE(folder.read("data/hal.hal"), QByteArray("the hall"));
    }

    // Up to the limit from the start of a file, in a folder whose name is not UTF-8 too; nothing from
    // a folder, a FIFO, a missing or an unreadable file.
    void readsFileStarts()
    {
        TempProgramFolder folder;
        const std::filesystem::path data = folder.path() / "data" / "lat\xF8in";
        std::filesystem::create_directory(data);
        folder.write(data / "hal.hal", "0123456789");
        folder.put(data / "fifo", "<fifo>");
        const Deadline deadline(60);
        QCOMPARE(platform::readFileStart(data / "hal.hal", 4), std::optional<QByteArray>("0123"));
        QCOMPARE(platform::readFileStart(data / "fifo", 4), std::nullopt);
        QCOMPARE(platform::readFileStart(data, 4), std::nullopt);
        QCOMPARE(platform::readFileStart(data / "missing", 4), std::nullopt);
        {
            const Fault unreadable(Fault::Unreadable, data);
            QCOMPARE(platform::readFileStart(data / "hal.hal", 4), std::nullopt);
        }
        std::filesystem::remove_all(data); // a name that the temporary folder cannot remove
    }

    // A name's bytes come back from its text as they were, UTF-8 or not.
    void keepsNameBytes()
    {
        for (const char *name : {"/hra/lat\xC5\x99in", "/hra/lat\xF8in", "\xED\xA0\x80\xC0\x80\xFF", "\xF0\x9F\x90\x8D\xF0\x9F"})
            ROW_COMPARE(name, QByteArray::fromStdString(platform::toPath(platform::toQString(name)).string()), QByteArray(name));
        QCOMPARE(platform::toQString("/hra/lat\xC5\x99in"), QStringLiteral("/hra/latřin"));
        QCOMPARE(platform::toQString("/hra/\xE2\x82\xAC"), QStringLiteral("/hra/€")); // a character of three bytes at the end
        QCOMPARE(platform::toQString("/hra/\xF0\x9F\x90\x8D"), QStringLiteral("/hra/🐍"));
    }
};

QTEST_MAIN(TestPlatform)
#include "test_platform.moc"
