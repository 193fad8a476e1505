#include "app/DRVAppDelegate.h"

#include "app/DocumentController.h"
#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "platform/SafePath.h"
#include "window/AddPhotoSettingsWindowController.h"
#include "window/CatalogGalleryJob.h"
#include "window/DRVWindowController.h"
#include "window/FileCatalogSettingsWindowController.h"
#include "window/PhotoCatalogSettingsWindowController.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QWidget>

void DRVAppDelegate::launchSimplifiedWindowController(const QString& folderPath)
{
    delete m_photoCatalogSettingsWindowController;
    delete m_fileCatalogSettingsWindowController;
    if (edition().gEditionDisplayName == QLatin1String("Tirrabel")) {
        m_fileCatalogSettingsWindowController = new FileCatalogSettingsWindowController(this);
        m_fileCatalogSettingsWindowController->setOpenWebsiteFolderPath(folderPath);
        m_fileCatalogSettingsWindowController->showWindow();
    } else {
        m_photoCatalogSettingsWindowController = new PhotoCatalogSettingsWindowController(this);
        m_photoCatalogSettingsWindowController->setOpenWebsiteFolderPath(folderPath);
        m_photoCatalogSettingsWindowController->showWindow();
    }
}

PhotoCatalogSettingsWindowController* DRVAppDelegate::photoCatalogSettingsWindowController() const
{
    return m_photoCatalogSettingsWindowController;
}

FileCatalogSettingsWindowController* DRVAppDelegate::fileCatalogSettingsWindowController() const
{
    return m_fileCatalogSettingsWindowController;
}

void DRVAppDelegate::showAddPhotoSettings()
{
    if (!m_addPhotoSettingsWindowController) {
        m_addPhotoSettingsWindowController = new AddPhotoSettingsWindowController(this);
        m_addPhotoSettingsWindowController->window()->setWindowTitle(QStringLiteral("Add Photo Settings"));
        // No target of its own: the key document window's controller answers.
        connect(m_addPhotoSettingsWindowController, &AddPhotoSettingsWindowController::addRequested, this,
                [] {
                    DocumentController& documents = DocumentController::shared();
                    DRVWindowController* target = DRVWindowController::mainWindowController();
                    if (!target || !documents.allWindowControllers().contains(target))
                        target = documents.allWindowControllers().isEmpty()
                                     ? nullptr
                                     : documents.allWindowControllers().constLast();
                    documents.sendAction(QStringLiteral("generatePhotoPages"), target);
                });
    }
    m_addPhotoSettingsWindowController->showWindow();
}

AddPhotoSettingsWindowController* DRVAppDelegate::addPhotoSettingsWindowController() const
{
    return m_addPhotoSettingsWindowController;
}

void DRVAppDelegate::installCatalogHandlers()
{
    CatalogGalleryJob::setAddPhotoSettingsHandler([] {
        if (DRVAppDelegate* delegate = current())
            delegate->showAddPhotoSettings();
    });
}

DRVWindowController* DRVAppDelegate::openSample()
{
    const QString name = edition().gSampleDocumentName;
    const std::optional<QString> source =
        name.isEmpty() ? std::nullopt : platform::SafePath::filePathBelow(DataCentre::templatesPath(), name);
    const QString root = edition().gTempFolderPath;
    const std::optional<QString> target =
        root.isEmpty() ? std::nullopt : platform::SafePath::filePath(root, QFileInfo(name).fileName());
    // A sample that cannot be copied or opened leaves nothing open, quietly.
    if (!source || !target || !QFileInfo(*source).isFile())
        return nullptr;
    QDir().mkpath(root);
    // The earlier working copy goes first, so every opening starts from the shipped sample.
    QFile::remove(*target);
    if (!QFile::copy(*source, *target))
        return nullptr;
    orderOutWelcomeWindow();
    return openUntitled(*target);
}
