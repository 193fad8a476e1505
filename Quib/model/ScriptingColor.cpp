#include "model/ScriptingColor.h"

#include <cstring>

namespace {
constexpr qsizetype kDataSize = 3 * sizeof(quint16);
}

QColor ScriptingColor::scriptingRGBColorWithDescriptor(const ScriptingColor& descriptor)
{
    if (descriptor.descriptorType != kTypeRGBColor || descriptor.data.size() != kDataSize)
        return {};
    quint16 channels[3];
    std::memcpy(channels, descriptor.data.constData(), kDataSize);
    // The 16-bit values are QColor's own precision, so they are kept exactly.
    return QColor::fromRgba64(channels[0], channels[1], channels[2], 65535);
}

ScriptingColor ScriptingColor::scriptingRGBColorDescriptor(const QColor& color)
{
    if (!color.isValid())
        return {};
    const QRgba64 rgb = color.toRgb().rgba64();
    const quint16 channels[3] = {rgb.red(), rgb.green(), rgb.blue()};
    ScriptingColor descriptor;
    descriptor.descriptorType = kTypeRGBColor;
    descriptor.data = QByteArray(reinterpret_cast<const char*>(channels), kDataSize);
    return descriptor;
}
