// Image elements and the picture files written beside the page.
#include "PageRoundTrip.h"
#include "common/TestPictures.h"

#include "generation/ImageFileWriter.h"
#include "generation/ImageGenerator.h"
#include "generation/PageGenerator.h"
#include "model/DRVImage.h"
#include "model/TransformView.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QRegularExpression>

using generationtest::GenerationTest;
using generationtest::reopen;

namespace {

DRVImage* addImage(DRVDocument& document, const QString& name, const QString& type, const QRectF& bounds,
                   const QImage& picture)
{
    auto* image = new DRVImage(&document);
    document.insertGraphics({image}, {0});
    image->setContents(picture);
    image->setBounds(bounds);
    image->setImageName(name);
    image->setImageType(type);
    image->setSelectable(true);
    return image;
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class ImageGenerationTest : public GenerationTest
{
protected:
    ImageGenerationTest()
    {
        document.setTempSavePathLocal(saveFolder.path());
        document.setPageName(QStringLiteral("index"));
        document.setMainTemplateName(QStringLiteral("index"));
    }
    QString file(const QString& name) const { return saveFolder.filePath(QStringLiteral("index/") + name); }

    QTemporaryDir saveFolder;
    DRVDocument document;
};

} // namespace

TEST_F(ImageGenerationTest, TheFilesBesideAPage)
{
    auto* plain = addImage(document, QStringLiteral("image1"), QStringLiteral("PNG"), QRectF(10, 10, 100, 50),
                           noisyPicture(400, 200, 1));
    plain->setBorderWidth(2);
    plain->setBorderStyle(QStringLiteral("solid"));
    auto* photo = addImage(document, QStringLiteral("image2"), QStringLiteral("JPG"), QRectF(200, 10, 80, 60),
                           noisyPicture(160, 120, 2));
    QImage mask(80, 60, QImage::Format_Grayscale8);
    mask.fill(Qt::white);
    photo->setMaskImage(mask);
    auto* enlarged = addImage(document, QStringLiteral("image3"), QStringLiteral("PNG"),
                              QRectF(300, 10, 50, 50), noisyPicture(50, 50, 3));
    enlarged->setImageEnlargeFlag(1);

    // A pass that does not save writes nothing.
    document.generateSourceCode(QStringLiteral("index"), false, false);
    EXPECT_FALSE(QFileInfo::exists(file(QStringLiteral("image1@2x.PNG"))));

    document.generateSourceCode(QStringLiteral("index"), false, true);
    // The display file has twice the inner box's pixels: (100 - 2 x 2) x (50 - 2 x 2), doubled.
    const QImage retina(file(QStringLiteral("image1@2x.PNG")));
    EXPECT_EQ(retina.size(), QSize(192, 92));
    EXPECT_EQ(QImage(file(QStringLiteral("image1o.PNG"))).size(), QSize(400, 200));
    EXPECT_TRUE(fileBytes(file(QStringLiteral("image2@2x.JPG"))).startsWith("\xFF\xD8\xFF"));
    EXPECT_TRUE(fileBytes(file(QStringLiteral("image2o.JPG"))).startsWith("\xFF\xD8\xFF"));
    EXPECT_TRUE(fileBytes(file(QStringLiteral("image1@2x.PNG"))).startsWith("\x89PNG"));
    EXPECT_EQ(QImage(file(QStringLiteral("image2_mask.png"))).size(), QSize(80, 60));
    // An enlargeable image is shown from its original only.
    EXPECT_FALSE(QFileInfo::exists(file(QStringLiteral("image3@2x.PNG"))));
    EXPECT_TRUE(QFileInfo::exists(file(QStringLiteral("image3o.PNG"))));
    EXPECT_TRUE(
        QDir(saveFolder.filePath(QStringLiteral("index"))).entryList({"*.tmp", ".*"}, QDir::Files).isEmpty());

    // The original is written once: a changed picture leaves it as it was.
    const QByteArray original = fileBytes(file(QStringLiteral("image1o.PNG")));
    plain->setContents(noisyPicture(300, 300, 9));
    document.generateSourceCode(QStringLiteral("index"), false, true);
    EXPECT_EQ(fileBytes(file(QStringLiteral("image1o.PNG"))), original);
}

TEST_F(ImageGenerationTest, ADisplayFileLargerThanTheOriginalIsTheOriginal)
{
    QImage flat(10, 10, QImage::Format_RGB32);
    flat.fill(Qt::red);
    auto* image =
        addImage(document, QStringLiteral("image1"), QStringLiteral("PNG"), QRectF(0, 0, 300, 300), flat);
    Q_UNUSED(image);
    QDir().mkpath(saveFolder.filePath(QStringLiteral("index")));
    QFile small(file(QStringLiteral("image1o.PNG")));
    ASSERT_TRUE(small.open(QIODevice::WriteOnly));
    small.write(ImageFileWriter::encodedImage(flat, QStringLiteral("PNG")));
    small.close();
    document.generateSourceCode(QStringLiteral("index"), false, true);
    EXPECT_EQ(fileBytes(file(QStringLiteral("image1@2x.PNG"))),
              fileBytes(file(QStringLiteral("image1o.PNG"))));
}

TEST_F(ImageGenerationTest, ABoxWithNoRoomWritesNoDisplayFile)
{
    auto* image = addImage(document, QStringLiteral("image1"), QStringLiteral("PNG"), QRectF(0, 0, 4, 40),
                           noisyPicture(20, 20, 4));
    image->setBorderWidth(2);
    image->setBorderStyle(QStringLiteral("solid"));
    document.generateSourceCode(QStringLiteral("index"), false, true);
    EXPECT_FALSE(QFileInfo::exists(file(QStringLiteral("image1@2x.PNG"))));
    EXPECT_TRUE(QFileInfo::exists(file(QStringLiteral("image1o.PNG"))));
}

TEST_F(ImageGenerationTest, ImagesReopenWithTheirTextsAndLinks)
{
    auto* linked = addImage(document, QStringLiteral("image10"), QStringLiteral("PNG"),
                            QRectF(10, 20, 120, 80), noisyPicture(60, 40, 5));
    linked->setAltText(QStringLiteral("Fish & \"chips\" <b>'s"));
    linked->setLink(QStringLiteral("http://example.com/?a=1&b=\"2\""));
    linked->setLinkOption(QStringLiteral("_blank"));
    linked->setOpacity(0.5);
    auto* plain = addImage(document, QStringLiteral("image2"), QStringLiteral("PNG"), QRectF(200, 20, 50, 50),
                           noisyPicture(50, 50, 6));
    plain->setBorderHexColorString(QString());
    plain->setBorderStyle(QString());
    // An image made without a dictionary belongs to no slideshow: it gets its markup.
    EXPECT_EQ(plain->slideShowNumber(), -99);

    document.generateSourceCode(QStringLiteral("index"), false, true);
    QObject owner;
    const auto page = reopen(document, QStringLiteral("index"), &owner, saveFolder.path());
    // Ordered by the number in the name.
    EXPECT_LT(page.text.indexOf(QStringLiteral(".image2{")), page.text.indexOf(QStringLiteral(".image10{")));
    EXPECT_TRUE(page.text.contains(QStringLiteral("<div class=image2><img src=\"index/image2@2x.PNG\"")));
    EXPECT_TRUE(page.text.contains(QStringLiteral("opacity:0.500000;filter:alpha(opacity=50.000000);")));

    ASSERT_EQ(page.parsed.imageViewArray.size(), 2);
    const auto byName = [&](const QString& name) -> TransformView* {
        for (TransformView* view : page.parsed.imageViewArray) {
            if (view->imageName() == name)
                return view;
        }
        return nullptr;
    };
    TransformView* read = byName(QStringLiteral("image10"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->altText(), linked->altText());
    EXPECT_EQ(read->link(), linked->link());
    EXPECT_EQ(read->linkOption(), QStringLiteral("_blank"));
    EXPECT_NEAR(read->alpha(), 0.5, 1e-6);
    EXPECT_EQ(read->frame(), QRectF(10, 20, 120, 80));
    EXPECT_FALSE(read->image().isNull());
    // Output-only defaults are written into the CSS, not stored on the graphic.
    const auto fragment = ImageGenerator::generateImageCode(document, plain, false);
    EXPECT_TRUE(
        fragment->headerString.contains(QStringLiteral("border-style:none;border-color:transparent;")));
    EXPECT_TRUE(plain->borderHexColorString().isEmpty());
    EXPECT_TRUE(plain->borderStyle().isEmpty());
}

TEST_F(ImageGenerationTest, AnEnlargeableLinkedImageHasOneHrefPerAnchor)
{
    auto* image = addImage(document, QStringLiteral("image4"), QStringLiteral("PNG"), QRectF(10, 10, 80, 60),
                           noisyPicture(80, 60, 7));
    image->setImageEnlargeFlag(1);
    image->setAltText(QStringLiteral("Harbour"));
    image->setLink(QStringLiteral("http://example.com/harbour"));
    const auto fragment = ImageGenerator::generateImageCode(document, image, false);
    const QString body = fragment->bodyString;
    // The thumbnail opens the pop-up; the link is reachable from the caption.
    static const QRegularExpression anchor(QStringLiteral("<a [^>]*>"));
    int anchors = 0;
    for (auto it = anchor.globalMatch(body); it.hasNext();) {
        EXPECT_EQ(it.next().captured().count(QStringLiteral("href=")), 1) << body.toStdString();
        ++anchors;
    }
    EXPECT_EQ(anchors, 2);
    EXPECT_TRUE(body.contains(QStringLiteral("href=\"#popup_image4\"")));
    EXPECT_TRUE(body.contains(QStringLiteral("<a href=\"http://example.com/harbour\">Harbour</a>")));
}
