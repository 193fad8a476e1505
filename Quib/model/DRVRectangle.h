// A plain rectangle, optionally with rounded corners.
#pragma once
#include "model/DRVGraphic.h"

class DRVRectangle : public DRVGraphic
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit DRVRectangle(QObject* parent = nullptr);

    // A rounded rectangle on bounds with radius cornerRadius, stroked with strokeWidth (1 when the
    // width is 0 or less).
    GraphicPath bezierPathForDrawing() const override;
    void drawContentsInView(QPainter* painter, bool isBeingCreateOrEdited) override;
};
