// The data files byte for byte: level files, the level count, the saved game and the hall of fame.
#include "game/hall_file.h"
#include "game/saved_game.h"
#include "levelfile/level_count.h"
#include "levelfile/level_file.h"
#include "platform/files.h"

#include "row_compare.h"
#include "temp_program_folder.h"

#include <QRegularExpression>
#include <QTest>

using Blocks = std::vector<levelfile::Block>;

template<>
inline char *QTest::toString(const std::optional<std::int16_t> &count)
{
    return count ? toString(int(*count)) : qstrdup("none");
}

namespace {

const QStringList initialHall{"Super-kolik", "1000", "Amatér", "800", "Hňup", "600", "Vobyčejnej-kolik", "400", "Nikdo", "200"};
const QByteArray initialHallFile("Super-kolik\r\n1000\r\nAmat\xE9r\r\n800\r\nH\xF2up\r\n600\r\n"
                                 "Voby\xE8" "ejnej-kolik\r\n400\r\nNikdo\r\n200\r\n");

// The initial hall file from the first place where text stands.
QByteArray initialHallFrom(const char *text)
{
    return initialHallFile.mid(initialHallFile.indexOf(text));
}

QStringList texts(const game::HallTable &table)
{
    QStringList lines;
    for (const game::HallPlace &place : table)
        lines << place.name << place.score;
    return lines;
}

} // namespace

class TestFormats : public QObject
{
    Q_OBJECT

