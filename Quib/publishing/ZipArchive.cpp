#include "publishing/ZipArchive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSet>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <limits>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>
#include <zlib.h>

namespace {

std::function<bool(double)>& writeInterrupt()
{
    static std::function<bool(double)> interrupt;
    return interrupt;
}

struct WriteProgress
{
    double fraction = 0;
};

QString libzipError(zip_t* archive)
{
    return QString::fromUtf8(zip_strerror(archive));
}

// The temporary files a write of the archive named name makes beside it: ".<name>.XXXXXX" of its
// own, and libzip's ".<name>.XXXXXX.YYYYYY" that becomes it. *primary is the first one's name.
bool isTemporaryOf(const QString& entry, const QString& name, QString* primary)
{
    const QString start = u'.' + name + u'.';
    if (!entry.startsWith(start))
        return false;
    const QStringList parts = entry.mid(start.size()).split(u'.');
    if (parts.isEmpty() || parts.size() > 2)
        return false;
    for (const QString& part : parts) {
        if (part.size() != 6 || !std::all_of(part.begin(), part.end(), [](QChar c) {
                return c.isLetterOrNumber() && c.unicode() < 128;
            }))
            return false;
    }
    *primary = start + parts.first();
    return true;
}

// A write holds a lock on its own temporary file until it ends; a killed one loses it with its
// process. Only files of writes that hold no lock are taken away.
void removeStaleTemporaries(const QString& folder, const QString& name)
{
    const QDir dir(folder);
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    QSet<QString> stalePrimaries;
    QSet<QString> present(entries.begin(), entries.end());
    for (const QString& entry : entries) {
        QString primary;
        if (!isTemporaryOf(entry, name, &primary) || entry != primary)
            continue;
        const int fd =
            ::open(QFile::encodeName(dir.filePath(entry)).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            stalePrimaries.insert(primary);
        ::close(fd);
    }
    for (const QString& entry : entries) {
        QString primary;
        if (!isTemporaryOf(entry, name, &primary))
            continue;
        // libzip's file whose own temporary is gone belongs to no running write either.
        if (stalePrimaries.contains(primary) || (entry != primary && !present.contains(primary)))
            QFile::remove(dir.filePath(entry));
    }
}

void syncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Members at least this large are taken over still packed from the archive being replaced when
// their bytes are the same (bundled fonts, pictures): packing them again is most of a save.
constexpr qint64 kReusedMemberSize = 16 * 1024;

// The still-packed data of the previous archive's member of that name when it holds exactly the
// bytes of the file at path (same size, same CRC-32), else nullptr.
zip_source_t* packedUnchanged(zip_t* archive, zip_t* previous, const QByteArray& name, const QString& path)
{
    if (!previous)
        return nullptr;
    const QFileInfo file(path);
    if (!file.isFile() || file.size() < kReusedMemberSize)
        return nullptr;
    const zip_int64_t index = zip_name_locate(previous, name.constData(), ZIP_FL_ENC_UTF_8);
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (index < 0 || zip_stat_index(previous, zip_uint64_t(index), 0, &stat) != 0)
        return nullptr;
    const zip_uint64_t wanted = ZIP_STAT_SIZE | ZIP_STAT_CRC | ZIP_STAT_COMP_METHOD | ZIP_STAT_ENCRYPTION_METHOD;
    if ((stat.valid & wanted) != wanted || stat.comp_method != ZIP_CM_DEFLATE ||
        stat.encryption_method != ZIP_EM_NONE || stat.size != zip_uint64_t(file.size()))
        return nullptr;
    QByteArray buffer(64 * 1024, Qt::Uninitialized);
    // The CRC-32 of whatever read gives, or nothing on an error or a length other than size.
    const auto checksum = [&buffer, &stat](const std::function<qint64(char*, qint64)>& read) {
        uLong crc = crc32(0L, Z_NULL, 0);
        zip_uint64_t total = 0;
        for (;;) {
            const qint64 n = read(buffer.data(), buffer.size());
            if (n < 0)
                return std::optional<uLong>();
            if (n == 0)
                break;
            total += zip_uint64_t(n);
            crc = crc32(crc, reinterpret_cast<const Bytef*>(buffer.constData()), uInt(n));
        }
        return total == stat.size ? std::optional<uLong>(crc) : std::nullopt;
    };
    QFile source(path);
    if (!source.open(QIODevice::ReadOnly) ||
        checksum([&source](char* data, qint64 size) { return source.read(data, size); }) != stat.crc)
        return nullptr;
    // The packed data itself must unpack to those bytes: a damaged earlier archive can still have an
    // intact directory.
    zip_file_t* member = zip_fopen_index(previous, zip_uint64_t(index), 0);
    if (!member)
        return nullptr;
    const std::optional<uLong> packed =
        checksum([member](char* data, qint64 size) { return qint64(zip_fread(member, data, zip_uint64_t(size))); });
    zip_fclose(member);
    if (packed != stat.crc)
        return nullptr;
    return zip_source_zip(archive, previous, zip_uint64_t(index), ZIP_FL_COMPRESSED, 0, -1);
}

// A zip with no entries: libzip removes such a file on close instead of writing it.
QByteArray emptyArchiveBytes()
{
    QByteArray bytes("PK\x05\x06", 4);
    bytes.append(18, '\0');
    return bytes;
}

// The path components of a member name, or nothing when the member could leave the target folder.
// "." components and repeated slashes are dropped; a trailing "/" marks a folder.
std::optional<QStringList> safeComponents(const QString& name, bool* isFolder)
{
    if (name.isEmpty() || name.startsWith(u'/') || name.contains(u'\\'))
        return std::nullopt;
    if (name.size() >= 2 && name.at(1) == u':')
        return std::nullopt; // drive letter
    for (QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return std::nullopt;
    }
    *isFolder = name.endsWith(u'/');
    QStringList parts;
    for (const QString& part : name.split(u'/', Qt::SkipEmptyParts)) {
        if (part == QLatin1String(".."))
            return std::nullopt;
        if (part != QLatin1String("."))
            parts.append(part);
    }
    return parts;
}

// Moves the contents of from into to, merging folders and replacing files of the same name. With
// checkOnly nothing moves: it only finds what would stop a move, so that a refusal comes before
// the first file lands in the target.
bool moveContents(const QString& from, const QString& to, bool checkOnly, QString* error)
{
    const QFileInfoList entries =
        QDir(from).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QFileInfo& entry : entries) {
        const QString target = to + u'/' + entry.fileName();
        const QFileInfo existing(target);
        if (entry.isDir() && existing.isDir() && !existing.isSymLink()) {
            if (!moveContents(entry.filePath(), target, checkOnly, error))
                return false;
            continue;
        }
        if (existing.exists() || existing.isSymLink()) {
            if (existing.isDir() || entry.isDir()) {
                *error = QStringLiteral("\"%1\" is in the way of an extracted member").arg(target);
                return false;
            }
        }
        if (checkOnly)
            continue;
        std::error_code ec;
        std::filesystem::rename(QFile::encodeName(entry.filePath()).toStdString(),
                                QFile::encodeName(target).toStdString(), ec);
        if (ec) {
            *error = QStringLiteral("cannot move into \"%1\": %2")
                         .arg(target, QString::fromStdString(ec.message()));
            return false;
        }
    }
    return true;
}

// Whether unpacked bytes from packed ones compress further than the limits allow.
bool beyondRatio(zip_uint64_t unpacked, zip_uint64_t packed, const ZipArchive::Limits& limits)
{
    if (unpacked <= zip_uint64_t(limits.ratioFreeBytes))
        return false;
    const zip_uint64_t ratio = zip_uint64_t(std::max<qint64>(limits.maxRatio, 1));
    return packed <= std::numeric_limits<zip_uint64_t>::max() / ratio && unpacked > packed * ratio;
}

QString compressedTooFar(const QString& member, const ZipArchive::Limits& limits)
{
    return QStringLiteral("the member \"%1\" unpacks to more than %2 times its packed size")
        .arg(member)
        .arg(limits.maxRatio);
}

QString nearestExistingFolder(const QString& path)
{
    QString folder = QFileInfo(path).absoluteFilePath();
    while (!QFileInfo(folder).isDir()) {
        const QString parent = QFileInfo(folder).absolutePath();
        if (parent == folder)
            return QString();
        folder = parent;
    }
    return folder;
}

} // namespace

