// Where printing on a partly used label sheet starts: the 1-based row and column of the first free
// label. Set from the canvas's print settings window, read when the printed sheets are composed;
// kept for the life of the process only. Main thread only.
#pragma once

// As typed; 0 at launch. Values below 1 mean 1.
extern int gPrintStartingRow;
extern int gPrintStartingColumn;

// The values as sheet composition uses them: at least 1.
int printStartingRow();
int printStartingColumn();
