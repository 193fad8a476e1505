// The picture commands of the canvas's context menu on a page opened in its window: zoom bubbles,
// and adding, replacing and deleting slides, each one undo step that brings the slides back whole.
#include "AppTestSupport.h"

#include "canvas/DRVGraphicView.h"
#include "document/PageImageFiles.h"
#include "model/DRVGalleryGrid.h"
#include "model/DRVImage.h"
#include "model/DRVSlideshow.h"
#include "model/DRVText.h"

#include <QContextMenuEvent>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

namespace {

class PictureCommandsTest : public WindowedAppTest
{
protected:
    // A page in its window holding graphics (front to back), its picture folder in the test's
    // folder, the first graphic selected.
    void openWith(const QList<DRVGraphic*>& graphics)
    {
        window = windowOnPage(graphics);
        ASSERT_TRUE(window);
        window->document()->setPagePath(m_root.filePath(QStringLiteral("page.html")));
        window->graphicView()->changeSelectionIndexes({0});
    }

    // Right-clicks the slideshow and chooses the command titled so; false when it is not offered.
    bool chooseFromContextMenu(const QString& title, QPoint inside = QPoint(60, 60))
    {
        return chooseFromCanvasMenu(window, title, inside);
    }

    void undo() { validatedItem(window, QStringLiteral("undo:"))->trigger(); }

    DRVWindowController* window = nullptr;
};

class SlideshowEditingTest : public PictureCommandsTest
{
protected:
    void SetUp() override
    {
        slideshow = new DRVSlideshow;
        slideshow->setBounds({40, 40, 300, 200});
        openWith({slideshow});
    }

    QString slides() const
    {
        QStringList names;
        for (const TransformView* slide : slideshow->imageArray())
            names.append(slide->imageName());
        return names.join(u' ') + QStringLiteral(" @") + QString::number(slideshow->currentImageIndex());
    }

    DRVSlideshow* slideshow = nullptr;
};

} // namespace

TEST_F(SlideshowEditingTest, AddReplaceAndDeleteEditTheShownSlideAndUndoRestoresEachStep)
{
    EXPECT_FALSE(chooseFromContextMenu(QStringLiteral("Delete Slide"))); // nothing to delete yet
    dialogs->queueOpenPanelAnswer({picture(QStringLiteral("a.png"), {400, 200}),
                                   picture(QStringLiteral("b.jpg"), {200, 400}),
                                   picture(QStringLiteral("c.PNG"), {40, 20})});
    ASSERT_TRUE(chooseFromContextMenu(QStringLiteral("Add Slides…")));
    ASSERT_EQ(dialogs->openRequests().size(), 1);
    EXPECT_EQ(dialogs->openRequests().constFirst().title,
              QStringLiteral("Add one or more images to slideshow"));
    EXPECT_EQ(slides(), QStringLiteral("image0 image1 image2 @2"));
    const QString folder = PageImageFiles::imageFolderForPage(window->document()->pagePath());
    EXPECT_EQ(QImageReader(folder + QStringLiteral("/image1o.JPG")).size(), QSize(200, 400));
    EXPECT_EQ(slideshow->imageArray().at(2)->imageType(), QStringLiteral("PNG"));
    EXPECT_EQ(slideshow->imageArray().at(0)->originalWidth(), 400);

    const struct
    {
        const char* command;
        int shownBefore; // -1: as it is
        const char* after;
    } steps[] = {
        {"Delete Slide", -1, "image0 image1 @1"},  // the last one gone: the new last is shown
        {"Replace Slide…", 0, "image3 image1 @0"}, // image2's original still lies beside the page
        {"Delete Slide", 0, "image1 @0"},
        {"Delete Slide", -1, " @0"},
    };
    dialogs->queueOpenPanelAnswer({picture(QStringLiteral("d.jpeg"), {90, 30})});
    QStringList before;
    for (const auto& step : steps) {
        SCOPED_TRACE(step.command);
        if (step.shownBefore >= 0)
            slideshow->setCurrentImageIndex(step.shownBefore);
        before.append(slides());
        ASSERT_TRUE(chooseFromContextMenu(QString::fromUtf8(step.command)));
        EXPECT_EQ(slides(), QString::fromLatin1(step.after));
    }
    EXPECT_EQ(slideshow->imageArray().size(), 0);
    EXPECT_FALSE(chooseFromContextMenu(QStringLiteral("Replace Slide…")));

    // Each step undoes alone, the deleted slides coming back with their pictures.
    for (qsizetype i = before.size() - 1; i >= 0; --i) {
        undo();
        EXPECT_EQ(slides(), before.at(i));
    }
    ASSERT_EQ(slideshow->imageArray().size(), 3);
    EXPECT_EQ(slideshow->imageArray().at(2)->image().size(), QSize(40, 20));
    // Saved and opened again, the slides keep their names and pictures.
    const QString saved = m_root.filePath(QStringLiteral("slides.quibpage"));
    ASSERT_TRUE(window->document()->saveDocumentTo(saved))
        << qPrintable(window->document()->lastFileErrorText());
    {
        const std::unique_ptr<DRVDocument> reopened = DRVDocument::openDocument(saved);
        ASSERT_TRUE(reopened);
        ASSERT_EQ(reopened->graphics().size(), 1);
        const auto* kept = qobject_cast<DRVSlideshow*>(reopened->graphics().constFirst());
        ASSERT_TRUE(kept);
        ASSERT_EQ(kept->totalNumofSlides(), 3);
        EXPECT_EQ(kept->imageArray().at(1)->imageName(), QStringLiteral("image1"));
        EXPECT_EQ(kept->imageArray().at(1)->image().size(), QSize(200, 400));
    }
    undo();
    EXPECT_EQ(slides(), QStringLiteral(" @0"));
}

