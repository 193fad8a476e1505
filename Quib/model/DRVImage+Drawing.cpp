// The picture's layout step and painting: border and shadow on the outline, then the picture
// mirrored, masked or clipped to its bubble and scaled into the content rectangle.
#include "model/DRVImage.h"

#include "editions/DataCentre.h"
#include "platform/Drawing.h"
#include "platform/Geometry.h"

#include <QPainter>
#include <QPainterPathStroker>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace {

bool isCircleBubble(const QString& shape)
{
    return shape.isEmpty() || shape == QLatin1String("circle");
}

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

// A preset outline drawn on a 0-100 square, scaled to size (single precision) and moved to origin.
QPainterPath placedPreset(const QPainterPath& preset, QPointF origin, QSizeF size)
{
    QTransform place;
    place.translate(origin.x(), origin.y());
    place.scale(double(float(size.width()) / 100.0f), double(float(size.height()) / 100.0f));
    return place.map(preset);
}

} // namespace

void DRVImage::layoutContents()
{
    if (m_borderWidth > 0 && m_borderStyle == QLatin1String("none"))
        setBorderStyle(QStringLiteral("solid"));
    if (m_bubbleFlag == 1) {
        if (isCircleBubble(m_bubbleShape))
            setBubbleShape(QStringLiteral("circle"));
        else
            m_bubbleShapeBezierPath = DataCentre::grabShapeBezierPath(m_bubbleShape);
    } else if (m_slideShowNumber == -99) {
        setMaskFlag(m_maskImage.isNull() ? 0 : 1);
    }
    drawBoxModel();
}

GraphicPath DRVImage::bezierPathForDrawing() const
{
    drawBoxModel();
    QTransform turn;
    DataCentre::transformRotatingAroundPoint(m_bounds.center(), m_rotationAngle, turn);
    const QRectF rect = drawRect();

    GraphicPath outline;
    outline.lineWidth = m_borderWidth;
    QPainterPath plain;
    plain.addRect(rect);
    outline.path = turn.map(plain);
    if (m_bubbleFlag == 1) {
        if (isCircleBubble(m_bubbleShape)) {
            outline.path = platform::roundedRectPath(rect, 1000, 1000);
        } else {
            const QPainterPath preset = m_bubbleShapeBezierPath.isEmpty()
                                            ? DataCentre::grabShapeBezierPath(m_bubbleShape)
                                            : m_bubbleShapeBezierPath;
            outline.path = turn.map(placedPreset(preset, rect.topLeft(), rect.size()));
        }
    }
    return outline;
}

QImage DRVImage::composedPicture() const
{
    if (m_slideShowNumber != -99 || m_contents.isNull())
        return {};
    const int w = m_contents.width();
    const int h = m_contents.height();
    const QRectF whole(0, 0, w, h);

    if (m_bubbleFlag == 1) {
        QImage clipped(w, h, QImage::Format_ARGB32_Premultiplied);
        clipped.fill(Qt::transparent);
        QPainter painter(&clipped);
        painter.setRenderHint(QPainter::Antialiasing, true);
        const QPainterPath clip = isCircleBubble(m_bubbleShape)
                                      ? platform::roundedRectPath(whole, 1000, 1000)
                                      : placedPreset(m_bubbleShapeBezierPath.isEmpty()
                                                         ? DataCentre::grabShapeBezierPath(m_bubbleShape)
                                                         : m_bubbleShapeBezierPath,
                                                     QPointF(0, 0), whole.size());
        painter.setClipPath(clip);
        painter.drawImage(whole, m_contents);
        return clipped;
    }
    if (m_maskImage.isNull())
        return m_contents;

    // The grey mask, drawn over the picture's size: white shows the picture, black hides it, and
    // what the mask does not cover stays hidden.
    QImage grey(w, h, QImage::Format_Grayscale8);
    grey.fill(0);
    {
        QPainter painter(&grey);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.drawImage(whole, m_maskImage);
    }
    QImage masked = m_contents.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < h; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(masked.scanLine(y));
        const uchar* level = grey.constScanLine(y);
        for (int x = 0; x < w; ++x) {
            const int k = level[x];
            const QRgb p = row[x];
            row[x] = qRgba(qRed(p) * k / 255, qGreen(p) * k / 255, qBlue(p) * k / 255, qAlpha(p) * k / 255);
        }
    }
    return masked;
}

