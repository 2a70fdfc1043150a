// The console table of Google Benchmark, followed by the figures that its
// runs give (figures.h).
#pragma once

#include "bench/figures.h"

#include <benchmark/benchmark.h>

namespace bench {

class FiguresReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override;
    void Finalize() override;

private:
    Figures figures{Figures::Measure::ProcessorTime};
};

} // namespace bench
