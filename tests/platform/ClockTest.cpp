#include "platform/Clock.h"
#include "platform/ClockTimer.h"
#include "platform/ManualClock.h"

#include <QCoreApplication>
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

using namespace platform;

namespace {

// Records each timeout with the clock's time.
struct Log
{
    void watch(ClockTimer& timer, const QString& name)
    {
        QObject::connect(&timer, &ClockTimer::timeout, &timer, [this, name] {
            entries << QStringLiteral("%1@%2").arg(name).arg(Clock::current().now());
        });
    }
    QStringList entries;
};

} // namespace

TEST(ManualClock, FiresEachTimerAtItsDueTimeInOrder)
{
    ManualClock clock;
    Log log;
    ClockTimer late, early, sameAsEarly, zero;
    for (auto [timer, name] : {std::pair{&late, "late"}, std::pair{&early, "early"},
                               std::pair{&sameAsEarly, "same"}, std::pair{&zero, "zero"}})
        log.watch(*timer, QString::fromLatin1(name));
    late.start(300);
    early.start(100);
    sameAsEarly.start(100);
    zero.start(0);
    EXPECT_TRUE(late.isActive());
    EXPECT_EQ(clock.untilNextTimer(), 0);

    clock.advance(0);
    EXPECT_EQ(log.entries, QStringList{"zero@0"});
    clock.advance(99);
    EXPECT_EQ(log.entries.size(), 1);
    EXPECT_EQ(clock.untilNextTimer(), 1);
    clock.advance(150);
    EXPECT_EQ(log.entries, (QStringList{"zero@0", "early@100", "same@100"}));
    EXPECT_EQ(clock.now(), 249);
    EXPECT_FALSE(early.isActive());
    EXPECT_TRUE(late.isActive());
    clock.advance(1000);
    EXPECT_EQ(log.entries.last(), QStringLiteral("late@300"));
    EXPECT_EQ(clock.now(), 1249);
    EXPECT_FALSE(clock.untilNextTimer());
}

TEST(ManualClock, RestartStopAndDestructionAreHonoured)
{
    ManualClock clock;
    Log log;
    ClockTimer restarted;
    restarted.setInterval(100);
    log.watch(restarted, "restarted");
    restarted.start();
    clock.advance(60);
    restarted.start(); // due at 160 now
    clock.advance(99);
    EXPECT_TRUE(log.entries.isEmpty());
    clock.advance(1);
    EXPECT_EQ(log.entries, QStringList{"restarted@160"});

    ClockTimer stopped;
    log.watch(stopped, "stopped");
    stopped.start(10);
    stopped.stop();
    EXPECT_FALSE(stopped.isActive());
    auto destroyed = std::make_unique<ClockTimer>();
    log.watch(*destroyed, "destroyed");
    destroyed->start(10);
    destroyed.reset();
    EXPECT_EQ(clock.armedTimerCount(), 0);
    clock.advance(100);
    EXPECT_EQ(log.entries.size(), 1);
}

TEST(ManualClock, ATimerStartedByAFiringOneFiresWithinTheSameStep)
{
    ManualClock clock;
    ClockTimer timer;
    QList<qint64> times;
    QObject::connect(&timer, &ClockTimer::timeout, &timer, [&] {
        times << clock.now();
        if (times.size() < 3)
            timer.start(40);
    });
    timer.start(40);
    clock.advance(100);
    EXPECT_EQ(times, (QList<qint64>{40, 80}));
    EXPECT_TRUE(timer.isActive());
    clock.advance(20);
    EXPECT_EQ(times, (QList<qint64>{40, 80, 120}));
    EXPECT_FALSE(timer.isActive());
}

TEST(ManualClock, LeavingPutsTheSystemClockBackAndDisarmsItsTimers)
{
    Clock* system = &Clock::current();
    ClockTimer timer;
    bool fired = false;
    QObject::connect(&timer, &ClockTimer::timeout, &timer, [&] { fired = true; });
    {
        ManualClock clock;
        EXPECT_EQ(&Clock::current(), &clock);
        timer.start(5);
    }
    EXPECT_EQ(&Clock::current(), system);
    EXPECT_FALSE(timer.isActive());
    QCoreApplication::processEvents();
    EXPECT_FALSE(fired);

    // On the system clock the event loop fires it.
    timer.start(0);
    EXPECT_TRUE(timer.isActive());
    for (int turn = 0; turn < 100 && !fired; ++turn)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_TRUE(fired);
    EXPECT_FALSE(timer.isActive());
}
