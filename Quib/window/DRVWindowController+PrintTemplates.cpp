// The print editions' template pop-ups and the page's bond to its sheet layout: a picked template
// becomes the print geometry, the canvas size and the page's stored template in one confirmed step,
// and an opened page brings its own template back.
#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "editions/LabelHelper.h"
#include "platform/Dialogs.h"
#include "platform/Format.h"
#include "window/DRVWindowController.h"

#include <QComboBox>
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
