#pragma once
// The printed list "Nicht in der Wertung": every entry with a run status
// other than "ok" in run 1 or run 2, by start number, with the status of
// each run in bold. Prints nothing when there is no such entry.
void PrintNotClassifiedList();
