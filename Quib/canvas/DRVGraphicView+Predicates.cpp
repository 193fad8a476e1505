// Whether the selection-bound commands apply to the current selection and edition, and the two
// snippet formatting commands. The menus show and enable their items from these answers.
#include "canvas/DRVGraphicView.h"

#include "canvas/CodeEditorWindowController.h"
#include "editions/EditionSettings.h"
#include "model/DRVGalleryGrid.h"
#include "model/DRVImage.h"
#include "model/DRVSlideshow.h"
#include "model/DRVTable.h"
#include "model/DRVText.h"
#include "platform/UndoManager.h"

#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

template <class T> bool isA(const DRVGraphic* graphic)
{
    return qobject_cast<const T*>(graphic) != nullptr;
}

template <class T> bool anyIs(const QList<DRVGraphic*>& selected)
{
    return std::any_of(selected.begin(), selected.end(), isA<T>);
}

template <class T> bool allAre(const QList<DRVGraphic*>& selected)
{
    return !selected.isEmpty() && std::all_of(selected.begin(), selected.end(), isA<T>);
}

bool isSnippet(const DRVGraphic* graphic, bool formatted)
{
    return isA<DRVText>(graphic) && graphic->textType() == QLatin1String("HTMLSnippet") &&
           graphic->snippetFormatFlag() == formatted;
}

// One selected graphic of kind T, or nullptr.
template <class T> T* onlySelected(const QList<DRVGraphic*>& selected)
{
    return selected.size() == 1 ? qobject_cast<T*>(selected.constFirst()) : nullptr;
}

} // namespace

bool DRVGraphicView::shouldShowLayerArrangement() const
{
    return !edition().gHideLayerArrangementFlag && shouldShowAlignArrangement();
}

bool DRVGraphicView::shouldShowAlignArrangement() const
{
    const QList<DRVGraphic*> selected = selectedGraphics();
    return !selected.isEmpty() && !anyIs<DRVSlideshow>(selected);
}

bool DRVGraphicView::enlargeShown() const
{
    return allAre<DRVImage>(selectedGraphics());
}

bool DRVGraphicView::cropShown() const
{
    return onlySelected<DRVImage>(selectedGraphics()) != nullptr;
}

bool DRVGraphicView::abilityToCopyShown() const
{
    const QList<DRVGraphic*> selected = selectedGraphics();
    const bool formField = std::any_of(selected.begin(), selected.end(), [](const DRVGraphic* g) {
        return isA<DRVText>(g) && !g->formType().isEmpty();
    });
    return !selected.isEmpty() && !anyIs<DRVSlideshow>(selected) && !anyIs<DRVGalleryGrid>(selected) &&
           !formField;
}

bool DRVGraphicView::duplicateShown() const
{
    return !edition().gHideDuplicateFlag && abilityToCopyShown();
}

bool DRVGraphicView::tableControlShown() const
{
    const DRVTable* table = onlySelected<DRVTable>(selectedGraphics());
    return table && table->gridType() != QLatin1String("section");
}

bool DRVGraphicView::tableMultiControlShown() const
{
    const QList<DRVGraphic*> selected = selectedGraphics();
    return selected.size() == 2 && allAre<DRVTable>(selected);
}

bool DRVGraphicView::codeEditorShown() const
{
    const DRVText* text = onlySelected<DRVText>(selectedGraphics());
    return text && text->textType() == QLatin1String("HTMLSnippet");
}

bool DRVGraphicView::savedTextShown() const
{
    const DRVText* text = onlySelected<DRVText>(selectedGraphics());
    return text && text->formType().isEmpty();
}

bool DRVGraphicView::applyHTMLSnippetFormattingShown() const
{
    const QList<DRVGraphic*> selected = selectedGraphics();
    return edition().gSnippetFormattingFlag &&
           std::any_of(selected.begin(), selected.end(),
                       [](const DRVGraphic* g) { return isSnippet(g, false); });
}

bool DRVGraphicView::removeHTMLSnippetFormattingShown() const
{
    const QList<DRVGraphic*> selected = selectedGraphics();
    return !edition().gResponsiveLayoutFlag && edition().gSnippetFormattingFlag &&
           std::any_of(selected.begin(), selected.end(),
                       [](const DRVGraphic* g) { return isSnippet(g, true); });
}

bool DRVGraphicView::addBranchShown() const
{
    return edition().gShowAddBranchFlag && allAre<DRVText>(selectedGraphics());
}

void DRVGraphicView::applyHTMLSnippetFormattingOption()
{
    setSnippetFormatting(true);
}

void DRVGraphicView::removeHTMLSnippetFormattingOption()
{
    setSnippetFormatting(false);
}

void DRVGraphicView::setSnippetFormatting(bool formatted)
{
    platform::UndoManager* undo = undoManager();
    beginUndoStep();
    for (DRVGraphic* graphic : selectedGraphics()) {
        if (isSnippet(graphic, !formatted))
            setValueRecorded(undo, graphic, "snippetFormatFlag", formatted);
    }
    endUndoStep(QString());
}

