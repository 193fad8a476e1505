#include "model/GraphicRendering.h"

#include "platform/Geometry.h"

#include <QBuffer>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QtMath>

void GraphicRendering::drawGraphics(QPainter* painter, const QList<DRVGraphic*>& graphics, const QRectF& rect)
{
    if (!painter)
        return;
    for (qsizetype i = graphics.size() - 1; i >= 0; --i) {
        DRVGraphic* graphic = graphics.at(i);
        if (!graphic)
            continue;
        const QRectF drawingBounds = graphic->drawingBounds();
        if (!platform::rectIntersectsRect(drawingBounds, rect))
            continue;
        painter->save();
        painter->setClipRect(drawingBounds, Qt::IntersectClip);
        graphic->drawContentsInView(painter, false);
        painter->restore();
    }
}

QByteArray GraphicRendering::pdfDataWithGraphics(const QList<DRVGraphic*>& graphics)
{
    // A PDF page measures whole points, so the page takes the bounds rounded outwards.
    const QRectF bounds = platform::integralRect(DRVGraphic::drawingBoundsOfGraphics(graphics));
    if (platform::rectIsEmpty(bounds))
        return {};

    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(72); // one page pixel per point
        writer.setPageLayout(
            QPageLayout(QPageSize(bounds.size(), QPageSize::Point, QString(), QPageSize::ExactMatch),
                        QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Point));
        writer.setCreator(QStringLiteral("Quib"));
        QPainter painter;
        if (!painter.begin(&writer))
            return {};
        painter.translate(-bounds.topLeft());
        painter.fillRect(bounds, Qt::white);
        drawGraphics(&painter, graphics, bounds);
        painter.end();
    }
    buffer.close();
    return data;
}

QByteArray GraphicRendering::tiffDataWithGraphics(const QList<DRVGraphic*>& graphics, GraphicError* error)
{
    const QRectF bounds = DRVGraphic::drawingBoundsOfGraphics(graphics);
    const QSize size(qCeil(bounds.width()), qCeil(bounds.height()));
    QImage image;
    if (!platform::rectIsEmpty(bounds))
        image = QImage(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        if (error)
            *error = graphicErrorWithCode(3);
        return {};
    }
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.translate(-bounds.topLeft());
        drawGraphics(&painter, graphics, bounds);
    }

    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "TIFF")) {
        if (error)
            *error = graphicErrorWithCode(3);
        return {};
    }
    return data;
}
