// The print editions' template pop-ups and the page's bond to its sheet layout: a picked template
// becomes the print geometry, the canvas size and the page's stored template in one confirmed step,
// and an opened page brings its own template back.
#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "editions/LabelHelper.h"
#include "platform/Dialogs.h"
#include "platform/Format.h"
#include "platform/SafePath.h"
#include "platform/StringRules.h"
#include "window/DRVWindowController.h"
#include "window/ListingIconView.h"
#include "window/QuibNSButton.h"

#include <QAction>
#include <QComboBox>
#include <QDateTime>
#include <QLocale>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QVariant>

namespace {

// The index the pop-up showed last for the page; Cancel goes back to it.
const char* const kShownIndex = "shownTemplateIndex";

bool catalogueHolds(const QString& description)
{
    for (const LabelHelper& row : DataCentre::printLabels()) {
        if (row.printDescription == description)
            return true;
    }
    return false;
}

void showTemplateIndex(QComboBox* popUp, int index)
{
    const QSignalBlocker blocker(popUp);
    popUp->setCurrentIndex(index);
    popUp->setProperty(kShownIndex, index);
}

// A walk over the project's pages stopped at this page.
void alertPageNotRefreshed(const QString& pageName)
{
    platform::showAlert(
        QStringLiteral("Page Not Refreshed"),
        platform::formatText(QStringLiteral("The page \"%@\" could not be opened or saved with the "
                                            "new template. The pages after it keep their own template."),
                             {pageName}),
        {QStringLiteral("OK")});
}

} // namespace

QString DRVWindowController::templateKeyForTitle(const QString& title, bool labelPopUp)
{
    const QString trimmed = title.trimmed();
    if (!labelPopUp)
        return trimmed;
    const qsizetype at = trimmed.indexOf(QLatin1String("Label"));
    return at < 0 ? trimmed : trimmed.mid(at);
}

void DRVWindowController::wireTemplatePopUps()
{
    using Action = void (DRVWindowController::*)();
    static const QList<QPair<QString, Action>> actions{
        {QStringLiteral("templateSelectionPopupButton"), &DRVWindowController::templateSelectionUpdated},
        {QStringLiteral("tuvikBusinessCardDesignerPopupButton"),
         &DRVWindowController::tuvikCardTemplateSelectionUpdated},
        {QStringLiteral("tuvikEcardDesignerPopupButton"),
         &DRVWindowController::tuvikEcardTemplateSelectionUpdated},
        {QStringLiteral("corvaneEnvelopePopupButton"),
         &DRVWindowController::corvaneEnvelopeTemplateSelectionUpdated},
        {QStringLiteral("foldingCardTemplateSelectionPopupButton"),
         &DRVWindowController::foldingCardTemplateSelectionUpdated},
        {QStringLiteral("manualTemplateSelectionPopupButton"),
         &DRVWindowController::manualTemplateSelectionUpdated},
        {QStringLiteral("flyerTemplateSelectionPopupButton"),
         &DRVWindowController::flyerTemplateSelectionUpdated}};
    for (QComboBox* popUp : std::as_const(m_templatePopUps)) {
        popUp->setProperty(kShownIndex, popUp->currentIndex());
        for (const auto& [name, action] : actions) {
            if (popUp->objectName() == name)
                connect(popUp, &QComboBox::activated, this, [this, action = action] { (this->*action)(); });
        }
    }
    selectTemplateInPopUps();
}

void DRVWindowController::templateSelectionUpdated()
{
    applyTemplateSelection(QStringLiteral("templateSelectionPopupButton"), true);
}

void DRVWindowController::tuvikCardTemplateSelectionUpdated()
{
    applyTemplateSelection(QStringLiteral("tuvikBusinessCardDesignerPopupButton"), false);
}

void DRVWindowController::tuvikEcardTemplateSelectionUpdated()
{
    applyTemplateSelection(QStringLiteral("tuvikEcardDesignerPopupButton"), false);
}

void DRVWindowController::corvaneEnvelopeTemplateSelectionUpdated()
{
    applyTemplateSelection(QStringLiteral("corvaneEnvelopePopupButton"), false);
}

