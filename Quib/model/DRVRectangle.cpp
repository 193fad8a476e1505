#include "model/DRVRectangle.h"

#include "platform/Drawing.h"

DRVRectangle::DRVRectangle(QObject* parent) : DRVGraphic(parent) {}

GraphicPath DRVRectangle::bezierPathForDrawing() const
{
    GraphicPath outline;
    outline.path = platform::roundedRectPath(bounds(), cornerRadius(), cornerRadius());
    if (strokeWidth() > 0)
        outline.lineWidth = strokeWidth();
    return outline;
}

void DRVRectangle::drawContentsInView(QPainter* painter, bool isBeingCreateOrEdited)
{
    Q_UNUSED(isBeingCreateOrEdited);
    paintBox(painter, bezierPathForDrawing().path);
}
