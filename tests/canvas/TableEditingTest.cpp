// Table structure editing on the canvas: rows and columns inserted, deleted and moved at the
// touched cell, the table swapped over, two tables joined, the counts refreshed and a table of
// contents rebuilt, on a 2 x 3 and a 3 x 1 table with pictures in some cells. Every command is one
// undo step that gives back exactly the table there was, and redo the one there was after.
#include "CanvasTestSupport.h"
#include "TableFixture.h"

#include "canvas/DRVGraphicView.h"
#include "canvas/DRVSelectionModel.h"
#include "canvas/QuibPopover.h"
#include "generation/PageRoundTrip.h"
#include "model/DRVTable.h"
#include "model/TransformView.h"
#include "model/myTextView.h"
#include "platform/Dialogs.h"
#include "platform/Geometry.h"
#include "platform/UndoManager.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>
#include <algorithm>

namespace {

using namespace tablefixture;

class TableEditingTest : public BoundCanvasTest
{
protected:
    TableEditingTest() { platform::DialogService::setCurrent(&dialogs); }
    ~TableEditingTest() override { platform::DialogService::setCurrent(nullptr); }

    // Puts the tables on the page, front to back, with undo off, and selects the given ones.
    void place(const QList<DRVGraphic*>& tables, const QList<int>& selected)
    {
        QList<int> indexes;
        for (int i = 0; i < int(tables.size()); ++i)
            indexes.append(i);
        doc.undoManager()->disableUndoRegistration();
        doc.insertGraphics(tables, indexes);
        doc.undoManager()->enableUndoRegistration();
        view.changeSelectionIndexes(selected);
    }

    // Touches the middle of a cell, as a click there would.
    void touch(const DRVTable* table, int row, int column)
    {
        const QRect r = table->grabSelectedCellRect(row, column);
        ASSERT_FALSE(r.isEmpty()) << row << "," << column;
        view.setLastTouchPoint(QRectF(r).center());
    }

    platform::ScriptedDialogs dialogs;
};

struct CellCase
{
    const char* name;
    int rows;
    int columns;
    QPoint cell;
    void (DRVGraphicView::*command)();
    bool changes;
    const char* texts;
    const char* widths;
    const char* heights;
    const char* pictures;
};

} // namespace

