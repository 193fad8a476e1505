// Labels, cards, flyers and manuals on paper or in a sheet PDF. The window's state (geometry, tile
// images, the open page's picture, rotation, paper) is read on the main thread into a SheetSet; a
// worker paints it while the busy window is up and the main thread keeps running its events.
#include "document/DRVDocument.h"

#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "editions/WorkingFolders.h"
#include "platform/Dialogs.h"
#include "platform/StringRules.h"
#include "print/CardSides.h"
#include "print/PaperNames.h"
#include "print/PdfOutput.h"
#include "print/PrintPanel.h"
#include "print/PrintStart.h"
#include "print/SheetSet.h"
#include "publishing/PagePicture.h"
#include "window/DRVWindowController.h"
#include "window/QuibNSButton.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QMainWindow>
#include <QPainter>
#include <QPointer>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtConcurrent/QtConcurrentRun>

namespace {

void alertUser(const QString& title, const QString& text)
{
    platform::Alert alert;
    alert.title = title;
    alert.informativeText = text;
    platform::showAlert(alert);
}

// Runs work on a worker with the busy window up; the main thread keeps handling its events (timers,
// repaints) until the worker is done. The document window takes no input meanwhile, so the page
// cannot be closed under the job. The busy window closes however the work ends.
bool runBehindBusyWindow(QWidget* window, const std::function<bool(const SheetSet::Progress&)>& work)
{
    const QPointer<QWidget> blocked = window;
    const bool wasEnabled = blocked && blocked->isEnabled();
    if (blocked)
        blocked->setEnabled(false);
    DataCentre::showProgressIndicator();
    QFuture<bool> future = QtConcurrent::run([work] {
        return work([](int done, int total) {
            // The last report would close the window before the main thread has the result.
            if (done < total)
                DataCentre::updateProgressBar(done, total, QString());
            return true;
        });
    });
    QFutureWatcher<bool> watcher;
    QEventLoop loop;
    QObject::connect(&watcher, &QFutureWatcher<bool>::finished, &loop, &QEventLoop::quit);
    watcher.setFuture(future);
    if (!future.isFinished())
        loop.exec();
    DataCentre::dismissProgressIndicator();
    if (blocked)
        blocked->setEnabled(wasEnabled);
    return future.result();
}

QImage loadTileImage(const QString& path)
{
    return path.isEmpty() ? QImage() : QImage(path);
}

bool isGreetingCardEdition()
{
    return edition().gEditionDisplayName == QLatin1String("Kestrin Greeting Card Designer");
}

// Where the picture of a page lies on a printed page: the whole picture, at most its own size in
// points; a flyer fills its paper, centred.
QRectF pictureOnPage(QSizeF picture, QSizeF page, bool fill)
{
    if (picture.isEmpty() || page.isEmpty())
        return {};
    double scale = std::min(page.width() / picture.width(), page.height() / picture.height());
    if (!fill)
        scale = std::min(scale, 1.0);
    const QSizeF size = picture * scale;
    if (!fill)
        return {QPointF(0, 0), size};
    return {QPointF((page.width() - size.width()) / 2, (page.height() - size.height()) / 2), size};
}

// Paints one picture per page; the picture's pixels count as points.
bool paintPictures(QPrinter& printer, const QList<QImage>& pictures, bool fill)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRectF page = printer.pageLayout().fullRectPoints();
    const double toDevice = printer.logicalDpiX() / 72.0;
    for (qsizetype i = 0; i < pictures.size(); ++i) {
        if (i > 0 && !printer.newPage())
            return false;
        const QRectF target = pictureOnPage(pictures[i].size(), page.size(), fill);
        if (!target.isEmpty())
            painter.drawImage(QRectF(target.topLeft() * toDevice, target.size() * toDevice), pictures[i]);
    }
    return painter.end();
}

} // namespace

// ---- commands ----

const QStringList& DRVDocument::printingActions()
{
    static const QStringList actions{
        QStringLiteral("printLabels:"), QStringLiteral("printSheetWithSameLabels:"),
        QStringLiteral("printSheetWithDifferentLabels:"), QStringLiteral("exportSheetSameLabel:"),
        QStringLiteral("exportSheetDifferentLabels:"), QStringLiteral("printPage:"),
        QStringLiteral("printCard:"), QStringLiteral("printFrontPage:"), QStringLiteral("printInsidePage:"),
        QStringLiteral("printQuarterFoldCard:"), QStringLiteral("printBusinessCard:"),
        QStringLiteral("printManual:"),
        // the label editions' menu items: "Export Sheet To PDF", "Export Label Sheet", "Export Different
        // Labels"
        QStringLiteral("exportPDFSheetCopy:"), QStringLiteral("exportSingleLabelRepeat:"),
        QStringLiteral("exportDifferentLabel:")};
    return actions;
}

