// The editor's level files: the bytes it saves and what it makes of the files it loads.
#include "editor_fixture.h"

#include "platform/paths.h"

#include <QDir>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using FileMode = platform::Dialogs::FileMode;

// The bytes of 16-bit values, least significant byte first.
std::string int16s(const std::vector<int> &values)
{
    std::string bytes;
    for (int value : values) {
        bytes += static_cast<char>(value & 0xFF);
        bytes += static_cast<char>((value >> 8) & 0xFF);
    }
    return bytes;
}

const std::filesystem::path levels("levels");

} // namespace

class TestEditorFiles : public QObject
{
    Q_OBJECT

private:
    // Answers the next file dialog with a file of the program's levels folder.
    static void choose(EditorFixture &editor, const std::string &name)
    {
        editor.dialogs.files.push_back(editor.folder.path() / levels / name);
    }

    static void load(EditorFixture &editor, const std::string &name, const std::string &bytes)
    {
        editor.folder.write(levels / name, bytes);
        choose(editor, name);
        editor.form.Command2_Click();
    }

    static void save(EditorFixture &editor, const std::string &name)
    {
        choose(editor, name);
        editor.form.Command1_Click();
    }

private slots:
    // The count (blocks + 1), then top and left of each block in placing order.
    void saveBytes_data()
    {
        QTest::addColumn<QList<QPoint>>("presses");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty map") << QList<QPoint>{} << QByteArray("\x01\x00", 2);
        QTest::newRow("x 18 y 9, then 0 0") << QList<QPoint>{{18, 9}, {0, 0}}
                                           << QByteArray("\x03\x00\x09\x00\x12\x00\x00\x00\x00\x00", 10);
    }
    void saveBytes()
    {
        QFETCH(QList<QPoint>, presses);
        QFETCH(QByteArray, bytes);
        EditorFixture editor;
        for (QPoint point : presses)
            editor.press(point);
        save(editor, "new.lvl");
        QCOMPARE(QByteArray::fromStdString(editor.folder.read(levels / "new.lvl")), bytes);
        QCOMPARE(editor.blocks().size(), presses.size());
    }

    // Saving over a longer file rewrites its start only; the old tail is never read.
    void saveOverLongerFile()
    {
        EditorFixture editor;
        const std::string old = int16s({6, 0, 0, 9, 9, 18, 18, 27, 27, 36, 36});
        editor.folder.write(levels / "level3.lvl", old);
        editor.press({30, 20});
        save(editor, "level3.lvl");
        const std::string written = editor.folder.read(levels / "level3.lvl");
        QCOMPARE(written.size(), 22u);
        QCOMPARE(written.substr(0, 6), int16s({2, 18, 27}));
        QCOMPARE(written.substr(6), old.substr(6));
        choose(editor, "level3.lvl");
        editor.form.Command2_Click();
        QCOMPARE(editor.blocks(), QList<QPoint>{QPoint(27, 18)});
    }

    // Loaded positions stand unchanged, duplicates and all, and save back the same.
    void loadKeepsPositions()
    {
        EditorFixture editor;
        editor.press({100, 100});
        const std::string bytes = int16s({6, 9, 9, 9, 9, 4, 300, -7, 13, 261, 0});
        load(editor, "odd.lvl", bytes);
        QCOMPARE(editor.blocks(), (QList<QPoint>{{9, 9}, {9, 9}, {300, 4}, {13, -7}, {0, 261}}));
        QVERIFY(editor.onlyBlocksShown());
        save(editor, "copy.lvl");
        QCOMPARE(editor.folder.read(levels / "copy.lvl"), bytes);
        editor.form.Command5_Click();
        QCOMPARE(editor.blocks().last(), QPoint(13, -7));
        QVERIFY(editor.dialogs.messages().isEmpty());
    }

    // A loaded block off the grid takes the presses that land on it.
    void offGridBlockTakesPresses()
    {
        EditorFixture editor;
        load(editor, "off.lvl", int16s({2, 5, 5}));
        editor.press({13, 13});
        QCOMPARE(editor.form.Image1.size(), 2);
        editor.press({14, 14});
        QCOMPARE(editor.blocks().last(), QPoint(9, 9));
    }

