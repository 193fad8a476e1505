#include "model/TableGridWindowController.h"

#include "editions/EditionSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QWidget>

namespace {

// The window is dark, so its captions are white.
QLabel* caption(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    TableGridWindowController::setWhiteTitle(label, text);
    return label;
}

QLineEdit* numberField(QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setAlignment(Qt::AlignRight);
    field->setMaximumWidth(70);
    return field;
}

// A stepper: only its arrows matter, the number is shown by the field beside it.
QSpinBox* stepper(QWidget* parent)
{
    auto* box = new QSpinBox(parent);
    box->setMinimum(1);
    box->setMaximum(TableGridWindowController::kMaxCount);
    box->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    box->setMaximumWidth(60);
    return box;
}

} // namespace

TableGridWindowController::TableGridWindowController(QObject* parent) : QObject(parent) {}

TableGridWindowController::~TableGridWindowController() = default;

QWidget* TableGridWindowController::window()
{
    if (!m_window)
        loadWindow();
    return m_window.get();
}

void TableGridWindowController::setWhiteTitle(QWidget* control, const QString& title)
{
    if (!control)
        return;
    if (auto* box = qobject_cast<QCheckBox*>(control))
        box->setText(title);
    else if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(title);
    QPalette palette = control->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::WindowText, Qt::white);
        palette.setColor(group, QPalette::ButtonText, Qt::white);
        palette.setColor(group, QPalette::Text, Qt::white);
    }
    control->setPalette(palette);
}

void TableGridWindowController::loadWindow()
{
    m_window = std::make_unique<QWidget>(nullptr, Qt::Window);
    m_removedControls = std::make_unique<QWidget>();
    QWidget* w = m_window.get();
    w->setObjectName(QStringLiteral("TableGridWindowController"));
    w->setWindowTitle(QStringLiteral("Configure Table Grid"));
    QPalette dark = w->palette();
    dark.setColor(QPalette::Window, QColor(0x3a, 0x3a, 0x3a));
    w->setPalette(dark);
    w->setAutoFillBackground(true);

    m_numOfColumnsTextField = numberField(w);
    m_columnStepper = stepper(w);
    m_numOfRowsTextField = numberField(w);
    m_rowStepper = stepper(w);
    m_spacingTextField = numberField(w);
    m_spacingSlider = new QSlider(Qt::Horizontal, w);
    m_spacingSlider->setRange(0, 40);
    m_spacingSlider->setTickPosition(QSlider::TicksBelow);
    m_columnWidthPopUpButton = new QComboBox(w);
    m_widthTextField = numberField(w);
    m_fixedWidthCheckmark = new QCheckBox(w);
    setWhiteTitle(m_fixedWidthCheckmark, QStringLiteral("Fixed"));
    m_columnWidthLabel = caption(QStringLiteral("Column width:"), w);
    m_rowHeightPopUpButton = new QComboBox(w);
    m_heightTextField = numberField(w);
    m_fixedHeightCheckmark = new QCheckBox(w);
    setWhiteTitle(m_fixedHeightCheckmark, QStringLiteral("Fixed"));
    m_rowHeightLabel = caption(QStringLiteral("Row height:"), w);
    // Wide enough for "Column 12".
    for (QComboBox* popUp : {m_columnWidthPopUpButton.data(), m_rowHeightPopUpButton.data()}) {
        popUp->setMinimumContentsLength(9);
        popUp->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    }
    m_sameWidthForAllColumnsCheckmark = new QCheckBox(w);
    m_sameHeightForAllRowsCheckmark = new QCheckBox(w);
    m_saveButton = new QPushButton(QStringLiteral("Save"), w);
    m_saveButton->setDefault(true);
    m_cancelButton = new QPushButton(QStringLiteral("Cancel"), w);

    auto* grid = new QGridLayout(w);
    grid->addWidget(caption(QStringLiteral("Columns:"), w), 0, 0);
    grid->addWidget(m_numOfColumnsTextField, 0, 1);
    grid->addWidget(m_columnStepper, 0, 2);
    grid->addWidget(caption(QStringLiteral("Rows:"), w), 1, 0);
    grid->addWidget(m_numOfRowsTextField, 1, 1);
    grid->addWidget(m_rowStepper, 1, 2);
    grid->addWidget(caption(QStringLiteral("Spacing:"), w), 2, 0);
    grid->addWidget(m_spacingTextField, 2, 1);
    grid->addWidget(m_spacingSlider, 2, 2, 1, 2);
    grid->addWidget(m_columnWidthLabel, 3, 0);
    grid->addWidget(m_columnWidthPopUpButton, 3, 1);
    grid->addWidget(m_widthTextField, 3, 2);
    grid->addWidget(m_fixedWidthCheckmark, 3, 3);
    grid->addWidget(m_rowHeightLabel, 4, 0);
    grid->addWidget(m_rowHeightPopUpButton, 4, 1);
    grid->addWidget(m_heightTextField, 4, 2);
    grid->addWidget(m_fixedHeightCheckmark, 4, 3);
    grid->addWidget(m_sameWidthForAllColumnsCheckmark, 5, 0, 1, 4);
    grid->addWidget(m_sameHeightForAllRowsCheckmark, 6, 0, 1, 4);
    grid->addWidget(m_cancelButton, 7, 2, Qt::AlignRight);
    grid->addWidget(m_saveButton, 7, 3, Qt::AlignRight);

    windowDidLoad();
}

