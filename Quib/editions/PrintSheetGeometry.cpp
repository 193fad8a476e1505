#include "editions/PrintSheetGeometry.h"
#include "editions/DataCentre.h"
#include "editions/EditionSettings.h"
#include "editions/LabelHelper.h"

#include <utility>

namespace {

PrintSheetGeometry& geometryStore()
{
    static PrintSheetGeometry geometry;
    return geometry;
}

// Wider canvases are shown smaller so that a whole label fits the window. The bands are deliberately
// uneven; saved zoom levels assume exactly these thresholds.
float displayScaleForWidth(int32_t width)
{
    if (width >= 2001)
        return 0.3f;
    if (width >= 1501)
        return 0.4f;
    if (width >= 1201)
        return 0.5f;
    if (width >= 1101)
        return 0.6f;
    if (width >= 901)
        return 0.7f;
    if (width >= 801)
        return 0.8f;
    if (width >= 701)
        return 0.9f;
    return 1.0f;
}

// Extent of n labels of the given size with n - 1 gaps, each product formed in single precision first
// so that sheet composition lands on the same cell edges as before.
float blockExtent(int32_t count, float labelInch, float gapInch, float pixelFactor)
{
    const float gapUnits = gapInch * pixelFactor;
    const float labelUnits = labelInch * pixelFactor;
    const float n = static_cast<float>(count);
    return (n - 1.0f) * gapUnits + n * labelUnits;
}

} // namespace

PrintCanvasResult computePrintCanvas(const LabelHelper& row, int rotation, float pixelFactor)
{
    PrintCanvasResult result;
    PrintSheetGeometry& g = result.geometry;
    g.gPrintNumOfRowsPerSheet = row.printNumOfRowsPerSheet;
    g.gPrintNumOfColumnsPerSheet = row.printNumOfColumnsPerSheet;
    g.gPrintSingleLabelWidthInch = row.printSingleLabelWidthInch;
    g.gPrintSingleLabelHeightInch = row.printSingleLabelHeightInch;
    g.gPrintLabelColumnSpacingInch = row.printLabelColumnSpacingInch;
    g.gPrintLabelRowSpacingInch = row.printLabelRowSpacingInch;
    g.gPrintSheetTopMarginInch = row.printSheetTopMarginInch;
    g.gPrintSheetBottomMarginInch = row.printSheetBottomMarginInch;
    g.gPrintSheetLeftMarginInch = row.printSheetLeftMarginInch;
    g.gPrintSheetRightMarginInch = row.printSheetRightMarginInch;

    result.canvasWidth = row.canvasWidth;
    result.canvasHeight = row.canvasHeight;
    if (rotation == 90)
        std::swap(result.canvasWidth, result.canvasHeight);
    result.renderImageWidth = result.canvasWidth;
    result.renderImageHeight = result.canvasHeight;
    result.screenshotWidth = row.canvasWidth;
    result.canvasDisplayScale = displayScaleForWidth(result.canvasWidth);

    // The block is measured on the sheet, which does not turn with the canvas.
    g.gPrintLabelBlockWidth = blockExtent(g.gPrintNumOfColumnsPerSheet, g.gPrintSingleLabelWidthInch,
                                          g.gPrintLabelColumnSpacingInch, pixelFactor);
    g.gPrintLabelBlockHeight = blockExtent(g.gPrintNumOfRowsPerSheet, g.gPrintSingleLabelHeightInch,
                                           g.gPrintLabelRowSpacingInch, pixelFactor);
    return result;
}

const PrintSheetGeometry& printSheetGeometry()
{
    return geometryStore();
}

void DataCentre::resetPrintCanvas(const LabelHelper* row)
{
    // A failed look-up is passed straight on: keep the previous sheet in force.
    if (!row)
        return;
    // A row without a canvas would leave a zero canvas behind, and hit testing divides by the canvas
    // size and scale; keep the previous sheet instead.
    if (row->canvasWidth <= 0 || row->canvasHeight <= 0)
        return;

    EditionSettings& settings = edition();
    const PrintCanvasResult result =
        computePrintCanvas(*row, settings.gCanvasRotation, settings.gPrintPixelFactor);
    geometryStore() = result.geometry;
    settings.set(settings.gCanvasWidth, result.canvasWidth);
    settings.set(settings.gCanvasHeight, result.canvasHeight);
    settings.set(settings.gRenderImageWidth, result.renderImageWidth);
    settings.set(settings.gRenderImageHeight, result.renderImageHeight);
    settings.set(settings.gScreenshotWidth, result.screenshotWidth);
    settings.set(settings.gCanvasDisplayScale, result.canvasDisplayScale);
}
