#include "document/PageImageFiles.h"

#include "document/PendingFolderFiles.h"
#include "editions/DataCentre.h"
#include "platform/SafePath.h"
#include "platform/StringRules.h"

#include <QBuffer>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QSet>

namespace {

thread_local const QHash<QString, QByteArray>* t_unpacked = nullptr;

std::optional<QByteArray> unpackedOrStaged(const QString& path)
{
    if (t_unpacked) {
        const auto it = t_unpacked->constFind(path);
        if (it != t_unpacked->constEnd())
            return *it;
    }
    return PendingFolderFiles::bytes(path);
}

// A file the open has in memory is read from there.
PageImageFiles::PictureSource pictureAt(const QString& path)
{
    if (path.isEmpty())
        return {};
    return {path, unpackedOrStaged(path)};
}

QImage readImage(const QString& path)
{
    return pictureAt(path).decode();
}

qint64 fileSize(const QString& path)
{
    if (path.isEmpty())
        return 0;
    if (const std::optional<QByteArray> staged = unpackedOrStaged(path))
        return staged->size();
    return DataCentre::grabFileSize(path);
}

// The folder's file names, with those an open has not written yet.
QStringList folderEntries(const QString& folder)
{
    // Staged names first: a file the writer finishes between the two looks is then in the
    // listing of the disk, where the other order would miss it in both.
    const QStringList stagedNames = PendingFolderFiles::namesIn(folder);
    QStringList entries = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& staged : stagedNames) {
        if (!entries.contains(staged))
            entries.append(staged);
    }
    return entries;
}

QString checkedPath(const QString& folder, const QString& name);

} // namespace

bool PageImageFiles::isSafeImageName(const QString& name)
{
    // The page makes its image names ("image12"): one that is hidden or has ".." inside came from
    // somewhere else.
    return platform::SafePath::isSafeName(name) && !name.startsWith(u'.') &&
           !name.contains(QLatin1String(".."));
}

bool PageImageFiles::isSafeImageType(const QString& type)
{
    return isSafeImageName(type) && !type.contains(u'.');
}

QString PageImageFiles::imageFolderForPage(const QString& pagePath)
{
    if (pagePath.isEmpty())
        return {};
    // The folder's name is the page's name, which came from a file name: checked like any other.
    const QString folder = platform::stringByDeletingPathExtension(pagePath);
    return checkedPath(platform::stringByDeletingLastPathComponent(folder),
                       platform::lastPathComponent(folder));
}

namespace {

// One image folder's file names: each exact, and the first of each ignoring case.
struct FolderListing
{
    QSet<QString> exact;
    QHash<QString, QString> firstByFoldedName;
};

FolderListing listFolder(const QString& folder)
{
    FolderListing listing;
    const QStringList entries = folderEntries(folder);
    for (const QString& entry : entries) {
        listing.exact.insert(entry);
        const QString folded = entry.toCaseFolded();
        if (!listing.firstByFoldedName.contains(folded))
            listing.firstByFoldedName.insert(folded, entry);
    }
    return listing;
}

// What a scope keeps: each folder's listing, and each checked path (the check resolves every
// folder above the file, for each image of the page otherwise).
struct ScopeCache
{
    QHash<QString, FolderListing> listings;
    QHash<QString, QString> checkedPaths;
};

thread_local ScopeCache* t_scope = nullptr;

// SafePath::filePath, answered once per folder and name inside a scope.
QString checkedPath(const QString& folder, const QString& name)
{
    // A file the open unpacked was checked then, and is read from memory.
    if (t_unpacked) {
        QString path = folder + u'/' + name;
        if (t_unpacked->contains(path))
            return path;
    }
    if (!t_scope)
        return platform::SafePath::filePath(folder, name).value_or(QString());
    const QString key = folder + QChar(u'\0') + name;
    auto it = t_scope->checkedPaths.constFind(key);
    if (it == t_scope->checkedPaths.constEnd())
        it =
            t_scope->checkedPaths.insert(key, platform::SafePath::filePath(folder, name).value_or(QString()));
    return *it;
}

} // namespace

