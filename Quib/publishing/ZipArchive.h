// Small wrapper over libzip: builds an archive from files and folders, and extracts one safely.
// Writes go to a temporary file beside the target and are renamed over it, so a failed write
// leaves the previous archive untouched. Extraction checks every member before anything is
// written, streams each member in small chunks into a temporary folder, and moves that into place
// only on success.
#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

struct zip;

class ZipArchive
{
public:
    enum class Status {
        Ok,
        CannotOpen,     // missing or unreadable archive, or a source that cannot be added
        NotAnArchive,   // the file is not a zip archive (or is damaged)
        UnsafeMember,   // a member would land outside the target folder, or is a link or device
        Unsupported,    // encrypted members
        TooManyMembers, // more members than the limit
        TooLarge,       // more unpacked bytes than the limit, or compressed beyond the ratio
        ReadFailed,     // a member's data could not be read (checksum, truncation)
        WriteFailed,    // the file system refused a write or a rename
        Cancelled,      // an interrupt stopped the write
    };

    // What an archive may unpack to. A page document is a page with its images, styles and
    // scripts: a few hundred members and tens of megabytes. The bytes are counted as they are
    // written, so headers that understate a member's size change nothing.
    struct Limits
    {
        qint64 maxMembers = 20000;
        qint64 maxTotalBytes = qint64(512) * 1024 * 1024; // all members together, at most
        // Unpacked bytes per packed byte of one member (text compresses about 10:1, images 1:1);
        // a member may exceed it only while it stays within ratioFreeBytes.
        qint64 maxRatio = 100;
        qint64 ratioFreeBytes = qint64(1) * 1024 * 1024;
    };

    // ---- writing ----

    // Adds one file as memberName ("a/b.css"). False, with nothing added, when the source is not a
    // regular file.
    bool addFile(const QString& sourcePath, const QString& memberName);
    // Adds a folder entry ("images/").
    void addFolder(const QString& memberName);
    // Adds every regular file and folder below folder, depth first and sorted by name, each
    // member named memberPrefix + its path relative to folder. Links and special files are skipped.
    // False when folder is not a readable folder.
    bool addTree(const QString& folder, const QString& memberPrefix);
    QStringList memberNames() const;

    // Writes the members added so far; true on success. On failure archivePath is as it was.
    bool writeTo(const QString& archivePath);

    // ---- reading ----

    // Extracts every member below targetFolder (created when missing). A refused archive, or one
    // that fails while unpacking, leaves nothing behind; only the final moves touch targetFolder.
    bool extractTo(const QString& archivePath, const QString& targetFolder, const Limits& limits);
    bool extractTo(const QString& archivePath, const QString& targetFolder)
    {
        return extractTo(archivePath, targetFolder, Limits{});
    }
    // One member read into memory: its checked path inside the archive ("a/b.css"), and its bytes.
    struct MemoryMember
    {
        QString relativePath;
        bool isFolder = false;
        QByteArray bytes;
    };
    // Reads every member into memory under the same checks and limits as extractTo; on failure
    // members is left empty.
    bool readInto(const QString& archivePath, std::vector<MemoryMember>* members, const Limits& limits);
    bool readInto(const QString& archivePath, std::vector<MemoryMember>* members)
    {
        return readInto(archivePath, members, Limits{});
    }
    int extractedFileCount() const { return m_extractedFiles; }

    Status status() const { return m_status; }
    QString errorText() const { return m_errorText; }

    // Test seam: called while an archive is being written with the fraction done; returning true
    // aborts the write as an interrupted or failing disk would.
    static void setWriteInterruptForTesting(std::function<bool(double)> interrupt);

private:
    struct Member
    {
        QString name;
        QString sourcePath; // empty for a folder entry
    };
    bool fail(Status status, const QString& text);
    struct Entry;
    zip* openChecked(const QString& archivePath, const Limits& limits, std::vector<Entry>* entries);
    bool readMember(zip* archive, const Entry& entry, const Limits& limits, qint64* readTotal,
                    const std::function<bool(const char*, qint64)>& sink);

    std::vector<Member> m_members;
    Status m_status = Status::Ok;
    QString m_errorText;
    int m_extractedFiles = 0;
};
