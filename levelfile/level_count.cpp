// Reading the number of levels from the level count file.
#include "levelfile/level_count.h"

#include "levelfile/input_file.h"
#include "levelfile/leading_number.h"

#include <limits>
#include <sstream>
#include <string>

namespace levelfile {
namespace {

// The count's value, kept in a few integers however long its digits run.
class RoundedCount
{
public:
    // Takes the next character; false once the number has ended.
    bool take(char c)
    {
        switch (number.next(c)) {
        case LeadingNumber::Part::Sign:
            negative = c == '-';
            break;
        case LeadingNumber::Part::Whole:
            addWholeDigit(c - '0');
            break;
        case LeadingNumber::Part::Fraction:
            addFractionDigit(c - '0');
            break;
        case LeadingNumber::Part::Blank:
        case LeadingNumber::Part::Point:
            break;
        case LeadingNumber::Part::End:
            return false;
        }
        return true;
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

    LeadingNumber number;
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
    RoundedCount count;
    for (char c; line.get(c);) {
        if (!count.take(c))
            break;
    }
    return count.value();
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
