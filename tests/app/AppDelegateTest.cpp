// Start-up and lifecycle: the documents named at launch, the open panel standing in for the welcome
// window, the received-pages folder, re-activation and autosaving.
#include "AppTestSupport.h"

#include "app/DRVAppDelegate.h"
#include "app/DocumentController.h"
#include "platform/Dialogs.h"
#include "window/DRVWindowController.h"
#include "window/WelcomeWindowController.h"

#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QMainWindow>

namespace {

class AppDelegateTest : public LaunchTest
{
};

} // namespace

TEST(AppArguments, DocumentPathsLeaveTheOptionsOut)
{
    const struct
    {
        QStringList arguments;
        QStringList paths;
    } rows[] = {
        {{"quib"}, {}},
        {{"quib", "a.quibpage"}, {"a.quibpage"}},
        {{"quib", "--edition", "Ulmira Pro 2", "a.quibpage", "b.quibpage"}, {"a.quibpage", "b.quibpage"}},
        {{"quib", "--edition=Quib", "a.quibpage"}, {"a.quibpage"}},
        {{"quib", "-platform", "a.quibpage"}, {"a.quibpage"}},
        {{"quib", "--", "-odd name.quibpage"}, {"-odd name.quibpage"}},
        {{"quib", "--edition"}, {}},
        {{"quib", "a.quibpage", "--edition"}, {"a.quibpage"}},
        {{"quib", "a.quibpage", "--edition", "Cardell"}, {"a.quibpage"}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(DRVAppDelegate::documentPathsFromArguments(row.arguments), row.paths)
            << qPrintable(row.arguments.join(u' '));
}

TEST_F(AppDelegateTest, ADocumentNamedAtLaunchOpensInItsWindow)
{
    const QString path =
        savedPage(QStringLiteral("launch"), {QStringLiteral("CC0000"), QStringLiteral("0000CC")});
    ASSERT_TRUE(delegate.applicationDidFinishLaunching({path}));
    EXPECT_TRUE(dialogs->openRequests().isEmpty());
    const QList<DRVWindowController*> windows = DocumentController::shared().allWindowControllers();
    ASSERT_EQ(windows.size(), 1);
    EXPECT_TRUE(windows.constFirst()->window()->isVisible());
    EXPECT_EQ(windows.constFirst()->graphicView()->graphics().size(), 2);
    EXPECT_TRUE(windows.constFirst()->window()->windowTitle().contains(QStringLiteral("launch")));
    EXPECT_FALSE(delegate.applicationShouldOpenUntitledFile());
}

TEST_F(AppDelegateTest, WithoutADocumentTheWelcomeWindowShowsAndClosingItQuits)
{
    int quits = 0;
    delegate.setQuitHandler([&quits] { ++quits; });
    EXPECT_TRUE(delegate.applicationDidFinishLaunching({}));
    EXPECT_TRUE(dialogs->openRequests().isEmpty());
    ASSERT_NE(delegate.welcomeWindowController(), nullptr);
    QWidget* welcome = delegate.welcomeWindowController()->window();
    EXPECT_TRUE(welcome->isVisible());
    EXPECT_TRUE(DocumentController::shared().allWindowControllers().isEmpty());
    welcome->close();
    EXPECT_EQ(quits, 1);
}

TEST_F(AppDelegateTest, ALaunchDocumentThatFailsFallsBackToTheWelcomeWindow)
{
    EXPECT_TRUE(
        delegate.applicationDidFinishLaunching({m_root.filePath(QStringLiteral("missing.quibpage"))}));
    EXPECT_EQ(dialogs->alerts().size(), 1);
    EXPECT_TRUE(dialogs->openRequests().isEmpty());
    ASSERT_NE(delegate.welcomeWindowController(), nullptr);
    EXPECT_TRUE(delegate.welcomeWindowController()->window()->isVisible());
}

TEST_F(AppDelegateTest, LastDocumentWindowClosingBringsTheWelcomeWindowBack)
{
    int quits = 0;
    delegate.setQuitHandler([&quits] { ++quits; });
    ASSERT_TRUE(delegate.applicationDidFinishLaunching({savedPage(QStringLiteral("page"))}));
    EXPECT_EQ(delegate.welcomeWindowController(), nullptr);
    DRVWindowController* window = DocumentController::shared().allWindowControllers().constFirst();
    window->performClose();
    deleteLaterObjects();
    ASSERT_NE(delegate.welcomeWindowController(), nullptr);
    QWidget* welcome = delegate.welcomeWindowController()->window();
    EXPECT_TRUE(welcome->isVisible());

    // Its New button starts a project; the project's window takes its place.
    dialogs->queueSavePanelAnswer(m_root.filePath(QStringLiteral("Site")));
    QTest::mouseClick(delegate.welcomeWindowController()->addNewWebsiteButton(), Qt::LeftButton);
    EXPECT_EQ(dialogs->saveRequests().size(), 1);
    ASSERT_EQ(DocumentController::shared().allWindowControllers().size(), 1);
    EXPECT_FALSE(welcome->isVisible());
    EXPECT_EQ(quits, 0);
}

TEST_F(AppDelegateTest, ReactivationShowsTheWelcomeWindowOnlyWhenNoWindowIsVisible)
{
    delegate.applicationDidBecomeActive();
    ASSERT_NE(delegate.welcomeWindowController(), nullptr);
    QPointer<QWidget> first = delegate.welcomeWindowController()->window();
    first->hide();

    ASSERT_TRUE(
        DocumentController::shared().openDocumentWithContentsOfPath(savedPage(QStringLiteral("page"))));
    delegate.applicationDidBecomeActive();
    EXPECT_EQ(delegate.welcomeWindowController()->window(), first.data()); // not rebuilt
    EXPECT_FALSE(first->isVisible());
}

TEST_F(AppDelegateTest, ReceivedPagesFolderIsEmptiedAtLaunch)
{
    const QString folder = DRVAppDelegate::receivedPagesFolderPath();
    ASSERT_FALSE(folder.isEmpty());
    QFile stale(QDir(folder).filePath(QStringLiteral("left-over.html")));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();
    DRVAppDelegate::recreateReceivedPagesFolder();
    DRVAppDelegate::recreateReceivedPagesFolder();
    EXPECT_FALSE(stale.exists());
    EXPECT_TRUE(QDir(folder).exists());
    // Only the save flow's own folder is back.
    EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{QStringLiteral("tempSave000000")});
}

TEST_F(AppDelegateTest, AutosavingStaysOff)
{
    delegate.setAutosaves(true);
    EXPECT_FALSE(delegate.autosaves());
    delegate.setAutosavingDelay(30);
    EXPECT_DOUBLE_EQ(delegate.autosavingDelay(), 30);
    EXPECT_FALSE(delegate.autosaves());
}