void DRVWindowController::foldingCardTemplateSelectionUpdated()
{
    applyTemplateSelection(QStringLiteral("foldingCardTemplateSelectionPopupButton"), false);
}

void DRVWindowController::manualTemplateSelectionUpdated()
{
    applyTemplateSelection(QStringLiteral("manualTemplateSelectionPopupButton"), false);
}

void DRVWindowController::flyerTemplateSelectionUpdated()
{
    applyTemplateSelection(QStringLiteral("flyerTemplateSelectionPopupButton"), false);
}

void DRVWindowController::applyTemplateSelection(const QString& popUpName, bool labelPopUp)
{
    QComboBox* popUp = nullptr;
    for (QComboBox* candidate : std::as_const(m_templatePopUps)) {
        if (candidate->objectName() == popUpName)
            popUp = candidate;
    }
    if (!popUp || !m_document)
        return;
    EditionSettings& e = edition();
    const int index = popUp->currentIndex();
    const QString key = templateKeyForTitle(popUp->currentText(), labelPopUp);
    if (key == e.gSelectedLabelSheet) {
        popUp->setProperty(kShownIndex, index);
        return;
    }
    // A sheet the catalogue lacks would leave the geometry behind while the page claimed it.
    if (index < 0 || index >= e.gLabelTemplateList.size() || !catalogueHolds(key)) {
        platform::showAlert(
            QStringLiteral("Template Not Available"),
            platform::formatText(
                QStringLiteral(
                    "The sheet layout \"%@\" is not in the label catalogue. The design keeps its template."),
                {key}),
            {QStringLiteral("OK")});
        putTemplatePopUpBack(popUp);
        return;
    }
    const int answer = platform::showAlert(
        QStringLiteral("Template Selection Changed"),
        platform::formatText(
            QStringLiteral(
                "New template selected: %@\nExisting template: %@\n\nAre you sure you wish to make this "
                "change?\n\nIn order to meet size requirements for the newly selected template, your "
                "current canvas size may change."),
            {key, e.gSelectedLabelSheet}),
        {QStringLiteral("Change"), QStringLiteral("Cancel")});
    if (answer != 0) {
        putTemplatePopUpBack(popUp);
        return;
    }

    const LabelHelper* row = DataCentre::grabLabelHelper(key);
    DataCentre::resetPrintCanvas(row);
    setConfirmedCanvasSize(e.gCanvasWidth, e.gCanvasHeight);
    if (labelPopUp && m_zoomingScrollView) {
        // Single precision, as the scale is kept: 0.7 shows as 70%.
        const float scale = e.gCanvasDisplayScale;
        m_zoomingScrollView->updateScale(platform::format(QStringLiteral("%d%%"), {int(scale * 100.0f)}),
                                         scale);
    }
    LabelTemplateHelper picked = e.gLabelTemplateList.at(index);
    if (picked.paperSize.isEmpty())
        picked.paperSize = row->paperSize;
    m_document->setLabelTemplateHelper(picked);
    m_document->setSelectedLabelSheet(key);
    selectTemplateInPopUps();
    // A page never saved has no file to write yet: it keeps the change as an edit, saved with the
    // page, rather than failing a save the user never asked for.
    if (m_document->filePath().isEmpty())
        m_document->updateChangeCount(DRVDocument::ChangeType::Done);
    else
        m_document->askPageToSaveItself();
    followTemplateSelection(popUpName, picked, row);
    if (!m_openWebsiteFolder.isEmpty())
        refreshPageListingDisplay();
}

void DRVWindowController::followTemplateSelection(const QString& popUpName, const LabelTemplateHelper& picked,
                                                  const LabelHelper* row)
{
    const auto askYes = [](const QString& title, const QString& text) {
        return platform::showAlert(title, text, {QStringLiteral("Yes"), QStringLiteral("No")}) == 0;
    };
    if (popUpName == QLatin1String("templateSelectionPopupButton")) {
        if (m_siteIconArray.size() < 2 ||
            !askYes(
                QStringLiteral("Would you like to refresh all designs?"),
                QStringLiteral("Would you like to refresh canvas dimensions for other designs saved in this "
                               "project?")))
            return;
        // A page that failed stays open with its change, so that nothing is read over it.
        if (refreshPagesWithProgress(picked, row) && m_document) {
            m_document->refreshDocument();
            setCurrentTemplateSelectionValue();
        }
    } else if (popUpName == QLatin1String("manualTemplateSelectionPopupButton")) {
        if (askYes(QStringLiteral("Would you like to refresh all pages?"),
                   QStringLiteral(
                       "Would you like to refresh canvas dimensions for other pages in this project?")))
            refreshPagesWithProgress(picked, row);
    } else if (popUpName == QLatin1String("foldingCardTemplateSelectionPopupButton")) {
        if (askYes(
                QStringLiteral("Would you like to refresh other folding tabs?"),
                QStringLiteral("Would you like to auto adjust canvas dimensions for other designs (folding "
                               "tabs) in this project?")))
            refreshTabs(picked, row);
    }
}

