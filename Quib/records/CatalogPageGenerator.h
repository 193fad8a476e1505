// The catalog editions' static pages, made from scan records, the settings window's options and
// the time: a paginated photo grid with a viewer, a paginated video grid with players, and one page
// of folder sizes. Pure: nothing here touches the disk or the settings window; every path and text
// from the scanned folder or the user is escaped for where it is written.
#pragma once
#include "records/QuibFileHelper.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

struct CatalogOptions
{
    QString title;                 // page title and heading (photos and videos)
    int itemsPerPageSegment = 2;   // segment s gives 10 x (s + 1) items a page
    bool fileNameCaption = false;  // the file's name under each item
    bool timestampCaption = false; // the item's date under it
    bool filePathButton = false;   // videos: a "Path" button with the path in a popover
    bool linkCopies = false;       // sources are the numbered copies beside the pages
    bool darkTheme = false;
    bool centredHeading = false;
    int skipSegment = 0;        // folders: which size threshold skips a folder
    QString inputFolderPath;    // folders: shown as "Path"
    QString editionDisplayName; // folders: the page title
    QString baseName;           // page files are <base><n>.html
};

struct CatalogPage
{
    QString fileName;
    QString text;
};

class CatalogPageGenerator
{
public:
    CatalogPageGenerator() = delete;

    using Progress = std::function<void(qint32 done, qint32 total, const QString& text)>;

    // Where the pages take Bootstrap 3.3.4 and jQuery 1.11.1 from.
    static const QString& bootstrapStyleSheetUrl();
    static const QString& jqueryUrl();
    static const QString& bootstrapScriptUrl();

    static int itemsPerPage(int segment) { return 10 * (segment + 1); }
    // Bytes a folder must exceed to be listed: 1, 5, 10 and 20 million for segments 0 to 3, else 0.
    static quint64 skipThreshold(int segment);
    // The skip segments' labels, which the heading repeats.
    static const QStringList& skipLabels();

    static QList<CatalogPage> generatePhotoGalleryCode(const QList<QuibFileHelper>& records,
                                                       const CatalogOptions& options,
                                                       const Progress& progress = {});
    static QList<CatalogPage> generateVideoGalleryCode(const QList<QuibFileHelper>& records,
                                                       const CatalogOptions& options,
                                                       const Progress& progress = {});
    static CatalogPage generateFileGalleryCode(const QList<QuibFileHelper>& records,
                                               const CatalogOptions& options, const QDateTime& now,
                                               const Progress& progress = {});

    // A path as it may stand in a URL: percent-encoded as UTF-8, "/" kept.
    static QString urlPath(const QString& path);
};
