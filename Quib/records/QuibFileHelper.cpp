#include "records/QuibFileHelper.h"

#include <QLocale>

QList<QuibFileHelper> gCatalogFileList;
QUrl gCatalogInputFolderURL;

void QuibFileHelper::setFileModDate(const QDateTime& date)
{
    fileModDate = date;
    const QLocale c = QLocale::c();
    fileModDateString = date.isValid() ? c.toString(date, QStringLiteral("MMM dd yyyy")) : QString();
    fileModDateString_fileNameFormat =
        date.isValid() ? c.toString(date, QStringLiteral("yyyyMMdd")) : QString();
}
