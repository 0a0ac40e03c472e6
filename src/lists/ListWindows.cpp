#include "ListWindows.h"

#include "Form8.h"
#include "core/Launchers.h"
#include "platform/PrinterList.h"
#include "race/ClassAssignment.h"
#include "race/Ranking.h"

void InstallListWindows()
{
    // The PDF printer is always there, so the print window can always open
    // (without asking the print server, which may not answer).
    Launchers.PrinterInstalled = [] { return true; };
    // Asked now in the background, so that the print window knows the
    // default printer and the printer selection the printers when they open.
    refreshPrinterNames();
    Launchers.PrintWindow = [] { AssignClasses(); form<Form8>().Show(); };
    RankingClubFilter = printWindowClubFilter;
}
