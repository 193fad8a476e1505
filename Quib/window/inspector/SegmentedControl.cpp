#include "window/inspector/SegmentedControl.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QToolButton>

SegmentedControl::SegmentedControl(QWidget* parent) : QWidget(parent), m_group(new QButtonGroup(this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_group->setExclusive(true);
    connect(m_group, &QButtonGroup::idClicked, this, &SegmentedControl::segmentActivated);
}

void SegmentedControl::setSegments(const QStringList& labels, const QList<int>& widths)
{
    for (QToolButton* button : m_buttons) {
        m_group->removeButton(button);
        delete button;
    }
    m_buttons.clear();
    for (int i = 0; i < labels.size(); ++i) {
        auto* button = new QToolButton(this);
        button->setText(labels[i]);
        button->setCheckable(true);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setFixedWidth(i < widths.size() ? widths[i] : 60);
        button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        m_group->addButton(button, i);
        layout()->addWidget(button);
        m_buttons.append(button);
    }
}

QString SegmentedControl::labelForSegment(int index) const
{
    return index >= 0 && index < m_buttons.size() ? m_buttons[index]->text() : QString();
}

QToolButton* SegmentedControl::segmentButton(int index) const
{
    return index >= 0 && index < m_buttons.size() ? m_buttons[index] : nullptr;
}

int SegmentedControl::selectedIndex() const
{
    return m_group->checkedId();
}

void SegmentedControl::setSelectedIndex(int index)
{
    if (index >= 0 && index < m_buttons.size()) {
        m_buttons[index]->setChecked(true);
        return;
    }
    // An exclusive group refuses to uncheck its last checked button.
    m_group->setExclusive(false);
    for (QToolButton* button : m_buttons)
        button->setChecked(false);
    m_group->setExclusive(true);
}

QString SegmentedControl::selectedLabel() const
{
    return labelForSegment(selectedIndex());
}

void SegmentedControl::setSelectedLabel(const QString& label)
{
    for (int i = 0; i < m_buttons.size(); ++i) {
        if (m_buttons[i]->text() == label) {
            setSelectedIndex(i);
            return;
        }
    }
    setSelectedIndex(-1);
}
