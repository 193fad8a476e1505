#include "model/DRVImage.h"
#include "model/FakePageContext.h"
#include "platform/Observable.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>
#include <memory>

namespace {

QImage solid(int w, int h, const QColor& colour)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(colour);
    return image;
}

// Left half one colour, right half another.
QImage halves(int w, int h, const QColor& left, const QColor& right)
{
    QImage image = solid(w, h, left);
    QPainter painter(&image);
    painter.fillRect(QRect(w / 2, 0, w - w / 2, h), right);
    return image;
}

QImage whiteCanvas(int w, int h)
{
    return solid(w, h, Qt::white);
}

// A picture drawn on the page (not in a slideshow), filling bounds.
std::unique_ptr<DRVImage> pictureGraphic(const QImage& picture, QRectF bounds)
{
    auto image = std::make_unique<DRVImage>();
    image->setSlideShowNumber(-99);
    image->setInputImage(picture);
    image->setContents(picture);
    image->setBounds(bounds);
    return image;
}

QImage draw(DRVImage& image, int w = 60, int h = 60)
{
    QImage canvas = whiteCanvas(w, h);
    QPainter painter(&canvas);
    image.drawContentsInView(&painter, false);
    return canvas;
}

bool near(const QColor& a, const QColor& b, int tolerance = 8)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

} // namespace

TEST(ImageTest, PositionCentresThePicture)
{
    DRVImage image;
    image.initWithPosition(QPointF(300, 300), solid(200, 100, Qt::red));
    EXPECT_EQ(image.bounds(), QRectF(200, 250, 200, 100));
    EXPECT_TRUE(image.inputImage().isNull());
    EXPECT_EQ(image.originalImageRect(), image.bounds());
}

TEST(ImageTest, DictionaryRoundTripStoresTheUnreflectedPicture)
{
    const QImage picture = halves(20, 10, Qt::red, Qt::blue);
    const QImage mask = solid(20, 10, Qt::white);
    const QVariantMap source{
        {"bounds", "{{10, 20}, {200, 150}}"},
        {"contents", DRVGraphic::archivedImage(picture)},
        {"maskImage", DRVGraphic::archivedImage(mask)},
        {"flippedHorizontally", true},
        {"flippedVertically", false},
        {"imageName", "image7"},
        {"imageType", "png"},
        {"retinaFlag", "1"},
        {"reflection", "0.5"},
        {"slideShowNumber", "-99"},
        {"bubbleFlag", "1"},
        {"bubbleShape", "circle"},
        {"focusRect", "{{1, 2}, {3, 4}}"},
    };
    DRVImage image;
    image.initWithProperties(source);
    EXPECT_EQ(image.inputImage().size(), QSize(20, 10));
    EXPECT_EQ(image.contents().size(), QSize(20, 15));
    EXPECT_EQ(image.maskFlag(), 1);
    EXPECT_TRUE(image.isFlippedHorizontally());
    EXPECT_TRUE(image.retinaFlag());
    EXPECT_EQ(image.originalImageRect(), QRectF(10, 20, 200, 100));
    EXPECT_EQ(image.focusRect(), QRectF(1, 2, 3, 4));

    const QVariantMap written = image.properties();
    EXPECT_EQ(DRVGraphic::unarchivedImage(written.value("contents")).size(), QSize(20, 10));
    EXPECT_EQ(DRVGraphic::unarchivedImage(written.value("contents")).pixelColor(15, 5), QColor(Qt::blue));
    EXPECT_FALSE(DRVGraphic::unarchivedImage(written.value("maskImage")).isNull());
    EXPECT_EQ(written.value("flippedHorizontally"), QVariant(true));
    EXPECT_EQ(written.value("flippedVertically"), QVariant(false));
    EXPECT_EQ(written.value("imageName").toString(), "image7");
    EXPECT_EQ(written.value("imageType").toString(), "png");
    EXPECT_EQ(written.value("imageLastModDate").toString(), "");
    EXPECT_EQ(written.value("reflection").toString(), "0.500000");
    EXPECT_EQ(written.value("slideShowNumber").toString(), "-99");
    EXPECT_EQ(written.value("bubbleFlag").toString(), "1");
    EXPECT_EQ(written.value("bubbleShape").toString(), "circle");
    EXPECT_EQ(written.value("fontColor").toString(), "000000");
    // Not part of the dictionary.
    EXPECT_FALSE(written.contains("focusRect"));
    EXPECT_FALSE(written.contains("forceNonRetinaFlag"));

    DRVImage again;
    again.initWithProperties(written);
    const QVariantMap rewritten = again.properties();
    for (const QString& key : written.keys())
        EXPECT_EQ(rewritten.value(key), written.value(key)) << qPrintable(key);
}

