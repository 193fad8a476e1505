#include "model/FakePageContext.h"

#include "model/DRVSlideshow.h"
#include "model/OuterSlideShow.h"
#include "model/SlideShow.h"
#include "platform/Dialogs.h"
#include "platform/UserDefaults.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TransformView* slide(QSize original, QColor colour = Qt::red)
{
    auto* carrier = new TransformView;
    carrier->setOriginalWidth(original.width());
    carrier->setOriginalHeight(original.height());
    QImage image(original, QImage::Format_ARGB32_Premultiplied);
    image.fill(colour);
    carrier->setImage(image);
    return carrier;
}

std::unique_ptr<DRVSlideshow> slideshow(QRectF bounds, int slides)
{
    auto show = std::make_unique<DRVSlideshow>();
    show->setBounds(bounds);
    for (int i = 0; i < slides; ++i)
        show->addIntoImageArray(slide({80, 40}));
    show->setCurrentImageIndex(0);
    return show;
}

} // namespace

TEST(Slideshow, SlideLayout)
{
    struct Case
    {
        QSize original;
        int index;
        QRect expected;
    };
    // A 400 x 300 slideshow.
    const Case cases[] = {
        {{800, 400}, 0, {0, 50, 400, 200}},
        {{800, 400}, 1, {400, 50, 400, 200}}, // one slideshow width further right
        {{300, 300}, 0, {50, 0, 300, 300}},   // square: fitted to the height, not 400 x 400
        {{200, 400}, 0, {125, 0, 150, 300}},  // portrait: kept inside the height
        {{200, 400}, 2, {925, 0, 150, 300}},
        {{100, 50}, 0, {0, 50, 400, 200}}, // small pictures are enlarged to the width
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.original.width() << "x" << c.original.height() << " #" << c.index);
        EXPECT_EQ(DRVSlideshow::slideFrame(c.original, {400, 300}, c.index), c.expected);
    }

    // The layout step sets frames and slide widths with nothing painted.
    DRVSlideshow show;
    show.setBounds(QRectF(10, 20, 400, 300));
    TransformView* wide = slide({800, 400});
    TransformView* tall = slide({200, 400});
    show.setImageArray({wide, tall});
    show.grabTransformViewBounds();
    EXPECT_EQ(wide->frame(), QRectF(0, 50, 400, 200));
    EXPECT_EQ(tall->frame(), QRectF(525, 0, 150, 300));
    EXPECT_EQ(wide->slideWidth(), 400);
    EXPECT_EQ(tall->slideWidth(), 400);
}

TEST(Slideshow, ArrowsStepAndStayInRange)
{
    auto show = slideshow({0, 0, 400, 300}, 3);
    const QPointF next(380, 160), previous(10, 160);
    EXPECT_TRUE(show->nextButtonClicked(next));
    EXPECT_TRUE(show->previousButtonClicked(previous));
    EXPECT_FALSE(show->nextButtonClicked({380, 140}));

    EXPECT_TRUE(show->isContentsUnderPoint(previous));
    EXPECT_EQ(show->currentImageIndex(), 0);
    show->isContentsUnderPoint(next);
    EXPECT_EQ(show->currentImageIndex(), 1);
    show->isContentsUnderPoint(next);
    show->isContentsUnderPoint(next);
    EXPECT_EQ(show->currentImageIndex(), 2);
    EXPECT_FALSE(show->isContentsUnderPoint({500, 10}));

    // Deleting keeps the shown slide inside the list.
    delete show->removeSlideAtIndex(2);
    EXPECT_EQ(show->currentImageIndex(), 1);
    delete show->removeSlideAtIndex(0);
    delete show->removeSlideAtIndex(0);
    EXPECT_EQ(show->currentImageIndex(), 0);
    EXPECT_EQ(show->currentSlide(), nullptr);
    EXPECT_EQ(show->removeSlideAtIndex(0), nullptr);

    // With no slides an arrow click changes nothing.
    show->isContentsUnderPoint(next);
    EXPECT_EQ(show->currentImageIndex(), 0);
    show->setCurrentImageIndex(7);
    EXPECT_EQ(show->currentImageIndex(), 0);
}

TEST(Slideshow, AddingRedrawsAndShowsTheNewSlide)
{
    DRVSlideshow show;
    show.setBounds(QRectF(0, 0, 400, 300));
    QStringList keys;
    platform::observe(
        &show, &show,
        [&](platform::Observable*, const QString& key, const QVariant&, const QVariant&) { keys << key; });
    show.addIntoImageArray(slide({10, 10}));
    show.addIntoImageArray(slide({10, 10}));
    EXPECT_EQ(show.currentImageIndex(), 1);
    EXPECT_EQ(show.totalNumofSlides(), 2);
    EXPECT_TRUE(keys.contains("drawingContents"));
}

