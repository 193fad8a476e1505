// The page exported through the File > Export items of a real window with scripted panels: the
// pictures against the canvas's own drawing, the PDF read back with poppler, the folder export's
// conflict and Replace, the zip's members, and the alert when a file cannot be written.
#include "AppTestSupport.h"

#include "generation/BrowserTestSupport.h"
#include "model/DRVRectangle.h"
#include "model/DRVText.h"
#include "publishing/ArchiveTestSupport.h"

#include <QDesktopServices>
#include <QJsonArray>
#include <QPainter>
#include <QRegularExpression>
#include <QUrl>

using archivetest::runTool;

namespace {

// Receives the addresses the application asks the desktop to open.
class OpenedUrls : public QObject
{
    Q_OBJECT
public:
    OpenedUrls() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~OpenedUrls() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QList<QUrl> urls;

public slots:
    void open(const QUrl& url) { urls.append(url); }
};

class ExportMenusTest : public WindowedAppTest
{
protected:
    // A saved page of a thick line and a text box, open in its window, the line selected.
    DRVWindowController* openPage(const QString& name)
    {
        DRVDocument page;
        page.undoManager()->disableUndoRegistration();
        auto* line = new DRVLine;
        line->setBeginPoint(QPointF(40, 30));
        line->setEndPoint(QPointF(200, 120));
        line->setBorderWidth(12);
        line->setBorderStyle(QStringLiteral("solid"));
        line->setBorderHexColorString(QStringLiteral("C03030"));
        line->setOpacity(1.0);
        auto* text = new DRVText;
        text->initWithProperties(DRVGraphicView::textBoxProperties(DRVGraphicView::TextBoxArguments::with(
            QStringLiteral("Quarterly harvest report"), QRectF(30, 160, 300, 50), -99,
            QFont(QStringLiteral("Liberation Sans"), 20))));
        page.insertGraphics({line, text}, {0, 1});
        const QString path = m_root.filePath(name + QStringLiteral(".quibpage"));
        EXPECT_TRUE(page.saveDocumentTo(path)) << qPrintable(page.lastFileErrorText());
        DRVWindowController* window = documents.openDocumentWithContentsOfPath(path);
        if (window) {
            for (DRVGraphic* graphic : window->document()->graphics())
                graphic->setSelectable(true);
            window->graphicView()->changeSelectionIndexes({0});
        }
        return window;
    }

