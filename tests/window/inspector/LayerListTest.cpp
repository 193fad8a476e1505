// The Layers tab: its rows, clicks that extend the selection, and rebuilding after the page's
// graphics are reordered.
#include "window/inspector/SidebarInspectorTest.h"

#include "document/DRVDocument.h"
#include "model/DRVImage.h"
#include "model/DRVRectangle.h"
#include "model/DRVTable.h"
#include "model/DRVText.h"
#include "platform/UndoManager.h"
#include "window/DRVWindowController.h"
#include "window/FlippedNSView.h"
#include "window/inspector/FormatIconView.h"
#include "window/inspector/InspectorPanel.h"
#include "window/inspector/LayerList.h"
#include "window/inspector/SegmentedControl.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QTest>
#include <QToolButton>

namespace {

class LayerListTest : public SidebarInspectorTest
{
protected:
    LayerListTest()
    {
        text->setBounds(QRectF(10.9, 20.2, 120.7, 40));
        text->setOpacity(0.5);
        shape->setBounds(QRectF(0, 0, 30, 30));
        shape->setBubbleShape(QStringLiteral("roundRect"));
        image->setBounds(QRectF(50, 60, 70, 80));
        rectangle->setBounds(QRectF(5, 5, 10, 10));
        open({text, shape, image, rectangle}, 2);
    }

    QList<FormatIconView*> rows() const { return panel->layerList()->rows(); }

    DRVText* text = new DRVText;
    DRVText* shape = new DRVText;
    DRVImage* image = new DRVImage;
    DRVRectangle* rectangle = new DRVRectangle;
};

} // namespace

TEST_F(LayerListTest, RowsDescribeEachGraphicFrontToBack)
{
    ASSERT_EQ(rows().size(), 4);
    EXPECT_EQ(panel->layerList()->heading()->text(), QStringLiteral("4 layers"));
    const QStringList expected = {
        QStringLiteral("Text Layer 0\nx:10 y:20 size:120x40 opacity:50%"),
        QStringLiteral("Shape Layer 1\nx:0 y:0 size:30x30 opacity:%1%").arg(int(shape->opacity() * 100)),
        QStringLiteral("Image Layer 2\nx:50 y:60 size:70x80 opacity:%1%").arg(int(image->opacity() * 100)),
        // A kind without a word starts with the blank.
        QStringLiteral(" Layer 3\nx:5 y:5 size:10x10 opacity:%1%").arg(int(rectangle->opacity() * 100)),
    };
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(rows().at(i)->iconLabelPlainText(), expected.at(i)) << i;
        EXPECT_EQ(rows().at(i)->geometry(), QRect(0, 30 + 50 * i, 270, 50)) << i;
        EXPECT_EQ(rows().at(i)->objectIndex(), i);
    }
    EXPECT_EQ(LayerList::iconNameFor(shape), QStringLiteral("shape_simple"));
    EXPECT_EQ(LayerList::iconNameFor(rectangle), QStringLiteral("selection_elliptical_black"));
    DRVTable section;
    section.setGridType(QStringLiteral("section"));
    EXPECT_EQ(LayerList::kindWordFor(&section), QStringLiteral("Table"));
    EXPECT_EQ(panel->dragObjectsClipView()->height(), 50 * 4 + 60);
    keepScreenshot(controller.inspectorView(), QStringLiteral("layers.png"));
}

TEST_F(LayerListTest, RowClicksExtendTheSelectionAndHighlightTheLastOne)
{
    controller.graphicView()->changeSelectionIndexes({});
    // On the label: the row answers for it.
    QTest::mouseClick(rows().at(2)->iconLabel(), Qt::LeftButton);
    QTest::mouseClick(rows().at(0), Qt::LeftButton, {}, QPoint(200, 25));
    EXPECT_EQ(controller.graphicView()->selectionIndexes(), (QList<int>{0, 2}));
    EXPECT_TRUE(rows().at(0)->highlightFlag());
    EXPECT_FALSE(rows().at(2)->highlightFlag());
    // Again on the same row: nothing more is selected and it stays highlighted.
    QTest::mouseClick(rows().at(0), Qt::LeftButton);
    EXPECT_EQ(controller.graphicView()->selectionIndexes(), (QList<int>{0, 2}));
    EXPECT_TRUE(rows().at(0)->highlightFlag());
    // The highlight is drawn.
    const QImage picture = rows().at(0)->grab().toImage();
    EXPECT_EQ(picture.pixelColor(260, 45), QColor(0xF5, 0xF5, 0xF5));
}

TEST_F(LayerListTest, ArrangeCommandsRebuildTheRows)
{
    controller.graphicView()->changeSelectionIndexes({3});
    ASSERT_TRUE(controller.performAction(QStringLiteral("bringToFront:")));
    ASSERT_EQ(rows().size(), 4);
    EXPECT_TRUE(rows().at(0)->iconLabelPlainText().startsWith(QStringLiteral(" Layer 0\nx:5 y:5")));
    EXPECT_TRUE(rows().at(1)->iconLabelPlainText().startsWith(QStringLiteral("Text Layer 1")));

    ASSERT_TRUE(controller.performAction(QStringLiteral("delete:")));
    EXPECT_EQ(rows().size(), 3);
    EXPECT_EQ(panel->layerList()->heading()->text(), QStringLiteral("3 layers"));

    // With another tab shown the rows are left alone, and none of them is in the inspector.
    clickTab(1);
    for (FormatIconView* tile : controller.inspectorView()->findChildren<FormatIconView*>())
        EXPECT_FALSE(tile->supportsHightlightFlag());
    select({0});
    const int before = int(rows().size());
    ASSERT_TRUE(controller.performAction(QStringLiteral("delete:")));
    EXPECT_EQ(int(rows().size()), before);
}

class EmptyLayerListTest : public SidebarInspectorTest
{
};

TEST_F(EmptyLayerListTest, AnEmptyPageHasAHeadingOnly)
{
    open({}, 2);
    EXPECT_EQ(panel->layerList()->rows().size(), 0);
    EXPECT_EQ(panel->layerList()->heading()->text(), QStringLiteral("0 layer"));
    EXPECT_EQ(panel->dragObjectsClipView()->height(), 60);
}

TEST(FormatIconViewAlone, OnlyLayerTilesTakeClicksAndHighlight)
{
    for (bool layer : {false, true}) {
        SCOPED_TRACE(layer);
        QWidget parent;
        parent.resize(300, 100);
        auto* tile = new FormatIconView(&parent);
        tile->setGeometry(0, 0, 270, 50);
        tile->setSupportsHightlightFlag(layer);
        tile->setIconLabelString(QStringLiteral("Text"), QStringLiteral("Layer 0\nx:1"), Qt::gray);
        int selected = 0;
        tile->onSelect = [&selected](FormatIconView*) { ++selected; };
        tile->setupSubViews();
        // Without an icon the label still starts at 50, as wide as an icon of width 0 leaves.
        EXPECT_EQ(tile->iconLabel()->geometry(), QRect(50, 10, 240, 30));
        QTest::mouseClick(tile->iconLabel(), Qt::LeftButton);
        EXPECT_EQ(selected, layer ? 1 : 0);
        EXPECT_EQ(tile->highlightFlag(), layer);
        tile->setHighlightFlag(true);
        const QColor drawn = tile->grab().toImage().pixelColor(260, 45);
        EXPECT_EQ(drawn == QColor(0xF5, 0xF5, 0xF5), layer);
    }
}
