// Mouse gestures on the canvas: hit testing, selecting, moving, resizing by a handle, the marquee,
// double-click editing, the context-menu point and the marking of a table cell. A gesture runs from
// the press to the release; a move or resize is one undo step whose edges are the press and the
// release.
#include "canvas/DRVGraphicView.h"

#include "canvas/DRVCanvasPageContext.h"
#include "document/DRVDocument.h"
#include "editions/EditionSettings.h"
#include "model/DRVTable.h"
#include "model/myTextView.h"
#include "platform/Geometry.h"
#include "platform/StringsTable.h"
#include "platform/UndoManager.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollArea>
#include <QSet>
#include <cmath>

namespace {

// A move starts once the pointer has travelled this far from the press along x or y.
constexpr double kDragThreshold = 2.0;

bool isFormToggle(const DRVGraphic* graphic)
{
    return graphic->formType() == QLatin1String("radio") ||
           graphic->formType() == QLatin1String("checkbox");
}

} // namespace

DRVGraphic* DRVGraphicView::graphicUnderPoint(QPointF point, int* index, bool* isSelected, int* handle) const
{
    const QList<DRVGraphic*> all = graphics();
    const QList<int> selected = selectionIndexes();
    const qsizetype count = all.size();
    for (qsizetype i = 0; i < count; ++i) {
        DRVGraphic* graphic = all.at(i);
        if (!platform::pointInRect(point, graphic->drawingBounds()))
            continue;
        const bool graphicSelected = selected.contains(int(i));
        int found = DRVGraphic::NoHandle;
        if (graphicSelected)
            found = graphic->handleUnderPoint(point);
        if (found == DRVGraphic::NoHandle && !graphic->isContentsUnderPoint(point))
            continue;
        if (index)
            *index = int(i);
        if (isSelected)
            *isSelected = graphicSelected;
        if (handle)
            *handle = found;
        return graphic;
    }
    return nullptr;
}

QList<int> DRVGraphicView::indexesOfGraphicsIntersectingRect(const QRectF& rect) const
{
    QList<int> indexes;
    const QList<DRVGraphic*> all = graphics();
    for (qsizetype i = 0; i < all.size(); ++i) {
        DRVGraphic* graphic = all.at(i);
        if (graphic->selectable() && !isFormToggle(graphic) &&
            platform::rectIntersectsRect(graphic->drawingBounds(), rect))
            indexes.append(int(i));
    }
    return indexes;
}

void DRVGraphicView::markSelectedTableCell()
{
    const QList<DRVGraphic*> selected = selectedGraphics();
    auto* table = selected.size() == 1 ? qobject_cast<DRVTable*>(selected.constFirst()) : nullptr;
    if (table && !table->isSectionTable()) {
        m_selectedTable = table;
        const int x = platform::truncToInt(m_lastTouchPoint.x());
        const int y = platform::truncToInt(m_lastTouchPoint.y());
        const int row = table->grabRowSpot(x, y);
        const int column = table->grabColumnSpot(x, y);
        if (row >= 0 && column >= 0) {
            if (myTextView* cell = table->grabSelectedTableCellHelper(row, column)) {
                cell->setSelected(cell->selected() ? 0 : 1);
                if (cell->selected())
                    table->reflectSelectedCellProperties(cell);
            }
        }
        table->setBounds(table->bounds());
        return;
    }
    for (DRVTable* each : graphicsWithClass<DRVTable>()) {
        for (myTextView* cell : each->cellHelperArray()) {
            if (cell && cell->selected()) {
                cell->setSelected(0);
                each->setBounds(each->bounds());
            }
        }
    }
}

// ---- events ----

bool DRVGraphicView::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
    case QEvent::KeyPress:
    case QEvent::ContextMenu:
    case QEvent::Drop: {
        // What the model asks about the page while it handles this canvas's event is answered by
        // this canvas, whichever window is in front.
        DRVCanvasPageContext context(this);
        return QWidget::event(event);
    }
    default:
        return QWidget::event(event);
    }
}

void DRVGraphicView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    mouseDown(event, false);
}

void DRVGraphicView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    mouseDown(event, true);
}

void DRVGraphicView::mouseDown(QMouseEvent* event, bool doubleClick)
{
    // A press that arrives while a gesture runs (a release lost to another window) ends it first.
    endMouseTracking();
    const QPointF point = canvasPointForViewPoint(event->position());
    m_lastTouchPoint = point;
    stopEditing();
    event->accept();
    if (doubleClick) {
        if (DRVGraphic* graphic = graphicUnderPoint(point)) {
            startEditingGraphic(graphic);
            return;
        }
        // Empty canvas: as a single click, without the cell marking.
    } else if (edition().gTableCellEditingFlag) {
        markSelectedTableCell();
    }
    setFocus(Qt::MouseFocusReason);
    selectAndTrackMouse(point, event->modifiers());
}

