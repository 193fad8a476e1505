// Image encoding, scaling, cropping, rotation and tinting, and the whole-number size helpers.
#include "editions/DataCentre.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <cmath>
#include <limits>

namespace {

// Stands in when a scaled image cannot be made: a small fully transparent picture.
QImage clearIcon()
{
    QImage icon(16, 16, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    return icon;
}

// The screen's backing scale as a whole number; 1 with no screen.
int backingScaleFactor()
{
    if (!qGuiApp)
        return 1;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return 1;
    return std::max(1, int(screen->devicePixelRatio()));
}

// A transparent image of `logical` points at `ratio` pixels per point; null when it cannot be made.
QImage blankImage(QSizeF logical, qreal ratio)
{
    QImage image(int(logical.width() * ratio), int(logical.height() * ratio),
                 QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return image;
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    return image;
}

// The encoders store the image's size in points with the data: 72 dots per inch at one pixel per
// point, so a double-resolution image reads back as 144 dpi.
QImage withPointResolution(const QImage& image)
{
    QImage copy = image;
    const int dotsPerMeter = qRound(72.0 * image.devicePixelRatio() / 0.0254);
    copy.setDotsPerMeterX(dotsPerMeter);
    copy.setDotsPerMeterY(dotsPerMeter);
    return copy;
}

QByteArray encode(const QImage& image, const char* format, int quality)
{
    if (image.isNull())
        return {};
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    if (!withPointResolution(image).save(&buffer, format, quality))
        return {};
    return data;
}

// Whole-number side: truncated toward zero, 0 counts as 1.
qint64 wholeSide(qreal side)
{
    const qint64 whole = qint64(side);
    return whole == 0 ? 1 : whole;
}

int clampToInt(qint64 value)
{
    return int(std::clamp<qint64>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

} // namespace

QByteArray DataCentre::JPEGRepresentationOfImage(const QImage& image, float compression)
{
    if (compression == 0.0f)
        compression = 1.0f;
    // Below 1.0 the factor sets the quality; at 1.0 and above the encoder's own default is used.
    const int quality = compression < 1.0f ? qRound(std::max(0.0f, compression) * 100.0f) : -1;
    return encode(image, "JPG", quality);
}

QByteArray DataCentre::PNGRepresentationOfImage(const QImage& image)
{
    return encode(image, "PNG", -1);
}

QSize DataCentre::returnNewSizeMatchWidthRegardlessOfHeight(QSizeF size, int width)
{
    // 64-bit products so that large pictures cannot overflow; results are the 32-bit ones otherwise.
    const qint64 w = wholeSide(size.width());
    const qint64 h = wholeSide(size.height());
    return QSize(width, clampToInt(h * width / w));
}

QSize DataCentre::returnNewSizeWithWidth(QSizeF size, int length)
{
    const qint64 w = wholeSide(size.width());
    const qint64 h = wholeSide(size.height());
    if (w < h)
        return QSize(clampToInt(w * length / h), length);
    return QSize(length, clampToInt(h * length / w));
}

namespace {

// The size asked for is in pixels; the new image has that many pixels at the screen's scale.
QSizeF logicalSizeFor(QSizeF size, int scale)
{
    return QSizeF(float(size.width()) / float(scale), float(size.height()) / float(scale));
}

} // namespace

QSize DataCentre::imageWithImagePixelSize(QSizeF size)
{
    const int scale = backingScaleFactor();
    const QSizeF logical = logicalSizeFor(size, scale);
    return QSize(int(logical.width() * scale), int(logical.height() * scale));
}

QImage DataCentre::imageWithImage(const QImage& image, QSizeF size)
{
    const int scale = backingScaleFactor();
    QSizeF logical = logicalSizeFor(size, scale);
    if (logical.width() == 0 || logical.height() == 0)
        logical = image.deviceIndependentSize();
    if (image.isNull())
        return {};
    QImage scaled = blankImage(logical, scale);
    if (scaled.isNull())
        return clearIcon();
    QPainter painter;
    if (!painter.begin(&scaled))
        return clearIcon();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QRectF(QPointF(0, 0), logical), image);
    painter.end();
    return scaled;
}

QImage DataCentre::cropImage(const QImage& image, const QRectF& source, const QRectF& target)
{
    const qreal ratio = image.isNull() ? 1.0 : image.devicePixelRatio();
    QImage cropped = blankImage(target.size(), ratio);
    if (cropped.isNull() || image.isNull())
        return cropped;
    QPainter painter(&cropped);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    // The source rectangle is in points; drawImage reads it in the image's pixels.
    const QRectF sourcePixels(source.topLeft() * ratio, source.size() * ratio);
    painter.drawImage(target, image, sourcePixels);
    return cropped;
}

QImage DataCentre::rotateImage(const QImage& image, float degrees)
{
    if (image.isNull())
        return {};
    const float angle = std::fmod(degrees, 360.0f);
    const QSizeF size = image.deviceIndependentSize();
    QSizeF turned;
    if (angle == -270.0f || angle == -90.0f || angle == 90.0f || angle == 270.0f)
        turned = size.transposed();
    else if (angle == 180.0f || angle == -180.0f)
        turned = size;
    else {
        const qreal side = std::max(size.width(), size.height()) + 20.0;
        turned = QSizeF(side, side);
    }
    QImage rotated = blankImage(turned, image.devicePixelRatio());
    if (rotated.isNull())
        return rotated;
    QPainter painter(&rotated);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    // Pictures are turned as they were on a y-up surface: positive is counter-clockwise as seen, so
    // the angle changes sign on this y-down one.
    painter.translate(turned.width() / 2.0, turned.height() / 2.0);
    painter.rotate(-angle);
    painter.drawImage(QPointF(-size.width() / 2.0, -size.height() / 2.0), image);
    return rotated;
}

QImage& DataCentre::imageTintedWithColor(QImage& image, const QColor& color)
{
    if (!color.isValid() || image.isNull())
        return image;
    // QPainter cannot draw into indexed or one-bit images; they are widened first.
    const QImage::Format format = image.format();
    if (format == QImage::Format_Indexed8 || format == QImage::Format_Mono ||
        format == QImage::Format_MonoLSB)
        image.convertTo(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_SourceAtop);
    painter.fillRect(QRectF(QPointF(0, 0), image.deviceIndependentSize()), color);
    return image;
}

QTransform& DataCentre::transformRotatingAroundPoint(QPointF point, double degrees, QTransform& transform)
{
    transform.translate(point.x(), point.y());
    transform.rotate(degrees);
    transform.translate(-point.x(), -point.y());
    return transform;
}
