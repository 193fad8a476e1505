// Measuring the extent of a page's graphics in whole pixels, and shifting them sideways.
#include "document/DRVDocument.h"

#include "model/DRVGraphic.h"
#include "platform/Geometry.h"

#include <algorithm>

namespace {

// Slideshow and gallery images are measured and moved with their container.
bool counts(const DRVGraphic* graphic)
{
    if (graphic->inherits("DRVImage"))
        return graphic->slideShowNumber() == -99 && graphic->galleryNumber() == -99;
    return true;
}

// The width family also leaves out text boxes that span the whole screen.
bool countsForWidth(const DRVGraphic* graphic)
{
    return counts(graphic) && !(graphic->inherits("DRVText") && graphic->matchScreenFlag());
}

int right(const DRVGraphic* graphic)
{
    const QRectF bounds = graphic->bounds();
    return platform::truncToInt(bounds.x()) + platform::truncToInt(bounds.width());
}

int bottom(const DRVGraphic* graphic)
{
    const QRectF bounds = graphic->bounds();
    return platform::truncToInt(bounds.y()) + platform::truncToInt(bounds.height());
}

int left(const DRVGraphic* graphic)
{
    return platform::truncToInt(graphic->bounds().x());
}

template <class Measure, class Filter>
QList<int> collect(const QList<DRVGraphic*>& graphics, Filter filter, Measure measure)
{
    QList<int> values;
    for (const DRVGraphic* graphic : graphics) {
        if (filter(graphic))
            values.append(measure(graphic));
    }
    return values;
}

} // namespace

int DRVDocument::findMaxScreenWidth() const
{
    const QList<int> values = collect(m_graphics, countsForWidth, right);
    return values.isEmpty() ? 200 : *std::max_element(values.begin(), values.end());
}

int DRVDocument::findMaxScreenHeight() const
{
    const QList<int> values = collect(m_graphics, counts, bottom);
    return values.isEmpty() ? 50 : *std::max_element(values.begin(), values.end());
}

int DRVDocument::findMinScreenX() const
{
    return findMinScreenXForArray(m_graphics);
}

int DRVDocument::findMaxScreenWidthForArray(const QList<DRVGraphic*>& graphics) const
{
    const QList<int> values = collect(graphics, countsForWidth, right);
    const int largest = values.isEmpty() ? 0 : *std::max_element(values.begin(), values.end());
    return largest == 0 ? 1 : largest;
}

int DRVDocument::findMinScreenXForArray(const QList<DRVGraphic*>& graphics) const
{
    const QList<int> values = collect(graphics, counts, left);
    return values.isEmpty() ? 0 : *std::min_element(values.begin(), values.end());
}

void DRVDocument::trimAllObjects(int d, const QList<DRVGraphic*>& graphics)
{
    for (DRVGraphic* graphic : graphics) {
        if (!counts(graphic))
            continue;
        const QRectF bounds = graphic->bounds();
        graphic->setBounds(QRectF(platform::truncToInt(bounds.x() - d), platform::truncToInt(bounds.y()),
                                  platform::truncToInt(bounds.width()),
                                  platform::truncToInt(bounds.height())));
    }
}

void DRVDocument::trimAndCenter()
{
    trimAllObjects(findMinScreenX(), m_graphics);
}
