// Undo and redo stacks of closures, grouped by event-loop turn or explicitly, with action names for
// the Edit menu. An action registered while undoing becomes the redo of that step.
#pragma once
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

namespace platform {

class UndoManager : public QObject
{
    Q_OBJECT
public:
    explicit UndoManager(QObject* parent = nullptr);
    ~UndoManager() override;

    // Records action as the inverse of a change just made. Registering while undoing records a
    // redo; registering outside undo and redo clears the redo stack. target ties the action to an
    // object: removeAllActionsWithTarget drops it, and it is skipped once target is destroyed.
    void registerUndo(QObject* target, std::function<void()> action);

    // Names the group being recorded (during undo or redo: the group that will be redone or undone
    // next); with no group open, the last group on the undo stack.
    void setActionName(const QString& name);
    QString undoActionName() const;
    QString redoActionName() const;

    void beginUndoGrouping();
    void endUndoGrouping();
    int groupingLevel() const { return m_groupingLevel; }

    // With groupsByEvent on, a registration outside any group opens one that closes at the end of
    // the current event-loop turn.
    bool groupsByEvent() const { return m_groupsByEvent; }
    void setGroupsByEvent(bool on) { m_groupsByEvent = on; }
    // Closes the group opened by a registration without waiting for the end of the turn.
    void closeEventGroup();

    bool canUndo() const;
    bool canRedo() const;
    // Each undoes (redoes) one whole group, last registered action first, collecting the actions
    // registered meanwhile into the group that redoes (undoes) it.
    void undo();
    void redo();
    bool isUndoing() const { return m_undoing; }
    bool isRedoing() const { return m_redoing; }

    // Nestable: registration is enabled again after as many enables as disables.
    void disableUndoRegistration();
    void enableUndoRegistration();
    bool isUndoRegistrationEnabled() const { return m_disableCount == 0; }

    // Clears both stacks and re-enables registration.
    void removeAllActions();
    void removeAllActionsWithTarget(QObject* target);

    // Groups kept on the undo stack; 0 keeps all.
    void setLevelsOfUndo(int levels);
    int levelsOfUndo() const { return m_levelsOfUndo; }

signals:
    void checkpoint();
    void didUndo();
    void didRedo();
    void didOpenUndoGroup();
    void willCloseUndoGroup();
    void didCloseUndoGroup();

private:
    struct Action
    {
        QObject* target = nullptr; // identity only, for removeAllActionsWithTarget
        QPointer<QObject> guard;   // null once the target is gone
        std::function<void()> run;
    };
    struct Group
    {
        QList<Action> actions;
        QString name;
    };

    void endOfTurn();
    void trimToLevels();
    void performGroup(bool undoing);
    static void removeTarget(QList<Group>& stack, QObject* target);

    QList<Group> m_undoStack;
    QList<Group> m_redoStack;
    Group m_openGroup;
    int m_groupingLevel = 0;
    bool m_eventGroupOpen = false;
    quint64 m_eventGroupSerial = 0;
    bool m_groupsByEvent = true;
    bool m_undoing = false;
    bool m_redoing = false;
    int m_disableCount = 0;
    int m_levelsOfUndo = 0;
};

} // namespace platform