bool DRVWindowController::applyTemplateToPage(const PageRecord& page, const LabelTemplateHelper& helper,
                                              const LabelHelper* row)
{
    if (!launchSelected(page.documentName) || !m_document)
        return false;
    EditionSettings& e = edition();
    m_document->setLabelTemplateHelper(helper);
    m_document->setSelectedLabelSheet(helper.templateDescription);
    m_document->setLoopThroughFlag(true);
    m_document->setDocumentChangedCounter(m_document->documentChangedCounter() + 1);
    // Opening the page bound the window to its old sheet; the new one takes over.
    e.set(e.gSelectedLabelSheet, helper.templateDescription);
    DataCentre::resetPrintCanvas(row);
    setConfirmedCanvasSize(e.gCanvasWidth, e.gCanvasHeight);
    const bool saved = m_document->askPageToSaveItself();
    // Later saves write the page's images again.
    m_document->setLoopThroughFlag(false);
    return saved;
}

bool DRVWindowController::refreshPagesWithProgress(const LabelTemplateHelper& helper, const LabelHelper* row)
{
    QString failed;
    walkPagesBehindProgress([&](const PageRecord& page) {
        if (applyTemplateToPage(page, helper, row))
            return true;
        failed = page.pageName;
        return false;
    });
    if (failed.isEmpty())
        return true;
    alertPageNotRefreshed(failed);
    return false;
}

void DRVWindowController::refreshTabs(const LabelTemplateHelper& helper, const LabelHelper* row)
{
    const QList<PageRecord> pages = m_siteIconArray;
    for (const PageRecord& page : pages) {
        if (!applyTemplateToPage(page, helper, row)) {
            alertPageNotRefreshed(page.pageName);
            return;
        }
    }
    const QString title = labelTemplateTitles({helper}).constFirst();
    for (QComboBox* popUp : std::as_const(m_templatePopUps)) {
        if (popUp->objectName() == QLatin1String("foldingCardTemplateSelectionPopupButton")) {
            if (const int index = popUp->findText(title); index >= 0)
                showTemplateIndex(popUp, index);
        }
    }
    if (!pages.isEmpty())
        launchSelected(pages.constFirst().documentName);
}

void DRVWindowController::callRefreshTabs()
{
    if (!m_document)
        return;
    const LabelTemplateHelper helper = m_document->labelTemplateHelper();
    refreshTabs(helper, DataCentre::grabLabelHelper(helper.templateDescription));
}

// ---- page tiles ----

QString DRVWindowController::tileTimeText(const QDateTime& when)
{
    return QLocale::c().toString(when, QStringLiteral("MMM dd yyyy h:mm AP"));
}

QuibNSButton* DRVWindowController::findCurrentlySelectedQuibButton(const QString& fileName) const
{
    for (ListingIconView* view : pageIconViews()) {
        if (QuibNSButton* tile = view->quibButton(); tile && tile->pageName() == fileName)
            return tile;
    }
    return nullptr;
}

