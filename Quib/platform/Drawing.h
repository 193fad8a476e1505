// QPainter helpers for what the page's drawing expects and QPainter does differently: dash patterns in
// absolute units, the thinnest line for width 0, drop shadows and clamped rounded rectangles.
#pragma once
#include <QBrush>
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPointF>
#include <QRectF>
#include <QVector>

namespace platform {

// Dash lengths and phase are in the painter's units, as is width. Width 0 draws the thinnest line the
// device shows (one device pixel) with its dashes still measured in the painter's units. deviceScale
// is the device pixels per painter unit; strokePath works it out from the painter. An odd number of
// dashes repeats the pattern; a pattern with no positive length draws a solid line.
QPen makePen(const QColor& color, double width, const QVector<double>& dashes = {}, double phase = 0,
             Qt::PenCapStyle cap = Qt::FlatCap, Qt::PenJoinStyle join = Qt::MiterJoin,
             double deviceScale = 1);

void strokePath(QPainter& painter, const QPainterPath& path, const QColor& color, double width,
                const QVector<double>& dashes = {}, double phase = 0, Qt::PenCapStyle cap = Qt::FlatCap,
                Qt::PenJoinStyle join = Qt::MiterJoin);

// A drop shadow. Blur radius and offset are in the painter's units, so the shadow scales with the
// painter's transform; the offset is y-down (positive y moves the shadow down the page), unlike the
// y-up offsets of the original platform.
struct Shadow
{
    QColor color;
    double blurRadius = 0;
    QPointF offset;
};

// The shadow alone: the shape rendered offscreen, blurred, tinted with the colour, drawn offset.
void drawShadowForPath(QPainter& painter, const QPainterPath& path, const Shadow& shadow);
// The shadow, then the shape filled over it.
void fillPathWithShadow(QPainter& painter, const QPainterPath& path, const QBrush& brush,
                        const Shadow& shadow);
// The image's own outline (its alpha) casts the shadow; then the image is drawn into target.
void drawImageWithShadow(QPainter& painter, const QRectF& target, const QImage& image, const Shadow& shadow);

// Radii are clamped to half the width and height; a radius of 0 or less gives a plain rectangle.
QPainterPath roundedRectPath(const QRectF& rect, double rx, double ry);

} // namespace platform
