#include "Ranking.h"

#include <QStringList>
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <memory>
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

struct RankingLineEntry {
    int slot = 0;
    int group = 0;
    double value = 0;
    QString name;
    // Only for the display lines:
    int position = 0;
    int startNo = 0;
    QString cell;
    double adjTime1 = 0, adjTime2 = 0, total = 0, leaderTotal = 0;
};

struct RankingLineSource {
    bool withDisplay = false;   // the result ranking's display lines too
    bool byTime = false;
    bool twoRuns = false;
    std::vector<RankingLineEntry> entries;   // in ranking order
};

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
// The athlete of a slot read into a (the last athlete read is made current
// at the end, see makeAthleteCurrent). False when the slot names no athlete
// record, or one without a name. A number outside the file is taken as such
// a record, without the beep of a typed wrong number.
bool readAthleteOf(int slot, AthleteRankingFields &a, int *lastRead)
{
    const int id = Race.SlotAthleteId[slot];
    if (id < 1 || id > Rec.AthleteCount)
        return false;
    PeekAthleteRecord(id, a);
    *lastRead = id;
    LastNamesRead.id[slot] = id;
    LastNamesRead.name[slot] = a.name;
    return !a.name.isEmpty();
}

// The athlete's club in the field the slot counts equals club.
bool countsForClub(int slot, int club, const AthleteRankingFields &a)
{
    switch (Race.SlotClub[slot]) {
    case 1:
        return a.club1 == club;
    case 2:
        return a.club2 == club;
    case 3:
        return a.club3 == club;
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

RankedEntry entryFor(int slot, double value, int sex, const RankingMode &mode)
{
    RankedEntry e;
    e.slot = slot;
    e.numbers.group = groupOf(slot, mode);
    e.numbers.sortValue = num::roundHalfAway(value, 2);
    e.value = value;
    e.sex = sex;
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

QString sortLine(const RankingLineEntry &e, LineText &line)
{
    line.clear();
    line.appendZeroPadded(e.group, 3);
    line.appendTimeKey(e.value);
    line.append(e.name);
    line.appendLatin1("   ", 3);
    line.appendInt(e.slot);
    return line.toString();
}

QString displayLine(const RankingLineEntry &e, const RankingLineSource &source, LineText &line)
{
    line.clear();
    line.appendRightAligned(e.position, 4);
    line.appendLatin1(". ", 2);
    line.appendFitLeft(e.name, 25);
    line.appendRightAligned(e.startNo, 5);
    line.append(u' ');
    line.appendFitLeft(e.cell, 12);
    line.append(u' ');
    if (!source.byTime) {
        line.appendTimeKey(e.value);
    } else {
        if (source.twoRuns) {
            line.appendDecimal8(e.adjTime1);
            line.append(u' ');
            line.appendDecimal8(e.adjTime2);
            line.append(u' ');
        }
        line.appendDecimal8(e.total);
        line.append(u' ');
        line.appendDecimal8(e.total - e.leaderTotal);
    }
    return line.toString();
}

// The designation a display line shows for a slot.
QString cellOf(int slot, const RankingMode &mode)
{
    if (mode.byClass) {
        const int c = Race.SlotClassCell[slot];
        if (c >= 0 && c < CellCount)
            return Race.ClassDesignations[c];
    } else {
        const int g = Race.SlotGroup[slot];
        if (g >= 0 && g <= NameCount)
            return Race.GroupNames[g];
    }
    return QString();
}

// The sort lines, and the display lines of a result ranking: per ranking
// group an empty line, the header and one line per entry.
void makeLines(const RankingLineSource &source)
{
    LineText line;
    QStringList sorted;
    sorted.reserve(qsizetype(source.entries.size()));
    for (const RankingLineEntry &e : source.entries)
        sorted.append(sortLine(e, line));
    QStringList display;
    if (source.withDisplay) {
        // The header goes by the number of runs alone, also for points.
        const QString &header = source.twoRuns ? HeaderTwoRuns : HeaderOneRun;
        display.reserve(qsizetype(source.entries.size()) * 3);
        for (std::size_t i = 0; i < source.entries.size(); ++i) {
            const RankingLineEntry &e = source.entries[i];
            if (i == 0 || e.group != source.entries[i - 1].group) {
                display.append(QString());
                display.append(header);
            }
            display.append(displayLine(e, source, line));
        }
    }
    Ranking.SortLines = std::move(sorted);
    Ranking.DisplayLines = std::move(display);
}

// When the lines are to be made: at once, only once asked for, or never.
enum class Lines { Now, Later, None };

// Makes the lines at once or keeps what they are made from.
void finishLines(Lines lines, std::shared_ptr<RankingLineSource> source)
{
    if (lines == Lines::Now)
        makeLines(*source);
    else if (lines == Lines::Later)
        Ranking.LinesToMake = std::move(source);
}

// The rankings leave the last ranked athlete current, and when none is
// ranked the last one they read (lastRead, 0 for none).
void makeAthleteCurrent(const std::vector<RankedEntry> &entries, int lastRead)
{
    if (!entries.empty())
        Rec.CurrentAthleteId = Race.SlotAthleteId[entries.back().slot];
    else if (lastRead != 0)
        Rec.CurrentAthleteId = lastRead;
    else
        return;
    ReadAthleteRecord();
}

void openAthleteFileIfNeeded()
{
    if (!Channels.AthleteFile.isOpen())
        OpenAthleteFile();
}

void rankRace(Lines lines)
{
    const RecordFile::ReadScope athletes(Channels.AthleteFile);
    Ranking.SortLines.clear();
    Ranking.DisplayLines.clear();
    Ranking.LinesToMake.reset();
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
    AthleteRankingFields athlete;
    int lastRead = 0;
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
        if (!readAthleteOf(slot, athlete, &lastRead))
            continue;
        if (club != 0 && !countsForClub(slot, club, athlete))
            continue;
        const int sex = athlete.sex;
        const double adj1 = withHandicaps(slot, Race.SlotTime1[slot], sex);
        const double time2 = Race.SlotTime2[slot];
        const double adj2 = time2 > 0 ? withHandicaps(slot, time2, sex) : time2;
        const double total = mode.twoRuns ? adj1 + adj2 : adj1;
        Ranking.SlotAdjTime1[slot] = adj1;
        Ranking.SlotAdjTime2[slot] = adj2;
        Ranking.SlotTotalTime[slot] = total;
        const double value = !mode.byTime ? pointsValue(slot) : (mode.twoRuns ? total : adj1);
        entries.push_back(entryFor(slot, value, sex, mode));
    }
    sortEntries(entries);

    Ranking.RankOrder.fill(0);
    Ranking.SlotRank.fill(0);
    Ranking.BestTimeFemale = 99999;
    Ranking.BestTimeMale = 99999;

    std::shared_ptr<RankingLineSource> source;
    if (lines != Lines::None) {
        source = std::make_shared<RankingLineSource>();
        source->withDisplay = true;
        source->byTime = mode.byTime;
        source->twoRuns = mode.twoRuns;
        source->entries.reserve(entries.size());
    }
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
        // The last difference shown is left in the work fields.
        if (mode.byTime)
            lastDecimal8 = total - leaderTotal;
        if (source) {
            RankingLineEntry &l = source->entries.emplace_back();
            l.slot = slot;
            l.group = e.numbers.group;
            l.value = e.value;
            l.name = *e.name;
            l.position = position;
            l.startNo = Race.SlotStartNo[slot];
            l.cell = cellOf(slot, mode);
            l.adjTime1 = Ranking.SlotAdjTime1[slot];
            l.adjTime2 = Ranking.SlotAdjTime2[slot];
            l.total = total;
            l.leaderTotal = leaderTotal;
        }
    }
    if (lastDecimal8)
        setDecimal8WorkFields(*lastDecimal8);
    Ranking.RankedCount = int(entries.size());
    makeAthleteCurrent(entries, lastRead);
    if (source)
        finishLines(lines, std::move(source));
}

void rankAfterRun1(Lines lines)
{
    const RecordFile::ReadScope athletes(Channels.AthleteFile);
    Ranking.SortLines.clear();
    Ranking.LinesToMake.reset();
    openAthleteFileIfNeeded();
    const RankingMode mode;

    LastNamesRead.id.fill(0);
    AthleteRankingFields athlete;
    int lastRead = 0;
    std::vector<RankedEntry> entries;
    entries.reserve(MaxSlots);
    for (int slot = 1; slot <= MaxSlots; ++slot) {
        Ranking.SlotAdjTime1[slot] = 0;
        if (Race.SlotAthleteId[slot] == 0 || Race.SlotStatus1[slot] != 0)
            continue;
        if (!readAthleteOf(slot, athlete, &lastRead))
            continue;
        // An entry without a run-1 time ranks with 0: the start order of the
        // second run is built before every time is in.
        const double adj1 = withHandicaps(slot, Race.SlotTime1[slot], athlete.sex);
        Ranking.SlotAdjTime1[slot] = adj1;
        entries.push_back(
            entryFor(slot, mode.byTime ? adj1 : pointsValue(slot), athlete.sex, mode));
    }
    sortEntries(entries);

    Ranking.DisplayLines.clear();
    Ranking.BestTimeFemale = 99999;
    Ranking.BestTimeMale = 999999;
    auto source = std::make_shared<RankingLineSource>();
    source->entries.reserve(entries.size());
    int rank = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const RankedEntry &e = entries[i];
        Ranking.RankOrder[int(i) + 1] = e.slot;
        if (i == 0 || e.numbers.group != entries[i - 1].numbers.group)
            rank = 1;
        else if (!RankingValuesEqual(e.value, entries[i - 1].value))
            ++rank;
        Ranking.SlotRank[e.slot] = rank;
        RankingLineEntry &l = source->entries.emplace_back();
        l.slot = e.slot;
        l.group = e.numbers.group;
        l.value = e.value;
        l.name = *e.name;
    }
    Ranking.RankedCount = int(entries.size());
    makeAthleteCurrent(entries, lastRead);
    finishLines(lines, std::move(source));
}

} // namespace

void ComputeProvisionalResult()
{
    rankRace(Lines::Now);
}

void ComputeRankingWithoutWindow()
{
    rankRace(Lines::None);
}

void ComputeProvisionalResultLinesLater()
{
    rankRace(Lines::Later);
}

void RankAfterRun1()
{
    rankAfterRun1(Lines::Now);
}

void RankAfterRun1LinesLater()
{
    rankAfterRun1(Lines::Later);
}

void MakeRankingLines()
{
    if (!Ranking.LinesToMake)
        return;
    // Taken first: the lines are made once.
    const std::shared_ptr<const RankingLineSource> source = std::move(Ranking.LinesToMake);
    Ranking.LinesToMake.reset();
    makeLines(*source);
}

bool RankingReadName(int slot, QString *name)
{
    if (slot < 1 || slot > MaxSlots || LastNamesRead.id[slot] == 0
        || LastNamesRead.id[slot] != Race.SlotAthleteId[slot])
        return false;
    *name = LastNamesRead.name[slot];
    return true;
}
