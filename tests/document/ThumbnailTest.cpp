// The two thumbnails beside a page file: their sizes from the render size, what they show, and the
// edition icon in the editions that use it.
#include "DocumentFlowTestSupport.h"

#include "model/DRVRectangle.h"

#include <QImage>

using namespace documentflowtest;

namespace {

struct SizeCase
{
    const char* name;
    QSize render; // edition render size (both 0: measured)
    QSize fixed;  // the page's own fixed size, when set
    QSize small;
    QSize large;
};

void PrintTo(const SizeCase& c, std::ostream* os)
{
    *os << c.name;
}

} // namespace

class ThumbnailSizeTest : public DocumentFlowTest, public ::testing::WithParamInterface<SizeCase>
{
};

TEST_P(ThumbnailSizeTest, LongerSideIsTheScreenshotWidth)
{
    const SizeCase& c = GetParam();
    edition().gScreenshotWidth = 200;
    edition().gRenderImageWidth = c.render.width();
    edition().gRenderImageHeight = c.render.height();
    DRVDocument document;
    if (!c.fixed.isEmpty()) {
        document.setDocSpecificFixedCanvasFlag(1);
        document.setDocSpecificPageWidth(c.fixed.width());
        document.setDocSpecificPageHeight(c.fixed.height());
    }
    document.setPageName(QStringLiteral("P"));
    document.setTempSavePathLocal(m_work.path());
    ASSERT_TRUE(document.saveScreenshot());
    EXPECT_EQ(QImage(m_work.filePath(QStringLiteral("P.png"))).size(), c.small);
    EXPECT_EQ(QImage(m_work.filePath(QStringLiteral("P@2x.png"))).size(), c.large);
    EXPECT_TRUE(QFileInfo(m_work.filePath(QStringLiteral("P"))).isDir());
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, ThumbnailSizeTest,
    ::testing::Values(SizeCase{"wide", QSize(1000, 700), QSize(), QSize(200, 140), QSize(400, 280)},
                      SizeCase{"tall", QSize(500, 2000), QSize(), QSize(50, 200), QSize(100, 400)},
                      SizeCase{"fixed canvas", QSize(1000, 700), QSize(800, 600), QSize(200, 150),
                               QSize(400, 300)}));

using ThumbnailTest = DocumentFlowTest;

TEST_F(ThumbnailTest, ThumbnailsShowThePage)
{
    edition().gScreenshotWidth = 200;
    edition().gRenderImageWidth = 1000;
    edition().gRenderImageHeight = 700;
    DRVDocument document;
    document.setPageName(QStringLiteral("P"));
    document.setTempSavePathLocal(m_work.path());
    // A red block over the right half of the page.
    auto* block = add<DRVRectangle>(document);
    block->setBounds(QRectF(500, 0, 500, 700));
    block->setFillColor(QColor(255, 0, 0));
    block->setDrawingFill(true);
    block->setDrawingStroke(false);
    ASSERT_TRUE(document.saveScreenshot());
    const QImage small(m_work.filePath(QStringLiteral("P.png")));
    ASSERT_EQ(small.size(), QSize(200, 140));
    EXPECT_EQ(small.pixelColor(150, 70).rgb(), QColor(255, 0, 0).rgb());
    EXPECT_EQ(small.pixelColor(50, 70).rgb(), QColor(Qt::white).rgb());
}

TEST_F(ThumbnailTest, ACustomPictureBecomesTheThumbnailAndTheIconIsRefreshed)
{
    edition().gScreenshotWidth = 200;
    DRVDocument document;
    document.setPageName(QStringLiteral("P"));
    document.setTempSavePathLocal(m_work.path());
    NotificationCounter refresh(QStringLiteral("refreshDocIcon"));
    QImage picture(300, 600, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    ASSERT_TRUE(document.saveCustomScreenshot(picture));
    EXPECT_EQ(refresh.count, 1);
    const QImage large(m_work.filePath(QStringLiteral("P@2x.png")));
    EXPECT_EQ(large.size(), QSize(200, 400));
    EXPECT_EQ(large.pixelColor(100, 200).rgb(), QColor(Qt::blue).rgb());
}

TEST_F(ThumbnailTest, IconEditionsShowTheirIcon)
{
    edition().gScreenshotWidth = 200;
    edition().gIconThumbnailFlag = true;
    QImage icon(64, 64, QImage::Format_RGB32);
    icon.fill(Qt::green);
    edition().gEditionIcon = icon;
    DRVDocument document;
    document.setPageName(QStringLiteral("P"));
    document.setTempSavePathLocal(m_work.path());
    add<DRVRectangle>(document)->setBounds(QRectF(0, 0, 1000, 1000));
    ASSERT_TRUE(document.saveScreenshot());
    const QImage small(m_work.filePath(QStringLiteral("P.png")));
    EXPECT_EQ(small.size(), QSize(200, 200));
    EXPECT_EQ(small.pixelColor(100, 100).rgb(), QColor(Qt::green).rgb());
}
