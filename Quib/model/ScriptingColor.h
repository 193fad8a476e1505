// The RGB colour value of the scripting interface: a descriptor of type 'cRGB' whose data is exactly
// six bytes, red, green and blue as unsigned 16-bit integers in host byte order (0 to 65535).
#pragma once
#include <QByteArray>
#include <QColor>

class ScriptingColor
{
public:
    static constexpr const char* kTypeRGBColor = "cRGB";

    QByteArray descriptorType; // four-character type code
    QByteArray data;

    // The colour of a 'cRGB' descriptor with six bytes of data, alpha 1.0; an invalid QColor (no colour)
    // for any other type or length.
    static QColor scriptingRGBColorWithDescriptor(const ScriptingColor& descriptor);
    // The 'cRGB' descriptor of a colour (alpha dropped); an empty descriptor for an invalid colour.
    static ScriptingColor scriptingRGBColorDescriptor(const QColor& color);
};
