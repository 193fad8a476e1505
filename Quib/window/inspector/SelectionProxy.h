// The selection of one window controller seen key by key: each key has a value common to every
// selected graphic, differs among them, or there is no selection. A write reaches every selected
// graphic as one undo step. The inspector follows the main window's selection through it.
#pragma once
#include <QList>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>

class DRVGraphic;
class DRVWindowController;

class SelectionProxy : public QObject
{
    Q_OBJECT
public:
    enum class State { Common, Multiple, NoSelection };
    struct KeyValue
    {
        State state = State::NoSelection;
        QVariant value; // valid only for Common
    };

    explicit SelectionProxy(QObject* parent = nullptr);

    // The controller whose selection is shown; nullptr shows no selection.
    void setController(DRVWindowController* controller);
    DRVWindowController* controller() const { return m_controller; }

    QList<DRVGraphic*> selectedGraphics() const;
    KeyValue valueForKey(const QString& key) const;
    // Sets key on every selected graphic, grouped into one undo step.
    void setValueForKey(const QString& key, const QVariant& value);
    // Graphic setter calls made through the proxy (how many graphics each write reached).
    int setterCalls() const { return m_setterCalls; }

signals:
    // The selection or its source changed.
    void selectionChanged();
    // A selected graphic's key changed (dependent keys are reported too).
    void keyChanged(const QString& key);

private:
    void observeSelection();

    QPointer<DRVWindowController> m_controller;
    QList<QMetaObject::Connection> m_connections;
    QObject* m_graphicObservers = nullptr;
    int m_setterCalls = 0;
};
