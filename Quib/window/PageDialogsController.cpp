#include "window/PageDialogsController.h"

#include "canvas/DRVGraphicView.h"
#include "editions/EditionSettings.h"
#include "model/DRVText.h"
#include "platform/SafePath.h"
#include "platform/StringRules.h"
#include "window/AdjustCanvasSizeWindowController.h"
#include "window/DRVWindowController.h"
#include "window/PageNumberWindowController.h"
#include "window/QuibWebPreviewWindowController.h"
#include "window/SavedTextWindowController.h"

#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>

namespace {

// Hides a sheet and lets it go once the click that closed it has been handled.
template <class Sheet> void closeSheet(std::unique_ptr<Sheet>& sheet)
{
    if (!sheet)
        return;
    sheet->window()->hide();
    sheet.release()->deleteLater();
}

} // namespace

PageDialogsController::PageDialogsController(DRVWindowController* owner) : QObject(owner), m_owner(owner) {}

PageDialogsController::~PageDialogsController()
{
    delete m_webPreview;
}

const QStringList& PageDialogsController::actions()
{
    static const QStringList names{
        QStringLiteral("launchSavedTextWindow:"), QStringLiteral("addToSavedTextWindow:"),
        QStringLiteral("showAdjustCanvasSheet:"),
        QStringLiteral("showAdjustPageNumberSheet:"), QStringLiteral("showWebPreview:"),
        QStringLiteral("showMobileWebPreview:")};
    return names;
}

bool PageDialogsController::perform(const QString& action)
{
    if (action == QLatin1String("launchSavedTextWindow:"))
        launchSavedTextWindow();
    else if (action == QLatin1String("addToSavedTextWindow:"))
        addToSavedTextWindow();
    else if (action == QLatin1String("showAdjustCanvasSheet:"))
        showAdjustCanvasSheet();
    else if (action == QLatin1String("showAdjustPageNumberSheet:"))
        showAdjustPageNumberSheet();
    else if (action == QLatin1String("showWebPreview:"))
        showWebPreview();
    else if (action == QLatin1String("showMobileWebPreview:"))
        showMobileWebPreview();
    else
        return false;
    return true;
}

SavedTextWindowController* PageDialogsController::savedTextWindowController()
{
    if (!m_savedText) {
        m_savedText = std::make_unique<SavedTextWindowController>(m_owner->window());
        // Choose appends the shown snippet to the selected text box.
        m_savedText->setChooseHandler([this] {
            if (DRVGraphicView* canvas = m_owner->graphicView())
                canvas->pullFromSavedText(m_savedText->shownText());
        });
    }
    return m_savedText.get();
}

void PageDialogsController::addToSavedTextWindow()
{
    DRVGraphicView* canvas = m_owner->graphicView();
    if (!canvas || !canvas->savedTextShown())
        return;
    auto* box = qobject_cast<DRVText*>(canvas->selectedGraphics().constFirst());
    savedTextWindowController()->addToSavedTextWindow(box->textString());
}

void PageDialogsController::launchSavedTextWindow()
{
    savedTextWindowController()->launchSavedTextWindow();
}

// ---- canvas size ----

void PageDialogsController::showAdjustCanvasSheet()
{
    DRVDocument* document = m_owner->document();
    if (!document)
        return;
    m_adjustCanvas = std::make_unique<AdjustCanvasSizeWindowController>(m_owner->window());
    AdjustCanvasSizeWindowController* sheet = m_adjustCanvas.get();
    const bool fixed = document->docSpecificFixedCanvasFlag() == 1;
    const int margin = edition().gNoExportMarginFlag ? 0 : 50;
    const int width = fixed ? document->docSpecificPageWidth() : document->findMaxScreenWidth() + margin;
    const int height = fixed ? document->docSpecificPageHeight() : document->findMaxScreenHeight() + margin;
    sheet->widthTextField()->setText(QString::number(width));
    sheet->heightTextField()->setText(QString::number(height));
    sheet->adjustmentSegmentedControl()->setCurrentIndex(fixed ? 1 : 0);
    sheet->updateTypeOfCanvasSize();
    connect(sheet->saveButton(), &QPushButton::clicked, this,
            &PageDialogsController::saveAdjustCanvasWindowControllerSheet);
    connect(sheet->cancelButton(), &QPushButton::clicked, this,
            &PageDialogsController::cancelAdjustCanvasWindowControllerSheet);
    sheet->window()->open();
}