TEST(Slideshow, DictionaryAndCopy)
{
    TransformView* first = slide({800, 400});
    first->setLink(QStringLiteral("http://example.com"));
    TransformView* second = slide({200, 400});
    const QVariantMap properties{{"className", "DRVSlideshow"},
                                 {"bounds", "{{10, 20}, {400, 300}}"},
                                 {"borderStyle", "dashed"},
                                 {"imageArray", QVariant::fromValue(QList<TransformView*>{first, second})}};
    std::unique_ptr<DRVGraphic> built(DRVGraphic::graphicWithProperties(properties));
    auto* show = qobject_cast<DRVSlideshow*>(built.get());
    ASSERT_NE(show, nullptr);
    EXPECT_EQ(show->imageArray(), (QList<TransformView*>{first, second}));
    EXPECT_EQ(first->parent(), show);
    EXPECT_EQ(show->currentImageIndex(), 0);
    EXPECT_FALSE(show->properties().contains("imageArray"));

    show->setCurrentImageIndex(1);
    std::unique_ptr<DRVGraphic> copied = show->copy();
    auto* copy = qobject_cast<DRVSlideshow*>(copied.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->bounds(), QRectF(10, 20, 400, 300));
    EXPECT_EQ(copy->borderStyle(), QStringLiteral("dashed"));
    EXPECT_EQ(copy->currentImageIndex(), 1);
    ASSERT_EQ(copy->totalNumofSlides(), 2);
    EXPECT_NE(copy->imageArray().first(), first);
    EXPECT_EQ(copy->imageArray().first()->link(), QStringLiteral("http://example.com"));
    EXPECT_EQ(copy->imageArray().last()->originalHeight(), 400);
    EXPECT_EQ(copy->imageArray().first()->image(), first->image());
}

TEST(Slideshow, OutlineByBorderStyle)
{
    QImage canvas(100, 100, QImage::Format_ARGB32_Premultiplied);
    for (const char* style : {"solid", "none"}) {
        DRVSlideshow show;
        show.setBounds(QRectF(10, 10, 80, 80));
        show.setFontColor(Qt::red);
        show.setDrawingStroke(true);
        show.setFillColor(Qt::green);
        show.setBorderStyle(QString::fromLatin1(style));
        canvas.fill(Qt::white);
        QPainter painter(&canvas);
        show.drawOutline(&painter);
        painter.end();
        auto red = [&](int y) {
            return canvas.pixelColor(50, y).red() > 200 && canvas.pixelColor(50, y).green() < 60;
        };
        const bool stroked = red(9) || red(10);
        EXPECT_EQ(stroked, QString::fromLatin1(style) == "solid") << style;
        EXPECT_EQ(show.fillColor().alpha(), 0) << style;
    }
}

TEST(Slideshow, DrawsCurrentSlideAndItsArrows)
{
    auto show = slideshow({0, 0, 400, 300}, 0);
    show->addIntoImageArray(slide({800, 400}, Qt::blue));
    show->addIntoImageArray(slide({800, 400}, Qt::green));
    show->addIntoImageArray(slide({800, 400}, Qt::blue));
    show->setCurrentImageIndex(0);

    QImage canvas(400, 300, QImage::Format_ARGB32_Premultiplied);
    auto paint = [&] {
        canvas.fill(Qt::white);
        QPainter painter(&canvas);
        show->drawContentsInView(&painter, false);
    };
    // Translucent black over the picture darkens every channel.
    auto isArrow = [&](QPoint p) {
        const QColor c = canvas.pixelColor(p);
        return std::max({c.red(), c.green(), c.blue()}) < 180;
    };
    paint();
    EXPECT_EQ(canvas.pixelColor(200, 100), QColor(Qt::blue)); // slide 0 at (0, 50, 400, 200)
    EXPECT_EQ(canvas.pixelColor(200, 20), QColor(Qt::white));
    EXPECT_TRUE(isArrow({395, 152}));
    EXPECT_FALSE(isArrow({5, 152}));

    show->isContentsUnderPoint({380, 160});
    paint();
    EXPECT_EQ(canvas.pixelColor(200, 100), QColor(Qt::green));
    EXPECT_TRUE(isArrow({395, 152}));
    EXPECT_TRUE(isArrow({5, 152}));

    show->setCurrentImageIndex(2);
    paint();
    EXPECT_FALSE(isArrow({395, 152}));
    EXPECT_TRUE(isArrow({5, 152}));
}

