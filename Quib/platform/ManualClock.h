// A clock that stands still until told to move: tests install one (for as long as it lives) and
// advance it, and each timer that falls due on the way fires at its own moment. Main thread only.
#pragma once
#include "platform/Clock.h"

#include <QList>
#include <QPointer>
#include <optional>

namespace platform {

class ManualClock : public Clock
{
public:
    // Becomes the current clock.
    ManualClock();
    // Puts the previous clock back; timers still armed here stop without firing.
    ~ManualClock() override;

    qint64 now() const override { return m_now; }

    // Moves time on by ms (negative counts as 0). Timers fire in the order they fall due, those due
    // together in the order they were started, with now() at their due time; a timer started by
    // a firing one fires within the same step when it falls due within it. advance(0) fires the
    // timers due now, zero-delay ones included.
    void advance(qint64 ms);
    // Time until the next timer falls due; nothing when none is armed.
    std::optional<qint64> untilNextTimer() const;
    int armedTimerCount() const { return int(m_timetable.size()); }

protected:
    void arm(ClockTimer& timer, int delayMs) override;
    void disarm(ClockTimer& timer) override;

private:
    struct Entry
    {
        qint64 due;
        quint64 order;
        QPointer<ClockTimer> timer;
    };
    qsizetype nextDueIndex() const;

    Clock* m_previous = nullptr;
    qint64 m_now = 0;
    quint64 m_order = 0;
    QList<Entry> m_timetable;
};

} // namespace platform
