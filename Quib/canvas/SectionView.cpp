#include "canvas/SectionView.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>

SectionView::SectionView(const QRect& frame, QWidget* parent) : QWidget(parent), m_tileWidth(frame.width())
{
    setGeometry(frame);
    setMinimumWidth(20);
}

void SectionView::setButton(QPushButton* button)
{
    delete m_button;
    m_button = button;
    if (button) {
        button->setParent(this);
        button->setGeometry(10, 10, 30, 30);
        button->show();
    }
}

void SectionView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), QColor(0xFF, 0xD7, 0x00));
    painter.setPen(QPen(Qt::black, 5));
    painter.drawRect(rect());
}
