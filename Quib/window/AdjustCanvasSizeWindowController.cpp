#include "window/AdjustCanvasSizeWindowController.h"

#include "window/SheetLayout.h"

#include <QComboBox>
#include <QDialog>
#include <QFormLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QPushButton>

AdjustCanvasSizeWindowController::AdjustCanvasSizeWindowController(QWidget* parentWindow)
    : m_window(new QDialog(parentWindow))
{
    m_window->setObjectName(QStringLiteral("AdjustCanvasSizeWindowController"));
    m_window->setWindowTitle(QStringLiteral("Canvas Size"));
    m_window->setWindowModality(Qt::WindowModal);
    m_adjustmentSegmentedControl = new QComboBox(m_window);
    m_adjustmentSegmentedControl->setObjectName(QStringLiteral("adjustmentSegmentedControl"));
    m_adjustmentSegmentedControl->addItems({QStringLiteral("Automatic"), QStringLiteral("Fixed Size")});
    m_widthTextField = new QLineEdit(m_window);
    m_widthTextField->setObjectName(QStringLiteral("widthTextField"));
    m_heightTextField = new QLineEdit(m_window);
    m_heightTextField->setObjectName(QStringLiteral("heightTextField"));
    for (QLineEdit* field : {m_widthTextField, m_heightTextField})
        field->setValidator(new QIntValidator(1, 100000, field));
    m_cancelButton = SheetLayout::button(m_window, "cancelButton", QStringLiteral("Cancel"));
    m_saveButton = SheetLayout::button(m_window, "saveButton", QStringLiteral("Save"));
    QFormLayout* form = SheetLayout::formWithButtons(m_window, {m_cancelButton, m_saveButton});
    form->addRow(QStringLiteral("Canvas"), m_adjustmentSegmentedControl);
    form->addRow(QStringLiteral("Width"), m_widthTextField);
    form->addRow(QStringLiteral("Height"), m_heightTextField);

    connect(m_adjustmentSegmentedControl, &QComboBox::currentIndexChanged, this,
            &AdjustCanvasSizeWindowController::updateTypeOfCanvasSize);
}

AdjustCanvasSizeWindowController::~AdjustCanvasSizeWindowController()
{
    delete m_window;
}

void AdjustCanvasSizeWindowController::updateTypeOfCanvasSize()
{
    const bool fixed = m_adjustmentSegmentedControl->currentIndex() != 0;
    for (QLineEdit* field : {m_widthTextField, m_heightTextField}) {
        field->setReadOnly(!fixed);
        field->setEnabled(fixed);
    }
}
