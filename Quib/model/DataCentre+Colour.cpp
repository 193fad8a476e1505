// Colours as six-digit hex strings, matched against the edition's palette.
#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"

namespace {

// Reads one two-character channel like a hex scanner: leading blanks are skipped and reading stops
// at the first character that is not a hex digit ("0G" is 0, "G0" is 0).
int scanHexPair(QStringView pair)
{
    qsizetype i = 0;
    while (i < pair.size() && pair.at(i).isSpace())
        ++i;
    int value = 0;
    for (; i < pair.size(); ++i) {
        const char16_t c = pair.at(i).unicode();
        int digit;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        else if (c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else
            break;
        value = value * 16 + digit;
    }
    return value;
}

QString hexOf(float red, float green, float blue, float scale)
{
    // Truncation toward zero, as the page files were always written.
    return QString::asprintf("%02X%02X%02X", int(red * scale), int(green * scale), int(blue * scale));
}

} // namespace

QString DataCentre::asHexString(const QColor& color)
{
    if (!color.isValid())
        return {};
    // QColor keeps no colour space of its own, so the converted and the own components are the same
    // numbers; what differs is the scale. The near-256 scale reads a stored v/255 back as v even after
    // rounding, and is the form palette entries are matched in. (QColor stores 16 bits a channel, so
    // 0.5 is kept as 0x8000: "80" on the near-256 scale, "7F" on the 255 one.) Components outside
    // 0...1 are clamped by the conversion, so the result is always six digits.
    const QColor rgb = color.toRgb();
    const QString calibrated = hexOf(rgb.redF(), rgb.greenF(), rgb.blueF(), 255.99999f);
    if (edition().gColorPalette.contains(calibrated))
        return calibrated;
    return hexOf(rgb.redF(), rgb.greenF(), rgb.blueF(), 255.0f);
}

QColor DataCentre::colorWithHexString(const QString& string)
{
    QString hex = string.trimmed().toUpper();
    if (hex.size() <= 5)
        return QColor(Qt::black);
    if (hex.startsWith(QLatin1String("0X")))
        hex.remove(0, 2);
    if (hex.size() != 6)
        return QColor(Qt::black);
    const QStringView view(hex);
    const float red = float(scanHexPair(view.mid(0, 2))) / 255.0f;
    const float green = float(scanHexPair(view.mid(2, 2))) / 255.0f;
    const float blue = float(scanHexPair(view.mid(4, 2))) / 255.0f;
    return QColor::fromRgbF(red, green, blue, 1.0f);
}
