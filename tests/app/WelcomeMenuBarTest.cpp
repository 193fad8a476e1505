// The welcome window carries the application's menus, so opening a page, importing one, help and
// feedback are reachable before any document window exists.
#include "AppTestSupport.h"

#include "app/FeedbackWindowController.h"
#include "app/MenuModel.h"
#include "window/ImportPageWindowController.h"
#include "window/WelcomeWindowController.h"

#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

namespace {

class WelcomeMenuBarTest : public LaunchTest
{
protected:
    struct Reached
    {
        QAction* action = nullptr;
        bool enabled = false; // as its open menu shows it
    };
    // The action of that command as the user reaches it: its menu opened (which validates it) from
    // the bar's own title, by mouse, and closed again.
    Reached reach(QMenuBar* bar, const QString& command)
    {
        Reached reached{MenuModel::actionNamed(bar, command)};
        for (QAction* top : bar->actions()) {
            QMenu* menu = top->menu();
            if (!reached.action || !menu || !menu->actions().contains(reached.action))
                continue;
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(top).center());
            EXPECT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, 2000)) << command.toStdString();
            reached.enabled = reached.action->isEnabled();
            menu->hide();
        }
        return reached;
    }
};

TEST_F(WelcomeMenuBarTest, OpenImportHelpAndFeedbackWorkWithNoDocument)
{
    ScopedEdition selected(QStringLiteral("HTML Quib Pro"));
    useWorkingFolders();
    delegate.showWelcomeWindow();
    WelcomeWindowController* welcome = delegate.welcomeWindowController();
    ASSERT_NE(welcome, nullptr);
    QMenuBar* bar = welcome->menuBar();
    ASSERT_NE(bar, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(welcome->window()));
    // The bar sits above the window's own content, which keeps its size.
    EXPECT_EQ(bar->geometry().top(), 0);
    EXPECT_GE(welcome->appTitleTextField()->geometry().top(), bar->geometry().bottom());
    EXPECT_EQ(welcome->window()->height(), 470 + bar->sizeHint().height());
    const QString artefacts = QCoreApplication::applicationDirPath() + QStringLiteral("/gui-artefacts");
    QDir().mkpath(artefacts);
    EXPECT_TRUE(welcome->window()->grab().save(artefacts + QStringLiteral("/welcome-menu-bar.png")));

    const Reached open = reach(bar, QStringLiteral("openDocument:"));
    ASSERT_NE(open.action, nullptr);
    EXPECT_TRUE(open.enabled);
    open.action->trigger();
    EXPECT_EQ(dialogs->openRequests().size(), 1);

    const Reached import = reach(bar, QStringLiteral("importPage:"));
    ASSERT_NE(import.action, nullptr);
    EXPECT_TRUE(import.enabled);
    import.action->trigger();
    EXPECT_TRUE(ImportPageWindowController::shared().window()->isVisible());
    ImportPageWindowController::shared().window()->hide();

    const Reached feedback = reach(bar, QStringLiteral("launchFeedbackModalSheet:"));
    ASSERT_NE(feedback.action, nullptr);
    EXPECT_TRUE(feedback.enabled);
    feedback.action->trigger();
    ASSERT_NE(delegate.feedbackWindowController(), nullptr);
    EXPECT_TRUE(delegate.feedbackWindowController()->window()->isVisible());
    delegate.feedbackWindowController()->window()->hide();

    // A command that needs a page stays greyed here rather than doing nothing.
    const Reached save = reach(bar, QStringLiteral("saveDocument:"));
    ASSERT_NE(save.action, nullptr);
    EXPECT_FALSE(save.enabled);
}

} // namespace