bool DRVDocument::performPrintingAction(const QString& action, DRVWindowController* window)
{
    if (!printingActions().contains(action))
        return false;
    if (action == QLatin1String("printLabels:") || action == QLatin1String("printSheetWithSameLabels:"))
        printSheetWithSameLabels(window);
    else if (action == QLatin1String("printSheetWithDifferentLabels:"))
        printSheetWithDifferentLabels(window);
    else if (action == QLatin1String("exportSheetSameLabel:") ||
             action == QLatin1String("exportPDFSheetCopy:") ||
             action == QLatin1String("exportSingleLabelRepeat:"))
        exportSheetSameLabel(window);
    else if (action == QLatin1String("exportSheetDifferentLabels:") ||
             action == QLatin1String("exportDifferentLabel:"))
        exportSheetDifferentLabels(window);
    else if (action == QLatin1String("printPage:"))
        printPage(window);
    else if (action == QLatin1String("printCard:"))
        printCard(window);
    else if (action == QLatin1String("printFrontPage:"))
        printFrontPage(window);
    else if (action == QLatin1String("printInsidePage:"))
        printInsidePage(window);
    else if (action == QLatin1String("printQuarterFoldCard:"))
        printQuarterFoldCard(window);
    else if (action == QLatin1String("printBusinessCard:"))
        printBusinessCard(window);
    else
        printManual(window);
    return true;
}

// ---- sheet composition ----

void DRVDocument::printSheetWithSameLabels(DRVWindowController* window)
{
    askPageToSaveItself();
    composeSheetsOf(window, true, true);
}

void DRVDocument::printSheetWithDifferentLabels(DRVWindowController* window)
{
    if (!window->isEditorInMultiDocMode())
        return;
    askPageToSaveItself();
    composeSheetsOf(window, false, true);
}

void DRVDocument::exportSheetSameLabel(DRVWindowController* window)
{
    composeSheetsOf(window, true, false);
}

void DRVDocument::exportSheetDifferentLabels(DRVWindowController* window)
{
    composeSheetsOf(window, false, false);
}

QList<QImage> DRVDocument::sameLabelSource(DRVWindowController* window)
{
    // The open page's own tile; without one, the open page itself, never another page's picture.
    if (const QuibNSButton* tile =
            window->findCurrentlySelectedQuibButton(platform::lastPathComponent(m_filePath))) {
        const QImage image = loadTileImage(tile->record().imagePath);
        if (!image.isNull())
            return {image};
    }
    return {generatePNG(false)};
}

bool DRVDocument::composeSheetsOf(DRVWindowController* window, bool sameLabel, bool print)
{
    QList<QImage> images;
    SheetRequest request;
    request.startRow = gPrintStartRow;
    request.startColumn = gPrintStartColumn;
    if (sameLabel) {
        images = sameLabelSource(window);
        request.fill = SheetFill::SameLabel;
    } else {
        for (const PageRecord& page : window->siteIconArray())
            images.append(loadTileImage(page.imagePath));
        request.fill = SheetFill::DifferentLabels;
        request.imageCount = int(images.size());
        if (images.isEmpty()) {
            alertUser(QStringLiteral("Nothing to Print"),
                      QStringLiteral("This project has no pages to put on a sheet."));
            return false;
        }
    }
    return blendPrintView(window, images, request, print);
}

bool DRVDocument::blendPrintView(DRVWindowController* window, const QList<QImage>& images,
                                 const SheetRequest& request, bool print)
{
    if (m_sheetJobRunning)
        return false;
    // The snapshot: everything the worker reads, taken here on the main thread.
    window->adjustPageSize();
    auto set = std::make_shared<SheetSet>();
    set->geometry = printSheetGeometry();
    set->plan = planSheets(set->geometry, request);
    if (set->plan.refused) {
        alertUser(QStringLiteral("No Label Sheet"),
                  QStringLiteral("The page has no sheet layout with labels. Choose a label template first."));
        return false;
    }
    const int rotation = edition().gCanvasRotation;
    for (const QImage& image : images)
        set->images.append(SheetSet::turnedForSheet(image, rotation));
    set->paper = printPaper(m_labelTemplateHelper.paperSize, window->paperSizeSegment() == 1);
    if (isGreetingCardEdition())
        set->orientation = cardPrintsLandscape(m_labelTemplateHelper.templateDescription)
                               ? QPageLayout::Landscape
                               : QPageLayout::Portrait;
    m_printPDFView = set;
    return print ? printLabelPage(window) : exportPDF(window);
}

// ---- printing and saving the composed sheets ----

