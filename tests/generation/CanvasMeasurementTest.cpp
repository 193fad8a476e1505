// The extent of a page's graphics in whole pixels, and moving them to the left edge.
#include "GenerationTestSupport.h"

#include "model/DRVImage.h"
#include "model/DRVRectangle.h"
#include "model/DRVText.h"

using generationtest::GenerationTest;

using CanvasMeasurementTest = GenerationTest;

TEST_F(CanvasMeasurementTest, AnEmptyPageHasTheSmallestPage)
{
    DRVDocument document;
    EXPECT_EQ(document.findMaxScreenWidth(), 200);
    EXPECT_EQ(document.findMaxScreenHeight(), 50);
    EXPECT_EQ(document.findMaxScreenWidthForArray({}), 1);
}

TEST_F(CanvasMeasurementTest, SidesAreTruncatedBeforeTheyAreAdded)
{
    DRVDocument document;
    add<DRVRectangle>(document)->setBounds(QRectF(10.7, 5.9, 20.6, 30.9));
    add<DRVRectangle>(document)->setBounds(QRectF(3.5, 1, 2, 2));
    EXPECT_EQ(document.findMaxScreenWidth(), 30);
    EXPECT_EQ(document.findMaxScreenHeight(), 35);
    EXPECT_EQ(document.findMinScreenX(), 3);
    EXPECT_EQ(document.findMaxScreenWidthForArray(document.graphics()), 30);
}

TEST_F(CanvasMeasurementTest, FullScreenTextWidensNothingButCountsForTheHeight)
{
    DRVDocument document;
    add<DRVRectangle>(document)->setBounds(QRectF(0, 0, 100, 20));
    auto* banner = add<DRVText>(document);
    banner->setBounds(QRectF(50, 300, 900, 40));
    banner->setMatchScreenFlag(true);
    EXPECT_EQ(document.findMaxScreenWidth(), 100);
    EXPECT_EQ(document.findMaxScreenHeight(), 340);
    EXPECT_EQ(document.findMinScreenXForArray({banner}), 50);
}

TEST_F(CanvasMeasurementTest, TrimAndCenterMovesTheLeftmostGraphicToTheEdge)
{
    DRVDocument document;
    auto* a = add<DRVRectangle>(document);
    a->setBounds(QRectF(40.5, 10.2, 100.7, 50));
    auto* b = add<DRVRectangle>(document);
    b->setBounds(QRectF(200, 30, 10, 10));
    document.trimAndCenter();
    EXPECT_EQ(a->bounds(), QRectF(0, 10, 100, 50));
    EXPECT_EQ(b->bounds(), QRectF(160, 30, 10, 10));
}

TEST_F(CanvasMeasurementTest, SlideshowAndGalleryImagesBelongToTheirContainer)
{
    DRVDocument document;
    auto* slide = add<DRVImage>(document);
    slide->setBounds(QRectF(500, 500, 100, 100));
    slide->setSlideShowNumber(0);
    slide->setGalleryNumber(-99);
    auto* photo = add<DRVImage>(document);
    photo->setBounds(QRectF(700, 20, 100, 100));
    photo->setSlideShowNumber(-99);
    photo->setGalleryNumber(2);
    EXPECT_EQ(document.findMaxScreenWidth(), 200);
    EXPECT_EQ(document.findMaxScreenHeight(), 50);

    auto* picture = add<DRVImage>(document);
    picture->setBounds(QRectF(40, 10, 20, 20));
    picture->setSlideShowNumber(-99);
    picture->setGalleryNumber(-99);
    EXPECT_EQ(document.findMaxScreenWidth(), 60);
    document.trimAndCenter();
    EXPECT_EQ(picture->bounds(), QRectF(0, 10, 20, 20));
    EXPECT_EQ(slide->bounds(), QRectF(500, 500, 100, 100));
    EXPECT_EQ(photo->bounds(), QRectF(700, 20, 100, 100));
}
