// The preset pickers: tiles placed from the presets, opened from the window's action, and a pick
// handed on with the tile's index.
#include "window/inspector/SidebarInspectorTest.h"

#include "editions/DataCentre.h"
#include "window/DRVWindowController.h"
#include "window/FlippedNSView.h"
#include "window/ShapeSelectionView.h"
#include "window/inspector/InspectorPanel.h"
#include "window/inspector/PresetPickers.h"

#include <QCoreApplication>
#include <QDir>
#include <QPushButton>
#include <QTest>

namespace {

class PresetPickersTest : public SidebarInspectorTest
{
protected:
    PresetPickersTest()
    {
        for (const char* colour : {"8B0000", "FF8C00", "FFFFFF", "555555", "4682B4", "228B22"}) {
            for (const auto& shape : DataCentre::createBatchOfShapes(QString::fromLatin1(colour)))
                edition().gPresetShapes.append(shape);
        }
        for (int i = 0; i < 10; ++i)
            edition().gPresetTextViews.append(
                DataCentre::createDefaultTextView(QStringLiteral("4682B4"), QStringLiteral("FFFFFF"),
                                                  std::nullopt, QStringLiteral("Category %1").arg(i)));
        open({}, 0);
        pickers = panel->presetPickers();
    }

    PresetPickers* pickers = nullptr;
};

} // namespace

TEST_F(PresetPickersTest, TheShapeSheetShowsSixRowsOfSevenAndHandsOnThePick)
{
    int picked = -1;
    pickers->addNewShape = [&picked](int index) { picked = index; };
    ASSERT_TRUE(controller.performAction(QStringLiteral("showShapePopOver:")));
    ASSERT_TRUE(pickers->sheet() && pickers->sheet()->isVisible());
    EXPECT_EQ(pickers->sheet()->windowModality(), Qt::WindowModal);
    const QList<QPushButton*> tiles = pickers->tiles();
    ASSERT_EQ(tiles.size(), 42);
    EXPECT_EQ(tiles.at(9)->geometry(), QRect(151, 75, 70, 70));
    EXPECT_EQ(tiles.at(3)->size(), QSize(70, 52));
    EXPECT_EQ(tiles.at(41)->geometry().topLeft(), QPoint(443, 375));
    keepScreenshot(pickers->sheet(), QStringLiteral("preset-shapes.png"));
    QTest::mouseClick(tiles.at(9), Qt::LeftButton);
    EXPECT_EQ(picked, 9);
    EXPECT_EQ(pickers->sheet(), nullptr);
}

TEST_F(PresetPickersTest, TheTextSheetStacksOneTilePerCategory)
{
    int picked = -1;
    pickers->addNewSelectedTextView = [&picked](int index) { picked = index; };
    ASSERT_TRUE(controller.performAction(QStringLiteral("showTextViewPopOver:")));
    const QList<QPushButton*> tiles = pickers->tiles();
    ASSERT_EQ(tiles.size(), 10);
    EXPECT_EQ(tiles.at(0)->geometry(), QRect(0, 5, 400, 42));
    EXPECT_EQ(tiles.at(1)->y(), 52);
    EXPECT_EQ(tiles.at(2)->y(), 99);
    EXPECT_EQ(tiles.at(9)->y(), 428);
    EXPECT_EQ(tiles.at(9)->text(), QStringLiteral("Category 9"));
    keepScreenshot(pickers->sheet(), QStringLiteral("preset-texts.png"));
    // The sheet's cancel button closes it with nothing picked.
    auto* cancel = pickers->sheet()->findChild<QPushButton*>(QStringLiteral("cancelButton"));
    ASSERT_TRUE(cancel);
    QTest::mouseClick(cancel, Qt::LeftButton);
    EXPECT_EQ(pickers->sheet(), nullptr);
    EXPECT_EQ(picked, -1);
}

TEST_F(PresetPickersTest, InsertShapeOpensThePickerAndThePickLandsOnThePage)
{
    // The window's own hooks: the canvas inserts the picked preset.
    ASSERT_TRUE(controller.performAction(QStringLiteral("addNewShape:")));
    ASSERT_TRUE(pickers->sheet());
    QTest::mouseClick(pickers->tiles().at(9), Qt::LeftButton);
    ASSERT_EQ(doc.graphics().size(), 1);
    // Twice the preset's size.
    EXPECT_EQ(doc.graphics().first()->bounds().size(), QSizeF(140, 140));

    ASSERT_TRUE(controller.performAction(QStringLiteral("showTextViewPopOver:")));
    QTest::mouseClick(pickers->tiles().at(2), Qt::LeftButton);
    EXPECT_EQ(doc.graphics().size(), 2);
}
