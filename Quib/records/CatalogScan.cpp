#include "records/CatalogScan.h"

#include "editions/EditionSettings.h"
#include "platform/SafePath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

fs::path toPath(const QString& path)
{
    return fs::path(QFile::encodeName(path).toStdString());
}

QString fromPath(const fs::path& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

struct Entry
{
    fs::path path;
    std::optional<bool> isFolder; // nullopt when its kind cannot be read
};

quint64 entrySize(const fs::path& path)
{
    struct stat status;
    return ::lstat(path.c_str(), &status) == 0 && status.st_size > 0 ? quint64(status.st_size) : 0;
}

// The folder's entries sorted by name, with their kinds as the listing gives them (links are
// entries of their own, never followed). With size, also the sum of the entries' own sizes.
std::vector<Entry> listFolder(const fs::path& folder, quint64* size)
{
    std::vector<Entry> entries;
    std::error_code error;
    fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, error);
    for (const fs::directory_iterator end; !error && it != end; it.increment(error)) {
        std::error_code statusError;
        const fs::file_status status = it->symlink_status(statusError);
        Entry entry{it->path(), std::nullopt};
        if (!statusError && status.type() != fs::file_type::not_found)
            entry.isFolder = status.type() == fs::file_type::directory;
        if (size)
            *size += entrySize(entry.path);
        entries.push_back(std::move(entry));
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return a.path.filename().native() < b.path.filename().native();
    });
    return entries;
}

// Visits every item below a folder in pre-order: each folder's entries by name, a sub-folder
// before its contents. The visitor gets the path, whether it is a folder, and, when measuring, a
// folder's size from the same listing that its contents come from.
template <class Visit> void walk(const std::vector<Entry>& entries, Visit& visit, bool measure)
{
    for (const Entry& entry : entries) {
        if (!entry.isFolder.value_or(false)) {
            visit(entry.path, entry.isFolder, 0);
            continue;
        }
        quint64 size = 0;
        const std::vector<Entry> children = listFolder(entry.path, measure ? &size : nullptr);
        visit(entry.path, entry.isFolder, size);
        walk(children, visit, measure);
    }
}

QDateTime earlierOfBirthAndModification(const QFileInfo& info)
{
    const QDateTime modified = info.lastModified();
    const QDateTime born = info.birthTime();
    if (born.isValid() && (!modified.isValid() || born < modified))
        return born;
    return modified;
}

} // namespace

CatalogKind CatalogScan::kindForEdition()
{
    const EditionSettings& e = edition();
    if (e.gFolderCatalogFlag)
        return CatalogKind::Folders;
    if (e.gPhotoCatalogFlag)
        return CatalogKind::Photos;
    if (e.gVideoCatalogFlag)
        return CatalogKind::Videos;
    return CatalogKind::None;
}

bool CatalogScan::isImageExtension(const QString& extension)
{
    static const QStringList accepted{"jpg", "JPG", "jpeg", "JPEG", "png", "PNG", "gif", "GIF"};
    return accepted.contains(extension);
}

bool CatalogScan::isVideoExtension(const QString& extension)
{
    static const QStringList accepted{"mp4", "MP4", "ogg", "OGG", "webm", "WEBM", "MOV", "mov", "AVI", "avi"};
    return accepted.contains(extension);
}

int CatalogScan::progressStep(qsizetype count)
{
    return count <= 1000 ? 10 : 50;
}

