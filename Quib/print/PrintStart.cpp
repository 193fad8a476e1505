#include "print/PrintStart.h"

#include <algorithm>

int gPrintStartingRow = 0;
int gPrintStartingColumn = 0;

int printStartingRow()
{
    return std::max(gPrintStartingRow, 1);
}

int printStartingColumn()
{
    return std::max(gPrintStartingColumn, 1);
}
