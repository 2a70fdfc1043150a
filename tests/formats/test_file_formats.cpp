// Every file format as one table: level files, the level count, the saved game, the hall file.
#include "game/hall_file.h"
#include "game/saved_game.h"
#include "levelfile/level_count.h"
#include "levelfile/level_file.h"

#include "temp_program_folder.h"

#include <QTest>

using Blocks = std::vector<levelfile::Block>;
Q_DECLARE_METATYPE(Blocks)
Q_DECLARE_METATYPE(game::HallTable)

namespace {

// The characters of bytes 0x80 to 0xFF; "?" where the code page defines none.
const QString upperHalf = QString::fromUtf16(u"€?‚?„…†‡?‰Š‹ŚŤŽŹ?‘’“”•–—?™š›śťžź"
                                             u"\u00A0ˇ˘Ł¤Ą¦§¨©Ş«¬\u00AD®Ż°±˛ł´µ¶·¸ąş»Ľ˝ľż"
                                             u"ŔÁÂĂÄĹĆÇČÉĘËĚÍÎĎĐŃŇÓÔŐÖ×ŘŮÚŰÜÝŢß"
                                             u"ŕáâăäĺćçčéęëěíîďđńňóôőö÷řůúűüýţ˙");

// The initial table with its first lines replaced by texts.
game::HallTable table(const QStringList &texts)
{
    game::HallTable table = game::hall_file::initialTable();
    for (qsizetype k = 0; k < texts.size(); ++k)
        (k % 2 ? table[std::size_t(k / 2)].score : table[std::size_t(k / 2)].name) = texts[k];
    return table;
}

} // namespace

class TestFileFormats : public QObject
{
    Q_OBJECT

    TempProgramFolder folder;
    std::filesystem::path file(const char *name) const { return folder.path() / name; }

private slots:
    // The count (blocks + 1), then top and left of each block; a longer old file keeps its tail.
    void levelWritten_data()
    {
        QTest::addColumn<Blocks>("blocks");
        QTest::addColumn<QByteArray>("old");
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray five = int16s({6, 0, 0, 9, 9, 18, 18, 27, 27, 36, 36});
        const Blocks two{{9, 18}, {27, 0}};
        const QByteArray twoBytes = QByteArray::fromHex("0300090012001B000000");
        QTest::newRow("no blocks") << Blocks{} << QByteArray() << QByteArray::fromHex("0100");
        QTest::newRow("two blocks") << two << QByteArray() << twoBytes;
        QTest::newRow("16-bit extremes") << Blocks{{-9, -32768}, {5, 32767}} << QByteArray()
                                         << QByteArray::fromHex("0300F7FF00800500FF7F");
        QTest::newRow("two over five") << two << five << twoBytes + five.mid(10);
    }
    void levelWritten()
    {
        QFETCH(Blocks, blocks);
        QFETCH(QByteArray, old);
        folder.write("out.lvl", old);
        QVERIFY(levelfile::writeLevel(file("out.lvl"), blocks));
        QTEST(folder.read("out.lvl"), "bytes");
        QCOMPARE(levelfile::readLevel(file("out.lvl")), std::optional(blocks));
    }