    // Both dialogs open in the levels folder; cancelled, they write nothing and keep the map.
    void cancelledDialogs()
    {
        EditorFixture editor;
        editor.press({0, 0});
        editor.press({50, 60});
        editor.form.Command1_Click();
        editor.form.Command2_Click();
        QCOMPARE(editor.dialogs.shown.size(), 2u);
        QCOMPARE(editor.dialogs.shown[0].fileMode, FileMode::Save);
        QCOMPARE(editor.dialogs.shown[1].fileMode, FileMode::Open);
        for (const ScriptedDialogs::Shown &box : editor.dialogs.shown)
            QCOMPARE(box.folder, editor.folder.path() / levels);
        QVERIFY(std::filesystem::is_empty(editor.folder.path() / levels));
        QCOMPARE(editor.blocks(), (QList<QPoint>{{0, 0}, {45, 54}}));
        QVERIFY(editor.onlyBlocksShown());
    }

    // A count of 1 or less, even the lowest 16-bit one, gives an empty map and no error.
    void loadCountOfOneOrLess_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("-32768") << QByteArray::fromStdString(int16s({-32768, 9, 9}));
        QTest::newRow("-1") << QByteArray::fromStdString(int16s({-1, 9, 9}));
        QTest::newRow("0") << QByteArray::fromStdString(int16s({0, 9, 9}));
        QTest::newRow("1") << QByteArray::fromStdString(int16s({1, 9, 9}));
        QTest::newRow("empty file") << QByteArray();
    }
    void loadCountOfOneOrLess()
    {
        QFETCH(QByteArray, bytes);
        EditorFixture editor;
        editor.press({20, 20});
        load(editor, "few.lvl", bytes.toStdString());
        QCOMPARE(editor.form.Image1.size(), 1);
        QVERIFY(editor.dialogs.messages().isEmpty());
    }

    // A file shorter than its count gives the blocks its data holds.
    void loadShortFile()
    {
        EditorFixture editor;
        load(editor, "short.lvl", int16s({5, 0, 9, 18, 27, 36}));
        QCOMPARE(editor.blocks(), (QList<QPoint>{{9, 0}, {27, 18}}));
        QVERIFY(editor.dialogs.messages().isEmpty());
    }

    // Every shipped level loads and saves back byte for byte.
    void shippedLevelsRoundTrip()
    {
        const QDir shipped(QStringLiteral(SHIPPED_LEVELS_FOLDER));
        const QStringList names = shipped.entryList({QStringLiteral("*.lvl")}, QDir::Files);
        QVERIFY(!names.isEmpty());
        for (const QString &name : names) {
            EditorFixture editor;
            const auto original = std::filesystem::path(SHIPPED_LEVELS_FOLDER) / name.toStdString();
            editor.dialogs.files.push_back(original);
            editor.form.Command2_Click();
            save(editor, "copy.lvl");
            TempProgramFolder reference;
            std::filesystem::copy_file(original, reference.path() / "level.lvl");
            QCOMPARE(editor.folder.read(levels / "copy.lvl"), reference.read("level.lvl"));
        }
    }

    // A file that cannot be read or written: a box names it, the map stays, the editor goes on.
    void fileErrors()
    {
        EditorFixture editor;
        editor.press({0, 0});
        const auto missing = editor.folder.path() / "missing" / "level0.lvl";
        editor.dialogs.files = {missing, missing};
        editor.form.Command1_Click();
        editor.form.Command2_Click();
        const QString name = QDir::toNativeSeparators(platform::toQString(missing));
        QCOMPARE(editor.dialogs.messages(),
                 (QStringList{QStringLiteral("Tolmar Korvo - editor : Soubor %1 nelze uložit.").arg(name),
                              QStringLiteral("Tolmar Korvo - editor : Soubor %1 nelze načíst.").arg(name)}));
        QCOMPARE(editor.blocks(), QList<QPoint>{QPoint(0, 0)});
        save(editor, "level0.lvl");
        QCOMPARE(editor.folder.read(levels / "level0.lvl"), int16s({2, 0, 0}));
    }

    // The element count stays 16-bit: a full list takes no more blocks.
    void elementCountLimit()
    {
        EditorFixture editor;
        std::vector<int> values{32767};
        values.resize(1 + 2 * 32766, 0);
        load(editor, "full.lvl", int16s(values));
        QCOMPARE(editor.form.Image1.size(), 32767);
        editor.press({100, 100});
        QCOMPARE(editor.form.Image1.size(), 32767);
        save(editor, "copy.lvl");
        QCOMPARE(editor.folder.read(levels / "copy.lvl"), int16s(values));
    }
};

QTEST_MAIN(TestEditorFiles)
#include "test_editor_files.moc"
