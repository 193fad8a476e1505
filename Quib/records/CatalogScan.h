// The catalog editions' folder scan: every level below a chosen folder, hidden items included, each
// folder's entries in name order so that a scan lists the same order every run. Items become
// QuibFileHelper records: images or videos by their exact-case extensions, or sub-folders with the
// 64-bit sum of their direct entries' sizes. Also the numbered copies of the found files.
#pragma once
#include "records/QuibFileHelper.h"

#include <QString>
#include <functional>

enum class CatalogKind { None, Photos, Videos, Folders };

class CatalogScan
{
public:
    CatalogScan() = delete;

    // (done, total, text), the shape of the progress window's update.
    using Progress = std::function<void(qint32 done, qint32 total, const QString& text)>;

    // The kind the running edition catalogs, from its three flags.
    static CatalogKind kindForEdition();

    static bool isImageExtension(const QString& extension);
    static bool isVideoExtension(const QString& extension);

    // Progress every 10th item for lists of at most 1000, else every 50th.
    static int progressStep(qsizetype count);

    // Counts every item below folder, then lists the ones of kind in walk order. Unreadable
    // places are passed over; a folder that cannot be read gives an empty list.
    static QList<QuibFileHelper> scan(const QString& folder, CatalogKind kind, const Progress& progress);

    // The sum of the sizes (lstat: links and sub-folders count their own entry) of the folder's
    // direct entries; 0 for a folder that cannot be listed.
    static quint64 sizeOfFolder(const QString& folder);

    // Decimal units as file browsers show sizes: "Zero KB", "1 byte", "999 bytes", "2 KB",
    // "1.5 MB", "3.22 GB".
    static QString byteCountString(quint64 bytes);

    // Copies each listed file to <outputFolder>/<base>/<base><i>.<ext>, replacing an earlier copy,
    // and sets its updatedFilePath. Returns how many files could not be copied.
    static int duplicate(QList<QuibFileHelper>& records, const QString& outputFolder, const QString& base,
                         const Progress& progress);
};
