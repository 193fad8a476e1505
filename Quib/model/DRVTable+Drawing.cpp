// Layout and painting of a table. layoutCells computes everything the page writer reads from the
// cells and their pictures; painting only paints what the layout placed.
#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "model/DRVTable.h"
#include "model/DRVText.h"
#include "model/QuibLayoutManager.h"
#include "platform/Drawing.h"
#include "platform/Geometry.h"

#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace {

bool isDrawnBorderStyle(const QString& style)
{
    return style == QLatin1String("solid") || style == QLatin1String("dashed") ||
           style == QLatin1String("dotted");
}

// A cell without a known alignment reads as left everywhere (its style shows "left" too).
Qt::Alignment alignmentForTextAlignment(const QString& alignment)
{
    if (alignment == QLatin1String("center"))
        return Qt::AlignHCenter;
    if (alignment == QLatin1String("right"))
        return Qt::AlignRight;
    if (alignment == QLatin1String("justify"))
        return Qt::AlignJustify;
    return Qt::AlignLeft;
}

QColor withAlpha(QColor colour, double alpha)
{
    colour.setAlphaF(float(std::clamp(alpha, 0.0, 1.0)));
    return colour;
}

bool hasBackground(const QString& hex)
{
    return !hex.isEmpty() && hex != QLatin1String("CLEAR0") && hex != QLatin1String("(null)");
}

// Whether every block and every character of text already has these formats, so that a layout
// pass leaves a text that is styled already untouched (no change signal, no undo step).
bool textHasStyle(const QTextDocument* text, const QTextBlockFormat& paragraph,
                  const QTextCharFormat& characters)
{
    for (QTextBlock block = text->begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat format = block.blockFormat();
        if (format.alignment() != paragraph.alignment() || format.lineHeight() != paragraph.lineHeight() ||
            format.lineHeightType() != paragraph.lineHeightType())
            return false;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat chars = it.fragment().charFormat();
            if (chars.font() != characters.font() || chars.foreground() != characters.foreground())
                return false;
        }
    }
    return true;
}

// The mark on a cell the user has marked: a white tick on a green badge, 20 by 16.
void paintCheckMark(QPainter* painter, const QRectF& box)
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setPen(Qt::NoPen);
    painter->setBrush(QColor(0x2e, 0x9e, 0x44));
    painter->drawRoundedRect(box, 3, 3);
    QPainterPath tick;
    tick.moveTo(box.left() + 5, box.top() + 8);
    tick.lineTo(box.left() + 9, box.top() + 12);
    tick.lineTo(box.left() + 15, box.top() + 4);
    painter->setBrush(Qt::NoBrush);
    painter->setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter->drawPath(tick);
    painter->restore();
}

} // namespace

QFont DRVTable::fontNamed(const QString& family, int size)
{
    QFont font;
    if (!family.isEmpty())
        font.setFamilies({family});
    if (size > 0)
        font.setPixelSize(size);
    return font;
}

QuibLayoutManager& DRVTable::sharedLayoutManager()
{
    // Cell texts stand in the page's content box of their cell, as text boxes do.
    static QuibLayoutManager manager(0.0);
    return manager;
}

// ---- geometry of the drawn cells ----

QList<QPair<myTextView*, DRVTable::CellBox>> DRVTable::cellBoxes() const
{
    drawBoxModel();
    const QRectF content = contentRect();
    const int bw = m_borderWidth;
    const int step = m_padding + bw;
    QList<QPair<myTextView*, CellBox>> boxes;
    int fillX = platform::truncToInt(content.x() + m_padding + bw);
    int originX = platform::truncToInt(content.x() + m_padding);
    for (int column = 0; column < m_numOfColumns; ++column) {
        int fillY = platform::truncToInt(content.y() + m_padding + bw);
        int originY = platform::truncToInt(content.y() + m_padding);
        for (int row = 0; row < m_numOfRows; ++row) {
            myTextView* cell = grabSelectedTableCellHelper(row, column);
            const int h = cell ? cell->height() : 0;
            if (cell)
                boxes.append(
                    {cell, CellBox{QRect(fillX, fillY, cell->width(), h), QPoint(originX, originY)}});
            fillY += h + step;
            originY += h + step;
        }
        const myTextView* last = grabSelectedTableCellHelper(m_numOfRows - 1, column);
        const int w = last ? last->width() : 0;
        fillX += w + step;
        originX += w + step;
    }
    return boxes;
}