void DRVGraphicView::mouseMoveEvent(QMouseEvent* event)
{
    if (m_tracking == Tracking::None || !(event->buttons() & Qt::LeftButton)) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    autoscroll(event->position());
    trackMouseTo(canvasPointForViewPoint(event->position()));
    event->accept();
}

void DRVGraphicView::autoscroll(QPointF viewPoint)
{
    // The scroll area around the canvas follows a drag that leaves the visible part.
    for (QWidget* ancestor = parentWidget(); ancestor; ancestor = ancestor->parentWidget()) {
        auto* scrollArea = qobject_cast<QScrollArea*>(ancestor);
        if (!scrollArea || !scrollArea->widget() ||
            !(scrollArea->widget() == this || scrollArea->widget()->isAncestorOf(this)))
            continue;
        const QPoint inContents = mapTo(scrollArea->widget(), viewPoint.toPoint());
        scrollArea->ensureVisible(inContents.x(), inContents.y(), 0, 0);
        return;
    }
}

void DRVGraphicView::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_tracking == Tracking::None || event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    trackMouseTo(canvasPointForViewPoint(event->position()));
    endMouseTracking();
    event->accept();
}

void DRVGraphicView::contextMenuEvent(QContextMenuEvent* event)
{
    m_lastTouchPoint = canvasPointForViewPoint(QPointF(event->pos()));
    endMouseTracking();
    stopEditing();
    delete m_contextMenu; // the one shown before, if still open
    m_contextMenu = new QMenu(this);
    m_contextMenu->setObjectName(QStringLiteral("canvasContextMenu"));
    m_contextMenu->setAttribute(Qt::WA_DeleteOnClose);
    const bool hasSelection = !selectionIndexes().isEmpty();
    QAction* remove = m_contextMenu->addAction(QStringLiteral("Delete"), this, &DRVGraphicView::deleteSelection);
    remove->setEnabled(hasSelection);
    if (centerGroupShown()) {
        m_contextMenu->addSeparator();
        m_contextMenu->addAction(QStringLiteral("Center Group"), this, &DRVGraphicView::centerGroup);
        m_contextMenu->addAction(QStringLiteral("Center Within Group"), this, &DRVGraphicView::centerWithinGroup);
    }
    QAction* onCanvas =
        m_contextMenu->addAction(QStringLiteral("Center on Canvas"), this, &DRVGraphicView::centerOnCanvas);
    onCanvas->setEnabled(hasSelection);
    addTableCommands(m_contextMenu);
    addPictureCommands(m_contextMenu);
    if (m_contextMenuHook)
        m_contextMenuHook(m_contextMenu);
    m_contextMenu->popup(event->globalPos());
    event->accept();
}

void DRVGraphicView::hideEvent(QHideEvent* event)
{
    // A hidden canvas gets no release: the gesture ends where it is.
    endMouseTracking();
    QWidget::hideEvent(event);
}

// ---- the gesture ----

void DRVGraphicView::selectAndTrackMouse(QPointF point, Qt::KeyboardModifiers modifiers)
{
    const bool shift = modifiers & Qt::ShiftModifier;
    int index = -1;
    bool isSelected = false;
    int handle = DRVGraphic::NoHandle;
    DRVGraphic* graphic = graphicUnderPoint(point, &index, &isSelected, &handle);
    m_trackStartPoint = point;
    m_trackLastPoint = point;
    m_trackMoving = false;
    m_trackMoved = false;

    if (!graphic || !graphic->selectable() || isFormToggle(graphic)) {
        if (!shift)
            changeSelectionIndexes({});
        m_marqueeStartSelection = selectionIndexes();
        m_tracking = Tracking::Marquee;
        trackMouseTo(point);
        return;
    }
    if (handle != DRVGraphic::NoHandle) {
        m_tracking = Tracking::Resize;
        m_trackedGraphics = {graphic};
        m_trackHandle = handle;
        beginUndoStep();
        beginEchoingMoveToRulers(graphic->bounds());
        return;
    }
    QList<int> selection = selectionIndexes();
    if (shift) {
        if (isSelected) {
            selection.removeAll(index);
            changeSelectionIndexes(selection);
            m_tracking = Tracking::Swallow;
            return;
        }
        selection.append(index);
        std::sort(selection.begin(), selection.end());
        changeSelectionIndexes(selection);
    } else if (!isSelected) {
        changeSelectionIndexes({index});
    }
    const QList<DRVGraphic*> selected = selectedGraphics();
    m_trackedGraphics.clear();
    for (DRVGraphic* each : selected)
        m_trackedGraphics.append(each);
    m_trackStartBounds = DRVGraphic::boundsOfGraphics(selected);
    m_grabOffset = point - m_trackStartBounds.topLeft();
    m_tracking = Tracking::Move;
    beginUndoStep();
    beginEchoingMoveToRulers(m_trackStartBounds);
}

