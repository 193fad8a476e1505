// The pages of a PDF dropped from the palette become pictures, one undo step, and a file that is no
// PDF changes nothing; click to enlarge from the canvas's context menu touches images only.
#include "AppTestSupport.h"

#include "canvas/DRVDragTypes.h"
#include "canvas/DRVGraphicView.h"
#include "canvas/PdfPages.h"
#include "document/PageImageFiles.h"
#include "model/DRVImage.h"
#include "model/DRVText.h"
#include "model/GraphicClipboard.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QImageReader>
#include <QMimeData>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTest>

namespace {

const QColor kPageColours[] = {QColor(200, 30, 30),  QColor(30, 160, 30),  QColor(30, 30, 200),
                               QColor(220, 200, 20), QColor(20, 200, 200), QColor(200, 20, 200)};

class PdfImportTest : public WindowedAppTest
{
protected:
    void SetUp() override
    {
        window = documents.openDocumentWithContentsOfPath(savedPage(QStringLiteral("page")));
        ASSERT_TRUE(window);
    }

    // A PDF of pages 200 by 300 points (or size), each filled with its own colour.
    QString pdf(const QString& fileName, int pages, QSize size = QSize(200, 300))
    {
        const QString path = m_root.filePath(fileName);
        QPdfWriter writer(path);
        writer.setResolution(72);
        writer.setPageSize(QPageSize(QSizeF(size), QPageSize::Point));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&writer);
        for (int page = 0; page < pages; ++page) {
            if (page > 0)
                writer.newPage();
            painter.fillRect(QRect(QPoint(0, 0), size), kPageColours[page % std::size(kPageColours)]);
        }
        return path;
    }

    QString junk(const QString& fileName) { return fileWith(fileName, "%PDF-1.4\nthis is no PDF after all"); }

    QList<DRVImage*> images() const
    {
        QList<DRVImage*> found;
        for (DRVGraphic* graphic : window->document()->graphics()) {
            if (auto* image = qobject_cast<DRVImage*>(graphic))
                found.append(image);
        }
        return found;
    }

    // The PDF palette item dragged in and dropped on the canvas, as the palette's drag does it.
    void dropPdfItem(QPoint at)
    {
        QMimeData data;
        data.setData(DRVDragTypes::libraryKeyMimeType(),
                     GraphicClipboard::encode({QStringLiteral("quib_pdf")}));
        DRVGraphicView* canvas = window->graphicView();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(canvas, &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(canvas, &drop);
        for (int wait = 0; wait < 600 && canvas->isImportingPdf(); ++wait)
            QTest::qWait(50);
        ASSERT_FALSE(canvas->isImportingPdf());
    }

    // The pages were added in front of the page's own graphic, the first page front-most, each
    // 50 to the left of the page behind it; all JPG with their originals beside the page.
    void expectPages(int count)
    {
        const QList<DRVImage*> added = images();
        ASSERT_EQ(added.size(), count);
        ASSERT_EQ(window->document()->graphics().size(), count + 1);
        const QRectF last = added.constLast()->bounds();
        const QString folder = PageImageFiles::imageFolderForPage(window->document()->pagePath());
        for (int page = 0; page < count; ++page) {
            SCOPED_TRACE(page);
            const DRVImage* image = added.at(page);
            EXPECT_EQ(image->bounds(), QRectF(last.x() + 50 * (count - 1 - page), last.y(), 200, 300));
            EXPECT_EQ(image->imageType(), QStringLiteral("JPG"));
            const QImage picture = image->contents();
            ASSERT_EQ(picture.size(), QSize(200, 300));
            const QColor middle = picture.pixelColor(100, 150);
            const QColor wanted = kPageColours[page];
            EXPECT_LT(std::abs(middle.red() - wanted.red()) + std::abs(middle.green() - wanted.green()) +
                          std::abs(middle.blue() - wanted.blue()),
                      30)
                << qPrintable(middle.name());
            // Pages are inserted last first, so the last page took the first name.
            const QString original = folder + QStringLiteral("/image%1o.JPG").arg(count - 1 - page);
            EXPECT_EQ(QImageReader(original).size(), QSize(200, 300)) << qPrintable(original);
        }
    }

    DRVWindowController* window = nullptr;
};

} // namespace

