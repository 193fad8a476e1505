// The text box's layout step and painting: the outline (rounded, rotated, or a bubble), shadow,
// fill, border, guides, and the text drawn by the shared layout.
#include "model/DRVText.h"

#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "model/QuibLayoutManager.h"
#include "platform/Drawing.h"
#include "platform/Geometry.h"

#include <QImage>
#include <QPainter>
#include <QPainterPathStroker>
#include <QTextDocument>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace {

bool isDrawnBorderStyle(const QString& style)
{
    return style == QLatin1String("solid") || style == QLatin1String("dashed") ||
           style == QLatin1String("dotted");
}

QColor withAlpha(QColor colour, double alpha)
{
    if (!colour.isValid())
        return colour;
    colour.setAlphaF(float(std::clamp(alpha, 0.0, 1.0)));
    return colour;
}

// The line width, dashes and phase of a border style; false for a style that draws nothing.
bool borderPen(const QString& style, double width, QVector<double>* dashes, double* phase)
{
    dashes->clear();
    *phase = 0;
    if (style == QLatin1String("solid"))
        return true;
    if (style == QLatin1String("dashed")) {
        *dashes = {3 * width, 3 * width};
        *phase = 1;
        return true;
    }
    if (style == QLatin1String("dotted")) {
        *dashes = {width, width};
        *phase = 1;
        return true;
    }
    return false;
}

// The shadow of what a stroke paints.
void drawStrokeShadow(QPainter& painter, const QPainterPath& path, double width,
                      const QVector<double>& dashes, double phase, const platform::Shadow& shadow)
{
    QPainterPathStroker stroker(platform::makePen(Qt::black, std::max(width, 1.0), dashes, phase));
    platform::drawShadowForPath(painter, stroker.createStroke(path), shadow);
}

} // namespace

int DRVText::cornerInset() const
{
    if (!edition().gTextCornerInsetFlag)
        return 0;
    return platform::truncToInt(m_cornerRadius * 0.25);
}

int DRVText::pagePadding(double boxHeight)
{
    return platform::truncToInt(std::min(10.0, boxHeight * 0.11));
}

int DRVText::pageTextIndent(int indentFlag)
{
    return indentFlag == 1 || indentFlag == 2 ? 40 : 0;
}

int DRVText::pageBorderWidth(const QString& borderStyle, int borderWidth)
{
    static const QStringList drawn{QStringLiteral("solid"),  QStringLiteral("dashed"),
                                   QStringLiteral("dotted"), QStringLiteral("double"),
                                   QStringLiteral("groove"), QStringLiteral("ridge"),
                                   QStringLiteral("inset"),  QStringLiteral("outset")};
    return drawn.contains(borderStyle.trimmed().toLower()) ? std::max(0, borderWidth) : 0;
}

QRectF DRVText::textContentRect() const
{
    drawBoxModel();
    if (edition().gResponsiveLayoutFlag)
        return contentRect();
    // A formatted snippet's padding follows its font size instead of its height.
    const int padding =
        m_textType == QLatin1String("HTMLSnippet")
            ? (m_snippetFormatFlag ? platform::truncToInt(std::min(0.11 * m_fontSize, 10.0)) : 0)
            : pagePadding(m_bounds.height());
    const double inset = pageBorderWidth(m_borderStyle, m_borderWidth) + padding;
    return m_bounds.adjusted(inset, inset, -inset, -inset);
}

int DRVText::alignedTextOffset(int verticalAlignment, double containerHeight, int textHeight)
{
    const int room = std::max(0, platform::truncToInt(containerHeight) - textHeight);
    if (verticalAlignment == 1)
        return room / 2;
    if (verticalAlignment == 2)
        return room;
    return 0;
}

int DRVText::verticalTextOffset() const
{
    const int alignment = m_formType == QLatin1String("submit") ? 1 : m_verticalAlignment;
    // Text at the top stands there whatever its height: no measuring for it.
    if (alignment != 1 && alignment != 2)
        return 0;
    return alignedTextOffset(alignment, textContainerSize().height(), textHeight());
}

QSizeF DRVText::textContainerSize() const
{
    const int inset = cornerInset();
    const QRectF content = textContentRect();
    return QSizeF(content.width() - 2 * inset, content.height() - 2 * inset);
}

void DRVText::measureDeferredTextHeight()
{
    if (m_textHeightDeferred)
        measureTextHeight();
}

int DRVText::measureTextHeight()
{
    m_textHeightDeferred = false;
    QTextDocument* text = contents();
    const QSizeF container = textContainerSize();
    const QTextOption option = text->defaultTextOption();
    MeasuredHeight& last = m_measuredHeight;
    if (!last.valid || last.text != text || last.container != container || last.font != text->defaultFont() ||
        last.alignment != option.alignment() || last.wrapMode != option.wrapMode()) {
        const int height =
            text->isEmpty()
                ? 0
                : platform::truncToInt(QuibLayoutManager::usedRectForText(text, container).height());
        last = MeasuredHeight{
            true, text, container, text->defaultFont(), option.alignment(), option.wrapMode(), height};
    }
    setTextHeight(last.height);
    return last.height;
}

