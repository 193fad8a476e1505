// The keyboard on the canvas: delete, arrow nudges with the handles hidden meanwhile, and the ruler
// echo of a moving or resizing graphic.
#include "canvas/DRVGraphicView.h"

#include "document/DRVDocument.h"
#include "editions/EditionSettings.h"
#include "model/DRVTable.h"
#include "model/DRVText.h"
#include "platform/Dialogs.h"

#include <QKeyEvent>

void DRVGraphicView::keyPressEvent(QKeyEvent* event)
{
    // Modified keys belong to the menus and to the platform; Shift still deletes.
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool deleteKey = event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete;
    if (modifiers != Qt::NoModifier && !(deleteKey && modifiers == Qt::ShiftModifier)) {
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
    fetchAllPartnerViews();
    if (edition().gResponsiveLayoutFlag)
        checkForSelectedSections();
    const QList<int> indexes = selectionIndexes();
    beginUndoStep();
    if (!indexes.isEmpty()) {
        changeSelectionIndexes({});
        m_graphicsContainer->removeGraphicsAtIndexes(indexes);
    }
    endUndoStep(QStringLiteral("Delete"));
}

void DRVGraphicView::fetchAllPartnerViews()
{
    const QList<DRVGraphic*> all = graphics();
    QList<int> selection = selectionIndexes();
    const QList<int> before = selection;
    for (int index : before) {
        if (index < 0 || index >= all.size() || !qobject_cast<DRVText*>(all.at(index)))
            continue;
        const DRVGraphic* graphic = all.at(index);
        // The partner: the first other text with the same form tag and option number.
        for (qsizetype i = 0; i < all.size(); ++i) {
            DRVGraphic* other = all.at(i);
            if (other == graphic || !qobject_cast<DRVText*>(other) || other->formTag() != graphic->formTag() ||
                other->formOptionTag() != graphic->formOptionTag())
                continue;
            const bool option = other->formType() == QLatin1String("radio") ||
                                other->formType() == QLatin1String("checkbox");
            if (option && !selection.contains(int(i)))
                selection.append(int(i));
            break;
        }
    }
    if (selection != before) {
        std::sort(selection.begin(), selection.end());
        changeSelectionIndexes(selection);
    }
}

void DRVGraphicView::checkForSelectedSections()
{
    const QList<DRVGraphic*> all = graphics();
    QList<int> selection = selectionIndexes();
    for (int index : selectionIndexes()) {
        DRVGraphic* section = index >= 0 && index < all.size() ? all.at(index) : nullptr;
        if (!qobject_cast<DRVTable*>(section) || section->gridType() != QLatin1String("section"))
            continue;
        const QList<DRVGraphic*> members = findObjectsInSection(section);
        if (members.isEmpty())
            continue;
        platform::Alert alert;
        alert.title = QStringLiteral("Delete");
        alert.informativeText =
            QStringLiteral("Deleting sections will also delete all objects contained within the section.");
        alert.buttons = {QStringLiteral("Delete All"), QStringLiteral("Skip Sections")};
        alert.style = platform::AlertStyle::Informational;
        if (platform::showAlert(alert) == 0) {
            for (DRVGraphic* member : members) {
                const int memberIndex = int(all.indexOf(member));
                if (!selection.contains(memberIndex))
                    selection.append(memberIndex);
            }
        } else {
            selection.removeAll(index);
        }
    }
    std::sort(selection.begin(), selection.end());
    if (selection != selectionIndexes())
        changeSelectionIndexes(selection);
}

void DRVGraphicView::moveSelectedGraphicsBy(double dx, double dy)
{
    const QList<DRVGraphic*> selected = selectedGraphics();
    if (selected.isEmpty() || !m_graphicsContainer)
        return;
    hideHandlesMomentarily();
    // Each press is its own step, even within one turn of the event loop.
    beginUndoStep();
    DRVGraphic::translateGraphics(graphicsMovingWith(selected), dx, dy);
    endUndoStep(QStringLiteral("Nudge"));
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
