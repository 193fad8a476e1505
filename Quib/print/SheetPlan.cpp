#include "print/SheetPlan.h"

#include <algorithm>

namespace {

constexpr float kUnits = float(kSheetUnitsPerInch);

} // namespace

QSizeF sheetSurfaceSize(const PrintSheetGeometry& g)
{
    const int columns = std::max(g.gPrintNumOfColumnsPerSheet, 0);
    const int rows = std::max(g.gPrintNumOfRowsPerSheet, 0);
    const float w = g.gPrintSingleLabelWidthInch * kUnits;
    const float h = g.gPrintSingleLabelHeightInch * kUnits;
    const float gx = g.gPrintLabelColumnSpacingInch * kUnits;
    const float gy = g.gPrintLabelRowSpacingInch * kUnits;
    const float width = columns > 0 ? float(columns - 1) * gx + float(columns) * w : 0.0f;
    const float height = rows > 0 ? float(rows - 1) * gy + float(rows) * h : 0.0f;
    return {double(width), double(height)};
}

QRectF sheetCellRect(const PrintSheetGeometry& g, int row, int column)
{
    const float w = g.gPrintSingleLabelWidthInch * kUnits;
    const float h = g.gPrintSingleLabelHeightInch * kUnits;
    const float gx = g.gPrintLabelColumnSpacingInch * kUnits;
    const float gy = g.gPrintLabelRowSpacingInch * kUnits;
    return {double(float(column) * gx + float(column) * w), double(float(row) * gy + float(row) * h),
            double(w), double(h)};
}

SheetPlan planSheets(const PrintSheetGeometry& g, const SheetRequest& request)
{
    SheetPlan plan;
    const int rows = g.gPrintNumOfRowsPerSheet;
    const int columns = g.gPrintNumOfColumnsPerSheet;
    if (rows <= 0 || columns <= 0) {
        plan.refused = true;
        return plan;
    }
    const qint64 cells = qint64(rows) * columns;

    if (request.fill == SheetFill::Spots) {
        plan.sheets = 1;
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c)
                if (request.spots.contains(SheetCell{r, c}))
                    plan.placements.append({0, r, c, 0});
        return plan;
    }

    // Cells before the start position stay free on the first sheet only.
    const int startRow = std::clamp(request.startRow, 1, rows) - 1;
    const int startColumn = std::clamp(request.startColumn, 1, columns) - 1;
    const qint64 offset = qint64(startRow) * columns + startColumn;

    if (request.fill == SheetFill::SameLabel) {
        plan.sheets = 1;
        for (qint64 cell = offset; cell < cells; ++cell)
            plan.placements.append({0, int(cell / columns), int(cell % columns), 0});
        return plan;
    }

    const qint64 images = std::max(request.imageCount, 0);
    if (images == 0)
        return plan;
    plan.sheets = int((images + offset + cells - 1) / cells);
    plan.placements.reserve(int(images));
    for (qint64 image = 0; image < images; ++image) {
        const qint64 slot = image + offset;
        const qint64 cell = slot % cells;
        plan.placements.append({int(slot / cells), int(cell / columns), int(cell % columns), int(image)});
    }
    return plan;
}