bool DRVDocument::printLabelPage(DRVWindowController* window)
{
    const std::shared_ptr<const SheetSet> set = m_printPDFView;
    if (!set || m_sheetJobRunning)
        return false;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(set->pageLayout());
    if (!PrintPanel::current().run(printer, window->window()))
        return false;
    m_sheetJobRunning = true;
    const bool painted =
        runBehindBusyWindow(window->window(), [set, &printer](const SheetSet::Progress& progress) {
            return set->paint(printer, progress);
        });
    m_sheetJobRunning = false;
    if (!painted)
        alertUser(QStringLiteral("Printing Failed"), QStringLiteral("The sheets could not be printed."));
    return painted;
}

bool DRVDocument::startPrinting(DRVWindowController* window)
{
    // Every sheet of the last job, not only the one composed last.
    return printLabelPage(window);
}

bool DRVDocument::exportPDF(DRVWindowController* window)
{
    const std::shared_ptr<const SheetSet> set = m_printPDFView;
    if (!set || m_sheetJobRunning)
        return false;
    // The job's own file, so two windows' jobs never write the same one.
    QTemporaryDir jobFolder(QDir(WorkingFolders::currentRoot()).filePath(QStringLiteral("sheet-XXXXXX")));
    if (!jobFolder.isValid()) {
        alertUser(QStringLiteral("Export Failed"),
                  QStringLiteral("No working folder could be made for the sheets."));
        return false;
    }
    const QString jobFile = jobFolder.filePath(QStringLiteral("card.pdf"));
    QString error;
    m_sheetJobRunning = true;
    const bool written =
        runBehindBusyWindow(window->window(), [set, jobFile, &error](const SheetSet::Progress& progress) {
            return set->writePdf(jobFile, &error, progress);
        });
    m_sheetJobRunning = false;
    if (!written) {
        alertUser(QStringLiteral("Export Failed"),
                  QStringLiteral("The sheets could not be written: %1").arg(error));
        return false;
    }

    platform::FilePanelRequest panel;
    panel.fileName = QStringLiteral("LabelSheet");
    panel.allowedExtensions = {QStringLiteral("PDF")};
    QString target = platform::DialogService::current().runSavePanel(panel);
    if (target.isEmpty())
        return false;
    if (QFileInfo(target).suffix().isEmpty())
        target += QStringLiteral(".PDF");
    // The panel asked before replacing; a copy never overwrites.
    if (QFileInfo::exists(target) && !QFile::remove(target)) {
        alertUser(QStringLiteral("Export Failed"),
                  QStringLiteral("\"%1\" could not be replaced.").arg(QDir::toNativeSeparators(target)));
        return false;
    }
    if (!QFile::copy(jobFile, target)) {
        alertUser(QStringLiteral("Export Failed"),
                  QStringLiteral("\"%1\" could not be written.").arg(QDir::toNativeSeparators(target)));
        return false;
    }
    return true;
}

// ---- single pages, cards and manuals ----

bool DRVDocument::printPage(DRVWindowController* window)
{
    const QImage picture = generatePNG(false);
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    const bool flyer = edition().gPageBaseName == QLatin1String("flyer");
    const bool templatePaper = pageSizeForPaperName(m_labelTemplateHelper.paperSize).isValid();
    QPageLayout layout = printer.pageLayout();
    layout.setMargins(QMarginsF(0, 0, 0, 0));
    if (templatePaper) {
        layout.setPageSize(pageSizeForPaperName(m_labelTemplateHelper.paperSize));
        layout.setOrientation(edition().gCanvasWidth > edition().gCanvasHeight ? QPageLayout::Landscape
                                                                               : QPageLayout::Portrait);
    }
    printer.setPageLayout(layout);
    if (!PrintPanel::current().run(printer, window->window()))
        return false;
    if (!paintPictures(printer, {picture}, flyer && templatePaper)) {
        alertUser(QStringLiteral("Printing Failed"), QStringLiteral("The page could not be printed."));
        return false;
    }
    return true;
}

void DRVDocument::printCard(DRVWindowController* window)
{
    askPageToSaveItself();
    if (cardIsQuarterFold(m_labelTemplateHelper.templateDescription)) {
        printQuarterFoldCard(window);
        return;
    }
    platform::Alert alert;
    alert.title = QStringLiteral("Preview and print Card");
    alert.informativeText = QStringLiteral("Please select card tab");
    alert.buttons = {QStringLiteral("Front and Back"), QStringLiteral("Inside"), QStringLiteral("Cancel")};
    const int answer = platform::showAlert(alert);
    if (answer == 0)
        printFrontPage(window);
    else if (answer == 1)
        printInsidePage(window);
}

