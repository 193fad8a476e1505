// The table's style and its cells' styles: pushing the table's values onto the cells (all of
// them, or the marked ones in editions that style cells one by one), and pulling a marked cell's
// values back into the table for the inspector.
#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "model/DRVTable.h"

#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <optional>

namespace {

struct Alignment
{
    Qt::Alignment flag;
    const char* name;
};

Alignment alignmentForFontAlignment(int fontAlignment)
{
    switch (fontAlignment) {
    case 0:
        return {Qt::AlignLeft, "left"};
    case 1:
        return {Qt::AlignHCenter, "center"};
    case 2:
        return {Qt::AlignRight, "right"};
    default:
        return {Qt::AlignJustify, "justify"};
    }
}

bool isClear(const QColor& colour)
{
    return !colour.isValid() || colour.alpha() == 0;
}

QColor withAlpha(QColor colour, double alpha)
{
    colour.setAlphaF(float(std::clamp(alpha, 0.0, 1.0)));
    return colour;
}

// A cursor over the whole text; null when the cell has no text.
std::optional<QTextCursor> wholeText(myTextView* cell)
{
    QTextDocument* text = cell->textStorage();
    if (!text)
        return std::nullopt;
    QTextCursor all(text);
    all.select(QTextCursor::Document);
    return all;
}

void mergeCharacters(myTextView* cell, const QTextCharFormat& format)
{
    if (auto all = wholeText(cell)) {
        all->mergeCharFormat(format);
        all->mergeBlockCharFormat(format);
    }
}

void setTextFont(myTextView* cell, const QFont& font)
{
    cell->textView()->setFont(font);
    QTextCharFormat format;
    format.setFont(font, QTextCharFormat::FontPropertiesAll);
    mergeCharacters(cell, format);
}

void setTextAlignment(myTextView* cell, int fontAlignment)
{
    const Alignment alignment = alignmentForFontAlignment(fontAlignment);
    if (auto all = wholeText(cell)) {
        QTextBlockFormat format;
        format.setAlignment(alignment.flag);
        all->mergeBlockFormat(format);
    }
    cell->setTextAlignment(QString::fromLatin1(alignment.name));
}

} // namespace

QList<myTextView*> DRVTable::styleTargetCells() const
{
    if (!edition().gTableCellEditingFlag)
        return m_cells;
    const bool anyMarked = std::any_of(m_cells.cbegin(), m_cells.cend(),
                                       [](const myTextView* cell) { return cell->selected(); });
    if (!anyMarked)
        return m_cells;
    QList<myTextView*> targets;
    for (myTextView* cell : m_cells) {
        if (cell->selected())
            targets.append(cell);
    }
    return targets;
}

void DRVTable::updateHoverTextColor()
{
    for (myTextView* cell : styleTargetCells())
        cell->setHoverTextColorString(m_hoverTextColorString);
    refreshLayout();
}

void DRVTable::updateHoverBackgroundColor()
{
    for (myTextView* cell : styleTargetCells())
        cell->setHoverColorString(m_hoverColorString);
    refreshLayout();
}

void DRVTable::updateTextColor()
{
    for (myTextView* cell : styleTargetCells()) {
        QTextCharFormat format;
        format.setForeground(withAlpha(m_fontColor, m_opacity));
        mergeCharacters(cell, format);
        cell->textView()->setTextColor(m_fontColor);
        cell->setTextColorString(m_textHexColorString);
        cell->setTextHexColorString(m_textHexColorString);
    }
    refreshLayout();
}

void DRVTable::updateLineSpacing()
{
    for (myTextView* cell : styleTargetCells())
        cell->setLineSpacing(m_lineSpacing);
    refreshLayout();
}

void DRVTable::updateBorderColor()
{
    for (myTextView* cell : styleTargetCells())
        cell->setBorderHexColorString(m_borderHexColorString);
    refreshLayout();
}

