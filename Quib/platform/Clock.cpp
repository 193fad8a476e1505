#include "platform/Clock.h"

#include "platform/ClockTimer.h"

#include <QElapsedTimer>
#include <QTimer>

namespace platform {

// Wall time, and timers on the event loop of the thread that starts them.
class SystemClock final : public Clock
{
public:
    SystemClock() { m_elapsed.start(); }
    qint64 now() const override { return m_elapsed.elapsed(); }

protected:
    void arm(ClockTimer& timer, int delayMs) override
    {
        if (!timer.m_systemTimer) {
            timer.m_systemTimer = new QTimer(&timer);
            timer.m_systemTimer->setSingleShot(true);
            // A coarse timer may fire up to 5% early; a delay here is a promise to the user.
            timer.m_systemTimer->setTimerType(Qt::PreciseTimer);
            QObject::connect(timer.m_systemTimer, &QTimer::timeout, &timer, [&timer] { fire(timer); });
        }
        timer.m_systemTimer->start(delayMs);
    }
    void disarm(ClockTimer& timer) override
    {
        if (timer.m_systemTimer)
            timer.m_systemTimer->stop();
    }

private:
    QElapsedTimer m_elapsed;
};

namespace {

Clock* g_installed = nullptr;

} // namespace

Clock& Clock::current()
{
    if (g_installed)
        return *g_installed;
    static SystemClock system;
    return system;
}

Clock* Clock::install(Clock* clock)
{
    Clock* previous = g_installed;
    g_installed = clock;
    return previous;
}

void Clock::fire(ClockTimer& timer)
{
    // No longer active once it fires, so the timeout may start it again.
    timer.m_clock = nullptr;
    emit timer.timeout();
}

void Clock::drop(ClockTimer& timer)
{
    timer.m_clock = nullptr;
}

} // namespace platform
