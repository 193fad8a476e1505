// Where the label images of a print job go: which sheet, which cell, which image. Pure, so the
// composing worker and the spot chooser's preview share it and tests can read it as a table.
// Lengths are in sheet units, 144 to the inch.
#pragma once
#include "editions/PrintSheetGeometry.h"

#include <QList>
#include <QRectF>
#include <QSizeF>

inline constexpr double kSheetUnitsPerInch = 144.0;

struct SheetCell
{
    int row = 0; // 0-based
    int column = 0;

    bool operator==(const SheetCell&) const = default;
};

struct SheetPlacement
{
    int sheet = 0;
    int row = 0;
    int column = 0;
    int image = 0; // index into the job's images

    bool operator==(const SheetPlacement&) const = default;
};

enum class SheetFill {
    SameLabel,       // image 0 in every cell of one sheet, from the start position on
    DifferentLabels, // images in order, the first sheet from the start position, later sheets whole
    Spots,           // image 0 in each listed cell that exists on the sheet; always one sheet
};

struct SheetRequest
{
    SheetFill fill = SheetFill::SameLabel;
    int imageCount = 0; // DifferentLabels only
    int startRow = 1;   // 1-based as the print settings store them; below 1 means 1
    int startColumn = 1;
    QList<SheetCell> spots; // Spots only
};

struct SheetPlan
{
    bool refused = false; // the geometry has no cells
    int sheets = 0;
    QList<SheetPlacement> placements; // in sheet, row, column order
};

SheetPlan planSheets(const PrintSheetGeometry& geometry, const SheetRequest& request);

// The label block without margins, and one cell of it (origin top left).
QSizeF sheetSurfaceSize(const PrintSheetGeometry& geometry);
QRectF sheetCellRect(const PrintSheetGeometry& geometry, int row, int column);
