// Where printing on a partly used label sheet starts: the 1-based row and column of the first free
// label. Set from the canvas's print settings window, read when the printed sheets are composed;
// kept for the life of the process only. Main thread only.
#pragma once

// As stored; 0 at launch. Values below 1 mean 1.
extern int gPrintStartRow;
extern int gPrintStartColumn;

// The values as sheet composition uses them: at least 1.
int printStartingRow();
int printStartingColumn();

// Stores a typed start, held to the sheet in force: 1 to its rows and 1 to its columns (only the
// lower bound while no sheet has been applied). A row past the sheet would place no label at all.
void storePrintStart(int row, int column);
