// The slideshow commands of the canvas's context menu on a page opened in its window: adding,
// replacing and deleting slides, each one undo step that brings the slides back whole.
#include "AppTestSupport.h"

#include "canvas/DRVGraphicView.h"
#include "document/PageImageFiles.h"
#include "model/DRVSlideshow.h"

#include <QContextMenuEvent>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

namespace {

class SlideshowEditingTest : public WindowedAppTest
{
protected:
    void SetUp() override
    {
        window = documents.openDocumentWithContentsOfPath(savedPage(QStringLiteral("page")));
        ASSERT_TRUE(window);
        slideshow = new DRVSlideshow;
        slideshow->setBounds({40, 40, 300, 200});
        slideshow->setSelectable(true);
        DRVDocument* document = window->document();
        document->undoManager()->disableUndoRegistration();
        document->insertGraphics({slideshow}, {0});
        document->undoManager()->enableUndoRegistration();
        window->graphicView()->changeSelectionIndexes({0});
    }

    QString picture(const QString& fileName, QSize size)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        const QString path = m_root.filePath(fileName);
        EXPECT_TRUE(image.save(path));
        return path;
    }

    // Right-clicks the slideshow and chooses the command titled so; false when it is not offered.
    bool chooseFromContextMenu(const QString& title)
    {
        DRVGraphicView* canvas = window->graphicView();
        const QPoint inside(60, 60);
        QContextMenuEvent click(QContextMenuEvent::Mouse, inside, canvas->mapToGlobal(inside));
        QCoreApplication::sendEvent(canvas, &click);
        QMenu* menu = canvas->contextMenu();
        if (!menu)
            return false;
        QAction* chosen = nullptr;
        for (QAction* action : menu->actions()) {
            if (action->text() == title)
                chosen = action;
        }
        if (chosen)
            chosen->trigger();
        if (canvas->contextMenu())
            canvas->contextMenu()->close();
        return chosen != nullptr;
    }

    QString slides() const
    {
        QStringList names;
        for (const TransformView* slide : slideshow->imageArray())
            names.append(slide->imageName());
        return names.join(u' ') + QStringLiteral(" @") + QString::number(slideshow->currentImageIndex());
    }

    void undo() { validatedItem(window, QStringLiteral("undo:"))->trigger(); }

    DRVWindowController* window = nullptr;
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