    // What the canvas itself draws of the page, without selection, at the picture's size.
    static QImage canvasDrawing(DRVWindowController* window, QSize size, bool keepSelection = false)
    {
        if (!keepSelection)
            window->graphicView()->changeSelectionIndexes({});
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        window->graphicView()->drawRect(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
        return image;
    }

    // The mean difference per channel, 0-255.
    static double meanDifference(const QImage& a, const QImage& b)
    {
        const QImage x = a.convertToFormat(QImage::Format_RGB32);
        const QImage y = b.convertToFormat(QImage::Format_RGB32);
        if (x.size() != y.size())
            return 255;
        double sum = 0;
        for (int row = 0; row < x.height(); ++row) {
            for (int column = 0; column < x.width(); ++column) {
                const QRgb p = x.pixel(column, row);
                const QRgb q = y.pixel(column, row);
                sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                       std::abs(qBlue(p) - qBlue(q));
            }
        }
        return sum / (3.0 * x.width() * x.height());
    }

    QString exportFolder(const QString& name)
    {
        const QString folder = m_root.filePath(name);
        QDir().mkpath(folder);
        return folder;
    }

    static QStringList entries(const QString& folder)
    {
        return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
    }

    QStringList alertTitles()
    {
        QStringList titles;
        for (const platform::Alert& alert : dialogs.dialogs().alerts())
            titles.append(alert.title);
        return titles;
    }

    OpenedUrls opened;
};

} // namespace

TEST_F(ExportMenusTest, PicturesMatchTheCanvasAndGainTheirExtension)
{
    DRVWindowController* window = openPage(QStringLiteral("harvest"));
    ASSERT_TRUE(window);
    const QString folder = exportFolder(QStringLiteral("pictures"));
    struct Case
    {
        const char* action;
        QString answer;
        QString written;
        QStringList allowed;
        double tolerance;
    };
    const QList<Case> cases{
        {"exportToPNG:", QStringLiteral("plain"), QStringLiteral("plain.PNG"), {"PNG", "png"}, 0.5},
        {"exportToPNG:", QStringLiteral("named.png"), QStringLiteral("named.png"), {"PNG", "png"}, 0.5},
        {"exportToJPG:",
         QStringLiteral("photo"),
         QStringLiteral("photo.JPG"),
         {"JPG", "JPEG", "jpg", "jpeg"},
         1.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.action);
        window->graphicView()->changeSelectionIndexes({0});
        const qsizetype panels = dialogs->saveRequests().size();
        dialogs->queueSavePanelAnswer(QDir(folder).filePath(c.answer));
        choose(window, QString::fromLatin1(c.action));
        ASSERT_EQ(dialogs->saveRequests().size(), panels + 1);
        const platform::FilePanelRequest request = dialogs->saveRequests().last();
        EXPECT_EQ(request.fileName, QStringLiteral("harvest"));
        EXPECT_EQ(request.allowedExtensions, c.allowed);

        const QImage picture(QDir(folder).filePath(c.written));
        ASSERT_FALSE(picture.isNull()) << qPrintable(c.written);
        // Content to 330 by 210, plus the margin.
        EXPECT_EQ(picture.size(), QSize(380, 260));
        // The selection is dropped and no handle reaches the picture.
        EXPECT_TRUE(window->graphicView()->selectionIndexes().isEmpty());
        EXPECT_LT(meanDifference(picture, canvasDrawing(window, picture.size())), c.tolerance);
        EXPECT_EQ(window->document()->mailImage().size(), picture.size());
        const QColor middle = picture.pixelColor(120, 75); // the line's
        EXPECT_LE(std::abs(middle.red() - 0xC0) + std::abs(middle.green() - 0x30) +
                      std::abs(middle.blue() - 0x30),
                  12);
    }
    EXPECT_TRUE(alertTitles().isEmpty())
        << qPrintable(alertTitles().join(u',')) << qPrintable(dialogs->alerts().value(0).informativeText);
}

TEST_F(ExportMenusTest, NoSelectionHandleReachesThePictureEvenWhenTheSelectionStays)
{
    DRVWindowController* window = openPage(QStringLiteral("handles"));
    ASSERT_TRUE(window);
    // A window that kept its selection through the rendering.
    QObject::disconnect(window->document(), &DRVDocument::deselectAllRequested, nullptr, nullptr);
    window->graphicView()->changeSelectionIndexes({0, 1});
    const QImage picture = window->document()->generatePNG(false);
    ASSERT_EQ(window->graphicView()->selectionIndexes().size(), 2);
    const QImage withHandles = canvasDrawing(window, picture.size(), true);
    EXPECT_GT(meanDifference(picture, withHandles), 1.0);
    EXPECT_LT(meanDifference(picture, canvasDrawing(window, picture.size())), 0.5);
}

TEST_F(ExportMenusTest, ThePdfIsOnePageOfThePicturesSizeWithItsTextAsText)
{
    if (!haveProgramOrFail(QStringLiteral("pdfinfo"), QStringLiteral("poppler-utils")))
        return;
    DRVWindowController* window = openPage(QStringLiteral("harvest"));
    ASSERT_TRUE(window);
    const QString folder = exportFolder(QStringLiteral("pdf"));
    dialogs->queueSavePanelAnswer(QDir(folder).filePath(QStringLiteral("report")));
    choose(window, QStringLiteral("exportToPDF:"));
    ASSERT_EQ(dialogs->saveRequests().size(), 1);
    EXPECT_EQ(dialogs->saveRequests().first().allowedExtensions, QStringList{QStringLiteral("PDF")});
    const QString pdf = QDir(folder).filePath(QStringLiteral("report.PDF"));
    ASSERT_TRUE(QFileInfo::exists(pdf));

    const QString info = runTool(QStringLiteral("pdfinfo"), {pdf}).output;
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages: +1\n")))) << qPrintable(info);
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Page size: +380 x 260 pts"))))
        << qPrintable(info);

    const QString words = runTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).output;
    EXPECT_TRUE(words.contains(QStringLiteral("Quarterly harvest report"))) << qPrintable(words);

