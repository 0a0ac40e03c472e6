#include "EntryList.h"

#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "platform/NumberText.h"
#include "platform/Strings.h"

#include <charconv>
#include <vector>

namespace {

constexpr int ClubNameWidth = 20;
constexpr int AthleteDigits = 6;
constexpr int SlotDigits = 4;

bool validClub(int club)
{
    return club >= 1 && club <= Rec.ClubCount;
}

// The fields that belong to the entry and so move with it.
template <class Step>
void forEachEntryField(Step step)
{
    step(Race.SlotAthleteId);
    step(Race.SlotStartNo);
    step(Race.SlotClass);
    step(Race.SlotPoints);
    step(Race.SlotTime1);
    step(Race.SlotTime2);
    step(Race.SlotStatus1);
    step(Race.SlotStatus2);
    step(Race.SlotClub);
    step(Race.SlotGroup);
    step(Race.SlotTeam);
    step(Race.SlotGuest);
    step(Race.SlotPaid);
    step(Race.SlotBoarder);
}

} // namespace

int LowestFreeSlot()
{
    for (int slot = 1; slot <= MaxSlots; ++slot)
        if (Race.SlotAthleteId[slot] == 0)
            return slot;
    return 0;
}

bool AthleteEntered(int athleteId)
{
    for (int slot = 1; slot <= MaxSlots; ++slot)
        if (Race.SlotAthleteId[slot] == athleteId)
            return true;
    return false;
}

bool RemoveEntrySlot(int k)
{
    if (k < 1 || k > MaxSlots || Race.SlotAthleteId[k] == 0)
        return false;
    forEachEntryField([k](auto &table) {
        for (int i = k; i < MaxSlots; ++i)
            table[i] = table[i + 1];
        table[MaxSlots] = 0;
    });
    return true;
}

QString OverviewLine(const QString &name, int athleteId)
{
    // The number text of a whole number is its digits, with a blank before
    // a non-negative one: written in place, in the line's one allocation
    // (the overview builds a line for every athlete).
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, athleteId).ptr;
    QString line;
    line.reserve(name.size() + 21 + (end - digits));
    line.append(name);
    line.resize(name.size() + 20, u' ');
    if (athleteId >= 0)
        line.append(u' ');
    line.append(QLatin1StringView(digits, end - digits));
    return line;
}

int OverviewLineAthlete(const QString &line)
{
    return num::toInt32(num::numericValue(rightChars(line, 6)));
}

QString EntryOrderKey(int slot, int order)
{
    if (order == entryorder::SlotNo)
        return num::formatNumber(slot, u"####  ");
    if (order == entryorder::InverseSlotNo)
        return num::formatNumber(MaxSlots - slot, u"####  ");
    return QString();
}

namespace {

// The club number the athlete's chosen club field names; 0 for none.
int chosenClub(int clubField)
{
    switch (clubField) {
    case 1: return Rec.AthleteClub1;
    case 2: return Rec.AthleteClub2;
    case 3: return Rec.AthleteClub3;
    default: return 0;
    }
}

QString clubTextOfCurrentRecord()
{
    return QStringLiteral(" --- ") + leftChars(trimBlanks(Rec.ClubShortName), ClubNameWidth);
}

} // namespace

QString EntryClubText(int clubField)
{
    const int club = chosenClub(clubField);
    if (!validClub(club))
        return QString();
    const int kept = Rec.CurrentClubNo;
    Rec.CurrentClubNo = club;
    ReadClubRecord();
    Rec.CurrentClubNo = kept;
    return clubTextOfCurrentRecord();
}

