#include "platform/UndoManager.h"

#include <QAbstractEventDispatcher>
#include <QDebug>
#include <QMetaObject>
#include <utility>

namespace platform {

UndoManager::UndoManager(QObject* parent) : QObject(parent)
{
    // The end of a turn is when the loop is about to wait; a queued call (registerUndo) covers a
    // loop that never waits because events keep arriving.
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance(thread()))
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &UndoManager::endOfTurn);
}

UndoManager::~UndoManager() = default;

void UndoManager::registerUndo(QObject* target, std::function<void()> action)
{
    if (!action || m_disableCount > 0)
        return;
    if (m_groupingLevel == 0) {
        if (!m_groupsByEvent) {
            qWarning() << "UndoManager: registration outside an undo group is ignored";
            return;
        }
        beginUndoGrouping();
        m_eventGroupOpen = true;
        const quint64 serial = ++m_eventGroupSerial;
        QMetaObject::invokeMethod(
            this,
            [this, serial] {
                if (m_eventGroupOpen && m_eventGroupSerial == serial)
                    endOfTurn();
            },
            Qt::QueuedConnection);
    }
    if (!m_undoing && !m_redoing)
        m_redoStack.clear();
    m_openGroup.actions.append(Action{target, QPointer<QObject>(target), std::move(action)});
}

void UndoManager::setActionName(const QString& name)
{
    if (m_groupingLevel > 0)
        m_openGroup.name = name;
    else if (!m_undoStack.isEmpty())
        m_undoStack.last().name = name;
}

QString UndoManager::undoActionName() const
{
    if (m_eventGroupOpen && m_groupingLevel == 1 && !m_openGroup.actions.isEmpty())
        return m_openGroup.name;
    return m_undoStack.isEmpty() ? QString() : m_undoStack.last().name;
}

QString UndoManager::redoActionName() const
{
    return m_redoStack.isEmpty() ? QString() : m_redoStack.last().name;
}

void UndoManager::beginUndoGrouping()
{
    if (m_groupingLevel == 0)
        m_openGroup = Group{};
    ++m_groupingLevel;
    // No checkpoint when a top-level group opens: it opens inside the registration that needs it,
    // and observers that reset their per-group state at checkpoints would lose what they just set.
    if (m_groupingLevel > 1)
        emit checkpoint();
    emit didOpenUndoGroup();
}

void UndoManager::endUndoGrouping()
{
    if (m_groupingLevel == 0) {
        qWarning() << "UndoManager: endUndoGrouping without an open group";
        return;
    }
    emit willCloseUndoGroup();
    if (--m_groupingLevel == 0) {
        m_eventGroupOpen = false;
        Group group = std::exchange(m_openGroup, Group{});
        if (!group.actions.isEmpty()) {
            (m_undoing ? m_redoStack : m_undoStack).append(std::move(group));
            trimToLevels();
        }
    }
    emit checkpoint();
    emit didCloseUndoGroup();
}

void UndoManager::closeEventGroup()
{
    if (!m_eventGroupOpen)
        return;
    if (m_groupingLevel != 1) {
        qWarning() << "UndoManager: an explicit undo group is still open inside the event group";
        return;
    }
    endUndoGrouping();
}

void UndoManager::endOfTurn()
{
    if (m_eventGroupOpen && m_groupingLevel == 1) {
        closeEventGroup();
        return;
    }
    // A group that spans turns (begun on a press, ended on the release) is one step: no checkpoint
    // while it is open.
    if (m_groupingLevel == 0)
        emit checkpoint();
}

bool UndoManager::canUndo() const
{
    return !m_undoStack.isEmpty() ||
           (m_eventGroupOpen && m_groupingLevel == 1 && !m_openGroup.actions.isEmpty());
}

bool UndoManager::canRedo() const
{
    return !m_redoStack.isEmpty();
}

void UndoManager::undo()
{
    if (m_undoing || m_redoing) {
        qWarning() << "UndoManager: undo while undoing or redoing is ignored";
        return;
    }
    closeEventGroup();
    if (m_groupingLevel > 0) {
        qWarning() << "UndoManager: undo with an undo group open is ignored";
        return;
    }
    if (m_undoStack.isEmpty())
        return;
    performGroup(true);
    emit didUndo();
}

void UndoManager::redo()
{
    if (m_undoing || m_redoing) {
        qWarning() << "UndoManager: redo while undoing or redoing is ignored";
        return;
    }
    closeEventGroup();
    if (m_groupingLevel > 0) {
        qWarning() << "UndoManager: redo with an undo group open is ignored";
        return;
    }
    if (m_redoStack.isEmpty())
        return;
    performGroup(false);
    emit didRedo();
}

void UndoManager::performGroup(bool undoing)
{
    const Group group = (undoing ? m_undoStack : m_redoStack).takeLast();
    bool& flag = undoing ? m_undoing : m_redoing;
    flag = true;
    beginUndoGrouping();
    // The inverse step keeps the name unless an action renames it.
    m_openGroup.name = group.name;
    for (auto it = group.actions.crbegin(); it != group.actions.crend(); ++it) {
        if (!it->target || it->guard)
            it->run();
    }
    endUndoGrouping();
    flag = false;
}

void UndoManager::disableUndoRegistration()
{
    ++m_disableCount;
}

void UndoManager::enableUndoRegistration()
{
    if (m_disableCount == 0) {
        qWarning() << "UndoManager: enableUndoRegistration without a matching disable";
        return;
    }
    --m_disableCount;
}

void UndoManager::removeAllActions()
{
    m_undoStack.clear();
    m_redoStack.clear();
    m_openGroup.actions.clear();
    m_disableCount = 0;
}

void UndoManager::removeTarget(QList<Group>& stack, QObject* target)
{
    for (Group& group : stack)
        group.actions.removeIf([target](const Action& action) { return action.target == target; });
    stack.removeIf([](const Group& group) { return group.actions.isEmpty(); });
}

void UndoManager::removeAllActionsWithTarget(QObject* target)
{
    if (!target)
        return;
    removeTarget(m_undoStack, target);
    removeTarget(m_redoStack, target);
    m_openGroup.actions.removeIf([target](const Action& action) { return action.target == target; });
}

void UndoManager::setLevelsOfUndo(int levels)
{
    m_levelsOfUndo = qMax(0, levels);
    trimToLevels();
}

void UndoManager::trimToLevels()
{
    if (m_levelsOfUndo == 0)
        return;
    while (m_undoStack.size() > m_levelsOfUndo)
        m_undoStack.removeFirst();
    while (m_redoStack.size() > m_levelsOfUndo)
        m_redoStack.removeFirst();
}

} // namespace platform
