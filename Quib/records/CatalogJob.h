// The window-free steps of a catalog job: the scan and its sort, the summary, and the generation
// that writes the pages into the output folder. The settings window runs them on workers behind the
// progress window; tests and batch front ends call them directly.
#pragma once
#include "records/CatalogPageGenerator.h"
#include "records/CatalogScan.h"

#include <QDateTime>
#include <QString>

class CatalogJob
{
public:
    CatalogJob() = delete;

    // Scans the folder for the edition's kind into gCatalogFileList and sorts it: photos oldest
    // first, folders largest first; videos keep the scan order. Worker thread.
    static void retrievePhotoFiles(const QString& folderPath);
    static QList<QuibFileHelper> sortedForKind(const QList<QuibFileHelper>& records, CatalogKind kind);

    // The "Summary" alert's text for the list as sorted; an empty list has its own.
    static QString summaryText(const QList<QuibFileHelper>& records);

    struct Result
    {
        QString firstPagePath; // <output>/<base>1.html
        int copyFailures = 0;  // files that could not be copied beside the pages
        int writeFailures = 0; // pages that could not be written
    };
    // Copies the files when the options link copies, makes the kind's pages from gCatalogFileList
    // and writes them as UTF-8 into the output folder, replacing pages of an earlier run.
    // Reports through the progress window. Worker thread.
    static Result generate(CatalogKind kind, const CatalogOptions& options, const QString& outputFolder,
                           const QDateTime& now);
    // The same on explicit records, reporting to progress (tests).
    static Result generate(QList<QuibFileHelper>& records, CatalogKind kind, const CatalogOptions& options,
                           const QString& outputFolder, const QDateTime& now,
                           const CatalogPageGenerator::Progress& progress);
};