QList<QuibFileHelper> CatalogScan::scan(const QString& folder, CatalogKind kind, const Progress& progress)
{
    QList<QuibFileHelper> found;
    const fs::path root = toPath(folder);
    qint64 total = 0;
    auto count = [&](const fs::path&, std::optional<bool>, quint64) { ++total; };
    walk(listFolder(root, nullptr), count, false);
    const qint32 totalItems = qint32(std::min<qint64>(total, INT32_MAX));
    const int step = progressStep(total);

    qint64 position = 0;
    auto report = [&](const QString& text) {
        if (progress)
            progress(qint32(std::min<qint64>(position, INT32_MAX)), totalItems, text);
    };
    const bool measure = kind == CatalogKind::Folders;
    auto list = [&](const fs::path& entry, std::optional<bool> isFolder, quint64 folderSize) {
        ++position;
        if (!isFolder)
            return;
        const QString path = fromPath(entry);
        if (*isFolder && kind == CatalogKind::Folders) {
            QuibFileHelper record;
            record.filePath = path;
            record.setFileModDate(QFileInfo(path).lastModified());
            record.fileSizeBytes = folderSize;
            record.fileSize = byteCountString(record.fileSizeBytes);
            found.append(record);
            if (position % step == 0)
                report(QStringLiteral("Found %1 folders").arg(found.size()));
            return;
        }
        if (*isFolder || (kind != CatalogKind::Photos && kind != CatalogKind::Videos))
            return;
        const QFileInfo info(path);
        const bool accepted =
            kind == CatalogKind::Photos ? isImageExtension(info.suffix()) : isVideoExtension(info.suffix());
        if (!accepted)
            return;
        QuibFileHelper record;
        record.filePath = path;
        record.setFileModDate(earlierOfBirthAndModification(info));
        found.append(record);
        // Videos are few and slow to find, so each one is reported.
        if (kind == CatalogKind::Videos || position % step == 0)
            report(QStringLiteral("Found %1 supported files").arg(found.size()));
    };
    walk(listFolder(root, nullptr), list, measure);
    return found;
}

quint64 CatalogScan::sizeOfFolder(const QString& folder)
{
    quint64 size = 0;
    listFolder(toPath(folder), &size);
    return size;
}

QString CatalogScan::byteCountString(quint64 bytes)
{
    if (bytes == 0)
        return QStringLiteral("Zero KB");
    if (bytes == 1)
        return QStringLiteral("1 byte");
    if (bytes < 1000)
        return QStringLiteral("%1 bytes").arg(bytes);
    static const char* const units[] = {"KB", "MB", "GB", "TB", "PB", "EB"};
    double value = double(bytes) / 1000.0;
    int unit = 0;
    // Each unit carries one more decimal than the last (KB none, MB one, GB and above two).
    auto rounded = [](double v, int decimals) {
        const double scale = decimals == 0 ? 1.0 : decimals == 1 ? 10.0 : 100.0;
        return std::round(v * scale) / scale;
    };
    while (unit < 5 && rounded(value, std::min(unit, 2)) >= 1000.0) {
        value /= 1000.0;
        ++unit;
    }
    const int decimals = std::min(unit, 2);
    QString number = QString::number(rounded(value, decimals), 'f', decimals);
    if (number.contains(u'.')) {
        while (number.endsWith(u'0'))
            number.chop(1);
        if (number.endsWith(u'.'))
            number.chop(1);
    }
    return number + u' ' + QLatin1String(units[unit]);
}

int CatalogScan::duplicate(QList<QuibFileHelper>& records, const QString& outputFolder, const QString& base,
                           const Progress& progress)
{
    const std::optional<QString> folder = platform::SafePath::filePath(outputFolder, base);
    if (!folder)
        return int(std::min<qsizetype>(records.size(), INT32_MAX));
    QDir().mkdir(*folder);
    const int step = progressStep(records.size());
    const qint32 total = qint32(std::min<qsizetype>(records.size(), INT32_MAX));
    int failures = 0;
    for (qsizetype i = 0; i < records.size(); ++i) {
        if (progress && i % step == 0)
            progress(qint32(i), total, QStringLiteral("Step 1: Preparing to generate grid"));
        QuibFileHelper& record = records[i];
        const QString name =
            QStringLiteral("%1%2.%3").arg(base).arg(i).arg(QFileInfo(record.filePath).suffix());
        const std::optional<QString> target = platform::SafePath::filePath(*folder, name);
        // A copy left by an earlier run is replaced, so the pages never link a stale file.
        bool copied = false;
        if (target) {
            QFile::remove(*target);
            copied = QFile::copy(record.filePath, *target);
        }
        if (!copied)
            ++failures;
        record.updatedFilePath = base + u'/' + name;
    }
    return failures;
}
