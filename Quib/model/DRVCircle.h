// An oval inscribed in its bounds.
#pragma once
#include "model/DRVGraphic.h"

class DRVCircle : public DRVGraphic
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit DRVCircle(QObject* parent = nullptr);

    // The oval inscribed in bounds, stroked with strokeWidth whatever its value.
    GraphicPath bezierPathForDrawing() const override;
    // Inside the oval, not merely inside bounds.
    bool isContentsUnderPoint(QPointF point) override;
    void drawContentsInView(QPainter* painter, bool isBeingCreateOrEdited) override;
};
