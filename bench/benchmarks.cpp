// The Google Benchmark runs: each workload timed on its own, and the
// programs started in turn, for their start-up, their idle event loop and a
// game being played.
#include "bench/benchmarks.h"

#include "bench/start_programs.h"
#include "bench/workload.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>

namespace bench {
namespace {

constexpr int startUpRounds = 31;
constexpr int eventLoopRounds = 3;

using ProgramRuns = std::map<std::string, std::vector<ProgramRun>>;

void registerWorkload(const NamedWorkload &entry)
{
    benchmark::RegisterBenchmark(entry.name.c_str(), [make = entry.make](benchmark::State &state) {
        Workload workload = make();
        int left = workload.runsBeforeReset;
        for (auto _ : state) {
            if (left == 0) {
                state.PauseTiming();
                workload.reset();
                state.ResumeTiming();
                left = workload.runsBeforeReset;
            }
            workload.run();
            --left;
        }
        const std::string fault = workload.fault();
        if (!fault.empty())
            state.SkipWithError(fault.c_str());
    })->Unit(benchmark::kMicrosecond);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double medianOf(const std::vector<ProgramRun> &runs, const std::function<double(const ProgramRun &)> &value)
{
    std::vector<double> values;
    for (const ProgramRun &run : runs)
        values.push_back(value(run));
    return median(values);
}

// What the probe measured, per second of the span it measured.
double perSecond(const ProgramRun &run, const std::string &figure)
{
    return run.figures.at(figure) / run.figures.at("seconds");
}

void reportProgramRuns(benchmark::State &state, const std::vector<ProgramRun> &runs, bool timedSpan)
{
    for (const ProgramRun &run : runs) {
        if (!run.showedItsWindow) {
            state.SkipWithError("the program did not show its window");
            return;
        }
    }
    const double seconds = medianOf(runs, [timedSpan](const ProgramRun &run) {
        return timedSpan ? run.figures.at("seconds") : run.child.wallSeconds;
    });
    for (auto _ : state)
        state.SetIterationTime(seconds);
    state.counters["cpu_ms"] = medianOf(runs, [](const ProgramRun &run) { return run.child.processorSeconds * 1e3; });
    state.counters["peak_MB"] = medianOf(runs, [](const ProgramRun &run) { return run.child.peakMegabytes; });
    if (!timedSpan)
        return;
    for (const auto &[figure, rate] : {std::pair{"wakeups", "wakeups_per_s"}, {"timer_events", "timer_events_per_s"}}) {
        state.counters[figure] = medianOf(runs, [&](const ProgramRun &run) { return run.figures.at(figure); });
        state.counters[rate] = medianOf(runs, [&](const ProgramRun &run) { return perSecond(run, figure); });
    }
    state.counters["cpu_percent"] =
        medianOf(runs, [](const ProgramRun &run) { return 100 * perSecond(run, "cpu_seconds"); });
}

// One benchmark per program, all started in turn when the first of them runs.
void registerProgramRuns(const std::string &what, const std::vector<StartProgram> &programs,
                         const std::vector<std::string> &arguments, int rounds)
{
    auto runs = std::make_shared<std::optional<ProgramRuns>>();
    for (const StartProgram &program : programs) {
        benchmark::RegisterBenchmark((what + "/" + program.name).c_str(), [=](benchmark::State &state) {
            if (!*runs)
                *runs = runInTurn(programs, arguments, rounds);
            reportProgramRuns(state, (*runs)->at(program.name), !arguments.empty());
        })
            ->Iterations(1)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    }
}

} // namespace

void registerBenchmarks()
{
    for (const NamedWorkload &entry : workloads())
        registerWorkload(entry);
    const std::vector<StartProgram> &all = startPrograms();
    registerProgramRuns("StartUp", all, {}, startUpRounds);
    registerProgramRuns("Idle", all, {"--idle", "2"}, eventLoopRounds);
    registerProgramRuns("Play", {all[0], all[1]}, {"--play", "3"}, eventLoopRounds);
}

} // namespace bench
