// The files of a page's images in its image folder (the page file's path without its extension):
// "<name>.<type>" as placed, "<name>@2x.<type>" at double resolution, "<name>o.<type>" the original.
// Names and types come from page text, so each is checked before it becomes part of a path, and
// nothing outside the image folder is read or written. File names are matched without regard to
// letter case: pages come from a file system that ignored it.
#pragma once
#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QString>
#include <QStringList>
#include <optional>

class PageImageFiles
{
public:
    PageImageFiles() = delete;

    // A plain file-name part by the rules of platform::SafePath (not empty, no "/" or "\", no NUL or
    // other control character, not "." or "..", not too long), and no leading dot or ".." anywhere.
    static bool isSafeImageName(const QString& name);
    // The same, and no dot at all ("png", "JPG").
    static bool isSafeImageType(const QString& type);

    // The page file's path without its extension; empty when that is no safe folder name or is a link.
    static QString imageFolderForPage(const QString& pagePath);
    // The path of the file in folder whose name equals fileName ignoring case (an exact match first);
    // empty when there is none, when the name is unsafe, or when the file resolves outside the folder.
    static QString findFileIgnoringCase(const QString& folder, const QString& fileName);
    // While one lives on a thread, findFileIgnoringCase lists each folder once (a page of many
    // images would list its folder for each): for reading a page, whose folder nothing else
    // changes meanwhile. Scopes nest; the outermost one forgets the listings.
    class ListingScope
    {
    public:
        ListingScope();
        ~ListingScope();
        ListingScope(const ListingScope&) = delete;
        ListingScope& operator=(const ListingScope&) = delete;

    private:
        void* m_outer;
    };

    // While one lives on a thread, a file read for a page is taken from these bytes when they hold
    // it (absolute path to the bytes): an open that has just unpacked the page's files reads
    // them from memory, whether or not they are on disk yet. Scopes nest; the innermost answers.
    class UnpackedScope
    {
    public:
        explicit UnpackedScope(const QHash<QString, QByteArray>& files);
        ~UnpackedScope();
        UnpackedScope(const UnpackedScope&) = delete;
        UnpackedScope& operator=(const UnpackedScope&) = delete;
        // Whether the innermost scope holds the file at path.
        static bool holds(const QString& path);

    private:
        const QHash<QString, QByteArray>* m_outer;
    };

    // The bytes of a file the open holds in memory (an UnpackedScope's, or staged and not yet
    // written); nothing for any other file.
    static std::optional<QByteArray> bytesInMemory(const QString& path);

    // A picture file found now and decoded later, on any thread: the file's bytes when the open
    // holds them in memory, else its path. Empty when there is no file.
    struct PictureSource
    {
        QString path;
        std::optional<QByteArray> bytes;
        QImage decode() const;
    };

    // The picture of an image element: its original "o.PNG", else "o.JPG", else "@2x.<type>" (the
    // first of these with at least one byte), else "<name>.<type>". Null when nothing can be read.
    static QImage retrieveImageFile(const QString& pagePath, const QString& imageName,
                                    const QString& imageType);
    static PictureSource imageFileSource(const QString& pagePath, const QString& imageName,
                                         const QString& imageType);
    // "<name>_mask.png" beside the images; null when missing.
    static QImage retrieveMaskImage(const QString& pagePath, const QString& imageName);
    static PictureSource maskImageSource(const QString& pagePath, const QString& imageName);
    // The page background: "backgroundo.PNG", "background.PNG", "backgroundo.JPG", "background.JPG";
    // sets type to "PNG" or "JPG" for the one found. Null when none can be read.
    static QImage retrieveBackgroundImage(const QString& pagePath, QString* type);

    // The number in an image name: the integer value from the sixth character on (image12 -> 12).
    static int imageNameNumber(const QString& name);
    // "image" + (highest number among the names + 1), "image0" for none; a number whose files
    // already lie in imageFolder (any type, any copy) is skipped too.
    static QString getNextImageName(const QStringList& namesInUse, const QString& imageFolder = QString());
    // True when another image has exactly this name: any of carrierNames but the one at selfIndex,
    // or any of otherNames. An empty name is never in use.
    static bool isImageNameAlreadyInUse(const QString& name, qsizetype selfIndex,
                                        const QStringList& carrierNames, const QStringList& otherNames);
    // Copies "<old>.<type>", "<old>@2x.<type>" and "<old>o.<type>" to the new name, each when it
    // exists; existing targets are left alone. Old files stay. Returns the number of files copied;
    // a copy that fails is logged.
    static int transferImageFilesForNewName(const QString& pagePath, const QString& oldName,
                                            const QString& newName, const QString& imageType);
    // The same from the folder of sourcePagePath into the folder of pagePath (a paste between pages).
    static int transferImageFilesForNewName(const QString& sourcePagePath, const QString& pagePath,
                                            const QString& oldName, const QString& newName,
                                            const QString& imageType);
};
