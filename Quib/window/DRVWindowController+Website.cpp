// The open website project: its folder, the scan into page records, the page order file, and the
// page operations that change the folder.
#include "window/DRVWindowController.h"

QString DRVWindowController::resetAndGrabCurrentWebsiteFolderPath() { return m_openWebsiteFolder; }
void DRVWindowController::pickUpFileList(const QString&) {}
void DRVWindowController::grabPageOrderIndexFile() {}
void DRVWindowController::writePageOrderIndexFile() {}
QString DRVWindowController::generateDefaultPageName() const { return {}; }
bool DRVWindowController::runNewFileCreationChecks(const QString&) { return false; }
bool DRVWindowController::baseTemplateExists() const { return false; }
void DRVWindowController::launchUsingBaseTemplate(const AddNewPageChoice&) {}
void DRVWindowController::addPlaceHolder() {}
void DRVWindowController::grabDraggedInPage(QWidget*, bool, const QString&) {}
