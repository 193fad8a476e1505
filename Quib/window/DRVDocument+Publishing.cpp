// Publishing one page: confirmation, upload list, the run on a worker thread, progress and endings.
#include "document/DRVDocument.h"
#include "publishing/UploadItem.h"

#include <QHash>

namespace {
// Placeholder store until the run state lands.
QHash<const DRVDocument*, QList<UploadItem>>& pendingItems()
{
    static QHash<const DRVDocument*, QList<UploadItem>> items;
    return items;
}
} // namespace

QList<UploadItem> DRVDocument::uploadItemArray() const
{
    return pendingItems().value(this);
}

void DRVDocument::setUploadItemArray(const QList<UploadItem>& items)
{
    pendingItems().insert(this, items);
}

void DRVDocument::startUpload()
{
}

