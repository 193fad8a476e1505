// The page's background picture and the recompression of the originals kept beside the page.
#include "document/DRVDocument.h"
#include "model/DRVGraphic.h"
#include "model/DRVImage.h"
#include "model/OriginalImageFile.h"
#include "platform/Dialogs.h"
#include "platform/SafePath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace {

// The folder of the page's pictures: named after the page, inside its working folder.
QString pageImageFolder(const DRVDocument& document)
{
    if (!document.pagePath().isEmpty()) {
        const QFileInfo page(document.pagePath());
        return page.dir().filePath(page.completeBaseName());
    }
    return platform::SafePath::filePath(document.tempSavePathLocal(), document.createFileName())
        .value_or(QString());
}

} // namespace

bool DRVDocument::chooseBackgroundImage(const QString& path)
{
    QImageReader reader(path);
    // A background is tiled over the page: anything larger than a very large screen is refused
    // before it is decoded.
    const QSize declared = reader.size();
    if (declared.isValid() && qint64(declared.width()) * declared.height() > 64LL * 1024 * 1024)
        return false;
    QImage picture = reader.read();
    if (picture.isNull())
        return false;
    ++m_documentChangedCounter;
    removeBackground();
    const QString suffix = QFileInfo(path).suffix();
    m_backgroundImageType = suffix == QLatin1String("png") || suffix == QLatin1String("PNG")
                                ? QStringLiteral("PNG")
                                : QStringLiteral("JPG");
    // One pixel to one point, whatever resolution the file declares.
    picture.setDevicePixelRatio(1.0);
    picture.setDotsPerMeterX(0);
    picture.setDotsPerMeterY(0);
    m_backgroundImage = picture;
    m_backgroundImageFlag = 2;
    emit backgroundImageChanged();
    return true;
}

void DRVDocument::removeBackground()
{
    setPageColor(QColor(Qt::white));
    m_pageColorHexString = QStringLiteral("FFFFFF");
    m_backgroundImageFlag = 0;
    emit backgroundImageChanged();
    // A staged copy written after the removal would bring the old background back.
    completeWorkingFolder();
    const QString folder = pageImageFolder(*this);
    if (folder.isEmpty())
        return;
    const QString type =
        m_backgroundImageType == QLatin1String("JPG") ? QStringLiteral("JPG") : QStringLiteral("PNG");
    for (const QString& name :
         {QStringLiteral("background.") + type, QStringLiteral("backgroundo.") + type}) {
        const std::optional<QString> file = platform::SafePath::filePath(folder, name);
        if (file && QFileInfo::exists(*file))
            QFile::remove(*file);
    }
}

int DRVDocument::compressAllOriginals()
{
    int written = 0;
    completeWorkingFolder();
    const QString folder = pageImageFolder(*this);
    // No maximum width: every original already is as wide as it may be.
    if (!folder.isEmpty() && OriginalImageFile::widthLimit() > 0) {
        for (DRVGraphic* graphic : images()) {
            auto* image = qobject_cast<DRVImage*>(graphic);
            if (!image)
                continue;
            const QImage picture = image->slideShowNumber() == -99 ? image->contents() : image->inputImage();
            // Narrowed to the limit and encoded as the name's type says, replacing the file whole.
            if (OriginalImageFile::save(folder, image->imageName(), image->imageType(), picture))
                ++written;
        }
    }
    platform::showAlert(QStringLiteral("All Images Compressed"), QString(), {QStringLiteral("OK")});
    return written;
}

bool DRVDocument::prepForPresentation(bool publishFlag)
{
    // A page never saved has no working folder yet; its first save makes one.
    if (m_tempSavePathLocal.isEmpty())
        return false;
    if (!completeWorkingFolder())
        return false;
    if (m_pageName.isEmpty())
        m_pageName = createFileName();
    const std::optional<QString> folder = platform::SafePath::filePath(m_tempSavePathLocal, m_pageName);
    if (!folder || !QDir().mkpath(*folder))
        return false;
    m_storeImageNowFlag = true;
    return savePageFile(publishFlag);
}
