// The data folder missing, a file, read-only or on a full disk; hall of fame
// files and saved games that the game did not write; names the hall cannot
// hold as typed: the game plays on, the stored files that were fine stay as
// they were, and a later run reads them.
#include "hardening_fixture.h"

#include "game/saved_game.h"
#include "platform/files.h"

#include <QAction>
#include <QLabel>
#include <QRandomGenerator>

namespace {

// Lasting while the game runs. A read-only data folder still lets the game
// write the files in it that are writable themselves.
enum class Fault { None, ReadOnly, ReadOnlyFiles, FullDisk, ReadOnlyFullDisk, Unreadable };

std::function<void()> fault(Fault fault, const std::filesystem::path &data)
{
    using std::filesystem::perms;
    const perms readOnly = perms::owner_read | perms::owner_exec;
    switch (fault) {
    case Fault::ReadOnly:
        return changedMode(data, readOnly);
    case Fault::ReadOnlyFiles: {
        const auto files = changedMode(data / "user.pla", perms::owner_read);
        const auto hall = changedMode(data / "hal.hal", perms::owner_read);
        const auto folder = changedMode(data, readOnly);
        return [=] { folder(); hall(); files(); };
    }
    case Fault::FullDisk:
        return fullDisk();
    case Fault::ReadOnlyFullDisk: {
        const auto folder = changedMode(data, readOnly);
        const auto disk = fullDisk(std::filesystem::file_size(data / "hal.hal"));
        return [=] { disk(); folder(); };
    }
    case Fault::Unreadable:
        return changedMode(data / "hal.hal", perms::none);
    case Fault::None:
        break;
    }
    return nullptr;
}

QByteArray savedGame(int lives, int level, int score, int length, int rychlost)
{
    return QByteArray::fromStdString(int16s({lives, level, score, length, rychlost}));
}

} // namespace

Q_DECLARE_METATYPE(Fault)

