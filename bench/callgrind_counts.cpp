// Instruction counts under callgrind.
#include "bench/callgrind_counts.h"

#include "bench/figures.h"
#include "bench/start_programs.h"
#include "bench/workload.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <valgrind/callgrind.h>

#include <iostream>

namespace bench {
namespace {

// Enough to take the tick round its path's first turn.
constexpr int countedRuns = 32;

const QByteArray dumpName = "Trigger: Client Request: ";

struct Dump {
    std::string name; // the workload, or empty for the dump at the end
    double instructions = 0;
};

// A dump holds "desc: Trigger: Client Request: <name>" for a dump asked for
// by the program, and "summary: <count>" for the instructions it counted.
Dump readDump(const QString &file)
{
    Dump dump;
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return dump;
    while (!in.atEnd()) {
        const QByteArray line = in.readLine().trimmed();
        if (line.startsWith("desc: " + dumpName))
            dump.name = line.mid(6 + dumpName.size()).toStdString();
        else if (line.startsWith("summary:"))
            dump.instructions = line.mid(8).trimmed().toDouble();
    }
    return dump;
}

std::vector<std::string> callgrind(const QString &valgrind, const QString &outFile, bool collectAtStart)
{
    return {valgrind.toStdString(), "--tool=callgrind", collectAtStart ? "--collect-atstart=yes" : "--collect-atstart=no",
            ("--callgrind-out-file=" + outFile).toStdString()};
}

bool countWorkloads(const QString &valgrind, const std::string &self, const QTemporaryDir &dir, Figures &figures)
{
    std::vector<std::string> command = callgrind(valgrind, dir.filePath(QStringLiteral("workloads")), false);
    command.insert(command.end(), {self, "--count-under-callgrind"});
    if (!runChild(command).exitedCleanly)
        return false;
    for (const QString &file : QDir(dir.path()).entryList({QStringLiteral("workloads*")}, QDir::Files)) {
        const Dump dump = readDump(dir.filePath(file));
        if (!dump.name.empty())
            figures.setCost(dump.name, dump.instructions / countedRuns);
    }
    return true;
}

bool countStartUps(const QString &valgrind, const QTemporaryDir &dir, Figures &figures)
{
    for (const StartProgram &program : startPrograms()) {
        const QString outFile = dir.filePath(QString::fromStdString("start." + program.name));
        if (!runStartProgram(program, {}, callgrind(valgrind, outFile, true)).showedItsWindow)
            return false;
        figures.setCost("StartUp/" + program.name, readDump(outFile).instructions);
    }
    return true;
}

} // namespace

int countUnderCallgrind()
{
    for (const NamedWorkload &entry : workloads()) {
        Workload workload = entry.make();
        // One run uncounted first, for what the first call of anything costs
        // once (the binding of library functions, the caches of the toolkit).
        workload.run();
        int left = workload.runsBeforeReset - 1;
        for (int i = 0; i < countedRuns; ++i) {
            if (left == 0) {
                workload.reset();
                left = workload.runsBeforeReset;
            }
            CALLGRIND_TOGGLE_COLLECT;
            workload.run();
            CALLGRIND_TOGGLE_COLLECT;
            --left;
        }
        if (const std::string fault = workload.fault(); !fault.empty()) {
            std::cerr << entry.name << ": " << fault << "\n";
            return 1;
        }
        CALLGRIND_DUMP_STATS_AT(entry.name.c_str());
    }
    return 0;
}

int reportInstructionCounts(const std::string &self)
{
    const QString valgrind = QStandardPaths::findExecutable(QStringLiteral("valgrind"));
    QTemporaryDir dir;
    if (valgrind.isEmpty() || !dir.isValid()) {
        std::cerr << "valgrind is needed to count instructions\n";
        return 1;
    }
    Figures figures(Figures::Measure::Instructions);
    std::cout << "Counting instructions under callgrind; this takes a few minutes.\n";
    if (!countWorkloads(valgrind, self, dir, figures) || !countStartUps(valgrind, dir, figures)) {
        std::cerr << "a run under callgrind failed\n";
        return 1;
    }
    figures.print(std::cout);
    return 0;
}

} // namespace bench
