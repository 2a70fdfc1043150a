// Random numbers from a script, then 0.5.
#pragma once

#include "platform/clock_random.h"

#include <deque>

class ScriptedRandom : public platform::RandomSource
{
public:
    std::deque<double> values; // drawn first, in order
    int reseeds = 0;
    int draws = 0;

    double next() override
    {
        ++draws;
        if (values.empty())
            return 0.5;
        const double value = values.front();
        values.pop_front();
        return value;
    }
    void reseed() override { ++reseeds; }
};
