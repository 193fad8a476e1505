// The print settings window: the first free label's row and column, shown as 1 until set, kept
// for the process, held to the sheet in force and read back as at least 1 by sheet composition.
#include "CanvasTestSupport.h"

#include "canvas/PrintSettingsWindowController.h"
#include "editions/DataCentre.h"
#include "editions/LabelHelper.h"
#include "editions/PrintSheetGeometry.h"
#include "print/PrintStart.h"

#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class PrintSettingsTest : public BoundCanvasTest
{
protected:
    // Every case runs on the 30-label sheet: 10 rows of 3.
    PrintSettingsTest()
    {
        DataCentre::loadPrintLabels();
        DataCentre::resetPrintCanvas(
            DataCentre::grabLabelHelper(QStringLiteral("Label - 30 Per Letter Sheet")));
    }
    ~PrintSettingsTest() override
    {
        gPrintStartRow = 0;
        gPrintStartColumn = 0;
    }

    static void typeInto(QLineEdit* field, const QString& text)
    {
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, text);
    }
};

} // namespace

TEST_F(PrintSettingsTest, SavedStartIsShownAgainAndReadBySheetComposition)
{
    view.launchPrintSettings();
    PrintSettingsWindowController* c = view.printSettingsWindowController();
    ASSERT_TRUE(c);
    EXPECT_TRUE(c->window()->isVisible());
    EXPECT_EQ(c->window()->windowTitle(), QStringLiteral("Print Settings"));
    EXPECT_EQ(c->startingRowSpotTextField()->text(), QStringLiteral("1"));
    EXPECT_EQ(c->startingColumnSpotTextField()->text(), QStringLiteral("1"));
    const QString artefacts = QCoreApplication::applicationDirPath() + QStringLiteral("/artefacts");
    QDir().mkpath(artefacts);
    EXPECT_TRUE(c->window()->grab().save(artefacts + QStringLiteral("/print-settings.png")));

    typeInto(c->startingRowSpotTextField(), QStringLiteral("3"));
    typeInto(c->startingColumnSpotTextField(), QStringLiteral("2"));
    QTest::mouseClick(c->saveButton(), Qt::LeftButton);
    EXPECT_FALSE(c->window()->isVisible());
    EXPECT_EQ(printStartingRow(), 3);
    EXPECT_EQ(printStartingColumn(), 2);
    view.launchPrintSettings();
    EXPECT_EQ(c->startingRowSpotTextField()->text(), QStringLiteral("3"));
    EXPECT_EQ(c->startingColumnSpotTextField()->text(), QStringLiteral("2"));

    // Nothing below 1: a 0 is stored, shown and used as 1.
    typeInto(c->startingRowSpotTextField(), QStringLiteral("0"));
    QTest::mouseClick(c->saveButton(), Qt::LeftButton);
    EXPECT_EQ(gPrintStartRow, 1);
    EXPECT_EQ(printStartingRow(), 1);
    view.launchPrintSettings();
    EXPECT_EQ(c->startingRowSpotTextField()->text(), QStringLiteral("1"));
}

TEST_F(PrintSettingsTest, TheStoredStartIsHeldToTheSheetsRowsAndColumns)
{
    ASSERT_EQ(printSheetGeometry().gPrintNumOfRowsPerSheet, 10);
    ASSERT_EQ(printSheetGeometry().gPrintNumOfColumnsPerSheet, 3);
    const struct
    {
        int row, column, storedRow, storedColumn;
    } cases[] = {
        {0, 0, 1, 1},   {-3, -3, 1, 1},
        {11, 4, 10, 3}, // past the sheet: its last row and column, so labels still print
        {3, 2, 3, 2},   {10, 3, 10, 3},
    };
    for (const auto& c : cases) {
        storePrintStart(c.row, c.column);
        EXPECT_EQ(gPrintStartRow, c.storedRow) << c.row;
        EXPECT_EQ(gPrintStartColumn, c.storedColumn) << c.column;
    }

    // Typed into the window, a row past the sheet is saved as its last row and shown so again.
    view.launchPrintSettings();
    PrintSettingsWindowController* w = view.printSettingsWindowController();
    typeInto(w->startingRowSpotTextField(), QStringLiteral("11"));
    typeInto(w->startingColumnSpotTextField(), QStringLiteral("4"));
    QTest::mouseClick(w->saveButton(), Qt::LeftButton);
    EXPECT_EQ(printStartingRow(), 10);
    EXPECT_EQ(printStartingColumn(), 3);
    view.launchPrintSettings();
    EXPECT_EQ(w->startingRowSpotTextField()->text(), QStringLiteral("10"));
    EXPECT_EQ(w->startingColumnSpotTextField()->text(), QStringLiteral("3"));
}
