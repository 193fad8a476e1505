#include "model/DRVCircle.h"

DRVCircle::DRVCircle(QObject* parent) : DRVGraphic(parent) {}

GraphicPath DRVCircle::bezierPathForDrawing() const
{
    GraphicPath outline;
    outline.path.setFillRule(Qt::WindingFill);
    outline.path.addEllipse(bounds());
    outline.lineWidth = strokeWidth();
    return outline;
}

bool DRVCircle::isContentsUnderPoint(QPointF point)
{
    return bezierPathForDrawing().path.contains(point);
}

void DRVCircle::drawContentsInView(QPainter* painter, bool isBeingCreateOrEdited)
{
    Q_UNUSED(isBeingCreateOrEdited);
    paintBox(painter, bezierPathForDrawing().path);
}
