#include "platform/Threads.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

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

void spinFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
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
    std::atomic<bool> release{false};
    std::atomic<bool> jobDone{false};
    bool completed = false;
    runInBackgroundThenOnMain(
        [&]() {
            while (!release)
                QThread::msleep(1);
            jobDone = true;
            return QVariant(1);
        },
        [&](QVariant) { completed = true; }, context);
    delete context;
    release = true;
    ASSERT_TRUE(spinUntil([&] { return jobDone.load(); }));
    spinFor(50);
    EXPECT_FALSE(completed);
}

TEST(DelayedPerform, NewerRequestReplacesPending)
{
    QObject target;
    QStringList calls;
    DelayedPerform::schedule(&target, "check", 30, [&] { calls << "first"; });
    DelayedPerform::schedule(&target, "check", 30, [&] { calls << "second"; });
    DelayedPerform::schedule(&target, "other", 10, [&] { calls << "other"; });
    EXPECT_TRUE(DelayedPerform::isPending(&target, "check"));
    ASSERT_TRUE(spinUntil([&] { return calls.size() == 2; }));
    spinFor(60);
    EXPECT_EQ(calls, (QStringList{"other", "second"}));
    EXPECT_FALSE(DelayedPerform::isPending(&target, "check"));
}

TEST(DelayedPerform, CancelAndRescheduleFromInsideTheCall)
{
    QObject target;
    int cancelled = 0;
    DelayedPerform::schedule(&target, "a", 0, [&] { ++cancelled; });
    DelayedPerform::cancel(&target, "a");
    EXPECT_FALSE(DelayedPerform::isPending(&target, "a"));

    int runs = 0;
    std::function<void()> again = [&]() {
        if (++runs < 3)
            DelayedPerform::schedule(&target, "b", 0, again);
    };
    DelayedPerform::schedule(&target, "b", 0, again);
    ASSERT_TRUE(spinUntil([&] { return runs == 3; }));
    spinFor(30);
    EXPECT_EQ(runs, 3);
    EXPECT_EQ(cancelled, 0);
}

TEST(DelayedPerform, NoCallAfterTargetIsDestroyed)
{
    int calls = 0;
    auto* target = new QObject;
    DelayedPerform::schedule(target, "check", 10, [&] { ++calls; });
    delete target;
    spinFor(50);
    EXPECT_EQ(calls, 0);

    // A new object at a recycled address must not see the old request.
    QObject other;
    EXPECT_FALSE(DelayedPerform::isPending(&other, "check"));
}
