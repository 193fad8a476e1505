#include "window/DRVWindowController.h"

#include "window/PhotoCatalogSettingsWindowController.h"

#include <QWidget>

const QStringList& DRVWindowController::catalogActions()
{
    static const QStringList actions{QStringLiteral("selectPhotosInputFolder:"),
                                     QStringLiteral("showPhotoCatalogSettings:")};
    return actions;
}

bool DRVWindowController::performCatalogAction(const QString& action)
{
    if (!catalogActions().contains(action))
        return false;
    showPhotoCatalogSettings();
    return true;
}

void DRVWindowController::showPhotoCatalogSettings()
{
    if (!m_photoCatalogSettingsWindowController) {
        m_photoCatalogSettingsWindowController = new PhotoCatalogSettingsWindowController(this);
        m_photoCatalogSettingsWindowController->setOpenWebsiteFolderPath(openWebsiteFolderPath());
        m_photoCatalogSettingsWindowController->window()->setWindowTitle(QString());
    }
    m_photoCatalogSettingsWindowController->showWindow();
}

PhotoCatalogSettingsWindowController* DRVWindowController::photoCatalogSettingsWindowController() const
{
    return m_photoCatalogSettingsWindowController;
}
