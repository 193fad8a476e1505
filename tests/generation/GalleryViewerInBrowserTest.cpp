// A published gallery of enlargeable, captioned pictures in headless Chromium: the pictures load
// with their captions, a click on one opens its enlarged view, and the page raises no script error.
#include "BrowserTestSupport.h"
#include "ComponentTestSupport.h"

#include "model/DRVGalleryGrid.h"

#include <QJsonArray>
#include <QJsonObject>

using namespace browsertest;
using namespace componenttest;
using generationtest::GenerationTest;

using GalleryViewerInBrowserTest = GenerationTest;

TEST_F(GalleryViewerInBrowserTest, CaptionedPicturesLoadAndOpenEnlarged)
{
    QUIB_REQUIRE_BROWSER();
    QTemporaryDir folder;
    DRVDocument document;
    document.setPageName(QStringLiteral("index"));
    document.setTempSavePathLocal(folder.path());
    document.setPreviewGenerationFlag(true);
    auto* gallery = new DRVGalleryGrid(&document);
    gallery->setBounds(QRectF(20, 20, 400, 200));
    gallery->setNumOfRows(1);
    gallery->setNumOfColumns(2);
    gallery->setSelectable(true);
    const QStringList captions{QStringLiteral("Bay & <boats>"), QStringLiteral("Hill \"top\"")};
    for (int i = 0; i < 2; ++i) {
        TransformView* picture = makePicture(QStringLiteral("image%1").arg(i + 1), QSize(80, 60));
        picture->setRowSpot(0);
        picture->setColumnSpot(i);
        picture->setImageEnlargeFlag(1);
        picture->setSlideShowNumber(-66);
        picture->setAltText(captions.at(i));
        if (i == 0)
            picture->setLink(QStringLiteral("https://example.com/bay?a=1&b=2"));
        gallery->addIntoImageArray(picture);
    }
    document.insertGraphics({gallery}, {0});
    const QString page = document.generateSourceCode(QStringLiteral("index"), true, true);
    const QString path = browsertest::writePage(folder.path(), page);
    ASSERT_FALSE(path.isEmpty());

    const QJsonObject report = runPage(path, QStringLiteral("gallery-viewer-check.js"), 1200);
    expectNoScriptErrors(report);
    const QJsonObject result = report.value("result").toObject();
    const std::string all = compact(result).toStdString();
    EXPECT_EQ(compact(result.value("before")), QStringLiteral("[\"index/image1o.png\",\"index/image2o.png\"]"))
        << all;
    EXPECT_EQ(compact(result.value("titles")), QStringLiteral("[\"Bay & <boats>\",\"Hill \\\"top\\\"\"]")) << all;
    // The first picture opens enlarged with its caption and its link, over the gallery.
    const QJsonArray opened = result.value("opened").toArray();
    ASSERT_EQ(opened.size(), 1) << all;
    EXPECT_EQ(opened.at(0).toObject().value("id").toString(), QStringLiteral("popup_image1"));
    EXPECT_EQ(opened.at(0).toObject().value("caption").toString(), captions.at(0));
    EXPECT_EQ(opened.at(0).toObject().value("link").toString(), QStringLiteral("https://example.com/bay?a=1&b=2"));
    EXPECT_EQ(result.value("whileOpen").toArray().size(), 3) << all;
    EXPECT_TRUE(result.value("afterClose").toArray().isEmpty()) << all;
}
