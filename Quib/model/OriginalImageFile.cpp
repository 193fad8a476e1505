#include "model/OriginalImageFile.h"
#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "platform/SafePath.h"
#include "platform/TextEncoding.h"
#include "platform/UserDefaults.h"

#include <QDir>
#include <QFileInfo>

int OriginalImageFile::widthLimit()
{
    if (edition().gOriginalImageSizeOverride > 0)
        return edition().gOriginalImageSizeOverride;
    return int(platform::UserDefaults::standard().integerForKey(QStringLiteral("DovrelMaxImageSize")));
}

QSizeF OriginalImageFile::storedSize(QSize pixelSize, int limit)
{
    if (limit <= 0 || float(pixelSize.width()) <= float(limit))
        return QSizeF(pixelSize);
    const float ratio = float(pixelSize.width()) / float(limit);
    return QSizeF(limit, float(pixelSize.height()) / ratio);
}

QString OriginalImageFile::path(const QString& folder, const QString& name, const QString& type)
{
    if (folder.isEmpty() || !platform::SafePath::isSafeName(name) || !platform::SafePath::isSafeName(type) ||
        type.contains(u'.'))
        return QString();
    return platform::SafePath::filePath(folder, name + QStringLiteral("o.") + type).value_or(QString());
}

bool OriginalImageFile::save(const QString& folder, const QString& name, const QString& type,
                             const QImage& image)
{
    if (image.isNull())
        return false;
    const QSizeF size = storedSize(image.size(), widthLimit());
    return saveUnscaled(folder, name, type,
                        size == QSizeF(image.size()) ? image : DataCentre::imageWithImage(image, size));
}

bool OriginalImageFile::saveUnscaled(const QString& folder, const QString& name, const QString& type,
                                     const QImage& image)
{
    const QString target = path(folder, name, type);
    // The page's own folder may not be there yet; a missing folder above it is no page's.
    if (target.isEmpty() || image.isNull() || !(QFileInfo(folder).isDir() || QDir().mkdir(folder)))
        return false;
    const QByteArray data = type == QLatin1String("JPG") ? DataCentre::JPEGRepresentationOfImage(image, 1.0f)
                                                         : DataCentre::PNGRepresentationOfImage(image);
    return !data.isEmpty() && platform::writeFileAtomically(target, data);
}
