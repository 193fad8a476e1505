#include "editions/CustomFont.h"

const QList<QPair<QString, QString>>& CustomFont::webFontCatalogue()
{
    // Query names are fixed, not derived: a few carry a weight, "Lobster Two" keeps its blank and
    // "Passion" asks for "Passion One".
    static const QList<QPair<QString, QString>> catalogue = {
        {"Actor", "Actor"},
        {"Alef", "Alef"},
        {"Amatic SC", "Amatic+SC"},
        {"Anton", "Anton"},
        {"Arimo", "Arimo"},
        {"Arvo", "Arvo"},
        {"Bangers", "Bangers"},
        {"Berkshire Swash", "Berkshire+Swash"},
        {"Bitter", "Bitter"},
        {"Cabin", "Cabin"},
        {"Candal", "Candal"},
        {"Codystar", "Codystar"},
        {"Dancing Script", "Dancing+Script"},
        {"Ewert", "Ewert"},
        {"Goudy Bookletter 1911", "Goudy+Bookletter+1911"},
        {"Great Vibes", "Great+Vibes"},
        {"Indie Flower", "Indie+Flower"},
        {"Josefin Sans", "Josefin+Sans"},
        {"Josefin Slab", "Josefin+Slab"},
        {"Lato", "Lato:300"},
        {"Lobster Two", "Lobster Two"},
        {"Lora", "Lora"},
        {"Mate SC", "Mate+SC"},
        {"Monoton", "Monoton"},
        {"Montserrat", "Montserrat"},
        {"Noto Sans", "Noto+Sans"},
        {"Old Standard TT", "Old+Standard+TT"},
        {"Orbitron", "Orbitron"},
        {"Oswald", "Oswald"},
        {"Oxygen", "Oxygen"},
        {"Pacifico", "Pacifico"},
        {"Passion", "Passion+One"},
        {"Paytone One", "Paytone+One"},
        {"Poiret One", "Poiret+One"},
        {"PT Mono", "PT+Mono"},
        {"PT Sans", "PT+Sans"},
        {"Quicksand", "Quicksand"},
        {"Qwigley", "Qwigley"},
        {"Raleway", "Raleway:100"},
        {"Roboto", "Roboto:300"},
        {"Sail", "Sail"},
        {"Shadows Into Light", "Shadows+Into+Light"},
        {"Source Sans Pro", "Source+Sans+Pro:300"},
        {"Titan One", "Titan+One"},
        {"Titillium Web", "Titillium+Web"},
        {"Tulpen One", "Tulpen+One"},
        {"Ubuntu Mono", "Ubuntu+Mono"},
        {"Vast Shadow", "Vast+Shadow"},
        {"Vollkorn", "Vollkorn"},
    };
    return catalogue;
}

QList<CustomFont>& gCustomFontList()
{
    static QList<CustomFont> list;
    return list;
}

void CustomFont::markUsed(const QString& family)
{
    for (CustomFont& font : gCustomFontList()) {
        if (font.fontName == family)
            font.isUsed = true;
    }
}
