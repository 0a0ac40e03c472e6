#include "SharedState.h"

#include <vector>

RecordChannels Channels;
RecordState Rec;
RaceState Race;
AppState App;
WorkState Work;

namespace {

std::vector<StateReset> &resets()
{
    static std::vector<StateReset> list;
    return list;
}

} // namespace

bool registerStateReset(StateReset reset)
{
    resets().push_back(reset);
    return true;
}

void resetAllSharedState()
{
    Channels.ClubFile.close();
    Channels.AthleteFile.close();
    Channels.RaceFile.close();
    Rec = RecordState{};
    Race = RaceState{};
    App = AppState{};
    Work = WorkState{};
    for (StateReset r : resets())
        r();
}
