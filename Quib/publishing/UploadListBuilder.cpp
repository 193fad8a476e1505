#include "publishing/UploadListBuilder.h"

#include "document/DRVDocument.h"
#include "model/DRVGalleryGrid.h"
#include "model/DRVImage.h"
#include "model/DRVSlideshow.h"
#include "model/DRVTable.h"
#include "model/TransformView.h"
#include "platform/SafePath.h"

#include <optional>

namespace {

const QString kBaseTemplate = QStringLiteral("basetemplate");

// Free images and image carriers name their files alike.
template <class Image> UploadImageCandidate candidateOf(const Image& image, bool selectable, bool forceNonRetina)
{
    UploadImageCandidate candidate;
    candidate.imageName = image.imageName();
    candidate.imageType = image.imageType();
    candidate.templateName = image.templateName();
    candidate.selectable = selectable;
    candidate.forceNonRetina = forceNonRetina;
    candidate.imageEnlargeFlag = image.imageEnlargeFlag();
    return candidate;
}

// Names come from the page: each one is checked before it becomes part of a path.
std::optional<QString> fileIn(const QString& root, const QString& folder, const QString& name)
{
    const std::optional<QString> base = platform::SafePath::filePath(root, folder);
    if (!base)
        return std::nullopt;
    return platform::SafePath::filePath(*base, name);
}

class ItemList
{
public:
    explicit ItemList(QList<UploadItem>& items) : m_items(items) {}

    void add(const std::optional<QString>& localPath, const QString& remoteFolder, const QString& name)
    {
        if (!localPath || !platform::SafePath::isSafeName(name))
            return;
        UploadItem item;
        item.setLocalPath(*localPath);
        item.setRemoteFolder(remoteFolder);
        item.setRemoteFileName(name);
        m_items.append(item);
    }

private:
    QList<UploadItem>& m_items;
};

} // namespace

QList<UploadImageCandidate> UploadListBuilder::candidates(const DRVDocument& document, bool tableImages,
                                                          QList<QObject*>* sources)
{
    QList<UploadImageCandidate> found;
    const auto take = [&](const UploadImageCandidate& candidate, QObject* source) {
        found.append(candidate);
        if (sources)
            sources->append(source);
    };
    for (DRVImage* image : document.graphicsWithClass<DRVImage>())
        take(candidateOf(*image, image->selectable(), image->forceNonRetinaFlag()), image);
    for (DRVSlideshow* slideshow : document.graphicsWithClass<DRVSlideshow>()) {
        for (TransformView* slide : slideshow->imageArray()) {
            if (slide)
                take(candidateOf(*slide, slideshow->selectable(), slide->forceNonRetinaFlag() != 0), slide);
        }
    }
    for (DRVGalleryGrid* gallery : document.graphicsWithClass<DRVGalleryGrid>()) {
        for (TransformView* picture : gallery->imageArray()) {
            if (picture)
                take(candidateOf(*picture, gallery->selectable(), picture->forceNonRetinaFlag() != 0), picture);
        }
    }
    if (!tableImages)
        return found;
    for (DRVTable* table : document.graphicsWithClass<DRVTable>()) {
        for (TransformView* cellImage : table->imageArray()) {
            if (cellImage)
                take(candidateOf(*cellImage, cellImage->selectable() != 0, cellImage->forceNonRetinaFlag() != 0),
                     cellImage);
        }
        // A table's background is published at single resolution only.
        if (TransformView* background = table->tableBackgroundImage())
            take(candidateOf(*background, background->selectable() != 0, true), background);
    }
    return found;
}

UploadList UploadListBuilder::build(const UploadPageSnapshot& page)
{
    UploadList list;
    ItemList items(list.items);
    const QString pageFolder = QStringLiteral("/") + page.pageName;
    if (page.uploadImageFlag) {
        for (int i = 0; i < int(page.images.size()); ++i) {
            const UploadImageCandidate& image = page.images.at(i);
            // Base-template images live in the project's working copy and go to its shared folder.
            const QString root = image.selectable ? page.tempSavePathLocal : page.openWebsiteFolderTempPath;
            const QString folder = image.selectable ? page.pageName : image.templateName;
            const QString remoteFolder = image.selectable ? pageFolder : QStringLiteral("/") + kBaseTemplate;
            const auto addFile = [&](const QString& name) {
                items.add(fileIn(root, folder, name), remoteFolder, name);
            };
            if (image.forceNonRetina)
                addFile(image.imageName + u'.' + image.imageType);
            if (image.imageEnlargeFlag == 1) {
                addFile(image.imageName + QStringLiteral("o.") + image.imageType);
            } else {
                list.retinaImages.append(i);
                if (!image.forceNonRetina)
                    addFile(image.imageName + QStringLiteral("@2x.") + image.imageType);
            }
        }
        // A page that shows the base template's background leaves that picture to the base template.
        const bool backgroundFromBaseTemplate = page.useBaseTemplateFlag != 0 && page.pageName != kBaseTemplate;
        if (page.backgroundImageFlag > 0 && !backgroundFromBaseTemplate) {
            const QString name = page.backgroundImageType == QLatin1String("JPG") ? QStringLiteral("background.JPG")
                                                                                 : QStringLiteral("background.PNG");
            items.add(fileIn(page.tempSavePathLocal, page.pageName, name), pageFolder, name);
        }
    }
    const QString published = publishedFileName(page.pageName, page.publishExt, page.pageFileExtension);
    if (!page.pageCopyPath.isEmpty())
        items.add(page.pageCopyPath, QString(), published);
    return list;
}

QString UploadListBuilder::publishedFileName(const QString& pageName, const QString& publishExt,
                                             const QString& pageFileExtension)
{
    return pageName + u'.' + (publishExt.isEmpty() ? pageFileExtension : publishExt);
}
