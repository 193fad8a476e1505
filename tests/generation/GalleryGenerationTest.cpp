// Photo gallery grids: written as the saved page and opened again, and the Bootstrap thumbnail list
// of the responsive editions.
#include "ComponentTestSupport.h"

#include "generation/GalleryGenerator.h"

using namespace componenttest;
using generationtest::GenerationTest;

namespace {

DRVGalleryGrid* addGallery(DRVDocument& document, QRectF bounds, int rows, int columns, int pictures,
                           int firstName = 1)
{
    auto* gallery = new DRVGalleryGrid(&document);
    gallery->setBounds(bounds);
    gallery->setNumOfRows(rows);
    gallery->setNumOfColumns(columns);
    for (int i = 0; i < pictures; ++i) {
        TransformView* picture = makePicture(QStringLiteral("image%1").arg(firstName + i));
        picture->setRowSpot(i / std::max(columns, 1));
        picture->setColumnSpot(i % std::max(columns, 1));
        gallery->addIntoImageArray(picture);
    }
    document.insertGraphics({gallery}, {0});
    return gallery;
}

} // namespace

using GalleryGenerationTest = GenerationTest;

TEST_F(GalleryGenerationTest, GalleriesOpenWithTheirGridAndPictures)
{
    DRVDocument document;
    document.setMainTemplateName(QStringLiteral("index"));
    DRVGalleryGrid* gallery = addGallery(document, QRectF(20, 40, 300, 200), 2, 3, 5);
    gallery->setPadding(6);
    gallery->setShadowFlag(1);
    gallery->setGroupNumber(2);
    gallery->setTemplateName(QStringLiteral("home.html"));
    addGallery(document, QRectF(20, 400, 100, 100), 1, 1, 1, 10);

    QTemporaryDir folder;
    const ReadBack back = writeAndRead(document, folder.path(), true);
    EXPECT_EQ(gallery->templateName(), QStringLiteral("home"));
    const QList<DRVGalleryGrid*> read = ofClass<DRVGalleryGrid>(back.graphics);
    ASSERT_EQ(read.size(), 2);
    const auto match = std::find_if(
        read.begin(), read.end(), [&](const DRVGalleryGrid* g) { return g->bounds() == gallery->bounds(); });
    ASSERT_NE(match, read.end());
    const DRVGalleryGrid* copy = *match;
    EXPECT_EQ(copy->numOfRows(), 2);
    EXPECT_EQ(copy->numOfColumns(), 3);
    EXPECT_EQ(copy->padding(), 6);
    EXPECT_EQ(copy->shadowFlag(), 1);
    EXPECT_EQ(copy->groupNumber(), 2);
    ASSERT_EQ(copy->imageArray().size(), 5);
    for (const TransformView* picture : gallery->imageArray()) {
        const TransformView* same = copy->grabSelectedImageAtSpot(picture->rowSpot(), picture->columnSpot());
        ASSERT_NE(same, nullptr);
        EXPECT_EQ(same->imageName(), picture->imageName());
    }
}

TEST_F(GalleryGenerationTest, ColumnClassesStayWithinTheTwelveColumnGrid)
{
    struct Case
    {
        int columns;
        int expected;
    };
    for (const Case c : {Case{1, 12}, Case{2, 6}, Case{3, 4}, Case{5, 2}, Case{7, 1}, Case{12, 1},
                         Case{13, 1}, Case{0, 12}, Case{-3, 12}}) {
        DRVDocument document;
        DRVGalleryGrid* gallery =
            addGallery(document, QRectF(0, 0, 300, 100), 1, c.columns, c.columns > 0 ? 1 : 0);
        const auto code = GalleryGenerator::grabPhotoGalleryCode(document, gallery);
        if (c.columns > 0) {
            EXPECT_TRUE(code->bodyString.contains(QStringLiteral("col-sm-%1 col-xs-%1\"").arg(c.expected)))
                << c.columns << code->bodyString.toStdString();
        }
        EXPECT_FALSE(code->bodyString.contains(QStringLiteral("col-sm-0"))) << c.columns;
    }
}

TEST_F(GalleryGenerationTest, ThumbnailListNamesTheOriginalsAndSkipsEmptyCells)
{
    DRVDocument document;
    document.setPageName(QStringLiteral("index"));
    DRVGalleryGrid* gallery = addGallery(document, QRectF(0, 70, 300, 200), 2, 2, 0);
    TransformView* picture = makePicture(QStringLiteral("image7"));
    picture->setRowSpot(1);
    picture->setColumnSpot(1);
    gallery->addIntoImageArray(picture);
    const auto code = GalleryGenerator::grabPhotoGalleryCode(document, gallery);
    EXPECT_EQ(code->bodyString.count(QStringLiteral("<li ")), 1) << code->bodyString.toStdString();
    EXPECT_TRUE(code->bodyString.contains(QStringLiteral("src=\"index/image7o.png\"")));
    EXPECT_TRUE(code->bodyString.contains(QStringLiteral("id=\"myModal1\"")));
    EXPECT_TRUE(code->javaScriptString.contains(QStringLiteral("$('.galleryGrid1 li img')")));
    EXPECT_TRUE(code->javaScriptString.contains(QStringLiteral("$('#myModal1').modal();")));
    EXPECT_EQ(code->originY, 70);
}

class ResponsiveGalleryTest : public GenerationTest
{
protected:
    ResponsiveGalleryTest() : GenerationTest("Brumel Responsive Website Designer") {}
};

TEST_F(ResponsiveGalleryTest, GalleryOutsideEverySectionStandsAtTheTopLevel)
{
    DRVDocument document;
    addGallery(document, QRectF(0, 0, 300, 200), 1, 2, 2);
    const QString page = document.generateSourceCode(QStringLiteral("index"), true, false);
    EXPECT_TRUE(page.contains(QStringLiteral("<ul class=\"galleryGrid1 row\">"))) << page.toStdString();
    EXPECT_TRUE(document.sourceCodeArray().isEmpty());
}
