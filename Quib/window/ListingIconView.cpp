#include "window/ListingIconView.h"

#include "editions/EditionSettings.h"
#include "window/PageListingClipView.h"
#include "window/QuibNSButton.h"

#include <QApplication>
#include <QDrag>
#include <QMouseEvent>
#include <QPixmap>

ListingIconView::ListingIconView(QWidget* parent) : QWidget(parent) {}

void ListingIconView::setQuibButton(QuibNSButton* button)
{
    if (m_quibButton)
        m_quibButton->removeEventFilter(this);
    m_quibButton = button;
    if (!button)
        return;
    button->setParent(this);
    button->installEventFilter(this);
}

std::function<void(QDrag*)>& ListingIconView::dragRunner()
{
    static std::function<void(QDrag*)> runner = [](QDrag* drag) { drag->exec(Qt::CopyAction); };
    return runner;
}

bool ListingIconView::mouseDragged(QPoint position)
{
    if (!edition().gSidebarInspectorFlag || !m_quibButton)
        return false;
    auto* drag = new QDrag(this);
    drag->setMimeData(PageListingClipView::tileMimeData(m_quibButton->pageName()));
    if (!m_quibButton->image().isNull())
        drag->setPixmap(QPixmap::fromImage(m_quibButton->image()));
    drag->setHotSpot(QPoint(16, 16));
    Q_UNUSED(position);
    QPointer<QuibNSButton> button = m_quibButton;
    dragRunner()(drag);
    // The press that started the drag must not open the page when the drag ends.
    if (button)
        button->setDown(false);
    return true;
}

bool ListingIconView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_quibButton)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        m_pressed = mouse->button() == Qt::LeftButton;
        m_pressPosition = mouse->position().toPoint();
    } else if (event->type() == QEvent::MouseButtonRelease) {
        m_pressed = false;
    } else if (event->type() == QEvent::MouseMove && m_pressed) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint moved = mouse->position().toPoint() - m_pressPosition;
        if (moved.manhattanLength() >= QApplication::startDragDistance()) {
            m_pressed = false;
            const QPoint here = m_quibButton->mapTo(this, mouse->position().toPoint());
            if (mouseDragged(here))
                return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
