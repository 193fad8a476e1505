// The application's menus, described once. Linux has no menu bar shared by every window, so each
// top-level window gets its own bar built from this one description; items carry their action name
// and are validated each time their menu opens and again before a shortcut runs them.
#pragma once
#include "window/MenuValidation.h"

#include <QKeySequence>
#include <QList>
#include <QString>
#include <functional>

class QAction;
class QMenuBar;

struct MenuItemDescription
{
    QString title;
    QString action; // empty for a separator
    QKeySequence shortcut;
};

struct MenuDescription
{
    QString title;
    QList<MenuItemDescription> items;
};

class MenuModel
{
public:
    MenuModel() = delete;

    using Dispatch = std::function<void(const QString& action)>;
    using Validate = std::function<MenuItemState(const QString& action, const MenuItemState& item)>;

    // File, Edit and View, in bar order.
    static const QList<MenuDescription>& menus();

    // Fills bar with the menus. A triggered item runs dispatch with its action when validate still
    // enables it; each menu validates its items as it opens.
    static void buildMenuBar(QMenuBar* bar, const Dispatch& dispatch, const Validate& validate);
    // The item of bar with that action, or nullptr.
    static QAction* actionNamed(QMenuBar* bar, const QString& action);
    // Validates every item of bar (a menu opening does this for its own items).
    static void validateMenuBar(QMenuBar* bar, const Validate& validate);

    static MenuItemState stateOfAction(const QAction* action);
    static void applyState(QAction* action, const MenuItemState& state);
};
