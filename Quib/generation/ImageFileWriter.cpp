#include "generation/ImageFileWriter.h"
#include "generation/RetinaFileStamps.h"

#include "document/DRVDocument.h"
#include "document/PageImageFiles.h"
#include "document/PendingFolderFiles.h"
#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "generation/PropertyReads.h"
#include "model/DRVGraphic.h"
#include "model/DRVImage.h"
#include "platform/Dialogs.h"
#include "platform/Observable.h"
#include "platform/SafePath.h"
#include "platform/StringRules.h"
#include "platform/StringsTable.h"
#include "platform/TextEncoding.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QSizeF>

using generation::num;
using generation::str;

namespace {

constexpr int kNone = -99;

// Stamps the display file once createRetinaVersion is done with it, however it ends.
struct RetinaDone
{
    QString path;
    QImage source;
    QSizeF size;
    QString type;
    ~RetinaDone()
    {
        if (!path.isEmpty())
            RetinaFileStamps::remember(path, source, size, type);
    }
};

bool inSlideshow(const QObject* image)
{
    return num(image, "slideShowNumber") != kNone;
}

} // namespace

ImageFileWriter::ImageFileWriter(DRVDocument& document, const QString& folder)
    : m_document(document), m_folder(folder)
{
}

QString ImageFileWriter::pageImageFolder(const DRVDocument& document, const QString& pageName)
{
    if (document.tempSavePathLocal().isEmpty() || pageName.isEmpty())
        return QString();
    PendingFolderFiles::ensureComplete(document.tempSavePathLocal());
    return platform::SafePath::filePath(document.tempSavePathLocal(), pageName).value_or(QString());
}

std::optional<QString> ImageFileWriter::filePath(const QString& name) const
{
    return platform::SafePath::filePath(m_folder, name);
}

std::optional<QString> ImageFileWriter::unpackedOrFilePath(const QString& name) const
{
    // An open checked the paths of the files it unpacked, and holds their bytes.
    if (QString path = m_folder + u'/' + name; PageImageFiles::UnpackedScope::holds(path))
        return path;
    return filePath(name);
}

bool ImageFileWriter::hasSafeFileNames(const QObject* image)
{
    const QString name = str(image, "imageName");
    const QString type = str(image, "imageType");
    if (PageImageFiles::isSafeImageName(name) && PageImageFiles::isSafeImageType(type))
        return true;
    qWarning() << "image files not written, the image's name or type cannot be a file name:" << name << type;
    return false;
}

void ImageFileWriter::removeFile(const QString& name) const
{
    if (const std::optional<QString> path = filePath(name))
        QFile::remove(*path);
}

bool ImageFileWriter::writeFile(const QString& name, const QByteArray& data) const
{
    const std::optional<QString> path = filePath(name);
    return path && !data.isEmpty() && platform::writeFileAtomically(*path, data);
}

QByteArray ImageFileWriter::encodedImage(const QImage& image, const QString& imageType)
{
    if (image.isNull())
        return QByteArray();
    if (imageType == QStringLiteral("JPG"))
        return DataCentre::JPEGRepresentationOfImage(image, 1.0f);
    return DataCentre::PNGRepresentationOfImage(image);
}

QImage ImageFileWriter::sourcePicture(QObject* image)
{
    auto* graphic = qobject_cast<DRVImage*>(image);
    if (graphic && !inSlideshow(graphic))
        return graphic->contents();
    return image ? image->property("image").value<QImage>() : QImage();
}

QSizeF ImageFileWriter::innerSize(QObject* image)
{
    auto* graphic = qobject_cast<DRVImage*>(image);
    if (graphic && !inSlideshow(graphic)) {
        // The pixel values of the spacing come from the box-model layout step.
        graphic->drawBoxModel();
        const QRectF b = graphic->bounds();
        const double border = 2.0 * graphic->borderWidth();
        return QSizeF(b.width() - graphic->leftMarginInPx() - graphic->leftPaddingInPx() -
                          graphic->rightMarginInPx() - graphic->rightPaddingInPx() - border,
                      b.height() - graphic->topMarginInPx() - graphic->topPaddingInPx() -
                          graphic->bottomMarginInPx() - graphic->bottomPaddingInPx() - border);
    }
    if (!image)
        return QSizeF();
    QRectF box = image->property("bounds").toRectF();
    if (box.isNull())
        box = image->property("frame").toRectF();
    const double border = 2.0 * num(image, "borderWidth");
    return QSizeF(box.width() - num(image, "leftMargin") - num(image, "leftPadding") -
                      num(image, "rightMargin") - num(image, "rightPadding") - border,
                  box.height() - num(image, "topMargin") - num(image, "topPadding") -
                      num(image, "bottomMargin") - num(image, "bottomPadding") - border);
}