void ZipArchive::setWriteInterruptForTesting(std::function<bool(double)> interrupt)
{
    writeInterrupt() = std::move(interrupt);
}

bool ZipArchive::fail(Status status, const QString& text)
{
    m_status = status;
    m_errorText = text;
    return false;
}

bool ZipArchive::addFile(const QString& sourcePath, const QString& memberName)
{
    const QFileInfo info(sourcePath);
    if (!info.isFile() || info.isSymLink())
        return false;
    m_members.push_back({memberName, info.absoluteFilePath()});
    return true;
}

void ZipArchive::addFolder(const QString& memberName)
{
    m_members.push_back({memberName.endsWith(u'/') ? memberName : memberName + u'/', QString()});
}

bool ZipArchive::addTree(const QString& folder, const QString& memberPrefix)
{
    const QFileInfo info(folder);
    if (!info.isDir() || !info.isReadable())
        return fail(Status::CannotOpen, QStringLiteral("\"%1\" is not a readable folder").arg(folder));
    QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    std::sort(entries.begin(), entries.end(), [](const QFileInfo& a, const QFileInfo& b) {
        return QString::compare(a.fileName(), b.fileName(), Qt::CaseSensitive) < 0;
    });
    for (const QFileInfo& entry : entries) {
        if (entry.isSymLink())
            continue; // a link could pull in files from outside the page
        const QString name = memberPrefix + entry.fileName();
        if (entry.isDir()) {
            addFolder(name);
            if (!addTree(entry.filePath(), name + u'/'))
                return false;
        } else if (entry.isFile()) {
            addFile(entry.filePath(), name);
        }
    }
    return true;
}