void DRVImage::drawContentsInView(QPainter* painter, bool isBeingCreateOrEdited)
{
    Q_UNUSED(isBeingCreateOrEdited);
    layoutContents();
    if (!painter)
        return;

    const QRectF content = contentRect();
    const int h = platform::truncToInt(m_shadowHorizontalOffset);
    const int v = platform::truncToInt(m_shadowVerticalOffset);
    const double W = m_contents.width();
    const double H = m_contents.height();
    // The picture fills the content rectangle less twice the shadow offsets, moved by them; a
    // mirrored picture is mirrored within that drawn size, so it stays inside its box.
    const double drawnWidth = content.width() - 2 * std::abs(h);
    const double drawnHeight = content.height() - 2 * std::abs(v);
    QTransform picture;
    picture.translate(content.x() + m_shadowHorizontalOffset, content.y() + m_shadowVerticalOffset);
    picture.translate(m_flippedHorizontally ? drawnWidth : 0, m_flippedVertically ? drawnHeight : 0);
    picture.scale(m_flippedHorizontally ? -1 : 1, m_flippedVertically ? -1 : 1);
    if (W > 0 && H > 0)
        picture.scale(drawnWidth / W, drawnHeight / H);

    const GraphicPath outline = bezierPathForDrawing();
    platform::Shadow shadow;
    if (m_shadowFlag == 1)
        shadow = {QColor(Qt::darkGray), 3.0, QPointF(0, 2)};
    else if (m_shadowRadius != 0)
        shadow = {QColor(Qt::darkGray), m_shadowRadius,
                  QPointF(m_shadowHorizontalOffset, m_shadowVerticalOffset)};

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    QColor border = m_borderColor;
    const double width = m_borderWidth;
    QVector<double> dashes;
    double phase = 0;
    if (border.isValid() && border.alpha() > 0 && borderPen(m_borderStyle, width, &dashes, &phase)) {
        border.setAlphaF(float(std::clamp(m_opacity, 0.0, 1.0)));
        if (shadow.color.isValid()) {
            QPainterPathStroker stroker(platform::makePen(Qt::black, std::max(width, 1.0), dashes, phase));
            platform::drawShadowForPath(*painter, stroker.createStroke(outline.path), shadow);
        }
        platform::strokePath(*painter, outline.path, border, width, dashes, phase);
    }
    painter->restore();
    // With a border, the border alone casts the fixed shadow.
    if (m_shadowFlag == 1 && m_borderWidth > 0)
        shadow = platform::Shadow();

    const QImage drawn = composedPicture();
    if (drawn.isNull() || W <= 0 || H <= 0)
        return;

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setRenderHint(QPainter::SmoothPixmapTransform, true);
    QTransform turn;
    DataCentre::transformRotatingAroundPoint(m_bounds.center(), m_rotationAngle, turn);
    painter->setTransform(turn, true);
    painter->setTransform(picture, true);
    painter->setOpacity(painter->opacity() * std::clamp(m_opacity, 0.0, 1.0));
    const QRectF whole(0, 0, W, H);
    if (shadow.color.isValid()) {
        // The shadow keeps its canvas offset and blur whatever the picture's scale and mirroring.
        const QTransform toCanvas = picture * turn;
        const QTransform linear(toCanvas.m11(), toCanvas.m12(), toCanvas.m21(), toCanvas.m22(), 0, 0);
        const double scale = std::sqrt(std::abs(linear.determinant()));
        if (linear.isInvertible() && scale > 0) {
            shadow.offset = linear.inverted().map(shadow.offset);
            shadow.blurRadius /= scale;
            platform::drawImageWithShadow(*painter, whole, drawn, shadow);
        } else {
            painter->drawImage(whole, drawn);
        }
    } else {
        painter->drawImage(whole, drawn);
    }
    painter->restore();
}
