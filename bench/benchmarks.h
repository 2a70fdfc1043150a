// Registers the benchmark's runs with Google Benchmark.
#pragma once

namespace bench {

void registerBenchmarks();

} // namespace bench
