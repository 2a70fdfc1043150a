// The hall of fame: the places a final score takes, the hall file read at
// start and written after each entry and at close, and the hall window.
#include "game_fixture.h"

#include "game/form3.h"
#include <QStringEncoder>

namespace {

const QStringList initialNames{"Super-kolik", "Amatér", "Hňup", "Vobyčejnej-kolik", "Nikdo"};
const QStringList initialScores{"1000", "800", "600", "400", "200"};
// The initial table as the file holds it: Windows-1250, CR LF.
const QByteArray initialFile("Super-kolik\r\n1000\r\nAmat\xE9r\r\n800\r\nH\xF2up\r\n600\r\n"
                             "Voby\xE8" "ejnej-kolik\r\n400\r\nNikdo\r\n200\r\n");

// The names or the scores of the table, best first.
QStringList texts(const game::Form3 &hall, QString game::HallPlace::*text)
{
    QStringList list;
    for (const game::HallPlace &place : hall.table())
        list << place.*text;
    return list;
}

} // namespace

class TestHallOfFame : public QObject
{
    Q_OBJECT

private slots:
    // The place a score takes in the initial table: strictly greater only, from the top; Cancel
    // stores an empty name; on disk at once, and kept when the hall is shown again.
    void placeTaken_data()
    {
        QTest::addColumn<int>("score");
        QTest::addColumn<QString>("typed"); // empty for Cancel
        QTest::addColumn<int>("place");     // -1: none
        QTest::newRow("200") << 200 << "Řehoř" << -1;
        QTest::newRow("201") << 201 << "Řehoř" << 4;
        QTest::newRow("201, cancelled") << 201 << "" << 4;
        QTest::newRow("700") << 700 << "Řehoř" << 2;
        QTest::newRow("1000") << 1000 << "Řehoř" << 1;
        QTest::newRow("1500") << 1500 << "Řehoř" << 0;
    }
    void placeTaken()
    {
        QFETCH(int, score);
        QFETCH(QString, typed);
        QFETCH(int, place);
        GameFixture game;
        game.load();
        if (!typed.isEmpty())
            game.dialogs.inputs.push_back(typed);
        game.window.score = static_cast<std::int16_t>(score);
        game.window.hall_entry();
        QStringList names = initialNames, scores = initialScores;
        if (place >= 0) {
            names[place] = typed;
            scores[place] = QString::number(score);
        }
        game::Form3 &hall = *game.window.hallWindow();
        QCOMPARE(texts(hall, &game::HallPlace::name), names);
        QCOMPARE(texts(hall, &game::HallPlace::score), scores);
        QCOMPARE(hall.isVisible(), place >= 0);
        if (place < 0) {
            QVERIFY(game.dialogs.shown.empty());
            return;
        }
        QCOMPARE(game.dialogs.shown.size(), std::size_t(1));
        const ScriptedDialogs::Shown &box = game.dialogs.shown[0];
        QCOMPARE((QStringList{box.kind, box.title, box.text}),
                 (QStringList{"input", "Síň slávy", "Tvé skóre je hodno na zápis do síně slávy!"}));
        QString file;
        for (int k = 0; k < 5; ++k)
            file += names[k] + "\r\n" + scores[k] + "\r\n";
        QCOMPARE(game.read("data/hal.hal"), QStringEncoder("windows-1250").encode(file));
        hall.Label3_Click();
        game.window.mnSin_Click();
        QVERIFY(hall.isVisible());
        QCOMPARE(texts(hall, &game::HallPlace::name), names);
    }

    // Files loaded at start and saved at close: empty, short, and ten lines back byte for byte.
    void loadAndSave_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("scores");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("empty") << QByteArray() << initialNames << initialScores << initialFile;
        QTest::newRow("three lines") << QByteArray("Eva\r\n50\r\nPetr\r\n")
                                     << QStringList{"Eva", "Petr", "Hňup", "Vobyčejnej-kolik", "Nikdo"}
                                     << QStringList{"50", "800", "600", "400", "200"}
                                     << "Eva\r\n50\r\nPetr\r\n" + initialFile.sliced(initialFile.indexOf("800"));
        const QByteArray tenLines("P\xF8\xEDli\x9A \x9Elu\x9Dou\xE8k\xFD k\xF9\xF2\r\n1200\r\n\r\n-30\r\n"
                                  "\xCC\x8A\xC8\xD8\x8E\xDD\xC1\xCD\xC9\r\n 700\r\nOndra\r\nhodn\xEC\r\n"
                                  "\x8C\x8F\xA3\xA5\r\n007\r\n");
        QTest::newRow("ten lines") << tenLines
                                   << QStringList{"Příliš žluťoučký kůň", "", "ĚŠČŘŽÝÁÍÉ", "Ondra", "ŚŹŁĄ"}
                                   << QStringList{"1200", "-30", " 700", "hodně", "007"} << tenLines;
    }
    void loadAndSave()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, names);
        QFETCH(QStringList, scores);
        QFETCH(QByteArray, saved);
        GameFixture game;
        game.write("data/hal.hal", file);
        game.load();
        QCOMPARE(texts(*game.window.hallWindow(), &game::HallPlace::name), names);
        QCOMPARE(texts(*game.window.hallWindow(), &game::HallPlace::score), scores);
        QVERIFY(!game.window.hallWindow()->isVisible());
        game.window.close();
        QCOMPARE(game.read("data/hal.hal"), saved);
    }

    // A score text counts by the number it begins with; one of letters only counts as 0.
    void scoreText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("score");
        QTest::addColumn<bool>("taken");
        QTest::newRow("letters, 0") << "mnoho" << 0 << false;
        QTest::newRow("letters, 1") << "mnoho" << 1 << true;
        QTest::newRow("leading blanks, equal") << "  700" << 700 << false;
        QTest::newRow("leading blanks, above") << "  700" << 701 << true;
        QTest::newRow("number then letters") << "12 bodů" << 12 << false;
        QTest::newRow("negative") << "-30" << -29 << true;
    }
    void scoreText()
    {
        QFETCH(QString, text);
        QFETCH(int, score);
        QFETCH(bool, taken);
        GameFixture game;
        game.write("data/hal.hal", QStringEncoder("windows-1250").encode(QStringLiteral("Jméno\r\n%1\r\n").arg(text).repeated(5)));
        game.load();
        game.window.score = static_cast<std::int16_t>(score);
        game.window.hall_entry();
        QStringList expected(5, text);
        if (taken)
            expected[0] = QString::number(score);
        QCOMPARE(texts(*game.window.hallWindow(), &game::HallPlace::score), expected);
    }
};

QTEST_MAIN(TestHallOfFame)
#include "test_hall_of_fame.moc"
