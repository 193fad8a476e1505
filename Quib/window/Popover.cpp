#include "window/Popover.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

constexpr int kGap = 4;

} // namespace

Popover::Popover(QWidget* parent) : QFrame(parent, Qt::Popup)
{
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void Popover::setContentView(QWidget* content)
{
    if (m_content && m_content != content)
        m_content->deleteLater();
    m_content = content;
    if (!content)
        return;
    content->setParent(this);
    content->move(0, 0);
    content->show();
    resize(content->size());
}

QPoint Popover::originFor(const QRect& globalAnchor, const QSize& size, Edge edge)
{
    const QPoint centre = globalAnchor.center();
    switch (edge) {
    case Edge::MinX:
        return QPoint(globalAnchor.left() - size.width() - kGap, centre.y() - size.height() / 2);
    case Edge::MaxX:
        return QPoint(globalAnchor.right() + 1 + kGap, centre.y() - size.height() / 2);
    case Edge::MinY:
        return QPoint(centre.x() - size.width() / 2, globalAnchor.top() - size.height() - kGap);
    case Edge::MaxY:
        return QPoint(centre.x() - size.width() / 2, globalAnchor.bottom() + 1 + kGap);
    }
    return globalAnchor.topLeft();
}

void Popover::showRelativeToRect(const QRect& rect, QWidget* view, Edge edge)
{
    QRect anchor = rect;
    if (view)
        anchor.moveTopLeft(view->mapToGlobal(rect.topLeft()));
    QPoint origin = originFor(anchor, size(), edge);
    // Kept on the screen, so a popover opening left of a panel at the screen's edge stays visible.
    if (QScreen* screen = view ? view->screen() : QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        origin.setX(std::clamp(origin.x(), area.left(), std::max(area.left(), area.right() - width())));
        origin.setY(std::clamp(origin.y(), area.top(), std::max(area.top(), area.bottom() - height())));
    }
    move(origin);
    show();
    raise();
}
