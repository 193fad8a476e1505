#include "model/GraphicRegistry.h"

#include "model/DRVCircle.h"
#include "model/DRVLine.h"
#include "model/DRVRectangle.h"
// ---- graphic classes of the other model files: one include each ----
// (text and image)
#include "model/DRVImage.h"
#include "model/DRVText.h"
// (table)
#include "model/DRVTable.h"
// (gallery grid and slideshow)
#include "model/DRVGalleryGrid.h"
#include "model/DRVSlideshow.h"

#include <iterator>

namespace {

struct Entry
{
    const char* className;
    DRVGraphic* (*make)(QObject* parent);
};

template <class T> DRVGraphic* make(QObject* parent)
{
    return new T(parent);
}

// DRVGraphic itself is left out on purpose: it has no outline of its own and is never built from
// a dictionary by the system.
const Entry kEntries[] = {
    {"DRVRectangle", &make<DRVRectangle>},
    {"DRVCircle", &make<DRVCircle>},
    {"DRVLine", &make<DRVLine>},
    // ---- one line per class of the other model files ----
    {"DRVText", &make<DRVText>},
    {"DRVImage", &make<DRVImage>},
    {"DRVTable", &make<DRVTable>},
    {"DRVGalleryGrid", &make<DRVGalleryGrid>},
    {"DRVSlideshow", &make<DRVSlideshow>},
};

const Entry* find(const QString& className)
{
    for (const Entry& entry : kEntries) {
        if (className == QLatin1String(entry.className))
            return &entry;
    }
    return nullptr;
}

} // namespace

DRVGraphic* GraphicRegistry::create(const QString& className, QObject* parent)
{
    const Entry* entry = find(className);
    return entry ? entry->make(parent) : nullptr;
}

bool GraphicRegistry::isRegistered(const QString& className)
{
    return find(className) != nullptr;
}

QStringList GraphicRegistry::classNames()
{
    QStringList names;
    for (const Entry& entry : kEntries)
        names << QString::fromLatin1(entry.className);
    return names;
}
