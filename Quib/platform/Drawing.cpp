#include "platform/Drawing.h"

#include <QPaintDevice>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace platform {
namespace {

// Device pixels per painter unit (the painter's combined transform already holds the device's
// pixel ratio).
double deviceScaleOf(const QPainter& painter)
{
    const double det = std::abs(painter.combinedTransform().determinant());
    return det > 0 && std::isfinite(det) ? std::sqrt(det) : 1.0;
}

// Box widths whose three passes approximate a Gaussian of the given sigma.
std::vector<int> boxRadiiForGauss(double sigma)
{
    const int passes = 3;
    const double ideal = std::sqrt(12 * sigma * sigma / passes + 1);
    int lower = int(std::floor(ideal));
    if (lower % 2 == 0)
        --lower;
    const int upper = lower + 2;
    const double mIdeal =
        (12 * sigma * sigma - passes * lower * lower - 4 * passes * lower - 3 * passes) / (-4.0 * lower - 4);
    const int m = int(std::lround(mIdeal));
    std::vector<int> radii;
    for (int i = 0; i < passes; ++i)
        radii.push_back(((i < m ? lower : upper) - 1) / 2);
    return radii;
}

// One box pass along rows (step 1) or columns (step width) of an alpha plane; outside is transparent.
void boxPass(std::vector<quint8>& plane, int width, int height, int radius, bool horizontal)
{
    if (radius <= 0)
        return;
    const int lines = horizontal ? height : width;
    const int length = horizontal ? width : height;
    const int step = horizontal ? 1 : width;
    const int window = 2 * radius + 1;
    std::vector<quint8> line(size_t(length), 0);
    for (int l = 0; l < lines; ++l) {
        quint8* base = plane.data() + (horizontal ? size_t(l) * size_t(width) : size_t(l));
        for (int i = 0; i < length; ++i)
            line[size_t(i)] = base[size_t(i) * size_t(step)];
        int sum = 0;
        for (int i = 0; i <= radius && i < length; ++i)
            sum += line[size_t(i)];
        for (int i = 0; i < length; ++i) {
            base[size_t(i) * size_t(step)] = quint8((sum + window / 2) / window);
            const int enter = i + radius + 1;
            const int leave = i - radius;
            if (enter < length)
                sum += line[size_t(enter)];
            if (leave >= 0)
                sum -= line[size_t(leave)];
        }
    }
}

void blurAlpha(std::vector<quint8>& plane, int width, int height, double sigma)
{
    if (sigma < 0.3)
        return;
    for (const int radius : boxRadiiForGauss(sigma)) {
        boxPass(plane, width, height, radius, true);
        boxPass(plane, width, height, radius, false);
    }
}

// Renders the silhouette drawn by drawShape in device pixels, blurs and tints it, and draws it
// offset. userBounds bounds what drawShape paints, in painter units.
void renderShadow(QPainter& painter, const QRectF& userBounds, const Shadow& shadow,
                  const std::function<void(QPainter&)>& drawShape)
{
    if (!shadow.color.isValid() || shadow.color.alpha() == 0 || !userBounds.isValid())
        return;
    const QTransform toDevice = painter.combinedTransform();
    const double scale = deviceScaleOf(painter);
    const double sigma = std::max(0.0, shadow.blurRadius) * scale / 2;
    const int margin = int(std::ceil(3 * sigma)) + 2;
    const QPointF offset = toDevice.map(shadow.offset) - toDevice.map(QPointF(0, 0));
    if (!std::isfinite(offset.x()) || !std::isfinite(offset.y()))
        return;

    QRect area = toDevice.mapRect(userBounds).toAlignedRect().adjusted(-margin, -margin, margin, margin);
    // Only what can land on the device (or inside the clip) is rendered, shifted back by the offset.
    QRectF visible = painter.viewport();
    if (const QPaintDevice* device = painter.device()) {
        const double ratio = std::max(1.0, device->devicePixelRatioF());
        visible = visible.united(QRectF(0, 0, device->width() * ratio, device->height() * ratio));
    }
    if (painter.hasClipping())
        visible = visible.intersected(toDevice.mapRect(painter.clipBoundingRect()));
    area = area.intersected(
        visible.translated(-offset).toAlignedRect().adjusted(-margin, -margin, margin, margin));
    if (area.isEmpty())
        return;

    QImage silhouette(area.size(), QImage::Format_ARGB32_Premultiplied);
    silhouette.fill(Qt::transparent);
    {
        QPainter p(&silhouette);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.setTransform(toDevice * QTransform::fromTranslate(-area.left(), -area.top()));
        drawShape(p);
    }

    const int w = area.width();
    const int h = area.height();
    std::vector<quint8> alpha(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(silhouette.constScanLine(y));
        for (int x = 0; x < w; ++x)
            alpha[size_t(y) * size_t(w) + size_t(x)] = quint8(qAlpha(row[x]));
    }
    blurAlpha(alpha, w, h, sigma);

    const QColor c = shadow.color.toRgb();
    const int ca = c.alpha();
    for (int y = 0; y < h; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(silhouette.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int a = alpha[size_t(y) * size_t(w) + size_t(x)] * ca / 255;
            row[x] = qRgba(c.red() * a / 255, c.green() * a / 255, c.blue() * a / 255, a);
        }
    }

    painter.save();
    // Draw in device pixels: undo whatever maps painter units to the device.
    painter.resetTransform();
    painter.setWorldTransform(painter.combinedTransform().inverted());
    painter.drawImage(QPointF(area.topLeft()) + offset, silhouette);
    painter.restore();
}

} // namespace