TEST(ImageTest, ReflectionIsKeptBetweenZeroAndOne)
{
    struct Case
    {
        QString saved;
        double reflection;
        int contentsHeight;
    };
    const Case cases[] = {{"0.5", 0.5, 15}, {"1", 1, 20}, {"3", 1, 20}, {"-1", 0, 10}, {"nan", 0, 10}};
    for (const Case& c : cases) {
        DRVImage image;
        image.initWithProperties({{"bounds", "{{0, 0}, {20, 10}}"},
                                  {"contents", DRVGraphic::archivedImage(solid(20, 10, Qt::red))},
                                  {"reflection", c.saved}});
        EXPECT_DOUBLE_EQ(image.reflection(), c.reflection) << qPrintable(c.saved);
        EXPECT_EQ(image.contents().height(), c.contentsHeight) << qPrintable(c.saved);
    }
    DRVImage image;
    image.setValueForKey("reflection", 2.5);
    EXPECT_DOUBLE_EQ(image.reflection(), 1.0);
    image.setReflection(-0.25);
    EXPECT_DOUBLE_EQ(image.reflection(), 0.0);
    EXPECT_EQ(DRVImage::addReflection(solid(4, 10, Qt::red), 7).height(), 20);
    EXPECT_EQ(DRVImage::addReflection(solid(4, 10, Qt::red), -1).height(), 10);
}

TEST(ImageTest, ApplyReflectionMakesTheBoxTaller)
{
    auto image = pictureGraphic(solid(40, 20, Qt::red), QRectF(0, 0, 200, 100));
    image->setReflection(0.5);
    image->applyReflection();
    EXPECT_EQ(image->bounds(), QRectF(0, 0, 200, 150));
    EXPECT_EQ(image->contents().size(), QSize(40, 30));
    EXPECT_EQ(image->originalImageRect(), QRectF(0, 0, 200, 100));
    EXPECT_EQ(DRVGraphic::unarchivedImage(image->properties().value("contents")).size(), QSize(40, 20));

    image->setReflection(0);
    image->applyReflection();
    EXPECT_EQ(image->contents().size(), QSize(40, 20));
}

TEST(ImageTest, ReflectionFadesFromAboutOneFifth)
{
    const QImage reflected = DRVImage::addReflection(solid(10, 20, Qt::red), 0.5);
    ASSERT_EQ(reflected.size(), QSize(10, 30));
    EXPECT_EQ(reflected.pixelColor(5, 10), QColor(Qt::red));
    EXPECT_EQ(reflected.pixelColor(5, 19), QColor(Qt::red));
    const int nextToPicture = reflected.pixelColor(5, 20).alpha();
    EXPECT_GE(nextToPicture, 40);
    EXPECT_LE(nextToPicture, 56);
    EXPECT_LT(reflected.pixelColor(5, 29).alpha(), 10);
    EXPECT_GT(reflected.pixelColor(5, 24).alpha(), reflected.pixelColor(5, 28).alpha());
    EXPECT_EQ(reflected.pixelColor(5, 21).red(), 255); // the mirror of the red picture
}

TEST(ImageTest, MaskHidesWhereBlackAndShowsWhereWhite)
{
    auto image = pictureGraphic(solid(40, 40, Qt::red), QRectF(10, 10, 40, 40));
    image->setMaskImage(halves(40, 40, Qt::white, Qt::black));
    const QImage canvas = draw(*image);
    EXPECT_EQ(image->maskFlag(), 1);
    EXPECT_TRUE(near(canvas.pixelColor(20, 30), Qt::red));
    EXPECT_TRUE(near(canvas.pixelColor(40, 30), Qt::white));

    image->setMaskImage(QImage());
    const QImage unmasked = draw(*image);
    EXPECT_EQ(image->maskFlag(), 0);
    EXPECT_TRUE(near(unmasked.pixelColor(40, 30), Qt::red));
}

TEST(ImageTest, FlipsMirrorThePictureAndAreUndoable)
{
    auto image = pictureGraphic(halves(40, 40, Qt::red, Qt::blue), QRectF(10, 10, 40, 40));
    EXPECT_TRUE(near(draw(*image).pixelColor(15, 30), Qt::red));

    QStringList changed;
    QObject context;
    platform::observe(image.get(), &context,
                      [&changed](platform::Observable*, const QString& key, const QVariant&,
                                 const QVariant&) { changed << key; });
    image->flipHorizontally();
    EXPECT_TRUE(image->isFlippedHorizontally());
    EXPECT_TRUE(changed.contains("flippedHorizontally"));
    EXPECT_TRUE(changed.contains("drawingContents"));
    const QImage flipped = draw(*image);
    EXPECT_TRUE(near(flipped.pixelColor(15, 30), Qt::blue));
    EXPECT_TRUE(near(flipped.pixelColor(45, 30), Qt::red));
    EXPECT_TRUE(near(flipped.pixelColor(5, 30), Qt::white)); // still inside its box

    const QSet<QString> keys = image->keysForValuesToObserveForUndo();
    EXPECT_TRUE(keys.contains("flippedHorizontally"));
    EXPECT_TRUE(keys.contains("flippedVertically"));
    EXPECT_EQ(image->presentablePropertyNameForKey("flippedHorizontally"), "Horizontal Flipping");
    EXPECT_EQ(image->presentablePropertyNameForKey("flippedVertically"), "Vertical Flipping");
    EXPECT_EQ(image->presentablePropertyNameForKey("bounds"), "Bounds");

    image->flipVertically();
    auto topBottom = pictureGraphic(
        [] {
            QImage picture = solid(40, 40, Qt::red);
            QPainter(&picture).fillRect(QRect(0, 20, 40, 20), Qt::blue);
            return picture;
        }(),
        QRectF(10, 10, 40, 40));
    topBottom->flipVertically();
    EXPECT_TRUE(near(draw(*topBottom).pixelColor(30, 15), Qt::blue));
}

