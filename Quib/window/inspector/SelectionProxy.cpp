#include "window/inspector/SelectionProxy.h"

#include "canvas/DRVSelectionModel.h"
#include "model/DRVGraphic.h"
#include "platform/UndoManager.h"
#include "window/DRVWindowController.h"

SelectionProxy::SelectionProxy(QObject* parent) : QObject(parent) {}

void SelectionProxy::setController(DRVWindowController* controller)
{
    for (const QMetaObject::Connection& c : m_connections)
        disconnect(c);
    m_connections.clear();
    m_controller = controller;
    if (controller && controller->graphicsController()) {
        DRVSelectionModel* selection = controller->graphicsController();
        m_connections.append(
            connect(selection, &platform::Observable::valueChanged, this, [this] { observeSelection(); }));
        m_connections.append(connect(controller, &QObject::destroyed, this, [this] { observeSelection(); }));
    }
    observeSelection();
}

void SelectionProxy::observeSelection()
{
    // One child object per selection carries the graphics' observers, so dropping it drops them all.
    delete m_graphicObservers;
    m_graphicObservers = new QObject(this);
    for (DRVGraphic* graphic : selectedGraphics())
        platform::observe(
            graphic, m_graphicObservers,
            [this](auto*, const QString& key, const QVariant&, const QVariant&) { emit keyChanged(key); });
    emit selectionChanged();
}

QList<DRVGraphic*> SelectionProxy::selectedGraphics() const
{
    QList<DRVGraphic*> graphics;
    if (!m_controller || !m_controller->graphicsController() || !m_controller->document())
        return graphics;
    const QList<DRVGraphic*>& all = m_controller->document()->graphics();
    for (int index : m_controller->graphicsController()->selectionIndexes()) {
        if (index >= 0 && index < all.size() && all[index])
            graphics.append(all[index]);
    }
    return graphics;
}

SelectionProxy::KeyValue SelectionProxy::valueForKey(const QString& key) const
{
    const QList<DRVGraphic*> graphics = selectedGraphics();
    if (graphics.isEmpty())
        return {};
    const QVariant first = graphics.first()->valueForKey(key);
    for (int i = 1; i < graphics.size(); ++i) {
        if (graphics[i]->valueForKey(key) != first)
            return {State::Multiple, {}};
    }
    return {State::Common, first};
}

void SelectionProxy::setValueForKey(const QString& key, const QVariant& value)
{
    const QList<DRVGraphic*> graphics = selectedGraphics();
    if (graphics.isEmpty())
        return;
    platform::UndoManager* undo =
        m_controller->document() ? m_controller->document()->undoManager() : nullptr;
    if (undo)
        undo->beginUndoGrouping();
    for (DRVGraphic* graphic : graphics) {
        ++m_setterCalls;
        graphic->setValueForKey(key, value);
    }
    if (undo)
        undo->endUndoGrouping();
}
