// One item a catalog scan found, and the process-wide list of the last scan.
#pragma once
#include <QDateTime>
#include <QList>
#include <QString>
#include <QUrl>

struct QuibFileHelper
{
    // The copy's path relative to the output folder ("<base>/<base><n>.<ext>"); empty until copied.
    QString updatedFilePath;
    QString filePath; // absolute, as found
    // Folders: modification time; files: the earlier of birth and modification time.
    QDateTime fileModDate;
    QString fileModDateString;                // "MMM dd yyyy"
    QString fileModDateString_fileNameFormat; // "yyyyMMdd"
    QString fileSize;                         // folders only: the size as text
    quint64 fileSizeBytes = 0;                // folders only

    // Sets the date and both of its strings (English month names whatever the locale).
    void setFileModDate(const QDateTime& date);
};

// Replaced by each scan and then by its caller's sorted copy; written only by the running job's
// steps, one after the other.
extern QList<QuibFileHelper> gCatalogFileList;
// The folder the user chose for the last scan, as a file URL.
extern QUrl gCatalogInputFolderURL;
