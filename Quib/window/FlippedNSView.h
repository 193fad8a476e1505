// A plain container whose origin is the top left (as every widget's is here). It remembers where the
// context menu was last asked for, and can frame a rectangle in red to mark a drop target.
#pragma once
#include <QPointF>
#include <QPointer>
#include <QRectF>
#include <QWidget>

class QContextMenuEvent;
class QMenu;
class QPainter;

class FlippedNSView : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QPointF lastTouchPoint READ lastTouchPoint WRITE setLastTouchPoint)
public:
    explicit FlippedNSView(QWidget* parent = nullptr);

    QPointF lastTouchPoint() const { return m_lastTouchPoint; }
    void setLastTouchPoint(QPointF point) { m_lastTouchPoint = point; }

    // The menu shown on a right click; nullptr shows none.
    void setContextMenu(QMenu* menu) { m_menu = menu; }
    // Records the event's position, in the view's own coordinates, as the last touch point and
    // answers the context menu.
    QMenu* menuForEvent(const QContextMenuEvent* event);

    // Strokes a red rounded frame, 10 wide, just inside rect; nothing when the view is taller than
    // rect (the frame would cut through the content).
    void drawBorder(QPainter* painter, const QRectF& rect) const;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QPointF m_lastTouchPoint;
    QPointer<QMenu> m_menu;
};