QPointF DRVTable::cellTextOrigin(const myTextView* cell) const
{
    if (!cell)
        return {};
    // The text stands in the page's content box of its cell, moved down by its vertical alignment.
    const int inset = cellTextInset(cell);
    const int offset =
        DRVText::alignedTextOffset(cell->verticalAlignment(), cell->height() - 2 * inset, cell->textHeight());
    return QPointF(cell->originX() + inset, cell->originY() + inset + offset);
}

int DRVTable::cellTextInset(const myTextView* cell) const
{
    return DRVText::pageBorderWidth(m_borderStyle, m_borderWidth) + DRVText::pagePadding(cell->height());
}

QSizeF DRVTable::cellTextContainerSize(const myTextView* cell) const
{
    // The cell less its border and the padding the page gives its text.
    const int inset = cellTextInset(cell);
    return QSizeF(cell->width() - 2 * inset, cell->height() - 2 * inset);
}

QRect DRVTable::fittedImageRect(const TransformView* image, const myTextView* cell) const
{
    if (!image || !cell)
        return {};
    QSize original(image->originalWidth(), image->originalHeight());
    // Without its original size the picture's own pixels give the proportions.
    if (original.width() <= 0 || original.height() <= 0)
        original = image->image().size();
    if (original.width() <= 0 || original.height() <= 0)
        return {};
    const int w = cell->width();
    const int h = cell->height();
    const float ratio = float(original.width()) / float(original.height());
    const int fittedHeight = platform::truncToInt(float(w) / ratio);
    const QSize size =
        fittedHeight <= h ? QSize(w, fittedHeight) : QSize(platform::truncToInt(ratio * float(h)), h);
    const int dx = std::max(0, (w - size.width()) / 2);
    const int dy = std::max(0, (h - size.height()) / 2);
    return QRect(QPoint(cell->originX() + dx, cell->originY() + dy), size);
}

// ---- layout ----

void DRVTable::layoutCells(bool measureTopAlignedText)
{
    const QList<QPair<myTextView*, CellBox>> drawn = cellBoxes();
    // A drawn border is at least one pixel wide, and stays so.
    if (!drawn.isEmpty() && isDrawnBorderStyle(m_borderStyle) && m_borderWidth == 0)
        setBorderWidth(1);
    setBounds(bounds());

    const bool responsive = edition().gResponsiveLayoutFlag;
    const float corner = float(m_cornerRadius);
    for (const auto& [cell, box] : cellBoxes()) {
        if (responsive) {
            cell->setTextType(QStringLiteral("HTMLSnippet"));
            cell->setSnippetFormatFlag(1);
        } else {
            cell->setTextType(QStringLiteral("Text"));
        }
        cell->setOriginX(box.origin.x());
        cell->setOriginY(box.origin.y());
        cell->setSelectable(m_selectable ? 1 : 0);
        cell->setResponsiveResizeFlag(m_responsiveResizeFlag);
        cell->setResponsiveAlignment(m_responsiveAlignment);
        cell->setManualLayerIndex(m_manualLayerIndex);
        cell->setSectionNumber(m_sectionNumber);
        cell->setSectionRowSpot(m_sectionRowSpot);
        cell->setSectionColumnSpot(m_sectionColumnSpot);
        cell->setPartOfTableFlag(1);
        cell->setBorderWidth(m_borderWidth);
        cell->setBorderStyle(m_borderStyle);
        cell->textView()->setBorderLine(m_borderStyle);
        cell->setCornerRadius(corner);
        cell->setTableCellCornerRadius(corner);
        cell->setVerticalAlignment(m_verticalAlignment);
        watchTextStorage(cell);
        // The cell being edited keeps the text its editor shows.
        if (cell != m_editedCell) {
            applyCellTextStyle(cell);
            if (measureTopAlignedText || m_verticalAlignment == 1 || m_verticalAlignment == 2)
                measureCellText(cell);
        }
    }
    if (m_backgroundImage)
        m_backgroundImage->setSelectable(m_selectable ? 1 : 0);
    layoutCellImages();
}