TEST_F(TableEditingTest, CellCommandsReshapeTheTableAndUndoGivesItBackExactly)
{
    using V = DRVGraphicView;
    // 2 x 3: A B C / D E F with pictures in B (0,1) and F (1,2). 3 x 1: A / B / C with one in B.
    const CellCase cases[] = {
        {"insert row",
         2,
         3,
         {1, 1},
         &V::insertTableRow,
         true,
         "A B C / . . . / D E F",
         "100 120 140",
         "40 40 50",
         "picB@0,1 picF@2,2"},
        {"insert row at the top",
         2,
         3,
         {0, 2},
         &V::insertTableRow,
         true,
         ". . . / A B C / D E F",
         "100 120 140",
         "40 40 50",
         "picB@1,1 picF@2,2"},
        {"insert column",
         2,
         3,
         {0, 1},
         &V::insertTableColumn,
         true,
         "A . B C / D . E F",
         "100 100 120 140",
         "40 50",
         "picB@0,2 picF@1,3"},
        {"delete row", 2, 3, {0, 0}, &V::deleteTableRow, true, "D E F", "100 120 140", "50", "picF@0,2"},
        {"delete column",
         2,
         3,
         {1, 0},
         &V::deleteTableColumn,
         true,
         "B C / E F",
         "120 140",
         "40 50",
         "picB@0,0 picF@1,1"},
        {"delete middle column",
         2,
         3,
         {0, 1},
         &V::deleteTableColumn,
         true,
         "A C / D F",
         "100 140",
         "40 50",
         "picF@1,1"},
        {"move first column left",
         2,
         3,
         {0, 0},
         &V::moveTableRowLeft,
         false,
         "A B C / D E F",
         "100 120 140",
         "40 50",
         "picB@0,1 picF@1,2"},
        {"move column left",
         2,
         3,
         {1, 2},
         &V::moveTableRowLeft,
         true,
         "A C B / D F E",
         "100 140 120",
         "40 50",
         "picB@0,2 picF@1,1"},
        {"move column right",
         2,
         3,
         {0, 0},
         &V::moveTableRowRight,
         true,
         "B A C / E D F",
         "120 100 140",
         "40 50",
         "picB@0,0 picF@1,2"},
        {"move last column right",
         2,
         3,
         {0, 2},
         &V::moveTableRowRight,
         false,
         "A B C / D E F",
         "100 120 140",
         "40 50",
         "picB@0,1 picF@1,2"},
        {"move row up",
         2,
         3,
         {1, 0},
         &V::moveTableRowUp,
         true,
         "D E F / A B C",
         "100 120 140",
         "50 40",
         "picB@1,1 picF@0,2"},
        {"move last row down",
         2,
         3,
         {1, 0},
         &V::moveTableRowDown,
         false,
         "A B C / D E F",
         "100 120 140",
         "40 50",
         "picB@0,1 picF@1,2"},
        // Swapped over in the same bounds: the cells of the first row and column give the sizes and the
        // rest is spread over them.
        {"transform",
         2,
         3,
         {0, 0},
         &V::transformTable,
         true,
         "A D / B E / C F",
         "180 180",
         "30 30 30",
         "picB@1,0 picF@2,1"},
        {"delete the only column",
         3,
         1,
         {1, 0},
         &V::deleteTableColumn,
         false,
         "A / B / C",
         "100",
         "40 50 60",
         "picB@1,0"},
        {"delete row of a column", 3, 1, {1, 0}, &V::deleteTableRow, true, "A / C", "100", "40 60", ""},
        {"insert column into a column",
         3,
         1,
         {2, 0},
         &V::insertTableColumn,
         true,
         ". A / . B / . C",
         "100 100",
         "40 50 60",
         "picB@1,1"},
        {"move top row up",
         3,
         1,
         {0, 0},
         &V::moveTableRowUp,
         false,
         "A / B / C",
         "100",
         "40 50 60",
         "picB@1,0"},
        {"move row down",
         3,
         1,
         {0, 0},
         &V::moveTableRowDown,
         true,
         "B / A / C",
         "100",
         "50 40 60",
         "picB@0,0"},
        {"transform a column",
         3,
         1,
         {0, 0},
         &V::transformTable,
         true,
         "A B C",
         "34 34 34",
         "150",
         "picB@0,1"},
    };
    for (const CellCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QList<QPoint> spots = c.rows == 2 ? QList<QPoint>{{0, 1}, {1, 2}} : QList<QPoint>{{1, 0}};
        DRVTable* table = makeTable(c.rows, c.columns, QPointF(10, 20), 'A', spots);
        place({table}, {0});
        const QString before = everything(table);
        touch(table, c.cell.x(), c.cell.y());
        platform::UndoManager* undo = doc.undoManager();
        (view.*c.command)();

        EXPECT_EQ(texts(table), QString::fromLatin1(c.texts));
        EXPECT_EQ(widths(table), QString::fromLatin1(c.widths));
        EXPECT_EQ(heights(table), QString::fromLatin1(c.heights));
        EXPECT_EQ(pictures(table), QString::fromLatin1(c.pictures));
        EXPECT_EQ(table->cellHelperArray().size(), table->numOfRows() * table->numOfColumns());
        EXPECT_EQ(undo->canUndo(), c.changes);
        if (c.changes) {
            const QString after = everything(table);
            undo->undo();
            EXPECT_EQ(everything(table), before);
            undo->redo();
            EXPECT_EQ(everything(table), after);
            undo->undo();
        }
        EXPECT_EQ(everything(table), before);
        view.changeSelectionIndexes({});
        doc.removeGraphicsAtIndexes({0});
        undo->removeAllActions();
    }
}