QString EntryLine(const QString &key, const QString &name, const QString &clubText, int slot,
                  int athleteId)
{
    static const QString Gap = blanks(50);
    const QString slotText = num::formatNumber(slot, u"0###");
    const QString athleteText = num::formatNumber(athleteId, u"0#####");
    QString line;
    line.reserve(key.size() + name.size() + 3 + clubText.size() + Gap.size() + slotText.size()
                 + athleteText.size());
    line.append(key);
    line.append(name);
    line.append(QLatin1StringView("   "));
    line.append(clubText);
    line.append(Gap);
    line.append(slotText);
    line.append(athleteText);
    return line;
}

int EntryLineAthlete(const QString &line)
{
    return num::toInt32(num::numericValue(rightChars(line, AthleteDigits)));
}

int EntryLineSlot(const QString &line)
{
    const QString front = leftChars(line, line.size() - AthleteDigits);
    return num::toInt32(num::numericValue(rightChars(front, SlotDigits)));
}

bool NameMatchesFilter(const QString &name, const QString &filter)
{
    // Comparing whole upper-cased texts keeps letters whose capital is
    // longer ("ß" gives "SS") in step on both sides.
    return filter.isEmpty() || name.toUpper().startsWith(filter);
}

QStringList EntryListLines(const QString &filter, int order)
{
    const RecordFile::ReadScope athletes(Channels.AthleteFile);
    const RecordFile::ReadScope clubs(Channels.ClubFile);
    const int keptAthlete = Rec.CurrentAthleteId;
    // A race has far fewer clubs than entries: each club's text is read once
    // per fill. The club record last read is read again at the end, so the
    // club fields are left as reading every entry's club would leave them.
    std::vector<QString> clubTexts;
    std::vector<bool> clubRead;
    int lastClub = 0;
    auto clubText = [&](int clubField) {
        const int club = chosenClub(clubField);
        if (!validClub(club))
            return QString();
        if (static_cast<size_t>(club) >= clubRead.size()) {
            clubTexts.resize(club + 1);
            clubRead.resize(club + 1, false);
        }
        if (!clubRead[club]) {
            clubTexts[club] = EntryClubText(clubField);
            clubRead[club] = true;
        }
        lastClub = club;
        return clubTexts[club];
    };
    QStringList lines;
    lines.reserve(MaxSlots);
    for (int slot = 1; slot <= MaxSlots; ++slot) {
        const int id = Race.SlotAthleteId[slot];
        if (id == 0)
            continue;
        // An entry whose athlete is not in the file (the file was replaced)
        // must not show the previous athlete's clubs; nor may its number
        // spill into the slot digits of the line.
        const bool known = id >= 1 && id <= Rec.AthleteCount;
        Rec.CurrentAthleteId = id;
        if (known)
            ReadAthleteRecord();
        else
            ClearAthleteFields();
        if (!NameMatchesFilter(Rec.AthleteName, filter))
            continue;
        const QString club = known ? clubText(Race.SlotClub[slot]) : QString();
        lines << EntryLine(EntryOrderKey(slot, order), Rec.AthleteName, club, slot,
                           known && id <= 999999 ? id : 0);
    }
    if (lastClub != 0) {
        const int keptClub = Rec.CurrentClubNo;
        Rec.CurrentClubNo = lastClub;
        ReadClubRecord();
        Rec.CurrentClubNo = keptClub;
    }
    Rec.CurrentAthleteId = keptAthlete;
    return lines;
}

AthleteClubSummary SummarizeAthleteClubs()
{
    AthleteClubSummary s;
    const int clubs[3] = {Rec.AthleteClub1, Rec.AthleteClub2, Rec.AthleteClub3};
    const int kept = Rec.CurrentClubNo;
    for (int field = 1; field <= 3; ++field) {
        const int club = clubs[field - 1];
        if (!validClub(club))
            continue;
        Rec.CurrentClubNo = club;
        ReadClubRecord();
        const QString name = trimBlanks(Rec.ClubShortName);
        s.text = field == 1 ? name : s.text + QStringLiteral(" - ") + name;
        ++s.count;
        s.last = field;
    }
    Rec.CurrentClubNo = kept;
    return s;
}
