// The characters of a leading number.
#include "levelfile/leading_number.h"

namespace levelfile {
namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

LeadingNumber::Part LeadingNumber::next(char c)
{
    switch (state) {
    case State::Blanks:
        if (c == ' ' || c == '\t')
            return Part::Blank;
        state = State::Whole;
        if (c == '-' || c == '+')
            return Part::Sign;
        [[fallthrough]];
    case State::Whole:
        if (isDigit(c))
            return Part::Whole;
        if (c == '.') {
            state = State::Fraction;
            return Part::Point;
        }
        return Part::End;
    case State::Fraction:
        return isDigit(c) ? Part::Fraction : Part::End;
    }
    return Part::End;
}

} // namespace levelfile
