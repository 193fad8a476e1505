#include "generation/ImageFolderPruner.h"

#include "document/DRVDocument.h"
#include "generation/PropertyReads.h"
#include "model/DRVImage.h"
#include "platform/Observable.h"
#include "platform/SafePath.h"
#include "platform/StringRules.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QObject>
#include <QRegularExpression>
#include <QSet>

using generation::str;

namespace {

bool keepsBackground(const DRVDocument& document)
{
    if (document.pageName() == QStringLiteral("basetemplate") && document.backgroundImageFlag() > 0)
        return true;
    return document.useBaseTemplateFlag() == 0 && document.backgroundImageFlag() >= 1;
}

} // namespace

bool ImageFolderPruner::isGeneratedFileName(const QString& fileName)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(?:image[0-9]+(?:@2x|o)?\\.(?:PNG|JPG)|image[0-9]+_mask\\.png|background(?:@2x|o)?"
                       "\\.(?:PNG|JPG))$"),
        QRegularExpression::CaseInsensitiveOption);
    return pattern.match(fileName).hasMatch();
}

namespace {

// The files the page's images use, gathered once: a page folder of thousands of files is checked
// against thousands of images in one pass.
class UsedFiles
{
public:
    UsedFiles(const DRVDocument& document, const QList<QObject*>& images) : m_document(document)
    {
        for (const QObject* image : images) {
            const QString imageName = str(image, "imageName");
            if (imageName.isEmpty())
                continue;
            const QString templateName = str(image, "templateName");
            if (templateName == document.pageName() || templateName.isEmpty()) {
                const QString type = str(image, "imageType");
                for (const QString& name : {imageName, imageName + QStringLiteral("@2x"), imageName + u'o'})
                    m_files.insert(key(name, type));
            }
            const auto* picture = qobject_cast<const DRVImage*>(image);
            const bool hasMask = picture ? !picture->maskImage().isNull()
                                         : !image->property("maskImage").value<QImage>().isNull();
            // A mask is a PNG whatever the picture's type.
            if (hasMask)
                m_masks.insert(imageName + QStringLiteral("_mask"));
        }
    }

    bool contains(const QString& name, const QString& extension) const
    {
        if (m_files.contains(key(name, extension)) || m_masks.contains(name))
            return true;
        if (name == QStringLiteral("background") || name == QStringLiteral("background@2x") ||
            name == QStringLiteral("backgroundo"))
            return keepsBackground(m_document);
        return false;
    }

private:
    // A name cannot hold a NUL, so name and extension are told apart whatever they hold.
    static QString key(const QString& name, const QString& extension) { return name + QChar(0) + extension; }

    const DRVDocument& m_document;
    QSet<QString> m_files;
    QSet<QString> m_masks;
};

} // namespace

bool ImageFolderPruner::isImageInUse(const DRVDocument& document, const QString& name,
                                     const QString& extension, const QList<QObject*>& images)
{
    return UsedFiles(document, images).contains(name, extension);
}

void ImageFolderPruner::pruneUnusedImageFiles(const DRVDocument& document, const QString& folder)
{
    if (folder.isEmpty() || document.pageName().isEmpty())
        return;
    const QDir dir(folder);
    if (!dir.exists())
        return;
    const UsedFiles used(document, document.imageViewArray());
    for (const QString& fileName : dir.entryList(QDir::Files | QDir::Hidden)) {
        // Only what the writer makes: the style sheet and the user's own files are never touched.
        if (!isGeneratedFileName(fileName))
            continue;
        const QString name = platform::stringByDeletingPathExtension(fileName);
        const QString extension = platform::pathExtension(fileName);
        if (used.contains(name, extension))
            continue;
        // A link is left alone with the rest: only the writer's own plain files go.
        if (const std::optional<QString> path = platform::SafePath::filePath(folder, fileName))
            QFile::remove(*path);
    }
}
