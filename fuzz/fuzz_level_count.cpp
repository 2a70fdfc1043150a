// The level count: the first line's number rounded halves to even, checked against strtod.
#include "fuzz_support.h"

#include "levelfile/level_count.h"

#include <algorithm>
#include <cmath>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const std::string_view line = text.substr(0, text.find_first_of("\r\n"));
    const auto count = levelfile::parseLevelCount(line);
    fuzz::check(levelfile::parseLevelCount(text) == count, "lines after the first are never read");
    fuzz::check(levelfile::readLevelCount(fuzz::inputFile(data, size)) == count, "the file reader and the line reader agree");

    // The number: blanks, a sign, digits, a point and digits.
    std::size_t i = std::min(line.find_first_not_of(" \t"), line.size());
    const std::size_t start = i;
    i += i < line.size() && (line[i] == '-' || line[i] == '+');
    const auto digits = [&] {
        const std::size_t from = i;
        while (i < line.size() && line[i] >= '0' && line[i] <= '9')
            ++i;
        return i - from;
    };
    std::size_t found = digits();
    std::string_view fraction;
    if (i < line.size() && line[i] == '.') {
        const std::size_t point = ++i;
        found += digits();
        fraction = line.substr(point, i - point);
    }
    if (!found) {
        fuzz::check(count == 0, "a line that does not begin with a number counts as 0");
        return 0;
    }
    const double value = std::strtod(std::string(line.substr(start, i - start)).c_str(), nullptr);
    const double slack = 1e-9 * std::max(1.0, std::fabs(value)); // strtod's own rounding of long numbers
    if (!count) {
        fuzz::check(std::fabs(value) >= 32767.5 - slack, "only a number beyond 16 bits is refused");
        return 0;
    }
    fuzz::check(std::fabs(*count - value) <= 0.5 + slack, "the count is the number rounded to the nearest integer");
    if (!fraction.empty() && fraction[0] == '5' && fraction.find_first_not_of('0', 1) == std::string_view::npos)
        fuzz::check(*count % 2 == 0, "a half rounds to the even neighbour");
    return 0;
}
