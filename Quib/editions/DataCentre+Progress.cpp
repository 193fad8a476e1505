#include "editions/DataCentre.h"

#include "platform/Threads.h"

#include <QCoreApplication>
#include <QList>
#include <QMutex>
#include <atomic>

namespace {

enum class ProgressOp { Show, Update, Dismiss };

struct ProgressCall
{
    ProgressOp op = ProgressOp::Update;
    qint32 done = 0;
    qint32 total = 0;
    QString text;
};

std::atomic<DataCentre::ProgressDisplay*> gDisplay{nullptr};

// Calls from workers waiting for the main thread. Only short list edits happen under the lock, so
// a worker never waits on drawing; one queued drain is outstanding at a time.
QMutex gPendingMutex;
QList<ProgressCall> gPending;
bool gDrainPosted = false;

void apply(const ProgressCall& call)
{
    DataCentre::ProgressDisplay* display = gDisplay.load();
    if (!display)
        return;
    switch (call.op) {
    case ProgressOp::Show:
        display->show();
        break;
    case ProgressOp::Update:
        display->update(call.done, call.total, call.text);
        break;
    case ProgressOp::Dismiss:
        display->dismiss();
        break;
    }
}

void drainPending()
{
    QList<ProgressCall> calls;
    {
        QMutexLocker lock(&gPendingMutex);
        calls.swap(gPending);
        gDrainPosted = false;
    }
    for (const ProgressCall& call : calls)
        apply(call);
}

bool isFinal(const ProgressCall& call)
{
    return call.done == call.total;
}

void enqueue(ProgressCall call)
{
    if (platform::isMainThread()) {
        drainPending();
        apply(call);
        return;
    }
    {
        QMutexLocker lock(&gPendingMutex);
        if (call.op != ProgressOp::Update) {
            // A show or dismiss replaces the window, so what was queued for the old one is moot.
            // The last finished update stays: it also brings the main window back.
            const bool keepFinal =
                !gPending.isEmpty() && gPending.last().op == ProgressOp::Update && isFinal(gPending.last());
            const ProgressCall last = keepFinal ? gPending.last() : ProgressCall{};
            gPending.clear();
            if (keepFinal)
                gPending.append(last);
            gPending.append(std::move(call));
        } else if (!gPending.isEmpty() && gPending.last().op == ProgressOp::Update &&
                   (!isFinal(gPending.last()) || isFinal(call))) {
            gPending.last() = std::move(call);
            // Two finished updates in a row show as the later one.
            const qsizetype n = gPending.size();
            if (n >= 2 && gPending.at(n - 2).op == ProgressOp::Update && isFinal(gPending.at(n - 2)))
                gPending.removeAt(n - 2);
        } else {
            gPending.append(std::move(call));
        }
        if (gDrainPosted)
            return;
        gDrainPosted = true;
    }
    if (QCoreApplication* app = QCoreApplication::instance())
        QMetaObject::invokeMethod(app, &drainPending, Qt::QueuedConnection);
}

} // namespace

void DataCentre::showProgressIndicator()
{
    enqueue({ProgressOp::Show, 0, 0, {}});
}

void DataCentre::updateProgressBar(qint32 done, qint32 total, const QString& text)
{
    enqueue({ProgressOp::Update, done, total, text});
}

void DataCentre::dismissProgressIndicator()
{
    enqueue({ProgressOp::Dismiss, 0, 0, {}});
}

void DataCentre::setProgressDisplay(ProgressDisplay* display)
{
    gDisplay.store(display);
}