void ImageFileWriter::saveImage(QObject* image)
{
    if (edition().gNoImageFilesFlag || m_folder.isEmpty() || !image || !hasSafeFileNames(image))
        return;
    QDir().mkdir(m_folder);
    const QString name = str(image, "imageName");
    const QString type = str(image, "imageType");
    // The original first: the display file is measured against it, so one pass gives what
    // repeated passes would.
    checkAndSaveOriginalImage(image);
    if (num(image, "imageEnlargeFlag") == 1)
        removeFile(name + QStringLiteral("@2x.") + type);
    else
        createRetinaVersion(image);
    removeFile(name + u'.' + type);
    if (!inSlideshow(image) && image->property("forceNonRetinaFlag").toBool())
        createNonRetinaVersion(image);
}

void ImageFileWriter::createRetinaVersion(QObject* image)
{
    if (!hasSafeFileNames(image))
        return;
    const QSizeF inner = innerSize(image);
    // A box with no room for the picture has no display file.
    if (inner.width() <= 0 || inner.height() <= 0)
        return;
    const QImage source = sourcePicture(image);
    if (source.isNull())
        return;
    const QString name = str(image, "imageName");
    const QString type = str(image, "imageType");
    const QString retinaName = name + QStringLiteral("@2x.") + type;
    const std::optional<QString> retinaPath = filePath(retinaName);
    const QSizeF size(2 * inner.width(), 2 * inner.height());
    // Made from this very picture at this size by an earlier save, and untouched since.
    if (retinaPath && RetinaFileStamps::isCurrent(*retinaPath, source, size, type))
        return;
    const QImage scaled = DataCentre::imageWithImage(source, size);
    if (!writeFile(retinaName, encodedImage(scaled, type)))
        return;
    RetinaDone done{retinaPath.value_or(QString()), source, size, type};

    // The display file is never larger than the original.
    const std::optional<QString> originalPath = filePath(name + QStringLiteral("o.") + type);
    if (!retinaPath || !originalPath)
        return;
    const qint32 originalSize = DataCentre::grabFileSize(*originalPath);
    const qint32 retinaSize = DataCentre::grabFileSize(*retinaPath);
    if (QFileInfo::exists(*originalPath) && originalSize > 0 && originalSize < retinaSize) {
        QFile original(*originalPath);
        if (original.open(QIODevice::ReadOnly) &&
            platform::writeFileAtomically(*retinaPath, original.readAll()))
            qInfo("%s REPLACE retina image: %d original image:%d", qPrintable(*retinaPath), retinaSize,
                  originalSize);
    }
}

