// Ties inspector controls to keys of the main window's selection: a control shows the selection's
// common value of its key (or its placeholder when the graphics differ or nothing is selected), and
// the user's edit writes the key into every selected graphic. Every window's binder follows the
// main window.
#pragma once
#include "window/inspector/SelectionProxy.h"

#include <QList>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

class InspectorBinder : public QObject
{
    Q_OBJECT
public:
    // Placeholders and enabling of a binding.
    enum class Options {
        None,
        Blank,    // empty when the graphics differ or nothing is selected
        Stepper,  // disabled unless one common value
        Link,     // "http://" when differing, nothing selected, or empty
        Tooltip,  // "Image Tooltip Text" likewise
        ShowOnly, // shows the value, never writes it
    };

    explicit InspectorBinder(QObject* parent = nullptr);
    ~InspectorBinder() override;

    // Binding names: "value", "selectedIndex", "selectedLabel", "selectedValue". Binding a control
    // again under the same name replaces the earlier binding; a null control is passed over.
    void bind(QWidget* control, const QString& binding, const QString& key, Options options);
    void unbind(QWidget* control, const QString& binding);
    void unbindAll();
    bool isBound(const QWidget* control, const QString& binding) const;
    int bindingCount() const { return m_bindings.size(); }

    // Shows the selection in every bound control.
    void refresh();

    SelectionProxy& proxy() { return m_proxy; }
    // Points every binder at the main window's selection.
    static void mainWindowChanged();

private:
    struct Binding
    {
        QPointer<QWidget> control;
        QString binding;
        QString key;
        Options options = Options::None;
        QList<QMetaObject::Connection> connections;
    };

    void show(const Binding& b);
    void connectEdits(Binding& b);
    void write(const QWidget* control, const QString& binding, const QVariant& value);

    SelectionProxy m_proxy;
    QList<Binding> m_bindings;
    bool m_showing = false;
};
