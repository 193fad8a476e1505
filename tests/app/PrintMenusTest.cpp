// The label edition's menus reach the sheet commands: "Export Sheet To PDF" writes the open page into
// every cell of a real-size sheet, "Print Labels" goes through the print panel.
#include "AppTestSupport.h"

#include "editions/DataCentre.h"
#include "editions/PrintSheetGeometry.h"
#include "model/DRVRectangle.h"
#include "print/PdfCheck.h"
#include "print/PrintPanel.h"
#include "print/PrintStart.h"
#include "print/SheetPlan.h"

namespace {

class PrintMenusTest : public WindowedAppTest
{
protected:
    PrintMenusTest() : m_labels(QStringLiteral("Kestrin Label Maker"))
    {
        useWorkingFolders();
        // What start-up does before any window opens.
        DataCentre::loadPrintLabels();
        // The sheet the user picked in the template pop-up.
        edition().set(edition().gSelectedLabelSheet, QStringLiteral("Label - 30 Per Letter Sheet"));
        gPrintStartRow = 0;
        gPrintStartColumn = 0;
    }

    // A label page filled with one colour.
    DRVWindowController* solidLabel(const QColor& colour)
    {
        auto* box = new DRVRectangle;
        box->setBounds(QRectF(-10, -10, 4000, 4000));
        box->setDrawingFill(true);
        box->setFillColor(colour);
        box->setOpacity(1.0);
        return windowOnPage({box});
    }

    static QPoint cellCentre(int row, int column)
    {
        return pdfcheck::cellCentre(printSheetGeometry(), row, column);
    }

    ScopedEdition m_labels;
    ScriptedPrintPanel printPanel;
};

} // namespace

TEST_F(PrintMenusTest, ExportSheetFillsEveryCellWithTheOpenPage)
{
    if (!pdfcheck::havePoppler())
        return;
    const QColor colour(0x20, 0x60, 0xC0);
    DRVWindowController* window = solidLabel(colour);
    ASSERT_TRUE(window);
    dialogs->queueSavePanelAnswer(m_root.filePath(QStringLiteral("sheet.pdf")));
    choose(window, QStringLiteral("exportPDFSheetCopy:"));
    const QString pdf = m_root.filePath(QStringLiteral("sheet.pdf"));
    ASSERT_TRUE(QFileInfo::exists(pdf));
    const PrintSheetGeometry& g = printSheetGeometry();
    ASSERT_GT(g.gPrintNumOfRowsPerSheet * g.gPrintNumOfColumnsPerSheet, 1);
    EXPECT_EQ(pdfcheck::pageCount(pdf), 1);
    const QImage sheet = pdfcheck::pagePixels(pdf);
    for (int row = 0; row < g.gPrintNumOfRowsPerSheet; ++row)
        for (int column = 0; column < g.gPrintNumOfColumnsPerSheet; ++column)
            EXPECT_TRUE(pdfcheck::near(sheet.pixel(cellCentre(row, column)), colour)) << row << "," << column;
    EXPECT_TRUE(pdfcheck::near(sheet.pixel(2, 2), Qt::white));
}

TEST_F(PrintMenusTest, PrintLabelsGoesThroughThePrintPanel)
{
    if (!pdfcheck::havePoppler())
        return;
    DRVWindowController* window = solidLabel(Qt::darkRed);
    ASSERT_TRUE(window);
    const QString pdf = m_root.filePath(QStringLiteral("printed.pdf"));
    printPanel.queueAnswer(pdf);
    choose(window, QStringLiteral("printLabels:"));
    ASSERT_EQ(printPanel.requests.size(), 1);
    EXPECT_EQ(pdfcheck::pageCount(pdf), 1);
    EXPECT_TRUE(pdfcheck::near(pdfcheck::pagePixels(pdf).pixel(cellCentre(0, 0)), Qt::darkRed));
}

// "Print Different Labels" is an item of the label editions' Print menu only. With no project open
// it stays enabled while the menus lead to one, and choosing it explains how to open one.
TEST_F(PrintMenusTest, DifferentLabelsAreOfferedInTheLabelEditions)
{
    const QString action = QStringLiteral("printSheetWithDifferentLabels:");
    const struct
    {
        const char* edition;
        bool offered;
    } rows[] = {{"Kestrin Label Maker", true},
                {"Brennolt Pro", true},
                {"Femmock", true},
                {"Corvane Business Card Designer", false},
                {"Kestrin Greeting Card Designer", false},
                {"HTML Quib Pro", false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.edition);
        ScopedEdition scoped{QString::fromLatin1(row.edition)};
        DRVWindowController* window = solidLabel(Qt::darkGreen);
        ASSERT_TRUE(window);
        QAction* item = validatedItem(window, action);
        ASSERT_TRUE(item);
        EXPECT_EQ(item->isVisible(), row.offered);
        if (!row.offered)
            continue;
        EXPECT_EQ(item->text(), QStringLiteral("Print Different Labels"));
        ASSERT_TRUE(item->isEnabled());
        dialogs->queueAlertAnswer(1); // "Dismiss"
        const int alerts = int(dialogs->alerts().size());
        item->trigger();
        ASSERT_EQ(dialogs->alerts().size(), alerts + 1);
        EXPECT_EQ(dialogs->alerts().constLast().title,
                  QStringLiteral("Please launch editor in multi-document mode"));
        EXPECT_TRUE(printPanel.requests.isEmpty());
    }
}