    const QString prefix = QDir(folder).filePath(QStringLiteral("page"));
    ASSERT_EQ(runTool(QStringLiteral("pdftoppm"),
                      {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-png"),
                       QStringLiteral("-singlefile"), pdf, prefix})
                  .exitCode,
              0);
    const QImage pixels(prefix + QStringLiteral(".png"));
    ASSERT_EQ(pixels.size(), QSize(380, 260));
    // Text is rasterised by another engine, so the tolerance is wider than for the pictures.
    EXPECT_LT(meanDifference(pixels, canvasDrawing(window, pixels.size())), 3.0);
    EXPECT_EQ(QColor(pixels.pixel(120, 75)), QColor(0xC0, 0x30, 0x30)); // the line's middle
    EXPECT_EQ(QColor(pixels.pixel(360, 5)), QColor(Qt::white));
}

TEST_F(ExportMenusTest, ASecondFolderExportAsksAndReplaceLeavesOnePageAndOneFolder)
{
    // Without a publishing extension the page file still differs from its folder's name.
    for (const QString& publishExt : {QStringLiteral("html"), QString()}) {
        SCOPED_TRACE(publishExt.toStdString());
        DRVWindowController* window = openPage(QStringLiteral("harvest") + publishExt);
        ASSERT_TRUE(window);
        window->document()->setPublishExt(publishExt);
        const QString name = window->document()->createFileName();
        const QString page = name + u'.' + window->document()->exportPageExtension();
        const QString folder = exportFolder(QStringLiteral("site") + publishExt);
        const qsizetype alertsBefore = dialogs->alerts().size();

        dialogs->queueOpenPanelAnswer({folder});
        dialogs->queueAlertAnswer(1); // "OK" to "Export Complete"
        choose(window, QStringLiteral("exportToRawFiles:"));
        EXPECT_EQ(entries(folder), QStringList({name, page, QStringLiteral("jquery-1.7.2.min.js"),
                                                QStringLiteral("popup-image-scaling.js")}));
        EXPECT_TRUE(QFileInfo(QDir(folder).filePath(name)).isDir());
        EXPECT_TRUE(QFileInfo(QDir(folder).filePath(page)).isFile());
        const platform::FilePanelRequest request = dialogs->openRequests().last();
        EXPECT_TRUE(request.chooseDirectories);
        EXPECT_EQ(request.prompt, QStringLiteral("Export"));
        EXPECT_EQ(request.title, QStringLiteral("Select location for export"));

        // The user's own copy of a script is not overwritten; a Cancel changes nothing.
        archivetest::writeBytes(QDir(folder).filePath(QStringLiteral("popup-image-scaling.js")), "mine");
        archivetest::writeBytes(QDir(folder).filePath(name + QStringLiteral("/marker.txt")), "kept");
        dialogs->queueOpenPanelAnswer({folder});
        dialogs->queueAlertAnswer(1); // "Cancel" to the conflict
        choose(window, QStringLiteral("exportToRawFiles:"));
        EXPECT_TRUE(QFileInfo::exists(QDir(folder).filePath(name + QStringLiteral("/marker.txt"))));

        dialogs->queueOpenPanelAnswer({folder});
        dialogs->queueAlertAnswer(0); // "Replace"
        dialogs->queueAlertAnswer(0); // "Show Folder With Export Files"
        choose(window, QStringLiteral("exportToRawFiles:"));
        EXPECT_EQ(entries(folder), QStringList({name, page, QStringLiteral("jquery-1.7.2.min.js"),
                                                QStringLiteral("popup-image-scaling.js")}));
        EXPECT_FALSE(QFileInfo::exists(QDir(folder).filePath(name + QStringLiteral("/marker.txt"))));
        EXPECT_TRUE(QFileInfo(QDir(folder).filePath(name)).isDir());
        EXPECT_EQ(archivetest::readBytes(QDir(folder).filePath(QStringLiteral("popup-image-scaling.js"))),
                  "mine");
        EXPECT_TRUE(archivetest::readBytes(QDir(folder).filePath(page)).contains("Quarterly harvest report"));

        const QList<platform::Alert> alerts = dialogs->alerts().mid(alertsBefore);
        ASSERT_EQ(alerts.size(), 4);
        EXPECT_EQ(alerts.at(0).title, QStringLiteral("Export Complete"));
        EXPECT_EQ(alerts.at(0).buttons,
                  QStringList({QStringLiteral("Show Folder With Export Files"), QStringLiteral("OK")}));
        EXPECT_EQ(alerts.at(1).title, QStringLiteral("File Name Conflict"));
        EXPECT_EQ(alerts.at(1).buttons, QStringList({QStringLiteral("Replace"), QStringLiteral("Cancel")}));
        EXPECT_EQ(alerts.at(2).title, QStringLiteral("File Name Conflict"));
        EXPECT_EQ(alerts.at(3).title, QStringLiteral("Export Complete"));
        ASSERT_FALSE(opened.urls.isEmpty());
        EXPECT_EQ(opened.urls.last(), QUrl::fromLocalFile(folder));
        window->performClose();
    }
}