QPen makePen(const QColor& color, double width, const QVector<double>& dashes, double phase,
             Qt::PenCapStyle cap, Qt::PenJoinStyle join, double deviceScale)
{
    QPen pen(color);
    pen.setCapStyle(cap);
    pen.setJoinStyle(join);
    // QPen measures dashes in pen widths: one such unit in painter units.
    double unit = width;
    if (!(width > 0) || !std::isfinite(width)) {
        pen.setCosmetic(true);
        pen.setWidthF(1);
        unit = deviceScale > 0 && std::isfinite(deviceScale) ? 1 / deviceScale : 1;
    } else {
        pen.setWidthF(width);
    }

    bool usable = !dashes.isEmpty();
    bool anyLength = false;
    for (const double d : dashes) {
        if (!(d >= 0) || !std::isfinite(d))
            usable = false;
        if (d > 0)
            anyLength = true;
    }
    if (!usable || !anyLength)
        return pen;

    QVector<qreal> pattern;
    for (const double d : dashes)
        pattern.append(d / unit);
    if (pattern.size() % 2 != 0)
        pattern += pattern;
    pen.setDashPattern(pattern);
    if (std::isfinite(phase))
        pen.setDashOffset(phase / unit);
    return pen;
}

void strokePath(QPainter& painter, const QPainterPath& path, const QColor& color, double width,
                const QVector<double>& dashes, double phase, Qt::PenCapStyle cap, Qt::PenJoinStyle join)
{
    painter.save();
    painter.setPen(makePen(color, width, dashes, phase, cap, join, deviceScaleOf(painter)));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.restore();
}

void drawShadowForPath(QPainter& painter, const QPainterPath& path, const Shadow& shadow)
{
    if (path.isEmpty())
        return;
    renderShadow(painter, path.controlPointRect(), shadow, [&path](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawPath(path);
    });
}

void fillPathWithShadow(QPainter& painter, const QPainterPath& path, const QBrush& brush,
                        const Shadow& shadow)
{
    drawShadowForPath(painter, path, shadow);
    painter.fillPath(path, brush);
}

void drawImageWithShadow(QPainter& painter, const QRectF& target, const QImage& image, const Shadow& shadow)
{
    if (image.isNull() || !target.isValid())
        return;
    renderShadow(painter, target, shadow, [&](QPainter& p) { p.drawImage(target, image); });
    painter.drawImage(target, image);
}

QPainterPath roundedRectPath(const QRectF& rect, double rx, double ry)
{
    const QRectF r = rect.normalized();
    QPainterPath path;
    const double cx = std::min(std::isfinite(rx) ? rx : 0.0, r.width() / 2);
    const double cy = std::min(std::isfinite(ry) ? ry : 0.0, r.height() / 2);
    if (cx <= 0 || cy <= 0)
        path.addRect(r);
    else
        path.addRoundedRect(r, cx, cy, Qt::AbsoluteSize);
    return path;
}

} // namespace platform
