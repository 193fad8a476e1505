// The toolbar of an edition's window, built from its item list: buttons send their action, the
// segments of a segmented control send theirs with the segment chosen. Items are enabled as the
// window validates them, and their titles come from the application's strings.
#pragma once
#include "window/ToolbarChoice.h"

#include <QToolBar>
#include <functional>

class QMenu;

class EditionToolbar : public QToolBar
{
    Q_OBJECT
public:
    struct Handlers
    {
        // segment is -1 for a plain button.
        std::function<void(const ToolbarItemDescription& item, int segment)> perform;
        std::function<bool(const QString& action)> isEnabled;
    };

    EditionToolbar(const QString& outletName, const QList<ToolbarItemDescription>& items, Handlers handlers,
                   QWidget* parent = nullptr);

    const QList<ToolbarItemDescription>& items() const { return m_items; }
    // A button by its id, or a segment as "<id>/<segment>"; nullptr when missing.
    QAction* actionWithId(const QString& id) const;
    // Enables each item as the window answers for its action.
    void validateItems();
    // Each title (labels, segment titles, the item titles of pop-ups in the bar) replaced by its
    // entry in the strings table; a title without an entry stays.
    void localize(const QString& table);
    // The titles of menu's items and, one level down, of their submenus' items.
    static void localizeMenu(QMenu* menu, const QString& table);

private:
    QList<ToolbarItemDescription> m_items;
    Handlers m_handlers;
};
