// The shared progress window through DataCentre's operations, from the main thread and from a
// worker that must never wait for the main thread.
#include "WindowTestSupport.h"

#include "editions/DataCentre.h"
#include "window/ProgressIndicatorWindowController.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <chrono>
#include <future>
#include <thread>

namespace {

class ProgressWindowTest : public WindowTest
{
protected:
    ProgressWindowTest() { ProgressIndicatorWindowController::installForProcess(); }
    ~ProgressWindowTest() override { DataCentre::dismissProgressIndicator(); }

    static int visibleProgressWindows()
    {
        int count = 0;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->objectName() == QLatin1String("ProgressIndicatorWindowController") &&
                widget->isVisible())
                ++count;
        }
        return count;
    }
};

} // namespace

TEST_F(ProgressWindowTest, ShowsPleaseWaitThenDoneOfTotal)
{
    DataCentre::showProgressIndicator();
    ProgressIndicatorWindowController* progress = ProgressIndicatorWindowController::current();
    ASSERT_TRUE(progress);
    EXPECT_TRUE(progress->window()->isVisible());
    EXPECT_EQ(progress->progressStatusTextfield()->text(), QStringLiteral("Please wait"));
    EXPECT_EQ(progress->progressFileTextField()->text(), QString());
    EXPECT_EQ(progress->progressIndicator()->maximum(), 0); // indeterminate
    EXPECT_EQ(progress->levelIndicator()->maximum(), 10);
    EXPECT_EQ(progress->levelIndicator()->value(), 0);
    EXPECT_TRUE(progress->progressIndicator2()->isHidden());

    DataCentre::updateProgressBar(5, 40, QStringLiteral("index.html"));
    EXPECT_EQ(progress->progressStatusTextfield()->text(), QStringLiteral("Please wait: 5/40 completed"));
    EXPECT_EQ(progress->levelIndicator()->maximum(), 40);
    EXPECT_EQ(progress->levelIndicator()->value(), 5);
    EXPECT_EQ(progress->progressFileTextField()->text(), QStringLiteral("index.html"));

    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/artefacts");
    QDir().mkpath(folder);
    EXPECT_TRUE(progress->window()->grab().save(folder + QStringLiteral("/progress-window.png")));
}

TEST_F(ProgressWindowTest, DoneEqualToTotalHidesItAndRaisesTheMainWindow)
{
    QMainWindow main;
    main.setWindowOpacity(0.5);
    main.show();
    DataCentre::showProgressIndicator();
    DataCentre::updateProgressBar(40, 40, QString());
    ProgressIndicatorWindowController* progress = ProgressIndicatorWindowController::current();
    ASSERT_TRUE(progress); // kept until the next show or dismiss
    EXPECT_FALSE(progress->window()->isVisible());
    EXPECT_EQ(main.windowOpacity(), 1.0);

    // With no window, a finished update (0 of 0 too) still restores the main window.
    DataCentre::dismissProgressIndicator();
    main.setWindowOpacity(0.5);
    DataCentre::updateProgressBar(0, 0, QString());
    EXPECT_EQ(ProgressIndicatorWindowController::current(), nullptr);
    EXPECT_EQ(main.windowOpacity(), 1.0);
}

TEST_F(ProgressWindowTest, TwoShowsLeaveOneWindowAndDismissWithNoneDoesNothing)
{
    DataCentre::dismissProgressIndicator();
    EXPECT_EQ(ProgressIndicatorWindowController::current(), nullptr);
    DataCentre::showProgressIndicator();
    DataCentre::showProgressIndicator();
    EXPECT_EQ(visibleProgressWindows(), 1);
    DataCentre::dismissProgressIndicator();
    EXPECT_EQ(visibleProgressWindows(), 0);
    EXPECT_EQ(ProgressIndicatorWindowController::current(), nullptr);
}

TEST_F(ProgressWindowTest, AWorkersTenThousandUpdatesNeverWaitForTheMainThread)
{
    constexpr int kTotal = 10001;
    // The main thread runs no events until the worker has finished: a call that waited for the
    // main thread would never return.
    std::packaged_task<void()> job([] {
        DataCentre::showProgressIndicator();
        for (int done = 1; done < kTotal; ++done)
            DataCentre::updateProgressBar(done, kTotal, QStringLiteral("file %1").arg(done));
    });
    std::future<void> finished = job.get_future();
    std::thread worker(std::move(job));
    const bool returned = finished.wait_for(std::chrono::seconds(30)) == std::future_status::ready;
    // A worker stuck waiting is left behind rather than hang the run.
    returned ? worker.join() : worker.detach();
    ASSERT_TRUE(returned);

    QCoreApplication::processEvents();
    ProgressIndicatorWindowController* progress = ProgressIndicatorWindowController::current();
    ASSERT_TRUE(progress);
    EXPECT_TRUE(progress->window()->isVisible());
    EXPECT_EQ(progress->progressStatusTextfield()->text(),
              QStringLiteral("Please wait: 10000/10001 completed"));
    EXPECT_EQ(progress->progressFileTextField()->text(), QStringLiteral("file 10000"));
    EXPECT_EQ(visibleProgressWindows(), 1);

    // A worker's dismiss lands after its updates.
    std::thread([] { DataCentre::dismissProgressIndicator(); }).join();
    QCoreApplication::processEvents();
    EXPECT_EQ(ProgressIndicatorWindowController::current(), nullptr);
}
