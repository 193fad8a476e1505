#include "window/CustomSplitView.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPen>

CustomSplitView::CustomSplitView(QWidget* parent) : QSplitter(parent) {}

CustomSplitView::CustomSplitView(Qt::Orientation orientation, QWidget* parent)
    : QSplitter(orientation, parent)
{
}

void CustomSplitView::paintEvent(QPaintEvent* event)
{
    QSplitter::paintEvent(event);
    QPainter painter(this);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    const QRect r = event->rect();
    painter.drawRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5));
}
