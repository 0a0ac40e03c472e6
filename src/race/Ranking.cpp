#include "Ranking.h"

#include <QStringList>
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>
#include <vector>

#include "LineText.h"
#include "core/NumberTimeText.h"
#include "core/RecordFiles.h"
#include "platform/NumberText.h"
#include "platform/Strings.h"
#include "platform/TextOrder.h"

RankingState Ranking;

namespace {

// The athletes the last ranking read, so that the timing lists built right
// after it need not read them again. An id of 0 marks a slot not read.
struct NamesRead {
    std::array<int, MaxSlots + 1> id{};
    std::array<QString, MaxSlots + 1> name;
};
NamesRead LastNamesRead;

const bool registered = registerStateReset([] {
    Ranking = RankingState{};
    LastNamesRead.id.fill(0);
});

const QString HeaderTwoRuns = QStringLiteral(
    "Rang--Name------------------Startnr.-Klasse----------Zeit1----Zeit2----Summe----Diff.");
const QString HeaderOneRun =
    QStringLiteral("Rang--Name------------------Startnr.-Klasse-----------Zeit----Diff.");

// The settings of the race header that the rankings go by.
struct RankingMode {
    bool byClass = Rec.EvalByClass == 1;
    bool byTime = Rec.EvalByTime == 1;
    bool twoRuns = Rec.TwoRuns == 1;
};

struct RankedEntry {
    int slot = 0;
    RankingNumbers numbers;   // group and value to the hundredth, for the order
    double value = 0;         // the ranking value, for equal ranks
    int sex = 2;
    const QString *name = nullptr;   // as read, in LastNamesRead
};
// The athlete of a slot becomes the current athlete. False when the slot
// names no athlete record, or one without a name. A number outside the file
// is taken as such a record, without the beep of a typed wrong number.
bool readAthleteOf(int slot)
{
    const int id = Race.SlotAthleteId[slot];
    if (id < 1 || id > Rec.AthleteCount)
        return false;
    Rec.CurrentAthleteId = id;
    ReadAthleteRecord();
    LastNamesRead.id[slot] = id;
    LastNamesRead.name[slot] = Rec.AthleteName;   // read without blanks at either end
    return !LastNamesRead.name[slot].isEmpty();
}

// The current athlete's club in the field the slot counts equals club.
bool countsForClub(int slot, int club)
{
    switch (Race.SlotClub[slot]) {
    case 1:
        return Rec.AthleteClub1 == club;
    case 2:
        return Rec.AthleteClub2 == club;
    case 3:
        return Rec.AthleteClub3 == club;
    default:
        return false;
    }
}

// A run time with the guest and men handicaps of the current athlete.
double withHandicaps(int slot, double time, int sex)
{
    if (Race.SlotGuest[slot] == 1)
        time += Rec.GuestTimeHandicap;
    if (sex == 1)
        time += Rec.MenTimeHandicap;
    return time;
}

// Points are single precision; ranked and shown as the decimal typed (1,015
// and not 1,01499998...).
double pointsValue(int slot)
{
    return num::decimalCommaValue(num::plainNumberTextSingle(Race.SlotPoints[slot]));
}

int groupOf(int slot, const RankingMode &mode)
{
    return mode.byClass ? Race.SlotClassOrder[slot] : Race.SlotGroup[slot];
}

RankedEntry entryFor(int slot, double value, const RankingMode &mode)
{
    RankedEntry e;
    e.slot = slot;
    e.numbers.group = groupOf(slot, mode);
    e.numbers.sortValue = num::roundHalfAway(value, 2);
    e.value = value;
    e.sex = Rec.AthleteSex;
    e.name = &LastNamesRead.name[slot];   // read just before by readAthleteOf
    return e;
}

// The slot numbers compared as digit text, as at the end of a sort line
// ("12" before "3").
bool slotDigitsLess(int a, int b)
{
    char da[12];
    char db[12];
    const auto ea = std::to_chars(da, da + sizeof da, a).ptr;
    const auto eb = std::to_chars(db, db + sizeof db, b).ptr;
    return std::string_view(da, std::size_t(ea - da)) < std::string_view(db, std::size_t(eb - db));
}

// Ranking order: group, value to the hundredth, name in the program's text
// order, slot digits. Worked out on numbers, so that negative values (negative
// handicaps), values of 100000 and more and groups of 1000 and more keep
// their numeric order, which fixed-width text keys cannot give them. The
// names are compared only among entries equal in both numbers.
void sortEntries(std::vector<RankedEntry> &entries)
{
    std::sort(entries.begin(), entries.end(), [](const RankedEntry &a, const RankedEntry &b) {
        if (RankingNumbersLess(a.numbers, b.numbers))
            return true;
        if (RankingNumbersLess(b.numbers, a.numbers))
            return false;
        if (const int c = compareText(*a.name, *b.name))
            return c < 0;
        return slotDigitsLess(a.slot, b.slot);
    });
}

// What FormatDecimal8 leaves in the shared work fields for a value.
void setDecimal8WorkFields(double value)
{
    Work.CurrentSlot = value;
    FormatDecimal8();
}

QString sortLine(const RankedEntry &e, LineText &line)
{
    line.clear();
    line.appendNumber(e.numbers.group, u"0##");
    line.appendNumber(e.value, u"0####.#0");
    line.append(*e.name);
    line.appendLatin1("   ", 3);
    line.appendInt(e.slot);
    return line.toString();
}

// lastDecimal8 receives the last value written as FormatDecimal8 would.
QString displayLine(const RankedEntry &e, int position, double leaderTotal,
                    const RankingMode &mode, std::optional<double> *lastDecimal8, LineText &line)
{
    const int slot = e.slot;
    QStringView cell;
    if (mode.byClass) {
        const int c = Race.SlotClassCell[slot];
        if (c >= 0 && c < CellCount)
            cell = Race.ClassDesignations[c];
    } else {
        const int g = Race.SlotGroup[slot];
        if (g >= 0 && g <= NameCount)
            cell = Race.GroupNames[g];
    }
    line.clear();
    line.appendRightAligned(position, 4);
    line.appendLatin1(". ", 2);
    line.appendFitLeft(*e.name, 25);
    line.appendRightAligned(Race.SlotStartNo[slot], 5);
    line.append(u' ');
    line.appendFitLeft(cell, 12);
    line.append(u' ');
    const double total = Ranking.SlotTotalTime[slot];
    if (!mode.byTime) {
        line.appendNumber(e.value, u"0####.#0");
    } else {
        if (mode.twoRuns) {
            line.appendDecimal8(Ranking.SlotAdjTime1[slot]);
            line.append(u' ');
            line.appendDecimal8(Ranking.SlotAdjTime2[slot]);
            line.append(u' ');
        }
        line.appendDecimal8(total);
        line.append(u' ');
        line.appendDecimal8(total - leaderTotal);
        *lastDecimal8 = total - leaderTotal;
    }
    return line.toString();
}

QStringList sortLines(const std::vector<RankedEntry> &entries)
{
    QStringList lines;
    lines.reserve(qsizetype(entries.size()));
    LineText line;
    for (const RankedEntry &e : entries)
        lines.append(sortLine(e, line));
    return lines;
}

// Reading the athletes in ranking order leaves the last ranked one current.
void lastRankedAthleteCurrent(const std::vector<RankedEntry> &entries)
{
    if (entries.empty())
        return;
    Rec.CurrentAthleteId = Race.SlotAthleteId[entries.back().slot];
    ReadAthleteRecord();
}

void openAthleteFileIfNeeded()
{
    if (!Channels.AthleteFile.isOpen())
        OpenAthleteFile();
}

} // namespace

