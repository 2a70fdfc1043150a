// Bad files and failing folders: the game and the editor go on, report, and keep what was fine.
#include "game/hall_file.h"
#include "game/saved_game.h"
#include "platform/files.h"

#include "editor_run.h"
#include "game_run.h"

#include <QDir>
#include <QLabel>
#include <QTest>

#include <array>
#include <csignal>
#include <map>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

namespace {

// Ten lines in Windows-1250 ("Hňup" holds the byte F2).
const QByteArray storedHall("Jana\r\n950\r\nPetr\r\n700\r\nH\xF2up\r\n600\r\nEva\r\n401\r\n\r\n5\r\n");
const game::HallTable storedTable{{{"Jana", "950"}, {"Petr", "700"}, {QStringLiteral("Hňup"), "600"}, {"Eva", "401"}, {"", "5"}}};
// Three lives at level index 1, score 120, a snake of six, 200 ms.
const QByteArray storedGame = int16s({3, 1, 120, 6, 200});

// The hall and the saved game, then relative replaced by contents, "<folder>" or "<missing>".
void fill(const TempProgramFolder &folder, const std::filesystem::path &relative = {}, const QByteArray &contents = {})
{
    folder.write("data/hal.hal", storedHall);
    folder.write("data/user.pla", storedGame);
    if (relative.empty())
        return;
    std::filesystem::remove_all(folder.path() / relative);
    if (contents == "<folder>")
        std::filesystem::create_directory(folder.path() / relative);
    else if (contents != "<missing>")
        folder.write(relative, contents);
}

// What stands at a path: its bytes, or each entry below it, folders marked.
std::map<std::string, QByteArray> snapshot(const std::filesystem::path &path)
{
    const auto bytes = [](const std::filesystem::path &file) {
        QFile in(platform::toQString(file));
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("<unreadable>");
    };
    std::map<std::string, QByteArray> entries;
    if (std::filesystem::is_regular_file(path))
        entries[""] = bytes(path);
    if (std::filesystem::is_directory(path)) {
        for (const auto &entry : std::filesystem::recursive_directory_iterator(path))
            entries[std::filesystem::relative(entry.path(), path).string()] = entry.is_directory() ? "<folder>" : bytes(entry.path());
    }
    return entries;
}

// A fault of the file system for as long as the object lives. A read-only
// data folder still lets the game write the files in it that are writable.
class Fault
{
public:
    enum Kind { None, ReadOnly, ReadOnlyFiles, FullDisk, ReadOnlyFilling, Unreadable };

    Fault(Kind kind, const std::filesystem::path &data)
    {
        using std::filesystem::perms;
        if (kind == ReadOnlyFiles) {
            protect(data / "hal.hal", perms::owner_read);
            protect(data / "user.pla", perms::owner_read);
        }
        if (kind == ReadOnly || kind == ReadOnlyFiles || kind == ReadOnlyFilling)
            protect(data, perms::owner_read | perms::owner_exec);
        if (kind == Unreadable)
            protect(data / "hal.hal", perms::none);
        if (!modes.empty()) {
            // Root, who runs the tests, ignores mode bits unless the thread gives that up.
            syscall(SYS_capget, &header, caps.data());
            auto lowered = caps;
            lowered[0].effective &= ~(1U << CAP_DAC_OVERRIDE | 1U << CAP_DAC_READ_SEARCH);
            syscall(SYS_capset, &header, lowered.data());
        }
        if (kind == FullDisk || kind == ReadOnlyFilling) {
            // No file may grow past the limit (none at all, or the stored hall's length), and a
            // write that would fails instead of ending the process.
            getrlimit(RLIMIT_FSIZE, &limit);
            const rlimit lowered{kind == FullDisk ? 0 : std::filesystem::file_size(data / "hal.hal"), limit.rlim_max};
            setrlimit(RLIMIT_FSIZE, &lowered);
            std::signal(SIGXFSZ, SIG_IGN);
            limited = true;
        }
    }
    ~Fault()
    {
        if (limited)
            setrlimit(RLIMIT_FSIZE, &limit);
        if (!modes.empty())
            syscall(SYS_capset, &header, caps.data());
        for (const auto &[path, mode] : modes)
            std::filesystem::permissions(path, mode);
    }

private:
    void protect(const std::filesystem::path &path, std::filesystem::perms mode)
    {
        modes.emplace_back(path, std::filesystem::status(path).permissions());
        std::filesystem::permissions(path, mode);
    }