bool DRVDocument::printFrontPage(DRVWindowController* window)
{
    return printCardPicks(window, int(CardSide::FrontAndBack));
}

bool DRVDocument::printInsidePage(DRVWindowController* window)
{
    return printCardPicks(window, int(CardSide::Inside));
}

bool DRVDocument::printQuarterFoldCard(DRVWindowController* window)
{
    return printCardPicks(window, int(CardSide::QuarterFold));
}

bool DRVDocument::printCardPicks(DRVWindowController* window, int side)
{
    askPageToSaveItself();
    const QList<PageRecord>& pages = window->siteIconArray();
    QStringList names;
    for (const PageRecord& page : pages)
        names.append(page.pageName);
    QList<QImage> images;
    for (const CardPick& pick : cardPicks(names, m_labelTemplateHelper.templateDescription, CardSide(side))) {
        const QImage image = loadTileImage(pages.at(pick.page).imagePath);
        images.append(pick.turn == 0 || image.isNull() ? image
                                                       : DataCentre::rotateImage(image, float(pick.turn)));
    }
    SheetRequest request;
    request.fill = SheetFill::DifferentLabels;
    request.imageCount = int(images.size());
    if (images.isEmpty()) {
        alertUser(QStringLiteral("Nothing to Print"),
                  QStringLiteral("This card has no pages for that side."));
        return false;
    }
    return blendPrintView(window, images, request, true);
}

void DRVDocument::printBusinessCard(DRVWindowController* window)
{
    platform::Alert alert;
    alert.title = QStringLiteral("Preview and print Card");
    alert.informativeText = QStringLiteral("Please select how you would like to print");
    alert.buttons = {QStringLiteral("Print A Single Card"), QStringLiteral("Print Full Sheet"),
                     QStringLiteral("Cancel")};
    const int answer = platform::showAlert(alert);
    if (answer == 0)
        window->performAction(QStringLiteral("showPrintSinglePopOver:"));
    else if (answer == 1)
        printSheetWithSameLabels(window);
}

bool DRVDocument::printManual(DRVWindowController* window)
{
    int printable = 0;
    for (const PageRecord& page : window->siteIconArray())
        printable += !PdfOutput::isBaseTemplate(page.pagePublishFileName);
    if (printable == 0) {
        alertUser(QStringLiteral("Nothing to Print"),
                  QStringLiteral("This project has no pages to print besides its base template."));
        return false;
    }
    QPrinter printer(QPrinter::HighResolution);
    // One device unit per point, as the project PDF paints: text is laid out the same way.
    printer.setResolution(72);
    printer.setFullPage(true);
    QPageLayout layout = printer.pageLayout();
    layout.setPageSize(printPaper(m_labelTemplateHelper.paperSize, window->paperSizeSegment() == 1));
    layout.setMargins(QMarginsF(0, 0, 0, 0));
    layout.setOrientation(edition().gCanvasWidth > edition().gCanvasHeight ? QPageLayout::Landscape
                                                                           : QPageLayout::Portrait);
    printer.setPageLayout(layout);
    if (!PrintPanel::current().run(printer, window->window()))
        return false;

    // Each page is opened in turn and painted at once, as vectors, scaled to fit its paper.
    QPainter painter;
    if (!painter.begin(&printer)) {
        alertUser(QStringLiteral("Printing Failed"), QStringLiteral("The manual could not be printed."));
        return false;
    }
    const QSizeF paper = printer.pageLayout().fullRectPixels(printer.resolution()).size();
    bool first = true;
    QString failedPage;
    window->walkPagesBehindProgress([&](const PageRecord& record) {
        if (PdfOutput::isBaseTemplate(record.pagePublishFileName))
            return true;
        // Painting another page than the one asked for would print the wrong page.
        if (!window->launchSelected(record.documentName) || window->document() != this ||
            (!first && !printer.newPage())) {
            failedPage = record.pageName;
            return false;
        }
        first = false;
        const QSizeF size = PagePicture::pictureSize(*this, edition());
        const QRectF target = pictureOnPage(size, paper, true);
        if (!target.isEmpty()) {
            QTransform base = QTransform::fromTranslate(target.left(), target.top());
            base.scale(target.width() / size.width(), target.height() / size.height());
            PdfOutput::paintDocument(painter, printer, *this, edition(), base);
        }
        return true;
    });
    const bool ended = painter.end();
    if (!failedPage.isEmpty()) {
        alertUser(
            QStringLiteral("Printing Failed"),
            QStringLiteral("The manual could not be printed whole: the page \"%1\" failed.").arg(failedPage));
        return false;
    }
    if (!ended)
        alertUser(QStringLiteral("Printing Failed"), QStringLiteral("The manual could not be printed."));
    return ended;
}
