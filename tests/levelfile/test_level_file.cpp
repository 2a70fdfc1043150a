// Level files and the level count: the exact bytes written, what is read from
// short, long and odd files, and the first line of levels.ini as a number.
#include "levelfile/level_count.h"
#include "levelfile/level_file.h"

#include "int16_bytes.h"
#include "temp_program_folder.h"

#include <QTest>

using levelfile::Block;
using Blocks = std::vector<Block>;

Q_DECLARE_METATYPE(Blocks)

class TestLevelFile : public QObject
{
    Q_OBJECT

    TempProgramFolder folder;
    std::filesystem::path level(const char *name) const { return folder.path() / "levels" / name; }

private slots:
    // A fresh file holds the count (blocks + 1), then top before left of each
    // block, and reads back the same blocks in the same order.
    void writes_data()
    {
        QTest::addColumn<Blocks>("blocks");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("no blocks") << Blocks{} << QByteArray::fromHex("0100");
        QTest::newRow("two blocks") << Blocks{{9, 18}, {27, 0}} << QByteArray::fromHex("0300090012001B000000");
        QTest::newRow("negative, off grid") << Blocks{{-9, -32768}, {5, 32767}} << QByteArray::fromHex("0300F7FF00800500FF7F");
    }
    void writes()
    {
        QFETCH(Blocks, blocks);
        QFETCH(QByteArray, bytes);
        const auto file = level(QTest::currentDataTag());
        QVERIFY(levelfile::writeLevel(file, blocks));
        QCOMPARE(QByteArray::fromStdString(folder.read(file)), bytes);
        QCOMPARE(levelfile::readLevel(file), std::optional(blocks));
    }

    // Saving 2 blocks over 5 rewrites the first 10 of the 22 bytes in place;
    // the old tail stays and is never read.
    void writesOverLongerFileInPlace()
    {
        const auto file = level("over.lvl");
        const std::string old = int16s({6, 0, 0, 9, 9, 18, 18, 27, 27, 36, 36});
        folder.write(file, old);
        const Blocks two{{9, 18}, {27, 0}};
        QVERIFY(levelfile::writeLevel(file, two));
        QCOMPARE(QByteArray::fromStdString(folder.read(file)),
                 QByteArray::fromHex("0300090012001B000000") + QByteArray::fromStdString(old.substr(10)));
        QCOMPARE(levelfile::readLevel(file), std::optional(two));
    }

    // Readers create count - 1 blocks, stop where the data ends and take every
    // value unchanged; the file reader and the byte parser agree.
    void reads_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Blocks>("blocks");
        const auto row = [](const char *name, const std::string &bytes, const Blocks &blocks) {
            QTest::newRow(name) << QByteArray::fromStdString(bytes) << blocks;
        };
        row("empty file", "", {});
        row("one byte", "\x05", {});
        row("count 1", int16s({1}), {});
        row("count 0 before a record", int16s({0, 9, 9}), {});
        row("count -32768 before a record", int16s({-32768, 9, 9}), {});
        row("count 32767, 3 bytes of data", int16s({32767}) + std::string("\x09\x00\x12", 3), {});
        row("count 4, one and a half records", int16s({4, 9, 18, 27}), {{9, 18}});
        row("data past the count", int16s({2, 9, 18, 27, 36}), {{9, 18}});
        row("odd values, a cell twice", int16s({5, -9, 5, 300, -32768, 32767, 4, -9, 5}),
            {{-9, 5}, {300, -32768}, {32767, 4}, {-9, 5}});
    }
    void reads()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(Blocks, blocks);
        folder.write(level("read.lvl"), bytes.toStdString());
        QCOMPARE(levelfile::readLevel(level("read.lvl")), std::optional(blocks));
        QCOMPARE(levelfile::parseLevel(bytes.constData(), std::size_t(bytes.size())), blocks);
    }

    // The first line only: blanks skipped, halves to even, the rest ignored,
    // 0 without a number, no count beyond 16 bits (-1 in the table).
    void readsLevelCount_data()
    {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<int>("count");
        QTest::newRow("3, CR LF") << QByteArray("3\r\n7\r\n") << 3;
        QTest::newRow("3, LF") << QByteArray("3\n7\n") << 3;
        QTest::newRow("empty first line") << QByteArray("\r\n5\r\n") << 0;
        QTest::newRow("2.5 to even") << QByteArray("2.5") << 2;
        QTest::newRow("3.5 to even") << QByteArray("3.5") << 4;
        QTest::newRow("2.500001 up") << QByteArray("2.500001") << 3;
        QTest::newRow("-2.5 to even") << QByteArray("-2.5") << -2;
        QTest::newRow("4 words") << QByteArray("4 words\r\n") << 4;
        QTest::newRow("blanks and a tab first") << QByteArray(" \t7") << 7;
        QTest::newRow("not a number") << QByteArray("abc") << 0;
        QTest::newRow("comma is no decimal point") << QByteArray("1,5") << 1;
        QTest::newRow("32768") << QByteArray("32768") << -1;
        QTest::newRow("32767.5 rounds out") << QByteArray("32767.5") << -1;
        QTest::newRow("-32768") << QByteArray("-32768") << -32768;
    }
    void readsLevelCount()
    {
        QFETCH(QByteArray, contents);
        QFETCH(int, count);
        const auto file = level("levels.ini");
        folder.write(file, contents.toStdString());
        QCOMPARE(levelfile::readLevelCount(file).value_or(-1), count);
    }
};

QTEST_MAIN(TestLevelFile)
#include "test_level_file.moc"
