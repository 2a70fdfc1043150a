// The workloads: the tick with its repaint, the repaints alone, the level
// setup, the level loads and the editor.
#include "bench/workload.h"

#include "bench/editor_scene.h"
#include "bench/grid.h"
#include "bench/level_scene.h"
#include "bench/tick_scene.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace bench {
namespace {

// The most blocks a level file's 16-bit count (blocks + 1) can declare.
constexpr int mostBlocks = 32766;
// The snake of the repaint figures.
constexpr int repaintSnake = 100;

std::string name(const std::string &what, int argument)
{
    return what + "/" + std::to_string(argument);
}

std::vector<levelfile::Block> fullMap()
{
    return grid::blocksOn(grid::wholeField(), mostBlocks);
}

// One tick and the repaint it causes, drawn offscreen.
Workload tickAndRepaint(int snakeLength, int wallCount)
{
    auto scene = std::make_shared<TickScene>(snakeLength, wallCount);
    auto canvas = std::make_shared<Canvas>(scene->playfield());
    return {[=] { canvas->draw(scene->playfield(), scene->tick()); }, scene->ticksPerRound(), [=] { scene->restart(); },
            [=] { return scene->fault(); }};
}

// The repaint of one tick, or of the whole field, drawn again and again.
Workload repaint(int wallCount, bool wholeField)
{
    auto scene = std::make_shared<TickScene>(repaintSnake, wallCount);
    auto canvas = std::make_shared<Canvas>(scene->playfield());
    const QRegion tick = scene->tick();
    if (wholeField)
        return {[=] { canvas->drawAll(scene->playfield()); }};
    return {[=] { canvas->draw(scene->playfield(), tick); }};
}

template<typename Scene>
Workload sceneWorkload(std::shared_ptr<Scene> scene, void (Scene::*operation)())
{
    return {[=] { (scene.get()->*operation)(); }, std::numeric_limits<int>::max(), [] {},
            [=] { return scene->fault(); }};
}

Workload readLevel(const std::vector<levelfile::Block> &blocks)
{
    auto scene = std::make_shared<LevelScene>(blocks);
    return {[=] { benchmark::DoNotOptimize(scene->readLevel()); }};
}

} // namespace

std::vector<NamedWorkload> workloads()
{
    std::vector<NamedWorkload> all;
    for (int snake : {3, 100, 1000}) {
        for (int walls : {0, 100, 900})
            all.push_back({name(name("Tick", snake), walls), [=] { return tickAndRepaint(snake, walls); }});
    }
    for (int walls : {0, 100, 900}) {
        all.push_back({name("TickRepaint", walls), [=] { return repaint(walls, false); }});
        all.push_back({name("FullRepaint", walls), [=] { return repaint(walls, true); }});
    }
    all.push_back({"ReadLevel/900", [] { return readLevel(LevelScene::foodOnWalls()); }});
    all.push_back({"SetupLevel/900", [] {
                       return sceneWorkload(std::make_shared<LevelScene>(LevelScene::foodOnWalls()),
                                            &LevelScene::setupLevel);
                   }});
    all.push_back({"ReadLevel/32767", [] { return readLevel(fullMap()); }});
    all.push_back({"LoadLevel/32767", [] {
                       return sceneWorkload(std::make_shared<LevelScene>(fullMap()), &LevelScene::loadLevel);
                   }});
    all.push_back({"EditorLoad/32767", [] {
                       return sceneWorkload(std::make_shared<EditorScene>(fullMap()), &EditorScene::load);
                   }});
    all.push_back({"EditorRepaint/0", [] {
                       return sceneWorkload(std::make_shared<EditorScene>(std::vector<levelfile::Block>{}),
                                            &EditorScene::drawAll);
                   }});
    all.push_back({"EditorRepaint/32767", [] {
                       return sceneWorkload(std::make_shared<EditorScene>(fullMap()), &EditorScene::drawAll);
                   }});
    return all;
}

} // namespace bench
