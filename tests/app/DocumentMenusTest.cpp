// Documents in their windows with the application's menus: one menu model on every window, Edit's
// Undo and Redo with their action names, File's Open, Save, Save As and Close.
#include "AppTestSupport.h"

#include "app/DocumentController.h"
#include "app/MenuModel.h"
#include "canvas/DRVGraphicView.h"
#include "platform/Dialogs.h"
#include "window/DRVWindowController.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

namespace {

class DocumentMenusTest : public WindowedAppTest
{
};

} // namespace

TEST_F(DocumentMenusTest, EveryWindowCarriesTheMenusOfTheOneModel)
{
    DRVWindowController* first = documents.openDocumentWithContentsOfPath(savedPage(QStringLiteral("one")));
    DRVWindowController* second = documents.openDocumentWithContentsOfPath(savedPage(QStringLiteral("two")));
    ASSERT_TRUE(first && second);
    for (DRVWindowController* window : {first, second}) {
        const QList<QAction*> menus = window->window()->menuBar()->actions();
        const QList<MenuDescription> model = MenuModel::menus();
        ASSERT_EQ(menus.size(), model.size());
        for (qsizetype m = 0; m < menus.size(); ++m) {
            EXPECT_EQ(menus.at(m)->text(), model.at(m).title);
            for (const MenuItemDescription& item : model.at(m).items) {
                if (!item.action.isEmpty()) {
                    EXPECT_TRUE(MenuModel::actionNamed(window->window()->menuBar(), item.action))
                        << qPrintable(item.action);
                }
            }
        }
    }
    // A window made from the View menu gets the menus too, and its document stays one document.
    MenuModel::actionNamed(first->window()->menuBar(), QStringLiteral("newDocumentWindow:"))->trigger();
    EXPECT_EQ(documents.documents().size(), 2);
    const QList<DRVWindowController*> windows = documents.windowControllers(first->document());
    ASSERT_EQ(windows.size(), 2);
    EXPECT_TRUE(MenuModel::actionNamed(windows.at(1)->window()->menuBar(), QStringLiteral("undo:")));
}

TEST_F(DocumentMenusTest, EditMenuUndoAndRedoRestoreAPropertyWithItsActionName)
{
    DRVWindowController* window = documents.openDocumentWithContentsOfPath(savedPage(QStringLiteral("page")));
    ASSERT_TRUE(window);
    DRVDocument* document = window->document();
    ASSERT_EQ(document->graphics().size(), 1);
    DRVGraphic* graphic = document->graphics().constFirst();
    const QPointF original = graphic->endPoint();

    QAction* undo = validatedItem(window, QStringLiteral("undo:"));
    ASSERT_TRUE(undo);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(undo->text(), QStringLiteral("Undo"));

    document->undoManager()->beginUndoGrouping();
    graphic->setEndPoint(QPointF(200, 150));
    document->undoManager()->endUndoGrouping();

    undo = validatedItem(window, QStringLiteral("undo:"));
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_EQ(undo->text(), QStringLiteral("Undo Change of Endpoint"));
    undo->trigger();
    EXPECT_EQ(graphic->endPoint(), original);
    EXPECT_EQ(window->graphicsController()->selectionIndexes(), QList<int>{0});

    QAction* redo = validatedItem(window, QStringLiteral("redo:"));
    EXPECT_TRUE(redo->isEnabled());
    EXPECT_EQ(redo->text(), QStringLiteral("Redo Change of Endpoint"));
    redo->trigger();
    EXPECT_EQ(graphic->endPoint(), QPointF(200, 150));
    EXPECT_FALSE(validatedItem(window, QStringLiteral("redo:"))->isEnabled());

    // A shortcut fires without the menu opening: a disabled redo does nothing.
    redo->trigger();
    EXPECT_EQ(graphic->endPoint(), QPointF(200, 150));
}