void DRVWindowController::updateCurrentlySelectedQuibButton()
{
    if (!m_document)
        return;
    const QString fileName = platform::lastPathComponent(m_document->filePath());
    QuibNSButton* tile = findCurrentlySelectedQuibButton(fileName);
    if (!tile)
        return;
    const QString title = m_document->pageOfficialName();
    const QString time = tileTimeText(QDateTime::currentDateTime());
    PageRecord record = tile->record();
    record.pageTitle = title;
    record.fileTime = time;
    tile->setRecord(record);
    // The list is rebuilt from the records: they keep the new title too.
    if (PageRecord* kept = grabQuibButtonWithPageName(tile->documentName())) {
        kept->pageTitle = title;
        kept->fileTime = time;
    }
    QuibNSButton::setCaption(tile->pageTitleLabel(), title);
    QuibNSButton::setCaption(tile->fileTimeLabel(), time);
    QString picture = record.imagePath;
    picture.replace(QLatin1String("@2x"), QString());
    if (QImage image(picture); !image.isNull() && !tile->size().isEmpty())
        tile->setImage(image.scaled(tile->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    tile->update();
}

// ---- the project guard ----

// The application's Open Website item of this window's menus, if it has one.
QAction* DRVWindowController::openWebsiteMenuItem() const
{
    QAction* found = nullptr;
    if (m_window && m_window->menuBar()) {
        for (QAction* item : m_window->menuBar()->findChildren<QAction*>()) {
            if (item->objectName() == QLatin1String("openGroupMenuItem"))
                found = item;
        }
    }
    return found;
}

bool DRVWindowController::offersOpenWebsite() const
{
    const QAction* item = openWebsiteMenuItem();
    return item && item->isVisible();
}

bool DRVWindowController::isEditorInMultiDocMode()
{
    if (!m_openWebsiteFolder.isEmpty())
        return true;
    const int answer = platform::showAlert(
        QStringLiteral("Please launch editor in multi-document mode"),
        QStringLiteral(
            "You're currently running in single document editor.  This feature requires the editor "
            "to be launched in multi-document mode:\nPlease choose \"Open in multi-document mode\" "
            "and select the \"directory\" (folder) containing saved files"),
        {QStringLiteral("Open in multi-document mode"), QStringLiteral("Dismiss")});
    if (answer != 0)
        return false;
    // Taken before the window goes.
    const QPointer<QAction> openWebsite = openWebsiteMenuItem();
    performClose();
    if (openWebsite)
        openWebsite->trigger();
    return false;
}

void DRVWindowController::putTemplatePopUpBack(QComboBox* popUp)
{
    const QVariant shown = popUp->property(kShownIndex);
    showTemplateIndex(popUp, shown.isValid() ? shown.toInt() : -1);
    selectTemplateInPopUps();
}

void DRVWindowController::selectTemplateInPopUps()
{
    if (!m_document)
        return;
    const QString title = labelTemplateTitles({m_document->labelTemplateHelper()}).constFirst();
    for (QComboBox* popUp : std::as_const(m_templatePopUps)) {
        const int index = popUp->findText(title);
        if (index >= 0)
            showTemplateIndex(popUp, index);
    }
}

void DRVWindowController::setCurrentTemplateSelectionValue()
{
    if (!m_document)
        return;
    LabelTemplateHelper current = m_document->labelTemplateHelper();
    const LabelHelper* row = DataCentre::grabLabelHelper(current.templateDescription);
    current.paperSize = row ? row->paperSize : QString();
    m_document->setLabelTemplateHelper(current);
    DataCentre::resetPrintCanvas(row);
    selectTemplateInPopUps();
}

void DRVWindowController::bindOpenedPageToTemplate()
{
    // Only pages read from a file carry a template of their own; the editions that read the label
    // markers are the ones that apply base templates. The canvas takes the new size when the page is
    // bound to it (or when the window loads).
    if (!m_document || m_document->filePath().isEmpty() || !edition().gAutoBaseTemplateFlag)
        return;
    edition().set(edition().gSelectedLabelSheet, m_document->labelTemplateHelper().templateDescription);
    setCurrentTemplateSelectionValue();
}

void DRVWindowController::resetCanvasSize()
{
    if (m_document)
        observeDocumentCanvasSize(m_document->canvasSize());
}

bool DRVWindowController::IsThisMultipleChoiceLabel(const DRVGraphic* graphic) const
{
    return m_graphicView && m_graphicView->IsThisMultipleChoiceLabel(graphic);
}

DRVGraphic* DRVWindowController::grabRadioLabel(const DRVGraphic* graphic) const
{
    return m_graphicView ? m_graphicView->grabRadioLabel(graphic) : nullptr;
}
