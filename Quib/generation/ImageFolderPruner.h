// Removes the files of a page's image folder that no image of the page uses any more. Only names the
// page writer itself makes are candidates ("image<n>.<type>", its "@2x" and "o" copies,
// "image<n>_mask.png" and the background files); a file the user put there, and the external style
// sheet, always stay.
#pragma once
#include <QList>
#include <QString>

class DRVDocument;
class QObject;

class ImageFolderPruner
{
public:
    // True when the file (name without extension, extension) belongs to an image of images, or is a
    // background file the page keeps.
    static bool isImageInUse(const DRVDocument& document, const QString& name, const QString& extension,
                             const QList<QObject*>& images);
    // True for the names the page writer makes.
    static bool isGeneratedFileName(const QString& fileName);
    // Prunes folder against the document's imageViewArray; an empty folder prunes nothing.
    static void pruneUnusedImageFiles(const DRVDocument& document, const QString& folder);
};
