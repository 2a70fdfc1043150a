// The operations that the benchmark times (benchmarks.cpp) and counts the
// instructions of (callgrind_counts.cpp), each with the untimed work that
// puts its state back when it can repeat no further.
#pragma once

#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace bench {

struct Workload {
    std::function<void()> run; // one operation
    int runsBeforeReset = std::numeric_limits<int>::max();
    std::function<void()> reset = [] {};
    // Empty while the runs did what they should.
    std::function<std::string()> fault = [] { return std::string(); };
};

struct NamedWorkload {
    std::string name;
    std::function<Workload()> make;
};

// Every workload, in the order of the report. Names are "What/argument...".
std::vector<NamedWorkload> workloads();

} // namespace bench
