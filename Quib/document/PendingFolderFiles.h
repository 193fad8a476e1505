// Files an open has read from a page document into memory and not yet written into the working
// folder. Opening a page would otherwise spend most of its time creating files nobody reads at
// once; instead they are staged here and written by a background job, while the page's own reads
// (its pictures, the folder's listings) are answered from memory. Anything else that uses the
// folder's files first calls ensureComplete, which writes what is left on the calling thread and
// waits for a write in progress, so nothing is missing or half-written when it looks.
// A staged file never replaces a file already on disk: whatever was written there since is newer.
#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class PendingFolderFiles
{
public:
    PendingFolderFiles() = delete;

    struct File
    {
        QString path; // absolute, inside the staged root
        QByteArray bytes;
    };

    // Takes over files to be written below root and starts writing them in the background
    // (unless background writing is off). Their folders are made as needed.
    static void stage(const QString& root, std::vector<File> files);

    // The bytes of a file that is staged and not yet on disk.
    static std::optional<QByteArray> bytes(const QString& path);
    // The names of the staged files directly inside folder.
    static QStringList namesIn(const QString& folder);
    // Whether anything below (or above) path is still staged.
    static bool isPending(const QString& path);

    // Writes every staged file of each root inside path, or holding path, and waits until all of
    // them are on disk. False when a file could not be written (it stays staged for the next call).
    static bool ensureComplete(const QString& path);
    // The same for every staged root.
    static bool ensureAllComplete();

    // Test seam: with background writing off, files are written only by ensureComplete.
    static void setBackgroundWritingForTesting(bool enabled);
};