TEST_F(TableEditingTest, NewRowsAndColumnsTakeTheLookOfTheirNeighbours)
{
    DRVTable* table = makeTable(2, 3, QPointF(0, 0), 'A', {});
    table->grabSelectedTableCellHelper(1, 2)->setFixedHeightFlag(1);
    place({table}, {0});
    table->setNumOfColumns(5);
    table->setNumOfRows(3);
    view.refreshTable();
    EXPECT_EQ(texts(table), QStringLiteral("A B C . . / D E F . . / . . . . ."));
    // A new row copies the row above, a new column the column to its left.
    EXPECT_EQ(table->grabSelectedTableCellHelper(2, 1)->backgroundHexColorString(), QStringLiteral("0011"));
    EXPECT_EQ(table->grabSelectedTableCellHelper(0, 4)->backgroundHexColorString(), QStringLiteral("0002"));
    EXPECT_EQ(table->grabSelectedTableCellHelper(1, 3)->fixedHeightFlag(), 1);
    EXPECT_EQ(table->bounds().size(), QSizeF(table->tableTotalCellWidth(), table->tableTotalCellHeight()));
    EXPECT_EQ(doc.undoManager()->undoActionName(), QStringLiteral("Refresh Table"));

    // Counts below one keep one row and one column, with the text of the first cell.
    table->setNumOfColumns(0);
    table->setNumOfRows(-3);
    view.refreshTable();
    EXPECT_EQ(texts(table), QStringLiteral("A"));
    EXPECT_EQ(table->cellHelperArray().size(), 1);
}

TEST_F(TableEditingTest, EqualWidthEditionsGiveNewColumnsTheMeanOfTheColumnsThereAre)
{
    edition().gEqualColumnWidthsFlag = true;
    DRVTable* table = makeTable(1, 3, QPointF(0, 0), 'A', {});
    place({table}, {0});
    table->setNumOfColumns(4);
    view.refreshTable();
    // (100 + 120 + 140) / 3, not divided by the new count or by one less than it.
    EXPECT_EQ(widths(table), QStringLiteral("100 120 140 120"));
}

TEST_F(TableEditingTest, JoiningTakesTheFrontTableIntoTheOneBehindWithItsPictures)
{
    DRVTable* front = makeTable(3, 3, QPointF(0, 300), 'G', {{2, 0}});
    DRVTable* back = makeTable(2, 3, QPointF(0, 0), 'A', {{0, 1}});
    place({front, back}, {0, 1});
    const QString before = everything(back);
    const qreal backHeight = back->bounds().height();
    const qreal frontHeight = front->bounds().height();

    view.joinTablesVertically();
    ASSERT_EQ(doc.graphics(), QList<DRVGraphic*>{back});
    EXPECT_EQ(texts(back), QStringLiteral("A B C / D E F / G H I / J K L / M N O"));
    EXPECT_EQ(pictures(back), QStringLiteral("picB@0,1 picM@4,0"));
    EXPECT_EQ(back->bounds().height(), backHeight + frontHeight);
    EXPECT_EQ(view.selectionIndexes(), QList<int>{0});
    EXPECT_EQ(doc.undoManager()->undoActionName(), QStringLiteral("Join Tables"));

    doc.undoManager()->undo();
    ASSERT_EQ(doc.graphics().size(), 2);
    EXPECT_EQ(everything(back), before);
    EXPECT_EQ(texts(front), QStringLiteral("G H I / J K L / M N O"));
}

