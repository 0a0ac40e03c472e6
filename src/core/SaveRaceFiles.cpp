#include "RaceFiles.h"

#include <QStringList>

#include "Form17.h"
#include "SharedState.h"
#include "platform/Beep.h"

void SaveRaceFiles()
{
    Form17 &reminder = form<Form17>();
    reminder.Hide();
    reminder.List1.Clear();
    Work.CheckOk = 1;
    const QStringList missing = MissingDataLines();
    if (!missing.isEmpty()) {
        reminder.List1.AddItems(missing);
        Work.CheckOk = 0;
    }
    if (Work.CheckOk == 0)
        reminder.Show();
    else
        reminder.Unload();

    // No race, no files: a race number below 1 names no race.
    if (Race.ActiveRaceNo < 1)
        return;
    if (!WriteRaceFiles())
        beep();
}

bool SaveRaceFilesWithoutReminder()
{
    if (Race.ActiveRaceNo < 1)
        return true;
    if (WriteRaceFiles())
        return true;
    beep();
    return false;
}
