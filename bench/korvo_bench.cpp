// The benchmark: Google Benchmark's table, each figure a ratio in its
// counters against a baseline measured in the same run. Its windows, and the
// programs it starts, draw offscreen unless QT_QPA_PLATFORM says otherwise.
#include "game/form1.h"
#include "game/saved_game.h"
#include "levelfile/level_file.h"
#include "platform/clock_random.h"
#include "platform/files.h"
#include "editor_run.h"
#include "scripted_dialogs.h"
#include "temp_program_folder.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QProcess>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <functional>

namespace {

constexpr double gameTick = 0.080; // seconds
constexpr int mostBlocks = 32766;  // a level file's 16-bit count is blocks + 1

double secondsSince(std::clock_t start)
{
    return static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
}

double percentOfTick(double seconds, const benchmark::State &state)
{
    return 100 * seconds / static_cast<double>(state.iterations()) / gameTick;
}

// Shows a window and lets the window system expose it, so that it paints.
void show(QWidget &window)
{
    window.show();
    QCoreApplication::processEvents();
}

// The k-th cell of a serpentine from the left of fromRow, a row up (-1) or
// down (+1) every 30 cells, each a step from the last; round again after 600.
levelfile::Block serpentine(int fromRow, int direction, int k)
{
    k %= 600;
    const int column = (k / 30) % 2 == 0 ? k % 30 : 29 - k % 30;
    return {static_cast<std::int16_t>(9 * (fromRow + direction * (k / 30))), static_cast<std::int16_t>(9 * column)};
}

std::vector<levelfile::Block> walls(int count)
{
    std::vector<levelfile::Block> blocks;
    for (int k = 0; k < count; ++k)
        blocks.push_back(serpentine(0, +1, k));
    return blocks;
}

// Food draws that all give one cell, the same for every item.
class FixedRandom : public platform::RandomSource
{
public:
    explicit FixedRandom(double value) : value(value) {}
    double next() override { return value; }
    void reseed() override {}

private:
    double value;
};

// A game window started and shown as the program does, then played as a
// player does. Its level 0 holds the walls, in the top twenty rows, and its
// saved game the snake's length and lives enough for every round. Food lies
// where the draws give it.
class GameScene
{
public:
    static constexpr int ticksPerRound = 299; // along the path

    GameScene(int snakeLength, int wallCount, double foodDraw) : random(foodDraw)
    {
        folder.write("levels/level0.lvl", QByteArray::fromStdString(levelfile::levelBytes(walls(wallCount))));
        folder.write("data/user.pla", int16s({32767, 0, 0, snakeLength, 80}));
        form.Form_Load();
        show(form);
    }

    QAction &menuItem(const QString &text)
    {
        const auto items = form.findChildren<QAction *>();
        return **std::ranges::find(items, text, &QAction::text);
    }

    // Keys reach the playfield, which holds the window's focus, as the
    // program receives them.
    void press(Qt::Key key)
    {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(form.focusWidget(), &event);
    }

    void tick()
    {
        form.Timer1.expire();
        QCoreApplication::sendPostedEvents(); // the playfield's flush, then the repaint
    }

    // The processor seconds of the ticks along the path, each steered and
    // followed by the repaint it causes: from the start cell at the bottom
    // right, a serpentine up through the lower ten rows, a fresh cell each
    // tick, the body coming onto the field behind the head.
    double round()
    {
        const std::clock_t start = std::clock();
        for (int cell = 1; cell <= ticksPerRound; ++cell) {
            if (cell % 30 == 0)
                press(Qt::Key_Up);
            else if (cell % 30 == 1)
                press(cell / 30 % 2 == 0 ? Qt::Key_Left : Qt::Key_Right);
            tick();
        }
        return secondsSince(start);
    }

    // Off the field's right edge: the crash puts the snake back.
    void restart()
    {
        tick();
        ++restarts;
    }

    bool crashedOnTheWay() const { return dialogs.shown.size() != restarts; }

