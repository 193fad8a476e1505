// Copying the look of a text box or table onto others, full-width text boxes and removing a manual
// stacking index. Values are read from the remembered graphics at the time of the paste.
#include "canvas/DRVGraphicView.h"

#include "model/DRVTable.h"
#include "model/DRVText.h"

#include <algorithm>

namespace {

const char* const kTextStyleKeys[] = {"fontColor",          "fontFamily",
                                      "fontSize",           "fontAlignment",
                                      "fillColor",          "backgroundHexColorString",
                                      "textHexColorString", "borderStyle",
                                      "borderWidth",        "borderHexColorString",
                                      "borderColor",        "lineSpacing"};

const char* const kTableStyleKeys[] = {"fontColor",
                                       "fontFamily",
                                       "fontSize",
                                       "fontAlignment",
                                       "fillColor",
                                       "backgroundHexColorString",
                                       "textHexColorString",
                                       "borderWidth",
                                       "padding",
                                       "borderStyle",
                                       "borderHexColorString",
                                       "borderColor",
                                       "lineSpacing"};

template <std::size_t N>
void copyKeys(platform::UndoManager* undo, const DRVGraphic* source, DRVGraphic* target,
              const char* const (&keys)[N])
{
    for (const char* key : keys)
        DRVGraphicView::setValueRecorded(undo, target, key, source->property(key));
}

const DRVText* onlySelectedText(const QList<DRVGraphic*>& selected)
{
    return selected.size() == 1 ? qobject_cast<const DRVText*>(selected.constFirst()) : nullptr;
}

} // namespace

// Matched: x 0 and width 9999. Unmatched: a fixed place and width of its own (x 200, width 200),
// not the rectangle it had before matching.
void DRVGraphicView::setScreenWidthMatched(bool matched)
{
    platform::UndoManager* undo = undoManager();
    beginUndoStep();
    for (DRVGraphic* graphic : selectedGraphics()) {
        if (!qobject_cast<DRVText*>(graphic))
            continue;
        setValueRecorded(undo, graphic, "matchScreenFlag", matched);
        const QRectF b = graphic->bounds();
        graphic->setBounds(matched ? QRectF(0, b.y(), 9999, b.height())
                                   : QRectF(200, b.y(), 200, b.height()));
    }
    endUndoStep(QString());
}

bool DRVGraphicView::grabCopyStyleShown() const
{
    const QList<DRVGraphic*> selected = selectedGraphics();
    return selected.size() == 1 &&
           (qobject_cast<DRVText*>(selected.constFirst()) || qobject_cast<DRVTable*>(selected.constFirst()));
}

bool DRVGraphicView::applyPasteStyleShown() const
{
    const QList<DRVGraphic*> selected = selectedGraphics();
    const bool text =
        m_styleTextbox && std::any_of(selected.begin(), selected.end(), [](const DRVGraphic* g) {
            return qobject_cast<const DRVText*>(g) != nullptr;
        });
    const bool table = m_styleTable && std::any_of(selected.begin(), selected.end(), [](const DRVGraphic* g) {
                           return qobject_cast<const DRVTable*>(g) != nullptr;
                       });
    return text || table;
}

bool DRVGraphicView::matchScreenWidthShown() const
{
    const DRVText* text = onlySelectedText(selectedGraphics());
    return text && !text->matchScreenFlag();
}

bool DRVGraphicView::unMatchScreenWidthShown() const
{
    const DRVText* text = onlySelectedText(selectedGraphics());
    return text && text->matchScreenFlag();
}

bool DRVGraphicView::manualLayerIndexShown()
{
    m_existingZIndex.clear();
    const QList<DRVGraphic*> selected = selectedGraphics();
    if (selected.isEmpty())
        return false;
    if (const int index = selected.constFirst()->manualLayerIndex())
        m_existingZIndex = QString::number(index);
    return true;
}

bool DRVGraphicView::removeManualLayerIndexShown() const
{
    const QList<DRVGraphic*> selected = selectedGraphics();
    return std::any_of(selected.begin(), selected.end(),
                       [](const DRVGraphic* g) { return g->manualLayerIndex() != 0; });
}

void DRVGraphicView::grabCopyStyle()
{
    for (DRVGraphic* graphic : selectedGraphics()) {
        if (qobject_cast<DRVText*>(graphic))
            m_styleTextbox = graphic;
        else if (auto* table = qobject_cast<DRVTable*>(graphic))
            m_styleTable = table;
    }
}

void DRVGraphicView::applyPasteStyle()
{
    platform::UndoManager* undo = undoManager();
    beginUndoStep();
    for (DRVGraphic* graphic : selectedGraphics()) {
        if (auto* text = qobject_cast<DRVText*>(graphic)) {
            if (!m_styleTextbox || m_styleTextbox == graphic)
                continue;
            copyKeys(undo, m_styleTextbox, text, kTextStyleKeys);
            text->refreshStyle();
        } else if (auto* table = qobject_cast<DRVTable*>(graphic)) {
            if (!m_styleTable || m_styleTable == table)
                continue;
            copyKeys(undo, m_styleTable, table, kTableStyleKeys);
            table->refreshLayout();
        }
    }
    endUndoStep(QString());
}

void DRVGraphicView::matchScreenWidth()
{
    setScreenWidthMatched(true);
}

void DRVGraphicView::unMatchScreenWidth()
{
    setScreenWidthMatched(false);
}

void DRVGraphicView::removeManualLayerIndex()
{
    platform::UndoManager* undo = undoManager();
    beginUndoStep();
    for (DRVGraphic* graphic : selectedGraphics())
        setValueRecorded(undo, graphic, "manualLayerIndex", 0);
    endUndoStep(QString());
}
