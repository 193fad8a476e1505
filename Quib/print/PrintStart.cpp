#include "print/PrintStart.h"

#include "editions/PrintSheetGeometry.h"

#include <algorithm>

int gPrintStartRow = 0;
int gPrintStartColumn = 0;

namespace {

int clampedToSheet(int value, int count)
{
    return count > 0 ? std::clamp(value, 1, count) : std::max(value, 1);
}

} // namespace

int printStartingRow()
{
    return std::max(gPrintStartRow, 1);
}

int printStartingColumn()
{
    return std::max(gPrintStartColumn, 1);
}

void storePrintStart(int row, int column)
{
    const PrintSheetGeometry& sheet = printSheetGeometry();
    gPrintStartRow = clampedToSheet(row, sheet.gPrintNumOfRowsPerSheet);
    gPrintStartColumn = clampedToSheet(column, sheet.gPrintNumOfColumnsPerSheet);
}
