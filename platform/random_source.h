// Uniform random numbers in [0, 1).
#pragma once

namespace platform {

class RandomSource
{
public:
    virtual ~RandomSource() = default;
    virtual double next() = 0;
    virtual void reseed() = 0;
};

} // namespace platform
