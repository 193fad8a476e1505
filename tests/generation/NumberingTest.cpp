// Numbers and names the pass keeps on the graphics, which the stored page and its reader rely on.
#include "GenerationTestSupport.h"

#include "model/DRVGalleryGrid.h"
#include "model/DRVLine.h"
#include "model/DRVSlideshow.h"
#include "model/DRVTable.h"
#include "model/TransformView.h"
#include "model/myTextView.h"

using generationtest::GenerationTest;

namespace {

DRVTable* tableWithCellAndImage(DRVDocument& document, QList<DRVTable*>& tables)
{
    auto* table = new DRVTable(&document);
    table->setCellHelperArray({new myTextView(QRectF(0, 0, 10, 10)), new myTextView(QRectF(10, 0, 10, 10))});
    auto* image = new TransformView;
    image->setTableNumber(-5);
    table->setImageArray({image});
    document.insertGraphics({table}, {int(document.graphics().size())});
    tables.append(table);
    return table;
}

} // namespace

using NumberingTest = GenerationTest;

TEST_F(NumberingTest, TablesAreNumberedFromTheLastOneAndTheirImagesOnlyWhereTablesHoldImages)
{
    for (const bool tableImages : {false, true}) {
        edition().gTableImagesFlag = tableImages;
        DRVDocument document;
        QList<DRVTable*> tables;
        for (int i = 0; i < 3; ++i)
            tableWithCellAndImage(document, tables);
        tables.at(1)->setTableBackgroundImage(new TransformView);
        document.populateTableNumbers();

        for (int i = 0; i < 3; ++i) {
            for (const myTextView* cell : tables.at(i)->cellHelperArray())
                EXPECT_EQ(cell->tableNumber(), 2 - i) << i;
            EXPECT_EQ(tables.at(i)->imageArray().first()->tableNumber(), tableImages ? 2 - i : -5) << i;
        }
        EXPECT_EQ(tables.at(1)->tableBackgroundImage()->tableNumber(), 1);
    }
}

TEST_F(NumberingTest, GalleryImagesTakeTheirGallerysNumberAndLook)
{
    DRVDocument document;
    auto* back = add<DRVGalleryGrid>(document);
    auto* front = add<DRVGalleryGrid>(document); // index 0
    back->setImageArray({new TransformView, new TransformView});
    front->setImageArray({new TransformView});
    back->setShadowFlag(1);
    back->setBackdropLightingFlag(1);
    document.populateGalleryImageDimensions();
    EXPECT_EQ(front->imageArray().first()->galleryNumber(), 1);
    for (const TransformView* image : back->imageArray()) {
        EXPECT_EQ(image->galleryNumber(), 0);
        EXPECT_EQ(image->shadowFlag(), 1);
        EXPECT_EQ(image->backdropLightingFlag(), 1);
    }
}

TEST_F(NumberingTest, ResetTemplateNameReachesGraphicsAndTheirSlidesButNotTableContents)
{
    DRVDocument document;
    QList<DRVTable*> tables;
    DRVTable* table = tableWithCellAndImage(document, tables);
    auto* line = add<DRVLine>(document);
    auto* show = add<DRVSlideshow>(document);
    show->setImageArray({new TransformView});
    auto* gallery = add<DRVGalleryGrid>(document);
    gallery->setImageArray({new TransformView});

    document.resetTemplateName(QStringLiteral("home"));
    for (DRVGraphic* graphic : {static_cast<DRVGraphic*>(table), static_cast<DRVGraphic*>(line),
                                static_cast<DRVGraphic*>(show), static_cast<DRVGraphic*>(gallery)})
        EXPECT_EQ(graphic->templateName(), QStringLiteral("home")) << graphic->metaObject()->className();
    EXPECT_EQ(show->imageArray().first()->templateName(), QStringLiteral("home"));
    EXPECT_EQ(gallery->imageArray().first()->templateName(), QStringLiteral("home"));
    EXPECT_TRUE(table->cellHelperArray().first()->templateName().isEmpty());
    EXPECT_TRUE(table->imageArray().first()->templateName().isEmpty());
}

TEST_F(NumberingTest, AnEnlargeableGalleryImageBringsTheCaptionStylesAndPopupScript)
{
    DRVDocument document;
    auto* gallery = add<DRVGalleryGrid>(document);
    gallery->setImageArray({new TransformView});
    QString page = document.generateSourceCode(QStringLiteral("index"), false, false);
    EXPECT_FALSE(page.contains(QStringLiteral(".galleryImageCaption")));
    EXPECT_FALSE(page.contains(QStringLiteral("max-height")));

    gallery->imageArray().first()->setImageEnlargeFlag(1);
    page = document.generateSourceCode(QStringLiteral("index"), false, false);
    EXPECT_TRUE(
        page.contains(QStringLiteral(".galleryImageCaption span {display:block;word-wrap:break-word;}\n")));
    EXPECT_TRUE(page.contains(QStringLiteral("$(window).trigger('resize');\n</script>\n")));
}
