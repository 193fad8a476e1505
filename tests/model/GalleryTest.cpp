#include "model/FakePageContext.h"

#include "model/DRVGalleryGrid.h"
#include "model/ImageCounterHelp.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

std::unique_ptr<DRVGalleryGrid> gallery(QRectF bounds, int rows, int columns, int padding = 0)
{
    auto grid = std::make_unique<DRVGalleryGrid>();
    grid->setBounds(bounds);
    grid->setNumOfRows(rows);
    grid->setNumOfColumns(columns);
    grid->setPadding(padding);
    return grid;
}

TransformView* picture(int row, int column, QSize original = {400, 300}, QColor colour = Qt::red)
{
    auto* carrier = new TransformView;
    carrier->setRowSpot(row);
    carrier->setColumnSpot(column);
    carrier->setOriginalWidth(original.width());
    carrier->setOriginalHeight(original.height());
    QImage image(original.isEmpty() ? QSize(4, 4) : original, QImage::Format_ARGB32_Premultiplied);
    image.fill(colour);
    carrier->setImage(image);
    return carrier;
}

} // namespace

TEST(Gallery, SpotUnderPoint)
{
    struct Case
    {
        QRectF bounds;
        int rows, columns;
        QPoint point;
        int row, column;
    };
    const Case cases[] = {
        {{0, 0, 300, 200}, 2, 3, {250, 150}, 1, 2},
        {{0, 0, 300, 200}, 2, 3, {0, 0}, 0, 0},
        {{0, 0, 300, 200}, 2, 3, {100, 99}, 0, 1},     // minimum edge in
        {{0, 0, 300, 200}, 2, 3, {300, 50}, -99, -99}, // maximum edge out
        {{0, 0, 301, 200}, 2, 3, {300, 50}, -99, -99}, // truncated pixel column
        {{10, 20, 300, 200}, 2, 3, {15, 25}, 0, 0},
        {{0, 0, 300, 200}, 0, 3, {10, 10}, -99, -99}, // no rows
        {{0, 0, 300, 200}, 2, 0, {10, 10}, -99, -99}, // no columns
    };
    for (const Case& c : cases) {
        auto grid = gallery(c.bounds, c.rows, c.columns);
        SCOPED_TRACE(testing::Message()
                     << c.point.x() << "," << c.point.y() << " in " << c.columns << "x" << c.rows);
        EXPECT_EQ(grid->grabRowSpot(c.point.x(), c.point.y()), c.row);
        EXPECT_EQ(grid->grabColumnSpot(c.point.x(), c.point.y()), c.column);
    }
    EXPECT_EQ(gallery({0, 0, 301, 200}, 2, 3)->cellRect(1, 2), QRect(200, 100, 100, 100));
    EXPECT_TRUE(gallery({0, 0, 300, 200}, 0, 0)->cellRect(0, 0).isEmpty());
}

