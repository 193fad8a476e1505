// File > Share… shows the document's share panel as a sheet on its window; the close button hides it;
// a publication can put its message in the panel; two documents keep panels of their own.
#include "AppTestSupport.h"

#include "window/FlippedNSView.h"
#include "window/ShareWindowController.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace {

class ShareMenuTest : public WindowedAppTest
{
protected:
    ShareMenuTest() : m_selected(QStringLiteral("Kestrin PDF Author")) { useWorkingFolders(); }

    ScopedEdition m_selected;
};

} // namespace

TEST_F(ShareMenuTest, ShareItemShowsThePanelAndItsCloseButtonHidesIt)
{
    DRVWindowController* window = documents.openDocumentWithContentsOfPath(savedPage(QStringLiteral("page")));
    ASSERT_TRUE(window);
    QAction* item = validatedItem(window, QStringLiteral("showSharePanel:"));
    ASSERT_TRUE(item);
    EXPECT_EQ(item->text(), QStringLiteral("Share…"));
    ASSERT_TRUE(item->isEnabled() && item->isVisible());
    item->trigger();

    ShareWindowController* panel = window->document()->shareWindowController();
    ASSERT_TRUE(panel);
    QDialog* sheet = panel->window();
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(sheet->parentWidget(), window->window());
    EXPECT_EQ(sheet->windowModality(), Qt::WindowModal);

    // Two rows of four; the third is the fast book export.
    const QList<QToolButton*> buttons = panel->shareButtons();
    ASSERT_EQ(buttons.size(), 8);
    EXPECT_EQ(buttons.at(2)->text(), QStringLiteral("Fast Export"));
    EXPECT_EQ(buttons.at(3)->pos(), QPoint(390, 0));
    EXPECT_EQ(buttons.at(4)->pos(), QPoint(0, 130));
    EXPECT_EQ(buttons.at(7)->pos(), QPoint(390, 130));
    for (QToolButton* button : buttons)
        EXPECT_TRUE(button->isVisibleTo(sheet)) << qPrintable(button->text());

    // What publishing puts there is shown as written, markup included.
    const QString message = QStringLiteral("Successfully published!\n\nhttps://example.com/a<b>.html");
    panel->setLabelText(message);
    EXPECT_EQ(panel->labelTextField()->text(), message);
    EXPECT_EQ(panel->labelTextField()->textFormat(), Qt::PlainText);
    keepScreenshot(sheet, QStringLiteral("share-panel-kestrin-pdf-author.png"));

    QTest::mouseClick(panel->closeButton(), Qt::LeftButton);
    EXPECT_FALSE(sheet->isVisible());

    // Again: the same panel and buttons, in the same places.
    choose(window, QStringLiteral("showSharePanel:"));
    EXPECT_EQ(window->document()->shareWindowController(), panel);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(panel->shareButtons(), buttons);
    EXPECT_EQ(buttons.at(7)->pos(), QPoint(390, 130));
    EXPECT_EQ(panel->mainView()->findChildren<QToolButton*>().size(), 14);
    window->document()->hideShareWindowControllerPanel();
    EXPECT_FALSE(sheet->isVisible());

    // Escape leaves the sheet the way its close button does.
    choose(window, QStringLiteral("showSharePanel:"));
    QTest::keyClick(sheet, Qt::Key_Escape);
    EXPECT_FALSE(sheet->isVisible());
    choose(window, QStringLiteral("showSharePanel:"));
    EXPECT_TRUE(sheet->isVisible());
    panel->closeButton()->click();
}

TEST_F(ShareMenuTest, TwoDocumentsKeepTheirButtonsAfterOneCloses)
{
    DRVWindowController* first = documents.openDocumentWithContentsOfPath(savedPage(QStringLiteral("one")));
    DRVWindowController* second = documents.openDocumentWithContentsOfPath(savedPage(QStringLiteral("two")));
    ASSERT_TRUE(first && second);
    choose(first, QStringLiteral("showSharePanel:"));
    choose(second, QStringLiteral("showSharePanel:"));
    QPointer<ShareWindowController> firstPanel = first->document()->shareWindowController();
    ShareWindowController* secondPanel = second->document()->shareWindowController();
    ASSERT_TRUE(firstPanel && secondPanel);
    EXPECT_NE(firstPanel.data(), secondPanel);
    EXPECT_EQ(secondPanel->window()->parentWidget(), second->window());
    first->document()->hideShareWindowControllerPanel();

    first->performClose();
    deleteLaterObjects();
    EXPECT_TRUE(firstPanel.isNull());

    secondPanel->closeButton()->click();
    choose(second, QStringLiteral("showSharePanel:"));
    const QList<QToolButton*> buttons = secondPanel->shareButtons();
    ASSERT_EQ(buttons.size(), 8);
    for (qsizetype i = 0; i < buttons.size(); ++i) {
        EXPECT_EQ(buttons.at(i)->parentWidget(), secondPanel->mainView());
        EXPECT_TRUE(buttons.at(i)->isVisibleTo(secondPanel->window()));
        EXPECT_EQ(buttons.at(i)->pos(), QPoint(int(i % 4) * 130, int(i / 4) * 130));
    }
}

TEST_F(ShareMenuTest, EditionsWithoutAListShowOnlyTheMessageAndClose)
{
    ScopedEdition lunnifer(QStringLiteral("Lunnifer"));
    useWorkingFolders();
    DRVWindowController* window = documents.openDocumentWithContentsOfPath(savedPage(QStringLiteral("page")));
    ASSERT_TRUE(window);
    window->document()->showShareWindowController();
    ShareWindowController* panel = window->document()->shareWindowController();
    ASSERT_TRUE(panel);
    EXPECT_TRUE(panel->shareButtons().isEmpty());
    for (QToolButton* button : panel->mainView()->findChildren<QToolButton*>())
        EXPECT_FALSE(button->isVisibleTo(panel->window()));
    EXPECT_TRUE(panel->closeButton()->isEnabled());
    panel->closeButton()->click();
    EXPECT_FALSE(panel->window()->isVisible());
}
