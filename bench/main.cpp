// The benchmark program. Run as it is, it prints the Google Benchmark table
// (the library's own options, such as --benchmark_filter, apply) and then
// the figures as ratios; with --instructions it counts instructions under
// callgrind instead. Its windows and the programs it starts draw offscreen
// unless QT_QPA_PLATFORM says otherwise.
#include "bench/benchmarks.h"
#include "bench/callgrind_counts.h"
#include "bench/figures_reporter.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>

int main(int argc, char *argv[])
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.contains(QStringLiteral("--count-under-callgrind")))
        return bench::countUnderCallgrind();
    if (arguments.contains(QStringLiteral("--instructions")))
        return bench::reportInstructionCounts(QApplication::applicationFilePath().toStdString());

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    bench::registerBenchmarks();
    bench::FiguresReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
