// The page generation operations of the page document.
#include "document/DRVDocument.h"

#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "generation/PageGenerator.h"
#include "model/DRVGalleryGrid.h"
#include "model/DRVGraphic.h"
#include "model/DRVSlideshow.h"
#include "model/DRVTable.h"
#include "model/TransformView.h"
#include "model/myTextView.h"
#include "platform/SafePath.h"
#include "platform/StringRules.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

QList<DRVGraphic*> graphicsOfClass(const QList<DRVGraphic*>& graphics, const char* className)
{
    QList<DRVGraphic*> found;
    for (DRVGraphic* graphic : graphics) {
        if (graphic->inherits(className))
            found.append(graphic);
    }
    return found;
}

} // namespace

QString DRVDocument::generateSourceCode(const QString& pageName, bool publishFlag, bool changedFlag)
{
    PageGenerator generator(*this);
    return generator.generate(pageName, publishFlag, changedFlag);
}

QString DRVDocument::verifyLink(const QString& link)
{
    QString cleaned = platform::trimWhitespaceAndNewlines(link);
    cleaned.replace(u' ', QStringLiteral("%20"));
    const qsizetype lineEnd = cleaned.indexOf(u'\n');
    if (lineEnd >= 0)
        cleaned = DataCentre::quibSubstringToIndex(cleaned, qint32(lineEnd));
    return cleaned;
}

// ---- kinds ----

QList<DRVGraphic*> DRVDocument::textAreas() const
{
    return graphicsOfClass(m_graphics, "DRVText");
}

QList<DRVGraphic*> DRVDocument::images() const
{
    return graphicsOfClass(m_graphics, "DRVImage");
}

QList<DRVGraphic*> DRVDocument::slideshows() const
{
    return graphicsOfClass(m_graphics, "DRVSlideshow");
}

QList<DRVGraphic*> DRVDocument::galleries() const
{
    return graphicsOfClass(m_graphics, "DRVGalleryGrid");
}

QList<DRVGraphic*> DRVDocument::tables() const
{
    return graphicsOfClass(m_graphics, "DRVTable");
}

QList<DRVGraphic*> DRVDocument::lines() const
{
    return graphicsOfClass(m_graphics, "DRVLine");
}

int DRVDocument::layerIndexForGraphic(const DRVGraphic* graphic) const
{
    if (graphic->manualLayerIndex() != 0)
        return graphic->manualLayerIndex();
    return int(m_graphics.size() - m_graphics.indexOf(const_cast<DRVGraphic*>(graphic)));
}

// ---- numbering and names ----

void DRVDocument::populateTableNumbers()
{
    // The table pass numbers tables from the last one, so the numbers here match its counter.
    const QList<DRVGraphic*> all = tables();
    const int count = int(all.size());
    for (int i = 0; i < count; ++i) {
        auto* table = qobject_cast<DRVTable*>(all.at(i));
        if (!table)
            continue;
        const int number = count - 1 - i;
        if (TransformView* background = table->tableBackgroundImage())
            background->setTableNumber(number);
        for (myTextView* cell : table->cellHelperArray())
            cell->setTableNumber(number);
    }
    if (!edition().gTableImagesFlag)
        return;
    for (int i = 0; i < count; ++i) {
        if (auto* table = qobject_cast<DRVTable*>(all.at(i))) {
            for (TransformView* image : table->imageArray())
                image->setTableNumber(count - 1 - i);
        }
    }
}

void DRVDocument::populateGalleryImageDimensions()
{
    const QList<DRVGraphic*> all = galleries();
    const int count = int(all.size());
    for (int i = 0; i < count; ++i) {
        auto* gallery = qobject_cast<DRVGalleryGrid*>(all.at(i));
        if (!gallery)
            continue;
        for (TransformView* image : gallery->imageArray()) {
            image->setGalleryNumber(count - 1 - i);
            image->setShadowFlag(gallery->shadowFlag());
            image->setBackdropLightingFlag(gallery->backdropLightingFlag());
        }
    }
}

void DRVDocument::resetTemplateName(const QString& templateName)
{
    for (DRVGraphic* graphic : textAreas())
        graphic->setTemplateName(templateName);
    for (DRVGraphic* graphic : images())
        graphic->setTemplateName(templateName);
    for (DRVGraphic* graphic : slideshows()) {
        graphic->setTemplateName(templateName);
        if (auto* slideshow = qobject_cast<DRVSlideshow*>(graphic)) {
            for (TransformView* image : slideshow->imageArray())
                image->setTemplateName(templateName);
        }
    }
    for (DRVGraphic* graphic : galleries()) {
        graphic->setTemplateName(templateName);
        if (auto* gallery = qobject_cast<DRVGalleryGrid*>(graphic)) {
            for (TransformView* image : gallery->imageArray())
                image->setTemplateName(templateName);
        }
    }
    for (DRVGraphic* graphic : tables())
        graphic->setTemplateName(templateName);
    for (DRVGraphic* graphic : lines())
        graphic->setTemplateName(templateName);
}

// ---- scripts ----

bool DRVDocument::needJqueryScripts() const
{
    return !slideshows().isEmpty();
}

bool DRVDocument::needImagePopupScript() const
{
    for (const DRVGraphic* image : images()) {
        if (image->imageEnlargeFlag() == 1)
            return true;
    }
    auto anyEnlarged = [](const QList<TransformView*>& pictures) {
        return std::any_of(pictures.begin(), pictures.end(),
                           [](const TransformView* picture) { return picture->imageEnlargeFlag() == 1; });
    };
    for (const DRVGraphic* graphic : slideshows()) {
        if (auto* slideshow = qobject_cast<const DRVSlideshow*>(graphic);
            slideshow && anyEnlarged(slideshow->imageArray()))
            return true;
    }
    for (const DRVGraphic* graphic : galleries()) {
        if (auto* gallery = qobject_cast<const DRVGalleryGrid*>(graphic);
            gallery && anyEnlarged(gallery->imageArray()))
            return true;
    }
    return false;
}

void DRVDocument::transferJquery() const
{
    if (m_tempSavePathLocal.isEmpty() || !QFileInfo(m_tempSavePathLocal).isDir())
        return;
    const QString source =
        platform::stringByAppendingPathComponent(DataCentre::resourcesPath(), QStringLiteral("web"));
    for (const char* name : {"jquery-2.2.2.min.js", "bootstrap.min.js", "bootstrap.min.css"}) {
        const QString file = QString::fromLatin1(name);
        // A link of that name in a shared folder is left alone, never copied through.
        const std::optional<QString> target = platform::SafePath::filePath(m_tempSavePathLocal, file);
        if (target && !QFileInfo::exists(*target))
            QFile::copy(platform::stringByAppendingPathComponent(source, file), *target);
    }
}