TEST_F(ExportMenusTest, TheExportedPageShowsItsPicturesFromItsNewFolder)
{
    QUIB_REQUIRE_BROWSER();
    DRVWindowController* window = openPage(QStringLiteral("album"));
    ASSERT_TRUE(window);
    dialogs->queueOpenPanelAnswer({picture(QStringLiteral("field.png"), QSize(120, 80))});
    choose(window, QStringLiteral("addNewPhoto:"));
    choose(window, QStringLiteral("saveDocument:"));
    const QString folder = exportFolder(QStringLiteral("album-site"));
    dialogs->queueOpenPanelAnswer({folder});
    dialogs->queueAlertAnswer(1);
    choose(window, QStringLiteral("exportToRawFiles:"));
    // The working copy is gone, so the page can only have found its pictures beside itself.
    window->performClose();

    const QJsonObject report = browsertest::runPage(QDir(folder).filePath(QStringLiteral("album.html")),
                                                    QStringLiteral("exported-images-check.js"), 800);
    browsertest::expectNoScriptErrors(report);
    const QJsonArray images = report.value(QStringLiteral("result")).toArray();
    ASSERT_FALSE(images.isEmpty()) << qPrintable(browsertest::compact(report));
    for (const QJsonValue& image : images)
        EXPECT_TRUE(image[QStringLiteral("loaded")].toBool()) << qPrintable(browsertest::compact(image));
}

TEST_F(ExportMenusTest, TheZipHoldsThePageFolderThenThePageAndItsThumbnails)
{
    if (!archivetest::haveUnzip())
        return;
    DRVWindowController* window = openPage(QStringLiteral("news"));
    ASSERT_TRUE(window);
    const QString folder = exportFolder(QStringLiteral("zip"));
    dialogs->queueSavePanelAnswer(QDir(folder).filePath(QStringLiteral("for-mail")));
    choose(window, QStringLiteral("exportZip:"));
    ASSERT_EQ(dialogs->saveRequests().size(), 1);
    EXPECT_EQ(dialogs->saveRequests().first().fileName, QStringLiteral("news_MailChimpExport"));
    EXPECT_EQ(dialogs->saveRequests().first().allowedExtensions,
              QStringList({QStringLiteral("zip"), QStringLiteral("ZIP")}));
    const QString archive = QDir(folder).filePath(QStringLiteral("for-mail.zip"));
    ASSERT_TRUE(QFileInfo::exists(archive));
    EXPECT_TRUE(archivetest::unzipTestPasses(archive));

    const QStringList members = archivetest::unzipList(archive);
    ASSERT_FALSE(members.isEmpty());
    EXPECT_EQ(members.first(), QStringLiteral("news/"));
    const qsizetype firstOutside =
        std::find_if(members.begin(), members.end(),
                     [](const QString& m) { return !m.startsWith(QLatin1String("news/")); }) -
        members.begin();
    EXPECT_EQ(members.mid(firstOutside), QStringList({QStringLiteral("news.html"), QStringLiteral("news.png"),
                                                      QStringLiteral("news@2x.png")}));
    EXPECT_TRUE(alertTitles().isEmpty())
        << qPrintable(alertTitles().join(u',')) << qPrintable(dialogs->alerts().value(0).informativeText);
}

