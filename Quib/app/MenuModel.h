// The application's menus, described once as data: one bar holding every command of every edition,
// and per-edition branches that hide, retitle and re-bind items of it. Linux has no menu bar shared
// by every window, so each top-level window gets its own bar built from the running edition's
// menus; items carry their action name and are validated each time their menu opens and again
// before a shortcut runs them.
#pragma once
#include "window/MenuValidation.h"

#include <QKeySequence>
#include <QList>
#include <QString>
#include <functional>

class QAction;
class QMenuBar;
struct EditionSettings;

struct MenuItemDescription
{
    QString title;
    QString action; // empty for a separator or a submenu
    QKeySequence shortcut;
    QString id;                          // the item's name in the edition tables; action when none
    QList<MenuItemDescription> children; // a submenu's items
    bool hidden = false;                 // left out by the edition (never shown again)
    bool radio = false;

    bool isSeparator() const { return action.isEmpty() && children.isEmpty() && id.isEmpty(); }
};

struct MenuDescription
{
    QString title;
    QList<MenuItemDescription> items;
    QString id;
    bool hidden = false;
};

class MenuModel
{
public:
    MenuModel() = delete;

    using Dispatch = std::function<void(const QString& action)>;
    using Validate = std::function<MenuItemState(const QString& action, const MenuItemState& item)>;

    // The running edition's menus, in bar order.
    static QList<MenuDescription> menus();
    // The menus an edition gets: its branch applied, the tutorials rule, then every title looked
    // up in the strings table.
    static QList<MenuDescription> menusForEdition(const QString& displayName,
                                                  const QString& videoTutorialsURL);
    // 1..30 for the named branches, 0 for the default branch.
    static int branchOf(const QString& displayName);
    static int branchCount();
    // One display name of each named branch (index 1..branchCount()).
    static QString firstDisplayNameOfBranch(int branch);
    // A readable listing of menus: one line per item with its title, id, action, shortcut and
    // whether it is hidden.
    static QString dump(const QList<MenuDescription>& menus);

    // Fills bar with the running edition's menus. A triggered item runs dispatch with its action
    // when validate still enables it; each menu validates its items as it opens.
    static void buildMenuBar(QMenuBar* bar, const Dispatch& dispatch, const Validate& validate);
    static void buildMenuBar(QMenuBar* bar, const QList<MenuDescription>& menus, const Dispatch& dispatch,
                             const Validate& validate);
    // The item of bar with that action, or nullptr.
    static QAction* actionNamed(QMenuBar* bar, const QString& action);
    // The item of bar with that id (an outlet name, or the action for items without one).
    static QAction* actionWithId(QMenuBar* bar, const QString& id);
    // Validates every item of bar (a menu opening does this for its own items).
    static void validateMenuBar(QMenuBar* bar, const Validate& validate);

    static MenuItemState stateOfAction(const QAction* action);
    static void applyState(QAction* action, const MenuItemState& state);
};
