// The share panel: one sheet per document, shown after a page is published.
#include "document/DRVDocument.h"

void DRVDocument::showShareWindowController(QObject* sender)
{
    Q_UNUSED(sender);
}

void DRVDocument::hideShareWindowControllerPanel()
{
}

ShareWindowController* DRVDocument::shareWindowController() const
{
    return nullptr;
}
