// Image masks: the picker's rows, the "Apply Mask" box on several images, the user's own files, and
// text boxes left unmasked.
#include "window/inspector/SidebarInspectorTest.h"

#include "document/DRVDocument.h"
#include "model/DRVImage.h"
#include "model/DRVText.h"
#include "platform/Dialogs.h"
#include "platform/UndoManager.h"
#include "window/DRVWindowController.h"
#include "window/FlippedNSView.h"
#include "window/Popover.h"
#include "window/inspector/ColorSelector.h"
#include "window/inspector/ImageMasks.h"
#include "window/inspector/InspectorPanel.h"
#include "window/inspector/SegmentedControl.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

class ImageMasksTest : public SidebarInspectorTest
{
protected:
    ImageMasksTest()
    {
        first->setBounds(QRectF(10, 10, 60, 60));
        second->setBounds(QRectF(100, 10, 60, 60));
        text->setBounds(QRectF(10, 100, 100, 30));
        open({first, second, text});
    }

    DRVImage* first = new DRVImage;
    DRVImage* second = new DRVImage;
    DRVText* text = new DRVText;
};

} // namespace

TEST_F(ImageMasksTest, ThePickerShowsTheMasksInRowsOfFive)
{
    controller.graphicView()->changeSelectionIndexes({0});
    ASSERT_EQ(ImageMasks::maskCatalogue(ImageMasks::maskFolder()).size(), 12);
    auto* button = panel->control<QPushButton>(QStringLiteral("imageMaskButton"));
    ASSERT_TRUE(button->isVisibleTo(controller.inspectorView()));
    QTest::mouseClick(button, Qt::LeftButton);
    Popover* popover = panel->colorSelector()->popover();
    ASSERT_TRUE(popover && popover->isVisible());
    const QList<QPushButton*> tiles = panel->imageMasks()->tiles();
    ASSERT_EQ(tiles.size(), 12);
    EXPECT_EQ(tiles.at(5)->geometry(), QRect(5, 50, 50, 50));
    EXPECT_EQ(tiles.at(11)->geometry(), QRect(55, 100, 50, 50));
    keepScreenshot(popover, QStringLiteral("mask-picker.png"));

    // A picked tile masks the selected image, in white.
    QTest::mouseClick(tiles.at(3), Qt::LeftButton);
    ASSERT_FALSE(first->maskImage().isNull());
    const QImage mask = first->maskImage();
    EXPECT_EQ(mask.pixelColor(mask.width() / 2, mask.height() / 2), QColor(Qt::white));
    EXPECT_TRUE(second->maskImage().isNull());
}

// A text box selected beside them has no mask to take: only images are given one.
TEST_F(ImageMasksTest, TheBoxMasksEverySelectedImage)
{
    controller.graphicView()->changeSelectionIndexes({0, 1, 2});
    auto* box = panel->control<QCheckBox>(QStringLiteral("imageMaskApplyCheckmark"));
    ASSERT_TRUE(box->isVisibleTo(controller.inspectorView()));
    QTest::mouseClick(box, Qt::LeftButton);
    for (DRVImage* image : {first, second}) {
        EXPECT_FALSE(image->maskImage().isNull());
        EXPECT_EQ(image->maskFlag(), 1);
        // The default circle: the corners stay outside.
        EXPECT_EQ(image->maskImage().pixelColor(0, 0).alpha(), 0);
    }

    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_TRUE(first->maskImage().isNull());
    EXPECT_TRUE(second->maskImage().isNull());
}

TEST_F(ImageMasksTest, OwnFilesApplyInTurnAndTheLastStays)
{
    QTemporaryDir dir;
    QStringList paths;
    for (int i = 0; i < 3; ++i) {
        QImage picture(10 + i, 10, QImage::Format_ARGB32);
        picture.fill(Qt::black);
        paths.append(dir.filePath(QStringLiteral("own%1.png").arg(i)));
        ASSERT_TRUE(picture.save(paths.last()));
    }
    platform::ScopedDialogs dialogs;
    dialogs->queueOpenPanelAnswer(paths);
    controller.graphicView()->changeSelectionIndexes({0});
    panel->imageMasks()->selectCustomImageAsMask();
    ASSERT_EQ(dialogs->openRequests().size(), 1);
    EXPECT_EQ(dialogs->openRequests().first().prompt, QStringLiteral("Select"));
    EXPECT_TRUE(dialogs->openRequests().first().allowMultiple);
    EXPECT_EQ(first->maskImage().width(), 12);

    // A file that is no picture leaves no mask.
    QFile bogus(dir.filePath(QStringLiteral("bogus.png")));
    ASSERT_TRUE(bogus.open(QIODevice::WriteOnly));
    bogus.write("not a picture");
    bogus.close();
    panel->imageMasks()->applyMaskFilter(bogus.fileName());
    EXPECT_TRUE(first->maskImage().isNull());
}
