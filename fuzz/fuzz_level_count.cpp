// The level count file: the number at the start of its first line, rounded
// to the nearest integer with halves to the even neighbour.
#include "fuzz_support.h"

#include "levelfile/level_count.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

struct LeadingNumber {
    std::string text;     // sign, digits and point, blanks skipped
    std::string fraction; // the digits after the point
    bool hasDigits = false;
};

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The number at the start of the line, found without the reader's code.
LeadingNumber leadingNumber(std::string_view line)
{
    LeadingNumber number;
    std::size_t i = line.find_first_not_of(" \t");
    if (i == std::string_view::npos)
        return number;
    if (line[i] == '-' || line[i] == '+')
        number.text += line[i++];
    for (; i < line.size() && isDigit(line[i]); ++i)
        number.text += line[i];
    if (i < line.size() && line[i] == '.') {
        number.text += line[i++];
        for (; i < line.size() && isDigit(line[i]); ++i)
            number.fraction += line[i];
        number.text += number.fraction;
    }
    number.hasDigits = number.text.find_first_of("0123456789") != std::string::npos;
    return number;
}

// Exactly one half: a fraction of 5 followed by nothing but zeros.
bool isHalf(const std::string &fraction)
{
    return !fraction.empty() && fraction[0] == '5' && fraction.find_first_not_of('0', 1) == std::string::npos;
}

void checkAgainst(const LeadingNumber &number, std::optional<std::int16_t> count)
{
    if (!number.hasDigits) {
        fuzz::check(count == 0, "a line that does not begin with a number counts as 0");
        return;
    }
    const double value = std::strtod(number.text.c_str(), nullptr);
    // Room for the rounding of strtod itself on long digit strings.
    const double slack = 1e-9 * std::max(1.0, std::fabs(value));
    if (!count) {
        fuzz::check(std::fabs(value) >= 32767.5 - slack, "only a number beyond 16 bits is refused");
        return;
    }
    fuzz::check(std::fabs(*count - value) <= 0.5 + slack, "the count is the number rounded to the nearest integer");
    if (isHalf(number.fraction))
        fuzz::check(*count % 2 == 0, "a half rounds to the even neighbour");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const std::string_view firstLine = text.substr(0, text.find_first_of("\r\n"));

    const auto count = levelfile::parseLevelCount(firstLine);
    checkAgainst(leadingNumber(firstLine), count);
    fuzz::check(levelfile::parseLevelCount(text) == count, "lines after the first are never read");
    fuzz::check(levelfile::readLevelCount(fuzz::inputFile(data, size)) == count,
                "the file reader and the line reader agree");
    return 0;
}
