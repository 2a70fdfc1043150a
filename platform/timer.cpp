// The window timer.
#include "platform/timer.h"

#include "platform/modal_guard.h"

#include <algorithm>

namespace platform {

Timer::Timer(std::function<void()> handler)
    : handler(std::move(handler))
{
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &timer, [this] { expire(); });
}

void Timer::setInterval(std::int16_t interval)
{
    ms = std::max<std::int16_t>(interval, 0);
    if (ms > 0)
        timer.start(ms);
    else
        timer.stop();
}

void Timer::expire()
{
    if (ms == 0 || inHandler || ModalGuard::anyOpen())
        return;
    inHandler = true;
    handler();
    inHandler = false;
}

} // namespace platform