void DRVTable::updateBackgroundColor()
{
    const QString background = isClear(m_fillColor) ? QStringLiteral("CLEAR0") : m_backgroundHexColorString;
    for (myTextView* cell : styleTargetCells()) {
        cell->setBackgroundHexColorString(background);
        cell->setColorString(background);
    }
    refreshLayout();
}

void DRVTable::updateFontSize()
{
    for (myTextView* cell : styleTargetCells()) {
        setTextFont(cell, fontNamed(cell->familyName(), m_fontSize));
        cell->setFontSize(m_fontSize);
    }
    refreshLayout();
}

void DRVTable::updateFontFamily()
{
    for (myTextView* cell : styleTargetCells()) {
        setTextFont(cell, fontNamed(m_fontFamily, cell->fontSize()));
        cell->setFamilyName(m_fontFamily);
    }
    refreshLayout();
}

void DRVTable::updateTextAlignment()
{
    for (myTextView* cell : styleTargetCells())
        setTextAlignment(cell, m_fontAlignment);
    refreshLayout();
}

void DRVTable::updateOpacity()
{
    for (myTextView* cell : styleTargetCells()) {
        cell->setAlphaValue(m_opacity);
        cell->setOpacity(float(m_opacity));
    }
    refreshLayout();
}

void DRVTable::updateShadow()
{
    for (myTextView* cell : styleTargetCells())
        cell->setShadowFlag(m_shadowFlag);
    refreshLayout();
}

void DRVTable::refreshStyle()
{
    const QFont font = fontNamed(m_fontFamily, m_fontSize);
    const QString background = isClear(m_fillColor) ? QStringLiteral("CLEAR0") : m_backgroundHexColorString;
    for (myTextView* cell : styleTargetCells()) {
        if (auto all = wholeText(cell)) {
            // One paragraph style, one font and one colour over the whole text, replacing all else.
            QTextBlockFormat paragraph;
            const float lineHeight = float(m_fontSize) * m_lineSpacing;
            if (lineHeight > 0)
                paragraph.setLineHeight(double(lineHeight), QTextBlockFormat::FixedHeight);
            all->setBlockFormat(paragraph);
            QTextCharFormat characters;
            characters.setFont(font, QTextCharFormat::FontPropertiesAll);
            characters.setForeground(withAlpha(m_fontColor, m_opacity));
            all->setCharFormat(characters);
            all->setBlockCharFormat(characters);
        }
        setTextAlignment(cell, m_fontAlignment);
        cell->setAlphaValue(m_opacity);
        cell->setOpacity(float(m_opacity));
        cell->setShapeFlag(m_shapeFlag);
        cell->setShadowFlag(m_shadowFlag);
        cell->textView()->setTextColor(m_fontColor);
        cell->setBackgroundHexColorString(background);
        cell->setColorString(background);
        cell->setTextColorString(m_textHexColorString);
        cell->setTextHexColorString(m_textHexColorString);
        cell->setHoverTextColorString(m_hoverTextColorString);
        cell->setHoverColorString(m_hoverColorString);
        cell->textView()->setBorderLine(m_borderStyle);
        cell->setBorderStyle(m_borderStyle);
        cell->setBorderWidth(m_borderWidth);
        cell->setBorderHexColorString(m_borderHexColorString);
        cell->textView()->setFont(font);
        cell->setTemplateName(m_templateName);
        cell->setCornerRadius(float(m_cornerRadius));
        cell->setFamilyName(m_fontFamily);
        cell->setFontSize(m_fontSize);
        cell->setGroupNumber(-99);
        cell->setFormType(QStringLiteral(""));
        cell->setFormRequiredFlag(0);
        cell->setFormOptionTag(-99);
        cell->setFormTag(-99);
        cell->setScrollFlag(m_scrollFlag);
        cell->setStrokeWidth(float(m_strokeWidth));
    }
    refreshLayout();
}

void DRVTable::reflectSelectedCellProperties(myTextView* cell)
{
    if (cell)
        takeStyleFromCell(cell, false);
}
