#include "window/PaletteCatalogue.h"

#include "editions/DataCentre.h"

namespace {

// Far more than the catalogue holds; a damaged file cannot make the palette unbounded.
constexpr int kMaximumEntries = 2000;
constexpr int kMaximumFieldLength = 1000;

} // namespace

QList<PaletteEntry> PaletteCatalogue::parse(const QString& text)
{
    QList<PaletteEntry> entries;
    for (const QString& line : text.split(u'\n')) {
        if (entries.size() >= kMaximumEntries)
            break;
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList fields = line.split(u'\t');
        if (fields.size() != 6)
            continue;
        bool tooLong = false;
        for (const QString& field : fields)
            tooLong = tooLong || field.size() > kMaximumFieldLength;
        if (tooLong || !fields.at(1).startsWith(QLatin1String("quib_")))
            continue;
        PaletteEntry entry;
        entry.title = fields.at(0);
        entry.dropKey = fields.at(1);
        entry.imageName = fields.at(2);
        if (fields.at(3) == QLatin1String("shape"))
            entry.drawn = PaletteEntry::DrawnIcon::Shape;
        else if (fields.at(3) == QLatin1String("bubble"))
            entry.drawn = PaletteEntry::DrawnIcon::Bubble;
        if (fields.at(4) != QLatin1String("none"))
            entry.categories = fields.at(4).split(u',', Qt::SkipEmptyParts);
        entry.description = fields.at(5);
        entries.append(entry);
    }
    return entries;
}

const QList<PaletteEntry>& PaletteCatalogue::entries()
{
    static const QList<PaletteEntry> catalogue =
        parse(DataCentre::readBundleFile(QStringLiteral("palette"), QStringLiteral("tsv")));
    return catalogue;
}

bool PaletteCatalogue::isListed(const PaletteEntry& entry, const QString& category,
                                const QString& pageExtension)
{
    if (!entry.categories || category.isEmpty())
        return false;
    if (entry.isFormField() && pageExtension == QLatin1String("html"))
        return false;
    return entry.categories->contains(category) || entry.categories->contains(QLatin1String("All"));
}
