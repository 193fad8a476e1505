#include "platform/ManualClock.h"

#include "platform/ClockTimer.h"

namespace platform {

ManualClock::ManualClock()
{
    m_previous = install(this);
}

ManualClock::~ManualClock()
{
    const QList<Entry> armed = std::exchange(m_timetable, {});
    for (const Entry& entry : armed) {
        if (entry.timer)
            drop(*entry.timer);
    }
    install(m_previous);
}

void ManualClock::arm(ClockTimer& timer, int delayMs)
{
    disarm(timer);
    m_timetable.append(Entry{m_now + qMax(0, delayMs), m_order++, &timer});
}

void ManualClock::disarm(ClockTimer& timer)
{
    m_timetable.removeIf([&timer](const Entry& entry) { return entry.timer == &timer || !entry.timer; });
}

qsizetype ManualClock::nextDueIndex() const
{
    qsizetype best = -1;
    for (qsizetype i = 0; i < m_timetable.size(); ++i) {
        const Entry& e = m_timetable[i];
        if (best < 0 || e.due < m_timetable[best].due ||
            (e.due == m_timetable[best].due && e.order < m_timetable[best].order))
            best = i;
    }
    return best;
}

void ManualClock::advance(qint64 ms)
{
    const qint64 end = m_now + qMax<qint64>(0, ms);
    for (;;) {
        const qsizetype i = nextDueIndex();
        if (i < 0 || m_timetable[i].due > end)
            break;
        const Entry entry = m_timetable.takeAt(i);
        m_now = entry.due;
        if (entry.timer)
            fire(*entry.timer);
    }
    m_now = end;
}

std::optional<qint64> ManualClock::untilNextTimer() const
{
    const qsizetype i = nextDueIndex();
    if (i < 0)
        return std::nullopt;
    return m_timetable[i].due - m_now;
}

} // namespace platform