TEST_F(TableEditingTest, JoiningSideBySideNeedsEqualRowCountsAndSaysSoOtherwise)
{
    DRVTable* front = makeTable(3, 1, QPointF(400, 0), 'P', {});
    DRVTable* back = makeTable(2, 3, QPointF(0, 0), 'A', {});
    place({front, back}, {0, 1});
    const QString before = everything(back);

    view.joinTablesHorizontally();
    ASSERT_EQ(dialogs.alerts().size(), 1);
    EXPECT_EQ(dialogs.alerts().at(0).title, QStringLiteral("Table rows are not the same"));
    EXPECT_EQ(dialogs.alerts().at(0).informativeText,
              QStringLiteral("Only tables with the same number of rows can be joined horizontally"));
    EXPECT_EQ(doc.graphics().size(), 2);
    EXPECT_EQ(everything(back), before);
    EXPECT_FALSE(doc.undoManager()->canUndo());

    view.joinTablesVertically();
    ASSERT_EQ(dialogs.alerts().size(), 2);
    EXPECT_EQ(dialogs.alerts().at(1).title, QStringLiteral("Table columns not the same"));

    // Two tables of three rows side by side.
    DRVTable* other = makeTable(3, 2, QPointF(0, 300), 'a', {{1, 1}});
    view.changeSelectionIndexes({});
    doc.insertGraphics({other}, {0});
    view.changeSelectionIndexes({0, 1}); // other in front of the 3 x 1 table
    view.joinTablesHorizontally();
    EXPECT_EQ(texts(front), QStringLiteral("P a b / Q c d / R e f"));
    EXPECT_EQ(pictures(front), QStringLiteral("picd@1,2"));
}

TEST_F(TableEditingTest, TableOfContentsListsTheTitledPagesWithTheirPlaceInTheList)
{
    DRVTable* table = makeTable(1, 2, QPointF(0, 0), 'A', {});
    table->setGridType(QStringLiteral("TableOfContents"));
    place({table}, {0});
    EXPECT_TRUE(view.shouldDisplayOfTableContents());
    QList<DRVGraphicView::SitePage> pages{{QStringLiteral("Home"), QStringLiteral("index.html")},
                                          {QString(), QStringLiteral("blank.html")},
                                          {QStringLiteral("About"), QStringLiteral("about.html")}};
    view.setSitePagesSource([&pages] { return pages; });
    view.refreshTableOfContents();
    EXPECT_EQ(texts(table), QStringLiteral("Home 0 / About 2"));
    EXPECT_EQ(table->grabSelectedTableCellHelper(1, 0)->link(), QStringLiteral("about.html"));
    EXPECT_EQ(table->grabSelectedTableCellHelper(1, 1)->fixedWidthFlag(), 1);

    // No titled page at all leaves the table as it is rather than empty.
    pages = {{QString(), QStringLiteral("x.html")}};
    view.refreshTableOfContents();
    EXPECT_EQ(texts(table), QStringLiteral("Home 0 / About 2"));
}

TEST_F(TableEditingTest, PastedTableStyleGivesEachCellTheLookOfTheCellAtItsSpot)
{
    DRVTable* source = makeTable(2, 2, QPointF(0, 0), 'A', {});
    source->grabSelectedTableCellHelper(0, 0)->setTextAlignment(QString());
    source->grabSelectedTableCellHelper(1, 0)->setTextAlignment(QStringLiteral("right"));
    source->grabSelectedTableCellHelper(1, 0)->setFamilyName(QStringLiteral("Courier"));
    DRVTable* target = makeTable(3, 1, QPointF(0, 300), 'P', {});
    target->grabSelectedTableCellHelper(1, 0)->setFormType(QStringLiteral("text"));
    target->grabSelectedTableCellHelper(1, 0)->setFormTag(4);
    place({source, target}, {0});
    const QString before = everything(target);
    view.grabCopyStyle();
    view.changeSelectionIndexes({1});
    view.applyPasteStyle();

    const myTextView* top = target->grabSelectedTableCellHelper(0, 0);
    const myTextView* middle = target->grabSelectedTableCellHelper(1, 0);
    const myTextView* bottom = target->grabSelectedTableCellHelper(2, 0);
    EXPECT_EQ(top->backgroundHexColorString(), QStringLiteral("0000"));
    EXPECT_EQ(top->textAlignment(), QStringLiteral("justify"));
    EXPECT_EQ(middle->backgroundHexColorString(), QStringLiteral("0010"));
    EXPECT_EQ(middle->textAlignment(), QStringLiteral("right"));
    EXPECT_EQ(middle->familyName(), QStringLiteral("Courier"));
    EXPECT_EQ(middle->formType(), QString());
    EXPECT_EQ(middle->formTag(), -99);
    EXPECT_EQ(bottom->backgroundHexColorString(), QStringLiteral("0020")); // no source cell there
    EXPECT_EQ(texts(target), QStringLiteral("P / Q / R"));

    doc.undoManager()->undo();
    EXPECT_EQ(everything(target), before);
}

