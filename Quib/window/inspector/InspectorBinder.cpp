#include "window/inspector/InspectorBinder.h"

#include "window/DRVWindowController.h"
#include "window/inspector/SegmentedControl.h"

#include <QAbstractSlider>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QValidator>
#include <cmath>

namespace {

QList<InspectorBinder*>& liveBinders()
{
    static QList<InspectorBinder*> binders;
    return binders;
}

// Sliders hold whole numbers; a slider for a fractional key carries how many steps make one unit.
double sliderScale(const QWidget* slider)
{
    const double scale = slider->property("quibScale").toDouble();
    return scale > 0 ? scale : 1.0;
}

QString placeholderFor(InspectorBinder::Options options)
{
    switch (options) {
    case InspectorBinder::Options::Link:
        return QStringLiteral("http://");
    case InspectorBinder::Options::Tooltip:
        return QStringLiteral("Image Tooltip Text");
    default:
        return QString();
    }
}

// Whole numbers in fields with an integer validator, else up to two decimals.
QString fieldText(const QLineEdit* field, const QVariant& value)
{
    if (value.typeId() == QMetaType::QString)
        return value.toString();
    const double number = value.toDouble();
    if (qobject_cast<const QIntValidator*>(field->validator()))
        return QString::number(std::lround(number));
    return QString::number(std::round(number * 100) / 100, 'g', 10);
}

} // namespace

InspectorBinder::InspectorBinder(QObject* parent) : QObject(parent)
{
    liveBinders().append(this);
    connect(&m_proxy, &SelectionProxy::selectionChanged, this, &InspectorBinder::refresh);
    // A drag changes many graphics many times: only the controls of the changed key are shown again.
    connect(&m_proxy, &SelectionProxy::keyChanged, this, [this](const QString& key) {
        if (m_showing)
            return;
        m_showing = true;
        for (const Binding& b : std::as_const(m_bindings)) {
            if (b.control && b.key == key)
                show(b);
        }
        m_showing = false;
    });
    m_proxy.setController(DRVWindowController::mainWindowController());
}

InspectorBinder::~InspectorBinder()
{
    liveBinders().removeAll(this);
    unbindAll();
}

void InspectorBinder::mainWindowChanged()
{
    for (InspectorBinder* binder : liveBinders())
        binder->m_proxy.setController(DRVWindowController::mainWindowController());
}

void InspectorBinder::bind(QWidget* control, const QString& binding, const QString& key, Options options)
{
    if (!control)
        return;
    unbind(control, binding);
    Binding b{control, binding, key, options, {}};
    connectEdits(b);
    m_bindings.append(b);
    show(m_bindings.last());
}

void InspectorBinder::unbind(QWidget* control, const QString& binding)
{
    for (int i = m_bindings.size() - 1; i >= 0; --i) {
        if (m_bindings[i].control == control && m_bindings[i].binding == binding) {
            for (const QMetaObject::Connection& c : m_bindings[i].connections)
                disconnect(c);
            m_bindings.removeAt(i);
        }
    }
}

void InspectorBinder::unbindAll()
{
    for (Binding& b : m_bindings) {
        for (const QMetaObject::Connection& c : b.connections)
            disconnect(c);
    }
    m_bindings.clear();
}

bool InspectorBinder::isBound(const QWidget* control, const QString& binding) const
{
    for (const Binding& b : m_bindings) {
        if (b.control == control && b.binding == binding)
            return true;
    }
    return false;
}

void InspectorBinder::refresh()
{
    if (m_showing)
        return;
    m_showing = true;
    for (const Binding& b : std::as_const(m_bindings)) {
        if (b.control)
            show(b);
    }
    m_showing = false;
}

