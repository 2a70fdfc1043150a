// The shipped levels: each level file holds the walls of its text map, and
// each level can be played from the snake's start.
#include "game/form1.h"
#include "levelfile/level_file.h"

#include "scripted_dialogs.h"
#include "scripted_random.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QtEndian>

namespace {

constexpr int side = 30;
constexpr int cellSize = 9;
constexpr int line = side + 1; // a row of a map and its newline
constexpr int field = side * cellSize;
constexpr int foodCells = 28; // food lands on the columns and rows 1 to 28

const QDir maps(QStringLiteral(LEVEL_MAPS_FOLDER));

QByteArray contents(const QString &file)
{
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

// The walls as a text map draws them: '#' a wall, '.' a free cell, one line
// a row. Blocks off the grid are left out.
QByteArray mapOf(const std::vector<levelfile::Block> &blocks)
{
    QByteArray map = (QByteArray(side, '.') + '\n').repeated(side);
    for (const auto &[top, left] : blocks) {
        if (top % cellSize == 0 && left % cellSize == 0 && top >= 0 && left >= 0 && top < field && left < field)
            map[top / cellSize * line + left / cellSize] = '#';
    }
    return map;
}

// Marks 'o' each free cell of the map that the snake can reach from cell.
void flood(QByteArray &map, int cell)
{
    if (cell < 0 || cell >= map.size() || map[cell] != '.')
        return;
    map[cell] = 'o';
    for (const int next : {cell - 1, cell + 1, cell - line, cell + line})
        flood(map, next);
}

int mapCount()
{
    return static_cast<int>(maps.entryList({QStringLiteral("level*.txt")}, QDir::Files).size());
}

} // namespace

class TestShippedLevels : public QObject
{
    Q_OBJECT

private slots:
    // levels.ini names the number of maps, level0 to levelN-1, at least eight.
    void levelCount()
    {
        for (int index = 0; index < mapCount(); ++index)
            QVERIFY(maps.exists(QStringLiteral("level%1.txt").arg(index)));
        QVERIFY(mapCount() >= 8);
        QCOMPARE(contents(QStringLiteral(PROGRAM_FOLDER "/levels/levels.ini")),
                 QByteArray::number(mapCount()) + "\r\n");
    }

    void shippedLevel_data()
    {
        QTest::addColumn<int>("index");
        for (int index = 0; index < mapCount(); ++index)
            QTest::newRow(qPrintable(QStringLiteral("level%1").arg(index))) << index;
    }
    // The file holds exactly the walls of its map, one block a wall on the
    // grid (a count of blocks + 1, then 4 bytes a block); the start cell
    // (261, 261) and the ten above it are free; every free cell can be reached
    // from the start, and at least half are free; the game's own setup, given
    // every pair of random coordinates, leaves no food item on a wall.
    void shippedLevel()
    {
        QFETCH(int, index);
        const QByteArray file = contents(QStringLiteral(PROGRAM_FOLDER "/levels/level%1.lvl").arg(index));
        const std::vector<levelfile::Block> blocks = levelfile::parseLevel(file.constData(), std::size_t(file.size()));
        QVERIFY(file.size() >= 2);
        QCOMPARE(std::size_t{qFromLittleEndian<quint16>(file.constData())}, blocks.size() + 1);
        QCOMPARE(file.size(), 2 + 4 * static_cast<qsizetype>(blocks.size()));
        const QByteArray map = mapOf(blocks);
        QCOMPARE(map.count('#'), static_cast<qsizetype>(blocks.size()));
        QCOMPARE(map, contents(maps.filePath(QStringLiteral("level%1.txt").arg(index))));

        for (int row = 19; row <= 29; ++row)
            QVERIFY2(map[row * line + 29] == '.', qPrintable(QStringLiteral("start column, row %1").arg(row)));
        QByteArray reached = map;
        flood(reached, 29 * line + 29);
        QVERIFY2(!reached.contains('.'), reached.constData());
        QVERIFY(2 * reached.count('o') >= side * side);

        ScriptedDialogs dialogs;
        ScriptedRandom random;
        game::Form1 window(dialogs, random, PROGRAM_FOLDER);
        window.level = static_cast<std::int16_t>(index);
        for (int j = 1; j <= 4; ++j)
            window.Image2.create();
        for (int cell = 0; cell < foodCells * foodCells; ++cell) {
            random.values.insert(random.values.end(),
                                 {(cell / foodCells + 0.5) / foodCells, (cell % foodCells + 0.5) / foodCells});
        }
        while (!random.values.empty()) {
            window.setup_level();
            for (int j = 1; j <= 4; ++j) {
                const int cell = window.Image2.top(j) / cellSize * line + window.Image2.left(j) / cellSize;
                QVERIFY2(map[cell] == '.', qPrintable(QStringLiteral("food %1 on a wall, cell %2").arg(j).arg(cell)));
            }
        }
    }
};

QTEST_MAIN(TestShippedLevels)
#include "test_shipped_levels.moc"
