// How the document reaches the page archive. The archive code lives in a later folder, so the
// document owns this small interface and the publishing folder installs the real one at start-up
// (DocumentArchiverInstall::install()). Until then every operation fails with a clear error, so a
// missing installation shows up as a refused open or save, never as silent success.
#pragma once
#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

class DocumentArchiver
{
public:
    DocumentArchiver() = delete;

    // Each returns true on success and otherwise puts the reason into *error (when given).
    // Packs pageFolder (W/P), with W/P.html or W/P.php and the two thumbnails beside it, into the
    // document at archivePath; the members at the archive's top level.
    using ZipHook =
        std::function<bool(const QString& pageFolder, const QString& archivePath, QString* error)>;
    // Unpacks every member of archivePath into targetFolder; a refused archive writes nothing.
    using UnzipHook =
        std::function<bool(const QString& archivePath, const QString& targetFolder, QString* error)>;

    // One member read into memory, its path inside the archive checked ("images/a.png").
    struct Member
    {
        QString relativePath;
        bool isFolder = false;
        QByteArray bytes;
        // A top-level page file's text (.html, .php), when the document was read ahead and the
        // bytes decode as page text.
        std::optional<QString> pageText;
    };
    // Reads every member of archivePath into memory under the same checks as unpacking.
    using ReadHook =
        std::function<bool(const QString& archivePath, std::vector<Member>* members, QString* error)>;

    struct Hooks
    {
        ZipHook zipDocument;           // top-level layout
        ZipHook zipDocumentWithFolder; // the page folder kept as a member folder (responsive editions)
        UnzipHook unzipDocument;
        ReadHook readDocument;
    };

    static void install(const Hooks& hooks);
    static const Hooks& installed();
    static bool isInstalled();

    static bool zipDocument(const QString& pageFolder, const QString& archivePath, QString* error = nullptr);
    static bool zipDocumentWithFolder(const QString& pageFolder, const QString& archivePath,
                                      QString* error = nullptr);
    static bool unzipDocument(const QString& archivePath, const QString& targetFolder,
                              QString* error = nullptr);
    static bool readDocument(const QString& archivePath, std::vector<Member>* members,
                             QString* error = nullptr);

    // Starts reading the document at archivePath, its page files decoded too, on a thread of its
    // own, through the hooks installed now: the program goes on starting meanwhile. The next
    // readDocument of that file takes what was read, when the file is unchanged since; one
    // document is read ahead at a time.
    static void readAhead(const QString& archivePath);
    // Lets go of a read-ahead no open took (once it ends).
    static void forgetReadAhead();
};
