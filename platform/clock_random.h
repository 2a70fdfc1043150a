// Random numbers seeded from the clock.
#pragma once

#include "platform/random_source.h"

#include <random>

namespace platform {

class ClockRandom : public RandomSource
{
public:
    ClockRandom();
    double next() override;
    void reseed() override;

private:
    std::mt19937_64 engine;
    std::uniform_real_distribution<double> uniform{0.0, 1.0};
};

} // namespace platform
