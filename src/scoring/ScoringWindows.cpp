#include "ScoringWindows.h"

#include "Form12.h"
#include "Form19.h"
#include "Form20.h"
#include "CupKopie.h"
#include "core/Launchers.h"
#include "core/RecordFiles.h"
#include "race/ClassAssignment.h"

void InstallScoringWindows()
{
    // [TeamResults]
    // The classes first: the members "nach Klassen" are ordered by the
    // start-order numbers, which loading a race leaves at 0.
    Launchers.TeamResults = [] {
        AssignClasses();
        form<Form12>().Show();
    };

    // [Cup]
    Launchers.Cup = [] {
        OpenAthleteAndClubFilesIfClosed();
        form<Form20>().Show();
    };

    // [CombinationRace]
    Launchers.CombinationRace = [] {
        OpenAthleteAndClubFilesIfClosed();
        form<Form19>().Show();
    };

    // [RaceCopy]
    // Opens over the race window, which stays visible.
    Launchers.RaceCopy = [] { form<CupKopie>().Show(); };
}
