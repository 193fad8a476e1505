#include "window/WindowSplitView.h"

#include "window/LockedSplitterHandle.h"

WindowSplitView::WindowSplitView(Qt::Orientation orientation, QWidget* parent)
    : QSplitter(orientation, parent)
{
    setChildrenCollapsible(false);
}

QSplitterHandle* WindowSplitView::createHandle()
{
    // Handle i sits before view i, so it is divider i - 1.
    return new LockedSplitterHandle(orientation(), this, [this](const QSplitterHandle* handle) {
        return isDividerLocked(indexOf(const_cast<QSplitterHandle*>(handle)) - 1);
    });
}

void WindowSplitView::setDividerLocked(int index, bool locked)
{
    if (locked)
        m_lockedDividers.insert(index);
    else
        m_lockedDividers.remove(index);
}

bool WindowSplitView::isDividerLocked(int index) const
{
    return m_lockAll || m_lockedDividers.contains(index);
}

void WindowSplitView::lockAllDividers()
{
    m_lockAll = true;
}

void WindowSplitView::setDividerStyle(int style)
{
    m_dividerStyle = style;
    setHandleWidth(style == 2 ? 1 : 5);
}