// ---- the editing view ----

class SlideShowView : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        previousStore = platform::UserDefaults::standard().storeFile();
        platform::UserDefaults::standard().useStoreFile(store.filePath("defaults.ini"));
        platform::UserDefaults::standard().removeObject("DovrelMaxImageSize");
        platform::UserDefaults::standard().removeObject("DovrelRetinaFlag");
        pictures = QDir(folder.path()).filePath("pictures");
        page = QDir(folder.path()).filePath("page");
        QDir().mkpath(pictures);
        QDir().mkpath(page);
        context.nextImage = QStringLiteral("image1");
    }

    void TearDown() override
    {
        if (!previousStore.isEmpty())
            platform::UserDefaults::standard().useStoreFile(previousStore);
    }

    QString picture(const QString& name, QSize size, QColor colour = Qt::red)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        const QString path = QDir(pictures).filePath(name);
        EXPECT_TRUE(image.save(path));
        return path;
    }

    // Each slide takes the next name, as the page would give it.
    void advanceNames(SlideShow& view)
    {
        view.setNextImageNameProvider([this] { return QStringLiteral("image%1").arg(++counter); });
    }

    QTemporaryDir folder;
    QTemporaryDir store;
    QString previousStore;
    QString pictures;
    QString page;
    FakePageContext context;
    ScopedPageContext scope{&context};
    platform::ScopedDialogs dialogs;
    int counter = 0;
};

TEST_F(SlideShowView, StartsEmpty)
{
    SlideShow view(QRect(0, 0, 400, 300), page);
    EXPECT_TRUE(view.nextButton()->isHidden());
    EXPECT_TRUE(view.previousButton()->isHidden());
    EXPECT_EQ(view.textView()->text(), QStringLiteral("Right click to edit slideshow (0/0)"));
    QStringList titles;
    for (QAction* action : view.slideshowMenu()->actions())
        titles << action->text();
    EXPECT_EQ(titles, (QStringList{"Add Image", "Delete Image", "Replace Image", "Hyperlink Image",
                                   "Set Automatic"}));

    // Nothing to step, delete, replace or link.
    view.showNext();
    view.showPrevious();
    view.deleteCurrentSlide();
    dialogs->queueOpenPanelAnswer({picture("a.png", {20, 10})});
    view.replaceCurrentSlide();
    view.linkCurrentSlide();
    EXPECT_EQ(view.slideNumber(), 0);
    EXPECT_EQ(view.totalNumofSlides(), 0);
    EXPECT_EQ(view.hyperLinkWindow(), nullptr);
}

