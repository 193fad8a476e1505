#include "window/LockedSplitterHandle.h"

#include <QMouseEvent>

LockedSplitterHandle::LockedSplitterHandle(Qt::Orientation orientation, QSplitter* parent,
                                           std::function<bool(const QSplitterHandle*)> isLocked)
    : QSplitterHandle(orientation, parent), m_isLocked(std::move(isLocked))
{
}

void LockedSplitterHandle::enterEvent(QEnterEvent* event)
{
    setCursor(isLocked() ? Qt::ArrowCursor
                         : (orientation() == Qt::Horizontal ? Qt::SplitHCursor : Qt::SplitVCursor));
    QSplitterHandle::enterEvent(event);
}

void LockedSplitterHandle::mousePressEvent(QMouseEvent* event)
{
    if (isLocked())
        event->accept();
    else
        QSplitterHandle::mousePressEvent(event);
}

void LockedSplitterHandle::mouseMoveEvent(QMouseEvent* event)
{
    if (isLocked())
        event->accept();
    else
        QSplitterHandle::mouseMoveEvent(event);
}

void LockedSplitterHandle::mouseReleaseEvent(QMouseEvent* event)
{
    if (isLocked())
        event->accept();
    else
        QSplitterHandle::mouseReleaseEvent(event);
}
