// Every item an edition shows in a document window's menus is a command someone runs: nothing is
// left greyed for want of a handler.
#include "AppTestSupport.h"

#include "app/DocumentController.h"
#include "app/MenuModel.h"
#include "canvas/DRVGraphicView.h"
#include "window/DRVWindowController.h"
#include "window/MenuValidation.h"
#include "window/ToolbarChoice.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include <QTest>

#include <functional>
#include <optional>

namespace {

class MenuCoverageTest : public WindowedAppTest
{
protected:
    // The visible items of the menu (validated as opening it does) whose action nobody answers.
    static void collectUnanswered(QMenu* menu, const QString& path, QStringList& out)
    {
        emit menu->aboutToShow();
        for (QAction* action : menu->actions()) {
            if (action->isSeparator() || !action->isVisible())
                continue;
            const QString name = action->property("quibAction").toString();
            const QString where = path + QStringLiteral(" > ") + action->text();
            if (!name.isEmpty() && !DocumentController::answers(name))
                out.append(where + QStringLiteral(" (") + name + QLatin1Char(')'));
            else if (!action->menu() && name.isEmpty())
                out.append(where + QStringLiteral(" (no action)"));
            if (action->menu())
                collectUnanswered(action->menu(), where, out);
        }
        emit menu->aboutToHide();
    }

    // A window on a saved page in the named edition, its menus built for that edition.
    DRVWindowController* windowInEdition(const QString& name)
    {
        m_chosen.emplace(name);
        useWorkingFolders();
        return documents.openDocumentWithContentsOfPath(savedPage(QStringLiteral("page")));
    }

    std::optional<ScopedEdition> m_chosen;
};

} // namespace

TEST_F(MenuCoverageTest, EveryVisibleItemOfEveryEditionIsAnswered)
{
    const QString page = savedPage(QStringLiteral("page"));
    // Branch 0: the default edition, which no table changes.
    for (int branch = 0; branch <= MenuModel::branchCount(); ++branch) {
        const QString name =
            branch == 0 ? QStringLiteral("Quib") : MenuModel::firstDisplayNameOfBranch(branch);
        std::optional<ScopedEdition> chosen;
        chosen.emplace(name);
        useWorkingFolders();
        DRVWindowController* window = documents.openDocumentWithContentsOfPath(page);
        ASSERT_TRUE(window) << qPrintable(name);
        QStringList unanswered;
        for (QAction* entry : window->window()->menuBar()->actions()) {
            if (entry->isVisible() && entry->menu())
                collectUnanswered(entry->menu(), entry->text(), unanswered);
        }
        EXPECT_TRUE(unanswered.isEmpty())
            << qPrintable(name) << ":\n  " << qPrintable(unanswered.join(QStringLiteral("\n  ")));
        dialogs->queueAlertAnswer(1);
        window->performClose();
        deleteLaterObjects();
    }
}

TEST_F(MenuCoverageTest, SizeSubmenusSetTheCanvasOfTheirEdition)
{
    const struct
    {
        const char* edition;
        const char* submenu;
        const char* action;
        int width;
    } cases[] = {{"HTML Quib Pro", "canvasSizeMenuItem", "setMobileCanvasSize:", 450},
                 {"HTML Quib Pro", "canvasSizeMenuItem", "setWideCanvasSize:", 2500},
                 {"HTML Quib Pro", "canvasSizeMenuItem", "setFullCanvasSize:", 1250},
                 {"Ulmira Pro 2", "mailCanvasSizeMenuItem", "setStandardMailCanvasSize:", 700},
                 {"Ulmira Pro 2", "mailCanvasSizeMenuItem", "setExtraWideMailCanvasSize:", 900}};
    for (const auto& row : cases) {
        DRVWindowController* window = windowInEdition(QString::fromUtf8(row.edition));
        ASSERT_TRUE(window);
        QAction* submenu =
            MenuModel::actionWithId(window->window()->menuBar(), QString::fromUtf8(row.submenu));
        ASSERT_TRUE(submenu && submenu->menu()) << row.submenu;
        EXPECT_TRUE(submenu->isVisible()) << row.edition << " " << row.submenu;
        choose(window, QString::fromUtf8(row.action));
        EXPECT_EQ(window->graphicView()->canvasSize().width(), row.width) << row.action;
        dialogs->queueAlertAnswer(1);
        window->performClose();
        deleteLaterObjects();
    }
}

TEST_F(MenuCoverageTest, OpenFormRunsTheOpenPanel)
{
    DRVWindowController* window = windowInEdition(QStringLiteral("HTML Quib Pro"));
    ASSERT_TRUE(window);
    const QString form = savedPage(QStringLiteral("form"));
    QAction* item = MenuModel::actionWithId(window->window()->menuBar(), QStringLiteral("openFormMenuItem"));
    ASSERT_TRUE(item);
    emit qobject_cast<QMenu*>(item->parent())->aboutToShow();
    EXPECT_EQ(item->text(), QStringLiteral("Open Single Form"));
    ASSERT_TRUE(item->isVisible() && item->isEnabled());
    dialogs->queueOpenPanelAnswer({form});
    item->trigger();
    bool opened = false;
    for (DRVWindowController* open : documents.allWindowControllers())
        opened = opened || (open->document() && open->document()->filePath() == form);
    EXPECT_TRUE(opened);
}

