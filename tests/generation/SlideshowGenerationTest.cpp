// Slideshows: written as the saved page and opened again, their scripted strips (each slideshow with
// its own names, its automatic advance included) and the carousel of a published responsive page.
#include "ComponentTestSupport.h"

#include "generation/SlideshowGenerator.h"

#include <QRegularExpression>

using namespace componenttest;
using generationtest::GenerationTest;

namespace {

DRVSlideshow* addSlideshow(DRVDocument& document, QRectF bounds, const QStringList& names, int automatic)
{
    auto* slideshow = new DRVSlideshow(&document);
    slideshow->setBounds(bounds);
    slideshow->setSlideShowAutomaticFlag(automatic);
    for (const QString& name : names)
        slideshow->addIntoImageArray(makePicture(name));
    document.insertGraphics({slideshow}, {0});
    return slideshow;
}

} // namespace

using SlideshowGenerationTest = GenerationTest;

TEST_F(SlideshowGenerationTest, SlideshowsOpenWithTheirPropertiesAndSlides)
{
    DRVDocument document;
    document.setMainTemplateName(QStringLiteral("index"));
    DRVSlideshow* first = addSlideshow(document, QRectF(10, 20, 300, 200),
                                       {QStringLiteral("image1"), QStringLiteral("image2")}, 1);
    first->setGroupNumber(4);
    first->setMoveLock(1);
    first->imageArray().at(0)->setAltText(QStringLiteral("Tom & \"Jerry\" <3"));
    first->imageArray().at(1)->setLink(QStringLiteral(" http://example.com/a b "));
    DRVSlideshow* second =
        addSlideshow(document, QRectF(400, 20, 200, 150),
                     {QStringLiteral("image3"), QStringLiteral("image4"), QStringLiteral("image5")}, 0);

    QTemporaryDir folder;
    const ReadBack back = writeAndRead(document, folder.path(), true);
    const QList<DRVSlideshow*> read = ofClass<DRVSlideshow>(back.graphics);
    ASSERT_EQ(read.size(), 2);
    for (const DRVSlideshow* written : {first, second}) {
        const auto match = std::find_if(read.begin(), read.end(), [&](const DRVSlideshow* s) {
            return s->bounds() == written->bounds();
        });
        ASSERT_NE(match, read.end());
        const DRVSlideshow* slideshow = *match;
        EXPECT_EQ(slideshow->slideShowAutomaticFlag(), written->slideShowAutomaticFlag());
        EXPECT_EQ(slideshow->groupNumber(), written->groupNumber());
        EXPECT_EQ(slideshow->moveLock(), written->moveLock());
        ASSERT_EQ(slideshow->totalNumofSlides(), written->totalNumofSlides());
        for (int i = 0; i < written->totalNumofSlides(); ++i) {
            const TransformView* slide = slideshow->imageArray().at(i);
            const TransformView* original = written->imageArray().at(i);
            EXPECT_EQ(slide->imageName(), original->imageName());
            EXPECT_EQ(slide->altText(), original->altText()) << slide->altText().toStdString();
            EXPECT_EQ(slide->link(), original->link()) << slide->link().toStdString();
        }
    }
    // The link was cleaned and given a target on the way out.
    EXPECT_EQ(first->imageArray().at(1)->link(), QStringLiteral("http://example.com/a%20b"));
    EXPECT_EQ(first->imageArray().at(1)->linkOption(), QStringLiteral("_self"));
}

TEST_F(SlideshowGenerationTest, SlidesCarryOneClassAttributeAndTheButtonsAreEscaped)
{
    DRVDocument document;
    addSlideshow(document, QRectF(0, 0, 300, 301), {QStringLiteral("image1")}, 0);
    const QString page = document.generateSourceCode(QStringLiteral("index"), false, false);
    EXPECT_TRUE(page.contains(
        QStringLiteral("<img src=\"index/image1@2x.png\" class=\"image1 img-responsive\" alt=\"\">")))
        << page.toStdString();
    EXPECT_FALSE(page.contains(QRegularExpression(QStringLiteral("<img[^>]*class=[^>]*class="))));
    EXPECT_TRUE(page.contains(QStringLiteral("<div id=\"previousButton0\">&lt;</div>")));
    EXPECT_TRUE(page.contains(QStringLiteral("<div id=\"nextButton0\">&gt;</div>")));
    // Buttons halfway down, to six decimals.
    EXPECT_TRUE(page.contains(QStringLiteral(" top: 150.500000px;")));
}