TEST_F(DocumentMenusTest, SaveAsWritesANewDocumentThatOpensWithTheChange)
{
    DRVWindowController* window = documents.openDocumentWithContentsOfPath(savedPage(QStringLiteral("page")));
    ASSERT_TRUE(window);
    window->document()->graphics().constFirst()->setEndPoint(QPointF(300, 200));

    const QString copy = m_root.filePath(QStringLiteral("copy.quibpage"));
    dialogs->queueSavePanelAnswer(copy);
    validatedItem(window, QStringLiteral("saveDocumentAs:"))->trigger();
    ASSERT_EQ(dialogs->saveRequests().size(), 1);
    EXPECT_EQ(dialogs->saveRequests().constFirst().allowedExtensions,
              QStringList{QStringLiteral("quibpage")});
    ASSERT_TRUE(QFile::exists(copy));
    EXPECT_EQ(window->document()->filePath(), QFileInfo(copy).absoluteFilePath());
    EXPECT_TRUE(window->window()->windowTitle().contains(QStringLiteral("copy.quibpage")))
        << qPrintable(window->window()->windowTitle());

    const std::unique_ptr<DRVDocument> reopened = DRVDocument::openDocument(copy);
    ASSERT_TRUE(reopened);
    ASSERT_EQ(reopened->graphics().size(), 1);
    EXPECT_EQ(reopened->graphics().constFirst()->endPoint(), QPointF(300, 200));

    // A cancelled panel saves nothing.
    validatedItem(window, QStringLiteral("saveDocumentAs:"))->trigger();
    EXPECT_EQ(window->document()->filePath(), QFileInfo(copy).absoluteFilePath());
}

TEST_F(DocumentMenusTest, CloseOfAnEditedDocumentAsksAndCancelKeepsTheWindow)
{
    DRVWindowController* window = documents.openDocumentWithContentsOfPath(savedPage(QStringLiteral("page")));
    ASSERT_TRUE(window);
    DRVDocument* document = window->document();
    document->undoManager()->beginUndoGrouping();
    document->graphics().constFirst()->setEndPoint(QPointF(250, 90));
    document->undoManager()->endUndoGrouping();
    ASSERT_TRUE(document->isDocumentEdited());

    dialogs->queueAlertAnswer(2); // Cancel
    validatedItem(window, QStringLiteral("performClose:"))->trigger();
    ASSERT_EQ(dialogs->alerts().size(), 1);
    EXPECT_EQ(dialogs->alerts().constFirst().title, QStringLiteral("This file has changed"));
    EXPECT_TRUE(window->window()->isVisible());
    EXPECT_EQ(documents.documents().size(), 1);

    // A second window on the document closes without asking; the last one asks.
    DRVWindowController* second = window->newDocumentWindow();
    second->performClose();
    deleteLaterObjects();
    EXPECT_EQ(dialogs->alerts().size(), 1);
    EXPECT_EQ(documents.windowControllers(document).size(), 1);

    dialogs->queueAlertAnswer(1); // No
    bool lastClosed = false;
    QObject::connect(&documents, &DocumentController::lastWindowClosed, [&lastClosed] { lastClosed = true; });
    window->performClose();
    deleteLaterObjects();
    EXPECT_EQ(dialogs->alerts().size(), 2);
    EXPECT_TRUE(documents.documents().isEmpty());
    EXPECT_TRUE(documents.allWindowControllers().isEmpty());
    EXPECT_TRUE(lastClosed);
}

TEST_F(DocumentMenusTest, OpeningAnOpenDocumentAgainShowsItsWindow)
{
    const QString path = savedPage(QStringLiteral("page"));
    DRVWindowController* first = documents.openDocumentWithContentsOfPath(path);
    DRVWindowController* again = documents.openDocumentWithContentsOfPath(path);
    EXPECT_EQ(first, again);
    EXPECT_EQ(documents.documents().size(), 1);
}

TEST_F(DocumentMenusTest, FileOpenUsesThePanelAndAFileThatCannotOpenOpensNothing)
{
    const QString good = savedPage(QStringLiteral("good"));
    const QString bad = m_root.filePath(QStringLiteral("bad.quibpage"));
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not an archive");
    file.close();

    dialogs->queueOpenPanelAnswer({bad, good});
    documents.sendAction(QStringLiteral("openDocument:"), nullptr);
    ASSERT_EQ(dialogs->openRequests().size(), 1);
    EXPECT_EQ(dialogs->openRequests().constFirst().allowedExtensions,
              QStringList{QStringLiteral("quibpage")});
    ASSERT_EQ(dialogs->alerts().size(), 1);
    EXPECT_EQ(dialogs->alerts().constFirst().title, QStringLiteral("Not able to open"));
    ASSERT_EQ(documents.documents().size(), 1);
    EXPECT_EQ(documents.documents().constFirst()->filePath(), QFileInfo(good).absoluteFilePath());
}

