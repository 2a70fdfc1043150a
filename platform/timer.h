// A window's timer: the interval in milliseconds, 0 meaning stopped.
#pragma once

#include <QTimer>

#include <cstdint>
#include <functional>

namespace platform {

class Timer
{
public:
    explicit Timer(std::function<void()> handler);

    std::int16_t interval() const { return ms; }
    // A positive value (re)starts the timer with that interval; 0 or less
    // stops it, reads back as 0, and drops an expiry not yet delivered.
    void setInterval(std::int16_t interval);
    bool isRunning() const { return ms != 0; }

    // One expiry: runs the handler unless the timer is stopped, the handler
    // is still running, or a modal box is open.
    void expire();

private:
    QTimer timer;
    std::function<void()> handler;
    std::int16_t ms = 0;
    bool inHandler = false;
};

} // namespace platform
