// Insert > Photo through the window's menu with a scripted open panel: picture files become named
// image graphics side by side, their originals kept beside the page, as one undo step.
#include "AppTestSupport.h"

#include "canvas/DRVGraphicView.h"
#include "document/PageImageFiles.h"
#include "model/DRVImage.h"

#include <QFile>
#include <QImage>
#include <QImageReader>

namespace {

class ImageImportTest : public WindowedAppTest
{
protected:
    QString picture(const QString& fileName, QSize size, const char* format)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(QColor(40, 120, 200));
        const QString path = m_root.filePath(fileName);
        EXPECT_TRUE(image.save(path, format));
        return path;
    }
    QString junk(const QString& fileName) { return fileWith(fileName, "this is no picture at all"); }
    static QList<DRVImage*> images(DRVDocument* document)
    {
        QList<DRVImage*> found;
        for (DRVGraphic* graphic : document->graphics()) {
            if (auto* image = qobject_cast<DRVImage*>(graphic))
                found.append(image);
        }
        return found;
    }
    static QSize storedSize(const QString& path) { return QImageReader(path).size(); }
};

} // namespace

TEST_F(ImageImportTest, PhotoAddsEachReadablePictureBesideTheLastSkippingABrokenOneWithOneAlert)
{
    platform::UserDefaults::standard().setInteger(QStringLiteral("DovrelMaxImageSize"), 1000);
    DRVWindowController* window = documents.openDocumentWithContentsOfPath(savedPage(QStringLiteral("page")));
    ASSERT_TRUE(window);
    DRVDocument* document = window->document();
    const QPointF origin = window->graphicView()->calculateOriginPoint();

    dialogs->queueOpenPanelAnswer({picture(QStringLiteral("wide.png"), QSize(1200, 900), "PNG"),
                                   junk(QStringLiteral("broken.png")),
                                   picture(QStringLiteral("small.jpeg"), QSize(300, 200), "JPG")});
    choose(window, QStringLiteral("addNewPhoto:"));

    ASSERT_EQ(dialogs->openRequests().size(), 1);
    const platform::FilePanelRequest request = dialogs->openRequests().constFirst();
    EXPECT_EQ(request.title, QStringLiteral("Add one or multiple images"));
    EXPECT_EQ(request.prompt, QStringLiteral("Select"));
    EXPECT_TRUE(request.allowMultiple);
    EXPECT_FALSE(request.chooseDirectories);
    EXPECT_TRUE(request.allowedExtensions.contains(QStringLiteral("GIF")));

    // The broken file takes no place: the second picture lies 20 to the right, in front.
    const QList<DRVImage*> added = images(document);
    ASSERT_EQ(added.size(), 2);
    ASSERT_EQ(document->graphics().size(), 3);
    struct Expected
    {
        const char* name;
        const char* type;
        QRectF bounds;
        QSize original;
    };
    const Expected expected[] = {
        {"image1", "JPG", QRectF(origin.x() + 20, origin.y(), 300, 200), QSize(300, 200)},
        {"image0", "PNG", QRectF(origin.x(), origin.y(), 600, 450), QSize(1000, 750)},
    };
    const QString folder = PageImageFiles::imageFolderForPage(document->pagePath());
    ASSERT_FALSE(folder.isEmpty());
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const Expected& e = expected[i];
        EXPECT_EQ(added.at(i)->imageName(), QString::fromLatin1(e.name));
        EXPECT_EQ(added.at(i)->imageType(), QString::fromLatin1(e.type));
        EXPECT_EQ(added.at(i)->bounds(), e.bounds);
        EXPECT_EQ(added.at(i)->imageEnlargeFlag(), 0);
        EXPECT_EQ(added.at(i)->backdropLightingFlag(), 2);
        const QString original =
            folder + u'/' + QString::fromLatin1(e.name) + QStringLiteral("o.") + QString::fromLatin1(e.type);
        EXPECT_EQ(storedSize(original), e.original) << qPrintable(original);
    }
    EXPECT_EQ(document->graphics().at(0), added.at(0));

    ASSERT_EQ(dialogs->alerts().size(), 1);
    const platform::Alert alert = dialogs->alerts().constFirst();
    EXPECT_TRUE(alert.informativeText.contains(QStringLiteral("broken.png")));
    EXPECT_FALSE(alert.informativeText.contains(QStringLiteral("small.jpeg")));

    // One step: its undo takes both pictures away.
    QAction* undo = validatedItem(window, QStringLiteral("undo:"));
    ASSERT_TRUE(undo && undo->isEnabled());
    undo->trigger();
    EXPECT_TRUE(images(document).isEmpty());
    EXPECT_EQ(document->graphics().size(), 1);
    validatedItem(window, QStringLiteral("redo:"))->trigger();
    EXPECT_EQ(images(document).size(), 2);

    // Saved and opened again, both pictures are there with their names and pixels.
    ASSERT_TRUE(document->saveDocument()) << qPrintable(document->lastFileErrorText());
    const std::unique_ptr<DRVDocument> reopened = DRVDocument::openDocument(document->filePath());
    ASSERT_TRUE(reopened);
    const QList<DRVImage*> kept = images(reopened.get());
    ASSERT_EQ(kept.size(), 2);
    EXPECT_EQ(kept.at(0)->imageName(), QStringLiteral("image1"));
    EXPECT_EQ(kept.at(1)->imageName(), QStringLiteral("image0"));
    EXPECT_EQ(kept.at(1)->bounds(), expected[1].bounds);
}

