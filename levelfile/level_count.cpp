// Reading the number of levels from the level count file.
#include "levelfile/level_count.h"

#include "levelfile/input_file.h"

#include <limits>
#include <sstream>
#include <string>

namespace levelfile {
namespace {

// Reads a number one character at a time, so that a line of any length
// needs no more memory than a few integers.
class NumberReader
{
public:
    // Feeds the next character; false once the number has ended.
    bool feed(char c)
    {
        switch (state) {
        case State::Blanks:
            if (c == ' ' || c == '\t')
                return true;
            state = State::Sign;
            [[fallthrough]];
        case State::Sign:
            state = State::Whole;
            if (c == '-' || c == '+') {
                negative = c == '-';
                return true;
            }
            [[fallthrough]];
        case State::Whole:
            if (isDigit(c)) {
                addWholeDigit(c - '0');
                return true;
            }
            if (c == '.') {
                state = State::Fraction;
                return true;
            }
            return false;
        case State::Fraction:
            if (!isDigit(c))
                return false;
            addFractionDigit(c - '0');
            return true;
        }
        return false;
    }

    std::optional<std::int16_t> value() const
    {
        long long rounded = whole;
        if (firstFraction > 5 || (firstFraction == 5 && laterFraction) || (firstFraction == 5 && whole % 2 == 1))
            ++rounded;
        if (negative)
            rounded = -rounded;
        if (tooLarge || rounded < std::numeric_limits<std::int16_t>::min() || rounded > std::numeric_limits<std::int16_t>::max())
            return std::nullopt;
        return static_cast<std::int16_t>(rounded);
    }

private:
    enum class State { Blanks, Sign, Whole, Fraction };

    static bool isDigit(char c) { return c >= '0' && c <= '9'; }

    void addWholeDigit(int digit)
    {
        whole = whole * 10 + digit;
        if (whole > 1'000'000) {
            tooLarge = true;
            whole = 1'000'000;
        }
    }

    void addFractionDigit(int digit)
    {
        if (fractionDigits++ == 0)
            firstFraction = digit;
        else if (digit != 0)
            laterFraction = true;
    }

    State state = State::Blanks;
    bool negative = false;
    bool tooLarge = false;
    long long whole = 0;
    int fractionDigits = 0;
    int firstFraction = 0;
    bool laterFraction = false;
};

} // namespace

std::optional<std::int16_t> parseLevelCount(std::istream &line)
{
    NumberReader reader;
    for (char c; line.get(c);) {
        if (!reader.feed(c))
            break;
    }
    return reader.value();
}

std::optional<std::int16_t> parseLevelCount(std::string_view line)
{
    std::istringstream in{std::string(line)};
    return parseLevelCount(in);
}

// A line end ends the number too, so the parser reads no further.
std::optional<std::int16_t> readLevelCount(const std::filesystem::path &file)
{
    auto opened = openForReading(file);
    if (!opened)
        return std::nullopt;
    const auto count = parseLevelCount(*opened);
    if (opened->bad())
        return std::nullopt;
    return count;
}

} // namespace levelfile
