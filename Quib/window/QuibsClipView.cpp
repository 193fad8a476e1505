#include "window/QuibsClipView.h"

#include <QPaintEvent>

QuibsClipView::QuibsClipView(QWidget* parent) : QWidget(parent)
{
    // Nothing painted earlier is kept: each paint covers the rectangle it is given.
    setAttribute(Qt::WA_StaticContents, false);
}

void QuibsClipView::refreshMe()
{
    ++m_refreshCount;
    if (isVisible())
        repaint(rect());
    update();
}

void QuibsClipView::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
}
