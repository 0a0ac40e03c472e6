#include "ScoringWindows.h"

#include "Form20.h"
#include "core/Launchers.h"
#include "core/RecordFiles.h"

void InstallScoringWindows()
{
    // [TeamResults]

    // [Cup]
    Launchers.Cup = [] {
        OpenAthleteAndClubFilesIfClosed();
        form<Form20>().Show();
    };

    // [CombinationRace]

    // [RaceCopy]
}