QList<DRVGraphic*> DRVGraphicView::graphicsMovingWith(const QList<DRVGraphic*>& selected) const
{
    QList<DRVGraphic*> collected;
    for (DRVGraphic* graphic : selected) {
        if (graphic->groupNumber() == -99 || collected.contains(graphic))
            continue;
        collected.append(findMatchingGroupObjects(graphic));
    }
    QList<DRVGraphic*> moving = selected;
    for (DRVGraphic* graphic : std::as_const(collected)) {
        if (!moving.contains(graphic))
            moving.append(graphic);
    }
    return moving;
}

void DRVGraphicView::trackMouseTo(QPointF point)
{
    switch (m_tracking) {
    case Tracking::None:
    case Tracking::Swallow:
        return;
    case Tracking::Move: {
        QPointF c = point;
        if (!m_trackMoving) {
            if (std::abs(c.x() - m_trackLastPoint.x()) < kDragThreshold &&
                std::abs(c.y() - m_trackLastPoint.y()) < kDragThreshold)
                return;
            m_trackMoving = true;
            m_isHidingHandles = true;
        }
        // The selection's bounding-box origin lands on the grid, not the pointer.
        if (m_grid)
            c = m_grid->constrainedPoint(c - m_grabOffset) + m_grabOffset;
        if (c == m_trackLastPoint)
            return;
        QList<DRVGraphic*> selected;
        for (const QPointer<DRVGraphic>& graphic : std::as_const(m_trackedGraphics)) {
            if (graphic && graphics().contains(graphic.data()))
                selected.append(graphic);
        }
        const QPointF delta = c - m_trackLastPoint;
        DRVGraphic::translateGraphics(graphicsMovingWith(selected), delta.x(), delta.y());
        continueEchoingMoveToRulers(QRectF(c - m_grabOffset, m_trackStartBounds.size()));
        m_pasteCascadeDelta += delta;
        m_trackMoved = true;
        m_trackLastPoint = c;
        return;
    }
    case Tracking::Resize: {
        DRVGraphic* graphic = m_trackedGraphics.value(0);
        if (!graphic || !graphics().contains(graphic))
            return;
        const QPointF c = m_grid ? m_grid->constrainedPoint(point) : point;
        m_trackHandle = graphic->resizeByMovingHandle(m_trackHandle, c);
        continueEchoingMoveToRulers(graphic->bounds());
        return;
    }
    case Tracking::Marquee: {
        const QRectF rect(std::min(m_trackStartPoint.x(), point.x()), std::min(m_trackStartPoint.y(), point.y()),
                          std::abs(point.x() - m_trackStartPoint.x()),
                          std::abs(point.y() - m_trackStartPoint.y()));
        if (platform::rectEqual(rect, m_marqueeSelectionBounds))
            return;
        setMarqueeSelectionBounds(rect);
        QSet<int> selection(m_marqueeStartSelection.begin(), m_marqueeStartSelection.end());
        for (int index : indexesOfGraphicsIntersectingRect(rect)) {
            if (!selection.remove(index))
                selection.insert(index);
        }
        QList<int> indexes(selection.begin(), selection.end());
        std::sort(indexes.begin(), indexes.end());
        if (indexes != selectionIndexes())
            changeSelectionIndexes(indexes);
        return;
    }
    }
}

void DRVGraphicView::endMouseTracking()
{
    const Tracking tracking = std::exchange(m_tracking, Tracking::None);
    switch (tracking) {
    case Tracking::None:
    case Tracking::Swallow:
        break;
    case Tracking::Move: {
        m_lastTouchPoint = m_trackLastPoint;
        stopEchoingMoveToRulers();
        if (m_trackMoving) {
            m_isHidingHandles = false;
            redrawSelectedGraphics();
        }
        endUndoStep(m_trackMoved ? QStringLiteral("Move") : QString());
        break;
    }
    case Tracking::Resize:
        stopEchoingMoveToRulers();
        endUndoStep(QStringLiteral("Resize"));
        break;
    case Tracking::Marquee:
        setMarqueeSelectionBounds(QRectF());
        break;
    }
    m_trackedGraphics.clear();
    m_marqueeStartSelection.clear();
}

void DRVGraphicView::beginUndoStep()
{
    if (!m_graphicsContainer)
        return;
    m_undoStepManager = m_graphicsContainer->undoManager();
    if (!m_undoStepManager)
        return;
    // What came before in this turn of the event loop (an ended text edit) stays its own step.
    m_undoStepManager->closeEventGroup();
    m_undoStepManager->beginUndoGrouping();
}

void DRVGraphicView::endUndoStep(const QString& actionName)
{
    platform::UndoManager* undo = m_undoStepManager;
    m_undoStepManager = nullptr;
    if (!undo)
        return;
    // Named inside the group: a gesture that changed nothing leaves no step, and renames none.
    if (!actionName.isEmpty())
        undo->setActionName(platform::StringsTable::lookup(actionName, QStringLiteral("UndoStrings")));
    undo->endUndoGrouping();
}
