#include "window/PageNumberWindowController.h"

#include "window/SheetLayout.h"

#include <QDialog>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

PageNumberWindowController::PageNumberWindowController(QWidget* parentWindow)
    : m_window(new QDialog(parentWindow))
{
    m_window->setObjectName(QStringLiteral("PageNumberWindowController"));
    m_window->setWindowTitle(QStringLiteral("Page Title"));
    m_window->setWindowModality(Qt::WindowModal);
    m_pageTitleTextField = new QLineEdit(m_window);
    m_pageTitleTextField->setObjectName(QStringLiteral("pageTitleTextField"));
    m_pageFileNameTextField = new QLineEdit(m_window);
    m_pageFileNameTextField->setObjectName(QStringLiteral("pageFileNameTextField"));
    m_pageFileNameTextField->setReadOnly(true);
    m_cancelButton = SheetLayout::button(m_window, "cancelButton", QStringLiteral("Cancel"));
    m_saveButton = SheetLayout::button(m_window, "saveButton", QStringLiteral("Save"));
    QFormLayout* form = SheetLayout::formWithButtons(m_window, {m_cancelButton, m_saveButton});
    form->addRow(QStringLiteral("Page title"), m_pageTitleTextField);
    form->addRow(QStringLiteral("File name"), m_pageFileNameTextField);
}

PageNumberWindowController::~PageNumberWindowController()
{
    delete m_window;
}