TEST_F(ImageImportTest, ACancelledPanelOrOnlyBrokenFilesAddNothingAndLeaveNoUndoStep)
{
    DRVWindowController* window = documents.openDocumentWithContentsOfPath(savedPage(QStringLiteral("page")));
    ASSERT_TRUE(window);
    choose(window, QStringLiteral("addNewPhoto:"));
    EXPECT_TRUE(dialogs->alerts().isEmpty());

    dialogs->queueOpenPanelAnswer(
        {junk(QStringLiteral("a.png")), m_root.filePath(QStringLiteral("missing.jpg"))});
    choose(window, QStringLiteral("addNewPhoto:"));
    EXPECT_EQ(window->document()->graphics().size(), 1);
    ASSERT_EQ(dialogs->alerts().size(), 1);
    EXPECT_TRUE(dialogs->alerts().constFirst().informativeText.contains(QStringLiteral("missing.jpg")));
    EXPECT_FALSE(validatedItem(window, QStringLiteral("undo:"))->isEnabled());
    EXPECT_FALSE(QFileInfo::exists(PageImageFiles::imageFolderForPage(window->document()->pagePath()) +
                                   QStringLiteral("/image0o.PNG")));
}

TEST_F(ImageImportTest, TheNextNameSkipsOriginalsAlreadyBesideThePageAndLeavesThemAlone)
{
    DRVWindowController* window = documents.openDocumentWithContentsOfPath(savedPage(QStringLiteral("page")));
    ASSERT_TRUE(window);
    const QString folder = PageImageFiles::imageFolderForPage(window->document()->pagePath());
    ASSERT_TRUE(QDir().mkpath(folder));
    // A stray original of a picture no longer on the page keeps its number taken.
    QFile stray(folder + QStringLiteral("/image0o.PNG"));
    ASSERT_TRUE(stray.open(QIODevice::WriteOnly));
    stray.write("old");
    stray.close();

    dialogs->queueOpenPanelAnswer({picture(QStringLiteral("p.PNG"), QSize(40, 30), "PNG")});
    choose(window, QStringLiteral("addNewPhoto:"));
    const QList<DRVImage*> added = images(window->document());
    ASSERT_EQ(added.size(), 1);
    EXPECT_EQ(added.constFirst()->imageName(), QStringLiteral("image1"));
    EXPECT_EQ(storedSize(folder + QStringLiteral("/image1o.PNG")), QSize(40, 30));
    EXPECT_EQ(QFileInfo(folder + QStringLiteral("/image0o.PNG")).size(), 3);
}
