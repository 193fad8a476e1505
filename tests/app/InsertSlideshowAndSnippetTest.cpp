// Slideshows and code snippets from the window's Add New menu: each lands at the insertion point as
// one undo step, the slideshow holding the pictures chosen in the open panel, and both come back
// from the saved page.
#include "AppTestSupport.h"

#include "canvas/DRVGraphicView.h"
#include "document/PageImageFiles.h"
#include "model/DRVSlideshow.h"
#include "model/DRVText.h"

#include <QImageReader>

namespace {

class InsertSlideshowAndSnippetTest : public WindowedAppTest
{
protected:
    void SetUp() override
    {
        window = windowOnPage({});
        ASSERT_TRUE(window);
        window->window()->resize(1000, 700);
        window->document()->setPagePath(m_root.filePath(QStringLiteral("page.html")));
    }

    // The page saved under name and opened again; nothing when either fails.
    std::unique_ptr<DRVDocument> savedAndReopened(const QString& name)
    {
        DRVDocument* document = window->document();
        const QString path = m_root.filePath(name);
        EXPECT_TRUE(document->saveDocumentTo(path)) << qPrintable(document->lastFileErrorText());
        std::unique_ptr<DRVDocument> reopened = DRVDocument::openDocument(path);
        if (reopened && reopened->graphics().size() != 1) {
            ADD_FAILURE() << "the page came back with " << reopened->graphics().size() << " graphics";
            return nullptr;
        }
        return reopened;
    }

    QPointF insertionPoint() const
    {
        const QPointF at = window->graphicView()->calculateOriginPoint();
        return QPointF(std::trunc(at.x()), std::trunc(at.y()));
    }

    DRVWindowController* window = nullptr;
};

} // namespace

TEST_F(InsertSlideshowAndSnippetTest, ASlideshowFromTheMenuHoldsTheChosenPicturesAsOneUndoStep)
{
    DRVDocument* document = window->document();
    const QPointF at = insertionPoint();
    dialogs->queueOpenPanelAnswer({picture(QStringLiteral("a.png"), {400, 200}),
                                   m_root.filePath(QStringLiteral("missing.png")),
                                   picture(QStringLiteral("b.jpg"), {120, 240})});
    choose(window, QStringLiteral("addNewSlideshow:"));

    ASSERT_EQ(dialogs->openRequests().size(), 1);
    EXPECT_TRUE(dialogs->openRequests().constFirst().allowMultiple);
    // The unreadable file is named once and leaves no slide.
    ASSERT_EQ(dialogs->alerts().size(), 1);
    EXPECT_TRUE(dialogs->alerts().constFirst().informativeText.contains(QStringLiteral("missing.png")));
    ASSERT_EQ(document->graphics().size(), 1);
    auto* slideshow = qobject_cast<DRVSlideshow*>(document->graphics().constFirst());
    ASSERT_TRUE(slideshow);
    EXPECT_EQ(slideshow->bounds(), QRectF(at, QSizeF(500, 300)));
    ASSERT_EQ(slideshow->totalNumofSlides(), 2);
    EXPECT_EQ(slideshow->imageArray().at(0)->imageName(), QStringLiteral("image0"));
    EXPECT_EQ(slideshow->imageArray().at(1)->imageName(), QStringLiteral("image1"));
    const QString folder = PageImageFiles::imageFolderForPage(document->pagePath());
    EXPECT_EQ(QImageReader(folder + QStringLiteral("/image1o.JPG")).size(), QSize(120, 240));
    EXPECT_EQ(document->undoManager()->undoActionName(), QStringLiteral("Add Slideshow"));

    keepScreenshot(window->window(), QStringLiteral("insert-slideshow.png"));

    {
        const std::unique_ptr<DRVDocument> reopened = savedAndReopened(QStringLiteral("slideshow.quibpage"));
        ASSERT_TRUE(reopened);
        const auto* kept = qobject_cast<DRVSlideshow*>(reopened->graphics().constFirst());
        ASSERT_TRUE(kept);
        EXPECT_EQ(kept->bounds(), QRectF(at, QSizeF(500, 300)));
        ASSERT_EQ(kept->totalNumofSlides(), 2);
        EXPECT_EQ(kept->imageArray().at(0)->image().size(), QSize(400, 200));
        EXPECT_EQ(kept->imageArray().at(1)->imageName(), QStringLiteral("image1"));
    }

    // One step takes the slideshow and its slides away, and brings them back.
    choose(window, QStringLiteral("undo:"));
    EXPECT_TRUE(document->graphics().isEmpty());
    choose(window, QStringLiteral("redo:"));
    ASSERT_EQ(document->graphics().size(), 1);
    EXPECT_EQ(qobject_cast<DRVSlideshow*>(document->graphics().constFirst())->totalNumofSlides(), 2);
}

TEST_F(InsertSlideshowAndSnippetTest, ACancelledPanelStillGivesTheEmptySlideshow)
{
    choose(window, QStringLiteral("addNewSlideshow:"));
    ASSERT_EQ(window->document()->graphics().size(), 1);
    const auto* slideshow = qobject_cast<DRVSlideshow*>(window->document()->graphics().constFirst());
    ASSERT_TRUE(slideshow);
    EXPECT_EQ(slideshow->totalNumofSlides(), 0);
    EXPECT_TRUE(dialogs->alerts().isEmpty());
    choose(window, QStringLiteral("undo:"));
    EXPECT_TRUE(window->document()->graphics().isEmpty());
}

TEST_F(InsertSlideshowAndSnippetTest, ACodeSnippetFromTheMenuIsOneUndoStepAndKeepsItsHTML)
{
    DRVDocument* document = window->document();
    const QPointF at = insertionPoint();
    choose(window, QStringLiteral("addNewSnippet:"));
    ASSERT_EQ(document->graphics().size(), 1);
    const auto* snippet = qobject_cast<DRVText*>(document->graphics().constFirst());
    ASSERT_TRUE(snippet);
    EXPECT_EQ(snippet->bounds(), QRectF(at, QSizeF(250, 100)));
    EXPECT_EQ(snippet->textType(), QStringLiteral("HTMLSnippet"));
    EXPECT_EQ(snippet->textString(), QStringLiteral("<b>Enter HTML code here</b>"));
    EXPECT_EQ(document->undoManager()->undoActionName(), QStringLiteral("Add Code Snippet"));

    {
        const std::unique_ptr<DRVDocument> reopened = savedAndReopened(QStringLiteral("snippet.quibpage"));
        ASSERT_TRUE(reopened);
        const auto* kept = qobject_cast<DRVText*>(reopened->graphics().constFirst());
        ASSERT_TRUE(kept);
        EXPECT_EQ(kept->textString(), QStringLiteral("<b>Enter HTML code here</b>"));
        EXPECT_EQ(kept->textType(), QStringLiteral("HTMLSnippet"));
        EXPECT_EQ(kept->bounds(), QRectF(at, QSizeF(250, 100)));
    }
    choose(window, QStringLiteral("undo:"));
    EXPECT_TRUE(document->graphics().isEmpty());
}
