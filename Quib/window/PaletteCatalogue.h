// The objects palette's catalogue: every object an edition may offer, in order, read once from
// resources/palette.tsv. An entry is listed where its categories hold the edition's palette
// category; entries without categories are never listed.
#pragma once
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

struct PaletteEntry
{
    enum class DrawnIcon { None, Shape, Bubble };
    QString title; // English; the strings table gives the shown title
    QString dropKey;
    QString imageName;
    DrawnIcon drawn = DrawnIcon::None;
    std::optional<QStringList> categories; // nothing: never listed
    QString description;

    bool isFormField() const { return imageName == QLatin1String("form_checkbox"); }
};

class PaletteCatalogue
{
public:
    PaletteCatalogue() = delete;

    // Empty when the file is missing or unreadable; malformed lines are skipped.
    static const QList<PaletteEntry>& entries();
    // Parses the catalogue text (one entry a line, tab-separated, "#" lines are comments).
    static QList<PaletteEntry> parse(const QString& text);
    // Form fields are left out of pages published as plain "html" (they need the server side).
    static bool isListed(const PaletteEntry& entry, const QString& category, const QString& pageExtension);
};