QStringList ZipArchive::memberNames() const
{
    QStringList names;
    for (const Member& member : m_members)
        names.append(member.name);
    return names;
}

bool ZipArchive::writeTo(const QString& archivePath)
{
    m_status = Status::Ok;
    m_errorText.clear();
    const QFileInfo destination(archivePath);
    const QString folder = destination.absolutePath();
    if (!QFileInfo(folder).isDir())
        return fail(Status::WriteFailed, QStringLiteral("the folder \"%1\" does not exist").arg(folder));
    if (destination.isDir())
        return fail(Status::WriteFailed, QStringLiteral("\"%1\" is a folder").arg(archivePath));

    // What a killed earlier write of this archive left behind goes first.
    removeStaleTemporaries(folder, destination.fileName());
    QTemporaryFile temporary(folder + QStringLiteral("/.") + destination.fileName() +
                             QStringLiteral(".XXXXXX"));
    if (!temporary.open())
        return fail(Status::WriteFailed,
                    QStringLiteral("cannot write in \"%1\": %2").arg(folder, temporary.errorString()));
    temporary.close();
    const QByteArray temporaryName = QFile::encodeName(temporary.fileName());
    // Held while this write lasts, so another save's clean-up leaves its files alone.
    const int lockFd = ::open(temporaryName.constData(), O_RDONLY | O_CLOEXEC);
    if (lockFd >= 0)
        ::flock(lockFd, LOCK_EX);
    const auto unlock = qScopeGuard([lockFd] {
        if (lockFd >= 0)
            ::close(lockFd);
    });

    if (m_members.empty()) {
        QFile file(temporary.fileName());
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(emptyArchiveBytes()) != 22 ||
            !file.flush())
            return fail(Status::WriteFailed, QStringLiteral("cannot write \"%1\"").arg(archivePath));
    } else {
        int errorCode = 0;
        zip_t* archive = zip_open(temporaryName.constData(), ZIP_TRUNCATE, &errorCode);
        if (!archive) {
            zip_error_t error;
            zip_error_init_with_code(&error, errorCode);
            const QString text = QString::fromUtf8(zip_error_strerror(&error));
            zip_error_fini(&error);
            return fail(Status::WriteFailed,
                        QStringLiteral("cannot start \"%1\": %2").arg(archivePath, text));
        }
        // The archive being replaced, read until the new one is closed.
        zip_t* previous = destination.isFile()
                              ? zip_open(QFile::encodeName(destination.absoluteFilePath()).constData(),
                                         ZIP_RDONLY, nullptr)
                              : nullptr;
        const auto closePrevious = qScopeGuard([&previous] {
            if (previous)
                zip_discard(previous);
        });
        for (const Member& member : m_members) {
            const QByteArray name = member.name.toUtf8();
            zip_int64_t index = -1;
            if (member.sourcePath.isEmpty()) {
                index = zip_dir_add(archive, name.constData(), ZIP_FL_ENC_UTF_8);
            } else if (zip_source_t* packed = packedUnchanged(archive, previous, name, member.sourcePath)) {
                index = zip_file_add(archive, name.constData(), packed, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
                if (index < 0)
                    zip_source_free(packed);
            } else {
                zip_source_t* source =
                    zip_source_file_create(QFile::encodeName(member.sourcePath).constData(), 0, -1, nullptr);
                if (source) {
                    index =
                        zip_file_add(archive, name.constData(), source, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE);
                    if (index < 0)
                        zip_source_free(source);
                    // Deflate's fastest level: every save packs the whole page again, bundled fonts
                    // included, and the strongest level takes three times as long for a few per cent.
                    else if (zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_DEFLATE, 1) != 0)
                        index = -1;
                }
            }
            if (index < 0) {
                const QString text = libzipError(archive);
                zip_discard(archive);
                return fail(Status::CannotOpen,
                            QStringLiteral("cannot add \"%1\": %2").arg(member.name, text));
            }
        }
        WriteProgress progress;
        if (writeInterrupt()) {
            zip_register_progress_callback_with_state(
                archive, 0.01,
                [](zip_t*, double done, void* state) { static_cast<WriteProgress*>(state)->fraction = done; },
                nullptr, &progress);
            zip_register_cancel_callback_with_state(
                archive,
                [](zip_t*, void* state) {
                    return writeInterrupt()(static_cast<WriteProgress*>(state)->fraction) ? 1 : 0;
                },
                nullptr, &progress);
        }
        if (zip_close(archive) != 0) {
            const bool cancelled = zip_error_code_zip(zip_get_error(archive)) == ZIP_ER_CANCELLED;
            const QString text = libzipError(archive);
            zip_discard(archive);
            return fail(cancelled ? Status::Cancelled : Status::WriteFailed,
                        QStringLiteral("cannot write \"%1\": %2").arg(archivePath, text));
        }
    }

    // The document keeps its permissions across saves; a new one gets the usual ones.
    const QFileDevice::Permissions permissions = destination.exists()
                                                     ? QFile::permissions(archivePath)
                                                     : QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                           QFileDevice::ReadGroup | QFileDevice::ReadOther;
    QFile::setPermissions(temporary.fileName(), permissions);
    {
        // Make the new bytes durable before they replace the old document.
        const int fd = ::open(temporaryName.constData(), O_RDONLY);
        if (fd >= 0) {
            ::fsync(fd);
            ::close(fd);
        }
    }
    if (std::rename(temporaryName.constData(), QFile::encodeName(archivePath).constData()) != 0)
        return fail(Status::WriteFailed, QStringLiteral("cannot replace \"%1\"").arg(archivePath));
    temporary.setAutoRemove(false);
    // The rename is an entry of the folder: without this a power cut may bring back the old one.
    syncFolder(folder);
    return true;
}