void PageDialogsController::saveAdjustCanvasWindowControllerSheet()
{
    AdjustCanvasSizeWindowController* sheet = m_adjustCanvas.get();
    DRVDocument* document = m_owner->document();
    if (sheet && document) {
        const int segment = sheet->adjustmentSegmentedControl()->currentIndex();
        document->setDocSpecificFixedCanvasFlag(segment);
        const bool fixed = segment == 1;
        document->setDocSpecificPageHeight(fixed ? platform::intValue(sheet->heightTextField()->text()) : 0);
        document->setDocSpecificPageWidth(fixed ? platform::intValue(sheet->widthTextField()->text()) : 0);
        resetCanvasSize();
    }
    closeSheet(m_adjustCanvas);
}

void PageDialogsController::cancelAdjustCanvasWindowControllerSheet()
{
    closeSheet(m_adjustCanvas);
}

void PageDialogsController::resetCanvasSize()
{
    m_owner->resetCanvasSize();
}

// ---- page title ----

void PageDialogsController::showAdjustPageNumberSheet()
{
    DRVDocument* document = m_owner->document();
    if (!document)
        return;
    m_pageNumber = std::make_unique<PageNumberWindowController>(m_owner->window());
    PageNumberWindowController* sheet = m_pageNumber.get();
    sheet->pageTitleTextField()->setText(document->pageOfficialName());
    sheet->pageFileNameTextField()->setText(document->pageName());
    connect(sheet->saveButton(), &QPushButton::clicked, this,
            &PageDialogsController::saveAdjustPageNumberWindowControllerSheet);
    connect(sheet->cancelButton(), &QPushButton::clicked, this,
            &PageDialogsController::cancelAdjustPageNumberWindowControllerSheet);
    sheet->window()->open();
}

void PageDialogsController::saveAdjustPageNumberWindowControllerSheet()
{
    PageNumberWindowController* sheet = m_pageNumber.get();
    DRVDocument* document = m_owner->document();
    if (sheet && document && sheet->pageTitleTextField()->text() != document->pageOfficialName()) {
        document->setPageOfficialName(sheet->pageTitleTextField()->text());
        document->askPageToSaveItself();
        // Whether or not the edition refreshes tiles on every save, the new title shows at once.
        m_owner->updateCurrentlySelectedQuibButton();
    }
    closeSheet(m_pageNumber);
}

void PageDialogsController::cancelAdjustPageNumberWindowControllerSheet()
{
    closeSheet(m_pageNumber);
}

// ---- previews ----

bool PageDialogsController::prepForPresentation()
{
    DRVDocument* document = m_owner->document();
    if (!document || document->tempSavePathLocal().isEmpty())
        return false;
    if (document->pageName().isEmpty())
        document->setPageName(document->createFileName());
    QDir().mkpath(QDir(document->tempSavePathLocal()).filePath(document->pageName()));
    document->setStoreImageNowFlag(true);
    document->setFTPUploadFlag(999);
    return document->savePageFile(true);
}

void PageDialogsController::showWebPreview()
{
    DRVDocument* document = m_owner->document();
    if (!document)
        return;
    // Local copies of the page's scripts: a preview must work without the network.
    document->setPreviewGenerationFlag(true);
    const bool prepared = prepForPresentation();
    document->setPreviewGenerationFlag(false);
    if (!prepared)
        return;
    delete m_webPreview;
    m_webPreview = new QuibWebPreviewWindowController;
    const QString pageFile = document->pageName() + QLatin1Char('.') + document->pageFileExtension();
    if (!m_webPreview->takeCopyOf(document->tempSavePathLocal(), pageFile)) {
        delete m_webPreview;
        return;
    }
    m_webPreview->loadPage();
    m_webPreview->window()->show();
}

void PageDialogsController::showMobileWebPreview()
{
    DRVDocument* document = m_owner->document();
    if (!prepForPresentation())
        return;
    if (!m_mobilePreview)
        m_mobilePreview = std::make_unique<WebPreviewWindowController>(QStringLiteral("Mobile Preview"));
    const std::optional<QString> page =
        platform::SafePath::filePath(document->tempSavePathLocal(),
                                     document->pageName() + QLatin1Char('.') + document->pageFileExtension());
    if (!page)
        return;
    m_mobilePreview->setWebURLString(*page);
    m_mobilePreview->loadPage();
    m_mobilePreview->window()->show();
}
