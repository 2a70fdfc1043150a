// Level count files and level files that no program wrote: the game takes the
// number at the start of the count or says it cannot and stops; neither the
// game nor the editor creates a block that a level file does not hold, both
// go on working, and the files stay as they were.
#include "hardening_fixture.h"

#include "platform/files.h"

#include <QDir>

namespace {

// A count, then records records, all at one cell.
std::string level(int count, int records, int top = 135, int left = 135)
{
    std::string bytes = int16s({count});
    for (int k = 0; k < records; ++k)
        bytes += int16s({top, left});
    return bytes;
}

QString editorMessage(const char *text, const std::filesystem::path &file)
{
    return editor::Form1::caption + ": " + QString::fromUtf8(text).arg(QDir::toNativeSeparators(platform::toQString(file)));
}

} // namespace

class TestBadLevelFiles : public QObject
{
    Q_OBJECT

private slots:
    // The number of levels, and a game that gets from the first level to the
    // next one or, with one level, to the next stage.
    void levelCount_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<int>("levels");
        const QByteArray tenMegabytes(10'000'000, 'x');
        QTest::newRow("1e9") << QByteArray("1e9\r\n") << 1;
        QTest::newRow("-5") << QByteArray("-5\r\n") << -5;
        QTest::newRow("NaN") << QByteArray("NaN\r\n") << 0;
        QTest::newRow("a first line of 10 MB of letters") << tenMegabytes << 0;
        QTest::newRow("binary") << QByteArray("\x00\xFF" "7", 3) << 0;
        QTest::newRow("empty") << QByteArray() << 0;
        QTest::newRow("3, then 10 MB") << "3\r\n" + tenMegabytes << 3;
        QTest::newRow("10 MB of blanks, then 2") << QByteArray(10'000'000, ' ') + "2\r\n" << 2;
    }
    void levelCount()
    {
        QFETCH(QByteArray, contents);
        QFETCH(int, levels);
        TempProgramFolder folder;
        stored::fill(folder, "levels/levels.ini", contents);
        GameRun run(folder.path());
        QVERIFY(run.loaded);
        QCOMPARE(run.form.levels, levels);
        run.form.mnNova_Click();
        run.finishLevel();
        QVERIFY(run.running());
        QCOMPARE(run.form.level, levels == 1 ? 0 : 1);
        QCOMPARE(run.dialogs.messages(), QStringList{levels == 1 ? "Korvo: Přežil jsi první etapu, hurá do další - rychlejší!"
                                                                 : "Korvo: Pozor, jdeš do dalšího levelu!"});
        QCOMPARE(folder.read("levels/levels.ini"), contents.toStdString());
    }

    // No count, no game: one message naming the file, no window, and the
    // stored files untouched.
    void noLevelCount_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::newRow("70 000 digits") << QByteArray(70'000, '7');
        QTest::newRow("10 MB of digits") << QByteArray(10'000'000, '1');
        QTest::newRow("32768") << QByteArray("32768\r\n");
        QTest::newRow("-32768.51") << QByteArray("-32768.51\r\n");
        QTest::newRow("missing") << QByteArray("<missing>");
        QTest::newRow("a folder") << QByteArray("<folder>");
    }
    void noLevelCount()
    {
        QFETCH(QByteArray, contents);
        TempProgramFolder folder;
        stored::fill(folder, "levels/levels.ini", contents);
        const auto data = stored::snapshot(folder.path() / "data");
        {
            GameRun run(folder.path());
            QVERIFY(!run.loaded);
            QCOMPARE(run.dialogs.messages(), QStringList{"Korvo: Nelze přečíst počet levelů ze souboru\n"
                                                         + platform::toQString(folder.path() / "levels" / "levels.ini")});
            QVERIFY(!run.form.isVisible());
        }
        QVERIFY(stored::snapshot(folder.path() / "data") == data);
    }

    // The game plays the level with the walls the file holds and says
    // nothing; the editor shows those blocks (a folder it says it cannot load
    // and keeps its map), saves them, and a later editor loads them alike.
    void levelFile_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<int>("blocks");
        const auto row = [](const char *name, const std::string &bytes, int blocks) {
            QTest::newRow(name) << QByteArray::fromStdString(bytes) << blocks;
        };
        row("empty", "", 0);
        row("one byte", "\x05", 0);
        row("32767 declared, 3 bytes of data", int16s({32767}) + std::string("\x09\x00\x12", 3), 0);
        row("32767 declared, a record and a half", level(32767, 1) + int16s({27}), 1);
        row("count 0 before a record", level(0, 1), 0);
        row("count -32768 before a record", level(-32768, 1), 0);
        row("3 declared, 5 held", level(3, 5), 2);
        row("32766 blocks on the cell of the food", level(32767, 32766), 32766);
        row("blocks far off the playfield", level(3, 1, -32768, 32767) + int16s({32767, -32768}), 2);
        row("a folder", "<folder>", 0);
    }
    void levelFile()
    {
        QFETCH(QByteArray, contents);
        QFETCH(int, blocks);
        TempProgramFolder folder;
        stored::fill(folder, "levels/level0.lvl", contents);
        const auto file = folder.path() / "levels" / "level0.lvl";
        const auto copy = folder.path() / "levels" / "level1.lvl";
        const auto before = stored::snapshot(file);
        {
            GameRun game(folder.path());
            game.form.mnNova_Click();
            QCOMPARE(game.form.Image3.size() - 1, blocks);
            for (int tick = 0; tick < 3; ++tick)
                game.form.Timer1_Timer();
            QVERIFY(game.running());
            QVERIFY(game.dialogs.shown.empty());
        }
        const bool isFolder = contents == "<folder>";
        EditorRun editor(folder.path());
        editor.form.Picture1_MouseDown(Qt::LeftButton, {}, 18, 9);
        editor.dialogs.files = {file, copy};
        editor.form.Command2_Click();
        editor.form.Command1_Click();
        QCOMPARE(editor.blocks(), isFolder ? 1 : blocks);
        QCOMPARE(editor.dialogs.messages(), isFolder ? QStringList{editorMessage("Soubor %1 nelze načíst.", file)} : QStringList());
        EditorRun later(folder.path());
        later.choose(copy);
        later.form.Command2_Click();
        QCOMPARE(later.blocks(), editor.blocks());
        QVERIFY(stored::snapshot(file) == before);
    }

    // A save the file system refuses is reported, and what stood there stays.
    void editorCannotSave_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("onto a folder") << "levels/level0.lvl";
        QTest::newRow("into a missing folder") << "gone/level0.lvl";
        QTest::newRow("below a file") << "levels/levels.ini/level0.lvl";
    }
    void editorCannotSave()
    {
        QFETCH(QString, target);
        TempProgramFolder folder;
        stored::fill(folder, "levels/level0.lvl", "<folder>");
        const auto before = stored::snapshot(folder.path());
        const auto file = folder.path() / target.toStdString();
        EditorRun editor(folder.path());
        editor.form.Picture1_MouseDown(Qt::LeftButton, {}, 18, 9);
        editor.choose(file);
        editor.form.Command1_Click();
        QCOMPARE(editor.dialogs.messages(), QStringList{editorMessage("Soubor %1 nelze uložit.", file)});
        QCOMPARE(editor.blocks(), 1);
        QVERIFY(stored::snapshot(folder.path()) == before);
    }
};

QTEST_MAIN(TestBadLevelFiles)
#include "test_bad_level_files.moc"
