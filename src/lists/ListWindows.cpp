#include "ListWindows.h"

#include "core/Launchers.h"
#include "platform/Printer.h"

void InstallListWindows()
{
    // The PDF printer is always there, so the print window can always open.
    Launchers.PrinterInstalled = [] { return !printerNames().isEmpty(); };
}