TEST(ImageTest, BubbleClipsTheCorners)
{
    auto image = pictureGraphic(solid(40, 40, Qt::red), QRectF(10, 10, 40, 40));
    image->setBubbleFlag(1);
    image->setBubbleShape("");
    const QImage canvas = draw(*image);
    EXPECT_EQ(image->bubbleShape(), "circle");
    EXPECT_TRUE(near(canvas.pixelColor(30, 30), Qt::red));
    EXPECT_TRUE(near(canvas.pixelColor(12, 12), Qt::white));
    EXPECT_TRUE(near(canvas.pixelColor(47, 47), Qt::white));
    EXPECT_TRUE(near(canvas.pixelColor(30, 11), Qt::red));
}

TEST(ImageTest, LayoutNormalisesTheBorderStyle)
{
    auto image = pictureGraphic(solid(40, 40, Qt::red), QRectF(10, 10, 40, 40));
    image->setBorderStyle("none");
    image->setBorderWidth(2);
    image->layoutContents();
    EXPECT_EQ(image->borderStyle(), "solid");
}

TEST(ImageTest, SlideshowPictureDrawsOnlyItsBorder)
{
    auto image = pictureGraphic(solid(40, 40, Qt::red), QRectF(10.5, 10.5, 40, 40));
    image->setSlideShowNumber(3);
    image->setBorderStyle("solid");
    image->setBorderWidth(1);
    image->setBorderColor(Qt::black);
    const QImage canvas = draw(*image);
    EXPECT_TRUE(near(canvas.pixelColor(30, 30), Qt::white));
    EXPECT_TRUE(near(canvas.pixelColor(30, 10), Qt::black, 60));
}

TEST(ImageTest, CopyKeepsEveryImageField)
{
    auto image = pictureGraphic(solid(20, 10, Qt::red), QRectF(0, 0, 20, 10));
    image->setMaskImage(solid(20, 10, Qt::white));
    image->setImageName("image3");
    image->setImageType("jpg");
    image->setFlippedVertically(true);
    image->setBubbleFlag(1);
    image->setForceNonRetinaFlag(true);
    image->setReflection(0.5);
    image->applyReflection();

    std::unique_ptr<DRVGraphic> copy = image->copy();
    auto* copied = qobject_cast<DRVImage*>(copy.get());
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->inputImage(), image->inputImage());
    EXPECT_EQ(copied->contents(), image->contents());
    EXPECT_EQ(copied->maskImage(), image->maskImage());
    EXPECT_EQ(copied->imageName(), "image3");
    EXPECT_EQ(copied->imageType(), "jpg");
    EXPECT_TRUE(copied->isFlippedVertically());
    EXPECT_EQ(copied->bubbleFlag(), 1);
    EXPECT_TRUE(copied->forceNonRetinaFlag());
    EXPECT_EQ(copied->originalImageRect(), image->originalImageRect());
    EXPECT_TRUE(copied->properties().contains("contents"));
}

TEST(ImageTest, FileAndNaturalSize)
{
    DRVImage image;
    image.setFilePath(QStringLiteral(QUIB_FIXTURES_DIR "/images/../images/red-over-blue.png"));
    ASSERT_EQ(image.contents().size(), QSize(4, 2));
    EXPECT_EQ(image.contents().pixelColor(1, 0), QColor(Qt::red));
    EXPECT_EQ(image.contents().pixelColor(1, 1), QColor(Qt::blue));
    image.setBounds(QRectF(5, 6, 40, 20));
    image.setFlippedHorizontally(true);
    image.makeNaturalSize();
    EXPECT_EQ(image.bounds(), QRectF(5, 6, 4, 2));
    EXPECT_FALSE(image.isFlippedHorizontally());

    image.setFilePath(QStringLiteral(QUIB_FIXTURES_DIR "/images/missing.png"));
    EXPECT_TRUE(image.contents().isNull());
}

TEST(ImageTest, BuiltByClassNameFromTheRegistry)
{
    std::unique_ptr<DRVGraphic> graphic(DRVGraphic::graphicWithProperties(
        {{"className", "DRVImage"}, {"contents", DRVGraphic::archivedImage(solid(3, 2, Qt::red))}}));
    auto* image = qobject_cast<DRVImage*>(graphic.get());
    ASSERT_NE(image, nullptr);
    EXPECT_TRUE(image->isImageGraphic());
    EXPECT_EQ(image->inputImageSize(), QSizeF(3, 2));
}