void TableGridWindowController::windowDidLoad()
{
    QWidget* w = window();
    if (!edition().gEqualColumnWidthsFlag) {
        QWidget* const perCellControls[] = {m_columnWidthPopUpButton,
                                            m_fixedWidthCheckmark,
                                            m_widthTextField,
                                            m_rowHeightPopUpButton,
                                            m_fixedHeightCheckmark,
                                            m_heightTextField,
                                            m_columnWidthLabel,
                                            m_rowHeightLabel,
                                            m_sameWidthForAllColumnsCheckmark,
                                            m_sameHeightForAllRowsCheckmark};
        for (QWidget* control : perCellControls) {
            if (!control || control->parentWidget() != w)
                continue;
            if (QLayout* layout = w->layout())
                layout->removeWidget(control);
            control->setParent(m_removedControls.get());
        }
        w->adjustSize();
    }
    setWhiteTitle(m_sameWidthForAllColumnsCheckmark, QStringLiteral("Make all columns the same width"));
    setWhiteTitle(m_sameHeightForAllRowsCheckmark, QStringLiteral("Make all rows the same height"));
}

QLineEdit* TableGridWindowController::numOfColumnsTextField()
{
    window();
    return m_numOfColumnsTextField;
}

QSpinBox* TableGridWindowController::columnStepper()
{
    window();
    return m_columnStepper;
}

QLineEdit* TableGridWindowController::numOfRowsTextField()
{
    window();
    return m_numOfRowsTextField;
}

QSpinBox* TableGridWindowController::rowStepper()
{
    window();
    return m_rowStepper;
}

QLineEdit* TableGridWindowController::spacingTextField()
{
    window();
    return m_spacingTextField;
}

QSlider* TableGridWindowController::spacingSlider()
{
    window();
    return m_spacingSlider;
}

QComboBox* TableGridWindowController::columnWidthPopUpButton()
{
    window();
    return m_columnWidthPopUpButton;
}

QLineEdit* TableGridWindowController::widthTextField()
{
    window();
    return m_widthTextField;
}

QCheckBox* TableGridWindowController::fixedWidthCheckmark()
{
    window();
    return m_fixedWidthCheckmark;
}

QLabel* TableGridWindowController::columnWidthLabel()
{
    window();
    return m_columnWidthLabel;
}

QComboBox* TableGridWindowController::rowHeightPopUpButton()
{
    window();
    return m_rowHeightPopUpButton;
}

QLineEdit* TableGridWindowController::heightTextField()
{
    window();
    return m_heightTextField;
}

QCheckBox* TableGridWindowController::fixedHeightCheckmark()
{
    window();
    return m_fixedHeightCheckmark;
}

QLabel* TableGridWindowController::rowHeightLabel()
{
    window();
    return m_rowHeightLabel;
}

QCheckBox* TableGridWindowController::sameWidthForAllColumnsCheckmark()
{
    window();
    return m_sameWidthForAllColumnsCheckmark;
}

QCheckBox* TableGridWindowController::sameHeightForAllRowsCheckmark()
{
    window();
    return m_sameHeightForAllRowsCheckmark;
}

QPushButton* TableGridWindowController::saveButton()
{
    window();
    return m_saveButton;
}

QPushButton* TableGridWindowController::cancelButton()
{
    window();
    return m_cancelButton;
}