namespace {

// withLines: build the sort and display lines; without, they are left empty
// (the work fields are set as with them).
void rankRace(bool withLines)
{
    const RecordFile::ReadScope athletes(Channels.AthleteFile);
    Ranking.SortLines.clear();
    Ranking.DisplayLines.clear();
    openAthleteFileIfNeeded();
    const RankingMode mode;
    const int club = Ranking.ClubFilter;

    bool run2Started = false;
    for (int slot = 1; slot <= MaxSlots; ++slot)
        if (Race.SlotTime2[slot] > 0) {
            run2Started = true;
            break;
        }

    LastNamesRead.id.fill(0);
    std::vector<RankedEntry> entries;
    entries.reserve(MaxSlots);
    for (int slot = 1; slot <= MaxSlots; ++slot) {
        Ranking.ClassFirstFlag[slot] = 0;
        Ranking.SlotAdjTime1[slot] = 0;
        Ranking.SlotAdjTime2[slot] = 0;
        Ranking.SlotTotalTime[slot] = 0;
        if (Race.SlotAthleteId[slot] == 0)
            continue;
        // Any status but "ok" (0), also a negative one, is not classified.
        if (Race.SlotStatus1[slot] != 0 || Race.SlotStatus2[slot] != 0)
            continue;
        if (Race.SlotTime1[slot] == 0)
            continue;
        if (Race.SlotTime2[slot] == 0 && run2Started)
            continue;
        if (!readAthleteOf(slot))
            continue;
        if (club != 0 && !countsForClub(slot, club))
            continue;
        const int sex = Rec.AthleteSex;
        const double adj1 = withHandicaps(slot, Race.SlotTime1[slot], sex);
        const double time2 = Race.SlotTime2[slot];
        const double adj2 = time2 > 0 ? withHandicaps(slot, time2, sex) : time2;
        const double total = mode.twoRuns ? adj1 + adj2 : adj1;
        Ranking.SlotAdjTime1[slot] = adj1;
        Ranking.SlotAdjTime2[slot] = adj2;
        Ranking.SlotTotalTime[slot] = total;
        const double value = !mode.byTime ? pointsValue(slot) : (mode.twoRuns ? total : adj1);
        entries.push_back(entryFor(slot, value, mode));
    }
    sortEntries(entries);

    Ranking.RankOrder.fill(0);
    Ranking.SlotRank.fill(0);
    Ranking.BestTimeFemale = 99999;
    Ranking.BestTimeMale = 99999;
    // The header goes by the number of runs alone, also for points.
    const QString &header = mode.twoRuns ? HeaderTwoRuns : HeaderOneRun;

    QStringList display;
    display.reserve(qsizetype(entries.size()) * 3);
    LineText line;
    int position = 0;
    int previousRank = 1;
    double previousValue = 0;
    double leaderTotal = 0;
    std::optional<double> lastDecimal8;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const RankedEntry &e = entries[i];
        const int slot = e.slot;
        Ranking.RankOrder[int(i) + 1] = slot;
        const bool newGroup = i == 0 || e.numbers.group != entries[i - 1].numbers.group;
        if (newGroup) {
            position = 0;
            previousRank = 1;
            Ranking.ClassFirstFlag[slot] = 1;
        }
        const double total = Ranking.SlotTotalTime[slot];
        if (Race.SlotClass[slot] - 1 >= int(Rec.BestTimeFromClass)) {
            if (e.sex == 0 && total < Ranking.BestTimeFemale)
                Ranking.BestTimeFemale = total;
            else if (e.sex == 1 && total < Ranking.BestTimeMale)
                Ranking.BestTimeMale = total;
        }
        ++position;
        int rank = position;
        if (!newGroup && RankingValuesEqual(e.value, previousValue))
            rank = previousRank;
        Ranking.SlotRank[slot] = rank;
        previousValue = e.value;
        previousRank = rank;
        if (position == 1)
            leaderTotal = total;
        if (!withLines) {
            if (mode.byTime)
                lastDecimal8 = total - leaderTotal;
            continue;
        }
        if (newGroup) {
            display.append(QString());
            display.append(header);
        }
        display.append(displayLine(e, position, leaderTotal, mode, &lastDecimal8, line));
    }
    if (lastDecimal8)
        setDecimal8WorkFields(*lastDecimal8);
    Ranking.RankedCount = int(entries.size());
    lastRankedAthleteCurrent(entries);

