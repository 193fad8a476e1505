#include "window/EditionToolbar.h"

#include "platform/StringsTable.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QMenu>

namespace {

QString translated(const QString& title, const QString& table)
{
    return title.isEmpty() ? title : platform::StringsTable::lookup(title, table);
}

void localizeAction(QAction* action, const QString& table)
{
    action->setText(translated(action->text(), table));
    action->setIconText(translated(action->iconText(), table));
    action->setToolTip(action->text());
}

} // namespace

EditionToolbar::EditionToolbar(const QString& outletName, const QList<ToolbarItemDescription>& items,
                               Handlers handlers, QWidget* parent)
    : QToolBar(parent), m_items(items), m_handlers(std::move(handlers))
{
    setObjectName(outletName);
    setWindowTitle(QStringLiteral("Toolbar"));
    setMovable(false);
    setFloatable(false);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (const ToolbarItemDescription& item : std::as_const(m_items)) {
        if (item.segments.isEmpty()) {
            QAction* action = addAction(item.label);
            action->setObjectName(item.id);
            connect(action, &QAction::triggered, this, [this, item] {
                if (m_handlers.perform)
                    m_handlers.perform(item, -1);
                validateItems();
            });
            continue;
        }
        auto* group = new QActionGroup(this);
        group->setObjectName(item.id);
        group->setExclusive(true);
        for (int segment = 0; segment < item.segments.size(); ++segment) {
            QAction* action = addAction(item.segments.at(segment));
            action->setObjectName(item.id + u'/' + QString::number(segment));
            action->setCheckable(true);
            action->setActionGroup(group);
            connect(action, &QAction::triggered, this, [this, item, segment] {
                if (m_handlers.perform)
                    m_handlers.perform(item, segment);
                validateItems();
            });
        }
        addSeparator();
    }
    validateItems();
}

QAction* EditionToolbar::actionWithId(const QString& id) const
{
    for (QAction* action : actions()) {
        if (action->objectName() == id)
            return action;
    }
    return nullptr;
}

void EditionToolbar::validateItems()
{
    for (QAction* action : actions()) {
        const QString id = action->objectName().section(u'/', 0, 0);
        for (const ToolbarItemDescription& item : std::as_const(m_items)) {
            if (item.id == id)
                action->setEnabled(!m_handlers.isEnabled || m_handlers.isEnabled(item.action));
        }
    }
}

void EditionToolbar::localize(const QString& table)
{
    for (QAction* action : actions()) {
        if (QWidget* view = widgetForAction(action)) {
            if (auto* popUp = qobject_cast<QComboBox*>(view)) {
                for (int i = 0; i < popUp->count(); ++i)
                    popUp->setItemText(i, translated(popUp->itemText(i), table));
                continue;
            }
        }
        if (!action->isSeparator())
            localizeAction(action, table);
    }
}

void EditionToolbar::localizeMenu(QMenu* menu, const QString& table)
{
    if (!menu)
        return;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator())
            continue;
        action->setText(translated(action->text(), table));
        if (QMenu* sub = action->menu()) {
            for (QAction* inner : sub->actions()) {
                if (!inner->isSeparator())
                    inner->setText(translated(inner->text(), table));
            }
        }
    }
}