void DRVText::layoutContents()
{
    // A zoom bubble without a named outline gets an oval for rounded corners, else a rectangle.
    if (m_bubbleShape.isEmpty() && m_zoomBubbleFlag == 1)
        setBubbleShape(m_cornerRadius > 0 ? QStringLiteral("circle") : QStringLiteral("rectangle"));
    if (!m_bubbleShape.isEmpty() && m_bubbleShape != QLatin1String("circle") &&
        m_bubbleShape != QLatin1String("rectangle"))
        m_bubbleShapeBezierPath = DataCentre::grabShapeBezierPath(m_bubbleShape);

    // A palette entry picked while the colour selector sets the shape fill becomes the fill.
    if (m_fillColorIndex >= -98 && edition().gColorTargetType == 0) {
        const QString hex = paletteHexStringAtIndex(m_fillColorIndex);
        if (!hex.isNull()) {
            if (m_fillColorIndex == 0) {
                setFillColor(QColor(Qt::transparent));
            } else {
                const QColor colour = DataCentre::colorWithHexString(hex);
                if (m_fontColor != colour)
                    setFillColor(colour);
            }
        }
    }

    // A drawn border is at least 1 wide.
    if (isDrawingStroke() && isDrawnBorderStyle(m_borderStyle) && m_borderWidth == 0)
        setBorderWidth(1);

    drawBoxModel();
    if (!m_textHeightDeferred)
        measureTextHeight();
}

QRectF DRVText::drawingBounds() const
{
    return platform::rectUnion(DRVGraphic::drawingBounds(), m_bounds.adjusted(-1, -1, 1, 1));
}

GraphicPath DRVText::bezierPathForDrawing() const
{
    drawBoxModel();
    QTransform turn;
    DataCentre::transformRotatingAroundPoint(m_bounds.center(), m_rotationAngle, turn);

    // The border lies inside the box from its edge, as the page's CSS border does: the stroke runs
    // half its width in.
    const double halfBorder = pageBorderWidth(m_borderStyle, m_borderWidth) / 2.0;
    const double radius = std::max(0.0, m_cornerRadius - halfBorder);
    GraphicPath outline;
    outline.path = turn.map(platform::roundedRectPath(
        noMarginRect().adjusted(halfBorder, halfBorder, -halfBorder, -halfBorder), radius, radius));
    outline.lineWidth = m_borderWidth;

    QString shape = m_bubbleShape;
    if (shape.isEmpty() && m_zoomBubbleFlag == 1)
        shape = m_cornerRadius > 0 ? QStringLiteral("circle") : QStringLiteral("rectangle");
    if (shape == QLatin1String("circle")) {
        outline.path = platform::roundedRectPath(drawRect(), 1000, 1000);
    } else if (shape == QLatin1String("rectangle")) {
        outline.path = QPainterPath();
        outline.path.addRect(drawRect());
    } else if (!shape.isEmpty()) {
        const QPainterPath preset = m_bubbleShapeBezierPath.isEmpty() ? DataCentre::grabShapeBezierPath(shape)
                                                                      : m_bubbleShapeBezierPath;
        QTransform place;
        place.translate(drawRect().x(), drawRect().y());
        place.scale(double(float(m_bounds.width()) / 100.0f), double(float(m_bounds.height()) / 100.0f));
        outline.path = turn.map(place.map(preset));
    }
    return outline;
}

void DRVText::drawContentsInView(QPainter* painter, bool isBeingCreateOrEdited)
{
    layoutContents();
    if (!painter)
        return;
    const double opacity = std::clamp(m_opacity, 0.0, 1.0);
    if (opacity >= 1.0) {
        paintBoxAndText(painter, isBeingCreateOrEdited, false);
        return;
    }
    // The page fades the box as one (CSS opacity): box and text are drawn opaque into a layer,
    // which is laid down faded, so the text does not show the fill through itself.
    const QRectF area = drawingBounds();
    const double scale =
        std::clamp(std::sqrt(std::abs(painter->combinedTransform().determinant())), 1.0, 4.0);
    QImage layer(QSize(int(std::ceil(area.width() * scale)), int(std::ceil(area.height() * scale))),
                 QImage::Format_ARGB32_Premultiplied);
    if (layer.isNull())
        return;
    layer.fill(Qt::transparent);
    {
        QPainter onLayer(&layer);
        onLayer.scale(scale, scale);
        onLayer.translate(-area.topLeft());
        paintBoxAndText(&onLayer, isBeingCreateOrEdited, true);
    }
    painter->save();
    painter->setOpacity(painter->opacity() * opacity);
    painter->setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter->drawImage(area, layer);
    painter->restore();
}

