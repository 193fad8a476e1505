#include "generation/BackgroundImage.h"

#include "document/DRVDocument.h"
#include "editions/DataCentre.h"
#include "generation/ImageFileWriter.h"
#include "platform/SafePath.h"
#include "platform/TextEncoding.h"
#include "platform/UserDefaults.h"

#include <QDir>
#include <QFileInfo>
#include <QIcon>

bool BackgroundImage::saveBackgroundImage(DRVDocument& document, const QString& folder)
{
    if (folder.isEmpty())
        return false;
    const QString type = document.backgroundImageType() == QStringLiteral("JPG") ? QStringLiteral("JPG")
                                                                                 : QStringLiteral("PNG");
    // Fixed names, but the files already there may be links out of the folder.
    const std::optional<QString> path =
        platform::SafePath::filePath(folder, QStringLiteral("background.") + type);
    const std::optional<QString> fullPath =
        platform::SafePath::filePath(folder, QStringLiteral("backgroundo.") + type);
    if (!path || !fullPath)
        return false;

    const QImage picture = document.backgroundImage();
    double quality =
        platform::UserDefaults::standard().doubleForKey(QStringLiteral("backgroundQualityPercentage"));
    if (quality <= 0)
        quality = 1.0;
    QByteArray data;
    QByteArray fullData;
    if (!picture.isNull()) {
        if (type == QStringLiteral("JPG")) {
            data = DataCentre::JPEGRepresentationOfImage(picture, float(quality));
            fullData = DataCentre::JPEGRepresentationOfImage(picture, 1.0f);
        } else {
            data = DataCentre::PNGRepresentationOfImage(picture);
            fullData = data;
        }
    }
    if (data.isEmpty()) {
        qWarning("image data for background pattern is nil!");
        return false;
    }
    QDir().mkdir(folder);
    bool written = platform::writeFileAtomically(*path, data);
    if (!QFileInfo::exists(*fullPath) && !fullData.isEmpty())
        written = platform::writeFileAtomically(*fullPath, fullData) && written;
    if (!written)
        qWarning("background file creation failed");
    return written;
}
