// The picture files of one image beside its page: "<name>@2x.<type>" at twice the inner box size,
// "<name>.<type>" when a plain copy is asked for, "<name>o.<type>" (the original, written once and
// kept) and "<name>_mask.png". Every file is written whole or not at all (write to a temporary file,
// then rename), so a failed save never leaves half a picture behind.
#pragma once
#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>
#include <optional>

class DRVDocument;
class QObject;

class ImageFileWriter
{
public:
    // folder is the page's image folder; an empty folder writes nothing.
    ImageFileWriter(DRVDocument& document, const QString& folder);

    // The page's image folder: <tempSavePathLocal>/<pageName>; empty when either is unset or the page
    // name cannot be a folder name.
    static QString pageImageFolder(const DRVDocument& document, const QString& pageName);

    // The display, plain and original files of one image (a DRVImage or an image record).
    void saveImage(QObject* image);
    void createRetinaVersion(QObject* image);
    void createNonRetinaVersion(QObject* image);
    void checkAndSaveOriginalImage(QObject* image);
    void saveMaskImage(QObject* image);
    // Stamps the display files an opened page brought with it, so the first save after the open
    // leaves them as they are: each must be the file a save would write for the picture the page
    // opened with (its pixel size, or the original's own bytes where those were smaller).
    static void adoptDisplayFiles(DRVDocument& document, const QList<QObject*>& images);
    // Warns once per pass when every picture file of the folder is empty; "Ignore" stops the
    // warning for the document's life, "Try again" marks the page changed.
    void checkToMakeSureOriginalImagesAreSavedProperly();

    // The image as its file type stores it: JPEG for "JPG", PNG otherwise.
    static QByteArray encodedImage(const QImage& image, const QString& imageType);
    // The inner size of an image in its box: the box less margins, paddings and twice the border.
    static QSizeF innerSize(QObject* image);

private:
    // The checked path of a file in the image folder; nullopt (logged) for a name that could leave it.
    std::optional<QString> filePath(const QString& name) const;
    // The same, answered without a look at the disk for a file an open holds unpacked in memory.
    std::optional<QString> unpackedOrFilePath(const QString& name) const;
    // Names and types come from page text; an image whose name could not be a file name has none.
    static bool hasSafeFileNames(const QObject* image);
    void removeFile(const QString& name) const;
    bool writeFile(const QString& name, const QByteArray& data) const;
    static QImage sourcePicture(QObject* image);

    DRVDocument& m_document;
    QString m_folder;
};
