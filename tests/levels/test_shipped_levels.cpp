// The shipped levels: each file holds its text map's walls, and each level is playable.
#include "levelfile/level_file.h"

#include "game_run.h"

#include <QDir>

namespace {

constexpr int side = 30;       // cells a row and a column
constexpr int line = side + 1; // a row of a map and its newline

QByteArray contents(const QString &file)
{
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

// The walls as a text map draws them: '#' a wall, '.' a free cell, one line a row.
QByteArray mapOf(const std::vector<levelfile::Block> &blocks)
{
    QByteArray map = (QByteArray(side, '.') + '\n').repeated(side);
    for (const auto &[top, left] : blocks) {
        if (top % 9 == 0 && left % 9 == 0 && top >= 0 && left >= 0 && top < 9 * side && left < 9 * side)
            map[top / 9 * line + left / 9] = '#';
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
    return int(QDir(LEVEL_MAPS_FOLDER).entryList({QStringLiteral("level*.txt")}, QDir::Files).size());
}

} // namespace

class TestShippedLevels : public QObject
{
    Q_OBJECT

private slots:
    // levels.ini names the number of maps, at least eight.
    void levelCount()
    {
        QVERIFY(mapCount() >= 8);
        QCOMPARE(contents(PROGRAM_FOLDER "/levels/levels.ini"), QByteArray::number(mapCount()) + "\r\n");
    }

    void shippedLevel_data()
    {
        QTest::addColumn<int>("index");
        for (int index = 0; index < mapCount(); ++index)
            QTest::addRow("level%d", index) << index;
    }
    // The walls of the map; the start column free; every free cell reachable; no food on a wall.
    void shippedLevel()
    {
        QFETCH(int, index);
        const QByteArray file = contents(QStringLiteral(PROGRAM_FOLDER "/levels/level%1.lvl").arg(index));
        const auto blocks = levelfile::parseLevel(file.constData(), std::size_t(file.size()));
        QCOMPARE(file.size(), 2 + 4 * qsizetype(blocks.size()));
        QCOMPARE(file.first(2), int16s({int(blocks.size()) + 1}));
        const QByteArray map = mapOf(blocks);
        QCOMPARE(map.count('#'), qsizetype(blocks.size()));
        QCOMPARE(map, contents(QStringLiteral(LEVEL_MAPS_FOLDER "/level%1.txt").arg(index)));
        for (int row = 19; row <= 29; ++row)
            QVERIFY2(map[row * line + 29] == '.', qPrintable(QStringLiteral("start column, row %1").arg(row)));
        QByteArray reached = map;
        flood(reached, 29 * line + 29);
        QVERIFY2(!reached.contains('.'), reached.constData());
        QVERIFY(2 * reached.count('o') >= side * side);

        GameRun game(PROGRAM_FOLDER);
        game.startGame();
        game.form.level = std::int16_t(index);
        for (int cell = 0; cell < 28 * 28; ++cell)
            game.placeNextFood({{9 + 9 * (cell % 28), 9 + 9 * (cell / 28)}});
        while (!game.random.values.empty()) {
            game.form.setup_level();
            for (int f = 1; f <= 4; ++f)
                QVERIFY2(map[game.form.Image2.top(f) / 9 * line + game.form.Image2.left(f) / 9] == '.', qPrintable(QStringLiteral("food %1 on a wall").arg(f)));
        }
    }
};

QTEST_MAIN(TestShippedLevels)
#include "test_shipped_levels.moc"
