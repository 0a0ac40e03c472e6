#pragma once
#include "ListRows.h"

// The printed start list of the second run, "Startliste 2.Durchgang": class
// by class (or group by group) the best fifteen of the first run in reverse
// order (the fifteenth first, the winner last), then those without a run-1
// result by name, then everybody else by run-1 time. Ranks the first run
// anew before it collects the rows.
// button, when given, switches the print window's button off while it runs.
void PrintSecondRunStartList();
void PrintSecondRunStartList(const PrintButtonSwitch &button);
