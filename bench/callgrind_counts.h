// Instruction counts under callgrind, which repeat from run to run where
// times on a shared machine do not: the workloads, counted in a copy of this
// program that callgrind runs, and the start-up programs.
#pragma once

#include <string>

namespace bench {

// The side that callgrind runs: each workload a fixed number of times,
// collecting only inside its operations, with one dump per workload.
int countUnderCallgrind();

// Runs self and the start-up programs under callgrind and prints the counts
// and the figures they give.
int reportInstructionCounts(const std::string &self);

} // namespace bench
