// Copying the look of a text box or table onto others, full-width text boxes and removing a manual
// stacking index. Values are read from the remembered graphics at the time of the paste.
#include "canvas/DRVGraphicView.h"

#include "editions/DataCentre.h"
#include "model/DRVTable.h"
#include "model/DRVText.h"
#include "model/myTextView.h"

#include <QTextCursor>
#include <QTextDocument>
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

// One cell takes the look of another: its text's font, colour and alignment, its colours, border,
// corners and spacing. It becomes a plain cell: no group, no form role.
void pasteCellLook(const myTextView* from, myTextView* to)
{
    const QFont font = DRVTable::fontNamed(from->familyName(), from->fontSize());
    QColor colour = DataCentre::colorWithHexString(from->textHexColorString());
    colour.setAlphaF(float(std::clamp(from->alphaValue(), 0.0, 1.0)));
    Qt::Alignment alignment = Qt::AlignJustify;
    QString alignmentName = QStringLiteral("justify");
    for (const auto& [name, value] : {std::pair{"left", Qt::AlignLeft}, std::pair{"center", Qt::AlignHCenter},
                                      std::pair{"right", Qt::AlignRight}}) {
        if (from->textAlignment() == QLatin1String(name)) {
            alignment = value;
            alignmentName = QString::fromLatin1(name);
        }
    }
    if (QTextDocument* text = to->textStorage()) {
        QTextCursor cursor(text);
        cursor.select(QTextCursor::Document);
        QTextCharFormat format;
        format.setFont(font);
        format.setForeground(colour);
        cursor.mergeCharFormat(format);
        QTextBlockFormat block;
        block.setAlignment(alignment);
        cursor.mergeBlockFormat(block);
    }
    to->setTextAlignment(alignmentName);
    to->setAlphaValue(from->alphaValue());
    to->setShapeFlag(from->shapeFlag());
    to->setShadowFlag(from->shadowFlag());
    to->textView()->setTextColor(DataCentre::colorWithHexString(from->textHexColorString()));
    to->setBackgroundHexColorString(from->backgroundHexColorString());
    to->setColorString(from->backgroundHexColorString());
    to->setTextColorString(from->textHexColorString());
    to->setTextHexColorString(from->textHexColorString());
    to->setHoverTextColorString(from->hoverTextColorString());
    to->setHoverColorString(from->hoverColorString());
    to->textView()->setBorderLine(from->textView()->borderLine());
    to->setBorderWidth(from->borderWidth());
    to->setBorderHexColorString(from->borderHexColorString());
    to->textView()->setFont(font);
    to->setCornerRadius(from->cornerRadius());
    to->setFamilyName(from->familyName());
    to->setFontSize(from->fontSize());
    to->setLineSpacing(from->lineSpacing());
    to->setGroupNumber(-99);
    to->setFormType(QString());
    to->setFormRequiredFlag(0);
    to->setFormOptionTag(-99);
    to->setFormTag(-99);
}

// Every cell of target that source has a cell for takes that cell's look.
void pasteCellLooks(const DRVTable& source, DRVTable& target)
{
    for (int r = 0; r < source.numOfRows() && r < target.numOfRows(); ++r) {
        for (int c = 0; c < source.numOfColumns() && c < target.numOfColumns(); ++c) {
            const myTextView* from = source.grabSelectedTableCellHelper(r, c);
            myTextView* to = target.grabSelectedTableCellHelper(r, c);
            if (from && to)
                pasteCellLook(from, to);
        }
    }
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
            const DRVTable* source = m_styleTable;
            changeTableRecorded(table, [source, table] {
                pasteCellLooks(*source, *table);
                table->refreshLayout();
                return true;
            });
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
