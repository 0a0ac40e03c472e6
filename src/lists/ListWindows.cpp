#include "ListWindows.h"

#include "Form8.h"
#include "core/Launchers.h"
#include "platform/Printer.h"
#include "race/ClassAssignment.h"
#include "race/Ranking.h"

void InstallListWindows()
{
    // The PDF printer is always there, so the print window can always open.
    Launchers.PrinterInstalled = [] { return !printerNames().isEmpty(); };
    Launchers.PrintWindow = [] { AssignClasses(); form<Form8>().Show(); };
    RankingClubFilter = printWindowClubFilter;
}