// One member the checks let through.
struct ZipArchive::Entry
{
    zip_uint64_t index;
    QString relativePath;
    bool isFolder;
    zip_uint64_t size; // as declared
};

// Opens archivePath and checks every member before anything is read: names, kinds, encryption,
// the declared sizes and ratios. Null with the failure set when the archive is refused.
zip_t* ZipArchive::openChecked(const QString& archivePath, const Limits& limits, std::vector<Entry>* entries)
{
    m_status = Status::Ok;
    m_errorText.clear();
    m_extractedFiles = 0;

    const QFileInfo source(archivePath);
    if (!source.isFile()) {
        fail(Status::CannotOpen, QStringLiteral("\"%1\" is not a file").arg(archivePath));
        return nullptr;
    }
    removeStaleTemporaries(source.absolutePath(), source.fileName());
    int errorCode = 0;
    zip_t* archive =
        zip_open(QFile::encodeName(archivePath).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &errorCode);
    if (!archive) {
        const bool notZip = errorCode == ZIP_ER_NOZIP || errorCode == ZIP_ER_INCONS;
        fail(notZip ? Status::NotAnArchive : Status::CannotOpen,
             QStringLiteral("\"%1\" cannot be opened as a zip archive").arg(archivePath));
        return nullptr;
    }
    auto refuse = [&](Status status, const QString& text) {
        zip_discard(archive);
        fail(status, text);
        return nullptr;
    };

    const zip_int64_t count = zip_get_num_entries(archive, 0);
    if (count < 0)
        return refuse(Status::NotAnArchive, QStringLiteral("\"%1\" is damaged").arg(archivePath));
    if (count > limits.maxMembers)
        return refuse(Status::TooManyMembers, QStringLiteral("\"%1\" has %2 members, more than %3")
                                                  .arg(archivePath)
                                                  .arg(count)
                                                  .arg(limits.maxMembers));
    qint64 declaredTotal = 0;
    for (zip_uint64_t i = 0; i < zip_uint64_t(count); ++i) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive, i, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_NAME))
            return refuse(Status::NotAnArchive, QStringLiteral("\"%1\" is damaged").arg(archivePath));
        const QString name = QString::fromUtf8(stat.name);
        bool isFolder = false;
        const std::optional<QStringList> parts = safeComponents(name, &isFolder);
        if (!parts)
            return refuse(Status::UnsafeMember,
                          QStringLiteral("the member \"%1\" would land outside the folder").arg(name));

        zip_uint8_t system = 0;
        zip_uint32_t attributes = 0;
        if (zip_file_get_external_attributes(archive, i, 0, &system, &attributes) == 0 &&
            system == ZIP_OPSYS_UNIX) {
            const mode_t type = (attributes >> 16) & S_IFMT;
            if (type == S_IFDIR)
                isFolder = true;
            else if (type != 0 && type != S_IFREG)
                return refuse(Status::UnsafeMember,
                              QStringLiteral("the member \"%1\" is a link or special file").arg(name));
        }
        if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE)
            return refuse(Status::Unsupported, QStringLiteral("the member \"%1\" is encrypted").arg(name));
        if (parts->isEmpty()) {
            if (isFolder)
                continue; // "./"
            return refuse(Status::UnsafeMember, QStringLiteral("the member \"%1\" has no name").arg(name));
        }
        // A missing size counts as 0, so any data the member holds is refused while unpacking.
        const zip_uint64_t size = (stat.valid & ZIP_STAT_SIZE) ? stat.size : 0;
        const zip_uint64_t packed = (stat.valid & ZIP_STAT_COMP_SIZE) ? stat.comp_size : 0;
        if (size > zip_uint64_t(limits.maxTotalBytes) ||
            (declaredTotal += qint64(size)) > limits.maxTotalBytes)
            return refuse(Status::TooLarge, QStringLiteral("\"%1\" unpacks to more than %2 bytes")
                                                .arg(archivePath)
                                                .arg(limits.maxTotalBytes));
        if (beyondRatio(size, packed, limits))
            return refuse(Status::TooLarge, compressedTooFar(name, limits));
        entries->push_back({i, parts->join(u'/'), isFolder, size});
    }
    return archive;
}