TEST_F(SlideshowEditingTest, AutoScrollingSwitchesWithItsTitleAndAnUnreadableFileAddsNoSlide)
{
    dialogs->queueOpenPanelAnswer(
        {picture(QStringLiteral("a.png"), {40, 20}), m_root.filePath(QStringLiteral("gone.png"))});
    ASSERT_TRUE(chooseFromContextMenu(QStringLiteral("Add Slides…")));
    EXPECT_EQ(slides(), QStringLiteral("image0 @0"));
    ASSERT_EQ(dialogs->alerts().size(), 1);
    EXPECT_TRUE(dialogs->alerts().constFirst().informativeText.contains(QStringLiteral("gone.png")));

    ASSERT_TRUE(chooseFromContextMenu(QStringLiteral("Set Auto Scrolling")));
    EXPECT_EQ(slideshow->slideShowAutomaticFlag(), 1);
    ASSERT_TRUE(chooseFromContextMenu(QStringLiteral("Disable Auto Scrolling")));
    EXPECT_EQ(slideshow->slideShowAutomaticFlag(), 0);
    undo();
    EXPECT_EQ(slideshow->slideShowAutomaticFlag(), 1);
}

namespace {

class ZoomBubbleTest : public PictureCommandsTest
{
protected:
    // 800 x 600 in four quadrants: red, green / blue, yellow.
    static QImage quadrants()
    {
        QImage image(800, 600, QImage::Format_RGB32);
        const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow};
        for (int y = 0; y < 600; ++y) {
            for (int x = 0; x < 800; ++x)
                image.setPixelColor(x, y, colours[(y >= 300 ? 2 : 0) + (x >= 400 ? 1 : 0)]);
        }
        return image;
    }
    // The picture shown at 400 x 300 in the page's corner, a zoom bubble over it.
    DRVText* bubbleOverPicture(const QRectF& bounds, double cornerRadius, const QString& shape, int flag = 1)
    {
        auto* picture = new DRVImage;
        picture->setContents(quadrants());
        picture->setBounds({0, 0, 400, 300});
        auto* bubble = new DRVText;
        bubble->setBounds(bounds);
        bubble->setZoomBubbleFlag(flag);
        bubble->setCornerRadius(cornerRadius);
        bubble->setBubbleShape(shape);
        openWith({bubble, picture});
        return bubble;
    }
};

} // namespace