class TestBadDataFiles : public QObject
{
    Q_OBJECT

private slots:
    // The whole run under the fault: a continued or new game, a level change
    // that saves the game, a hall of fame entry, the close; then a run without it.
    void dataFolder_data()
    {
        QTest::addColumn<QString>("replaced");
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<bool>("gameStored");  // the saved game can be read
        QTest::addColumn<bool>("hallStored");  // the hall of fame can be read
        QTest::addColumn<bool>("gameWritten"); // the saved game can be written
        QTest::addColumn<bool>("hallWritten"); // the hall of fame can be written
        QTest::newRow("data missing") << "data" << QByteArray("<missing>") << Fault::None << false << false << false << false;
        QTest::newRow("a file in place of data") << "data" << QByteArray("nic\r\n") << Fault::None << false << false << false << false;
        QTest::newRow("data read-only, its files writable") << "" << QByteArray() << Fault::ReadOnly << true << true << true << true;
        QTest::newRow("data and its files read-only") << "" << QByteArray() << Fault::ReadOnlyFiles << true << true << false << false;
        QTest::newRow("full disk") << "" << QByteArray() << Fault::FullDisk << true << true << false << false;
        // The disk fills at the length of the stored hall: the saved game
        // keeps its length and is written in place; the longer hall is
        // written in part, then its old content is put back.
        QTest::newRow("data read-only on a full disk") << "" << QByteArray() << Fault::ReadOnlyFullDisk << true << true << true << false;
        QTest::newRow("hal.hal a folder") << "data/hal.hal" << QByteArray("<folder>") << Fault::None << true << false << true << false;
        QTest::newRow("hal.hal unreadable") << "" << QByteArray() << Fault::Unreadable << true << false << true << false;
    }
    void dataFolder()
    {
        QFETCH(QString, replaced);
        QFETCH(QByteArray, contents);
        QFETCH(Fault, fault);
        QFETCH(bool, gameStored);
        QFETCH(bool, hallStored);
        QFETCH(bool, gameWritten);
        QFETCH(bool, hallWritten);
        TempProgramFolder folder;
        stored::fill(folder, replaced.toStdString(), contents);
        const std::filesystem::path data = folder.path() / "data";
        auto expected = stored::snapshot(data);
        if (gameWritten) // level index 2, the snake shortened from seven to three
            expected["user.pla"] = int16s({3, 2, 240, 3, 200});
        game::HallTable entered = stored::hallTable;
        entered[0] = {QStringLiteral("Zdeněk"), "1500"};
        if (hallWritten)
            expected["hal.hal"] = game::hall_file::bytes(entered).toStdString();
        {
            const Undo undo{::fault(fault, data)};
            GameRun run(folder.path());
            QCOMPARE(run.hall() == stored::hallTable, hallStored);
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
        QVERIFY(stored::snapshot(data) == expected);
        GameRun later(folder.path());
        QCOMPARE(later.hall(), hallWritten                                    ? entered
                               : hallStored || fault == Fault::Unreadable ? stored::hallTable
                                                                          : game::hall_file::initialTable());
        later.form.mnPokracuj_Click();
        QCOMPARE(later.running(), gameStored);
        QCOMPARE(later.form.Label4->text(), QString::number(gameWritten ? 3 : gameStored ? 2 : 1));
        QVERIFY(later.dialogs.shown.empty());
    }

    // Whatever the hall file, it is written back as ten lines ended by CR LF,
    // byte for byte where the game could have written it, and a later run
    // shows the table this run showed.
    void hallFile_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QByteArray>("saved"); // empty when only its form is known
        const QByteArray hall = QByteArray::fromStdString(stored::hall);
        QByteArray noise(64 << 10, '\0');
        QRandomGenerator(6).fillRange(reinterpret_cast<quint32 *>(noise.data()), noise.size() / 4);
        QTest::newRow("ten lines come back byte for byte") << hall << hall;
        QTest::newRow("lines past the tenth") << hall + "Navic\r\n50\r\n" << hall;
        QTest::newRow("no line end after the last line") << hall.chopped(2) << hall;
        QTest::newRow("lone CR and LF end lines too") << QByteArray("A\rB\nC\r\n") << QByteArray();
        QTest::newRow("NUL and bytes the code page leaves out") << QByteArray("\x00\x81\x83\x88\x90\x98\xFF\r\n1\r\n", 12) << QByteArray();
        QTest::newRow("a line of 2 MB") << QByteArray(2 << 20, 'x') << QByteArray();
        QTest::newRow("64 KiB of noise") << noise << QByteArray();
    }
    void hallFile()
    {
        QFETCH(QByteArray, contents);
        QFETCH(QByteArray, saved);
        TempProgramFolder folder;
        stored::fill(folder, "data/hal.hal", contents);
        game::HallTable shown;
        {
            GameRun run(folder.path());
            shown = run.hall();
            run.form.close();
        }
        const QByteArray written = QByteArray::fromStdString(folder.read("data/hal.hal"));
        QVERIFY(written.count("\r\n") == 10 && written.count('\r') == 10 && written.count('\n') == 10 && written.endsWith("\r\n"));
        if (!saved.isEmpty())
            QCOMPARE(written, saved);
        QCOMPARE(GameRun(folder.path()).hall(), shown);
    }