QStringList DRVGraphicView::holdingPredicates()
{
    using Check = std::pair<const char*, bool>;
    const Check checks[] = {{"shouldShowLayerArrangement", shouldShowLayerArrangement()},
                            {"shouldShowAlignArrangement", shouldShowAlignArrangement()},
                            {"enlargeShown", enlargeShown()},
                            {"cropShown", cropShown()},
                            {"slideShowOptionsShown", slideShowOptionsShown()},
                            {"shouldShowCreateZoomBubble", shouldShowCreateZoomBubble()},
                            {"slideShowImageEditingOptionsShown", slideShowImageEditingOptionsShown()},
                            {"abilityToCopyShown", abilityToCopyShown()},
                            {"duplicateShown", duplicateShown()},
                            {"tableControlShown", tableControlShown()},
                            {"tableMultiControlShown", tableMultiControlShown()},
                            {"shouldDisplayOfTableContents", shouldDisplayOfTableContents()},
                            {"showMarkAsReplyTo", showMarkAsReplyTo()},
                            {"showMandatory", showMandatory()},
                            {"showOptional", showOptional()},
                            {"enableNewMultipleChoiceOption", enableNewMultipleChoiceOption()},
                            {"enableNewCheckboxChoiceOption", enableNewCheckboxChoiceOption()},
                            {"showDrawStartArrow", showDrawStartArrow()},
                            {"showHideStartArrow", showHideStartArrow()},
                            {"showDrawEndArrow", showDrawEndArrow()},
                            {"showHideEndArrow", showHideEndArrow()},
                            {"arrowOptionsShown", arrowOptionsShown()},
                            {"showAutoAdjustSnippetSize", showAutoAdjustSnippetSize()},
                            {"showSectionEditorFlag", showSectionEditorFlag()},
                            {"codeEditorShown", codeEditorShown()},
                            {"savedTextShown", savedTextShown()},
                            {"applyHTMLSnippetFormattingShown", applyHTMLSnippetFormattingShown()},
                            {"removeHTMLSnippetFormattingShown", removeHTMLSnippetFormattingShown()},
                            {"addBranchShown", addBranchShown()},
                            {"centerGroupShown", centerGroupShown()},
                            {"groupShown", groupShown()},
                            {"ungroupShown", ungroupShown()},
                            {"lockShown", lockShown()},
                            {"unLockShown", unLockShown()},
                            {"scrollShown", scrollShown()},
                            {"unScrollShown", unScrollShown()},
                            {"positionSettingsShown", positionSettingsShown()},
                            {"grabCopyStyleShown", grabCopyStyleShown()},
                            {"applyPasteStyleShown", applyPasteStyleShown()},
                            {"matchScreenWidthShown", matchScreenWidthShown()},
                            {"unMatchScreenWidthShown", unMatchScreenWidthShown()},
                            {"manualLayerIndexShown", manualLayerIndexShown()},
                            {"removeManualLayerIndexShown", removeManualLayerIndexShown()},
                            {"tooltipShown", tooltipShown()},
                            {"linkShown", linkShown()}};
    QStringList holding;
    for (const auto& [name, holds] : checks) {
        if (holds)
            holding.append(QString::fromLatin1(name));
    }
    return holding;
}

// The way back registers the redo in turn.
void DRVGraphicView::replaceTextRecorded(platform::UndoManager* undo, DRVText* snippet, const QString& text)
{
    const QString old = snippet->textString();
    if (old == text)
        return;
    snippet->updateTextString(text);
    if (!undo)
        return;
    QPointer<DRVText> guarded(snippet);
    undo->registerUndo(snippet, [undo, guarded, old] {
        if (guarded)
            replaceTextRecorded(undo, guarded, old);
    });
}

void DRVGraphicView::showCodeEditor()
{
    DRVText* snippet = onlySelected<DRVText>(selectedGraphics());
    if (!snippet || snippet->textType() != QLatin1String("HTMLSnippet"))
        return;
    m_selectedSnippet = snippet;
    if (!m_codeEditor) {
        auto* editor = new CodeEditorWindowController(this);
        connect(editor->saveButton(), &QPushButton::clicked, this, &DRVGraphicView::saveCodeEditor);
        m_codeEditor = editor;
    }
    m_codeEditor->setWindowTitle(QStringLiteral("Code Editor"));
    m_codeEditor->findChild<QPlainTextEdit*>(QStringLiteral("codeEditorTextView"))
        ->setPlainText(snippet->textString());
    m_codeEditor->show();
}

void DRVGraphicView::saveCodeEditor()
{
    if (!m_codeEditor)
        return;
    m_codeEditor->hide();
    auto* snippet = qobject_cast<DRVText*>(m_selectedSnippet.data());
    if (!snippet)
        return;
    const QString text =
        m_codeEditor->findChild<QPlainTextEdit*>(QStringLiteral("codeEditorTextView"))->toPlainText();
    beginUndoStep();
    replaceTextRecorded(undoManager(), snippet, text);
    endUndoStep(QString());
}
