// Running another program to its end: its output, its times and its peak
// memory, as the system accounts them to the child alone.
#pragma once

#include <string>
#include <vector>

namespace bench {

struct ChildResult {
    bool exitedCleanly = false; // ran and exited with status 0
    std::string output;         // what it wrote to its standard output
    double wallSeconds = 0;     // from the start of the program to its end
    double processorSeconds = 0;
    double peakMegabytes = 0;   // its maximum resident set size
};

ChildResult runChild(const std::vector<std::string> &command);

} // namespace bench
