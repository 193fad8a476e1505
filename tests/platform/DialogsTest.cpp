#include "platform/Dialogs.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

using namespace platform;

namespace {

// A small flow of the kind the document runs: confirm, pick a file, pick where to save.
QString exportFlow()
{
    if (showAlert("This file has changed", "Do you want to save the changes?", {"Yes", "No", "Cancel"}) != 0)
        return "kept";
    FilePanelRequest open;
    open.prompt = "Select";
    open.allowedExtensions = {"jpg", "png"};
    const QStringList images = DialogService::current().runOpenPanel(open);
    if (images.isEmpty())
        return "no image";
    FilePanelRequest save;
    save.fileName = "page.zip";
    const QString target = DialogService::current().runSavePanel(save);
    return target.isEmpty() ? QString("cancelled") : images.first() + " -> " + target;
}

// Records which thread the alert ran on.
class ThreadRecordingDialogs : public ScriptedDialogs
{
public:
    std::atomic<QThread*> alertThread{nullptr};
    int runAlert(const Alert& alert) override
    {
        alertThread = QThread::currentThread();
        return ScriptedDialogs::runAlert(alert);
    }
};

} // namespace

TEST(Dialogs, ScriptedAnswersDriveAFlow)
{
    ScopedDialogs scoped;
    scoped->queueAlertAnswer(0);
    scoped->queueOpenPanelAnswer({"/tmp/a.jpg"});
    scoped->queueSavePanelAnswer("/tmp/out.zip");
    EXPECT_EQ(exportFlow(), "/tmp/a.jpg -> /tmp/out.zip");

    ASSERT_EQ(scoped->alerts().size(), 1);
    EXPECT_EQ(scoped->alerts()[0].title, "This file has changed");
    EXPECT_EQ(scoped->alerts()[0].buttons, (QStringList{"Yes", "No", "Cancel"}));
    EXPECT_EQ(scoped->alerts()[0].style, AlertStyle::Warning);
    ASSERT_EQ(scoped->openRequests().size(), 1);
    EXPECT_EQ(scoped->openRequests()[0].prompt, "Select");
    ASSERT_EQ(scoped->saveRequests().size(), 1);
    EXPECT_EQ(scoped->saveRequests()[0].fileName, "page.zip");

    // "Cancel" ends the flow before any panel.
    scoped->queueAlertAnswer(2);
    EXPECT_EQ(exportFlow(), "kept");
    EXPECT_EQ(scoped->openRequests().size(), 1);

    // Empty queues answer the first button and cancelled panels.
    EXPECT_EQ(exportFlow(), "no image");
    EXPECT_EQ(scoped->alerts().size(), 3);
}

TEST(Dialogs, ScopedDialogsRestoresThePreviousService)
{
    DialogService* before = &DialogService::current();
    {
        ScopedDialogs outer;
        EXPECT_EQ(&DialogService::current(), &outer.dialogs());
        {
            ScopedDialogs inner;
            EXPECT_EQ(&DialogService::current(), &inner.dialogs());
        }
        EXPECT_EQ(&DialogService::current(), &outer.dialogs());
    }
    EXPECT_EQ(&DialogService::current(), before);
}

TEST(Dialogs, SuppressionAnswerReachesTheCaller)
{
    ScopedDialogs scoped;
    scoped->queueAlertAnswer(1, true);
    bool suppressed = false;
    Alert alert{"Delete",
                "Deleting sections also deletes their contents.",
                {"OK", "Cancel"},
                AlertStyle::Informational,
                true,
                &suppressed};
    EXPECT_EQ(showAlert(alert), 1);
    EXPECT_TRUE(suppressed);
}

TEST(Dialogs, AlertFromWorkerRunsOnMainThread)
{
    ThreadRecordingDialogs dialogs;
    DialogService::setCurrent(&dialogs);
    dialogs.queueAlertAnswer(1);

    std::atomic<int> answer{-1};
    QEventLoop loop;
    std::thread worker([&]() {
        answer = showAlert("Upload failed", "The server did not answer.", {"Retry", "Cancel"});
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    loop.exec();
    worker.join();
    DialogService::setCurrent(nullptr);

    EXPECT_EQ(answer.load(), 1);
    EXPECT_EQ(dialogs.alertThread.load(), QCoreApplication::instance()->thread());
    ASSERT_EQ(dialogs.alerts().size(), 1);
    EXPECT_EQ(dialogs.alerts()[0].informativeText, "The server did not answer.");
}