TEST_F(ZoomBubbleTest, TheAreaUnderTheBubbleIsEnlargedThreeTimesInFrontOfIt)
{
    const struct
    {
        QRectF bubble;
        double radius;
        const char* shape;
        QRectF frame;
        int bubbleFlag;
        // Points of the new picture and the quadrant colour each must show.
        QList<QPair<QPoint, QColor>> pixels;
    } cases[] = {
        {{150, 100, 100, 100},
         1000,
         "circle",
         {150, 100, 300, 300},
         1,
         {{{75, 75}, Qt::red}, {{225, 75}, Qt::green}, {{75, 225}, Qt::blue}, {{225, 225}, Qt::yellow}}},
        {{50, 40, 100, 100}, 0, "", {50, 40, 300, 300}, 0, {{{5, 5}, Qt::red}, {{294, 294}, Qt::red}}},
        // 750 x 450 is capped at the widest inserted picture, 600, in proportion.
        {{150, 75, 250, 150},
         0,
         "",
         {150, 75, 600, 360},
         0,
         {{{100, 100}, Qt::red}, {{400, 100}, Qt::green}, {{100, 400}, Qt::blue}, {{600, 400}, Qt::yellow}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shape);
        bubbleOverPicture(c.bubble, c.radius, QString::fromLatin1(c.shape));
        ASSERT_TRUE(chooseFromContextMenu(QStringLiteral("Create Zoom Bubble Image")));
        DRVDocument* document = window->document();
        ASSERT_EQ(document->graphics().size(), 3);
        auto* zoomed = qobject_cast<DRVImage*>(document->graphics().constFirst());
        ASSERT_TRUE(zoomed);
        EXPECT_EQ(zoomed->bounds(), c.frame);
        EXPECT_EQ(zoomed->bubbleFlag(), c.bubbleFlag);
        EXPECT_EQ(zoomed->bubbleShape(), QString::fromLatin1(c.shape));
        EXPECT_EQ(zoomed->imageType(), QStringLiteral("PNG"));
        EXPECT_EQ(zoomed->borderStyle(), QStringLiteral("solid"));
        EXPECT_EQ(zoomed->borderWidth(), 3);
        EXPECT_EQ(zoomed->shadowFlag(), 1);
        const QImage pixels = zoomed->contents().convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(pixels.size(), QSize(3 * c.bubble.width(), 3 * c.bubble.height()));
        for (const auto& [point, colour] : c.pixels)
            EXPECT_EQ(pixels.pixelColor(point), colour) << point.x() << "," << point.y();
        const QString original = PageImageFiles::imageFolderForPage(document->pagePath()) + u'/' +
                                 zoomed->imageName() + QStringLiteral("o.PNG");
        EXPECT_EQ(QImageReader(original).size(), pixels.size());
        undo();
        EXPECT_EQ(document->graphics().size(), 2);
        window->performClose();
    }
}

TEST_F(ZoomBubbleTest, APlainTextBoxOrTwoSelectedGraphicsOfferNoZoomImage)
{
    bubbleOverPicture({10, 10, 50, 50}, 0, QString(), 0);
    EXPECT_FALSE(chooseFromContextMenu(QStringLiteral("Create Zoom Bubble Image")));
    window->document()->graphics().constFirst()->setProperty("zoomBubbleFlag", 1);
    window->graphicView()->changeSelectionIndexes({0, 1});
    EXPECT_FALSE(chooseFromContextMenu(QStringLiteral("Create Zoom Bubble Image")));
    window->graphicView()->changeSelectionIndexes({0});
    EXPECT_TRUE(chooseFromContextMenu(QStringLiteral("Create Zoom Bubble Image")));
}

namespace {

class GalleryEditingTest : public PictureCommandsTest
{
protected:
    void SetUp() override
    {
        gallery = new DRVGalleryGrid;
        gallery->setBounds({0, 0, 400, 400});
        gallery->setNumOfRows(2);
        gallery->setNumOfColumns(2);
        openWith({gallery});
    }
    // Name and spot of every picture, in spot order.
    QString pictures() const
    {
        const QList<TransformView*> held = gallery->imageArray();
        QList<const TransformView*> all(held.begin(), held.end());
        std::sort(all.begin(), all.end(), [](const TransformView* a, const TransformView* b) {
            return std::pair(a->rowSpot(), a->columnSpot()) < std::pair(b->rowSpot(), b->columnSpot());
        });
        QStringList out;
        for (const TransformView* picture : all)
            out.append(QStringLiteral("%1@%2,%3")
                           .arg(picture->imageName())
                           .arg(picture->rowSpot())
                           .arg(picture->columnSpot()));
        return out.join(u' ');
    }
    DRVGalleryGrid* gallery = nullptr;
};

} // namespace

TEST_F(GalleryEditingTest, PicturesFillTheSpotsFromTheTouchedOneAndDeletingUndoesWhole)
{
    const QPoint secondSpot(300, 100);
    dialogs->queueOpenPanelAnswer(
        {picture(QStringLiteral("a.png"), {40, 20}), picture(QStringLiteral("b.jpg"), {20, 40}),
         picture(QStringLiteral("c.png"), {30, 30}), picture(QStringLiteral("d.png"), {30, 30})});
    ASSERT_TRUE(chooseFromContextMenu(QStringLiteral("Add Images…"), secondSpot));
    EXPECT_EQ(dialogs->openRequests().constFirst().title,
              QStringLiteral("Add one or more images to gallery"));
    // Three spots remain from the second one on: the fourth file is left out.
    EXPECT_EQ(pictures(), QStringLiteral("image0@0,1 image1@1,0 image2@1,1"));
    const QString folder = PageImageFiles::imageFolderForPage(window->document()->pagePath());
    EXPECT_EQ(QImageReader(folder + QStringLiteral("/image1o.JPG")).size(), QSize(20, 40));
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("/image3o.PNG")));

    ASSERT_TRUE(chooseFromContextMenu(QStringLiteral("Delete Image"), QPoint(100, 300)));
    EXPECT_EQ(pictures(), QStringLiteral("image0@0,1 image2@1,1"));
    EXPECT_FALSE(chooseFromContextMenu(QStringLiteral("Delete Image"), QPoint(100, 300)));
    undo();
    EXPECT_EQ(pictures(), QStringLiteral("image0@0,1 image1@1,0 image2@1,1"));
    undo();
    EXPECT_EQ(pictures(), QString());

    // A touch outside every spot adds nothing and asks for no file.
    ASSERT_TRUE(chooseFromContextMenu(QStringLiteral("Add Images…"), QPoint(500, 500)));
    EXPECT_EQ(dialogs->openRequests().size(), 1);
    EXPECT_EQ(pictures(), QString());
}
