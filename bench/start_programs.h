// The start-up programs beside the benchmark: the bare window, the game and
// the editor, each ending itself at its first frame (first_frame_probe.cpp).
#pragma once

#include "bench/child_process.h"

#include <map>
#include <string>
#include <vector>

namespace bench {

struct StartProgram {
    std::string name;  // as the report names it
    std::string file;
    std::string title; // of the window it must show
};

struct ProgramRun {
    ChildResult child;
    bool showedItsWindow = false;
    std::map<std::string, double> figures; // what the probe wrote, by name
};

// The bare window first: it is the baseline.
const std::vector<StartProgram> &startPrograms();

// One run of program with the probe's arguments, after launcher (a tool that
// runs it, or nothing).
ProgramRun runStartProgram(const StartProgram &program, const std::vector<std::string> &arguments,
                           const std::vector<std::string> &launcher = {});

// rounds runs of each program, taking turns so that a change in the load of
// the machine falls on all of them alike.
std::map<std::string, std::vector<ProgramRun>> runInTurn(const std::vector<StartProgram> &programs,
                                                         const std::vector<std::string> &arguments, int rounds);

} // namespace bench
