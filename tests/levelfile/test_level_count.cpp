// The level count: converting the first line of the count file to a number.
#include "levelfile/level_count.h"

#include "temp_program_folder.h"

#include <QElapsedTimer>
#include <QTest>

#include <string>

namespace {

constexpr int doesNotFit = 1 << 20; // stands for nullopt in the tables

int counted(std::optional<std::int16_t> count)
{
    return count ? *count : doesNotFit;
}

} // namespace

class TestLevelCount : public QObject
{
    Q_OBJECT

private slots:
    void parsesLine_data();
    void parsesLine();
    void readsFirstLineOnly_data();
    void readsFirstLineOnly();
    void missingFileOrFolderHasNoCount();
    void hugeFileIsReadQuickly();

private:
    TempProgramFolder folder;
};

void TestLevelCount::parsesLine_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("count");
    QTest::newRow("3") << QByteArray("3") << 3;
    QTest::newRow("2.5 to even") << QByteArray("2.5") << 2;
    QTest::newRow("3.5 to even") << QByteArray("3.5") << 4;
    QTest::newRow("0.5 to even") << QByteArray("0.5") << 0;
    QTest::newRow("1.5 to even") << QByteArray("1.5") << 2;
    QTest::newRow("2.51 up") << QByteArray("2.51") << 3;
    QTest::newRow("2.500001 up") << QByteArray("2.500001") << 3;
    QTest::newRow("2.49 down") << QByteArray("2.49") << 2;
    QTest::newRow("-2.5 to even") << QByteArray("-2.5") << -2;
    QTest::newRow("-3.5 to even") << QByteArray("-3.5") << -4;
    QTest::newRow("-5") << QByteArray("-5") << -5;
    QTest::newRow("+4") << QByteArray("+4") << 4;
    QTest::newRow("4 words") << QByteArray("4 words") << 4;
    QTest::newRow("leading blanks") << QByteArray("  7") << 7;
    QTest::newRow("leading tab") << QByteArray("\t7") << 7;
    QTest::newRow("trailing blanks") << QByteArray("12  ") << 12;
    QTest::newRow("abc") << QByteArray("abc") << 0;
    QTest::newRow("empty") << QByteArray("") << 0;
    QTest::newRow("NaN") << QByteArray("NaN") << 0;
    QTest::newRow("comma is no decimal point") << QByteArray("1,5") << 1;
    QTest::newRow("exponent ignored") << QByteArray("1e9") << 1;
    QTest::newRow("32767") << QByteArray("32767") << 32767;
    QTest::newRow("32768") << QByteArray("32768") << doesNotFit;
    QTest::newRow("32766.5 to even") << QByteArray("32766.5") << 32766;
    QTest::newRow("32767.5 rounds out") << QByteArray("32767.5") << doesNotFit;
    QTest::newRow("-32768") << QByteArray("-32768") << -32768;
    QTest::newRow("-32769") << QByteArray("-32769") << doesNotFit;
    QTest::newRow("70000 nines") << QByteArray(70000, '9') << doesNotFit;
    QTest::newRow("70000 zeros then 3") << QByteArray(70000, '0') + '3' << 3;
}

// The number at the start of the line, halves to even; 0 without a number,
// nothing when it does not fit in 16 bits.
void TestLevelCount::parsesLine()
{
    QFETCH(QByteArray, line);
    QFETCH(int, count);
    QCOMPARE(counted(levelfile::parseLevelCount(line.toStdString())), count);
}

void TestLevelCount::readsFirstLineOnly_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<int>("count");
    QTest::newRow("CR LF") << QByteArray("3\r\n7\r\n") << 3;
    QTest::newRow("LF") << QByteArray("3\n7\n") << 3;
    QTest::newRow("no line end") << QByteArray("3") << 3;
    QTest::newRow("digits on the next line") << QByteArray("3\r\n99") << 3;
    QTest::newRow("empty first line") << QByteArray("\r\n5\r\n") << 0;
    QTest::newRow("words then number") << QByteArray("levels\r\n5\r\n") << 0;
    QTest::newRow("rounded") << QByteArray("2.5 levels\r\n") << 2;
    QTest::newRow("long first line") << QByteArray(70000, '0') + "3\r\n" << 3;
    QTest::newRow("too large") << QByteArray("40000\r\n") << doesNotFit;
}

// Only the first line counts, whichever line end follows it.
void TestLevelCount::readsFirstLineOnly()
{
    QFETCH(QByteArray, contents);
    QFETCH(int, count);
    folder.write("levels/levels.ini", contents.toStdString());
    QCOMPARE(counted(levelfile::readLevelCount(folder.path() / "levels" / "levels.ini")), count);
}

// A count file that cannot be read gives no count at all, not 0.
void TestLevelCount::missingFileOrFolderHasNoCount()
{
    QVERIFY(!levelfile::readLevelCount(folder.path() / "levels" / "missing.ini"));
    QVERIFY(!levelfile::readLevelCount(folder.path() / "levels"));
}

// A count file of 10 MB is not read past its first line.
void TestLevelCount::hugeFileIsReadQuickly()
{
    folder.write("levels/levels.ini", "5\r\n" + std::string(10'000'000, '7'));
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(counted(levelfile::readLevelCount(folder.path() / "levels" / "levels.ini")), 5);
    QVERIFY2(clock.elapsed() < 1000, "reading took too long");
}

QTEST_MAIN(TestLevelCount)
#include "test_level_count.moc"
