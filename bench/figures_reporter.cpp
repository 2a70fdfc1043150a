// The benchmark's reporter.
#include "bench/figures_reporter.h"

namespace bench {

void FiguresReporter::ReportRuns(const std::vector<Run> &runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run &run : runs) {
        // With repetitions, the median comes after the single runs and wins.
        if (run.error_occurred || (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median"))
            continue;
        const std::string &name = run.run_name.function_name;
        // Programs and event loops report their own measured time; the rest
        // the processor time of this process, which other loads on the
        // machine disturb the least.
        const bool manual = run.run_name.time_type == "manual_time";
        const double perRun = manual ? run.GetAdjustedRealTime() : run.GetAdjustedCPUTime();
        figures.setCost(name, perRun / benchmark::GetTimeUnitMultiplier(run.time_unit));
        for (const auto &[counter, value] : run.counters)
            figures.setCounter(name, counter, value.value);
    }
}

void FiguresReporter::Finalize()
{
    ConsoleReporter::Finalize();
    figures.print(GetOutputStream());
}

} // namespace bench