TEST_F(SlideShowView, AddingThreeFiles)
{
    SlideShow view(QRect(0, 0, 400, 300), page);
    advanceNames(view);
    view.show();
    dialogs->queueOpenPanelAnswer(
        {picture("a.png", {800, 400}), picture("b.JPG", {400, 800}), picture("c.PNG", {300, 300})});
    view.addNewSlide();

    ASSERT_EQ(dialogs->openRequests().size(), 1);
    const platform::FilePanelRequest request = dialogs->openRequests().first();
    EXPECT_EQ(request.prompt, QStringLiteral("Add New"));
    EXPECT_EQ(request.allowedExtensions, (QStringList{"jpg", "JPG", "png", "PNG", "jpeg", "JPEG"}));

    ASSERT_EQ(view.totalNumofSlides(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(view.imageArray().at(i)->slideNumber(), i);
        EXPECT_EQ(view.grabSlide(i), view.imageArray().at(i));
    }
    EXPECT_EQ(view.slideNumber(), 2);
    EXPECT_TRUE(view.nextButton()->isHidden());
    EXPECT_FALSE(view.previousButton()->isHidden());
    EXPECT_EQ(view.textView()->text(), QStringLiteral("Right click to edit slideshow (3/3)"));
    EXPECT_EQ(view.horizontalScrollBar()->value(), 800);

    // Types by extension, files in the owning document's folder.
    EXPECT_EQ(view.imageArray().at(0)->imageType(), QStringLiteral("PNG"));
    EXPECT_EQ(view.imageArray().at(1)->imageType(), QStringLiteral("JPG"));
    EXPECT_EQ(view.imageArray().at(2)->imageType(), QStringLiteral("PNG"));
    for (const char* name : {"image1o.PNG", "image2o.JPG", "image3o.PNG"})
        EXPECT_FALSE(QImage(QDir(page).filePath(QString::fromLatin1(name))).isNull()) << name;
    EXPECT_EQ(QDir(page).entryList(QDir::Files).size(), 3); // no temporary files left behind

    // The strip: one view width per slide, each fitted into its cell.
    EXPECT_EQ(view.imageArray().at(0)->frame(), QRectF(0, 50, 400, 200));
    EXPECT_EQ(view.imageArray().at(1)->frame(), QRectF(400 + 125, 0, 150, 300));
    EXPECT_EQ(view.imageArray().at(2)->slideWidth(), 400);
    EXPECT_EQ(view.widget()->size(), QSize(1200, 300));

    view.showPrevious();
    EXPECT_EQ(view.slideNumber(), 1);
    EXPECT_FALSE(view.nextButton()->isHidden());
    EXPECT_FALSE(view.previousButton()->isHidden());
    EXPECT_EQ(view.horizontalScrollBar()->value(), 400);
}

TEST_F(SlideShowView, UnreadableFilesAreSkipped)
{
    SlideShow view(QRect(0, 0, 400, 300), page);
    advanceNames(view);
    const QString broken = QDir(pictures).filePath("broken.jpg");
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a picture");
    file.close();
    dialogs->queueOpenPanelAnswer(
        {broken, picture("a.png", {40, 20}), QDir(pictures).filePath("missing.png")});
    view.addNewSlide();
    ASSERT_EQ(view.totalNumofSlides(), 1);
    EXPECT_EQ(view.imageArray().first()->slideNumber(), 0);
    EXPECT_EQ(QDir(page).entryList(QDir::Files), QStringList{"image1o.PNG"});
    EXPECT_TRUE(dialogs->alerts().isEmpty());
}

TEST_F(SlideShowView, LargePicturesAreScaledToTheLimit)
{
    platform::UserDefaults::standard().setInteger("DovrelMaxImageSize", 1200);
    platform::UserDefaults::standard().setInteger("DovrelRetinaFlag", 1);
    SlideShow view(QRect(0, 0, 400, 300), page);
    dialogs->queueOpenPanelAnswer({picture("wide.jpg", {2000, 500})});
    view.addNewSlide();
    ASSERT_EQ(view.totalNumofSlides(), 1);
    const QImage written(QDir(page).filePath("image1o.JPG"));
    EXPECT_EQ(written.size(), QSize(1200, 300));
    EXPECT_EQ(view.imageArray().first()->retinaFlag(), 1);
    EXPECT_EQ(view.imageArray().first()->link(), QStringLiteral(""));
}

TEST_F(SlideShowView, NamesStayUniqueWhenThePageRepeatsOne)
{
    // The page context keeps offering "image1": slides added in one go are not on the page yet.
    SlideShow view(QRect(0, 0, 400, 300), page);
    dialogs->queueOpenPanelAnswer(
        {picture("a.png", {40, 20}, Qt::red), picture("b.png", {40, 20}, Qt::blue)});
    view.addNewSlide();
    ASSERT_EQ(view.totalNumofSlides(), 2);
    EXPECT_EQ(view.imageArray().at(0)->imageName(), QStringLiteral("image1"));
    EXPECT_EQ(view.imageArray().at(1)->imageName(), QStringLiteral("image2"));
    EXPECT_EQ(QImage(QDir(page).filePath("image1o.PNG")).pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(QImage(QDir(page).filePath("image2o.PNG")).pixelColor(0, 0), QColor(Qt::blue));
}

TEST_F(SlideShowView, ReplacingAndWritingFailures)
{
    SlideShow view(QRect(0, 0, 400, 300), page);
    advanceNames(view);
    dialogs->queueOpenPanelAnswer({picture("a.png", {40, 20}), picture("b.png", {40, 20})});
    view.addNewSlide();
    view.showPrevious();
    ASSERT_EQ(view.slideNumber(), 0);
    TransformView* second = view.imageArray().at(1);

    dialogs->queueOpenPanelAnswer({picture("c.jpg", {20, 40})});
    view.replaceCurrentSlide();
    ASSERT_EQ(view.totalNumofSlides(), 2);
    EXPECT_EQ(view.imageArray().at(0)->imageName(), QStringLiteral("image3"));
    EXPECT_EQ(view.imageArray().at(0)->slideNumber(), 0);
    EXPECT_EQ(view.imageArray().at(1), second);

    // A folder that cannot take the file: the user is told and the slides stay as they were.
    view.setDocumentFolder(QDir(folder.path()).filePath("no/such/folder"));
    dialogs->queueOpenPanelAnswer({picture("d.png", {40, 20})});
    view.addNewSlide();
    EXPECT_EQ(view.totalNumofSlides(), 2);
    EXPECT_EQ(dialogs->alerts().size(), 1);
}

TEST_F(SlideShowView, DeletingKeepsTheSlideNumberInRange)
{
    SlideShow view(QRect(0, 0, 400, 300), page);
    advanceNames(view);
    dialogs->queueOpenPanelAnswer(
        {picture("a.png", {40, 20}), picture("b.png", {40, 20}), picture("c.png", {40, 20})});
    view.addNewSlide();
    ASSERT_EQ(view.slideNumber(), 2);

    view.deleteCurrentSlide(); // the last one: back to the new last
    EXPECT_EQ(view.totalNumofSlides(), 2);
    EXPECT_EQ(view.slideNumber(), 1);
    view.showPrevious();
    view.deleteCurrentSlide(); // slide 0 stays at 0
    EXPECT_EQ(view.slideNumber(), 0);
    ASSERT_EQ(view.totalNumofSlides(), 1);
    EXPECT_EQ(view.imageArray().first()->slideNumber(), 0);
    EXPECT_EQ(view.grabSlide(0), view.imageArray().first());
    view.deleteCurrentSlide();
    EXPECT_EQ(view.totalNumofSlides(), 0);
    EXPECT_EQ(view.slideNumber(), 0);
    EXPECT_EQ(view.textView()->text(), QStringLiteral("Right click to edit slideshow (0/0)"));
    view.deleteCurrentSlide();
    EXPECT_EQ(view.totalNumofSlides(), 0);
}

TEST_F(SlideShowView, LinkAndAutomaticPlay)
{
    SlideShow view(QRect(0, 0, 400, 300), page);
    OuterSlideShow carrier(QRectF(0, 0, 400, 300));
    view.setCarrier(&carrier);
    view.switchSlideshowAsAutomatic();
    EXPECT_EQ(carrier.slideShowAutomaticFlag(), 1);
    view.switchSlideshowAsAutomatic();
    EXPECT_EQ(carrier.slideShowAutomaticFlag(), 0);

    dialogs->queueOpenPanelAnswer({picture("a.png", {40, 20})});
    view.addNewSlide();
    view.imageArray().first()->setLink(QStringLiteral("http://old.example"));
    view.linkCurrentSlide();
    ASSERT_NE(view.hyperLinkWindow(), nullptr);
    EXPECT_EQ(view.hyperLinkWindow()->windowTitle(), QStringLiteral("Apply Hyper Link"));
    EXPECT_TRUE(view.hyperLinkWindow()->isVisible());
    EXPECT_EQ(view.linkTextbox()->text(), QStringLiteral("http://old.example"));
    view.linkTextbox()->setText(QStringLiteral("http://new.example"));
    auto* save = view.hyperLinkWindow()->findChild<QPushButton*>("saveLinkButton");
    ASSERT_NE(save, nullptr);
    save->click();
    EXPECT_EQ(view.imageArray().first()->link(), QStringLiteral("http://new.example"));
    EXPECT_FALSE(view.hyperLinkWindow()->isVisible());
}

TEST_F(SlideShowView, PicturesNeverLeaveThePageFolder)
{
    // An offered name that climbs out of the page folder, and a link in the folder where the
    // next picture would go: neither takes the picture elsewhere, and the user is told.
    const QString outside = QDir(folder.path()).filePath("outside.PNG");
    {
        QFile file(outside);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("keep");
    }
    ASSERT_TRUE(QFile::link(outside, QDir(page).filePath("image5o.PNG")));
    for (const char* offer : {"../escaped", "image5"}) {
        SlideShow view(QRect(0, 0, 400, 300), page);
        view.setNextImageNameProvider([offer] { return QString::fromLatin1(offer); });
        const qsizetype alertsBefore = dialogs->alerts().size();
        dialogs->queueOpenPanelAnswer({picture("a.png", {40, 20})});
        view.addNewSlide();
        EXPECT_EQ(view.totalNumofSlides(), 0) << offer;
        EXPECT_EQ(dialogs->alerts().size(), alertsBefore + 1) << offer;
    }
    EXPECT_FALSE(QFileInfo::exists(QDir(folder.path()).filePath("escapedo.PNG")));
    QFile kept(outside);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("keep"));
    EXPECT_TRUE(QFileInfo(QDir(page).filePath("image5o.PNG")).isSymLink());
}