TEST_F(ExportMenusTest, AFileThatCannotBeWrittenIsNamedInAnAlert)
{
    DRVWindowController* window = openPage(QStringLiteral("notes"));
    ASSERT_TRUE(window);
    const QString missing = m_root.filePath(QStringLiteral("no-such-folder"));
    const QString working = window->document()->tempSavePathLocal();
    struct Case
    {
        const char* action;
        bool folderPanel;
        QString answer;
        QString named;
    };
    const QList<Case> cases{
        {"exportToPNG:", false, missing + QStringLiteral("/shot.png"), missing + QStringLiteral("/shot.png")},
        {"exportToJPG:", false, missing + QStringLiteral("/shot"), missing + QStringLiteral("/shot.JPG")},
        {"exportToPDF:", false, missing + QStringLiteral("/shot.pdf"), missing + QStringLiteral("/shot.pdf")},
        {"exportZip:", false, missing + QStringLiteral("/mail"), missing + QStringLiteral("/mail.zip")},
        {"exportToRawFiles:", true, missing, missing + QStringLiteral("/notes.html")},
        // The page's own working folder: a Replace there would delete the page being exported.
        {"exportToRawFiles:", true, working, working + QStringLiteral("/notes.html")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.action);
        const qsizetype before = dialogs->alerts().size();
        if (c.folderPanel)
            dialogs->queueOpenPanelAnswer({c.answer});
        else
            dialogs->queueSavePanelAnswer(c.answer);
        choose(window, QString::fromLatin1(c.action));
        ASSERT_EQ(dialogs->alerts().size(), before + 1);
        const platform::Alert alert = dialogs->alerts().last();
        EXPECT_EQ(alert.title, QStringLiteral("Export Failed"));
        EXPECT_TRUE(alert.informativeText.contains(c.named)) << qPrintable(alert.informativeText);
    }
    EXPECT_FALSE(QFileInfo::exists(missing));
    EXPECT_TRUE(QFileInfo(working + QStringLiteral("/notes")).isDir());
}

TEST_F(ExportMenusTest, AnUnsavedPageIsSavedFirstForFolderAndZip)
{
    DRVWindowController* window = windowOnPage({});
    ASSERT_TRUE(window);
    for (const char* action : {"exportToRawFiles:", "exportZip:"}) {
        SCOPED_TRACE(action);
        dialogs->queueAlertAnswer(1); // "Cancel"
        choose(window, QString::fromLatin1(action));
        ASSERT_FALSE(dialogs->alerts().isEmpty());
        EXPECT_EQ(dialogs->alerts().last().title, QStringLiteral("Document Not Saved"));
        EXPECT_EQ(dialogs->alerts().last().buttons,
                  QStringList({QStringLiteral("Save"), QStringLiteral("Cancel")}));
    }
    EXPECT_TRUE(dialogs->openRequests().isEmpty());
    EXPECT_TRUE(dialogs->saveRequests().isEmpty());
}

TEST_F(ExportMenusTest, ATransparentPictureLeavesThePageColourAsItWas)
{
    ScopedEdition mail(QStringLiteral("Ulmira Pro 2"));
    useWorkingFolders();
    auto* box = new DRVRectangle;
    box->setBounds(QRectF(20, 20, 60, 40));
    box->setDrawingFill(true);
    box->setFillColor(QColor(0x10, 0x70, 0x10));
    box->setOpacity(1.0);
    DRVWindowController* window = windowOnPage({box});
    ASSERT_TRUE(window);
    window->document()->setPageColor(QColor(0xFF, 0xEE, 0xAA));
    window->document()->setPageColorHexString(QStringLiteral("FFEEAA"));
    window->refreshPageBackgroundColor();
    window->graphicView()->changeSelectionIndexes({0});

    const QImage clear = window->document()->generatePNG(true);
    ASSERT_FALSE(clear.isNull());
    const QSize size = clear.size();
    for (const QPoint corner : {QPoint(0, 0), QPoint(size.width() - 1, 0), QPoint(0, size.height() - 1),
                                QPoint(size.width() - 1, size.height() - 1)})
        EXPECT_EQ(qAlpha(clear.pixel(corner)), 0);
    EXPECT_EQ(QColor(clear.pixel(50, 40)), QColor(0x10, 0x70, 0x10));
    EXPECT_EQ(window->document()->mailImage(), clear);
    EXPECT_TRUE(window->graphicView()->selectionIndexes().isEmpty());

    EXPECT_EQ(window->getDocumentColorHexString(), QStringLiteral("FFEEAA"));
    EXPECT_EQ(window->getDocumentColor(), QColor(0xFF, 0xEE, 0xAA));
    EXPECT_EQ(window->document()->pageColorHexString(), QStringLiteral("FFEEAA"));
    // Without the transparent flag the page colour fills the picture.
    EXPECT_EQ(QColor(window->document()->generatePNG(false).pixel(0, 0)), QColor(0xFF, 0xEE, 0xAA));
}

#include "ExportMenusTest.moc"
