// The editor window: layout, grid, placing, removing and clearing blocks, and
// the level files it saves and loads.
#include "editor_fixture.h"

#include "platform/files.h"
#include "platform/pictures.h"

#include <QDir>
#include <QTimer>

namespace {

const QRgb black = qRgb(0, 0, 0);
const QRgb darkRed = qRgb(128, 0, 0);

// The map's drawing area as the screen shows it.
QImage mapPixels(editor::Form1 &form)
{
    return form.Picture1->grab().toImage().convertToFormat(QImage::Format_RGB32).copy(2, 2, 269, 269);
}

} // namespace

class TestEditor : public QObject
{
    Q_OBJECT

private slots:
    // Caption with its trailing blank, fixed client size, icon, and every
    // control in its place, the buttons with their access keys.
    void window()
    {
        EditorFixture editor;
        const editor::Form1 &form = editor.form;
        QCOMPARE(form.windowTitle(), QStringLiteral("Tolmar Korvo - editor "));
        QCOMPARE(form.minimumSize(), QSize(484, 286));
        QCOMPARE(form.maximumSize(), QSize(484, 286));
        QCOMPARE(form.windowIcon().pixmap(32).toImage(), platform::programIcon().pixmap(32).toImage());
        QCOMPARE(form.Label2->text(), QStringLiteral("Tolmar"));
        QCOMPARE(form.Label2->font().pointSizeF(), 13.5);
        QVERIFY(form.Frame1->title().isEmpty() && form.Frame2->title().isEmpty() && !form.Label1->text().isEmpty());
        const std::tuple<const QWidget &, const QWidget &, QRect> controls[]{
            {*form.Label1, form, {0, 8, 73, 225}},         {*form.Label2, form, {8, 248, 65, 25}},
            {*form.Picture1, form, {80, 8, 273, 273}},     {*form.Frame1, form, {360, 0, 121, 177}},
            {*form.Command1, form, {392, 40, 57, 17}},     {*form.Command2, form, {392, 72, 57, 17}},
            {*form.Command3, form, {392, 104, 57, 17}},    {*form.Frame2, form, {360, 184, 121, 97}},
            {*form.Command5, *form.Frame2, {32, 24, 57, 17}}, {*form.Command4, *form.Frame2, {32, 64, 57, 17}}};
        for (const auto &[control, parent, place] : controls) {
            QCOMPARE(control.parentWidget(), &parent);
            QCOMPARE(control.geometry(), place);
        }
        QCOMPARE((QStringList{form.Command1->text(), form.Command2->text(), form.Command3->text(), form.Command5->text(), form.Command4->text()}),
                 (QStringList{"&Ulož", "&Načti", "&Exit", "&Odstraň", "&Smaž vše"}));
    }

    // Dark red lines at 8, 17, ..., 260 each way, black everywhere else; a
    // block covers its cell and its grid line, which comes back when it goes.
    void gridUnderBlocks()
    {
        EditorFixture editor;
        const QImage grid = mapPixels(editor.form);
        for (int pixel = 0; pixel < 269 * 269; ++pixel) {
            const int x = pixel % 269, y = pixel / 269;
            if (grid.pixel(x, y) != (x % 9 == 8 || y % 9 == 8 ? darkRed : black))
                QFAIL(qPrintable(QStringLiteral("pixel %1, %2").arg(x).arg(y)));
        }
        editor.press({12, 12});
        const QImage covered = mapPixels(editor.form);
        QCOMPARE(covered.copy(9, 9, 9, 9), platform::wallPicture().convertToFormat(QImage::Format_RGB32));
        QCOMPARE(covered.copy(18, 0, 251, 269), grid.copy(18, 0, 251, 269));
        editor.form.Command5_Click();
        QCOMPARE(mapPixels(editor.form), grid);
    }

