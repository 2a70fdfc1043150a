// make_levels's model of the game's food repair, draw for draw against the game's own setup_level.
#include "level_map.h"

#include "game_run.h"
#include "row_compare.h"

#include <QRegularExpression>
#include <QTest>

#include <random>

namespace {

using levels::LevelMap;

// A level file of random blocks on the grid, dense enough that food on a wall meets wall after wall.
LevelMap randomLevel(const std::filesystem::path &file, unsigned seed)
{
    std::mt19937 random(seed);
    QList<QPoint> blocks;
    for (int cell = 0; cell < grid::side * grid::side; ++cell) {
        if (random() % 5 < 2)
            blocks << QPoint(cell % grid::side * 9, cell / grid::side * 9);
    }
    const QByteArray bytes = level(blocks);
    std::ofstream(file, std::ios::binary).write(bytes.constData(), bytes.size());
    return LevelMap::ofLevel(file);
}

QString drawnOn(const std::filesystem::path &map, QPoint drawn)
{
    return QStringLiteral("%1: drawn at left %2, top %3")
        .arg(QString::fromStdString(map.filename().string())).arg(drawn.x()).arg(drawn.y());
}

} // namespace

class TestLevelMap : public QObject
{
    Q_OBJECT

private slots:
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral(".*"))); }

    // All 28 x 28 draws of the four food items end where the game puts them: the shipped maps, the refused ones, random walls.
    void foodEndsWhereTheGamePutsIt()
    {
        Game game;
        std::vector<std::pair<std::filesystem::path, LevelMap>> maps;
        for (const char *folder : {MAPS, UNPLAYABLE}) {
            for (const auto &entry : std::filesystem::directory_iterator(folder))
                maps.emplace_back(entry.path(), LevelMap::read(entry.path()));
        }
        for (unsigned seed : {1, 2, 3})
            maps.emplace_back("random" + std::to_string(seed), randomLevel(game.path() / "random.lvl", seed));
        game.startGame();
        for (const auto &[file, map] : maps) {
            game.write("levels/level0.lvl", QByteArray::fromStdString(map.levelFile()));
            game.setupLevel();
            for (int top = 9; top <= 252; top += 9) {
                for (int left = 9; left <= 252; left += 9) {
                    game.drop(1, QPoint(left, top));
                    const auto end = map.foodEnd({std::int16_t(top), std::int16_t(left)});
                    ROW_COMPARE(qPrintable(drawnOn(file, QPoint(left, top))), at(game.food, 1), QPoint(end.left, end.top));
                }
            }
        }
    }
};

QTEST_MAIN(TestLevelMap)
#include "test_level_map.moc"