TEST(Gallery, NextSpotAndCapacity)
{
    auto grid = gallery({0, 0, 300, 300}, 3, 3);
    EXPECT_EQ(grid->grabNextSpot(0, 2), QPoint(1, 0));
    EXPECT_EQ(grid->grabNextSpot(0, 0), QPoint(0, 1));
    EXPECT_EQ(grid->grabNextSpot(2, 2), QPoint(3, 0)); // past the last row

    struct Case
    {
        QPointF point;
        int expected;
    };
    const Case cases[] = {
        {{150, 150}, 5},                                      // row 1, column 1
        {{0, 0}, 9},     {{299.9, 299.9}, 1}, {{350, 10}, 0}, // no spot: nothing can be added there
        {{-1, 10}, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(grid->grabMaxNumToAdd(c.point), c.expected) << c.point.x() << "," << c.point.y();
    EXPECT_EQ(gallery({0, 0, 300, 300}, 0, 3)->grabMaxNumToAdd({10, 10}), 0);
}

TEST(Gallery, PictureFitting)
{
    struct Case
    {
        QSize original;
        int padding;
        QRect expected;
    };
    const Case cases[] = {
        {{400, 300}, 5, {5, 5 + 11, 90, 67}},
        {{300, 400}, 5, {5 + 11, 5, 67, 90}},
        {{100, 100}, 0, {0, 0, 100, 100}},
        {{400, 0}, 5, {}},    // no picture height
        {{0, 300}, 5, {}},    // no picture width
        {{400, 300}, 50, {}}, // no room inside the padding
    };
    for (const Case& c : cases) {
        auto grid = gallery({0, 0, 300, 200}, 2, 3, c.padding);
        SCOPED_TRACE(testing::Message()
                     << c.original.width() << "x" << c.original.height() << " pad " << c.padding);
        EXPECT_EQ(grid->pictureRect(0, 0, c.original), c.expected);
        if (!c.expected.isEmpty()) {
            EXPECT_EQ(grid->pictureRect(1, 2, c.original), c.expected.translated(200, 100));
        }
    }
    EXPECT_TRUE(gallery({0, 0, 300, 200}, 2, 3)->pictureRect(2, 0, {400, 300}).isEmpty());
}

TEST(Gallery, LayoutWithoutPainting)
{
    auto grid = gallery({0, 0, 300, 200}, 2, 3, 5);
    grid->setTemplateName(QStringLiteral("home"));
    grid->setSelectable(true);
    grid->setManualLayerIndex(4);
    TransformView* inside = picture(1, 2, {300, 400});
    TransformView* outside = picture(5, 0);
    outside->setGalleryDimension(QRectF(1, 2, 3, 4));
    TransformView* flat = picture(0, 0, {400, 0});
    grid->setImageArray({inside, outside, flat});

    grid->layoutPictures();
    const QRectF expected(200 + 5 + 11, 100 + 5, 67, 90);
    EXPECT_EQ(inside->galleryDimension(), expected);
    EXPECT_EQ(inside->frame(), expected);
    EXPECT_EQ(inside->bounds(), expected);
    EXPECT_EQ(outside->galleryDimension(), QRectF(1, 2, 3, 4)); // kept as last drawn
    EXPECT_EQ(flat->galleryDimension(), QRectF());
    for (TransformView* carrier : {inside, outside, flat}) {
        EXPECT_EQ(carrier->templateName(), QStringLiteral("home"));
        EXPECT_EQ(carrier->selectable(), 1);
        EXPECT_EQ(carrier->manualLayerIndex(), 4);
        EXPECT_EQ(carrier->parent(), grid.get());
    }
    EXPECT_EQ(grid->grabTransformViewBounds(250, 150), expected);
    EXPECT_EQ(grid->grabImageSelected(250, 150), inside);
    EXPECT_EQ(grid->grabTransformViewBounds(50, 150), QRectF());
}

TEST(Gallery, AddIntoImageArray)
{
    auto grid = gallery({0, 0, 300, 200}, 2, 3);
    TransformView* first = picture(0, 1);
    EXPECT_TRUE(grid->addIntoImageArray(first));
    EXPECT_TRUE(grid->isSpotAlreadyPopulated(0, 1));
    EXPECT_FALSE(grid->isSpotAlreadyPopulated(1, 0));

    TransformView* replacement = picture(0, 1);
    EXPECT_TRUE(grid->addIntoImageArray(replacement));
    EXPECT_EQ(grid->imageArray(), QList<TransformView*>{replacement});
    EXPECT_EQ(grid->grabSelectedImageAtSpot(0, 1), replacement);

    // No spot: not added, and a carrier with the very same spots is still removed first.
    TransformView* stray = picture(-99, -99);
    grid->setImageArray({replacement, stray});
    TransformView* lost = picture(-99, -99);
    EXPECT_FALSE(grid->addIntoImageArray(lost));
    EXPECT_EQ(grid->imageArray(), QList<TransformView*>{replacement});
    EXPECT_EQ(lost->parent(), nullptr); // not adopted: still the caller's
    delete lost;
}

TEST(Gallery, BuiltFromDictionary)
{
    QVariantMap properties{{"className", "DRVGalleryGrid"},
                           {"bounds", "{{10, 20}, {300, 200}}"},
                           {"numOfRows", "2"},
                           {"numOfColumns", "3"},
                           {"padding", "5"},
                           {"shadowFlag", "1"},
                           {"backdropLightingFlag", "2"}};
    std::unique_ptr<DRVGraphic> empty(DRVGraphic::graphicWithProperties(properties));
    auto* grid = qobject_cast<DRVGalleryGrid*>(empty.get());
    ASSERT_NE(grid, nullptr);
    EXPECT_TRUE(grid->imageArray().isEmpty());
    EXPECT_EQ(grid->numOfRows(), 2);
    EXPECT_EQ(grid->numOfColumns(), 3);
    EXPECT_EQ(grid->padding(), 5);
    EXPECT_EQ(grid->shadowFlag(), 1);
    EXPECT_EQ(grid->backdropLightingFlag(), 2);
    EXPECT_EQ(grid->hintFrame(), QRectF(10, 25, 300, 40));

    TransformView* first = picture(0, 0);
    first->setSectionNumber(7);
    first->setSectionRowSpot(1);
    first->setResponsiveResizeFlag(1);
    TransformView* second = picture(0, 1);
    second->setSectionNumber(9);
    properties.insert("imageArray", QVariant::fromValue(QList<TransformView*>{first, second}));
    DRVGalleryGrid adopted;
    adopted.initWithProperties(properties);
    EXPECT_EQ(adopted.imageArray(), (QList<TransformView*>{first, second})); // the same carriers
    EXPECT_EQ(first->parent(), &adopted);
    EXPECT_EQ(adopted.sectionNumber(), 7);
    EXPECT_EQ(adopted.sectionRowSpot(), 1);
    EXPECT_EQ(adopted.responsiveResizeFlag(), 1);

    // Rows, columns, padding and pictures never travel through the dictionary.
    const QVariantMap written = adopted.properties();
    EXPECT_FALSE(written.contains("numOfRows"));
    EXPECT_FALSE(written.contains("imageArray"));
}

TEST(Gallery, CopyIsComplete)
{
    auto grid = gallery({0, 0, 300, 200}, 2, 3, 5);
    grid->setShadowFlag(1);
    grid->addIntoImageArray(picture(1, 1));
    grid->imageArray().first()->setAltText(QStringLiteral("caption"));
    std::unique_ptr<DRVGraphic> copied = grid->copy();
    auto* copy = qobject_cast<DRVGalleryGrid*>(copied.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->bounds(), grid->bounds());
    EXPECT_EQ(copy->numOfRows(), 2);
    EXPECT_EQ(copy->numOfColumns(), 3);
    EXPECT_EQ(copy->padding(), 5);
    EXPECT_EQ(copy->shadowFlag(), 1);
    ASSERT_EQ(copy->imageArray().size(), 1);
    EXPECT_NE(copy->imageArray().first(), grid->imageArray().first());
    EXPECT_EQ(copy->imageArray().first()->altText(), QStringLiteral("caption"));
    EXPECT_EQ(copy->imageArray().first()->rowSpot(), 1);
}

TEST(Gallery, Drawing)
{
    QImage canvas(300, 200, QImage::Format_ARGB32_Premultiplied);
    auto paint = [&](DRVGalleryGrid& grid) {
        canvas.fill(Qt::white);
        QPainter painter(&canvas);
        grid.drawContentsInView(&painter, false);
    };

    auto grid = gallery({0, 0, 300, 200}, 2, 3, 5);
    grid->addIntoImageArray(picture(1, 2, {300, 400}, Qt::blue));
    paint(*grid);
    EXPECT_EQ(canvas.pixelColor(250, 150), QColor(Qt::blue));  // inside 216..283 x 105..195
    EXPECT_EQ(canvas.pixelColor(210, 150), QColor(Qt::white)); // horizontal offset left free
    EXPECT_EQ(canvas.pixelColor(150, 50), QColor(Qt::white));

    // A grid without rows draws no picture and divides by nothing.
    grid->setNumOfRows(0);
    paint(*grid);
    EXPECT_EQ(canvas.pixelColor(250, 150), QColor(Qt::white));
}

TEST(Gallery, ImageCounterHelpOrdersByNameNumber)
{
    EXPECT_EQ(ImageCounterHelp::imageNameIndexOfName(QStringLiteral("image12")), 12);
    EXPECT_EQ(ImageCounterHelp::imageNameIndexOfName(QStringLiteral("image")), 0);
    QList<ImageCounterHelp> records;
    for (const char* name : {"image10", "image2", "image33", "image1"})
        records << ImageCounterHelp::withImage(nullptr, QString::fromLatin1(name));
    QStringList order;
    for (const ImageCounterHelp& record : ImageCounterHelp::sortedByImageNameIndex(records))
        order << record.imageName;
    EXPECT_EQ(order, (QStringList{"image1", "image2", "image10", "image33"})); // as numbers, not text
}
