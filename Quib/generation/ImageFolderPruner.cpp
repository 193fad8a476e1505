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

bool ImageFolderPruner::isImageInUse(const DRVDocument& document, const QString& name,
                                     const QString& extension, const QList<QObject*>& images)
{
    for (const QObject* image : images) {
        const QString imageName = str(image, "imageName");
        if (imageName.isEmpty())
            continue;
        const QString templateName = str(image, "templateName");
        const bool ownPage = templateName == document.pageName() || templateName.isEmpty();
        if ((name == imageName || name == imageName + QStringLiteral("@2x") || name == imageName + u'o') &&
            extension == str(image, "imageType") && ownPage)
            return true;
        const auto* picture = qobject_cast<const DRVImage*>(image);
        const bool hasMask =
            picture ? !picture->maskImage().isNull() : !image->property("maskImage").value<QImage>().isNull();
        if (hasMask && name == imageName + QStringLiteral("_mask"))
            return true;
    }
    if (name == QStringLiteral("background") || name == QStringLiteral("background@2x") ||
        name == QStringLiteral("backgroundo"))
        return keepsBackground(document);
    return false;
}

void ImageFolderPruner::pruneUnusedImageFiles(const DRVDocument& document, const QString& folder)
{
    if (folder.isEmpty() || document.pageName().isEmpty())
        return;
    const QDir dir(folder);
    if (!dir.exists())
        return;
    const QList<QObject*> images = document.imageViewArray();
    for (const QString& fileName : dir.entryList(QDir::Files | QDir::Hidden)) {
        // Only what the writer makes: the style sheet and the user's own files are never touched.
        if (!isGeneratedFileName(fileName))
            continue;
        const QString name = platform::stringByDeletingPathExtension(fileName);
        const QString extension = platform::pathExtension(fileName);
        if (isImageInUse(document, name, extension, images))
            continue;
        // A link is left alone with the rest: only the writer's own plain files go.
        if (const std::optional<QString> path = platform::SafePath::filePath(folder, fileName))
            QFile::remove(*path);
    }
}
