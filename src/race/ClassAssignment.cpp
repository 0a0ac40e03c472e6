#include "ClassAssignment.h"

#include <QDate>

#include "ClassStartOrder.h"
#include "core/RecordFiles.h"
#include "platform/Clock.h"
#include "platform/DateText.h"
#include "platform/NumberText.h"
#include "platform/Strings.h"

ClassCountState Classes;

namespace {

const bool registered = registerStateReset([] { Classes = ClassCountState{}; });

constexpr int FirstClassYear = 1900;

bool named(int k)
{
    return !Race.ClassNames[k].isEmpty();
}

// A criterion part of the cell code: only a stored 1 counts, so that an odd
// value from a file can never push the code out of its class.
int part(std::uint8_t criterion, int value)
{
    return criterion == 1 && value == 1 ? 1 : 0;
}

} // namespace

int ClassCellCode(int k, int sex, int guest, int boarder)
{
    return (k - 1) * 8 + sex + 2 * guest + 4 * boarder;
}

void AssignClasses()
{
    NumberUnsetClassCells();
    AssignClassesKeepingStartOrder();
}

void AssignClassesKeepingStartOrder()
{
    const RecordFile::ReadScope athletes(Channels.AthleteFile);
    OpenAthleteFile();
    for (int k = 1; k <= ClassCount; ++k) {
        Classes.ClassEntryCount[k] = 0;
        Classes.ClassOkCount[k] = 0;
    }
    for (int i = 1; i <= MaxSlots; ++i) {
        const int id = Race.SlotAthleteId[i];
        // A number outside the file would read nothing and leave the previous
        // athlete's birth date and sex behind.
        if (id < 1 || id > Rec.AthleteCount)
            continue;
        Rec.CurrentAthleteId = id;
        ReadAthleteRecord();
        const QDate birth = dates::dateFromOle(Rec.AthleteBirthDate);
        if (!birth.isValid())
            continue;
        const int y = birth.year();
        // A sex that is not set (2) has no cell of its own: such an entry
        // shares the cell of the race without the split by sex.
        const int s = part(Rec.EvalBySex, Rec.AthleteSex);
        const int g = part(Rec.EvalGuestsApart, Race.SlotGuest[i]);
        const int b = part(Rec.EvalBoarders, Race.SlotBoarder[i]);
        const bool ok = Race.SlotStatus1[i] == 0 && Race.SlotStatus2[i] == 0;
        // Overlapping ranges: the entry counts in each, the highest one wins.
        for (int k = 1; k <= ClassCount; ++k) {
            if (!named(k) || y < Race.ClassYears[k][0] || y > Race.ClassYears[k][1])
                continue;
            Race.SlotClass[i] = k;
            ++Classes.ClassEntryCount[k];
            if (ok)
                ++Classes.ClassOkCount[k];
            Race.SlotClassOrder[i] = Race.ClassCellOrder[k][s][g][b];
            Race.SlotClassCell[i] = ClassCellCode(k, s, g, b);
        }
    }
}

void RepairClassYears()
{
    int last = 0;
    for (int k = 1; k <= ClassCount; ++k)
        if (named(k))
            last = k;
    // Clearing first changes nothing while a class is named, and leaves an
    // empty table with class 1 ending at the current year.
    for (int k = last + 1; k <= ClassCount; ++k) {
        Race.ClassNames[k].clear();
        Race.ClassYears[k] = {0, 0};
    }
    Race.ClassYears[1][1] = sysclock::today().year();
    if (last >= 1)
        Race.ClassYears[last][0] = FirstClassYear;
    // A first year after the last year is pulled down before the chain is
    // rebuilt; an inversion the chain makes now is mended by the next call.
    for (int k = 1; k <= last; ++k)
        if (Race.ClassYears[k][0] > Race.ClassYears[k][1])
            Race.ClassYears[k][0] = Race.ClassYears[k][1];
    for (int k = 1; k <= last - 1; ++k)
        Race.ClassYears[k + 1][1] = Race.ClassYears[k][0] - 1;
}

void SettleClassYears()
{
    // Each pass can push an inversion one class down the chain, so the
    // chain of 20 classes settles within 20 passes.
    for (int pass = 0; pass <= ClassCount; ++pass) {
        const auto before = Race.ClassYears;
        RepairClassYears();
        if (Race.ClassYears == before)
            return;
    }
    // Only a chain that cannot close gets here (the last class is put back
    // to 1900 in every pass): no class is left beginning after its end.
    for (int k = 1; k <= ClassCount; ++k)
        if (Race.ClassYears[k][0] > Race.ClassYears[k][1])
            Race.ClassYears[k][0] = Race.ClassYears[k][1];
}

QString ClassRuleLine(int k)
{
    if (k < 1 || k > ClassCount)
        return QString();
    QString number = num::plainNumberText(k);
    if (number.size() < 2)
        number.prepend(blanks(2 - number.size()));
    return number + QStringLiteral(" ") + fitLeft(Race.ClassNames[k], 20) + QStringLiteral("  ")
        + num::plainNumberText(Race.ClassYears[k][0]) + QStringLiteral(" - ")
        + num::plainNumberText(Race.ClassYears[k][1]) + QStringLiteral("  (")
        + num::plainNumberText(Classes.ClassOkCount[k]) + QStringLiteral("/")
        + num::plainNumberText(Classes.ClassEntryCount[k]) + QStringLiteral(")");
}