void DRVTable::applyCellTextStyle(myTextView* cell)
{
    QTextDocument* text = cell->textStorage();
    if (!text)
        return;
    QTextBlockFormat paragraph;
    const float lineHeight = float(cell->fontSize()) * cell->lineSpacing();
    if (lineHeight > 0)
        paragraph.setLineHeight(double(lineHeight), QTextBlockFormat::FixedHeight);
    paragraph.setAlignment(alignmentForTextAlignment(cell->textAlignment()));
    QTextCharFormat characters;
    characters.setFont(fontNamed(cell->familyName(), cell->fontSize()), QTextCharFormat::FontPropertiesAll);
    characters.setForeground(
        withAlpha(DataCentre::colorWithHexString(cell->textColorString()), cell->alphaValue()));
    if (!text->isEmpty())
        cell->textView()->setFont(characters.font());
    if (textHasStyle(text, paragraph, characters))
        return;
    QTextCursor all(text);
    all.select(QTextCursor::Document);
    all.setBlockFormat(paragraph);
    all.setCharFormat(characters);
    all.setBlockCharFormat(characters);
}

void DRVTable::measureCellText(myTextView* cell)
{
    QTextDocument* text = cell->textStorage();
    if (!text || text->isEmpty()) {
        cell->setTextHeight(0);
        return;
    }
    const QRectF used = sharedLayoutManager().measuredRect(text, cellTextContainerSize(cell));
    cell->setTextHeight(platform::truncToInt(used.height()));
}

void DRVTable::layoutCellImages()
{
    if (!edition().gTableImagesFlag)
        return;
    for (TransformView* image : m_images) {
        image->setSelectable(m_selectable ? 1 : 0);
        image->setManualLayerIndex(m_manualLayerIndex);
        image->setTemplateName(m_templateName);
        image->setSectionNumber(m_sectionNumber);
        image->setSectionRowSpot(m_sectionRowSpot);
        image->setSectionColumnSpot(m_sectionColumnSpot);
        image->setOpacity(1.0f);
        image->setAlpha(1.0f);
    }
    for (const auto& [cell, box] : cellBoxes()) {
        TransformView* image = grabSelectedImageAtSpot(cell->rowSpot(), cell->columnSpot());
        if (!image)
            continue;
        if (!cell->link().isEmpty())
            image->setLink(cell->link());
        const QRect frame = fittedImageRect(image, cell);
        if (frame.isNull())
            continue;
        image->setGalleryDimension(QRectF(frame));
        image->setFrame(QRectF(frame));
        image->setBounds(QRectF(frame));
    }
}

// ---- drawing ----

QRectF DRVTable::drawingBounds() const
{
    return platform::rectUnion(DRVGraphic::drawingBounds(), bounds().adjusted(-1, -1, 1, 1));
}

GraphicPath DRVTable::bezierPathForDrawing() const
{
    return {};
}

void DRVTable::drawContentsInView(QPainter* painter, bool isBeingCreateOrEdited)
{
    layoutCells();
    if (!painter)
        return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    paintBackgroundImage(painter);
    paintGrid(painter);
    paintCells(painter, isBeingCreateOrEdited);
    painter->restore();
}

void DRVTable::paintBackgroundImage(QPainter* painter)
{
    if (!m_backgroundImage)
        return;
    const QImage picture = m_backgroundImage->image();
    if (picture.isNull())
        return;
    // The picture at its own size, cropped to the table and anchored at its top left corner.
    const QRectF area = noMarginRect();
    const QRect source = QRect(0, 0, platform::truncToInt(area.width()), platform::truncToInt(area.height()))
                             .intersected(picture.rect());
    if (source.isEmpty())
        return;
    painter->save();
    painter->setOpacity(std::clamp(m_opacity, 0.0, 1.0));
    painter->drawImage(QRectF(area.topLeft(), QSizeF(source.size())), picture, source);
    painter->restore();
}