    if (withLines) {
        Ranking.SortLines = sortLines(entries);
        Ranking.DisplayLines = std::move(display);
    }
}

} // namespace

void ComputeProvisionalResult()
{
    rankRace(true);
}

void ComputeRankingWithoutWindow()
{
    rankRace(false);
}

void RankAfterRun1()
{
    const RecordFile::ReadScope athletes(Channels.AthleteFile);
    Ranking.SortLines.clear();
    openAthleteFileIfNeeded();
    const RankingMode mode;

    LastNamesRead.id.fill(0);
    std::vector<RankedEntry> entries;
    entries.reserve(MaxSlots);
    for (int slot = 1; slot <= MaxSlots; ++slot) {
        Ranking.SlotAdjTime1[slot] = 0;
        if (Race.SlotAthleteId[slot] == 0 || Race.SlotStatus1[slot] != 0)
            continue;
        if (!readAthleteOf(slot))
            continue;
        // An entry without a run-1 time ranks with 0: the start order of the
        // second run is built before every time is in.
        const double adj1 = withHandicaps(slot, Race.SlotTime1[slot], Rec.AthleteSex);
        Ranking.SlotAdjTime1[slot] = adj1;
        entries.push_back(entryFor(slot, mode.byTime ? adj1 : pointsValue(slot), mode));
    }
    sortEntries(entries);

    Ranking.DisplayLines.clear();
    Ranking.BestTimeFemale = 99999;
    Ranking.BestTimeMale = 999999;
    int rank = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const RankedEntry &e = entries[i];
        Ranking.RankOrder[int(i) + 1] = e.slot;
        if (i == 0 || e.numbers.group != entries[i - 1].numbers.group)
            rank = 1;
        else if (!RankingValuesEqual(e.value, entries[i - 1].value))
            ++rank;
        Ranking.SlotRank[e.slot] = rank;
    }
    Ranking.RankedCount = int(entries.size());
    lastRankedAthleteCurrent(entries);

    Ranking.SortLines = sortLines(entries);
}

bool RankingReadName(int slot, QString *name)
{
    if (slot < 1 || slot > MaxSlots || LastNamesRead.id[slot] == 0
        || LastNamesRead.id[slot] != Race.SlotAthleteId[slot])
        return false;
    *name = LastNamesRead.name[slot];
    return true;
}
