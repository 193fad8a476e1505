#include "editions/CustomFont.h"
#include "editions/DataCentre.h"

void DataCentre::prepCustomFont()
{
    QList<CustomFont> fresh;
    for (const auto& [display, query] : CustomFont::webFontCatalogue())
        fresh.append(CustomFont{display, query, false, false});
    gCustomFontList() = fresh;
}
