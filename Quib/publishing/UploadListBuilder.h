// What one page's upload sends, in sending order, worked out from a small snapshot of the page so
// that the rule can be checked without a window, a server or files on disk.
#pragma once
#include "publishing/UploadItem.h"

#include <QList>
#include <QObject>
#include <QString>

class DRVDocument;

// One image of the page as the upload sees it.
struct UploadImageCandidate
{
    QString imageName;
    QString imageType;
    QString templateName;
    bool selectable = true; // false: the image belongs to the website's base template
    bool forceNonRetina = false;
    int imageEnlargeFlag = 0; // 1: the image opens its full-size "o" copy
};

struct UploadPageSnapshot
{
    bool uploadImageFlag = true; // false: "Quick Refresh", the page file alone
    QString pageName;
    QString pageFileExtension;
    QString publishExt;
    QString tempSavePathLocal;
    QString openWebsiteFolderTempPath;
    int backgroundImageFlag = 0;
    QString backgroundImageType;
    int useBaseTemplateFlag = 0;
    QList<UploadImageCandidate> images;
    // The page file in its publishing form; the last item's local file.
    QString pageCopyPath;
};

struct UploadList
{
    QList<UploadItem> items;
    // Indexes into the snapshot's images that are published at double resolution: their retinaFlag
    // is set once the list is taken.
    QList<int> retinaImages;
};

class UploadListBuilder
{
public:
    UploadListBuilder() = delete;

    // The page's images in sending order: free images, then slides and gallery pictures (each
    // counted as selectable as its container is), then, when tableImages is set, every table's
    // images and its background image, the latter always at single resolution. sources receives the
    // object behind each candidate, at the same index.
    static QList<UploadImageCandidate> candidates(const DRVDocument& document, bool tableImages,
                                                  QList<QObject*>* sources = nullptr);

    // The items: per image its plain, "o" or "@2x" file, then the background image, then the page
    // file last. A name that cannot be a file name in its folder is left out.
    static UploadList build(const UploadPageSnapshot& page);

    // The page file's name on the server: pageName.publishExt, publishExt falling back to the
    // page file's extension.
    static QString publishedFileName(const QString& pageName, const QString& publishExt,
                                     const QString& pageFileExtension);
};
