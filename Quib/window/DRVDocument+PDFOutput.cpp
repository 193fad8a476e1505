// A project as one PDF (painted page by page, or quickly from the pages' saved pictures), and the
// spot chooser of the label editions.
#include "document/DRVDocument.h"

#include "editions/EditionSettings.h"
#include "editions/PrintSheetGeometry.h"
#include "platform/Dialogs.h"
#include "platform/TextEncoding.h"
#include "print/PdfOutput.h"
#include "print/SheetPlan.h"
#include "window/DRVWindowController.h"
#include "window/FontOrnamentWindowController.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QMainWindow>
#include <algorithm>

namespace {

const QString kTrue = QStringLiteral("true");
const QString kFast = QStringLiteral("fast");
const QString kPictures = QStringLiteral("pictures");

void alertUnwritten(const QString& path)
{
    platform::Alert alert;
    alert.title = QStringLiteral("PDF Not Saved");
    alert.informativeText =
        QStringLiteral("\"%1\" could not be written.").arg(QDir::toNativeSeparators(path));
    platform::showAlert(alert);
}

QImage readPicture(const QString& path)
{
    if (path.isEmpty())
        return {};
    QImageReader reader(path);
    reader.setAutoTransform(true);
    return reader.read();
}

} // namespace

// ---- commands ----

const QStringList& DRVDocument::pdfOutputActions()
{
    static const QStringList actions{
        QStringLiteral("exportAllPDF:"),           QStringLiteral("exportAllToPDF:"),
        QStringLiteral("exportAllPDFFast:"),       QStringLiteral("selectDefaultLabelShapes:"),
        QStringLiteral("showPrintSinglePopOver:"), QStringLiteral("exportSingleLabelSheet:")};
    return actions;
}

bool DRVDocument::performPdfOutputAction(const QString& action, DRVWindowController* window)
{
    if (action == QLatin1String("exportAllPDF:") || action == QLatin1String("exportAllToPDF:"))
        exportAllPDF(window);
    else if (action == QLatin1String("exportAllPDFFast:"))
        exportAllPDFFast(window);
    else if (action == QLatin1String("selectDefaultLabelShapes:"))
        selectDefaultLabelShapes(window);
    else if (action == QLatin1String("showPrintSinglePopOver:"))
        showPrintSinglePopOver(window);
    else if (action == QLatin1String("exportSingleLabelSheet:"))
        exportSingleLabelSheet(window);
    else
        return false;
    return true;
}

void DRVDocument::exportAllPDF(DRVWindowController* window)
{
    hideShareWindowControllerPanel();
    generateTruePDFFile(window);
}

void DRVDocument::exportAllPDFFast(DRVWindowController* window)
{
    hideShareWindowControllerPanel();
    platform::Alert alert;
    alert.title = QStringLiteral("Fast Export");
    alert.informativeText = QStringLiteral(
        "The fast export option generates based on cached PDF pages.\n\nThis option works best for large "
        "books "
        "where edits are made to existing pages (without changes to the base template). \n\nIf you're making "
        "changes that involves a full book refresh, please use \"Save as PDF Book\".");
    alert.buttons = {QStringLiteral("Proceed"), QStringLiteral("Cancel")};
    alert.style = platform::AlertStyle::Informational;
    if (platform::showAlert(alert) != 0)
        return;
    // The pictures the fast export reads are the ones the last save wrote.
    askPageToSaveItself();
    generateTruePDFFileFast(window);
}

// ---- project PDFs ----

bool DRVDocument::generateTruePDFFile(DRVWindowController* window)
{
    return writeProjectPdf(window, kTrue);
}

bool DRVDocument::generateTruePDFFileFast(DRVWindowController* window)
{
    return writeProjectPdf(window, kFast);
}

bool DRVDocument::putTogetherPDFFiles(DRVWindowController* window)
{
    return writeProjectPdf(window, kPictures);
}

