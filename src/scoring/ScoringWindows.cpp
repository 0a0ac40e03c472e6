#include "ScoringWindows.h"

#include "core/Launchers.h"

void InstallScoringWindows()
{
    // [TeamResults]

    // [Cup]

    // [CombinationRace]

    // [RaceCopy]
}
