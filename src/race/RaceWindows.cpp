#include "RaceWindows.h"

#include "core/Launchers.h"

void InstallRaceWindows()
{
    // Each launcher: what runs first, then its window (the race window has
    // already hidden itself).
}
