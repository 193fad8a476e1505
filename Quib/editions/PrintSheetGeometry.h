// The process-wide print values: the sheet layout last applied by DataCentre::resetPrintCanvas, read
// by sheet composition and printing. Label images designed at the row's canvasPixelFactor are drawn
// into cells measured at gPrintPixelFactor units per inch.
#pragma once
#include <cstdint>

class LabelHelper;

struct PrintSheetGeometry
{
    int32_t gPrintNumOfRowsPerSheet = 0;
    int32_t gPrintNumOfColumnsPerSheet = 0;
    float gPrintSingleLabelWidthInch = 0.0f;
    float gPrintSingleLabelHeightInch = 0.0f;
    float gPrintLabelColumnSpacingInch = 0.0f;
    float gPrintLabelRowSpacingInch = 0.0f;
    float gPrintSheetTopMarginInch = 0.0f;
    float gPrintSheetBottomMarginInch = 0.0f;
    float gPrintSheetLeftMarginInch = 0.0f;
    float gPrintSheetRightMarginInch = 0.0f;
    // The block of labels and the gaps between them, margins excluded, in gPrintPixelFactor units.
    float gPrintLabelBlockWidth = 0.0f;
    float gPrintLabelBlockHeight = 0.0f;

    bool operator==(const PrintSheetGeometry&) const = default;
};

// What applying one row yields: the print values and the edition's canvas values.
struct PrintCanvasResult
{
    PrintSheetGeometry geometry;
    int32_t canvasWidth = 0; // swapped with the height at a rotation of exactly 90
    int32_t canvasHeight = 0;
    int32_t renderImageWidth = 0;
    int32_t renderImageHeight = 0;
    int32_t screenshotWidth = 0; // the row's own width, never swapped
    float canvasDisplayScale = 0.0f;

    bool operator==(const PrintCanvasResult&) const = default;
};

// Pure geometry of one row at a canvas rotation (degrees) and print density (units per inch).
PrintCanvasResult computePrintCanvas(const LabelHelper& row, int rotation, float pixelFactor);

// Last values applied; zero before the first sheet. Written only by DataCentre::resetPrintCanvas on the
// main thread. Background work should copy the struct before it starts rather than read it live.
const PrintSheetGeometry& printSheetGeometry();