TEST_F(PdfImportTest, ThreePagesBecomeThreePicturesInOrderAsOneUndoStep)
{
    dialogs->queueOpenPanelAnswer({pdf(QStringLiteral("three.pdf"), 3)});
    dropPdfItem(QPoint(120, 140));

    ASSERT_EQ(dialogs->openRequests().size(), 1);
    const platform::FilePanelRequest request = dialogs->openRequests().constFirst();
    EXPECT_EQ(request.title, QStringLiteral("Add PDF file"));
    EXPECT_EQ(request.prompt, QStringLiteral("Select"));
    EXPECT_FALSE(request.allowMultiple);
    EXPECT_FALSE(request.chooseDirectories);
    EXPECT_EQ(request.allowedExtensions, QStringList({QStringLiteral("pdf"), QStringLiteral("PDF")}));
    EXPECT_TRUE(dialogs->alerts().isEmpty());
    expectPages(3);

    QAction* undo = validatedItem(window, QStringLiteral("undo:"));
    ASSERT_TRUE(undo && undo->isEnabled());
    undo->trigger();
    EXPECT_TRUE(images().isEmpty());
    EXPECT_EQ(window->document()->graphics().size(), 1);
    validatedItem(window, QStringLiteral("redo:"))->trigger();
    EXPECT_EQ(images().size(), 3);
}

TEST_F(PdfImportTest, ALongFileIsRenderedAwayFromTheWindowAndStillInsertedInOrder)
{
    dialogs->queueOpenPanelAnswer({pdf(QStringLiteral("six.pdf"), 6)});
    dropPdfItem(QPoint(80, 90));
    EXPECT_TRUE(dialogs->alerts().isEmpty());
    expectPages(6);
    validatedItem(window, QStringLiteral("undo:"))->trigger();
    EXPECT_TRUE(images().isEmpty());
}

TEST_F(PdfImportTest, AFileLongerThanTheLimitAddsItsFirstPagesAndSaysSo)
{
    dialogs->queueOpenPanelAnswer({pdf(QStringLiteral("long.pdf"), 203, QSize(12, 10))});
    dropPdfItem(QPoint(80, 90));
    EXPECT_EQ(images().size(), 200);
    ASSERT_EQ(dialogs->alerts().size(), 1);
    EXPECT_EQ(dialogs->alerts().constFirst().title, QStringLiteral("Only the first 200 pages are added."));
    EXPECT_TRUE(dialogs->alerts().constFirst().informativeText.contains(QStringLiteral("203 pages")));
}

TEST_F(PdfImportTest, AHugePageIsRenderedNoLargerThanTheLimitAndShownNarrowed)
{
    dialogs->queueOpenPanelAnswer({pdf(QStringLiteral("poster.pdf"), 1, QSize(10000, 5000))});
    dropPdfItem(QPoint(80, 90));
    ASSERT_EQ(images().size(), 1);
    EXPECT_EQ(images().constFirst()->contents().size(), QSize(4000, 2000));
    EXPECT_EQ(images().constFirst()->bounds().size(), QSizeF(600, 300));
}

