// The time that timers run on. Every delay in the program (delayed calls, the grid's moment on
// screen, hidden handles) is a ClockTimer armed on the current clock: the system's, or a ManualClock
// a test installed so that it decides when time passes.
#pragma once
#include <QtGlobal>

namespace platform {

class ClockTimer;

class Clock
{
public:
    Clock() = default;
    Clock(const Clock&) = delete;
    Clock& operator=(const Clock&) = delete;
    virtual ~Clock() = default;

    // The installed clock, else the system's.
    static Clock& current();

    // Milliseconds on a steady scale; only differences mean anything.
    virtual qint64 now() const = 0;

protected:
    friend class ClockTimer;
    // Arms the timer to fire once after delayMs; the timer is disarmed from its clock first.
    virtual void arm(ClockTimer& timer, int delayMs) = 0;
    virtual void disarm(ClockTimer& timer) = 0;

    // Makes clock the current one and returns the one it replaces (nullptr: the system's).
    static Clock* install(Clock* clock);
    // For clocks that keep their own timetable: runs the timer's timeout, or forgets a timer the
    // clock will never fire.
    static void fire(ClockTimer& timer);
    static void drop(ClockTimer& timer);
};

} // namespace platform
