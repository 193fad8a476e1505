// The original of a picture, kept in the page's image folder as "<name>o.<type>": what the page
// republishes from, so it is written whole or not at all.
#pragma once
#include <QImage>
#include <QSize>
#include <QString>

class OriginalImageFile
{
public:
    OriginalImageFile() = delete;

    // The widest original kept: the edition's override when positive, else the user's
    // "DovrelMaxImageSize"; 0 keeps every width.
    static int widthLimit();
    // The size the original is stored at: narrowed to limit in proportion (single precision).
    static QSizeF storedSize(QSize pixelSize, int limit);
    // Writes the picture, narrowed to widthLimit(), as JPEG at full quality for "JPG", else PNG.
    // An existing file is replaced only once the new one is complete; false, and nothing changed,
    // when the name or type is unsafe, the picture is empty or the file cannot be written.
    static bool save(const QString& folder, const QString& name, const QString& type, const QImage& image);
    // The same at full size.
    static bool saveUnscaled(const QString& folder, const QString& name, const QString& type,
                             const QImage& image);
    // folder/<name>o.<type>; empty when any part is unsafe.
    static QString path(const QString& folder, const QString& name, const QString& type);
};
