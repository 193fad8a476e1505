#include "platform/Threads.h"

#include "platform/ClockTimer.h"
#include "platform/Heap.h"

#include <QCoreApplication>
#include <QHash>
#include <QMetaObject>
#include <QMutex>
#include <QPointer>
#include <QThread>
#include <QThreadPool>
#include <QFuture>
#include <QtConcurrent/QtConcurrentMap>

#include <algorithm>
#include <utility>
#include <vector>

namespace platform {

bool isMainThread()
{
    const QCoreApplication* app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}

void runInBackground(std::function<void()> job)
{
    QThreadPool::globalInstance()->start([job = std::move(job)] {
        reserveWorkerHeap();
        job();
    });
}

namespace {

using Range = std::pair<qsizetype, qsizetype>;

// [0, count) in at most maxBatches nearly equal ranges of at least minimumBatch calls each.
std::vector<Range> batchRanges(qsizetype count, qsizetype minimumBatch, qsizetype maxBatches)
{
    const qsizetype batch = std::max<qsizetype>(1, minimumBatch);
    const qsizetype batches = std::min<qsizetype>((count + batch - 1) / batch, maxBatches);
    std::vector<Range> ranges;
    ranges.reserve(size_t(std::max<qsizetype>(0, batches)));
    for (qsizetype b = 0; b < batches; ++b)
        ranges.emplace_back(count * b / batches, count * (b + 1) / batches);
    return ranges;
}

int poolThreads()
{
    return std::max(1, QThreadPool::globalInstance()->maxThreadCount());
}

// A worker busy elsewhere (or the caller's late start) would hold up one batch per thread; several
// smaller batches per thread even that out.
constexpr qsizetype kBatchesPerThread = 4;

// One batch; a waiting caller may run one itself, and only a worker's heap is prepared.
void runBatch(const Range& range, const std::function<void(qsizetype)>& body)
{
    if (!isMainThread())
        reserveWorkerHeap();
    for (qsizetype i = range.first; i < range.second; ++i)
        body(i);
}

} // namespace

void concurrentFor(qsizetype count, qsizetype minimumBatch, const std::function<void(qsizetype)>& body)
{
    // The calling thread takes a batch too.
    const std::vector<Range> ranges =
        batchRanges(count, minimumBatch, (poolThreads() + 1) * kBatchesPerThread);
    if (ranges.size() <= 1) {
        for (qsizetype i = 0; i < count; ++i)
            body(i);
        return;
    }
    QtConcurrent::blockingMap(ranges, [&body](const Range& range) { runBatch(range, body); });
}

struct ConcurrentFor::Running
{
    std::function<void(qsizetype)> body;
    std::vector<Range> ranges;
    QFuture<void> future;
};

ConcurrentFor::ConcurrentFor(qsizetype count, qsizetype minimumBatch, std::function<void(qsizetype)> body)
    : m_running(std::make_unique<Running>())
{
    m_running->body = std::move(body);
    m_running->ranges = batchRanges(count, minimumBatch, poolThreads() * kBatchesPerThread);
    Running* running = m_running.get();
    m_running->future = QtConcurrent::map(m_running->ranges,
                                          [running](const Range& range) { runBatch(range, running->body); });
}

ConcurrentFor::~ConcurrentFor()
{
    wait();
}

void ConcurrentFor::wait()
{
    m_running->future.waitForFinished();
}

void performOnMainThread(std::function<void()> fn, bool waitUntilDone)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) {
        fn();
        return;
    }
    if (waitUntilDone) {
        if (isMainThread())
            fn();
        else
            QMetaObject::invokeMethod(app, std::move(fn), Qt::BlockingQueuedConnection);
        return;
    }
    QMetaObject::invokeMethod(app, std::move(fn), Qt::QueuedConnection);
}

void runInBackgroundThenOnMain(std::function<QVariant()> job, std::function<void(QVariant)> completion,
                               QObject* context)
{
    const bool guarded = context != nullptr;
    QPointer<QObject> guard(context);
    runInBackground([job = std::move(job), completion = std::move(completion), guarded, guard]() {
        QVariant result = job();
        performOnMainThread(
            [completion, guarded, guard, result = std::move(result)]() {
                if (guarded && guard.isNull())
                    return;
                completion(result);
            },
            false);
    });
}

namespace {

struct PerformKey
{
    const QObject* target;
    QString action;
    bool operator==(const PerformKey& o) const { return target == o.target && action == o.action; }
};

size_t qHash(const PerformKey& key, size_t seed = 0)
{
    return qHashMulti(seed, key.target, key.action);
}

QMutex& performsMutex()
{
    static QMutex m;
    return m;
}

QHash<PerformKey, QPointer<ClockTimer>>& performs()
{
    static QHash<PerformKey, QPointer<ClockTimer>> p;
    return p;
}

// Removes the entry and returns its timer when it is still the one registered.
ClockTimer* takePerform(const PerformKey& key, const ClockTimer* expected = nullptr)
{
    QMutexLocker lock(&performsMutex());
    auto it = performs().find(key);
    if (it == performs().end())
        return nullptr;
    ClockTimer* timer = it->data();
    if (expected && timer != expected)
        return nullptr;
    performs().erase(it);
    return timer;
}

void discard(ClockTimer* timer)
{
    if (!timer)
        return;
    timer->stop();
    QObject::disconnect(timer, nullptr, nullptr, nullptr);
    timer->deleteLater();
}

} // namespace

void DelayedPerform::schedule(QObject* target, const QString& action, int delayMs, std::function<void()> fn)
{
    Q_ASSERT(!target || target->thread() == QThread::currentThread());
    const PerformKey key{target, action};
    discard(takePerform(key));

    auto* timer = new ClockTimer;
    const bool hasTarget = target != nullptr;
    QPointer<QObject> guard(target);
    QObject::connect(timer, &ClockTimer::timeout, timer,
                     [timer, key, hasTarget, guard, fn = std::move(fn)]() {
                         // No longer pending once it fires, so fn may schedule the same action again.
                         takePerform(key, timer);
                         QObject::disconnect(timer, nullptr, nullptr, nullptr);
                         timer->deleteLater();
                         if (hasTarget && guard.isNull())
                             return;
                         fn();
                     });
    if (target) {
        QObject::connect(target, &QObject::destroyed, timer, [timer, key]() {
            takePerform(key, timer);
            discard(timer);
        });
    }
    {
        QMutexLocker lock(&performsMutex());
        performs().insert(key, timer);
    }
    timer->start(qMax(0, delayMs));
}

void DelayedPerform::cancel(QObject* target, const QString& action)
{
    discard(takePerform({target, action}));
}

bool DelayedPerform::isPending(QObject* target, const QString& action)
{
    QMutexLocker lock(&performsMutex());
    const auto it = performs().constFind({target, action});
    return it != performs().constEnd() && !it->isNull() && (*it)->isActive();
}

} // namespace platform
