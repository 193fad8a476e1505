#include "records/CatalogJob.h"

#include "editions/DataCentre.h"
#include "platform/SafePath.h"
#include "platform/TextEncoding.h"

void CatalogJob::retrievePhotoFiles(const QString& folderPath)
{
    DataCentre::countNumberOfFiles(folderPath);
    gCatalogFileList = sortedForKind(gCatalogFileList, CatalogScan::kindForEdition());
}

QList<QuibFileHelper> CatalogJob::sortedForKind(const QList<QuibFileHelper>& records, CatalogKind kind)
{
    if (kind == CatalogKind::Photos)
        return DataCentre::sortArray(records, &QuibFileHelper::fileModDate, true);
    if (kind == CatalogKind::Folders)
        return DataCentre::sortArray(records, &QuibFileHelper::fileSizeBytes, false);
    return records;
}

QString CatalogJob::summaryText(const QList<QuibFileHelper>& records)
{
    if (records.isEmpty())
        return QStringLiteral("Did not find any supported files in this folder");
    return QStringLiteral("Total count: %1\nEarliest date: %2\nLatest date: %3")
        .arg(QString::number(records.size()), records.constFirst().fileModDateString,
             records.constLast().fileModDateString);
}

CatalogJob::Result CatalogJob::generate(CatalogKind kind, const CatalogOptions& options,
                                        const QString& outputFolder, const QDateTime& now)
{
    return generate(gCatalogFileList, kind, options, outputFolder, now, &DataCentre::updateProgressBar);
}

CatalogJob::Result CatalogJob::generate(QList<QuibFileHelper>& records, CatalogKind kind,
                                        const CatalogOptions& options, const QString& outputFolder,
                                        const QDateTime& now, const CatalogPageGenerator::Progress& progress)
{
    Result result;
    QList<CatalogPage> pages;
    if (kind == CatalogKind::Folders) {
        pages.append(CatalogPageGenerator::generateFileGalleryCode(records, options, now, progress));
    } else if (kind == CatalogKind::Photos || kind == CatalogKind::Videos) {
        if (options.linkCopies)
            result.copyFailures = CatalogScan::duplicate(records, outputFolder, options.baseName, progress);
        pages = kind == CatalogKind::Photos
                    ? CatalogPageGenerator::generatePhotoGalleryCode(records, options, progress)
                    : CatalogPageGenerator::generateVideoGalleryCode(records, options, progress);
    }
    for (const CatalogPage& page : pages) {
        const std::optional<QString> path = platform::SafePath::filePath(outputFolder, page.fileName);
        if (!path || !platform::writeFileAtomically(*path, page.text.toUtf8()))
            ++result.writeFailures;
    }
    result.firstPagePath = outputFolder + u'/' + options.baseName + QStringLiteral("1.html");
    return result;
}
