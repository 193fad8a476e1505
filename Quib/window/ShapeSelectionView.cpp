#include "window/ShapeSelectionView.h"

#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "platform/Drawing.h"

#include <QPainter>

ShapeSelectionView::ShapeSelectionView(const QRectF& frame, QObject* parent) : QObject(parent), m_frame(frame)
{
}

QPainterPath ShapeSelectionView::bezierPathForDrawing(QPainter& painter) const
{
    const QPainterPath path = platform::roundedRectPath(bounds(), m_cornerRadius, m_cornerRadius);
    if (m_shadowFlag) {
        // Black, blur 3, two points below the shape on the y-down page.
        platform::drawShadowForPath(painter, path, {QColor(Qt::black), 3, QPointF(0, 2)});
    }
    if (m_borderStyle == QLatin1String("solid")) {
        platform::strokePath(painter, path, m_borderColor, m_borderWidth);
    } else if (m_borderStyle == QLatin1String("dashed")) {
        platform::strokePath(painter, path, m_borderColor, m_borderWidth, {5, 5}, 5);
    } else if (m_borderStyle == QLatin1String("dotted")) {
        platform::strokePath(painter, path, m_borderColor, m_borderWidth, {3, 1}, 3);
    }
    if (m_isDrawingFill) {
        QColor fill = m_fillColor;
        // A clear fill stays clear; any other takes the preset's opacity.
        if (fill.alpha() != 0)
            fill.setAlphaF(qBound(0.0f, m_opacity, 1.0f));
        painter.fillPath(path, fill);
    }
    return path;
}

void ShapeSelectionView::installPresetFactories()
{
    PresetFactories& factories = presetFactories();
    factories.createDefaultTextView = [](const QString& fillColor, const QString& textColor,
                                         const std::optional<QFont>& font, const QString& name) {
        return std::shared_ptr<QObject>(DataCentre::createDefaultTextView(fillColor, textColor, font, name));
    };
    factories.createBatchOfShapes = [](const QString& color) {
        QList<std::shared_ptr<QObject>> shapes;
        for (const std::shared_ptr<ShapeSelectionView>& shape : DataCentre::createBatchOfShapes(color))
            shapes.append(shape);
        return shapes;
    };
}
