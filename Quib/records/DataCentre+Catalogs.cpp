#include "editions/DataCentre.h"

#include "editions/EditionSettings.h"
#include "records/CatalogScan.h"

#include <QFileInfo>
#include <QTime>

void DataCentre::countNumberOfFiles(const QString& folderPath)
{
    gCatalogFileList.clear();
    gCatalogFileList =
        CatalogScan::scan(folderPath, CatalogScan::kindForEdition(), &DataCentre::updateProgressBar);
}

quint64 DataCentre::sizeOfFolder(const QString& folderPath)
{
    return CatalogScan::sizeOfFolder(folderPath);
}

int DataCentre::duplicatePhotoRepository(const QString& outputFolderPath)
{
    return CatalogScan::duplicate(gCatalogFileList, outputFolderPath, edition().gPageBaseName,
                                  &DataCentre::updateProgressBar);
}

QString DataCentre::grabFileSizeStr(const QString& path)
{
    const QFileInfo info(path);
    return CatalogScan::byteCountString(info.isFile() ? quint64(info.size()) : 0);
}

void DataCentre::printCurrentTime()
{
    qInfo("%s", qPrintable(QTime::currentTime().toString(QStringLiteral("HH:mm:ss"))));
}