TEST_F(PdfImportTest, AFileThatIsNoPdfAlertsOnceAndChangesNothing)
{
    const struct
    {
        const char* file;
        bool written;
    } cases[] = {{"broken.pdf", true}, {"missing.pdf", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const QString path = c.written ? junk(QLatin1String(c.file)) : m_root.filePath(QLatin1String(c.file));
        const qsizetype alertsBefore = dialogs->alerts().size();
        dialogs->queueOpenPanelAnswer({path});
        dropPdfItem(QPoint(120, 140));
        ASSERT_EQ(dialogs->alerts().size(), alertsBefore + 1);
        EXPECT_TRUE(dialogs->alerts().constLast().informativeText.contains(QLatin1String(c.file)));
        EXPECT_EQ(window->document()->graphics().size(), 1);
    }
    EXPECT_FALSE(validatedItem(window, QStringLiteral("undo:"))->isEnabled());
    EXPECT_FALSE(QFileInfo::exists(PageImageFiles::imageFolderForPage(window->document()->pagePath()) +
                                   QStringLiteral("/image0o.JPG")));

    // A cancelled panel neither alerts nor adds.
    const qsizetype alerts = dialogs->alerts().size();
    dropPdfItem(QPoint(120, 140));
    EXPECT_EQ(dialogs->alerts().size(), alerts);
    EXPECT_EQ(window->document()->graphics().size(), 1);
}

TEST_F(PdfImportTest, WithoutThePdfModuleTheAlertSaysWhyAndNothingIsAdded)
{
    const QString missing = m_root.filePath(QStringLiteral("missing/libquib_pdf.so"));
    setPdfPagesModulePath(missing);
    dialogs->queueOpenPanelAnswer({pdf(QStringLiteral("three.pdf"), 3)});
    dropPdfItem(QPoint(120, 140));
    setPdfPagesModulePath(QString());
    ASSERT_EQ(dialogs->alerts().size(), 1);
    EXPECT_EQ(dialogs->alerts().constFirst().title, QStringLiteral("The PDF file could not be added."));
    EXPECT_EQ(dialogs->alerts().constFirst().informativeText,
              QStringLiteral("PDF files cannot be read: ") + missing + QStringLiteral(" is missing"));
    EXPECT_EQ(window->document()->graphics().size(), 1);

    // With the module back, the same file is added.
    dialogs->queueOpenPanelAnswer({pdf(QStringLiteral("three.pdf"), 3)});
    dropPdfItem(QPoint(120, 140));
    EXPECT_EQ(dialogs->alerts().size(), 1);
    expectPages(3);
}

namespace {

class ClickToEnlargeTest : public WindowedAppTest
{
protected:
    void SetUp() override
    {
        text = new DRVText;
        text->setBounds({10, 10, 100, 40});
        for (int i = 0; i < 2; ++i) {
            pictures[i] = new DRVImage;
            pictures[i]->setBounds({150.0 + 120 * i, 20, 100, 80});
        }
        pictures[0]->setBackdropLightingFlag(2);
        pictures[1]->setBackdropLightingFlag(0);
        window = windowOnPage({text, pictures[0], pictures[1]});
        ASSERT_TRUE(window);
    }

    bool chooseFromContextMenu(const QString& submenu, const QString& title)
    {
        return chooseFromCanvasMenu(window, title, QPoint(5, 5), submenu);
    }

    QString flags() const
    {
        QStringList out;
        for (const DRVImage* picture : pictures)
            out.append(QStringLiteral("%1/%2")
                           .arg(picture->imageEnlargeFlag())
                           .arg(picture->backdropLightingFlag()));
        return out.join(u' ');
    }

    DRVText* text = nullptr;
    DRVImage* pictures[2] = {};
    DRVWindowController* window = nullptr;
};

} // namespace

TEST_F(ClickToEnlargeTest, EachBackdropEnlargesTheSelectedImagesOnlyAndUndoesInOneStep)
{
    DRVGraphicView* canvas = window->graphicView();
    // With a text box among the selection the commands are not offered.
    canvas->changeSelectionIndexes({0, 1, 2});
    EXPECT_FALSE(chooseFromContextMenu(QStringLiteral("Click to Enlarge"), QStringLiteral("Dark Backdrop")));

    const struct
    {
        const char* command;
        const char* after;
    } steps[] = {
        {"Dark Backdrop", "1/1 1/1"},
        {"Light Backdrop", "1/0 1/0"},
        {"Clear Backdrop", "1/2 1/2"},
    };
    canvas->changeSelectionIndexes({1, 2});
    EXPECT_FALSE(chooseFromContextMenu(QString(), QStringLiteral("Remove Click to Enlarge")));
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), canvas->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(canvas, &click);
    ASSERT_TRUE(canvas->contextMenu());
    keepScreenshot(canvas->contextMenu(), QStringLiteral("click-to-enlarge-menu.png"));
    canvas->contextMenu()->close();
    for (const auto& step : steps) {
        SCOPED_TRACE(step.command);
        ASSERT_TRUE(chooseFromContextMenu(QStringLiteral("Click to Enlarge"), QLatin1String(step.command)));
        EXPECT_EQ(flags(), QLatin1String(step.after));
    }
    validatedItem(window, QStringLiteral("undo:"))->trigger();
    EXPECT_EQ(flags(), QStringLiteral("1/0 1/0"));

    // Removing keeps the backdrop; the text box never took a flag.
    ASSERT_TRUE(chooseFromContextMenu(QString(), QStringLiteral("Remove Click to Enlarge")));
    EXPECT_EQ(flags(), QStringLiteral("0/0 0/0"));
    EXPECT_EQ(text->imageEnlargeFlag(), 0);
    EXPECT_FALSE(chooseFromContextMenu(QString(), QStringLiteral("Remove Click to Enlarge")));
    validatedItem(window, QStringLiteral("undo:"))->trigger();
    EXPECT_EQ(flags(), QStringLiteral("1/0 1/0"));
}

TEST_F(ClickToEnlargeTest, TheMenuRowTogglesTheOneSelectedImage)
{
    DRVGraphicView* canvas = window->graphicView();
    canvas->changeSelectionIndexes({2});
    EXPECT_FALSE(canvas->isItAlreadyEnlarged());
    const DRVGraphicView::Command toggle =
        DRVGraphicView::menuCommands().value(QStringLiteral("setClickToEnlarge:"));
    ASSERT_TRUE(toggle);
    toggle(*canvas);
    EXPECT_EQ(flags(), QStringLiteral("0/2 1/2"));
    EXPECT_TRUE(canvas->isItAlreadyEnlarged());
    toggle(*canvas);
    EXPECT_EQ(flags(), QStringLiteral("0/2 0/2"));
}
