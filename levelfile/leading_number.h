// The grammar of a number at the start of a line of text: blanks and tabs,
// an optional sign, digits, and an optional point followed by more digits.
#pragma once

namespace levelfile {

// Takes a line one character at a time and says what each is in the number,
// so that a reader of any length of line keeps only what its value needs.
class LeadingNumber
{
public:
    enum class Part { Blank, Sign, Whole, Point, Fraction, End };

    // What c is; End for the first character past the number, where the
    // reader stops.
    Part next(char c);

private:
    enum class State { Blanks, Whole, Fraction };
    State state = State::Blanks;
};

} // namespace levelfile