    std::vector<std::pair<std::filesystem::path, std::filesystem::perms>> modes;
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    std::array<__user_cap_data_struct, 2> caps{};
    rlimit limit{};
    bool limited = false;
};

QString editorMessage(const char *text, const std::filesystem::path &file)
{
    return editor::Form1::caption + ": " + QString::fromUtf8(text).arg(QDir::toNativeSeparators(platform::toQString(file)));
}

} // namespace

Q_DECLARE_METATYPE(Fault::Kind)

class TestBadFiles : public QObject
{
    Q_OBJECT

private slots:
    // The count read decides the stage; without one the game names the file and touches nothing.
    void levelCount_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("message"); // after the first level, or at the start
        const QString nextLevel = QStringLiteral("Korvo: Pozor, jdeš do dalšího levelu!"), none = QStringLiteral("Korvo: Nelze přečíst počet levelů ze souboru\n");
        QTest::newRow("1e9: one level") << QByteArray("1e9\r\n") << QStringLiteral("Korvo: Přežil jsi první etapu, hurá do další - rychlejší!");
        QTest::newRow("-5: none") << QByteArray("-5\r\n") << nextLevel;
        QTest::newRow("32768") << QByteArray("32768\r\n") << none;
        QTest::newRow("missing") << QByteArray("<missing>") << none;
        QTest::newRow("a folder") << QByteArray("<folder>") << none;
    }
    void levelCount()
    {
        QFETCH(QByteArray, contents);
        QFETCH(QString, message);
        TempProgramFolder folder;
        fill(folder, "levels/levels.ini", contents);
        const auto data = snapshot(folder.path() / "data");
        const bool refused = message.endsWith('\n');
        {
            GameRun run(folder.path());
            QCOMPARE(run.loaded, !refused);
            if (run.loaded) {
                run.startGame();
                run.finishLevel();
                QVERIFY(run.running());
            } else {
                message += platform::toQString(folder.path() / "levels" / "levels.ini");
            }
            QCOMPARE(run.dialogs.messages(), QStringList{message});
        }
        QVERIFY(!refused || snapshot(folder.path() / "data") == data);
    }

    // The game plays the walls the file holds; the editor shows, saves and reloads them alike.
    void levelFile_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<int>("blocks");
        QByteArray full = int16s({32767});
        for (int k = 0; k < 32766; ++k)
            full += int16s({135, 135});
        QTest::newRow("count -32768 before a record") << int16s({-32768, 135, 135}) << 0;
        QTest::newRow("32766 blocks on the cell of the food") << full << 32766;
        QTest::newRow("blocks far off the playfield") << int16s({3, -32768, 32767, 32767, -32768}) << 2;
        QTest::newRow("a folder") << QByteArray("<folder>") << 0;
    }
    void levelFile()
    {
        QFETCH(QByteArray, contents);
        QFETCH(int, blocks);
        TempProgramFolder folder;
        fill(folder, "levels/level0.lvl", contents);
        const auto file = folder.path() / "levels" / "level0.lvl";
        const auto copy = folder.path() / "levels" / "level1.lvl";
        const auto before = snapshot(file);
        {
            GameRun game(folder.path());
            game.form.mnNova_Click();
            QCOMPARE(game.form.Image3.size() - 1, blocks);
            game.ticks(3);
            QVERIFY(game.running() && game.dialogs.shown.empty());
        }
        const bool isFolder = contents == "<folder>";
        EditorRun editor(folder.path(), {file, copy});
        editor.form.Picture1_MouseDown(Qt::LeftButton, {}, 18, 9);
        editor.form.Command2_Click();
        editor.form.Command1_Click();
        QCOMPARE(int(editor.blocks().size()), isFolder ? 1 : blocks);
        QCOMPARE(editor.dialogs.messages(), isFolder ? QStringList{editorMessage("Soubor %1 nelze načíst.", file)} : QStringList());
        EditorRun later(folder.path(), {copy});
        later.form.Command2_Click();
        QCOMPARE(int(later.blocks().size()), int(editor.blocks().size()));
        QVERIFY(snapshot(file) == before);
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
        fill(folder, "levels/level0.lvl", "<folder>");
        const auto before = snapshot(folder.path());
        const auto file = folder.path() / target.toStdString();
        EditorRun editor(folder.path(), {file});
        editor.form.Picture1_MouseDown(Qt::LeftButton, {}, 18, 9);
        editor.form.Command1_Click();
        QCOMPARE(editor.dialogs.messages(), QStringList{editorMessage("Soubor %1 nelze uložit.", file)});
        QCOMPARE(int(editor.blocks().size()), 1);
        QVERIFY(snapshot(folder.path()) == before);
    }

    // A whole run under the fault, then a run without it reads what was fine.
    void dataFolder_data()
    {
        QTest::addColumn<QString>("replaced");
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<Fault::Kind>("fault");
        QTest::addColumn<bool>("gameStored");  // the saved game can be read
        QTest::addColumn<bool>("hallStored");  // the hall of fame can be read
        QTest::addColumn<bool>("gameWritten"); // the saved game can be written
        QTest::addColumn<bool>("hallWritten"); // the hall of fame can be written
        const QByteArray none;
        QTest::newRow("data missing") << "data" << QByteArray("<missing>") << Fault::None << false << false << false << false;
        QTest::newRow("a file in place of data") << "data" << QByteArray("nic\r\n") << Fault::None << false << false << false << false;
        QTest::newRow("data read-only, its files writable") << "" << none << Fault::ReadOnly << true << true << true << true;
        QTest::newRow("data and its files read-only") << "" << none << Fault::ReadOnlyFiles << true << true << false << false;
        QTest::newRow("full disk") << "" << none << Fault::FullDisk << true << true << false << false;
        // The saved game keeps its length and is written in place; the longer hall is written
        // in part, and then its old content is put back.
        QTest::newRow("data read-only, the disk full at the hall's length") << "" << none << Fault::ReadOnlyFilling << true << true << true << false;
        QTest::newRow("hal.hal a folder") << "data/hal.hal" << QByteArray("<folder>") << Fault::None << true << false << true << false;
        QTest::newRow("hal.hal unreadable") << "" << none << Fault::Unreadable << true << false << true << false;
    }
    void dataFolder()
    {
        QFETCH(QString, replaced);
        QFETCH(QByteArray, contents);
        QFETCH(Fault::Kind, fault);
        QFETCH(bool, gameStored);
        QFETCH(bool, hallStored);
        QFETCH(bool, gameWritten);
        QFETCH(bool, hallWritten);
        TempProgramFolder folder;
        fill(folder, replaced.toStdString(), contents);
        const std::filesystem::path data = folder.path() / "data";
        auto expected = snapshot(data);
        if (gameWritten) // level index 2, the snake shortened from seven to three
            expected["user.pla"] = int16s({3, 2, 240, 3, 200});
        game::HallTable entered = storedTable;
        entered[0] = {QStringLiteral("Zdeněk"), "1500"};
        if (hallWritten)
            expected["hal.hal"] = game::hall_file::bytes(entered);
        {
            const Fault faulty(fault, data);
            GameRun run(folder.path());
            QCOMPARE(run.hall() == storedTable, hallStored);
            run.form.mnPokracuj_Click();
            if (!gameStored)
                run.form.mnNova_Click();
            QCOMPARE(run.form.level, gameStored ? 1 : 0);
            run.finishLevel();
            QVERIFY(run.running());
            run.endWithScore(1500, QStringLiteral("Zdeněk"));
            QCOMPARE(run.hall()[0], (game::HallPlace{QStringLiteral("Zdeněk"), "1500"}));
            run.form.close();
            // The entry is saved at once without a word; the close tells.
            QStringList messages{"Korvo: Pozor, jdeš do dalšího levelu!", "THE END: Chcípls..."};
            if (!hallWritten)
                messages << "Korvo: Síň slávy nelze uložit do souboru\n" + platform::toQString(data / "hal.hal");
            QCOMPARE(run.dialogs.messages(), messages);
        }
        QVERIFY(snapshot(data) == expected);
        GameRun later(folder.path());
        QCOMPARE(later.hall(), hallWritten                                  ? entered
                               : hallStored || fault == Fault::Unreadable ? storedTable
                                                                          : game::hall_file::initialTable());
        later.form.mnPokracuj_Click();
        QCOMPARE(later.running(), gameStored);
        QCOMPARE(later.form.Label4->text(), QString::number(gameWritten ? 3 : gameStored ? 2 : 1));
        QVERIFY(later.dialogs.shown.empty());
    }

    // Only the first MiB of a hall file is read; written back as ten lines that read back alike.
    void longHallLine()
    {
        TempProgramFolder folder;
        fill(folder, "data/hal.hal", QByteArray(2 << 20, 'x'));
        game::HallTable shown;
        {
            GameRun run(folder.path());
            shown = run.hall();
            QCOMPARE(shown[0].name.size(), 1 << 20);
            run.form.close();
        }
        const QByteArray written = folder.read("data/hal.hal");
        QVERIFY(written.count("\r\n") == 10 && written.count('\r') == 10 && written.count('\n') == 10);
        QCOMPARE(GameRun(folder.path()).hall(), shown);
    }

    // A typed name loses its line breaks and shows each character the file cannot hold as "?".
    void typedName()
    {
        TempProgramFolder folder;
        fill(folder);
        {
            GameRun run(folder.path());
            run.form.mnNova_Click();
            run.endWithScore(1500, QStringLiteral("Řehoř 日本\r\nZoë 😀"));
            QCOMPARE(run.form.hallWindow()->Label1[0]->text(), QStringLiteral("Řehoř ??Zoë ?"));
            run.form.close();
        }
        QCOMPARE(folder.read("data/hal.hal"), "\xD8" "eho\xF8 ??Zo\xEB ?\r\n1500\r\n" + storedHall.mid(storedHall.indexOf("Petr")));
        QCOMPARE(GameRun(folder.path()).hall()[0].name, QStringLiteral("Řehoř ??Zoë ?"));
    }

    // Without a saved game nothing starts; an odd one is taken whole, and the next level replaces it.
    void savedGame_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<int>("snake");        // 0 when refused
        QTest::addColumn<QByteArray>("saved"); // after the next level
        QTest::newRow("missing") << QByteArray("<missing>") << 0 << QByteArray();
        QTest::newRow("a folder") << QByteArray("<folder>") << 0 << QByteArray();
        QTest::newRow("level index 7 beyond 3 levels") << int16s({3, 7, 840, 6, 200}) << 6 << int16s({3, 8, 960, 3, 200});
        QTest::newRow("a snake on every cell") << int16s({2, 1, 120, 900, 1}) << 900 << int16s({2, 2, 240, 450, 1});
    }
    void savedGame()
    {
        QFETCH(QByteArray, contents);
        QFETCH(int, snake);
        QFETCH(QByteArray, saved);
        TempProgramFolder folder;
        fill(folder, "data/user.pla", contents);
        const auto hall = folder.read("data/hal.hal");
        const auto taken = game::SavedGame::fromBytes(contents);
        {
            GameRun game(folder.path());
            game.form.mnPokracuj_Click();
            QCOMPARE(game.running(), snake > 0);
            QCOMPARE(game.form.Image1.size(), std::max(snake, 3));
            if (taken)
                QCOMPARE(game.shown().labels, (QStringList{QString::number(taken->score), QString::number(taken->level + 1), QString::number(taken->lives), "12"}));
            if (snake > 0)
                game.finishLevel();
            QCOMPARE(game.dialogs.messages(), snake > 0 ? QStringList{msg::nextLevel} : QStringList());
            QCOMPARE(game.form.Image2.size(), snake > 0 ? 5 : 1);
        }
        QCOMPARE(folder.read("data/user.pla"), saved);
        QCOMPARE(folder.read("data/hal.hal"), hall);
        GameRun later(folder.path());
        later.form.mnPokracuj_Click();
        QCOMPARE(later.form.Label4->text(), QString::number(snake > 0 ? saved[2] + 1 : 1));
    }
};

QTEST_MAIN(TestBadFiles)
#include "test_bad_files.moc"
