// The section grid editor driven through its widgets: tiles at half their column's width, filler
// tiles up to twelve, snapping after a drag, spans per column, and Save writing double widths and
// spans into the section's first row as one undo step.
#include "CanvasTestSupport.h"
#include "SectionPage.h"

#include "canvas/DRVGraphicView.h"
#include "canvas/DRVSelectionModel.h"
#include "canvas/SectionEditorWindowController.h"
#include "platform/UndoManager.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QSplitterHandle>
#include <QTest>

namespace {

class SectionGridEditorTest : public BoundCanvasTest
{
protected:
    SectionGridEditorTest()
    {
        section = sectionpage::makeSection(1, QPointF(0, 0), {400, 400, 400}, 200);
        for (myTextView* cell : section->cellHelperArray()) {
            cell->setXsGridColumns(12);
            cell->setSmallGridColumns(4);
            cell->setMediumGridColumns(4);
            cell->setLargeGridColumns(4);
        }
        section->setSelectable(true);
        doc.undoManager()->disableUndoRegistration();
        doc.insertGraphics({section}, {0});
        doc.undoManager()->enableUndoRegistration();
        view.changeSelectionIndexes({0});
    }

    DRVTable* section = nullptr;
};

QList<int> tileWidths(const SectionEditorWindowController* c)
{
    QList<int> widths;
    for (const SectionView* tile : c->splitViewMutableArray())
        widths.append(tile->tileWidth());
    return widths;
}

} // namespace

TEST_F(SectionGridEditorTest, OpensWithHalfWidthTilesAndFillersToTwelve)
{
    ASSERT_TRUE(view.showSectionEditorFlag());
    view.configureSectionWindowController();
    SectionEditorWindowController* c = view.sectionEditorWindowController();
    ASSERT_TRUE(c);
    EXPECT_TRUE(c->window()->isVisible());
    EXPECT_EQ(c->window()->windowTitle(), QStringLiteral("Configure Section Grid"));
    EXPECT_EQ(tileWidths(c), (QList<int>{200, 200, 200, 50, 50, 50, 50, 50, 50, 50, 50, 50}));
    EXPECT_EQ(c->numOfColumnsPopupButton()->currentIndex(), 2);
    EXPECT_EQ(c->columnSplitView()->count(), 3);
    EXPECT_EQ(c->columnGridLabel()->text(), QStringLiteral("Grid options for column 1"));
    EXPECT_EQ(c->xsPopUpButton()->currentText(), QStringLiteral("12"));
    EXPECT_TRUE(c->columnSplitView()->handle(1)->isEnabled());

    const QString artefacts = QCoreApplication::applicationDirPath() + QStringLiteral("/artefacts");
    QDir().mkpath(artefacts);
    EXPECT_TRUE(c->window()->grab().save(artefacts + QStringLiteral("/section-grid-editor.png")));

    // Twelve columns fill the row: no divider moves.
    c->numOfColumnsPopupButton()->setCurrentIndex(11);
    emit c->numOfColumnsPopupButton()->activated(11);
    EXPECT_EQ(c->columnSplitView()->count(), 12);
    EXPECT_FALSE(c->columnSplitView()->handle(1)->isEnabled());
}

TEST_F(SectionGridEditorTest, SnappedWidthsAndSpansAreSavedIntoTheSection)
{
    view.configureSectionWindowController();
    SectionEditorWindowController* c = view.sectionEditorWindowController();
    // A divider dragged so that the first tile is 130 wide snaps to 150 and one step more.
    c->columnSplitView()->setSizes({130, 270, 200});
    c->splitViewResized();
    EXPECT_EQ(tileWidths(c).mid(0, 2), (QList<int>{200, 300}));

    // The second tile's button, then its spans.
    QTest::mouseClick(c->splitViewMutableArray().at(1)->button(), Qt::LeftButton);
    EXPECT_EQ(c->columnGridLabel()->text(), QStringLiteral("Grid options for column 2"));
    QTest::keyClick(c->mediumPopUpButton(), Qt::Key_Home);
    EXPECT_EQ(c->splitViewMutableArray().at(1)->mediumGridColumns, 1);
    QTest::keyClick(c->largePopUpButton(), Qt::Key_Down);
    EXPECT_EQ(c->splitViewMutableArray().at(1)->largeGridColumns, 5);

    QTest::mouseClick(c->saveButton(), Qt::LeftButton);
    EXPECT_FALSE(c->window()->isVisible());
    EXPECT_EQ(section->grabColumnWidth(0), 400);
    EXPECT_EQ(section->grabColumnWidth(1), 600);
    const myTextView* second = section->grabSelectedTableCellHelper(0, 1);
    EXPECT_EQ(second->mediumGridColumns(), 1);
    EXPECT_EQ(second->largeGridColumns(), 5);
    EXPECT_EQ(second->xsGridColumns(), 12);
    EXPECT_EQ(doc.undoManager()->undoActionName(), QStringLiteral("Configure Section Grid"));
    doc.undoManager()->undo();
    EXPECT_EQ(section->grabColumnWidth(1), 400);
    EXPECT_EQ(section->grabSelectedTableCellHelper(0, 1)->mediumGridColumns(), 4);
}

TEST_F(SectionGridEditorTest, FewerColumnsOnSave)
{
    view.configureSectionWindowController();
    SectionEditorWindowController* c = view.sectionEditorWindowController();
    QTest::keyClick(c->numOfColumnsPopupButton(), Qt::Key_Up);
    EXPECT_EQ(c->columnSplitView()->count(), 2);
    QTest::mouseClick(c->saveButton(), Qt::LeftButton);
    EXPECT_EQ(section->numOfColumns(), 2);
    EXPECT_EQ(section->cellHelperArray().size(), 2);
}
