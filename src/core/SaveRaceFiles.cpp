#include "RaceFiles.h"

#include "SharedState.h"
#include "platform/Beep.h"

bool SaveRaceFilesWithoutReminder()
{
    if (Race.ActiveRaceNo < 1)
        return true;
    if (WriteRaceFiles())
        return true;
    beep();
    return false;
}
