#include "platform/ClockTimer.h"

#include "platform/Clock.h"

namespace platform {

ClockTimer::ClockTimer(QObject* parent) : QObject(parent) {}

ClockTimer::~ClockTimer()
{
    stop();
}

void ClockTimer::start()
{
    stop();
    m_clock = &Clock::current();
    m_clock->arm(*this, m_interval);
}

void ClockTimer::start(int ms)
{
    setInterval(ms);
    start();
}

void ClockTimer::stop()
{
    if (Clock* clock = m_clock) {
        m_clock = nullptr;
        clock->disarm(*this);
    }
}

} // namespace platform
