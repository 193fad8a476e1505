// The page list beside the canvas: the project's page tiles, their filter and order, and opening a
// listed page in this window.
#include "window/DRVWindowController.h"

void DRVWindowController::refreshWebsite() {}
void DRVWindowController::totalRefreshWebsite() {}
bool DRVWindowController::launchSelected(const QString&) { return false; }
