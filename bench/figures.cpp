// The report of ratios.
#include "bench/figures.h"

#include <QString>

#include <cmath>
#include <limits>

namespace bench {
namespace {

constexpr double tickSeconds = 0.080;
constexpr double notMeasured = std::numeric_limits<double>::quiet_NaN();

std::string text(const char *format, auto... values)
{
    return QString::asprintf(format, values...).toStdString();
}

std::string ratio(double value)
{
    return std::isnan(value) ? std::string("n/a") : text("%.4g", value);
}

std::string verdict(double value, bool met)
{
    if (std::isnan(value))
        return "not measured";
    return met ? "met" : "MISSED";
}

std::string tickName(int snake, int walls)
{
    return text("Tick/%d/%d", snake, walls);
}

} // namespace

Figures::Figures(Measure measure)
    : measure(measure)
{
}

void Figures::setCost(const std::string &name, double cost)
{
    costs[name] = cost;
}

void Figures::setCounter(const std::string &name, const std::string &counter, double value)
{
    counters[name][counter] = value;
}

double Figures::cost(const std::string &name) const
{
    const auto found = costs.find(name);
    return found == costs.end() ? notMeasured : found->second;
}

double Figures::counter(const std::string &name, const std::string &counter) const
{
    const auto found = counters.find(name);
    if (found == counters.end() || !found->second.contains(counter))
        return notMeasured;
    return found->second.at(counter);
}

std::string Figures::amount(double cost) const
{
    if (std::isnan(cost))
        return "n/a";
    if (measure == Measure::Instructions)
        return text("%.0f instructions", cost);
    return cost < 1e-3 ? text("%.3g us", cost * 1e6) : text("%.3g ms", cost * 1e3);
}

// Time only: instruction counts say nothing of the clock.
std::string Figures::againstTick(double cost) const
{
    if (measure == Measure::Instructions)
        return {};
    return text("; against the 80 ms tick %s %%", ratio(100 * cost / tickSeconds).c_str());
}

void Figures::print(std::ostream &out) const
{
    out << "\nFigures, as ratios against baselines of this run; cost = "
        << (measure == Measure::Instructions ? "instructions per operation (callgrind)\n"
                                             : "processor time per operation\n");
    printTicks(out);
    printRepaints(out);
    printLevels(out);
    printEditor(out);
    printStartUp(out);
    printIdle(out);
}

void Figures::printTicks(std::ostream &out) const
{
    const double base = cost(tickName(3, 0));
    out << "\nOne tick with its repaint, against Tick/3/0 (" << amount(base) << "):\n"
        << text("  %-12s %10s %10s %10s\n", "", "0 walls", "100 walls", "900 walls");
    for (int snake : {3, 100, 1000}) {
        out << text("  snake %-6d", snake);
        for (int walls : {0, 100, 900})
            out << text(" %10s", ratio(cost(tickName(snake, walls)) / base).c_str());
        out << "\n";
    }
    const double perSpriteShort = (cost(tickName(100, 0)) - base) / 97;
    const double perSpriteLong = (cost(tickName(1000, 0)) - cost(tickName(100, 0))) / 900;
    out << "  one more snake sprite: " << amount(perSpriteShort) << " from 3 to 100, " << amount(perSpriteLong)
        << " from 100 to 1000; ratio " << ratio(perSpriteLong / perSpriteShort) << " (1 is linear)\n";
    const double perWallFew = (cost(tickName(3, 100)) - base) / 100;
    const double perWallMany = (cost(tickName(3, 900)) - cost(tickName(3, 100))) / 800;
    out << "  one more wall: " << amount(perWallFew) << " from 0 to 100, " << amount(perWallMany)
        << " from 100 to 900; ratio " << ratio(perWallMany / perWallFew) << " (1 is linear)\n";
    const double worst = cost(tickName(1000, 900));
    const double parts = cost(tickName(1000, 0)) + cost(tickName(3, 900)) - base;
    out << "  Tick/1000/900 against Tick/1000/0 + Tick/3/900 - Tick/3/0: " << ratio(worst / parts)
        << " (1: snake and walls add up, no cross term)\n";
    if (measure == Measure::ProcessorTime) {
        out << "  Tick/1000/900 against the 80 ms tick: " << ratio(100 * worst / tickSeconds)
            << " % (target under 1 %): " << verdict(worst, worst < 0.01 * tickSeconds) << "\n";
    }
}

void Figures::printRepaints(std::ostream &out) const
{
    out << "\nRepaint after one tick (snake 100) against a full repaint of the same field:\n ";
    for (int walls : {0, 100, 900}) {
        const double tick = cost(text("TickRepaint/%d", walls));
        out << " " << walls << " walls " << ratio(tick / cost(text("FullRepaint/%d", walls))) << ";";
    }
    // The tail leaves a wall behind where there are walls, one picture more
    // to draw than where there are none; the count of walls must not matter.
    const double few = cost("TickRepaint/100") / cost("TickRepaint/0");
    const double many = cost("TickRepaint/900") / cost("TickRepaint/0");
    out << "\n  TickRepaint/100 and TickRepaint/900 against TickRepaint/0: " << ratio(few) << ", " << ratio(many)
        << " (target: no growth with the walls): " << verdict(many, many < 1.2 && many / few < 1.1) << "\n"
        << "  FullRepaint/900 against FullRepaint/0: " << ratio(cost("FullRepaint/900") / cost("FullRepaint/0"))
        << "\n";
}

void Figures::printLevels(std::ostream &out) const
{
    out << "\nLevel setup and loading:\n";
    for (const auto &[operation, read] : {std::pair{"SetupLevel/900", "ReadLevel/900"},
                                          std::pair{"LoadLevel/32767", "ReadLevel/32767"}}) {
        const double spent = cost(operation);
        out << "  " << operation << " (" << amount(spent) << "): against " << read << " "
            << ratio(spent / cost(read)) << againstTick(spent);
        if (measure == Measure::ProcessorTime)
            out << " (target well under one tick, here under 10 %): " << verdict(spent, spent < 0.1 * tickSeconds);
        out << "\n";
    }
}

void Figures::printEditor(std::ostream &out) const
{
    const double load = cost("EditorLoad/32767");
    const double repaint = cost("EditorRepaint/32767");
    out << "\nEditor:\n"
        << "  EditorLoad/32767 (" << amount(load) << "): against ReadLevel/32767 "
        << ratio(load / cost("ReadLevel/32767")) << ", against the game's LoadLevel/32767 "
        << ratio(load / cost("LoadLevel/32767")) << againstTick(load) << "\n"
        << "  EditorRepaint/32767 (" << amount(repaint) << "): against EditorRepaint/0 (the bare grid) "
        << ratio(repaint / cost("EditorRepaint/0")) << againstTick(repaint) << "\n";
}

// In time, the processor time of the program is held to the target: its
// time on the clock also holds the waits for a processor that other loads of
// a shared machine cause, and is shown beside it.
void Figures::printStartUp(std::ostream &out) const
{
    const bool counted = measure == Measure::Instructions;
    const double bare = counted ? cost("StartUp/bare") : counter("StartUp/bare", "cpu_ms") / 1e3;
    out << "\nStart-up to the first shown frame, against the bare window (" << amount(bare) << "):\n";
    for (const char *program : {"Korvo", "editor"}) {
        const std::string name = text("StartUp/%s", program);
        const double spent = (counted ? cost(name) : counter(name, "cpu_ms") / 1e3) / bare;
        out << "  " << program << ": " << (counted ? "instructions " : "processor time ") << ratio(spent)
            << " (target at most 1.2): " << verdict(spent, spent <= 1.2);
        if (!counted) {
            const double memory = counter(name, "peak_MB") - counter("StartUp/bare", "peak_MB");
            out << "; time on the clock " << ratio(cost(name) / cost("StartUp/bare")) << "; peak memory "
                << text("%+.1f", memory) << " MB (target at most +10 MB): " << verdict(memory, memory <= 10);
        }
        out << "\n";
    }
}

void Figures::printIdle(std::ostream &out) const
{
    if (measure == Measure::Instructions)
        return;
    // Both spans are equally long, so their counts compare directly.
    const double bareWakeups = counter("Idle/bare", "wakeups");
    const double bareTimers = counter("Idle/bare", "timer_events");
    out << "\nEvent loop of the shown window for 2 s, against the bare window (" << ratio(bareWakeups)
        << " wakeups, " << ratio(bareTimers) << " timer events, the probe's own timer among them):\n";
    for (const char *program : {"Korvo", "editor"}) {
        const std::string name = text("Idle/%s", program);
        const double wakeups = counter(name, "wakeups");
        const double timers = counter(name, "timer_events");
        out << "  " << program << " idle: wakeups " << ratio(wakeups / bareWakeups) << ", timer events "
            << ratio(timers / bareTimers) << " (target no more than bare): "
            << verdict(wakeups, wakeups <= bareWakeups && timers <= bareTimers) << "\n";
    }
    const double playing = counter("Play/Korvo", "cpu_percent");
    out << "  Korvo playing at 200 ms: " << ratio(playing) << " % of one core against "
        << ratio(counter("Play/bare", "cpu_percent")) << " % for the bare window idle (target under 1 %): "
        << verdict(playing, playing < 1) << "; " << ratio(counter("Play/Korvo", "timer_events_per_s"))
        << " timer events/s, " << ratio(counter("Play/Korvo", "wakeups_per_s")) << " wakeups/s\n";
}

} // namespace bench