TEST_F(MenuCoverageTest, CanvasSizeSubmenuPicture)
{
    DRVWindowController* window = windowInEdition(QStringLiteral("HTML Quib Pro"));
    ASSERT_TRUE(window);
    QAction* submenu =
        MenuModel::actionWithId(window->window()->menuBar(), QStringLiteral("canvasSizeMenuItem"));
    ASSERT_TRUE(submenu && submenu->menu());
    QMenu* menu = submenu->menu();
    emit menu->aboutToShow();
    QStringList titles;
    for (QAction* action : menu->actions())
        titles.append(action->text());
    EXPECT_EQ(titles,
              (QStringList{QStringLiteral("Mobile"), QStringLiteral("Full"), QStringLiteral("Wide")}));
    menu->popup(QPoint(10, 10));
    keepScreenshot(menu, QStringLiteral("canvas-size-submenu.png"));
    menu->close();
}

TEST_F(MenuCoverageTest, MinimizeMinimisesTheWindowItWasChosenIn)
{
    DRVWindowController* window = windowInEdition(QStringLiteral("HTML Quib Pro"));
    DRVWindowController* other = documents.openDocumentWithContentsOfPath(savedPage(QStringLiteral("other")));
    ASSERT_TRUE(window && other);
    EXPECT_FALSE(window->window()->isMinimized());
    choose(window, QStringLiteral("performMiniaturize:"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->window()->isMinimized(); }, 5000));
    EXPECT_FALSE(other->window()->isMinimized());
}

TEST_F(MenuCoverageTest, InspectorItemShowsAndHidesTheInspector)
{
    // Titled "Inspector" in the print editions, "Style Editor" in the web ones: one command.
    for (const char* name : {"Kestrin Label Maker", "HTML Quib Pro"}) {
        DRVWindowController* window = windowInEdition(QString::fromUtf8(name));
        ASSERT_TRUE(window);
        QAction* item =
            MenuModel::actionWithId(window->window()->menuBar(), QStringLiteral("styleEditorMenuItem"));
        ASSERT_TRUE(item);
        const bool hidden = window->isInspectorHidden();
        choose(window, QStringLiteral("toggleInspector:"));
        EXPECT_NE(window->isInspectorHidden(), hidden) << name;
        choose(window, QStringLiteral("toggleInspector:"));
        EXPECT_EQ(window->isInspectorHidden(), hidden) << name;
        dialogs->queueAlertAnswer(1);
        window->performClose();
        deleteLaterObjects();
    }
}

TEST(MenuValidationColumns, OnlyTheCurrentColumnCountIsChecked)
{
    MenuValidationState state;
    state.pageCount = 4;
    for (int columns = 1; columns <= 3; ++columns) {
        state.pageListColumns = columns;
        for (int item = 1; item <= 3; ++item) {
            const MenuItemState out =
                MenuValidation::validate(QStringLiteral("view%1Column:").arg(item), MenuItemState{}, state);
            EXPECT_TRUE(out.checkable && out.enabled);
            EXPECT_EQ(out.checked, item == columns) << columns << " columns, item " << item;
        }
    }
    // The submenu itself waits for a page list.
    state.pageCount = 0;
    EXPECT_FALSE(
        MenuValidation::validate(QStringLiteral("showViewOptions:"), MenuItemState{}, state).visible);
}

// Items the window shows only in some states (a project's pages, a form page, a selection) are
// left out of the walk above while hidden; the edition's own listing holds them all.
TEST(MenuCoverage, EveryItemAnEditionKeepsIsAnswered)
{
    std::function<void(const QList<MenuItemDescription>&, const QString&, QStringList&)> walk =
        [&walk](const QList<MenuItemDescription>& items, const QString& path, QStringList& out) {
            for (const MenuItemDescription& item : items) {
                if (item.isSeparator() || item.hidden)
                    continue;
                if (!item.action.isEmpty() && !DocumentController::answers(item.action))
                    out.append(path + QStringLiteral(" > ") + item.title + QStringLiteral(" (") +
                               item.action + QLatin1Char(')'));
                walk(item.children, path + QStringLiteral(" > ") + item.title, out);
            }
        };
    // Branch 0: the default edition, which no table changes.
    for (int branch = 0; branch <= MenuModel::branchCount(); ++branch) {
        const QString name =
            branch == 0 ? QStringLiteral("Quib") : MenuModel::firstDisplayNameOfBranch(branch);
        QStringList unanswered;
        for (const MenuDescription& menu :
             MenuModel::menusForEdition(name, QStringLiteral("https://example.com/t"))) {
            if (!menu.hidden)
                walk(menu.items, menu.title, unanswered);
        }
        EXPECT_TRUE(unanswered.isEmpty())
            << qPrintable(name) << ":\n  " << qPrintable(unanswered.join(QStringLiteral("\n  ")));
    }
}

// The toolbar greys what the window does not run: every edition's toolbar items are window commands
// (its segmented size presets aside, which the toolbar answers itself).
TEST(MenuCoverage, EveryToolbarItemIsAWindowCommand)
{
    const QStringList segmented{QStringLiteral("setCanvasSize:"), QStringLiteral("setMailCanvasSize:")};
    for (int branch = 1; branch <= MenuModel::branchCount(); ++branch) {
        const QString name = MenuModel::firstDisplayNameOfBranch(branch);
        const ToolbarChoiceRow* row = ToolbarChoice::rowForEdition(name);
        const QString toolbar = row ? row->toolbar : ToolbarChoice::interfaceToolbarName();
        for (const ToolbarItemDescription& item : ToolbarChoice::itemsForToolbar(toolbar)) {
            EXPECT_TRUE(segmented.contains(item.action) ||
                        DRVWindowController::handledActions().contains(item.action))
                << qPrintable(name) << " " << qPrintable(toolbar) << " " << qPrintable(item.action);
        }
    }
}