    TempProgramFolder folder;
    std::filesystem::path file(const char *name) const { return folder.path() / name; }

private slots:
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral(".*"))); }

    // The count (blocks + 1), then top and left of each block; a longer old file keeps its tail.
    void levelWritten()
    {
        for (const auto &[name, blocks, old, bytes] : std::initializer_list<std::tuple<const char *, Blocks, const char *, const char *>>{
                 {"no blocks", {}, "", "0100"},
                 {"two blocks", {{9, 18}, {27, 0}}, "", "0300 0900 1200 1B00 0000"},
                 {"16-bit extremes", {{-9, -32768}, {5, 32767}}, "", "0300 F7FF 0080 0500 FF7F"},
                 {"two over five", {{9, 18}, {27, 0}}, "0600 0000 0000 0900 0900 1200 1200 1B00 1B00 2400 2400",
                  "0300 0900 1200 1B00 0000 1200 1200 1B00 1B00 2400 2400"}}) {
            folder.write("out.lvl", QByteArray::fromHex(old));
            ROW_COMPARE(name, platform::writeFileStart(file("out.lvl"), QByteArray::fromStdString(levelfile::levelBytes(blocks))), true);
            ROW_COMPARE(name, folder.read("out.lvl"), QByteArray::fromHex(bytes));
        }
    }

    // count - 1 blocks, fewer where the data ends, every value as it stands; nothing from a folder or no file.
    void levelRead()
    {
        for (const auto &[name, hex, blocks] : std::initializer_list<std::tuple<const char *, const char *, Blocks>>{
                 {"one byte", "05", {}},
                 {"count -32768 before a record", "0080 0900 0900", {}},
                 {"32767 declared, 3 bytes of data", "FF7F 0900 12", {}},
                 {"32767 declared, a record and a half", "FF7F 0900 1200 1B00", {{9, 18}}},
                 {"3 declared, 5 held", "0300 0900 1200 1B00 2400 0100 0200", {{9, 18}, {27, 36}}},
                 {"odd values, a cell twice", "0500 F7FF 0500 2C01 0080 FF7F 0400 F7FF 0500",
                  {{-9, 5}, {300, -32768}, {32767, 4}, {-9, 5}}}}) {
            const QByteArray bytes = QByteArray::fromHex(hex);
            folder.write("in.lvl", bytes);
            ROW_COMPARE(name, levelfile::readLevel(file("in.lvl")), std::optional(blocks));
            ROW_COMPARE(name, levelfile::parseLevel(bytes.constData(), std::size_t(bytes.size())), blocks);
        }
        QCOMPARE(levelfile::readLevel(file("levels")), std::nullopt);
        QCOMPARE(levelfile::readLevel(file("missing.lvl")), std::nullopt);
    }

    // The first line's number, halves to even; 0 without a number; none beyond 16 bits, from a folder or no file.
    void levelCount()
    {
        for (const auto &[name, contents, count] : std::initializer_list<std::tuple<const char *, QByteArray, std::optional<std::int16_t>>>{
                 {"19, CR LF", "19\r\n7\r\n", 19},
                 {"blanks and a tab, +8", " \t+8", 8},
                 {"empty first line", "\r\n5\r\n", 0},
                 {"2.5 to even", "2.5", 2},
                 {"3.5 to even", "3.5", 4},
                 {"2.500001 up", "2.500001", 3},
                 {"2.6 up", "2.6", 3},
                 {"1e9", "1e9\r\n", 1},
                 {"binary", QByteArray("\x00\xFF" "7", 3), 0},
                 {"comma is no decimal point", "1,5", 1},
                 {"a dash ends the number", "7-8", 7},
                 {"3, then 10 MB", "3\r\n" + QByteArray(10'000'000, 'x'), 3},
                 {"10 MB of blanks, then 2", QByteArray(10'000'000, ' ') + "2", 2},
                 {"-32768", "-32768", -32768},
                 {"32767.4999", "32767.4999", 32767},
                 {"32767.5", "32767.5", std::nullopt},
                 {"-32768.51", "-32768.51", std::nullopt},
                 {"70 000 digits", QByteArray(70'000, '7'), std::nullopt}}) {
            folder.write("count.ini", contents);
            ROW_COMPARE(name, levelfile::readLevelCount(file("count.ini")), count);
            ROW_COMPARE(name, levelfile::parseLevelCount(contents.toStdString()), count);
        }
        QCOMPARE(levelfile::readLevelCount(file("levels")), std::nullopt);
        QCOMPARE(levelfile::readLevelCount(file("missing.ini")), std::nullopt);
    }

    // Lives, level index, score, length, interval: 16 bits each, low byte first; values no game reaches refused.
    void savedGame()
    {
        for (const auto &[name, hex, fields] : std::initializer_list<std::tuple<const char *, const char *, QList<int>>>{
                 {"low byte first", "0300 0100 7800 0600 2C01", {3, 1, 120, 6, 300}},
                 {"the least of each", "0100 0000 0080 0100 0100", {1, 0, -32768, 1, 1}},
                 {"the most of each", "FF7F FF7F FF7F 8403 FF7F", {32767, 32767, 32767, 900, 32767}},
                 {"bytes after the tenth", "0300 0100 7800 0600 C800 7461696C", {3, 1, 120, 6, 200}},
                 {"interval 00 C8 is negative", "0300 0100 7800 0600 00C8", {}},
                 {"interval 0", "0300 0100 7800 0600 0000", {}},
                 {"no lives", "0000 0100 7800 0600 C800", {}},
                 {"level -1", "0300 FFFF 7800 0600 C800", {}},
                 {"length 0", "0300 0100 7800 0000 C800", {}},
                 {"length 901", "0300 0100 7800 8503 C800", {}},
                 {"9 bytes", "0300 0100 7800 0600 C8", {}}}) {
            const QByteArray bytes = QByteArray::fromHex(hex);
            const auto read = game::SavedGame::fromBytes(bytes);
            ROW_COMPARE(name, read.has_value(), !fields.isEmpty());
            if (!read)
                continue;
            ROW_COMPARE(name, (QList<int>{read->lives, read->level, read->score, read->length, read->rychlost}), fields);
            ROW_COMPARE(name, read->bytes(), bytes.first(10));
        }
    }

    // Names and scores a line each, any line end, ten lines at most; written as CR LF Windows-1250.
    void hallFile()
    {
        const QByteArray ten("P\xF8\xEDli\x9A \x9Elu\x9Dou\xE8k\xFD k\xF9\xF2\r\n1200\r\n\r\n-30\r\n"
                             "\xCC\x8A\xC8\xD8\x8E\xDD\xC1\xCD\xC9\r\n 700\r\nOndra\r\nhodn\xEC\r\n\x8C\x8F\xA3\xA5\r\n007\r\n");
        const QStringList tenRead{"Příliš žluťoučký kůň", "1200", "", "-30", "ĚŠČŘŽÝÁÍÉ", " 700", "Ondra", "hodně", "ŚŹŁĄ", "007"};
        const QByteArray odd("\x00\x81\x83\x88\x90\x98\xFF\r\n1\r\n", 12);
        const QString oddName = QString::fromUtf8("\0\xC2\x81\xC2\x83\xC2\x88\xC2\x90\xC2\x98\xCB\x99", 13);
        for (const auto &[name, bytes, read, written] : std::initializer_list<std::tuple<const char *, QByteArray, QStringList, QByteArray>>{
                 {"empty: the initial table", "", {}, initialHallFile},
                 {"three lines", "Eva\r\n50\r\nPetr\r\n", {"Eva", "50", "Petr"}, "Eva\r\n50\r\nPetr\r\n" + initialHallFrom("800")},
                 {"ten lines, every Czech letter", ten, tenRead, ten},
                 {"lines past the tenth", ten + "Navic\r\n50\r\n", tenRead, ten},
                 {"no end after the last line", ten.chopped(2), tenRead, ten},
                 {"lone CR and LF", "A\rB\nC\r\n", {"A", "B", "C"}, "A\r\nB\r\nC\r\n" + initialHallFrom("800")},
                 {"NUL and bytes the code page leaves out", odd + initialHallFrom("Amat"), {oddName, "1"}, odd + initialHallFrom("Amat")}}) {
            game::HallTable table = game::hall_file::initialTable();
            game::hall_file::apply(bytes, table);
            ROW_COMPARE(name, texts(table), read + initialHall.mid(read.size()));
            ROW_COMPARE(name, game::hall_file::bytes(table), written);
        }
    }

    // A score's number by the level count's grammar, as the exact double of its digits; 0 without one.
    void scoreNumber()
    {
        for (const auto &[text, number] : std::initializer_list<std::pair<const char *, double>>{
                 {" \t+8", 8}, {"-30", -30}, {"2.5", 2.5}, {"-.25x", -0.25}, {"7.", 7}, {"1e9", 1}, {"1,5", 1}, {"7-8", 7},
                 {"12日", 12}, {"", 0}, {"mnoho", 0}, {"-.", 0}, {"+", 0}, {"\u00A012", 0}}) {
            ROW_COMPARE(text, game::hall_file::leadingNumber(QString::fromUtf8(text)), number);
        }
    }

    // A typed name loses its line breaks and keeps each character the file cannot hold as one "?".
    void storableName()
    {
        QCOMPARE(game::hall_file::storableName(QStringLiteral("Řehoř 日本\r\n😀 Zoë 😀")), QStringLiteral("Řehoř ??? Zoë ?"));
    }
};

QTEST_MAIN(TestFormats)
#include "test_formats.moc"
