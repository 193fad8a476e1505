#include "platform/Threads.h"

#include "platform/ManualClock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QThreadPool>

#include <atomic>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

using namespace platform;

namespace {

// Runs the main event loop until done() or the time is up.
bool spinUntil(const std::function<bool()>& done, int timeoutMs = 5000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

} // namespace

TEST(Threads, PerformOnMainThreadFromWorkerWaits)
{
    QThread* main = QThread::currentThread();
    std::atomic<QThread*> ranOn{nullptr};
    std::atomic<bool> seenAfterReturn{false};
    std::atomic<bool> workerDone{false};
    std::thread worker([&]() {
        int value = 0;
        performOnMainThread(
            [&]() {
                ranOn = QThread::currentThread();
                value = 42;
            },
            true);
        seenAfterReturn = value == 42; // the call returned only after the main thread ran it
        workerDone = true;
    });
    ASSERT_TRUE(spinUntil([&] { return workerDone.load(); }));
    worker.join();
    EXPECT_EQ(ranOn.load(), main);
    EXPECT_TRUE(seenAfterReturn);
}

TEST(Threads, PerformWithoutWaitingIsQueuedEvenOnMain)
{
    bool ran = false;
    performOnMainThread([&]() { ran = true; }, false);
    EXPECT_FALSE(ran);
    ASSERT_TRUE(spinUntil([&] { return ran; }));

    bool direct = false;
    performOnMainThread([&]() { direct = true; }, true);
    EXPECT_TRUE(direct);
}

TEST(Threads, BackgroundResultArrivesOnMain)
{
    QThread* main = QThread::currentThread();
    std::atomic<QThread*> jobThread{nullptr};
    QThread* completionThread = nullptr;
    QVariant received;
    runInBackgroundThenOnMain(
        [&]() {
            jobThread = QThread::currentThread();
            return QVariant(7);
        },
        [&](QVariant v) {
            completionThread = QThread::currentThread();
            received = v;
        });
    ASSERT_TRUE(spinUntil([&] { return received.isValid(); }));
    EXPECT_NE(jobThread.load(), main);
    EXPECT_EQ(completionThread, main);
    EXPECT_EQ(received.toInt(), 7);
}

TEST(Threads, CompletionDroppedWhenContextIsGone)
{
    auto* context = new QObject;
    QObject alive;
    std::atomic<bool> release{false};
    bool completed = false;
    bool aliveCompleted = false;
    auto job = [&]() {
        while (!release)
            QThread::msleep(1);
        return QVariant(1);
    };
    runInBackgroundThenOnMain(
        job, [&](QVariant) { completed = true; }, context);
    runInBackgroundThenOnMain(
        job, [&](QVariant) { aliveCompleted = true; }, &alive);
    delete context;
    release = true;
    // Each hand-back is posted before its worker finishes: once the pool is idle, delivering the
    // posted events runs every completion there is to run.
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(aliveCompleted);
    EXPECT_FALSE(completed);
}

TEST(DelayedPerform, NewerRequestReplacesPending)
{
    ManualClock clock;
    QObject target;
    QStringList calls;
    DelayedPerform::schedule(&target, "check", 30, [&] { calls << "first"; });
    clock.advance(20);
    DelayedPerform::schedule(&target, "check", 30, [&] { calls << "second"; }); // due at 50, not 30
    DelayedPerform::schedule(&target, "other", 10, [&] { calls << "other"; });
    EXPECT_TRUE(DelayedPerform::isPending(&target, "check"));
    clock.advance(29);
    EXPECT_EQ(calls, QStringList{"other"});
    EXPECT_TRUE(DelayedPerform::isPending(&target, "check"));
    clock.advance(1);
    EXPECT_EQ(calls, (QStringList{"other", "second"}));
    EXPECT_FALSE(DelayedPerform::isPending(&target, "check"));
    clock.advance(1000);
    EXPECT_EQ(calls.size(), 2);
}

TEST(DelayedPerform, CancelAndRescheduleFromInsideTheCall)
{
    ManualClock clock;
    QObject target;
    int cancelled = 0;
    DelayedPerform::schedule(&target, "a", 0, [&] { ++cancelled; });
    DelayedPerform::cancel(&target, "a");
    EXPECT_FALSE(DelayedPerform::isPending(&target, "a"));

    // Each run asks for the next one 10 ms on; three runs in all.
    int runs = 0;
    QList<qint64> times;
    std::function<void()> again = [&]() {
        times << clock.now();
        if (++runs < 3)
            DelayedPerform::schedule(&target, "b", 10, again);
    };
    DelayedPerform::schedule(&target, "b", 10, again);
    clock.advance(100);
    EXPECT_EQ(runs, 3);
    EXPECT_EQ(times, (QList<qint64>{10, 20, 30}));
    EXPECT_EQ(cancelled, 0);
    EXPECT_FALSE(DelayedPerform::isPending(&target, "b"));
}

TEST(DelayedPerform, NoCallAfterTargetIsDestroyed)
{
    ManualClock clock;
    int calls = 0;
    auto* target = new QObject;
    DelayedPerform::schedule(target, "check", 10, [&] { ++calls; });
    delete target;
    EXPECT_EQ(clock.armedTimerCount(), 0);
    clock.advance(50);
    EXPECT_EQ(calls, 0);

    // A new object at a recycled address must not see the old request.
    QObject other;
    EXPECT_FALSE(DelayedPerform::isPending(&other, "check"));
}

TEST(DelayedPerform, RunsOnTheEventLoopWithTheSystemClock)
{
    QObject target;
    bool ran = false;
    DelayedPerform::schedule(&target, "check", 0, [&] { ran = true; });
    EXPECT_FALSE(ran);
    ASSERT_TRUE(spinUntil([&] { return ran; }));
    EXPECT_FALSE(DelayedPerform::isPending(&target, "check"));
}

// Every index is visited exactly once, whatever the count and the batch, on the pool's threads and
// the caller's; the call returns only when all are done.
TEST(ConcurrentFor, VisitsEveryIndexOnceAndWaitsForAll)
{
    const struct
    {
        qsizetype count;
        qsizetype batch;
    } cases[] = {{0, 8}, {1, 8}, {7, 8}, {8, 8}, {9, 8}, {1000, 1}, {1000, 64}, {4097, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "count " << c.count << ", batch " << c.batch);
        std::vector<std::atomic<int>> visits(size_t(c.count));
        platform::concurrentFor(c.count, c.batch, [&](qsizetype i) {
            ASSERT_GE(i, 0);
            ASSERT_LT(i, c.count);
            visits[size_t(i)].fetch_add(1);
        });
        for (qsizetype i = 0; i < c.count; ++i)
            ASSERT_EQ(visits[size_t(i)].load(), 1) << "index " << i;
    }
}

// Started without waiting, the calls visit every index once; the caller goes on meanwhile, and
// wait() or the task's end returns only when all are done, so the task may be dropped at any time.
TEST(ConcurrentFor, StartedAheadVisitsEveryIndexOnceAndEndsBeforeItIsGone)
{
    for (const qsizetype count : {qsizetype(0), qsizetype(1), qsizetype(9), qsizetype(1000)}) {
        SCOPED_TRACE(testing::Message() << "count " << count);
        std::vector<std::atomic<int>> visits(static_cast<size_t>(count));
        std::atomic<qsizetype> done{0};
        {
            platform::ConcurrentFor task(count, 4, [&](qsizetype i) {
                QThread::usleep(50);
                visits[size_t(i)].fetch_add(1);
                done.fetch_add(1);
            });
            if (count == 9) {
                task.wait();
                EXPECT_EQ(done.load(), count);
            }
        }
        EXPECT_EQ(done.load(), count);
        for (qsizetype i = 0; i < count; ++i)
            ASSERT_EQ(visits[size_t(i)].load(), 1) << "index " << i;
    }
}
