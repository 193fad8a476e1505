// One sheet layout of the label-sheet catalogue: how labels, cards, flyer pages or envelopes sit on a
// printed sheet, and the canvas on which one of them is designed.
#pragma once
#include <QString>

#include <cstdint>

class LabelHelper
{
public:
    int32_t printNumOfRowsPerSheet = 0;
    int32_t printNumOfColumnsPerSheet = 0;
    float printSingleLabelWidthInch = 0.0f;
    float printSingleLabelHeightInch = 0.0f;
    float printLabelColumnSpacingInch = 0.0f; // between neighbouring columns
    float printLabelRowSpacingInch = 0.0f;    // between neighbouring rows
    float printSheetTopMarginInch = 0.0f;
    float printSheetBottomMarginInch = 0.0f;
    float printSheetLeftMarginInch = 0.0f;
    float printSheetRightMarginInch = 0.0f;
    QString printObjectType;  // "Post Card", "Business Card", "Label", "Cards", "Flyer", "Envelope"
    QString printDescription; // unique; the key stored by editions, templates and pages
    int32_t canvasHeight = 0; // design canvas of one label, not rotated
    int32_t canvasWidth = 0;
    QString paperSize;              // paper name for the printing system
    float canvasPixelFactor = 0.0f; // canvas pixels per inch

    // Canvas pixels for a length in inches: multiplied in single precision and truncated toward zero,
    // so 3.34646" at 300 gives 1003 and 0.6666" at 300 gives 199.
    static int32_t canvasPixels(float inches, float pixelFactor);

    bool operator==(const LabelHelper&) const = default;
};