    TempProgramFolder folder;
    ScriptedDialogs dialogs;
    FixedRandom random;
    game::Form1 form{dialogs, random, folder.path()};
    std::size_t restarts = 0;
};

// Each timed round of the long snake alternates with an untimed one of the
// short snake. Food lies in the walls' rows, off the path.
void tick(benchmark::State &state)
{
    GameScene scene(game::SavedGame::longestSnake, 900, 0);
    GameScene baseline(3, 0, 0);
    for (GameScene *each : {&scene, &baseline})
        each->menuItem(QStringLiteral("Pokračuj ve hře")).trigger();
    double seconds = 0;
    double baselineSeconds = 0;
    while (state.KeepRunningBatch(GameScene::ticksPerRound)) {
        seconds += scene.round();
        state.PauseTiming();
        scene.restart();
        baselineSeconds += baseline.round();
        baseline.restart();
        state.ResumeTiming();
    }
    if (scene.crashedOnTheWay() || baseline.crashedOnTheWay())
        state.SkipWithError("the snake crashed");
    state.counters["pct_of_80ms"] = percentOfTick(seconds, state);
    state.counters["x_3_sprites"] = seconds / baselineSeconds;
}

// Each operation followed by the repaint it causes.
void againstTick(benchmark::State &state, const std::function<void()> &operation)
{
    const std::clock_t start = std::clock();
    for (auto _ : state) {
        operation();
        QCoreApplication::sendPostedEvents();
    }
    state.counters["pct_of_80ms"] = percentOfTick(secondsSince(start), state);
}

// "Nová hra" on a level of the most walls, its food drawn below them; the
// game then ends untimed, by three crashes off the bottom edge.
void newGame(benchmark::State &state)
{
    GameScene scene(3, mostBlocks, 0.9);
    QAction &mnNova = scene.menuItem(QStringLiteral("Nová hra"));
    double seconds = 0;
    for (auto _ : state) {
        const std::clock_t start = std::clock();
        mnNova.trigger();
        QCoreApplication::sendPostedEvents();
        seconds += secondsSince(start);
        for (int life = 0; life < 3; ++life) {
            scene.press(Qt::Key_Down);
            scene.tick();
        }
    }
    state.counters["pct_of_80ms"] = percentOfTick(seconds, state);
    if (scene.dialogs.shown.size() != static_cast<std::size_t>(3 * state.iterations()))
        state.SkipWithError("the games did not end as planned");
}

void editorLoad(benchmark::State &state)
{
    EditorRun editor;
    platform::writeFileStart(editor.levels / "map.lvl", QByteArray::fromStdString(levelfile::levelBytes(walls(mostBlocks))));
    show(editor.form);
    againstTick(state, [&] { editor.load("map.lvl"); });
    if (editor.blocks().split(' ').size() != mostBlocks)
        state.SkipWithError("the map does not hold the file's blocks");
}

// What a start-up program's probe wrote, line by line after the title.
struct Run {
    bool showedItsWindow = false;
    double processorSeconds = 0;
    double peakMegabytes = 0;
    double wakeups = 0;
};

Run start(const QString &program, const QString &title)
{
    QProcess child;
    child.setStandardErrorFile(QProcess::nullDevice());
    child.start(QStringLiteral(KORVO_BENCH_PROGRAMS "/start_") + program, {QStringLiteral("--idle"), QStringLiteral("1")});
    child.waitForFinished(-1);
    const QStringList lines = QString::fromUtf8(child.readAllStandardOutput()).split(QLatin1Char('\n'));
    if (child.exitCode() != 0 || lines.size() < 4 || lines[0] != title)
        return {};
    return {true, lines[1].toDouble(), lines[2].toDouble() / 1024, lines[3].toDouble()};
}

double median(const std::vector<Run> &runs, double Run::*figure)
{
    std::vector<double> values;
    for (const Run &run : runs)
        values.push_back(run.*figure);
    std::nth_element(values.begin(), values.begin() + static_cast<long>(values.size() / 2), values.end());
    return values[values.size() / 2];
}

// The program and the bare window take turns, so that a change in the load
// falls on both alike. The time shown is the program's processor time.
void startUp(benchmark::State &state, const QString &program, const QString &title)
{
    std::vector<Run> runs;
    std::vector<Run> bare;
    for (auto _ : state) {
        bare.push_back(start(QStringLiteral("bare"), QStringLiteral("Bare window")));
        runs.push_back(start(program, title));
        state.SetIterationTime(runs.back().processorSeconds);
    }
    const auto failed = [](const Run &run) { return !run.showedItsWindow; };
    if (std::ranges::any_of(runs, failed) || std::ranges::any_of(bare, failed))
        return state.SkipWithError("a program did not show its window");
    const auto ratio = [&](double Run::*figure) { return median(runs, figure) / median(bare, figure); };
    state.counters["x_bare"] = ratio(&Run::processorSeconds);
    state.counters["bare_MB"] = median(bare, &Run::peakMegabytes);
    state.counters["MB_over_bare"] = median(runs, &Run::peakMegabytes) - median(bare, &Run::peakMegabytes);
    state.counters["wakeups"] = median(runs, &Run::wakeups);
    state.counters["wakeups_x_bare"] = ratio(&Run::wakeups);
}

} // namespace

int main(int argc, char *argv[])
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    // The offscreen platform's warnings would only clutter the table.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RegisterBenchmark("Tick/900/900", tick)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("NewGame/32767", newGame)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("EditorLoad/32767", editorLoad)->Unit(benchmark::kMicrosecond);
    for (const auto &[program, title] : {std::pair{"korvo", "Tolmar Korvo v1.3"}, {"editor", "Tolmar Korvo - editor "}}) {
        benchmark::RegisterBenchmark((std::string("StartUp/") + program).c_str(), startUp, program, title)
            ->Iterations(15)->UseManualTime()->Unit(benchmark::kMillisecond);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
