#include "document/DocumentArchiver.h"

#include "platform/Heap.h"
#include "platform/StringRules.h"
#include "platform/TextEncoding.h"

#include <QDateTime>
#include <QFileInfo>

#include <future>
#include <mutex>
#include <utility>

namespace {

DocumentArchiver::Hooks& hooks()
{
    static DocumentArchiver::Hooks installed;
    return installed;
}

bool notInstalled(QString* error)
{
    if (error)
        *error = QStringLiteral("no page archiver is installed");
    return false;
}

// What tells a file apart from the same path rewritten or replaced.
struct FileStamp
{
    qint64 size = -1;
    QDateTime modified;
    QDateTime changed;

    static FileStamp of(const QString& path)
    {
        const QFileInfo info(path);
        if (!info.isFile())
            return {};
        return {info.size(), info.lastModified(), info.metadataChangeTime()};
    }
    bool operator==(const FileStamp& other) const
    {
        return size >= 0 && size == other.size && modified == other.modified && changed == other.changed;
    }
};

struct ReadResult
{
    bool ok = false;
    std::vector<DocumentArchiver::Member> members;
};

struct ReadAhead
{
    QString path;
    FileStamp stamp;
    std::future<ReadResult> result;
};

std::mutex& readAheadMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::optional<ReadAhead>& pendingReadAhead()
{
    static std::optional<ReadAhead> pending;
    return pending;
}

bool isTopLevelPage(const DocumentArchiver::Member& member)
{
    if (member.isFolder || member.relativePath.contains(u'/'))
        return false;
    const QString extension = platform::pathExtension(member.relativePath);
    return extension == QLatin1String("html") || extension == QLatin1String("php");
}

// The read-ahead for path when it is still the same file; nothing otherwise. Either way it is
// taken.
std::optional<ReadResult> takeReadAhead(const QString& path)
{
    std::optional<ReadAhead> taken;
    {
        const std::lock_guard lock(readAheadMutex());
        // Another document's read makes the read-ahead stale: it goes, with its memory.
        taken = std::exchange(pendingReadAhead(), std::nullopt);
        if (!taken)
            return std::nullopt;
    }
    if (taken->path != QFileInfo(path).absoluteFilePath())
        return std::nullopt;
    ReadResult result = taken->result.get();
    if (!(taken->stamp == FileStamp::of(taken->path)))
        return std::nullopt;
    return result;
}

} // namespace

void DocumentArchiver::readAhead(const QString& archivePath)
{
    const ReadHook read = hooks().readDocument;
    if (!read)
        return;
    const QString path = QFileInfo(archivePath).absoluteFilePath();
    // Stamped before the read: a change while it runs shows as a different stamp when taken.
    FileStamp stamp = FileStamp::of(path);
    if (stamp.size < 0)
        return;
    // The thread's heap is made ready at once for what it reads: the unpacked members, several
    // times the file's size, and the page's text, twice its bytes.
    const std::size_t heap = std::size_t(std::min<qint64>(stamp.size, 4 * 1024 * 1024) * 24);
    std::future<ReadResult> result = std::async(std::launch::async, [read, path, heap] {
        platform::reserveWorkerHeap(heap);
        ReadResult r;
        r.ok = read(path, &r.members, nullptr);
        // Documents hold one page; a few more are decoded when the archive reads them.
        int decoded = 0;
        for (Member& member : r.members) {
            if (r.ok && decoded < 4 && isTopLevelPage(member)) {
                member.pageText = platform::decodePageText(member.bytes);
                ++decoded;
            }
        }
        return r;
    });
    const std::lock_guard lock(readAheadMutex());
    // An earlier read-ahead no open took is dropped once it ends (its future waits for it).
    pendingReadAhead() = ReadAhead{path, std::move(stamp), std::move(result)};
}

void DocumentArchiver::forgetReadAhead()
{
    std::optional<ReadAhead> taken;
    {
        const std::lock_guard lock(readAheadMutex());
        taken = std::exchange(pendingReadAhead(), std::nullopt);
    }
}

void DocumentArchiver::install(const Hooks& newHooks)
{
    hooks() = newHooks;
}

const DocumentArchiver::Hooks& DocumentArchiver::installed()
{
    return hooks();
}

bool DocumentArchiver::isInstalled()
{
    return hooks().zipDocument && hooks().zipDocumentWithFolder && hooks().unzipDocument &&
           hooks().readDocument;
}

bool DocumentArchiver::zipDocument(const QString& pageFolder, const QString& archivePath, QString* error)
{
    return hooks().zipDocument ? hooks().zipDocument(pageFolder, archivePath, error) : notInstalled(error);
}

bool DocumentArchiver::zipDocumentWithFolder(const QString& pageFolder, const QString& archivePath,
                                             QString* error)
{
    return hooks().zipDocumentWithFolder ? hooks().zipDocumentWithFolder(pageFolder, archivePath, error)
                                         : notInstalled(error);
}

bool DocumentArchiver::unzipDocument(const QString& archivePath, const QString& targetFolder, QString* error)
{
    return hooks().unzipDocument ? hooks().unzipDocument(archivePath, targetFolder, error)
                                 : notInstalled(error);
}

bool DocumentArchiver::readDocument(const QString& archivePath, std::vector<Member>* members, QString* error)
{
    // A read-ahead that failed is tried again: the reason then comes from this read.
    if (std::optional<ReadResult> ahead = takeReadAhead(archivePath); ahead && ahead->ok) {
        *members = std::move(ahead->members);
        return true;
    }
    return hooks().readDocument ? hooks().readDocument(archivePath, members, error) : notInstalled(error);
}
