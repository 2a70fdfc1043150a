// The level setup.
#include "bench/level_scene.h"

#include "bench/canvas.h"
#include "bench/grid.h"

#include <cstdlib>

namespace bench {
namespace {

// Where a random draw of 0.5 puts every food item.
constexpr grid::Cell foodCell{15, 15};

bool besideFood(grid::Cell cell)
{
    return std::abs(cell.column - foodCell.column) <= 1 && std::abs(cell.row - foodCell.row) <= 1;
}

} // namespace

LevelScene::LevelScene(const std::vector<levelfile::Block> &blocks)
    : blockCount(blocks.size())
{
    levelfile::writeLevel(window.form.levelFile(0), blocks);
    for (int f = 1; f <= 4; ++f)
        window.form.Image2.create();
}

std::vector<levelfile::Block> LevelScene::foodOnWalls()
{
    std::vector<grid::Cell> cells;
    for (const grid::Cell cell : grid::wholeField()) {
        if (!besideFood(cell))
            cells.push_back(cell);
    }
    for (const grid::Cell cell : grid::wholeField()) {
        if (besideFood(cell) && (cell.column != foodCell.column || cell.row != foodCell.row))
            cells.push_back(cell);
    }
    cells.push_back(foodCell);
    return grid::blocksOn(cells, static_cast<int>(cells.size()));
}

void LevelScene::setupLevel()
{
    window.form.setup_level();
    Canvas::takeChanges(*window.form.Picture1);
}

void LevelScene::loadLevel()
{
    window.form.load_level();
    Canvas::takeChanges(*window.form.Picture1);
}

std::size_t LevelScene::readLevel() const
{
    return levelfile::readLevel(window.form.levelFile(0))->size();
}

std::string LevelScene::fault() const
{
    const game::Form1 &form = window.form;
    if (static_cast<std::size_t>(form.Image3.size()) != blockCount + 1)
        return "the walls were not all loaded";
    // After a level setup every food item must still stand on its wall.
    constexpr int foodPixels = foodCell.column * platform::SpriteCollection::spriteSize;
    for (int f = 1; window.random.draws > 0 && f <= 4; ++f) {
        if (form.Image2.left(f) != foodPixels || form.Image2.top(f) != foodPixels)
            return "a food item left its wall";
    }
    return {};
}

} // namespace bench
