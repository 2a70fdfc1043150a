// The benchmark: Google Benchmark's table, each figure a ratio in its
// counters against a baseline measured in the same run. Its windows, and the
// programs it starts, draw offscreen unless QT_QPA_PLATFORM says otherwise.
#include "editor/form1.h"
#include "game/form1.h"
#include "levelfile/level_file.h"
#include "platform/clock_random.h"
#include "platform/files.h"
#include "scripted_dialogs.h"
#include "temp_program_folder.h"

#include <QApplication>
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
        blocks.push_back(serpentine(29, -1, k));
    return blocks;
}

// A shown game window in play over walls from its level 0. The head runs up
// from row 9, a fresh cell each tick; the body starts below it, from row 10
// down, so all of it moves. Four food items lie out of the way.
class GameScene
{
public:
    static constexpr int ticksPerRound = 299; // along the path

    GameScene(int snakeLength, int wallCount)
    {
        platform::writeFileStart(form.levelFile(0), QByteArray::fromStdString(levelfile::levelBytes(walls(wallCount))));
        form.load_level();
        for (int i = 1; i < snakeLength; ++i)
            form.Image1.add(0, 0);
        for (int f = 1; f <= 4; ++f)
            form.Image2.add(180, static_cast<std::int16_t>(90 + 9 * f));
        show(form);
        form.lives = 3;
        form.Timer1.setInterval(80);
        restart();
    }

    // The processor seconds of the ticks along the path, each steered and
    // followed by the repaint it causes; restart() then puts the snake back.
    double round()
    {
        const std::clock_t start = std::clock();
        for (int k = 0; k < ticksPerRound; ++k) {
            form.horiz = (k + 1) % 30 == 0 ? 0 : 1; // up at each row's end
            form.vert = static_cast<std::int16_t>(1 - form.horiz);
            form.dirx = (k / 30) % 2 == 0 ? 1 : -1;
            form.diry = -1;
            form.Timer1_Timer();
            QCoreApplication::sendPostedEvents(); // the playfield's flush, then the repaint
        }
        return secondsSince(start);
    }

    void restart()
    {
        for (int i = 0; i < form.Image1.size(); ++i) {
            const levelfile::Block cell = i == 0 ? serpentine(9, -1, 0) : serpentine(10, +1, i - 1);
            form.Image1.setTop(i, cell.top);
            form.Image1.setLeft(i, cell.left);
        }
        QCoreApplication::sendPostedEvents();
    }

    bool crashed() const { return form.lives != 3; }

    TempProgramFolder folder;
    ScriptedDialogs dialogs;
    platform::ClockRandom random;
    game::Form1 form{dialogs, random, folder.path()};
};

// Each timed round of the long snake alternates with an untimed one of the
// short snake.
void tick(benchmark::State &state)
{
    GameScene scene(1000, 900);
    GameScene baseline(3, 0);
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
    if (scene.crashed() || baseline.crashed())
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

void loadLevel(benchmark::State &state)
{
    GameScene scene(3, mostBlocks);
    againstTick(state, [&] { scene.form.load_level(); });
    if (scene.form.Image3.size() != mostBlocks + 1)
        state.SkipWithError("the walls were not all loaded");
}

void editorLoad(benchmark::State &state)
{
    TempProgramFolder folder;
    ScriptedDialogs dialogs;
    const std::filesystem::path file = folder.path() / "levels" / "map.lvl";
    platform::writeFileStart(file, QByteArray::fromStdString(levelfile::levelBytes(walls(mostBlocks))));
    editor::Form1 form(dialogs, folder.path());
    show(form);
    againstTick(state, [&] {
        dialogs.files.push_back(file);
        form.Command2_Click();
    });
    if (form.Image1.size() != mostBlocks + 1)
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
    benchmark::RegisterBenchmark("Tick/1000/900", tick)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("LoadLevel/32767", loadLevel)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("EditorLoad/32767", editorLoad)->Unit(benchmark::kMicrosecond);
    for (const auto &[program, title] : {std::pair{"korvo", "Tolmar Korvo v1.3"}, {"editor", "Tolmar Korvo - editor "}}) {
        benchmark::RegisterBenchmark((std::string("StartUp/") + program).c_str(), startUp, program, title)
            ->Iterations(15)->UseManualTime()->Unit(benchmark::kMillisecond);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