TEST_F(DocumentMenusTest, LeavingTheWindowStoresThePageUnlessTheEditionKeepsOneDocument)
{
    const QString path = savedPage(QStringLiteral("page"));
    DRVWindowController* window = documents.openDocumentWithContentsOfPath(path);
    ASSERT_TRUE(window);
    DRVDocument* document = window->document();
    auto edit = [document](QPointF end) {
        document->undoManager()->beginUndoGrouping();
        document->graphics().constFirst()->setEndPoint(end);
        document->undoManager()->endUndoGrouping();
    };

    edition().gSingleDocumentFlag = true;
    edit(QPointF(111, 99));
    QEvent deactivate(QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(window->window(), &deactivate);
    EXPECT_TRUE(document->isDocumentEdited());

    edition().gSingleDocumentFlag = false;
    QCoreApplication::sendEvent(window->window(), &deactivate);
    EXPECT_FALSE(document->isDocumentEdited());
    const std::unique_ptr<DRVDocument> reopened = DRVDocument::openDocument(path);
    ASSERT_TRUE(reopened);
    EXPECT_EQ(reopened->graphics().constFirst()->endPoint(), QPointF(111, 99));
    EXPECT_TRUE(dialogs->alerts().isEmpty());
}

TEST_F(DocumentMenusTest, APageWithoutAFileIsNotStoredWhenLeft)
{
    auto document = std::make_unique<DRVDocument>();
    auto* line = new DRVLine;
    document->insertGraphics({line}, {0});
    DRVWindowController* window = documents.addDocument(std::move(document));
    QEvent deactivate(QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(window->window(), &deactivate);
    EXPECT_TRUE(dialogs->alerts().isEmpty());
    EXPECT_TRUE(dialogs->saveRequests().isEmpty());
    EXPECT_TRUE(window->document()->filePath().isEmpty());
}

TEST_F(DocumentMenusTest, QuitStopsAtTheFirstCancelAndLeavesEveryWindowOpen)
{
    DRVWindowController* first = documents.openDocumentWithContentsOfPath(savedPage(QStringLiteral("one")));
    DRVWindowController* second = documents.openDocumentWithContentsOfPath(savedPage(QStringLiteral("two")));
    ASSERT_TRUE(first && second);
    for (DRVWindowController* window : {first, second}) {
        DRVDocument* document = window->document();
        document->undoManager()->beginUndoGrouping();
        document->graphics().constFirst()->setEndPoint(QPointF(222, 111));
        document->undoManager()->endUndoGrouping();
    }

    dialogs->queueAlertAnswer(2); // Cancel for the first window
    dialogs->queueAlertAnswer(1); // would be "No" for the second, were it asked
    validatedItem(first, QStringLiteral("terminate:"))->trigger();
    deleteLaterObjects();
    ASSERT_EQ(dialogs->alerts().size(), 1);
    EXPECT_EQ(dialogs->alerts().constFirst().title, QStringLiteral("This file has changed"));
    EXPECT_EQ(documents.documents().size(), 2);
    EXPECT_EQ(documents.allWindowControllers().size(), 2);
    EXPECT_TRUE(first->window()->isVisible());
    EXPECT_TRUE(second->window()->isVisible());
    EXPECT_TRUE(first->document()->isDocumentEdited());

    // Answering "No" to both closes both, and nothing comes up after the last window while quitting.
    bool lastClosed = false;
    QObject::connect(&documents, &DocumentController::lastWindowClosed, [&lastClosed] { lastClosed = true; });
    dialogs->queueAlertAnswer(1);
    EXPECT_TRUE(documents.terminate());
    deleteLaterObjects();
    EXPECT_EQ(dialogs->alerts().size(), 3);
    EXPECT_TRUE(documents.documents().isEmpty());
    EXPECT_FALSE(lastClosed);
}

// A shortcut reaches its item without the menu opening: the item must be validated then, and a
// disabled one must not run, even after its menu was opened and closed.
TEST(MenuShortcuts, ADisabledItemsShortcutDoesNotRunIt)
{
    QMainWindow window;
    bool saveEnabled = false;
    QStringList dispatched;
    MenuModel::buildMenuBar(
        window.menuBar(), [&dispatched](const QString& action) { dispatched << action; },
        [&saveEnabled](const QString& action, const MenuItemState& item) {
            MenuItemState state = item;
            state.enabled = action != QLatin1String("saveDocument:") || saveEnabled;
            return state;
        });
    window.setCentralWidget(new QWidget);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    QAction* save = MenuModel::actionNamed(window.menuBar(), QStringLiteral("saveDocument:"));
    ASSERT_TRUE(save);
    auto* file = qobject_cast<QMenu*>(save->parent());
    emit file->aboutToShow();
    EXPECT_FALSE(save->isEnabled());
    emit file->aboutToHide();

    QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(dispatched.isEmpty());

    saveEnabled = true;
    QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dispatched, QStringList{QStringLiteral("saveDocument:")});
}