void InspectorBinder::show(const Binding& b)
{
    QWidget* control = b.control;
    const QSignalBlocker blocker(control);
    const SelectionProxy::KeyValue kv = m_proxy.valueForKey(b.key);
    const bool common = kv.state == SelectionProxy::State::Common;
    if (b.options == Options::Stepper)
        control->setEnabled(common);

    if (auto* field = qobject_cast<QLineEdit*>(control)) {
        QString text = common ? fieldText(field, kv.value) : QString();
        field->setPlaceholderText(placeholderFor(b.options));
        field->setText(text);
        field->setModified(false);
    } else if (auto* box = qobject_cast<QCheckBox*>(control)) {
        box->setChecked(common && kv.value.toDouble() != 0);
    } else if (auto* spin = qobject_cast<QSpinBox*>(control)) {
        if (common)
            spin->setValue(kv.value.toInt());
    } else if (auto* slider = qobject_cast<QAbstractSlider*>(control)) {
        slider->setValue(common ? int(std::lround(kv.value.toDouble() * sliderScale(slider)))
                                : slider->minimum());
    } else if (auto* segments = qobject_cast<SegmentedControl*>(control)) {
        if (b.binding == QLatin1String("selectedLabel"))
            segments->setSelectedLabel(common ? kv.value.toString() : QString());
        else
            segments->setSelectedIndex(common ? kv.value.toInt() : -1);
    } else if (auto* popup = qobject_cast<QComboBox*>(control)) {
        popup->setCurrentIndex(common ? popup->findText(kv.value.toString()) : -1);
    }
}

void InspectorBinder::connectEdits(Binding& b)
{
    QWidget* control = b.control;
    if (b.options == Options::ShowOnly) {
        // A click must not leave the box showing what it did not write.
        if (auto* box = qobject_cast<QCheckBox*>(control))
            b.connections.append(connect(box, &QCheckBox::clicked, this, [this] { refresh(); }));
        return;
    }
    const QString name = b.binding;
    if (auto* field = qobject_cast<QLineEdit*>(control)) {
        b.connections.append(connect(field, &QLineEdit::editingFinished, this, [this, field, name] {
            if (!field->isModified())
                return;
            field->setModified(false);
            const QString text = field->text();
            if (field->validator()) {
                if (text.trimmed().isEmpty())
                    return;
                write(field, name, text.toDouble());
            } else {
                write(field, name, text);
            }
        }));
    } else if (auto* box = qobject_cast<QCheckBox*>(control)) {
        b.connections.append(connect(box, &QCheckBox::clicked, this,
                                     [this, box, name](bool on) { write(box, name, on ? 1 : 0); }));
    } else if (auto* spin = qobject_cast<QSpinBox*>(control)) {
        b.connections.append(connect(spin, &QSpinBox::valueChanged, this,
                                     [this, spin, name](int value) { write(spin, name, value); }));
    } else if (auto* slider = qobject_cast<QAbstractSlider*>(control)) {
        // A drag writes once, when the slider is let go; clicks and keys write at once.
        auto commit = [this, slider, name] { write(slider, name, slider->value() / sliderScale(slider)); };
        b.connections.append(connect(slider, &QAbstractSlider::valueChanged, this, [slider, commit] {
            if (!slider->isSliderDown())
                commit();
        }));
        b.connections.append(connect(slider, &QAbstractSlider::sliderReleased, this, commit));
    } else if (auto* segments = qobject_cast<SegmentedControl*>(control)) {
        b.connections.append(
            connect(segments, &SegmentedControl::segmentActivated, this, [this, segments, name](int index) {
                if (name == QLatin1String("selectedLabel"))
                    write(segments, name, segments->labelForSegment(index));
                else
                    write(segments, name, index);
            }));
    } else if (auto* popup = qobject_cast<QComboBox*>(control)) {
        b.connections.append(connect(popup, &QComboBox::activated, this,
                                     [this, popup, name] { write(popup, name, popup->currentText()); }));
    }
}

void InspectorBinder::write(const QWidget* control, const QString& binding, const QVariant& value)
{
    if (m_showing)
        return;
    for (const Binding& b : std::as_const(m_bindings)) {
        if (b.control == control && b.binding == binding) {
            m_proxy.setValueForKey(b.key, value);
            break;
        }
    }
    refresh();
}