    // Any button with any modifier keys places a block at the largest
    // multiple of 9 not above each coordinate; a press on a shown block adds
    // nothing, a loaded one off the grid included.
    void places_data()
    {
        QTest::addColumn<QByteArray>("loaded"); // a level file loaded first
        QTest::addColumn<QList<QPoint>>("presses");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QList<QPoint>>("placed");
        const auto row = [](const char *name, const QList<QPoint> &presses, const QList<QPoint> &placed,
                            Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers modifiers = {}, const std::string &loaded = {}) {
            QTest::newRow(name) << QByteArray::fromStdString(loaded) << presses << button << modifiers << placed;
        };
        row("0,0", {{0, 0}}, {{0, 0}});
        row("8,8", {{8, 8}}, {{0, 0}});
        row("4,7", {{4, 7}}, {{0, 0}});
        row("9,17", {{9, 17}}, {{9, 9}});
        row("268,268", {{268, 268}}, {{261, 261}});
        row("right button", {{40, 100}}, {{36, 99}}, Qt::RightButton);
        row("middle button", {{40, 100}}, {{36, 99}}, Qt::MiddleButton);
        row("shift, ctrl and alt", {{40, 100}}, {{36, 99}}, Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
        row("on a shown block", {{10, 10}, {17, 12}}, {{9, 9}});
        row("on a loaded block off the grid", {{13, 13}, {14, 14}}, {{5, 5}, {9, 9}}, Qt::LeftButton, {}, int16s({2, 5, 5}));
    }
    void places()
    {
        QFETCH(QByteArray, loaded);
        QFETCH(QList<QPoint>, presses);
        QFETCH(Qt::MouseButton, button);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        EditorFixture editor;
        if (!loaded.isEmpty())
            editor.load("level.lvl", loaded.toStdString());
        for (QPoint point : presses)
            editor.press(point, button, modifiers);
        QTEST(editor.blocks(), "placed");
    }

    // "&Odstraň" takes back the newest block first; with none left it does
    // nothing, and a cell freed takes presses again.
    void removesNewestFirst()
    {
        EditorFixture editor;
        const QList<QPoint> placed{{0, 0}, {99, 45}, {198, 252}};
        for (QPoint point : placed)
            editor.press(point + QPoint(1, 5));
        QCOMPARE(editor.blocks(), placed);
        for (int left = 2; left >= 0; --left) {
            editor.form.Command5_Click();
            QCOMPARE(editor.blocks(), placed.first(left));
        }
        editor.form.Command5_Click();
        QCOMPARE(editor.form.Image1.size(), 1);
        editor.press({5, 3});
        QCOMPARE(editor.blocks(), QList<QPoint>{QPoint(0, 0)});
        QVERIFY(editor.dialogs.shown.empty());
    }

    // "&Smaž vše" asks first: No keeps every block, Yes leaves only the
    // template, and the next press creates element 1 again.
    void clearsAllAfterAsking()
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
        QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!editor.form.isVisible());
        QVERIFY(editor.dialogs.shown.empty());
    }

    // The count (blocks + 1), then top and left of each block in placing
    // order; over a longer file only the first bytes are new, the old tail is
    // never read, and the file loads back as the map that was saved.
    void saves_data()
    {
        QTest::addColumn<QList<QPoint>>("presses");
        QTest::addColumn<QByteArray>("old"); // the file before
        QTest::addColumn<QByteArray>("bytes");
        const std::string five = int16s({6, 0, 0, 9, 9, 18, 18, 27, 27, 36, 36});
        QTest::newRow("empty map") << QList<QPoint>{} << QByteArray() << QByteArray::fromHex("0100");
        QTest::newRow("x 18 y 9, then 0 0") << QList<QPoint>{{18, 9}, {0, 0}} << QByteArray() << QByteArray::fromHex("03000900120000000000");
        QTest::newRow("one block over five") << QList<QPoint>{{30, 20}} << QByteArray::fromStdString(five)
                                             << QByteArray::fromStdString(int16s({2, 18, 27}) + five.substr(6));
    }
    void saves()
    {
        QFETCH(QList<QPoint>, presses);
        QFETCH(QByteArray, old);
        EditorFixture editor;
        if (!old.isEmpty())
            editor.folder.write(editor.level("level3.lvl"), old.toStdString());
        for (QPoint point : presses)
            editor.press(point);
        const QList<QPoint> saved = editor.blocks();
        editor.save("level3.lvl");
        QTEST(editor.bytes("level3.lvl"), "bytes");
        editor.load("copy.lvl", editor.folder.read(editor.level("level3.lvl")));
        QCOMPARE(editor.blocks(), saved);
    }

    // A load replaces the map with the blocks the file holds, where they
    // stand, in file order: none for a count of 1 or less, those its data
    // holds for a short file; a save writes them back, and "&Odstraň" takes
    // the last record's block first.
    void loadsAndSavesBack_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QList<QPoint>>("blocks");
        QTest::addColumn<QByteArray>("saved");
        const auto row = [](const char *name, const std::string &file, const QList<QPoint> &blocks, const std::string &saved) {
            QTest::newRow(name) << QByteArray::fromStdString(file) << blocks << QByteArray::fromStdString(saved);
        };
        const std::string odd = int16s({6, 9, 9, 9, 9, 4, 300, -7, 13, 261, 0});
        row("duplicates, off grid and outside", odd, {{9, 9}, {9, 9}, {300, 4}, {13, -7}, {0, 261}}, odd);
        row("count -32768", int16s({-32768, 9, 9}), {}, int16s({1}));
        row("count 1", int16s({1, 9, 9}), {}, int16s({1}));
        row("shorter than its count", int16s({5, 0, 9, 18, 27, 36}), {{9, 0}, {27, 18}}, int16s({3, 0, 9, 18, 27}));
    }
    void loadsAndSavesBack()
    {
        QFETCH(QByteArray, file);
        QFETCH(QList<QPoint>, blocks);
        EditorFixture editor;
        editor.press({100, 100});
        editor.load("level.lvl", file.toStdString());
        QCOMPARE(editor.blocks(), blocks);
        editor.save("copy.lvl");
        QTEST(editor.bytes("copy.lvl"), "saved");
        editor.form.Command5_Click();
        QCOMPARE(editor.blocks(), blocks.mid(0, blocks.size() - 1));
        QVERIFY(editor.dialogs.messages().isEmpty());
    }

    // Both dialogs open in the levels folder; cancelled, or on a file that
    // cannot be written or read, they keep the map, and a box names the file.
    void keepsTheMapWithoutAFile_data()
    {
        QTest::addColumn<bool>("chosen"); // a file in a missing folder, else cancelled
        QTest::newRow("cancelled") << false;
        QTest::newRow("in a missing folder") << true;
    }
    void keepsTheMapWithoutAFile()
    {
        QFETCH(bool, chosen);
        EditorFixture editor;
        editor.press({0, 0});
        const auto file = editor.folder.path() / "missing" / "level0.lvl";
        if (chosen)
            editor.dialogs.files = {file, file};
        editor.form.Command1_Click();
        editor.form.Command2_Click();
        const QString name = QDir::toNativeSeparators(platform::toQString(file));
        const QStringList failures{QStringLiteral("Tolmar Korvo - editor : Soubor %1 nelze uložit.").arg(name),
                                   QStringLiteral("Tolmar Korvo - editor : Soubor %1 nelze načíst.").arg(name)};
        QCOMPARE(editor.dialogs.messages(), chosen ? failures : QStringList());
        for (const ScriptedDialogs::Shown &box : editor.dialogs.shown)
            QVERIFY(box.kind != QLatin1String("file") || box.folder == editor.folder.path() / "levels");
        QCOMPARE(editor.dialogs.shown.front().fileMode, platform::Dialogs::FileMode::Save);
        QCOMPARE(editor.dialogs.shown.at(chosen ? 2 : 1).fileMode, platform::Dialogs::FileMode::Open);
        QVERIFY(std::filesystem::is_empty(editor.folder.path() / "levels"));
        QCOMPARE(editor.blocks(), QList<QPoint>{QPoint(0, 0)});
    }

    // Every shipped level loads and saves back byte for byte.
    void shippedLevelsRoundTrip()
    {
        const QStringList names = QDir(SHIPPED_LEVELS_FOLDER).entryList({QStringLiteral("*.lvl")}, QDir::Files);
        QVERIFY(!names.isEmpty());
        for (const QString &name : names) {
            EditorFixture editor;
            const std::string shipped = editor.folder.read(std::filesystem::path(SHIPPED_LEVELS_FOLDER) / name.toStdString());
            editor.load("level.lvl", shipped);
            editor.save("copy.lvl");
            QCOMPARE(editor.bytes("copy.lvl"), QByteArray::fromStdString(shipped));
        }
    }

    // The element count stays 16-bit: a full list takes no more blocks.
    void elementCountStaysSixteenBit()
    {
        EditorFixture editor;
        const std::string full = int16s({32767}) + std::string(4 * 32766, '\0');
        editor.load("full.lvl", full);
        editor.press({100, 100});
        QCOMPARE(editor.form.Image1.size(), 32767);
        editor.save("copy.lvl");
        QCOMPARE(editor.bytes("copy.lvl"), QByteArray::fromStdString(full));
    }
};

QTEST_MAIN(TestEditor)
#include "test_editor.moc"