PageImageFiles::ListingScope::ListingScope() : m_outer(t_scope)
{
    if (!m_outer)
        t_scope = new ScopeCache;
}

PageImageFiles::ListingScope::~ListingScope()
{
    if (!m_outer) {
        delete t_scope;
        t_scope = nullptr;
    }
}

PageImageFiles::UnpackedScope::UnpackedScope(const QHash<QString, QByteArray>& files) : m_outer(t_unpacked)
{
    t_unpacked = &files;
}

PageImageFiles::UnpackedScope::~UnpackedScope()
{
    t_unpacked = m_outer;
}

std::optional<QByteArray> PageImageFiles::bytesInMemory(const QString& path)
{
    return unpackedOrStaged(path);
}

bool PageImageFiles::UnpackedScope::holds(const QString& path)
{
    return t_unpacked && t_unpacked->contains(path);
}

QString PageImageFiles::findFileIgnoringCase(const QString& folder, const QString& fileName)
{
    if (folder.isEmpty() || !isSafeImageName(fileName))
        return {};
    FolderListing uncached;
    const FolderListing* listing = &uncached;
    if (t_scope) {
        auto it = t_scope->listings.find(folder);
        if (it == t_scope->listings.end())
            it = t_scope->listings.insert(folder, listFolder(folder));
        listing = &*it;
    } else {
        uncached = listFolder(folder);
    }
    QString found;
    if (listing->exact.contains(fileName))
        found = fileName;
    else
        found = listing->firstByFoldedName.value(fileName.toCaseFolded());
    if (found.isEmpty())
        return {};
    return checkedPath(folder, found);
}

QImage PageImageFiles::PictureSource::decode() const
{
    if (path.isEmpty())
        return {};
    if (bytes) {
        QByteArray data = *bytes;
        QBuffer buffer(&data);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, QFileInfo(path).suffix().toLatin1());
        reader.setAutoTransform(false);
        return reader.read();
    }
    QImageReader reader(path);
    reader.setAutoTransform(false);
    return reader.read();
}

PageImageFiles::PictureSource
PageImageFiles::imageFileSource(const QString& pagePath, const QString& imageName, const QString& imageType)
{
    if (!isSafeImageName(imageName))
        return {};
    const QString folder = imageFolderForPage(pagePath);
    QStringList candidates{imageName + QStringLiteral("o.PNG"), imageName + QStringLiteral("o.JPG")};
    const bool typeIsSafe = isSafeImageType(imageType);
    if (typeIsSafe)
        candidates << imageName + QStringLiteral("@2x.") + imageType;
    for (const QString& candidate : candidates) {
        const QString path = findFileIgnoringCase(folder, candidate);
        if (fileSize(path) >= 1)
            return pictureAt(path);
    }
    if (!typeIsSafe)
        return {};
    return pictureAt(findFileIgnoringCase(folder, imageName + u'.' + imageType));
}

QImage PageImageFiles::retrieveImageFile(const QString& pagePath, const QString& imageName,
                                         const QString& imageType)
{
    return imageFileSource(pagePath, imageName, imageType).decode();
}

PageImageFiles::PictureSource PageImageFiles::maskImageSource(const QString& pagePath,
                                                              const QString& imageName)
{
    if (!isSafeImageName(imageName))
        return {};
    return pictureAt(
        findFileIgnoringCase(imageFolderForPage(pagePath), imageName + QStringLiteral("_mask.png")));
}

QImage PageImageFiles::retrieveMaskImage(const QString& pagePath, const QString& imageName)
{
    return maskImageSource(pagePath, imageName).decode();
}

QImage PageImageFiles::retrieveBackgroundImage(const QString& pagePath, QString* type)
{
    const QString folder = imageFolderForPage(pagePath);
    const struct
    {
        const char* file;
        const char* type;
    } candidates[] = {{"backgroundo.PNG", "PNG"},
                      {"background.PNG", "PNG"},
                      {"backgroundo.JPG", "JPG"},
                      {"background.JPG", "JPG"}};
    for (const auto& candidate : candidates) {
        const QString path = findFileIgnoringCase(folder, QString::fromLatin1(candidate.file));
        if (path.isEmpty())
            continue;
        const QImage image = readImage(path);
        if (image.isNull())
            continue;
        if (type)
            *type = QString::fromLatin1(candidate.type);
        return image;
    }
    return {};
}