// Streams one member's bytes to sink in chunks. The declared sizes were checked; data beyond them
// is a forged header. Counting here, before each chunk is handed on, keeps what is unpacked within
// the limits (and the ratio checked on the declared size) whatever the headers say.
bool ZipArchive::readMember(zip_t* archive, const Entry& entry, const Limits& limits, qint64* readTotal,
                            const std::function<bool(const char*, qint64)>& sink)
{
    zip_file_t* member = zip_fopen_index(archive, entry.index, 0);
    if (!member)
        return fail(Status::ReadFailed,
                    QStringLiteral("cannot read \"%1\": %2").arg(entry.relativePath, libzipError(archive)));
    const auto closeMember = qScopeGuard([member] { zip_fclose(member); });
    QByteArray buffer(64 * 1024, Qt::Uninitialized);
    zip_uint64_t read = 0;
    for (;;) {
        const zip_int64_t n = zip_fread(member, buffer.data(), zip_uint64_t(buffer.size()));
        if (n < 0)
            return fail(Status::ReadFailed,
                        QStringLiteral("cannot read \"%1\": %2")
                            .arg(entry.relativePath, QString::fromUtf8(zip_file_strerror(member))));
        if (n == 0)
            return true;
        read += zip_uint64_t(n);
        *readTotal += n;
        if (read > entry.size || *readTotal > limits.maxTotalBytes)
            return fail(Status::TooLarge,
                        QStringLiteral("\"%1\" unpacks to more than it declares").arg(entry.relativePath));
        if (!sink(buffer.constData(), n))
            return fail(Status::WriteFailed, QStringLiteral("cannot write \"%1\"").arg(entry.relativePath));
    }
}

