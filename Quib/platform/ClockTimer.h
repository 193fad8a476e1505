// A single-shot timer on the current Clock, in place of QTimer wherever a delay decides behaviour,
// so tests can run it on a ManualClock. The clock is the one current at start().
#pragma once
#include <QObject>

class QTimer;

namespace platform {

class Clock;

class ClockTimer : public QObject
{
    Q_OBJECT

public:
    explicit ClockTimer(QObject* parent = nullptr);
    ~ClockTimer() override;

    int interval() const { return m_interval; }
    void setInterval(int ms) { m_interval = qMax(0, ms); }

    // Starts, or restarts a running timer, with the interval.
    void start();
    void start(int ms);
    void stop();
    bool isActive() const { return m_clock != nullptr; }

signals:
    void timeout();

private:
    friend class Clock;
    friend class SystemClock;

    Clock* m_clock = nullptr; // the clock it is armed on
    QTimer* m_systemTimer = nullptr;
    int m_interval = 0;
};

} // namespace platform
