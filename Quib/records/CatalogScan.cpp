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

// Visits every item below folder in pre-order, each folder's entries sorted by name. The visitor
// gets the path and whether it is a folder (nullopt when that cannot be read). Links are items,
// never followed, so a link back up the tree cannot loop.
template <class Visit> void walk(const fs::path& folder, Visit& visit)
{
    std::error_code error;
    fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, error);
    std::vector<fs::path> entries;
    for (const fs::directory_iterator end; !error && it != end; it.increment(error))
        entries.push_back(it->path());
    std::sort(entries.begin(), entries.end(),
              [](const fs::path& a, const fs::path& b) { return a.filename().native() < b.filename().native(); });
    for (const fs::path& entry : entries) {
        std::error_code statusError;
        const fs::file_status status = fs::symlink_status(entry, statusError);
        std::optional<bool> isFolder;
        if (!statusError && status.type() != fs::file_type::not_found)
            isFolder = status.type() == fs::file_type::directory;
        visit(entry, isFolder);
        if (isFolder.value_or(false))
            walk(entry, visit);
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
    auto count = [&](const fs::path&, std::optional<bool>) { ++total; };
    walk(root, count);
    const qint32 totalItems = qint32(std::min<qint64>(total, INT32_MAX));
    const int step = progressStep(total);

    qint64 position = 0;
    auto report = [&](const QString& text) {
        if (progress)
            progress(qint32(std::min<qint64>(position, INT32_MAX)), totalItems, text);
    };
    auto list = [&](const fs::path& entry, std::optional<bool> isFolder) {
        ++position;
        if (!isFolder)
            return;
        const QString path = fromPath(entry);
        if (*isFolder && kind == CatalogKind::Folders) {
            QuibFileHelper record;
            record.filePath = path;
            record.setFileModDate(QFileInfo(path).lastModified());
            record.fileSizeBytes = sizeOfFolder(path);
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
    walk(root, list);
    return found;
}

quint64 CatalogScan::sizeOfFolder(const QString& folder)
{
    std::error_code error;
    fs::directory_iterator it(toPath(folder), fs::directory_options::skip_permission_denied, error);
    quint64 sum = 0;
    for (const fs::directory_iterator end; !error && it != end; it.increment(error)) {
        struct stat status;
        if (::lstat(it->path().c_str(), &status) == 0 && status.st_size > 0)
            sum += quint64(status.st_size);
    }
    return sum;
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
        const QString name = QStringLiteral("%1%2.%3").arg(base).arg(i).arg(QFileInfo(record.filePath).suffix());
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
