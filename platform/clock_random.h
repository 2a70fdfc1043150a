// Uniform random numbers in [0, 1): the source the game draws from, and its
// implementation seeded from the clock.
#pragma once

#include <random>

namespace platform {

class RandomSource
{
public:
    virtual ~RandomSource() = default;
    virtual double next() = 0;
    virtual void reseed() = 0;
};

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
