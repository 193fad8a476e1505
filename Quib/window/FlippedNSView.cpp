#include "window/FlippedNSView.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

FlippedNSView::FlippedNSView(QWidget* parent) : QWidget(parent) {}

QMenu* FlippedNSView::menuForEvent(const QContextMenuEvent* event)
{
    if (event)
        m_lastTouchPoint = QPointF(event->pos());
    return m_menu;
}

void FlippedNSView::contextMenuEvent(QContextMenuEvent* event)
{
    if (QMenu* menu = menuForEvent(event)) {
        menu->popup(event->globalPos());
        event->accept();
        return;
    }
    QWidget::contextMenuEvent(event);
}

void FlippedNSView::paintEvent(QPaintEvent*)
{
    // Only the children draw.
}

void FlippedNSView::drawBorder(QPainter* painter, const QRectF& rect) const
{
    if (!painter || height() > rect.height())
        return;
    QPainterPath path;
    path.addRoundedRect(QRectF(rect.x() + 2, rect.y() + 2, rect.width() - 3, rect.height() - 3), 10, 10);
    painter->save();
    painter->setPen(QPen(Qt::red, 10));
    painter->setBrush(Qt::NoBrush);
    painter->drawPath(path);
    painter->restore();
}
