// The start-up programs.
#include "bench/start_programs.h"

#include <QString>
#include <QStringList>

namespace bench {

const std::vector<StartProgram> &startPrograms()
{
    static const std::vector<StartProgram> programs{
        {"bare", KORVO_BENCH_PROGRAMS "/start_bare", "Bare window"},
        {"Korvo", KORVO_BENCH_PROGRAMS "/start_korvo", "Tolmar Korvo v1.3"},
        {"editor", KORVO_BENCH_PROGRAMS "/start_editor", "Tolmar Korvo - editor "},
    };
    return programs;
}

ProgramRun runStartProgram(const StartProgram &program, const std::vector<std::string> &arguments,
                           const std::vector<std::string> &launcher)
{
    std::vector<std::string> command = launcher;
    command.push_back(program.file);
    command.insert(command.end(), arguments.begin(), arguments.end());

    ProgramRun run;
    run.child = runChild(command);
    // The probe writes one line: "title=...;name=value;...". A title may end
    // in a space, so only the line's end is cut off.
    QString line = QString::fromStdString(run.child.output);
    if (line.endsWith(QLatin1Char('\n')))
        line.chop(1);
    const QStringList fields = line.split(QLatin1Char(';'));
    for (const QString &field : fields) {
        const qsizetype equals = field.indexOf(QLatin1Char('='));
        const QString name = field.left(equals);
        const QString value = field.mid(equals + 1);
        if (name == QLatin1String("title"))
            run.showedItsWindow = run.child.exitedCleanly && value.toStdString() == program.title;
        else
            run.figures[name.toStdString()] = value.toDouble();
    }
    return run;
}

std::map<std::string, std::vector<ProgramRun>> runInTurn(const std::vector<StartProgram> &programs,
                                                         const std::vector<std::string> &arguments, int rounds)
{
    std::map<std::string, std::vector<ProgramRun>> runs;
    for (int round = 0; round < rounds; ++round) {
        for (const StartProgram &program : programs)
            runs[program.name].push_back(runStartProgram(program, arguments));
    }
    return runs;
}

} // namespace bench
