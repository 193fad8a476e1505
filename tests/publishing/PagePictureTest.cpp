// The page picture: which size each edition and page give it, and which background it keeps.
#include "publishing/PagePicture.h"

#include "document/DRVDocument.h"
#include "editions/EditionSettings.h"
#include "model/DRVRectangle.h"
#include "platform/UndoManager.h"

#include <gtest/gtest.h>

namespace {

// A page whose content is one filled rectangle.
std::unique_ptr<DRVDocument> pageWithBox(const QRectF& frame, const QColor& fill = QColor(0x20, 0x60, 0xC0))
{
    auto document = std::make_unique<DRVDocument>();
    document->undoManager()->disableUndoRegistration();
    auto* box = new DRVRectangle;
    box->setBounds(frame);
    box->setDrawingFill(true);
    box->setFillColor(fill);
    box->setOpacity(1.0);
    document->insertGraphics({box}, {0});
    return document;
}

struct SizeCase
{
    const char* name;
    QString edition;
    bool atCanvasSize = false;
    bool noMargin = false;
    int fixedWidth = 0; // a page of its own fixed canvas when set
    int fixedHeight = 0;
    QString mailWidth;
    QSize expected;
};

class PagePictureTest : public ::testing::Test
{
protected:
    PagePictureTest() : m_saved(edition()) {}
    ~PagePictureTest() override { edition() = m_saved; }

