#include "RaceCopy.h"

#include <cmath>
#include <memory>

#include "core/RaceFiles.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "platform/Beep.h"
#include "platform/NumberText.h"
#include "platform/Strings.h"
#include "platform/TextFile.h"

namespace {

constexpr double HighestCopyNumber = 30000;

// Without "Nummern + Zeiten mitkopieren" the copy starts the race afresh.
void clearRunData()
{
    for (int i = 1; i <= MaxSlots; ++i) {
        Race.SlotStartNo[i] = 0;
        Race.SlotPaid[i] = 0;
        Race.SlotPoints[i] = 0;
        Race.SlotTime1[i] = 0;
        Race.SlotReserve[i] = 0;
        Race.SlotStatus1[i] = 0;
        Race.SlotTime2[i] = 0;
        Race.SlotStatus2[i] = 0;
    }
}

} // namespace

std::int32_t RaceCopyNumber(const QString &typed)
{
    const double value = std::floor(num::numericValue(typed));
    return value >= 1 && value <= HighestCopyNumber ? std::int32_t(value) : 0;
}

bool RaceHoldsData(std::int32_t n)
{
    const auto keptRace = std::make_unique<RaceState>(Race);
    const auto keptRec = std::make_unique<RecordState>(Rec);
    bool held = false;
    if (n <= Rec.RaceCount) {
        Rec.RaceRecordNo = n;
        ReadRaceHeader();
        held = !trimBlanks(Rec.RaceName).isEmpty();
    }
    Race.ActiveRaceNo = n;
    LoadRaceFiles();
    for (int slot = 1; slot <= MaxSlots && !held; ++slot)
        held = SlotInUse(slot);
    Race = *keptRace;
    Rec = *keptRec;
    return held;
}

bool WriteRaceCopy(std::int32_t n, bool withRunData, const QString &shownName)
{
    const std::int32_t current = Race.ActiveRaceNo;

    // The tables are written under the new number from a changed copy, so
    // the current race in memory stays as it is.
    const auto kept = std::make_unique<RaceState>(Race);
    if (!withRunData)
        clearRunData();
    Race.ActiveRaceNo = n;
    // A copy is no combination race: a combination file left under the
    // number would print the copy as a combination with another race's
    // times. When it cannot go, nothing is written.
    bool written = deleteFile(RaceFileName(u'Z', QStringLiteral(".dat")));
    if (written)
        written = WriteRaceFiles();
    Race = *kept;

    if (written) {
        Rec.RaceRecordNo = n;
        const QString name = Rec.RaceName;
        Rec.RaceName = QStringLiteral("Kopie v. ") + shownName;
        WriteRaceHeader();
        Rec.RaceName = name;
    } else {
        beep();
    }

    Race.ActiveRaceNo = current;
    Rec.RaceRecordNo = current;
    if (current >= 1 && current <= Rec.RaceCount)
        ReadRaceHeader();
    return written;
}