bool ZipArchive::extractTo(const QString& archivePath, const QString& targetFolder, const Limits& limits)
{
    std::vector<Entry> entries;
    zip_t* archive = openChecked(archivePath, limits, &entries);
    if (!archive)
        return false;
    const auto closeArchive = qScopeGuard([archive] { zip_discard(archive); });

    const QFileInfo target(QDir::cleanPath(QDir(targetFolder).absolutePath()));
    if (target.exists() && !target.isDir())
        return fail(Status::WriteFailed, QStringLiteral("\"%1\" is not a folder").arg(targetFolder));
    // Unpack beside the target, on the same file system, so that the final moves are renames.
    const QString anchor = nearestExistingFolder(target.absolutePath());
    if (anchor.isEmpty())
        return fail(Status::WriteFailed, QStringLiteral("no folder to extract \"%1\" in").arg(archivePath));
    QTemporaryDir staging(anchor + QStringLiteral("/.unzip-XXXXXX"));
    if (!staging.isValid())
        return fail(Status::WriteFailed, QStringLiteral("cannot write in \"%1\"").arg(anchor));

    qint64 writtenTotal = 0;
    int files = 0;
    for (const Entry& entry : entries) {
        const QString path = staging.path() + u'/' + entry.relativePath;
        if (entry.isFolder) {
            if (!QDir().mkpath(path))
                return fail(Status::WriteFailed,
                            QStringLiteral("cannot create the folder \"%1\"").arg(entry.relativePath));
            continue;
        }
        if (!QDir().mkpath(QFileInfo(path).absolutePath()))
            return fail(Status::WriteFailed,
                        QStringLiteral("cannot create the folder of \"%1\"").arg(entry.relativePath));
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return fail(Status::WriteFailed, QStringLiteral("cannot write \"%1\"").arg(entry.relativePath));
        if (!readMember(archive, entry, limits, &writtenTotal,
                        [&out](const char* data, qint64 n) { return out.write(data, n) == n; }))
            return false;
        if (!out.flush())
            return fail(Status::WriteFailed, QStringLiteral("cannot write \"%1\"").arg(entry.relativePath));
        ++files;
    }

    QString error;
    if (!moveContents(staging.path(), target.absoluteFilePath(), true, &error))
        return fail(Status::WriteFailed, error);
    if (!QDir().mkpath(target.absoluteFilePath()))
        return fail(Status::WriteFailed, QStringLiteral("cannot create \"%1\"").arg(targetFolder));
    if (!moveContents(staging.path(), target.absoluteFilePath(), false, &error))
        return fail(Status::WriteFailed, error);
    m_extractedFiles = files;
    return true;
}

bool ZipArchive::readInto(const QString& archivePath, std::vector<MemoryMember>* members,
                          const Limits& limits)
{
    members->clear();
    std::vector<Entry> entries;
    zip_t* archive = openChecked(archivePath, limits, &entries);
    if (!archive)
        return false;
    const auto closeArchive = qScopeGuard([archive] { zip_discard(archive); });
    std::vector<MemoryMember> read;
    read.reserve(entries.size());
    qint64 readTotal = 0;
    for (const Entry& entry : entries) {
        MemoryMember member{entry.relativePath, entry.isFolder, {}};
        if (!entry.isFolder) {
            member.bytes.reserve(qsizetype(entry.size));
            if (!readMember(archive, entry, limits, &readTotal, [&member](const char* data, qint64 n) {
                    member.bytes.append(data, n);
                    return true;
                }))
                return false;
        }
        read.push_back(std::move(member));
    }
    *members = std::move(read);
    m_extractedFiles = int(
        std::count_if(members->begin(), members->end(), [](const MemoryMember& m) { return !m.isFolder; }));
    return true;
}