void DRVTable::paintGrid(QPainter* painter)
{
    if (m_gridType == QLatin1String("section") && m_fillColor.isValid() && m_fillColor.alpha() > 0)
        painter->fillRect(noMarginRect(), withAlpha(m_fillColor, m_opacity));

    const int bw = m_borderWidth;
    const double tableCorner = m_cornerRadius;
    const bool guides = edition().gResponsiveTableDrawingFlag;
    for (const auto& [cell, box] : cellBoxes()) {
        const QRect r = box.fill;
        const QPainterPath fill = platform::roundedRectPath(QRectF(r), cell->cornerRadius(), tableCorner);
        const QPainterPath border =
            platform::roundedRectPath(QRectF(r.x() + bw / 2, r.y() + bw / 2, r.width() - bw, r.height() - bw),
                                      tableCorner, tableCorner);
        const QString background = cell->backgroundHexColorString();
        if (hasBackground(background)) {
            const QColor colour = DataCentre::colorWithHexString(background);
            if (colour.isValid() && colour.alpha() > 0) {
                if (cell->shadowFlag())
                    platform::drawShadowForPath(*painter, fill, {QColor(Qt::darkGray), 3.0, QPointF(0, 0)});
                painter->fillPath(fill, withAlpha(colour, cell->alphaValue()));
            }
        }
        const QColor borderColour =
            withAlpha(DataCentre::colorWithHexString(cell->borderHexColorString()), cell->alphaValue());
        if (m_borderStyle == QLatin1String("solid"))
            platform::strokePath(*painter, border, borderColour, bw);
        else if (m_borderStyle == QLatin1String("dashed"))
            platform::strokePath(*painter, border, borderColour, bw, {3.0 * bw, 3.0 * bw}, 1);
        else if (m_borderStyle == QLatin1String("dotted"))
            platform::strokePath(*painter, border, borderColour, bw, {double(bw), double(bw)}, 1);
        else if (m_borderStyle == QLatin1String("none") && guides)
            platform::strokePath(*painter, border, Qt::lightGray, 1, {1, 1}, 1);
    }
    if (edition().gResponsiveLayoutFlag && m_gridType == QLatin1String("section")) {
        QPainterPath outline;
        outline.addRect(bounds());
        platform::strokePath(*painter, outline, Qt::lightGray, bw, {2, 3}, 1);
    }
}

void DRVTable::paintCells(QPainter* painter, bool isBeingCreateOrEdited)
{
    const bool images = edition().gTableImagesFlag;
    QuibLayoutManager& manager = sharedLayoutManager();
    for (const auto& [cell, box] : cellBoxes()) {
        const int w = cell->width();
        QTextDocument* text = cell->textStorage();
        const bool edited = isBeingCreateOrEdited && cell == m_editedCell;
        if (text && !text->isEmpty() && !edited) {
            manager.setContainerSize(cellTextContainerSize(cell));
            manager.attach(text);
            if (!manager.glyphRangeIsEmpty())
                manager.drawGlyphs(painter, cellTextOrigin(cell));
            manager.detach();
        }
        if (cell->selected())
            paintCheckMark(painter, QRectF(cell->originX() + w - 20, cell->originY(), 20, 16));
        if (!images)
            continue;
        const TransformView* image = grabSelectedImageAtSpot(cell->rowSpot(), cell->columnSpot());
        if (!image || image->image().isNull())
            continue;
        const QRect frame = fittedImageRect(image, cell);
        if (frame.isNull())
            continue;
        if (m_shadowFlag == 1)
            platform::drawImageWithShadow(*painter, QRectF(frame), image->image(),
                                          {QColor(Qt::gray), 1.0, QPointF(1, 0)});
        else
            painter->drawImage(QRectF(frame), image->image());
    }
}
