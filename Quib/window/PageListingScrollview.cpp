#include "window/PageListingScrollview.h"

#include <QDragEnterEvent>
#include <QDropEvent>

PageListingScrollview::PageListingScrollview(QWidget* parent) : QScrollArea(parent)
{
    setObjectName(QStringLiteral("pageListingView"));
    setAcceptDrops(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(false);
    setFrameShape(QFrame::NoFrame);
}

void PageListingScrollview::dragEnterEvent(QDragEnterEvent* event)
{
    PageListingClipView::answerDrag(event);
}

void PageListingScrollview::dragMoveEvent(QDragMoveEvent* event)
{
    PageListingClipView::answerDrag(event);
}

void PageListingScrollview::dropEvent(QDropEvent* event)
{
    // Drop points arrive in the viewport's coordinates.
    PageListingClipView::answerDrop(viewport(), m_delegate, event);
}
