#include "app/MenuModel.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

const char* const kActionProperty = "quibAction";

QString actionNameOf(const QAction* action)
{
    return action ? action->property(kActionProperty).toString() : QString();
}

void validateAction(QAction* action, const MenuModel::Validate& validate)
{
    const QString name = actionNameOf(action);
    if (name.isEmpty() || !validate)
        return;
    MenuModel::applyState(action, validate(name, MenuModel::stateOfAction(action)));
}

} // namespace

const QList<MenuDescription>& MenuModel::menus()
{
    static const QList<MenuDescription> menus{
        {QStringLiteral("&File"),
         {{QStringLiteral("Open…"), QStringLiteral("openDocument:"), QKeySequence::Open},
          {QStringLiteral("Close"), QStringLiteral("performClose:"), QKeySequence(Qt::CTRL | Qt::Key_W)},
          {QStringLiteral("Save"), QStringLiteral("saveDocument:"), QKeySequence::Save},
          {QStringLiteral("Save As…"), QStringLiteral("saveDocumentAs:"),
           QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
          {},
          {QStringLiteral("FTP Settings…"), QStringLiteral("showPreferencesPanel:"), QKeySequence()},
          {},
          {QStringLiteral("Quit"), QStringLiteral("terminate:"), QKeySequence(Qt::CTRL | Qt::Key_Q)}}},
        {QStringLiteral("&Edit"),
         {{QStringLiteral("Undo"), QStringLiteral("undo:"), QKeySequence(Qt::CTRL | Qt::Key_Z)},
          {QStringLiteral("Redo"), QStringLiteral("redo:"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}}},
        {QStringLiteral("&View"),
         {{QStringLiteral("New Window"), QStringLiteral("newDocumentWindow:"), QKeySequence()},
          {},
          {QStringLiteral("Show Grid"), QStringLiteral("toggleGridShowing:"), QKeySequence()},
          {QStringLiteral("Snap to Grid"), QStringLiteral("toggleGridConstraining:"), QKeySequence()},
          {},
          {QStringLiteral("Show Source"), QStringLiteral("showOrHideSourceCode:"), QKeySequence()},
          {QStringLiteral("Show Stored Page Source"), QStringLiteral("showOrHideSourceCodeStatic:"),
           QKeySequence()}}}};
    return menus;
}

void MenuModel::buildMenuBar(QMenuBar* bar, const Dispatch& dispatch, const Validate& validate)
{
    for (const MenuDescription& description : menus()) {
        QMenu* menu = bar->addMenu(description.title);
        for (const MenuItemDescription& item : description.items) {
            if (item.action.isEmpty()) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(item.title);
            action->setProperty(kActionProperty, item.action);
            action->setObjectName(item.action);
            if (!item.shortcut.isEmpty())
                action->setShortcut(item.shortcut);
            const QString name = item.action;
            QObject::connect(action, &QAction::triggered, action, [action, name, dispatch, validate] {
                // A shortcut runs the item without opening its menu: validate it first.
                if (validate) {
                    const MenuItemState state = validate(name, stateOfAction(action));
                    if (!state.enabled || !state.visible)
                        return;
                }
                if (dispatch)
                    dispatch(name);
            });
        }
        QObject::connect(menu, &QMenu::aboutToShow, menu, [menu, validate] {
            for (QAction* action : menu->actions())
                validateAction(action, validate);
        });
        // A disabled action's shortcut never reaches the trigger, which validates afresh; so the
        // greyed look lasts only while the menu is open.
        QObject::connect(menu, &QMenu::aboutToHide, menu, [menu] {
            for (QAction* action : menu->actions())
                action->setEnabled(true);
        });
    }
}

QAction* MenuModel::actionNamed(QMenuBar* bar, const QString& action)
{
    if (!bar)
        return nullptr;
    for (QAction* candidate : bar->findChildren<QAction*>()) {
        if (actionNameOf(candidate) == action)
            return candidate;
    }
    return nullptr;
}

void MenuModel::validateMenuBar(QMenuBar* bar, const Validate& validate)
{
    if (!bar)
        return;
    for (QAction* action : bar->findChildren<QAction*>())
        validateAction(action, validate);
}

MenuItemState MenuModel::stateOfAction(const QAction* action)
{
    MenuItemState state;
    state.title = action->text();
    state.enabled = action->isEnabled();
    state.visible = action->isVisible();
    state.checkable = action->isCheckable();
    state.checked = action->isChecked();
    return state;
}

void MenuModel::applyState(QAction* action, const MenuItemState& state)
{
    action->setText(state.title);
    action->setVisible(state.visible);
    action->setCheckable(state.checkable);
    action->setChecked(state.checked);
    action->setEnabled(state.enabled);
}
