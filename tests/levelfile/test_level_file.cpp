// Level files: the exact bytes written, and what is read from short, long,
// odd and missing files.
#include "levelfile/level_file.h"

#include "temp_program_folder.h"

#include <QTest>

#include <initializer_list>

using levelfile::Block;
using Blocks = std::vector<Block>;

Q_DECLARE_METATYPE(Blocks)

namespace levelfile {

// Shows blocks as "(top, left)" pairs when a comparison fails.
char *toString(const std::vector<Block> &blocks)
{
    QByteArray shown = "blocks:";
    for (const Block &block : blocks)
        shown += " (" + QByteArray::number(block.top) + ", " + QByteArray::number(block.left) + ")";
    return qstrdup(shown.constData());
}

char *toString(const std::optional<std::vector<Block>> &blocks)
{
    return blocks ? toString(*blocks) : qstrdup("no level");
}

} // namespace levelfile

namespace {

// The bytes of 16-bit values, least significant byte first.
QByteArray int16s(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (int value : values) {
        bytes += static_cast<char>(value & 0xFF);
        bytes += static_cast<char>((value >> 8) & 0xFF);
    }
    return bytes;
}

} // namespace

class TestLevelFile : public QObject
{
    Q_OBJECT

private slots:
    void writesExactBytes_data();
    void writesExactBytes();
    void writingOverLongerFileKeepsItsTail();
    void reads_data();
    void reads();
    void roundTrips_data();
    void roundTrips();
    void missingFileAndFolderReadAsNothing();
    void unwritableLocationFails();

private:
    TempProgramFolder folder;
    std::filesystem::path level(const char *name) const { return folder.path() / "levels" / name; }
};

void TestLevelFile::writesExactBytes_data()
{
    QTest::addColumn<Blocks>("blocks");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("no blocks") << Blocks{} << QByteArray::fromHex("0100");
    QTest::newRow("two blocks") << Blocks{{9, 18}, {27, 0}} << QByteArray::fromHex("0300090012001B000000");
    QTest::newRow("negative") << Blocks{{-9, -32768}} << QByteArray::fromHex("0200F7FF0080");
}

// A fresh file holds the count (blocks + 1), then top before left of each block.
void TestLevelFile::writesExactBytes()
{
    QFETCH(Blocks, blocks);
    QFETCH(QByteArray, bytes);
    const auto file = level("fresh.lvl");
    std::filesystem::remove(file);
    QVERIFY(levelfile::writeLevel(file, blocks));
    QCOMPARE(QByteArray::fromStdString(folder.read(file)), bytes);
}

// Saving 2 blocks over 5 overwrites the first 10 bytes in place and leaves the
// old tail, which readers never reach.
void TestLevelFile::writingOverLongerFileKeepsItsTail()
{
    const auto file = level("over.lvl");
    const Blocks five{{0, 0}, {9, 9}, {18, 18}, {27, 27}, {36, 36}};
    QVERIFY(levelfile::writeLevel(file, five));
    const QByteArray old = QByteArray::fromStdString(folder.read(file));
    QCOMPARE(old.size(), 22);

    const Blocks two{{9, 18}, {27, 0}};
    QVERIFY(levelfile::writeLevel(file, two));
    const QByteArray now = QByteArray::fromStdString(folder.read(file));
    QCOMPARE(now.size(), 22);
    QCOMPARE(now.first(10), QByteArray::fromHex("0300090012001B000000"));
    QCOMPARE(now.sliced(10), old.sliced(10));
    QCOMPARE(levelfile::readLevel(file), std::optional(two));
}

void TestLevelFile::reads_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Blocks>("blocks");
    QTest::newRow("empty file") << QByteArray() << Blocks{};
    QTest::newRow("one byte") << QByteArray::fromHex("05") << Blocks{};
    QTest::newRow("count 1") << int16s({1}) << Blocks{};
    QTest::newRow("count 0 with a record") << int16s({0, 9, 9}) << Blocks{};
    QTest::newRow("count -1 with a record") << int16s({-1, 9, 9}) << Blocks{};
    QTest::newRow("count -32768 with a record") << int16s({-32768, 9, 9}) << Blocks{};
    QTest::newRow("count 32767, 3 bytes of data") << int16s({32767}) + QByteArray::fromHex("090012") << Blocks{};
    QTest::newRow("count 4, one and a half records") << int16s({4, 9, 18, 27}) << Blocks{{9, 18}};
    QTest::newRow("count 3, one record") << int16s({3, 45, 90}) << Blocks{{45, 90}};
    QTest::newRow("trailing data") << int16s({2, 9, 18, 27, 36, 45}) << Blocks{{9, 18}};
    QTest::newRow("odd values unchanged")
        << int16s({5, -9, 5, 300, -32768, 32767, 4, 9, 9})
        << Blocks{{-9, 5}, {300, -32768}, {32767, 4}, {9, 9}};
    QTest::newRow("same cell twice") << int16s({3, 18, 27, 18, 27}) << Blocks{{18, 27}, {18, 27}};
}

// Readers create count - 1 blocks, stop where the data ends, and take every
// value as it stands; the file reader and the byte parser agree.
void TestLevelFile::reads()
{
    QFETCH(QByteArray, bytes);
    QFETCH(Blocks, blocks);
    const auto file = level("read.lvl");
    folder.write(file, bytes.toStdString());
    QCOMPARE(levelfile::readLevel(file), std::optional(blocks));
    QCOMPARE(levelfile::parseLevel(bytes.constData(), static_cast<std::size_t>(bytes.size())), blocks);
}

void TestLevelFile::roundTrips_data()
{
    QTest::addColumn<Blocks>("blocks");
    QTest::newRow("grid") << Blocks{{0, 0}, {261, 261}, {9, 252}};
    QTest::newRow("negative") << Blocks{{-9, -18}, {-1, 0}, {0, -32768}};
    QTest::newRow("off grid and far") << Blocks{{5, 13}, {32767, 270}};
}

// What is written reads back the same, in the same order.
void TestLevelFile::roundTrips()
{
    QFETCH(Blocks, blocks);
    const auto file = level("round.lvl");
    std::filesystem::remove(file);
    QVERIFY(levelfile::writeLevel(file, blocks));
    QCOMPARE(levelfile::readLevel(file), std::optional(blocks));
}

// A file that cannot be opened as a file gives no level at all.
void TestLevelFile::missingFileAndFolderReadAsNothing()
{
    QVERIFY(!levelfile::readLevel(level("missing.lvl")));
    QVERIFY(!levelfile::readLevel(folder.path() / "levels"));
}

// Writing reports failure where no file can be written.
void TestLevelFile::unwritableLocationFails()
{
    QVERIFY(!levelfile::writeLevel(folder.path() / "no such folder" / "x.lvl", {{9, 9}}));
    QVERIFY(!levelfile::writeLevel(folder.path() / "levels", {{9, 9}}));
    QVERIFY(std::filesystem::is_directory(folder.path() / "levels"));
}

QTEST_MAIN(TestLevelFile)
#include "test_level_file.moc"