void DRVText::paintBoxAndText(QPainter* painter, bool isBeingCreateOrEdited, bool opaque)
{
    const GraphicPath outline = bezierPathForDrawing();
    const QPainterPath& path = outline.path;
    const bool responsive = edition().gResponsiveLayoutFlag;
    const bool customShadow =
        m_shadowRadius != 0 && m_shadowHorizontalOffset != 0 && m_shadowVerticalOffset != 0;

    platform::Shadow shadow;
    if (m_shadowFlag == 1)
        // The page's "box-shadow: 0px 1px 1px #000000".
        shadow = {QColor(Qt::black), 1.0, QPointF(0, 1)};
    else if (m_zoomBubbleFlag == 1)
        shadow = {QColor(Qt::darkGray), 3.0, QPointF(0, 0)};
    else if (customShadow)
        shadow = {QColor(Qt::darkGray), m_shadowRadius,
                  QPointF(m_shadowHorizontalOffset, m_shadowVerticalOffset)};

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);

    if (isDrawingFill()) {
        QColor fill = fillColor();
        if (fill.isValid() && fill.alpha() > 0)
            fill = withAlpha(fill, 1.0);
        if (fill.isValid() && fill.alpha() > 0) {
            if (shadow.color.isValid())
                platform::drawShadowForPath(*painter, path, shadow);
            painter->fillPath(path, fill);
        }
    }

    if (isDrawingStroke()) {
        const QColor border = withAlpha(m_borderColor.isValid() ? m_borderColor : QColor(Qt::black), 1.0);
        const double width = m_borderWidth;
        QVector<double> dashes;
        double phase = 0;
        if (borderPen(m_borderStyle, width, &dashes, &phase)) {
            if (shadow.color.isValid())
                drawStrokeShadow(*painter, path, width, dashes, phase, shadow);
            platform::strokePath(*painter, path, border, width, dashes, phase);
        }
    }

    // What follows casts no shadow of the box's own.
    if (m_shadowFlag == 1 || (responsive && customShadow))
        shadow = platform::Shadow();

    if (!m_selectable && !edition().gNoTextOutlineFlag)
        platform::strokePath(*painter, path, Qt::blue, 1, {3, 1}, 3);

    if (m_formType == QLatin1String("checkbox") || m_formType == QLatin1String("radio"))
        painter->fillPath(path, Qt::white);

    if (responsive) {
        const auto guide = [painter](const QRectF& rect, const QColor& colour) {
            QPainterPath frame;
            frame.addRect(rect);
            platform::strokePath(*painter, frame, colour, 1, {3, 1}, 3);
        };
        guide(noPaddingNoMarginRect(), Qt::lightGray);
        guide(noMarginRect(), Qt::gray);
        guide(m_bounds, Qt::darkGray);
    }
    painter->restore();

    if (isBeingCreateOrEdited || contents()->isEmpty())
        return;

    QuibLayoutManager& layout = sharedLayoutManager();
    layout.setContainerSize(textContainerSize());
    layout.attach(contents(), opaque);
    if (!layout.glyphRangeIsEmpty()) {
        const int inset = cornerInset();
        const QRectF content = textContentRect().adjusted(inset, inset, -inset, -inset);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, true);
        painter->setRenderHint(QPainter::TextAntialiasing, true);
        // The text turns with its box, about the box's centre, as the page's transform turns it.
        QTransform turn;
        DataCentre::transformRotatingAroundPoint(m_bounds.center(), m_rotationAngle, turn);
        painter->setTransform(turn, true);

        const QPointF origin = content.topLeft() + QPointF(0, verticalTextOffset());

        if (shadow.color.isValid()) {
            // The text casts the shadow that is still set: draw it into a layer first.
            const QRectF used = layout.usedRect();
            const QSizeF container = layout.containerSize();
            const QRectF area(origin,
                              QSizeF(std::min(container.width(), used.right() + 1), used.bottom() + 2));
            const double scale =
                std::clamp(std::sqrt(std::abs(painter->combinedTransform().determinant())), 1.0, 4.0);
            QImage layer(QSize(int(std::ceil(area.width() * scale)), int(std::ceil(area.height() * scale))),
                         QImage::Format_ARGB32_Premultiplied);
            if (!layer.isNull()) {
                layer.fill(Qt::transparent);
                QPainter onLayer(&layer);
                onLayer.setRenderHint(QPainter::TextAntialiasing, true);
                onLayer.scale(scale, scale);
                layout.drawGlyphs(&onLayer, QPointF(0, 0));
                onLayer.end();
                platform::drawImageWithShadow(*painter, area, layer, shadow);
            }
        } else {
            layout.drawGlyphs(painter, origin);
        }
        painter->restore();
    }
    layout.detach();
}