TEST_F(TableEditingTest, ALinkSavedOntoACellComesBackWithThePage)
{
    DRVTable* table = makeTable(2, 3, QPointF(20, 20), 'A', {});
    place({table}, {0});
    touch(table, 1, 2);
    ASSERT_TRUE(view.linkShown());
    view.applyLinkPopOver();
    QuibPopover* popover = view.quibPopOver();
    ASSERT_TRUE(popover);
    auto* field = popover->findChild<QLineEdit*>(QStringLiteral("linkTextbox"));
    ASSERT_TRUE(field);
    field->setText(QStringLiteral("https://example.com/a page?x=1&y=<2>"));
    QTest::mouseClick(popover->saveButton(), Qt::LeftButton);
    EXPECT_EQ(table->grabSelectedTableCellHelper(1, 2)->link(),
              QStringLiteral("https://example.com/a%20page?x=1&y=<2>"));
    EXPECT_TRUE(table->grabSelectedTableCellHelper(1, 1)->link().isEmpty());

    QObject owner;
    const generationtest::ReopenedPage page = generationtest::reopen(doc, QStringLiteral("cells"), &owner);
    const QList<DRVGraphic*> tables = generationtest::ofClass(page.graphics, "DRVTable");
    ASSERT_EQ(tables.size(), 1);
    const auto* back = static_cast<const DRVTable*>(tables.constFirst());
    ASSERT_TRUE(back->grabSelectedTableCellHelper(1, 2));
    EXPECT_EQ(back->grabSelectedTableCellHelper(1, 2)->link(),
              QStringLiteral("https://example.com/a%20page?x=1&y=<2>"));
    EXPECT_TRUE(back->grabSelectedTableCellHelper(0, 2)->link().isEmpty());
    EXPECT_EQ(texts(back), QStringLiteral("A B C / D E F"));
}

TEST_F(TableEditingTest, RightClickingACellOffersTheTableCommandsForIt)
{
    DRVTable* table = makeTable(2, 3, QPointF(20, 20), 'A', {});
    place({table}, {0});
    view.resize(600, 400);
    const QPoint cell = QRectF(table->grabSelectedCellRect(1, 0)).center().toPoint();
    QContextMenuEvent click(QContextMenuEvent::Mouse, cell, view.mapToGlobal(cell));
    QCoreApplication::sendEvent(&view, &click);
    ASSERT_TRUE(view.contextMenu());
    auto* submenu = view.contextMenu()->findChild<QMenu*>(QStringLiteral("tableEditMenu"));
    ASSERT_TRUE(submenu);
    QAction* insert = nullptr;
    for (QAction* action : submenu->actions()) {
        if (action->text() == QLatin1String("Insert Row"))
            insert = action;
    }
    ASSERT_TRUE(insert);
    insert->trigger();
    EXPECT_EQ(texts(table), QStringLiteral("A B C / . . . / D E F"));
    view.contextMenu()->close();
}

TEST_F(TableEditingTest, AResponsiveSectionKeepsTheSectionWidthWhenRefreshed)
{
    edition().gResponsiveLayoutFlag = true;
    edition().gDefaultSectionWidth = 1170;
    DRVTable* section = makeTable(1, 2, QPointF(0, 0), 'A', {});
    section->setGridType(QStringLiteral("section"));
    place({section}, {0});
    section->setNumOfColumns(3);
    view.refreshTable();
    EXPECT_EQ(section->bounds().width(), 1170);
    EXPECT_EQ(section->cellHelperArray().size(), 3);
    EXPECT_EQ(section->bounds().height(), section->tableTotalCellHeight());
}
