#pragma once
#include "ListRows.h"

// The printed list "Nicht in der Wertung": every entry with a run status
// other than "ok" in run 1 or run 2, by start number, with the status of
// each run in bold. Prints nothing when there is no such entry.
// button, when given, switches the print window's button off while it runs.
void PrintNotClassifiedList();
void PrintNotClassifiedList(const PrintButtonSwitch &button);