    EditionSettings m_saved;
};

TEST_F(PagePictureTest, TheFirstApplyingSizeRuleDecides)
{
    // Content reaching 800 by 600, the edition's canvas 640 by 480.
    const QList<SizeCase> cases{
        {"content plus the margin", QStringLiteral("Quib"), false, false, 0, 0, {}, {850, 650}},
        {"content without the margin", QStringLiteral("Quib"), false, true, 0, 0, {}, {800, 600}},
        {"the edition's canvas", QStringLiteral("Quib"), true, false, 0, 0, {}, {640, 480}},
        {"the edition's canvas before the page's own",
         QStringLiteral("Quib"),
         true,
         false,
         300,
         200,
         {},
         {640, 480}},
        {"the page's own canvas", QStringLiteral("Quib"), false, false, 300, 200, {}, {300, 200}},
        {"an e-mail page at the canvas width",
         QStringLiteral("Ulmira Pro 2"),
         false,
         false,
         0,
         0,
         QStringLiteral("Standard"),
         {640, 600}},
        {"an e-mail page of flexible width",
         QStringLiteral("Ulmira Express"),
         false,
         false,
         0,
         0,
         QStringLiteral("Flex"),
         {800, 600}},
        {"the margin flag leaves e-mail pages alone",
         QStringLiteral("Ulmira Pro 2"),
         false,
         true,
         0,
         0,
         QStringLiteral("Extra Wide"),
         {640, 600}},
    };
    for (const SizeCase& c : cases) {
        SCOPED_TRACE(c.name);
        EditionSettings e;
        e.gEditionDisplayName = c.edition;
        e.gCanvasWidth = 640;
        e.gCanvasHeight = 480;
        e.gExportAtEditionCanvasSizeFlag = c.atCanvasSize;
        e.gNoExportMarginFlag = c.noMargin;
        edition() = e;
        auto document = pageWithBox(QRectF(100, 50, 700, 550));
        if (c.fixedWidth) {
            document->setDocSpecificFixedCanvasFlag(1);
            document->setDocSpecificPageWidth(c.fixedWidth);
            document->setDocSpecificPageHeight(c.fixedHeight);
        }
        document->setCanvasSizeTypeName(c.mailWidth);
        EXPECT_EQ(PagePicture::pictureSize(*document, e), c.expected);
        EXPECT_EQ(PagePicture::render(*document, e, false).size(), c.expected);
    }
}

TEST_F(PagePictureTest, AFarAwayGraphicCannotAskForAnUnboundedPicture)
{
    EditionSettings e;
    e.gEditionDisplayName = QStringLiteral("Quib");
    edition() = e;
    struct Case
    {
        QRectF frame;
        QSize expected;
    };
    const QList<Case> cases{
        {QRectF(5'000'000, 10, 20, 20), QSize(PagePicture::kMaximumSide, 80)},
        {QRectF(10, 5'000'000, 20, 20), QSize(80, PagePicture::kMaximumSide)},
        {QRectF(4'950, 5'000'000, 10, 20), QSize(5'010, int(PagePicture::kMaximumPixels / 5'010))},
    };
    for (const Case& c : cases) {
        auto document = pageWithBox(c.frame);
        EXPECT_EQ(PagePicture::pictureSize(*document, e), c.expected);
    }
}

TEST_F(PagePictureTest, TheBackgroundFollowsColourFlagsAndPicture)
{
    struct Case
    {
        const char* name;
        QString hex;
        bool transparentAsked;
        bool editionExportsTransparent;
        bool editionCanBeClear;
        bool backgroundPicture;
        QRgb corner;
    };
    const QRgb clear = qRgba(0, 0, 0, 0);
    const QRgb cream = qRgb(0xF0, 0xE0, 0xC0);
    const QRgb tile = qRgb(0x11, 0x88, 0x22);
    const QList<Case> cases{
        {"the page colour", QStringLiteral("F0E0C0"), false, true, true, false, cream},
        {"a transparent picture asked for", QStringLiteral("F0E0C0"), true, true, true, false, clear},
        {"not in an edition without transparent exports", QStringLiteral("F0E0C0"), true, false, true, false,
         cream},
        {"a clear page stays clear", QStringLiteral("CLEAR0"), false, false, true, false, clear},
        {"a clear page is white where the canvas cannot be clear", QStringLiteral("CLEAR0"), true, true,
         false, false, qRgb(255, 255, 255)},
        {"a background picture is never taken away", QStringLiteral("F0E0C0"), true, true, true, true, tile},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EditionSettings e;
        e.gEditionDisplayName = QStringLiteral("Quib");
        e.gNoExportMarginFlag = false;
        e.gTransparentExportFlag = c.editionExportsTransparent;
        e.gClearCanvasBackgroundFlag = c.editionCanBeClear;
        edition() = e;
        auto document = pageWithBox(QRectF(10, 10, 40, 30));
        document->setPageColorHexString(c.hex);
        document->setPageColor(c.hex == QLatin1String("CLEAR0") ? QColor(Qt::transparent) : QColor(cream));
        if (c.backgroundPicture) {
            QImage picture(8, 8, QImage::Format_RGB32);
            picture.fill(tile);
            document->setBackgroundImage(picture);
            document->setBackgroundImageFlag(2);
        }
        const QImage image = PagePicture::render(*document, e, c.transparentAsked);
        ASSERT_EQ(image.size(), QSize(100, 90));
        for (const QPoint corner : {QPoint(0, 0), QPoint(99, 0), QPoint(0, 89), QPoint(99, 89)})
            EXPECT_EQ(image.pixel(corner), c.corner) << corner.x() << "," << corner.y();
        // The content is drawn over whatever background.
        EXPECT_EQ(image.pixel(30, 25), qRgb(0x20, 0x60, 0xC0));
        // The page itself is as it was.
        EXPECT_EQ(document->pageColorHexString(), c.hex);
    }
}

TEST_F(PagePictureTest, JpegBytesPutClearPartsOnWhite)
{
    QImage image(20, 10, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setPixel(15, 5, qRgb(200, 0, 0));
    const QImage decoded = QImage::fromData(PagePicture::jpegData(image), "JPG");
    ASSERT_FALSE(decoded.isNull());
    const QColor corner = decoded.pixelColor(0, 0);
    EXPECT_GE(corner.red(), 250);
    EXPECT_GE(corner.green(), 250);
    EXPECT_GE(corner.blue(), 250);
    EXPECT_TRUE(PagePicture::jpegData(QImage()).isEmpty());
}

} // namespace
