#include "canvas/PrintSettingsWindowController.h"

#include <QFormLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

namespace {

// Whole numbers only; a sheet has at most a few hundred labels either way.
QLineEdit* spotField(QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setValidator(new QIntValidator(0, 999, field));
    field->setAlignment(Qt::AlignRight);
    return field;
}

} // namespace

PrintSettingsWindowController::PrintSettingsWindowController(QObject* parent)
    : QObject(parent), m_window(std::make_unique<QWidget>(nullptr, Qt::Window))
{
    QWidget* w = m_window.get();
    w->setObjectName(QStringLiteral("PrintSettingsWindowController"));
    w->setWindowTitle(QStringLiteral("Print Settings"));
    auto* form = new QFormLayout(w);
    m_startingRowSpotTextField = spotField(w);
    m_startingColumnSpotTextField = spotField(w);
    form->addRow(QStringLiteral("Start at row:"), m_startingRowSpotTextField);
    form->addRow(QStringLiteral("Start at column:"), m_startingColumnSpotTextField);
    m_saveButton = new QPushButton(QStringLiteral("Save"), w);
    m_saveButton->setDefault(true);
    form->addRow(m_saveButton);
}

PrintSettingsWindowController::~PrintSettingsWindowController() = default;
