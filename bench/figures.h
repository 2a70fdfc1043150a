// The report that follows the benchmark's table: each figure as a ratio
// against a baseline measured in the same run, with its target where it has
// one. Costs are processor seconds per operation, or instructions per
// operation when counted under callgrind; ratios of either read alike.
#pragma once

#include <map>
#include <ostream>
#include <string>

namespace bench {

class Figures
{
public:
    enum class Measure { ProcessorTime, Instructions };

    explicit Figures(Measure measure);

    void setCost(const std::string &name, double cost);
    void setCounter(const std::string &name, const std::string &counter, double value);

    void print(std::ostream &out) const;

private:
    double cost(const std::string &name) const;
    double counter(const std::string &name, const std::string &counter) const;
    std::string amount(double cost) const;
    std::string againstTick(double cost) const;

    void printTicks(std::ostream &out) const;
    void printRepaints(std::ostream &out) const;
    void printLevels(std::ostream &out) const;
    void printEditor(std::ostream &out) const;
    void printStartUp(std::ostream &out) const;
    void printIdle(std::ostream &out) const;

    Measure measure;
    std::map<std::string, double> costs;
    std::map<std::string, std::map<std::string, double>> counters;
};

} // namespace bench