int PageImageFiles::imageNameNumber(const QString& name)
{
    return platform::intValue(DataCentre::quibSubstringFromIndex(name, 5));
}

QString PageImageFiles::getNextImageName(const QStringList& namesInUse, const QString& imageFolder)
{
    qint64 next = 0;
    if (!namesInUse.isEmpty()) {
        int highest = imageNameNumber(namesInUse.first());
        for (const QString& name : namesInUse)
            highest = std::max(highest, imageNameNumber(name));
        next = qint64(highest) + 1;
    }
    // Files left by an earlier image of that number would be taken over by the new one.
    QSet<QString> onDisk;
    if (!imageFolder.isEmpty()) {
        for (const QString& entry : folderEntries(imageFolder))
            onDisk.insert(entry.toLower());
    }
    auto hasFiles = [&](qint64 number) {
        const QString stem = QStringLiteral("image%1").arg(number);
        for (const QString& entry : std::as_const(onDisk)) {
            if (!entry.startsWith(stem))
                continue;
            const QString rest = entry.mid(stem.size());
            if (rest.startsWith(u'.') || rest.startsWith(QLatin1String("@2x.")) ||
                rest.startsWith(QLatin1String("o.")) || rest.startsWith(QLatin1String("_mask.")))
                return true;
        }
        return false;
    };
    while (next < std::numeric_limits<int>::max() && hasFiles(next))
        ++next;
    return QStringLiteral("image%1").arg(next);
}

bool PageImageFiles::isImageNameAlreadyInUse(const QString& name, qsizetype selfIndex,
                                             const QStringList& carrierNames, const QStringList& otherNames)
{
    if (name.isEmpty())
        return false;
    for (qsizetype i = 0; i < carrierNames.size(); ++i) {
        if (i != selfIndex && carrierNames[i] == name)
            return true;
    }
    return otherNames.contains(name);
}

int PageImageFiles::transferImageFilesForNewName(const QString& pagePath, const QString& oldName,
                                                 const QString& newName, const QString& imageType)
{
    return transferImageFilesForNewName(pagePath, pagePath, oldName, newName, imageType);
}

int PageImageFiles::transferImageFilesForNewName(const QString& sourcePagePath, const QString& pagePath,
                                                 const QString& oldName, const QString& newName,
                                                 const QString& imageType)
{
    if (!isSafeImageName(oldName) || !isSafeImageName(newName) || !isSafeImageType(imageType))
        return 0;
    const QString sourceFolder = imageFolderForPage(sourcePagePath);
    const QString folder = imageFolderForPage(pagePath);
    if (sourceFolder.isEmpty() || folder.isEmpty())
        return 0;
    // Copies are made of files on disk, and none may be overtaken by a staged older one.
    PendingFolderFiles::ensureComplete(sourceFolder);
    PendingFolderFiles::ensureComplete(folder);
    int copied = 0;
    const QStringList tails{u'.' + imageType, QStringLiteral("@2x.") + imageType,
                            QStringLiteral("o.") + imageType};
    for (const QString& tail : tails) {
        const QString source = findFileIgnoringCase(sourceFolder, oldName + tail);
        if (source.isEmpty())
            continue;
        // Keep the letter case the source file has after the old name.
        const std::optional<QString> target = platform::SafePath::filePath(
            folder, newName + platform::lastPathComponent(source).mid(oldName.size()));
        if (!target)
            continue;
        if (QFileInfo::exists(*target)) {
            qWarning() << "image file not copied, the target exists:" << *target;
            continue;
        }
        // A page pasted into may not have kept any picture yet.
        QDir().mkpath(folder);
        if (!QFile::copy(source, *target)) {
            qWarning() << "image file not copied:" << source << "to" << *target;
            continue;
        }
        ++copied;
        // The folder changed: a cached listing of it is stale.
        if (t_scope) {
            t_scope->listings.remove(folder);
            t_scope->checkedPaths.clear();
        }
    }
    return copied;
}
