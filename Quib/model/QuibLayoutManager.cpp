#include "model/QuibLayoutManager.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QPainter>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

namespace {

// Fonts given in points resolve against this device, so a point is one canvas unit whatever the
// screen.
QPaintDevice* canvasUnitDevice()
{
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
        const int dotsPerMeter = qRound(72.0 / 0.0254);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return &device;
}

// Lines may fall short of the container by rounding in the layout's fixed-point arithmetic.
constexpr double kFitTolerance = 0.01;

} // namespace

QuibLayoutManager::QuibLayoutManager() = default;

QuibLayoutManager::~QuibLayoutManager() = default;

QuibLayoutManager& QuibLayoutManager::shared()
{
    static QuibLayoutManager manager;
    return manager;
}

void QuibLayoutManager::prepareTextStorage(QTextDocument* text)
{
    if (!text)
        return;
    text->setDocumentMargin(0);
    text->documentLayout()->setPaintDevice(canvasUnitDevice());
}

void QuibLayoutManager::setContainerSize(QSizeF size)
{
    m_containerSize = size;
    if (m_layout)
        measure();
}

void QuibLayoutManager::attach(const QTextDocument* text)
{
    detach();
    if (!text)
        return;
    m_layout.reset(text->clone());
    prepareTextStorage(m_layout.get());
    measure();
}

void QuibLayoutManager::detach()
{
    m_layout.reset();
    m_usedRect = QRectF();
    m_fittingLines = 0;
}

void QuibLayoutManager::measure()
{
    m_usedRect = QRectF();
    m_fittingLines = 0;
    if (!m_layout)
        return;
    const double lineWidth = std::max(0.0, m_containerSize.width() - 2 * kLineFragmentPadding);
    m_layout->setTextWidth(lineWidth);
    QAbstractTextDocumentLayout* layout = m_layout->documentLayout();
    // Force the layout of the whole text before reading line positions.
    layout->documentSize();
    if (m_layout->isEmpty())
        return;

    // Lines are stacked here rather than where the document layout put them: a fixed line height
    // is the distance from one line to the next, with the glyphs standing on the line's bottom
    // (less the descent), and every block continues where the previous one ended.
    const double containerHeight = m_containerSize.height();
    double left = 0, right = 0, y = 0, stack = 0;
    bool full = false;
    for (QTextBlock block = m_layout->begin(); block.isValid(); block = block.next()) {
        const QRectF blockRect = layout->blockBoundingRect(block);
        QTextLayout* lines = block.layout();
        const int count = lines ? lines->lineCount() : 0;
        const QTextBlockFormat paragraph = block.blockFormat();
        const bool fixed = paragraph.lineHeightType() == QTextBlockFormat::FixedHeight;
        if (lines)
            lines->setPosition(QPointF(0, 0));
        for (int i = 0; i < count; ++i) {
            QTextLine line = lines->lineAt(i);
            double height = 0;
            if (fixed)
                height = paragraph.lineHeight();
            else if (i + 1 < count)
                height = lines->lineAt(i + 1).y() - line.y();
            else
                height = blockRect.height() - line.y();
            const double top = fixed ? stack + height - line.descent() - line.ascent() : stack;
            line.setPosition(QPointF(line.position().x(), top));
            stack += height;
            if (full || stack > containerHeight + kFitTolerance) {
                full = true;
                continue;
            }
            const QRectF glyphs = line.naturalTextRect();
            const double lineLeft = glyphs.left();
            const double lineRight = glyphs.right() + 2 * kLineFragmentPadding;
            left = m_fittingLines > 0 ? std::min(left, lineLeft) : lineLeft;
            right = m_fittingLines > 0 ? std::max(right, lineRight) : lineRight;
            y = stack;
            ++m_fittingLines;
        }
    }
    if (m_fittingLines > 0)
        m_usedRect = QRectF(left, 0, right - left, y);
}

void QuibLayoutManager::drawGlyphs(QPainter* painter, QPointF origin) const
{
    if (!painter || !m_layout || m_fittingLines == 0)
        return;
    painter->save();
    painter->translate(origin.x() + kLineFragmentPadding, origin.y());
    // Lines that do not fit into the container are not drawn.
    const QRectF visible(-kUnlimited, -kUnlimited, 2 * kUnlimited, kUnlimited + m_usedRect.bottom());
    painter->setClipRect(visible, Qt::IntersectClip);
    for (QTextBlock block = m_layout->begin(); block.isValid(); block = block.next()) {
        if (const QTextLayout* lines = block.layout())
            lines->draw(painter, QPointF(0, 0), {}, visible);
    }
    painter->restore();
}

QRectF QuibLayoutManager::usedRectForText(const QTextDocument* text, QSizeF containerSize)
{
    QuibLayoutManager& manager = shared();
    const QSizeF saved = manager.containerSize();
    manager.setContainerSize(containerSize);
    manager.attach(text);
    const QRectF used = manager.usedRect();
    manager.detach();
    manager.setContainerSize(saved);
    return used;
}