bool DRVDocument::writeProjectPdf(DRVWindowController* window, const QString& kind)
{
    if (!window)
        return false;
    const QList<PageRecord> pages = window->siteIconArray();
    const bool anyPage = std::any_of(pages.begin(), pages.end(), [](const PageRecord& page) {
        return !PdfOutput::isBaseTemplate(page.pagePublishFileName);
    });
    if (!anyPage) {
        // An empty file would look like a finished book; say why there is none.
        platform::Alert alert;
        alert.title = QStringLiteral("Nothing To Export");
        alert.informativeText =
            pages.isEmpty() ? QStringLiteral("Open a project with pages to make a PDF of it.")
                            : QStringLiteral("This project holds only its base template, which is never "
                                             "part of a PDF. Add a page and try again.");
        alert.style = platform::AlertStyle::Informational;
        platform::showAlert(alert);
        return false;
    }

    const QString folderName = QFileInfo(window->openWebsiteFolderPath()).fileName();
    PdfOutput output(folderName);
    QString unopened;
    const auto addPage = [&](const PageRecord& page) {
        if (PdfOutput::isBaseTemplate(page.pagePublishFileName))
            return true;
        if (kind != kTrue) {
            output.addPicturePage(readPicture(page.imagePath));
            return true;
        }
        // Painting another page than the one asked for would put the wrong page in the book.
        if (!window->launchSelected(page.documentName) || window->document() != this) {
            unopened = page.pageName;
            return false;
        }
        output.addDocumentPage(*this, edition());
        return true;
    };
    if (kind == kPictures) {
        for (const PageRecord& page : pages)
            addPage(page);
    } else {
        window->walkPagesBehindProgress(addPage);
    }
    if (!unopened.isEmpty()) {
        platform::Alert alert;
        alert.title = QStringLiteral("PDF Not Saved");
        alert.informativeText = QStringLiteral("The page \"%1\" could not be opened.").arg(unopened);
        platform::showAlert(alert);
        return false;
    }

    const QByteArray bytes = output.finish();
    platform::FilePanelRequest request;
    request.fileName = kind == kPictures ? edition().gEditionDisplayName : folderName;
    request.allowedExtensions = {QStringLiteral("PDF")};
    const QString path =
        PdfOutput::pathWithPdfExtension(platform::DialogService::current().runSavePanel(request));
    if (path.isEmpty())
        return false;
    if (bytes.isEmpty() || !platform::writeFileAtomically(path, bytes)) {
        alertUnwritten(path);
        return false;
    }
    return true;
}

// ---- the spot chooser ----

FontOrnamentWindowController* DRVDocument::fontOrnamentWindowController() const
{
    return qobject_cast<FontOrnamentWindowController*>(m_fontOrnamentWindowController.data());
}

void DRVDocument::selectDefaultLabelShapes(DRVWindowController* window)
{
    if (!window)
        return;
    window->adjustPageSize();
    const PrintSheetGeometry geometry = printSheetGeometry();
    if (geometry.gPrintNumOfRowsPerSheet <= 0 || geometry.gPrintNumOfColumnsPerSheet <= 0) {
        platform::Alert alert;
        alert.title = QStringLiteral("No Label Sheet");
        alert.informativeText =
            QStringLiteral("Choose a label sheet for this page first, then choose its spots.");
        platform::showAlert(alert);
        return;
    }
    // Each opening starts afresh; the previous chooser goes.
    if (FontOrnamentWindowController* previous = fontOrnamentWindowController()) {
        previous->endSheet();
        previous->deleteLater();
    }
    auto* chooser = new FontOrnamentWindowController(geometry, edition().gPrintScaleFactor, window->window());
    chooser->setParent(this);
    m_fontOrnamentWindowController = chooser;
    connect(chooser, &FontOrnamentWindowController::cancelRequested, this,
            &DRVDocument::cancelFontOrnamentWindowControllerSheet);
    QPointer<DRVWindowController> owner(window);
    connect(chooser, &FontOrnamentWindowController::printRequested, this, [this, owner] {
        if (owner)
            printMultipleSelectedLabels(owner);
    });
    chooser->beginSheet();
}

void DRVDocument::showPrintSinglePopOver(DRVWindowController* window)
{
    askPageToSaveItself();
    selectDefaultLabelShapes(window);
}

void DRVDocument::exportSingleLabelSheet(DRVWindowController* window)
{
    selectDefaultLabelShapes(window);
}

void DRVDocument::cancelFontOrnamentWindowControllerSheet()
{
    if (FontOrnamentWindowController* chooser = fontOrnamentWindowController())
        chooser->endSheet();
}

void DRVDocument::printMultipleSelectedLabels(DRVWindowController* window)
{
    FontOrnamentWindowController* chooser = fontOrnamentWindowController();
    if (!chooser)
        return;
    const QList<FontOrnamentWindowController::Spot> spots = chooser->selectedSpots();
    chooser->endSheet();
    if (const FontOrnamentWindowController::SpotPrinter& printer =
            FontOrnamentWindowController::spotPrinter()) {
        printer(window, spots);
        return;
    }
    // The page's picture in each chosen cell of one sheet.
    SheetRequest request;
    request.fill = SheetFill::Spots;
    for (const FontOrnamentWindowController::Spot& spot : spots)
        request.spots.append(SheetCell{spot.row, spot.column});
    blendPrintView(window, {generatePNG(false)}, request, true);
}
