// The keyboard on the canvas: delete, arrow nudges with the handles hidden meanwhile, and the ruler
// echo of a moving or resizing graphic.
#include "canvas/DRVGraphicView.h"

#include "document/DRVDocument.h"
#include "platform/StringsTable.h"
#include "platform/UndoManager.h"

#include <QKeyEvent>

namespace {

const QString kUndoStrings = QStringLiteral("UndoStrings");

} // namespace

void DRVGraphicView::keyPressEvent(QKeyEvent* event)
{
    // Modified arrows and deletes belong to the menus and to the platform.
    const Qt::KeyboardModifiers modifiers =
        event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    if (modifiers != Qt::NoModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        deleteSelection();
        break;
    case Qt::Key_Left:
        moveSelectedGraphicsBy(-1, 0);
        break;
    case Qt::Key_Right:
        moveSelectedGraphicsBy(1, 0);
        break;
    case Qt::Key_Up:
        moveSelectedGraphicsBy(0, -1);
        break;
    case Qt::Key_Down:
        moveSelectedGraphicsBy(0, 1);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void DRVGraphicView::deleteSelection()
{
    if (!m_graphicsContainer)
        return;
    platform::UndoManager* undo = m_graphicsContainer->undoManager();
    const QList<int> indexes = selectionIndexes();
    undo->beginUndoGrouping();
    if (!indexes.isEmpty()) {
        changeSelectionIndexes({});
        m_graphicsContainer->removeGraphicsAtIndexes(indexes);
    }
    undo->setActionName(platform::StringsTable::lookup(QStringLiteral("Delete"), kUndoStrings));
    undo->endUndoGrouping();
}

void DRVGraphicView::moveSelectedGraphicsBy(double dx, double dy)
{
    const QList<DRVGraphic*> selected = selectedGraphics();
    if (selected.isEmpty() || !m_graphicsContainer)
        return;
    hideHandlesMomentarily();
    platform::UndoManager* undo = m_graphicsContainer->undoManager();
    // Each press is its own step, even within one turn of the event loop.
    undo->closeEventGroup();
    undo->beginUndoGrouping();
    DRVGraphic::translateGraphics(graphicsMovingWith(selected), dx, dy);
    undo->setActionName(platform::StringsTable::lookup(QStringLiteral("Nudge"), kUndoStrings));
    undo->endUndoGrouping();
}

// ---- ruler echo ----

QList<double> DRVGraphicView::rulerLines(const QRectF& rect, Qt::Orientation ruler)
{
    if (ruler == Qt::Horizontal)
        return {rect.x(), rect.x() + rect.width() * 0.5, rect.x() + rect.width()};
    return {rect.y(), rect.y() + rect.height() * 0.5, rect.y() + rect.height()};
}

void DRVGraphicView::beginEchoingMoveToRulers(const QRectF& rect)
{
    if (!m_rulerEcho || !m_rulerEcho->rulersVisible())
        return;
    for (Qt::Orientation ruler : {Qt::Horizontal, Qt::Vertical}) {
        for (double location : rulerLines(rect, ruler))
            m_rulerEcho->moveRulerlineFromLocation(ruler, -1.0, location);
    }
    m_rulerEchoedBounds = rect;
    m_echoingRulers = true;
}

void DRVGraphicView::continueEchoingMoveToRulers(const QRectF& rect)
{
    if (!m_echoingRulers || !m_rulerEcho)
        return;
    for (Qt::Orientation ruler : {Qt::Horizontal, Qt::Vertical}) {
        const QList<double> from = rulerLines(m_rulerEchoedBounds, ruler);
        const QList<double> to = rulerLines(rect, ruler);
        for (qsizetype i = 0; i < from.size(); ++i)
            m_rulerEcho->moveRulerlineFromLocation(ruler, from.at(i), to.at(i));
    }
    m_rulerEchoedBounds = rect;
}

void DRVGraphicView::stopEchoingMoveToRulers()
{
    if (!m_echoingRulers)
        return;
    m_echoingRulers = false;
    if (m_rulerEcho) {
        for (Qt::Orientation ruler : {Qt::Horizontal, Qt::Vertical}) {
            for (double location : rulerLines(m_rulerEchoedBounds, ruler))
                m_rulerEcho->moveRulerlineFromLocation(ruler, location, -1.0);
        }
    }
    m_rulerEchoedBounds = QRectF();
}
