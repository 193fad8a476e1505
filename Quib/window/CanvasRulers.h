// The canvas's two rulers: placed on the zooming scroll view, following its scroll bars and the
// zoom, all in one unit, and echoing the edges of a graphic the canvas moves.
#pragma once
#include "canvas/DRVGraphicView.h"

#include <QObject>
#include <QPointer>

class DRVZoomingScrollView;
class RulerWidget;

class CanvasRulers : public QObject, public DRVRulerEcho
{
    Q_OBJECT
public:
    // Puts both rulers on the scroll view and becomes the canvas's ruler echo.
    CanvasRulers(DRVZoomingScrollView* scrollView, DRVGraphicView* canvas, QObject* parent = nullptr);
    ~CanvasRulers() override;

    RulerWidget* horizontalRuler() const { return m_horizontal; }
    RulerWidget* verticalRuler() const { return m_vertical; }
    void setUnitName(const QString& unitName);
    void setScale(double scale);

    bool rulersVisible() const override;
    void moveRulerlineFromLocation(Qt::Orientation ruler, double from, double to) override;

private:
    QPointer<DRVZoomingScrollView> m_scrollView;
    QPointer<DRVGraphicView> m_canvas;
    QPointer<RulerWidget> m_horizontal;
    QPointer<RulerWidget> m_vertical;
};
