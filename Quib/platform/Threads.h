// Work off the main thread and the hand-back to it; delayed single-shot calls that a newer request
// for the same object and action replaces.
#pragma once
#include <QObject>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>

namespace platform {

bool isMainThread();

// Runs the job on a worker of the global thread pool.
void runInBackground(std::function<void()> job);

// Runs body(i) for each i in [0, count) on the global thread pool and the calling thread, in
// batches of at least minimumBatch, and returns when every call has returned. The calls may run in
// any order and at once: body must touch nothing another call touches.
void concurrentFor(qsizetype count, qsizetype minimumBatch, const std::function<void(qsizetype)>& body);

// concurrentFor without waiting: the calls start on the global thread pool at once, and the caller
// goes on with other work until wait(). Destroying the task waits as well, so nothing body uses may
// be destroyed before the task.
class ConcurrentFor
{
public:
    ConcurrentFor(qsizetype count, qsizetype minimumBatch, std::function<void(qsizetype)> body);
    ~ConcurrentFor();
    ConcurrentFor(const ConcurrentFor&) = delete;
    ConcurrentFor& operator=(const ConcurrentFor&) = delete;
    void wait();

private:
    struct Running;
    std::unique_ptr<Running> m_running;
};

// Runs fn on the main thread. Waiting: runs at once when already there, else blocks until the main
// thread has run it. Not waiting: always queued to the main event loop, even from the main thread,
// so the caller finishes its turn first.
void performOnMainThread(std::function<void()> fn, bool waitUntilDone);

// Runs job on a worker and hands its result to completion on the main thread. With a context, the
// completion is dropped when the context is destroyed before the job ends.
void runInBackgroundThenOnMain(std::function<QVariant()> job, std::function<void(QVariant)> completion,
                               QObject* context = nullptr);

// Delayed calls keyed by target and action, timed by the current Clock: the system's runs them on the
// event loop of the calling thread (the main thread in practice; call from the target's thread). A
// call never runs after its target is destroyed.
class DelayedPerform
{
public:
    DelayedPerform() = delete;
    // Cancels a pending call for the same target and action, then schedules fn after delayMs.
    static void schedule(QObject* target, const QString& action, int delayMs, std::function<void()> fn);
    static void cancel(QObject* target, const QString& action);
    static bool isPending(QObject* target, const QString& action);
};

} // namespace platform