TEST_F(SlideshowGenerationTest, EveryAutomaticSlideshowHasItsOwnInterval)
{
    DRVDocument document;
    addSlideshow(document, QRectF(0, 0, 300, 200), {QStringLiteral("image1"), QStringLiteral("image2")}, 1);
    addSlideshow(document, QRectF(0, 300, 300, 200), {QStringLiteral("image3"), QStringLiteral("image4")}, 1);
    addSlideshow(document, QRectF(0, 600, 300, 200), {QStringLiteral("image5")}, 0);
    const QString page = document.generateSourceCode(QStringLiteral("index"), false, false);
    for (int n : {0, 1}) {
        EXPECT_EQ(page.count(QStringLiteral("var autoStart%1 = setInterval(showNextSlide%1, 5000);").arg(n)),
                  1)
            << page.toStdString();
        EXPECT_EQ(page.count(QStringLiteral("clearInterval(autoStart%1);").arg(n)), 1);
    }
    EXPECT_FALSE(page.contains(QStringLiteral("autoStart2")));
    EXPECT_FALSE(page.contains(QRegularExpression(QStringLiteral("\\bautoStart\\b[ );]"))));
}

TEST_F(SlideshowGenerationTest, EmptySlideshowStillWritesItsScriptButNoCarousel)
{
    DRVDocument document;
    DRVSlideshow* empty = addSlideshow(document, QRectF(0, 0, 300, 200), {}, 0);
    EXPECT_EQ(SlideshowGenerator::generateCarousel(document, empty), nullptr);
    const QString page = document.generateSourceCode(QStringLiteral("index"), false, false);
    EXPECT_TRUE(page.contains(QStringLiteral("var numOfSlides0 = 0;")));
    EXPECT_TRUE(page.contains(QStringLiteral("<div class=slideshow0>\n<div id=slideshow_all0>\n</div>")));
}

TEST_F(SlideshowGenerationTest, CarouselStartsWithTheFirstSlideAndCaptionsIt)
{
    DRVDocument document;
    document.setPageName(QStringLiteral("index"));
    DRVSlideshow* slideshow = addSlideshow(document, QRectF(0, 40, 300, 200),
                                           {QStringLiteral("image1"), QStringLiteral("image2")}, 0);
    slideshow->setSelectable(true);
    slideshow->imageArray().at(0)->setAltText(QStringLiteral("A < B"));
    const auto carousel = SlideshowGenerator::generateCarousel(document, slideshow);
    ASSERT_NE(carousel, nullptr);
    const QString body = carousel->bodyString;
    EXPECT_TRUE(body.startsWith(QStringLiteral("<div id=\"carousel1\" class=\"carousel slide\"")));
    EXPECT_LT(body.indexOf(QStringLiteral("image1@2x")), body.indexOf(QStringLiteral("image2@2x")));
    EXPECT_TRUE(
        body.contains(QStringLiteral("<div class=\"item active\">\n<img src=\"index/image1@2x.png\"")));
    EXPECT_TRUE(body.contains(QStringLiteral("alt=\"A &lt; B\"")));
    EXPECT_TRUE(body.contains(QStringLiteral("<div class=\"carousel-caption\">\nA &lt; B\n</div>")));
    EXPECT_EQ(carousel->originY, 40);

    // A slideshow of the base template takes its pictures from there.
    slideshow->setSelectable(false);
    EXPECT_TRUE(SlideshowGenerator::generateCarousel(document, slideshow)
                    ->bodyString.contains(QStringLiteral("<img src=\"basetemplate/image1@2x.png\"")));
}

TEST_F(SlideshowGenerationTest, UnnamedSlidesGetFreeNamesAndSurviveReopening)
{
    DRVDocument document;
    document.setMainTemplateName(QStringLiteral("index"));
    DRVSlideshow* slideshow =
        addSlideshow(document, QRectF(10, 20, 300, 200),
                     {QStringLiteral("image3"), QString(), QStringLiteral("(null)")}, 0);
    QTemporaryDir folder;
    const ReadBack back = writeAndRead(document, folder.path(), true);
    QStringList names;
    for (const TransformView* slide : slideshow->imageArray())
        names.append(slide->imageName());
    EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), 3) << names.join(u',').toStdString();
    EXPECT_TRUE(names.contains(QStringLiteral("image3")));
    EXPECT_FALSE(names.contains(QStringLiteral("(null)")));
    const QList<DRVSlideshow*> read = ofClass<DRVSlideshow>(back.graphics);
    ASSERT_EQ(read.size(), 1);
    EXPECT_EQ(read.first()->totalNumofSlides(), 3);
}
