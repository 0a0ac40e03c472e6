#include "CombinationRace.h"
#include "SavedCriteria.h"

#include <algorithm>
#include <unordered_map>

#include "core/RaceFiles.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "lists/CombinationFile.h"
#include "lists/CupTable.h"
#include "platform/Clock.h"
#include "platform/DateText.h"
#include "platform/NumberText.h"
#include "race/ClassAssignment.h"
#include "race/Ranking.h"

namespace {

void openRace(std::int32_t race)
{
    Race.ActiveRaceNo = race;
    Rec.RaceRecordNo = race;
    ReadRaceHeader();
    LoadRaceFiles();
}

// Ranks the loaded race by its first run alone. Its own header is the one in
// memory, so its own handicaps apply; the criteria are the saved ones.
void rankFirstRun(const SavedCriteria &criteria)
{
    for (int slot = 1; slot <= MaxSlots; ++slot) {
        Race.SlotTime2[slot] = 0;
        Race.SlotStatus2[slot] = 0;
    }
    criteria.restore();
    AssignClasses();
    ComputeProvisionalResult();
}

// The participants' times of the ranked race go into column r.
void takeTimes(int r)
{
    // The last (highest) slot of an athlete entered more than once counts.
    std::unordered_map<int, int> lastSlot;
    for (int slot = 1; slot <= MaxSlots; ++slot)
        if (Race.SlotAthleteId[slot] != 0)
            lastSlot[Race.SlotAthleteId[slot]] = slot;

    for (int i = 1; i <= CupRows && CupTable.CupAthleteNo[i] != 0; ++i) {
        const auto found = lastSlot.find(CupTable.CupAthleteNo[i]);
        if (found == lastSlot.end()) {
            CupTable.CupStatus[i][0] = 3;
            continue;
        }
        const int k = found->second;
        CupTable.CombiTimes[i][0] += Ranking.SlotAdjTime1[k];
        CupTable.CombiTimes[i][r] = Ranking.SlotAdjTime1[k];
        if (Race.SlotStatus1[k] > 0 || Race.SlotTime1[k] == 0)
            CupTable.CupStatus[i][0] = 3;
    }
}

} // namespace

namespace {

void sortedUnique(std::vector<std::int32_t> &races)
{
    std::sort(races.begin(), races.end());
    races.erase(std::unique(races.begin(), races.end()), races.end());
}

bool combinable(const std::vector<std::int32_t> &races, std::int32_t newRaceNo)
{
    return races.size() >= 2 && races.size() <= std::size_t(MaxCombinedRaces) && newRaceNo >= 1
        && races.front() >= 1;
}

} // namespace

bool RacesCombinable(std::vector<std::int32_t> races, std::int32_t newRaceNo)
{
    sortedUnique(races);
    return combinable(races, newRaceNo);
}

bool CombineRaces(std::vector<std::int32_t> races, std::int32_t newRaceNo)
{
    const RecordFile::ReadScope athletes(Channels.AthleteFile);
    sortedUnique(races);
    if (!combinable(races, newRaceNo))
        return false;

    CupTable.clear();

    // The topmost race: its entries, tables and criteria make the new race.
    const std::int32_t top = races.back();
    openRace(top);
    // Every combined race is ranked by the criteria of the topmost.
    SavedCriteria criteria;
    criteria.take();
    for (int i = 1; i <= MaxSlots; ++i)
        if (Race.SlotAthleteId[i] != 0)
            CupTable.CupAthleteNo[i] = num::toInt16(Race.SlotAthleteId[i]);

    // Lowest race number first; the topmost race comes last, so its tables
    // are the ones in memory afterwards.
    CupTable.CupRaceCount = 0;
    for (const std::int32_t race : races) {
        openRace(race);
        rankFirstRun(criteria);
        const int r = ++CupTable.CupRaceCount;
        takeTimes(r);
        CupTable.CombiRaceNames[r] = Rec.RaceShortName;
    }

    for (int i = 1; i <= MaxSlots; ++i) {
        Race.SlotStatus1[i] = CupTable.CupStatus[i][0];
        Race.SlotTime1[i] = CupTable.CombiTimes[i][0];
        Race.SlotReserve[i] = 0;
        Race.SlotTime2[i] = 0;
        Race.SlotStatus2[i] = 0;
    }

    // The header of the topmost race is in memory; the new race keeps what
    // is not set here.
    Rec.RaceName = QStringLiteral("Kombilauf");
    Rec.RaceShortName = QStringLiteral("Kombilauf");
    Rec.RaceExtraText = num::plainNumberText(newRaceNo);
    Rec.RacePlace.clear();
    Rec.RaceDate = dates::oleFromDate(sysclock::today());
    Rec.Organiser.clear();
    Rec.GuestTimeHandicap = 0;
    Rec.MenTimeHandicap = 0;
    Rec.TwoRuns = 0;
    criteria.restore();

    Rec.RaceRecordNo = newRaceNo;
    Race.ActiveRaceNo = newRaceNo;
    WriteRaceHeader();
    SaveRaceFilesWithoutReminder();
    return WriteCombinationFile();
}
