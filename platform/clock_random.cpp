// Random numbers seeded from the clock.
#include "platform/clock_random.h"

#include <chrono>

namespace platform {

ClockRandom::ClockRandom()
{
    reseed();
}

double ClockRandom::next()
{
    return uniform(engine);
}

void ClockRandom::reseed()
{
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    engine.seed(static_cast<std::mt19937_64::result_type>(now));
}

} // namespace platform
