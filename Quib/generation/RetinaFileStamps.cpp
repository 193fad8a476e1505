#include "generation/RetinaFileStamps.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QMutex>

namespace {

struct Stamp
{
    qint64 imageKey = 0;
    QSizeF size;
    QString type;
    qint64 fileSize = -1;
    QDateTime modified;
};

// Bounded: a long session forgets the oldest pages' files wholesale rather than grow.
constexpr qsizetype kMaxStamps = 20000;

QMutex& stampsMutex()
{
    static QMutex mutex;
    return mutex;
}

QHash<QString, Stamp>& stamps()
{
    static QHash<QString, Stamp> all;
    return all;
}

} // namespace

bool RetinaFileStamps::isCurrent(const QString& path, const QImage& source, QSizeF size, const QString& type)
{
    if (source.isNull())
        return false;
    Stamp stamp;
    {
        QMutexLocker lock(&stampsMutex());
        const auto it = stamps().constFind(path);
        if (it == stamps().constEnd())
            return false;
        stamp = *it;
    }
    if (stamp.imageKey != source.cacheKey() || stamp.size != size || stamp.type != type)
        return false;
    const QFileInfo file(path);
    return file.isFile() && !file.isSymLink() && file.size() == stamp.fileSize &&
           file.lastModified() == stamp.modified;
}

void RetinaFileStamps::remember(const QString& path, const QImage& source, QSizeF size, const QString& type)
{
    const QFileInfo file(path);
    if (source.isNull() || !file.isFile()) {
        forget(path);
        return;
    }
    QMutexLocker lock(&stampsMutex());
    if (stamps().size() >= kMaxStamps)
        stamps().clear();
    stamps().insert(path, Stamp{source.cacheKey(), size, type, file.size(), file.lastModified()});
}

void RetinaFileStamps::forget(const QString& path)
{
    QMutexLocker lock(&stampsMutex());
    stamps().remove(path);
}