void ImageFileWriter::adoptDisplayFiles(DRVDocument& document, const QList<QObject*>& images)
{
    // Not pageImageFolder: the files an open has just unpacked are answered from memory, with no
    // wait for the background writer.
    if (document.tempSavePathLocal().isEmpty() || document.pageName().isEmpty())
        return;
    const ImageFileWriter files(
        document,
        platform::SafePath::filePath(document.tempSavePathLocal(), document.pageName()).value_or(QString()));
    if (files.m_folder.isEmpty())
        return;
    const auto pixelSize = [](const QByteArray& bytes) {
        QByteArray data = bytes;
        QBuffer buffer(&data);
        buffer.open(QIODevice::ReadOnly);
        return QImageReader(&buffer).size();
    };
    for (QObject* image : images) {
        if (!image || num(image, "imageEnlargeFlag") == 1)
            continue;
        const QString name = str(image, "imageName");
        const QString type = str(image, "imageType");
        if (!PageImageFiles::isSafeImageName(name) || !PageImageFiles::isSafeImageType(type))
            continue;
        const QSizeF inner = innerSize(image);
        const QImage source = sourcePicture(image);
        if (inner.width() <= 0 || inner.height() <= 0 || source.isNull())
            continue;
        const std::optional<QString> path = files.unpackedOrFilePath(name + QStringLiteral("@2x.") + type);
        if (!path)
            continue;
        const QSizeF size(2 * inner.width(), 2 * inner.height());
        const QSize wanted = DataCentre::imageWithImagePixelSize(size);
        const std::optional<QString> originalPath =
            files.unpackedOrFilePath(name + QStringLiteral("o.") + type);
        bool current = false;
        if (const std::optional<QByteArray> display = PageImageFiles::bytesInMemory(*path)) {
            // Written by the open (or about to be), unless something stands there already.
            if (display->isEmpty() || QFileInfo(*path).isSymLink())
                continue;
            current = pixelSize(*display) == wanted;
            if (!current && originalPath) {
                const std::optional<QByteArray> original = PageImageFiles::bytesInMemory(*originalPath);
                current = original && *original == *display;
            }
        } else {
            const QFileInfo onDisk(*path);
            if (!onDisk.isFile() || onDisk.isSymLink() || onDisk.size() <= 0)
                continue;
            current = QImageReader(*path).size() == wanted;
            if (!current) {
                QFile original(originalPath.value_or(QString()));
                QFile copy(*path);
                current = originalPath && original.size() == onDisk.size() &&
                          original.open(QIODevice::ReadOnly) && copy.open(QIODevice::ReadOnly) &&
                          original.readAll() == copy.readAll();
            }
        }
        if (current)
            RetinaFileStamps::remember(*path, source, size, type);
    }
}

void ImageFileWriter::createNonRetinaVersion(QObject* image)
{
    if (!hasSafeFileNames(image))
        return;
    const QString type = str(image, "imageType");
    writeFile(str(image, "imageName") + u'.' + type, encodedImage(sourcePicture(image), type));
}

void ImageFileWriter::checkAndSaveOriginalImage(QObject* image)
{
    if (!hasSafeFileNames(image))
        return;
    const QString type = str(image, "imageType");
    const QString name = str(image, "imageName") + QStringLiteral("o.") + type;
    const std::optional<QString> path = filePath(name);
    if (!path || (QFileInfo::exists(*path) && DataCentre::grabFileSize(*path) != 0))
        return;
    writeFile(name, encodedImage(sourcePicture(image), type));
}

void ImageFileWriter::saveMaskImage(QObject* image)
{
    // The mask's file name does not carry the image type.
    if (m_folder.isEmpty() || !image || !PageImageFiles::isSafeImageName(str(image, "imageName")))
        return;
    auto* graphic = qobject_cast<DRVImage*>(image);
    const QImage picture = graphic ? graphic->maskImage() : image->property("maskImage").value<QImage>();
    if (picture.isNull())
        return;
    QDir().mkdir(m_folder);
    writeFile(str(image, "imageName") + QStringLiteral("_mask.png"),
              DataCentre::PNGRepresentationOfImage(picture));
}

void ImageFileWriter::checkToMakeSureOriginalImagesAreSavedProperly()
{
    if (m_folder.isEmpty())
        return;
    const QDir folder(m_folder);
    double total = 0;
    int count = 0;
    for (const QString& name : folder.entryList(QDir::Files)) {
        const QString extension = platform::pathExtension(name);
        if (extension.compare(QStringLiteral("PNG"), Qt::CaseInsensitive) != 0 &&
            extension.compare(QStringLiteral("JPG"), Qt::CaseInsensitive) != 0)
            continue;
        ++count;
        if (const std::optional<QString> path = filePath(name))
            total += DataCentre::grabFileSize(*path);
        // One picture with bytes in it is enough to know the pictures were written.
        if (total > 0)
            return;
    }
    if (count == 0 || total != 0)
        return;
    platform::Alert alert;
    alert.title = QStringLiteral("Could not save image");
    alert.informativeText = QStringLiteral(
        "Sorry, images may not have saved properly, please review and try saving this file again.");
    alert.buttons = {
        platform::StringsTable::lookup(QStringLiteral("Try again"), QStringLiteral("Localizable")),
        platform::StringsTable::lookup(QStringLiteral("Ignore"), QStringLiteral("Localizable"))};
    alert.style = platform::AlertStyle::Warning;
    if (platform::showAlert(alert) == 0)
        m_document.setDocumentChangedCounter(m_document.documentChangedCounter() + 1);
    else
        m_document.setIgnoreImageSaveErrorFlag(true);
}
