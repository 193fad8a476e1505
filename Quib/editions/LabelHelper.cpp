#include "editions/LabelHelper.h"

int32_t LabelHelper::canvasPixels(float inches, float pixelFactor)
{
    // Stored pages and templates were sized with this truncation; rounding would move them by a pixel.
    const float pixels = inches * pixelFactor;
    return static_cast<int32_t>(pixels);
}
