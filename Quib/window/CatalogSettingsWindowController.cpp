#include "window/CatalogSettingsWindowController.h"

#include "window/CatalogGalleryJob.h"

#include <QLabel>
#include <QPushButton>
#include <QWidget>

CatalogSettingsWindowController::CatalogSettingsWindowController(const QString& interfaceName,
                                                                 QObject* parent)
    : QObject(parent), m_job(new CatalogGalleryJob(this))
{
    m_window = new QWidget(nullptr, Qt::Window);
    m_window->setObjectName(interfaceName);
    m_openWebsiteFolderPathLabel = new QLabel(m_window);
    m_openWebsiteFolderPathLabel->setWordWrap(true);
    m_openWebsiteFolderPathLabel->setTextFormat(Qt::PlainText);
    m_selectFolderButton = new QPushButton(QStringLiteral("Select Folder and Generate..."), m_window);
    m_selectFolderButton->setDefault(true);
    m_job->setOptionsSource([this] { return catalogOptions(); });
    connect(m_selectFolderButton, &QPushButton::clicked, m_job, &CatalogGalleryJob::selectInputPhotoFolder);
}

CatalogSettingsWindowController::~CatalogSettingsWindowController()
{
    delete m_window;
}

void CatalogSettingsWindowController::showWindow()
{
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void CatalogSettingsWindowController::setOpenWebsiteFolderPath(const QString& path)
{
    m_openWebsiteFolderPath = path;
    m_openWebsiteFolderPathLabel->setText(path);
    m_job->setOutputFolder(path);
}
