// The spot chooser of the label editions, driven with real clicks: a cell per spot at a third of the
// sheet's print size, titles that toggle, and "Print Preview" handing the chosen spots on.
#include "PageListTestSupport.h"

#include "editions/DataCentre.h"
#include "editions/LabelHelper.h"
#include "editions/PrintSheetGeometry.h"
#include "window/FontOrnamentWindowController.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>

namespace {

const QString kThirty = QStringLiteral("Label - 30 Per Letter Sheet");

class SpotChooserTest : public PageListTest
{
protected:
    SpotChooserTest() : PageListTest(QStringLiteral("Kestrin Label Maker"))
    {
        DataCentre::loadPrintLabels();
        edition().gSelectedLabelSheet = kThirty;
        edition().gPaperSizeControlFlag = false;
    }
    ~SpotChooserTest() override { FontOrnamentWindowController::setSpotPrinter(nullptr); }

    FontOrnamentWindowController* openChooser()
    {
        openProject({addPage(QStringLiteral("label"), QStringLiteral("Label"), QStringLiteral("AA0000"))});
        EXPECT_TRUE(controller.performAction(QStringLiteral("selectDefaultLabelShapes:")));
        QApplication::processEvents();
        return document.fontOrnamentWindowController();
    }

    static void click(QWidget* widget)
    {
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
        QApplication::processEvents();
    }
};

TEST_F(SpotChooserTest, ThirtySpotsInRowOrderAtAThirdOfTheSheet)
{
    FontOrnamentWindowController* chooser = openChooser();
    ASSERT_NE(chooser, nullptr);
    EXPECT_TRUE(chooser->window()->isVisible());
    EXPECT_EQ(chooser->window()->windowModality(), Qt::WindowModal);
    EXPECT_EQ(chooser->window()->parentWidget(), controller.window());

    const PrintSheetGeometry& g = printSheetGeometry();
    ASSERT_EQ(g.gPrintNumOfRowsPerSheet, 10);
    ASSERT_EQ(g.gPrintNumOfColumnsPerSheet, 3);
    const QList<FontOrnamentWindowController::SpotButton*>& spots = chooser->buttonArray();
    ASSERT_EQ(spots.size(), 30);
    const double w = g.gPrintSingleLabelWidthInch * 144.0 / 3;
    const double h = g.gPrintSingleLabelHeightInch * 144.0 / 3;
    const double gx = g.gPrintLabelColumnSpacingInch * 144.0 / 3;
    const double gy = g.gPrintLabelRowSpacingInch * 144.0 / 3;
    for (int r = 0; r < 10; ++r) {
        for (int c = 0; c < 3; ++c) {
            const FontOrnamentWindowController::SpotButton* spot = spots.at(r * 3 + c);
            SCOPED_TRACE(testing::Message() << "row " << r << " column " << c);
            EXPECT_EQ(spot->text(), QStringLiteral("%1 x %2").arg(r + 1).arg(c + 1));
            EXPECT_EQ(spot->tag(), r * 3 + c);
            EXPECT_EQ(spot->rowNumber(), r);
            EXPECT_EQ(spot->columnNumber(), c);
            EXPECT_NEAR(spot->x(), c * (gx + w), 1.0);
            EXPECT_NEAR(spot->y(), r * (gy + h), 1.0);
            EXPECT_NEAR(spot->width(), w, 1.0);
            EXPECT_NEAR(spot->height(), h, 1.0);
        }
    }
    EXPECT_EQ(spots.constFirst()->text(), QStringLiteral("1 x 1"));
    EXPECT_EQ(spots.constLast()->text(), QStringLiteral("10 x 3"));
    EXPECT_EQ(chooser->instructionLabel()->text(),
              QStringLiteral(
                  "Please choose one or multiple available spots, choose \"Print Preview\" when ready to "
                  "proceed"));
    EXPECT_EQ(chooser->printButton()->text(), QStringLiteral("Print Preview"));

    const QString shot = artefactPath(QStringLiteral("spot-chooser.png"));
    EXPECT_TRUE(chooser->window()->grab().save(shot)) << qPrintable(shot);
}

TEST_F(SpotChooserTest, TheMenuItemShowsWhereTheEditionHasALabelSheet)
{
    const QString action = QStringLiteral("selectDefaultLabelShapes:");
    EXPECT_TRUE(controller.validateMenuItem(action, MenuItemState()).visible);
    edition().gSelectedLabelSheet.clear();
    EXPECT_FALSE(controller.validateMenuItem(action, MenuItemState()).visible);
    edition().gPaperSizeControlFlag = true;
    EXPECT_TRUE(controller.validateMenuItem(action, MenuItemState()).visible);
}

TEST_F(SpotChooserTest, ASheetOfNoCellsIsRefusedWithAnAlert)
{
    openProject({addPage(QStringLiteral("label"), QStringLiteral("Label"), QStringLiteral("AA0000"))});
    LabelHelper empty;
    empty.canvasWidth = 200;
    empty.canvasHeight = 100;
    empty.printSingleLabelWidthInch = 2;
    empty.printSingleLabelHeightInch = 1;
    DataCentre::resetPrintCanvas(&empty);
    // Later tests find the usual sheet again, however this one ends.
    const std::shared_ptr<void> restore(
        nullptr, [](void*) { DataCentre::resetPrintCanvas(DataCentre::grabLabelHelper(kThirty)); });
    // With no sheet named, the window's paper controls keep the geometry in force.
    edition().gSelectedLabelSheet.clear();
    ASSERT_TRUE(controller.performAction(QStringLiteral("selectDefaultLabelShapes:")));
    EXPECT_EQ(document.fontOrnamentWindowController(), nullptr);
    ASSERT_EQ(dialogs.dialogs().alerts().size(), 1);
    EXPECT_EQ(dialogs.dialogs().alerts().constFirst().title, QStringLiteral("No Label Sheet"));
}

TEST_F(SpotChooserTest, ClicksToggleTitlesAndPrintPreviewHandsOnTheChosenSpots)
{
    FontOrnamentWindowController* chooser = openChooser();
    ASSERT_NE(chooser, nullptr);
    const auto& spots = chooser->buttonArray();
    ASSERT_EQ(spots.size(), 30);
    click(spots.at(4));  // 2 x 2
    click(spots.at(29)); // 10 x 3
    click(spots.at(0));  // 1 x 1, then back
    EXPECT_EQ(spots.at(0)->text(), QStringLiteral("Selected"));
    click(spots.at(0));
    EXPECT_EQ(spots.at(0)->text(), QStringLiteral("1 x 1"));
    EXPECT_EQ(spots.at(4)->text(), QStringLiteral("Selected"));

    QList<FontOrnamentWindowController::Spot> printed;
    int calls = 0;
    DRVWindowController* printedFor = nullptr;
    FontOrnamentWindowController::setSpotPrinter(
        [&](DRVWindowController* window, const QList<FontOrnamentWindowController::Spot>& chosen) {
            ++calls;
            printedFor = window;
            printed = chosen;
        });
    click(chooser->printButton());
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(printedFor, &controller);
    EXPECT_EQ(printed, (QList<FontOrnamentWindowController::Spot>{{1, 1}, {9, 2}}));
    EXPECT_FALSE(chooser->window()->isVisible());
}

TEST_F(SpotChooserTest, EachOpeningStartsUnselectedAndCancelClosesWithoutPrinting)
{
    FontOrnamentWindowController* first = openChooser();
    ASSERT_NE(first, nullptr);
    click(first->buttonArray().at(3));
    int calls = 0;
    FontOrnamentWindowController::setSpotPrinter([&](DRVWindowController*, const auto&) { ++calls; });
    click(first->cancelButton());
    EXPECT_FALSE(first->window()->isVisible());
    EXPECT_EQ(calls, 0);

    ASSERT_TRUE(controller.performAction(QStringLiteral("selectDefaultLabelShapes:")));
    FontOrnamentWindowController* second = document.fontOrnamentWindowController();
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    EXPECT_TRUE(second->selectedSpots().isEmpty());
    // Printing with nothing chosen still prints: an empty sheet.
    click(second->printButton());
    EXPECT_EQ(calls, 1);
}

} // namespace