    // count - 1 blocks, fewer where the data ends, every value as it stands.
    void levelRead_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Blocks>("blocks");
        QTest::newRow("one byte") << QByteArray("\x05") << Blocks{};
        QTest::newRow("count -32768 before a record") << int16s({-32768, 9, 9}) << Blocks{};
        QTest::newRow("32767 declared, 3 bytes of data") << int16s({32767}) + QByteArray("\x09\x00\x12", 3)
                                                         << Blocks{};
        QTest::newRow("32767 declared, a record and a half") << int16s({32767, 9, 18, 27}) << Blocks{{9, 18}};
        QTest::newRow("3 declared, 5 held") << int16s({3, 9, 18, 27, 36, 1, 2}) << Blocks{{9, 18}, {27, 36}};
        QTest::newRow("odd values, a cell twice") << int16s({5, -9, 5, 300, -32768, 32767, 4, -9, 5})
                                                  << Blocks{{-9, 5}, {300, -32768}, {32767, 4}, {-9, 5}};
    }
    void levelRead()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(Blocks, blocks);
        folder.write("in.lvl", bytes);
        QCOMPARE(levelfile::readLevel(file("in.lvl")), std::optional(blocks));
        QCOMPARE(levelfile::parseLevel(bytes.constData(), std::size_t(bytes.size())), blocks);
    }

    // The first line's number, halves to even; 0 without a number; -1 here: beyond 16 bits.
    void levelCount_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<int>("count");
        QTest::newRow("19, CR LF") << QByteArray("19\r\n7\r\n") << 19;
        QTest::newRow("blanks and a tab, +8") << QByteArray(" \t+8") << 8;
        QTest::newRow("empty first line") << QByteArray("\r\n5\r\n") << 0;
        QTest::newRow("2.5 to even") << QByteArray("2.5") << 2;
        QTest::newRow("3.5 to even") << QByteArray("3.5") << 4;
        QTest::newRow("2.500001 up") << QByteArray("2.500001") << 3;
        QTest::newRow("1e9") << QByteArray("1e9\r\n") << 1;
        QTest::newRow("NaN") << QByteArray("NaN") << 0;
        QTest::newRow("binary") << QByteArray("\x00\xFF" "7", 3) << 0;
        QTest::newRow("comma is no decimal point") << QByteArray("1,5") << 1;
        QTest::newRow("3, then 10 MB") << "3\r\n" + QByteArray(10'000'000, 'x') << 3;
        QTest::newRow("10 MB of blanks, then 2") << QByteArray(10'000'000, ' ') + "2" << 2;
        QTest::newRow("-32768") << QByteArray("-32768") << -32768;
        QTest::newRow("32768") << QByteArray("32768") << -1;
        QTest::newRow("32767.5") << QByteArray("32767.5") << -1;
        QTest::newRow("-32768.51") << QByteArray("-32768.51") << -1;
        QTest::newRow("70 000 digits") << QByteArray(70'000, '7') << -1;
    }
    void levelCount()
    {
        QFETCH(QByteArray, contents);
        folder.write("levels.ini", contents);
        QTEST(int(levelfile::readLevelCount(file("levels.ini")).value_or(-1)), "count");
    }

    // Five 16-bit fields in ten bytes or more, values a game can reach, or refused (no fields).
    void savedGame_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QList<int>>("fields");
        QTest::newRow("low byte first") << QByteArray::fromHex("03000100780006002C01") << QList<int>{3, 1, 120, 6, 300};
        QTest::newRow("interval 00 C8 is negative") << QByteArray::fromHex("030001007800060000C8") << QList<int>{};
        QTest::newRow("bytes after the tenth") << int16s({3, 1, 120, 6, 200}) + "tail" << QList<int>{3, 1, 120, 6, 200};
        QTest::newRow("a snake on every cell") << int16s({2, 1, -5, 900, 1}) << QList<int>{2, 1, -5, 900, 1};
        QTest::newRow("length 1, 32767 lives") << int16s({32767, 0, 0, 1, 32767}) << QList<int>{32767, 0, 0, 1, 32767};
        for (const auto &[name, values] : std::initializer_list<std::pair<const char *, QList<int>>>{
                 {"length 0", {3, 1, 120, 0, 200}}, {"length 901", {3, 1, 120, 901, 200}},
                 {"no lives", {0, 1, 120, 6, 200}}, {"level -1", {3, -1, 120, 6, 200}},
                 {"interval 0", {3, 1, 120, 6, 0}}})
            QTest::newRow(name) << int16s(values) << QList<int>{};
        QTest::newRow("9 bytes") << int16s({3, 1, 120, 6, 200}).first(9) << QList<int>{};
    }
    void savedGame()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QList<int>, fields);
        const auto read = game::SavedGame::fromBytes(bytes);
        QCOMPARE(read.has_value(), !fields.isEmpty());
        if (!read)
            return;
        QCOMPARE((QList<int>{read->lives, read->level, read->score, read->length, read->rychlost}), fields);
        QCOMPARE(read->bytes(), bytes.first(10));
    }

    // Names and scores a line each, any line end, ten lines at most; written as CR LF Windows-1250.
    void hallFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<game::HallTable>("read");
        QTest::addColumn<QByteArray>("written");
        const QByteArray initial("Super-kolik\r\n1000\r\nAmat\xE9r\r\n800\r\nH\xF2up\r\n600\r\n"
                                 "Voby\xE8" "ejnej-kolik\r\n400\r\nNikdo\r\n200\r\n");
        const auto from = [&](const char *text) { return initial.mid(initial.indexOf(text)); };
        const QByteArray ten("P\xF8\xEDli\x9A \x9Elu\x9Dou\xE8k\xFD k\xF9\xF2\r\n1200\r\n\r\n-30\r\n"
                             "\xCC\x8A\xC8\xD8\x8E\xDD\xC1\xCD\xC9\r\n 700\r\nOndra\r\nhodn\xEC\r\n"
                             "\x8C\x8F\xA3\xA5\r\n007\r\n");
        const game::HallTable tenRead =
            table({"Příliš žluťoučký kůň", "1200", "", "-30", "ĚŠČŘŽÝÁÍÉ", " 700", "Ondra", "hodně", "ŚŹŁĄ", "007"});
        QTest::newRow("empty: the initial table") << QByteArray() << table({}) << initial;
        QTest::newRow("three lines") << QByteArray("Eva\r\n50\r\nPetr\r\n") << table({"Eva", "50", "Petr"})
                                     << "Eva\r\n50\r\nPetr\r\n" + from("800");
        QTest::newRow("ten lines, every Czech letter") << ten << tenRead << ten;
        QTest::newRow("lines past the tenth") << ten + "Navic\r\n50\r\n" << tenRead << ten;
        QTest::newRow("no end after the last line") << ten.chopped(2) << tenRead << ten;
        QTest::newRow("lone CR and LF") << QByteArray("A\rB\nC\r\n") << table({"A", "B", "C"})
                                        << "A\r\nB\r\nC\r\n" + from("800");
        const QByteArray odd("\x00\x81\x83\x88\x90\x98\xFF\r\n1\r\n", 12);
        const QString oddName = QString::fromUtf8("\0\xC2\x81\xC2\x83\xC2\x88\xC2\x90\xC2\x98\xCB\x99", 13);
        QTest::newRow("NUL and bytes the code page leaves out") << odd + from("Amat") << table({oddName, "1"})
                                                                << odd + from("Amat");
    }
    void hallFile()
    {
        QFETCH(QByteArray, bytes);
        game::HallTable table = game::hall_file::initialTable();
        game::hall_file::apply(bytes, table);
        QTEST(table, "read");
        QTEST(game::hall_file::bytes(table), "written");
    }

    // Each byte of the code page stands for its character both ways; others become one "?".
    void codePage()
    {
        QByteArray bytes;
        QString text;
        for (int byte = 0x20; byte <= 0xFF; ++byte) {
            const QChar character = byte < 0x80 ? QChar(byte) : upperHalf.at(byte - 0x80);
            if (character != u'?' || byte == '?') {
                bytes += char(byte);
                text += character;
            }
        }
        const auto firstLine = [](const QString &name) {
            game::HallTable table;
            table[0].name = name;
            return game::hall_file::bytes(table).split('\r').first();
        };
        QCOMPARE(firstLine(text), bytes);
        game::HallTable read;
        game::hall_file::apply(bytes, read);
        QCOMPARE(read[0].name, text);
        QCOMPARE(firstLine(QStringLiteral("Jan中ł😀ß€ñ\xD83D\xE4")), QByteArray("Jan?\xB3?\xDF\x80??\xE4"));
    }
};

QTEST_MAIN(TestFileFormats)
#include "test_file_formats.moc"
