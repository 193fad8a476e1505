// What each display file ("<name>@2x.<type>") was last made from, so a save re-encodes only the
// pictures that changed: the same picture at the same size, over a file nobody has touched since,
// is left as it is.
#pragma once
#include <QImage>
#include <QSizeF>
#include <QString>

class RetinaFileStamps
{
public:
    RetinaFileStamps() = delete;

    // True when path was written by remember() from this picture (the same pixel data, unmodified),
    // at this size and type, and the file has not changed since.
    static bool isCurrent(const QString& path, const QImage& source, QSizeF size, const QString& type);
    // Records the file just written at path.
    static void remember(const QString& path, const QImage& source, QSizeF size, const QString& type);
    static void forget(const QString& path);
};
