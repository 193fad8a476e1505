// The "Configure Table Grid" window driven through its own widgets: filled from the table, widths,
// heights and fixed flags applied while it is open, Save applying the rest in order as one undo
// step, Cancel putting the table back.
#include "CanvasTestSupport.h"
#include "TableFixture.h"

#include "canvas/DRVGraphicView.h"
#include "canvas/DRVSelectionModel.h"
#include "model/TableGridWindowController.h"
#include "platform/UndoManager.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

namespace {

using namespace tablefixture;

class TableGridDialogTest : public BoundCanvasTest
{
protected:
    TableGridDialogTest()
    {
        edition().gEqualColumnWidthsFlag = true;
        // 3 x 3, spacing 5 and border 1, 400 wide.
        table = makeTable(3, 3, QPointF(20, 20), 'A', {});
        table->setPadding(5);
        table->setBorderWidth(1);
        table->setBounds(QRectF(20, 20, 400, 200));
        table->setSelectable(true);
        doc.undoManager()->disableUndoRegistration();
        doc.insertGraphics({table}, {0});
        doc.undoManager()->enableUndoRegistration();
        view.changeSelectionIndexes({0});
        before = everything(table);
        view.configureTableGrid();
        c = view.tableGridWindowController();
    }

    static void typeInto(QLineEdit* field, const QString& text)
    {
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, text);
    }

    DRVTable* table = nullptr;
    QString before;
    TableGridWindowController* c = nullptr;
};

} // namespace

TEST_F(TableGridDialogTest, OpensFilledFromTheTable)
{
    ASSERT_TRUE(c);
    EXPECT_TRUE(c->window()->isVisible());
    EXPECT_EQ(c->window()->windowTitle(), QStringLiteral("Configure Table Grid"));
    EXPECT_EQ(c->numOfColumnsTextField()->text(), QStringLiteral("3"));
    EXPECT_EQ(c->numOfRowsTextField()->text(), QStringLiteral("3"));
    EXPECT_EQ(c->spacingTextField()->text(), QStringLiteral("5"));
    ASSERT_EQ(c->columnWidthPopUpButton()->count(), 3);
    EXPECT_EQ(c->columnWidthPopUpButton()->itemText(2), QStringLiteral("Column 3"));
    EXPECT_EQ(c->rowHeightPopUpButton()->itemText(0), QStringLiteral("Row 1"));
    EXPECT_EQ(c->widthTextField()->text(), QString::number(table->grabColumnWidth(0)));
    EXPECT_EQ(c->heightTextField()->text(), QString::number(table->grabRowHeight(0)));

    const QString artefacts = QCoreApplication::applicationDirPath() + QStringLiteral("/artefacts");
    QDir().mkpath(artefacts);
    EXPECT_TRUE(c->window()->grab().save(artefacts + QStringLiteral("/table-grid-dialog.png")));
}

TEST_F(TableGridDialogTest, LiveEditsChangeTheTableAndSaveAppliesCountsAsOneUndoStep)
{
    const QRectF bounds = table->bounds();
    // Second row to 80: the table keeps its bounds, the other rows give way.
    QTest::keyClick(c->rowHeightPopUpButton(), Qt::Key_Down);
    ASSERT_EQ(c->rowHeightPopUpButton()->currentIndex(), 1);
    typeInto(c->heightTextField(), QStringLiteral("80"));
    EXPECT_EQ(table->grabRowHeight(1), 80);
    EXPECT_EQ(table->bounds(), bounds);

    // Fixed on the second column marks that column in every row.
    QTest::keyClick(c->columnWidthPopUpButton(), Qt::Key_Down);
    QTest::mouseClick(c->fixedWidthCheckmark(), Qt::LeftButton, {},
                      QPoint(5, c->fixedWidthCheckmark()->height() / 2));
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(table->grabSelectedTableCellHelper(r, 1)->fixedWidthFlag(), 1);
        EXPECT_EQ(table->grabSelectedTableCellHelper(r, 0)->fixedWidthFlag(), 0);
    }

    // The stepper only shows the new count until Save.
    QTest::keyClick(c->columnStepper(), Qt::Key_Up);
    EXPECT_EQ(c->numOfColumnsTextField()->text(), QStringLiteral("4"));
    EXPECT_EQ(table->numOfColumns(), 3);

    QTest::mouseClick(c->saveButton(), Qt::LeftButton);
    EXPECT_FALSE(c->window()->isVisible());
    EXPECT_EQ(table->numOfColumns(), 4);
    EXPECT_EQ(texts(table), QStringLiteral("A B C . / D E F . / G H I ."));
    EXPECT_EQ(table->grabRowHeight(1), 80);
    EXPECT_EQ(table->bounds().size(), QSizeF(table->tableTotalCellWidth(), table->tableTotalCellHeight()));
    EXPECT_EQ(doc.undoManager()->undoActionName(), QStringLiteral("Configure Table Grid"));

    // One undo takes back the live edits with the rest.
    doc.undoManager()->undo();
    EXPECT_EQ(everything(table), before);
}

TEST_F(TableGridDialogTest, EqualWidthDisablesThePerColumnControlsAndSharesTheWidth)
{
    QTest::mouseClick(c->sameWidthForAllColumnsCheckmark(), Qt::LeftButton, {},
                      QPoint(5, c->sameWidthForAllColumnsCheckmark()->height() / 2));
    EXPECT_FALSE(c->columnWidthPopUpButton()->isEnabled());
    EXPECT_FALSE(c->widthTextField()->isEnabled());
    EXPECT_FALSE(c->fixedWidthCheckmark()->isEnabled());
    EXPECT_TRUE(c->heightTextField()->isEnabled());

    QTest::mouseClick(c->saveButton(), Qt::LeftButton);
    // (400 - 4 x (1 + 5)) / 3
    EXPECT_EQ(widths(table), QStringLiteral("125 125 125"));
    EXPECT_EQ(table->sameWidthForAllColumnsFlag(), 1);
}

TEST_F(TableGridDialogTest, CancelPutsTheTableBackAndLeavesNoUndoStep)
{
    typeInto(c->widthTextField(), QStringLiteral("222"));
    EXPECT_EQ(table->grabColumnWidth(0), 222);
    typeInto(c->numOfRowsTextField(), QStringLiteral("0"));
    QTest::mouseClick(c->cancelButton(), Qt::LeftButton);
    EXPECT_FALSE(c->window()->isVisible());
    EXPECT_EQ(everything(table), before);
    EXPECT_FALSE(doc.undoManager()->canUndo());
}

TEST_F(TableGridDialogTest, CountsBelowOneKeepOneRowAndColumn)
{
    typeInto(c->numOfRowsTextField(), QStringLiteral("0"));
    typeInto(c->numOfColumnsTextField(), QStringLiteral("0"));
    QTest::mouseClick(c->saveButton(), Qt::LeftButton);
    EXPECT_EQ(texts(table), QStringLiteral("A"));
}
