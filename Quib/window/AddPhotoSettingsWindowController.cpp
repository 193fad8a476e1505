#include "window/AddPhotoSettingsWindowController.h"

#include <QCheckBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

namespace {
QPointer<AddPhotoSettingsWindowController> gShared;
}

AddPhotoSettingsWindowController* AddPhotoSettingsWindowController::shared()
{
    return gShared;
}

AddPhotoSettingsWindowController::AddPhotoSettingsWindowController(QObject* parent) : QObject(parent)
{
    gShared = this;
    m_window = new QWidget(nullptr, Qt::Window);
    m_window->setObjectName(QStringLiteral("AddPhotoSettingsWindowController"));
    m_thumbnailCheckbox = new QCheckBox(QStringLiteral("Place the photo"), m_window);
    m_thumbnailCheckbox->setChecked(true);
    m_filenameCheckbox = new QCheckBox(QStringLiteral("File name"), m_window);
    m_filepathCheckbox = new QCheckBox(QStringLiteral("Caption with the path"), m_window);
    m_timestampCheckbox = new QCheckBox(QStringLiteral("Caption with date and time"), m_window);
    m_timestampCheckbox->setChecked(true);
    m_addButton = new QPushButton(QStringLiteral("Add"), m_window);
    m_addButton->setDefault(true);
    auto* layout = new QVBoxLayout(m_window);
    for (QCheckBox* box : {m_thumbnailCheckbox, m_filenameCheckbox, m_filepathCheckbox, m_timestampCheckbox})
        layout->addWidget(box);
    layout->addWidget(m_addButton, 0, Qt::AlignRight);
    connect(m_addButton, &QPushButton::clicked, this, &AddPhotoSettingsWindowController::addRequested);
}

AddPhotoSettingsWindowController::~AddPhotoSettingsWindowController()
{
    delete m_window;
}

void AddPhotoSettingsWindowController::showWindow()
{
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}