    // A typed name is shown as it is stored: a character outside the code
    // page as one "?", line breaks dropped; the other places keep their lines.
    void enteredName_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("name");   // as shown and stored
        QTest::addColumn<QByteArray>("line"); // its line in the file
        QTest::newRow("outside the code page") << QStringLiteral("Řehoř 日本 Zoë 😀") << QStringLiteral("Řehoř ?? Zoë ?")
                                               << QByteArray("\xD8" "eho\xF8 ?? Zo\xEB ?");
        QTest::newRow("line breaks") << QStringLiteral("Jan\r\nNovák") << QStringLiteral("JanNovák") << QByteArray("JanNov\xE1k");
    }
    void enteredName()
    {
        QFETCH(QString, typed);
        QFETCH(QString, name);
        QFETCH(QByteArray, line);
        TempProgramFolder folder;
        stored::fill(folder);
        {
            GameRun run(folder.path());
            run.form.mnNova_Click();
            run.endWithScore(1500, typed);
            QCOMPARE(run.form.hallWindow()->Label1[0]->text(), name);
            run.form.close();
        }
        QCOMPARE(QByteArray::fromStdString(folder.read("data/hal.hal")),
                 line + "\r\n1500\r\n" + QByteArray::fromStdString(stored::hall.substr(stored::hall.find("Petr"))));
        QCOMPARE(GameRun(folder.path()).hall()[0], (game::HallPlace{name, "1500"}));
    }

    // Refused as a missing saved game is: nothing starts or shows, and the
    // stored files stay as they were.
    void refusedSavedGame_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::newRow("negative length") << savedGame(3, 1, 120, -1, 200);
        QTest::newRow("length 0") << savedGame(3, 1, 120, 0, 200);
        QTest::newRow("length 901, more than the cells") << savedGame(3, 1, 120, 901, 200);
        QTest::newRow("length 32767") << savedGame(3, 1, 120, 32767, 200);
        QTest::newRow("interval 0") << savedGame(3, 1, 120, 6, 0);
        QTest::newRow("interval -32768") << savedGame(3, 1, 120, 6, -32768);
        QTest::newRow("no lives") << savedGame(0, 1, 120, 6, 200);
        QTest::newRow("negative level") << savedGame(3, -1, 120, 6, 200);
        QTest::newRow("9 bytes") << savedGame(3, 1, 120, 6, 200).first(9);
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("missing") << QByteArray("<missing>");
        QTest::newRow("a folder") << QByteArray("<folder>");
    }
    void refusedSavedGame()
    {
        QFETCH(QByteArray, contents);
        TempProgramFolder folder;
        stored::fill(folder, "data/user.pla", contents);
        const auto before = stored::snapshot(folder.path() / "data");
        GameRun game(folder.path());
        game.form.mnPokracuj_Click();
        QCOMPARE(game.form.prechod, 0);
        QVERIFY(!game.form.Timer1.isRunning() && game.form.mnSin->isEnabled());
        QCOMPARE(game.form.Image2.size(), 1);
        QVERIFY(game.dialogs.shown.empty());
        game.form.close();
        QVERIFY(stored::snapshot(folder.path() / "data") == before);
    }

    // Taken whole: the game runs at the saved level and interval, and the next
    // level replaces the file whole, which a later run continues from.
    void takenSavedGame_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<int>("snake");        // sprites after continuing
        QTest::addColumn<QByteArray>("saved"); // the file after the next level
        QTest::newRow("level index 7 beyond 3 levels") << savedGame(3, 7, 840, 6, 200) << 6 << savedGame(3, 8, 960, 3, 200);
        QTest::newRow("a snake on every cell") << savedGame(2, 1, 120, 900, 200) << 900 << savedGame(2, 2, 240, 450, 200);
        QTest::newRow("length 1 keeps three sprites") << savedGame(3, 1, 120, 1, 200) << 3 << savedGame(3, 2, 240, 2, 200);
        QTest::newRow("interval 1") << savedGame(3, 1, 120, 6, 1) << 6 << savedGame(3, 2, 240, 3, 1);
        QTest::newRow("32767 lives, interval 32767") << savedGame(32767, 1, -5, 6, 32767) << 6 << savedGame(32767, 2, 240, 3, 32767);
        QTest::newRow("bytes after the tenth") << savedGame(3, 1, 120, 6, 200) + "tail" << 6 << savedGame(3, 2, 240, 3, 200);
    }
    void takenSavedGame()
    {
        QFETCH(QByteArray, contents);
        QFETCH(int, snake);
        QFETCH(QByteArray, saved);
        TempProgramFolder folder;
        stored::fill(folder, "data/user.pla", contents);
        const auto taken = game::SavedGame::fromBytes(contents);
        QVERIFY(taken);
        {
            GameRun game(folder.path());
            game.form.mnPokracuj_Click();
            QVERIFY(game.running());
            QCOMPARE(game.form.Image1.size(), snake);
            QCOMPARE(game.form.level, taken->level);
            QCOMPARE(game.form.Timer1.interval(), taken->rychlost);
            game.finishLevel();
            QVERIFY(game.running());
            QCOMPARE(game.dialogs.messages(), QStringList{"Korvo: Pozor, jdeš do dalšího levelu!"});
        }
        QCOMPARE(QByteArray::fromStdString(folder.read("data/user.pla")), saved);
        GameRun later(folder.path());
        later.form.mnPokracuj_Click();
        QVERIFY(later.running());
        QCOMPARE(later.form.level, game::SavedGame::fromBytes(saved)->level);
    }
};

QTEST_MAIN(TestBadDataFiles)
#include "test_bad_data_files.moc"
