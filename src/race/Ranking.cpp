#include "Ranking.h"

#include <QHash>
#include <QStringList>
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>
#include <vector>

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
    int group = 0;
    double value = 0;        // the ranking value, for equal ranks
    double sortValue = 0;    // the same rounded to hundredths, for the order
    int nameOrder = 0;       // position of the name in the text order
    int sex = 2;
    QString name;
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
    e.group = groupOf(slot, mode);
    e.value = value;
    e.sortValue = num::roundHalfAway(value, 2);
    e.sex = Rec.AthleteSex;
    e.name = LastNamesRead.name[slot];   // read just before by readAthleteOf
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
// their numeric order, which fixed-width text keys cannot give them.
void sortEntries(std::vector<RankedEntry> &entries)
{
    std::sort(entries.begin(), entries.end(), [](const RankedEntry &a, const RankedEntry &b) {
        if (a.group != b.group)
            return a.group < b.group;
        return a.sortValue < b.sortValue;
    });
    // Names decide only among equal values, so their text order is worked out
    // for each such run alone: it orders them as it would among all names.
    for (auto first = entries.begin(); first != entries.end();) {
        auto last = first + 1;
        while (last != entries.end() && last->group == first->group
               && last->sortValue == first->sortValue)
            ++last;
        if (last - first > 1) {
            // The names once through the sorted list, then the run sorted on
            // their positions instead of the collator in every comparison.
            SortedTextList names;
            for (auto e = first; e != last; ++e)
                names.add(e->name);
            const QStringList &sorted = names.lines();
            QHash<QString, int> order;
            order.reserve(sorted.size());
            for (int i = 0; i < sorted.size(); ++i)
                order.insert(sorted.at(i), i);   // equal names share one position
            for (auto e = first; e != last; ++e)
                e->nameOrder = order.value(e->name);
            std::sort(first, last, [](const RankedEntry &a, const RankedEntry &b) {
                if (a.nameOrder != b.nameOrder)
                    return a.nameOrder < b.nameOrder;
                return slotDigitsLess(a.slot, b.slot);
            });
        }
        first = last;
    }
}

bool equalValues(double a, double b)
{
    return std::fabs(a - b) <= EqualValueTolerance;
}

// An integer right-aligned in width columns, longer ones whole.
void appendRightAligned(QString &line, int value, int width)
{
    char digits[12];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    const int n = int(end - digits);
    if (n < width)
        line.append(QString(width - n, u' '));
    line.append(QLatin1StringView(digits, n));
}

// The text left-aligned in exactly width columns.
void appendFitLeft(QString &line, const QString &text, qsizetype width)
{
    if (text.size() >= width) {
        line.append(QStringView(text).left(width));
    } else {
        line.append(text);
        line.append(QString(width - text.size(), u' '));
    }
}

// The eight columns FormatDecimal8 writes for a value, without its passes
// through the shared work fields (the caller sets those once at the end).
void appendDecimal8(QString &line, double value)
{
    const qsizetype from = line.size();
    const qsizetype n = num::appendFormatNumber(line, value, u"#.#0");
    if (n >= 8) {
        line.remove(from, n - 8);
        return;
    }
    // The first " ," becomes "0,": a value below one keeps its leading zero.
    // The text holds no blank, so that can only be the last blank in front.
    const bool leadingZero = n > 0 && line.at(from) == u',';
    line.insert(from, QStringView(u"        ").left(8 - n));
    if (leadingZero)
        line[from + 8 - n - 1] = u'0';
}

// What FormatDecimal8 leaves in the shared work fields for a value.
void setDecimal8WorkFields(double value)
{
    Work.CurrentSlot = value;
    FormatDecimal8();
}

QString sortLine(const RankedEntry &e)
{
    QString line;
    line.reserve(16 + e.name.size());
    num::appendFormatNumber(line, e.group, u"0##");
    num::appendFormatNumber(line, e.value, u"0####.#0");
    line.append(e.name);
    line.append(QLatin1StringView("   "));
    char digits[12];
    const auto end = std::to_chars(digits, digits + sizeof digits, e.slot).ptr;
    line.append(QLatin1StringView(digits, qsizetype(end - digits)));
    return line;
}

// lastDecimal8 receives the last value written as FormatDecimal8 would.
QString displayLine(const RankedEntry &e, int position, double leaderTotal,
                    const RankingMode &mode, std::optional<double> *lastDecimal8)
{
    const int slot = e.slot;
    QString cell;
    if (mode.byClass) {
        const int c = Race.SlotClassCell[slot];
        if (c >= 0 && c < CellCount)
            cell = Race.ClassDesignations[c];
    } else {
        const int g = Race.SlotGroup[slot];
        if (g >= 0 && g <= NameCount)
            cell = Race.GroupNames[g];
    }
    QString line;
    line.reserve(90);
    appendRightAligned(line, position, 4);
    line.append(QLatin1StringView(". "));
    appendFitLeft(line, e.name, 25);
    appendRightAligned(line, Race.SlotStartNo[slot], 5);
    line.append(u' ');
    appendFitLeft(line, cell, 12);
    line.append(u' ');
    const double total = Ranking.SlotTotalTime[slot];
    if (!mode.byTime) {
        num::appendFormatNumber(line, e.value, u"0####.#0");
    } else {
        if (mode.twoRuns) {
            appendDecimal8(line, Ranking.SlotAdjTime1[slot]);
            line.append(u' ');
            appendDecimal8(line, Ranking.SlotAdjTime2[slot]);
            line.append(u' ');
        }
        appendDecimal8(line, total);
        line.append(u' ');
        appendDecimal8(line, total - leaderTotal);
        *lastDecimal8 = total - leaderTotal;
    }
    return line;
}

QStringList sortLines(const std::vector<RankedEntry> &entries)
{
    QStringList lines;
    lines.reserve(qsizetype(entries.size()));
    for (const RankedEntry &e : entries)
        lines.append(sortLine(e));
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
    display.reserve(qsizetype(entries.size()) * 2);
    int position = 0;
    int previousRank = 1;
    double previousValue = 0;
    double leaderTotal = 0;
    std::optional<double> lastDecimal8;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const RankedEntry &e = entries[i];
        const int slot = e.slot;
        Ranking.RankOrder[int(i) + 1] = slot;
        const bool newGroup = i == 0 || e.group != entries[i - 1].group;
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
        if (!newGroup && equalValues(e.value, previousValue))
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
        display.append(displayLine(e, position, leaderTotal, mode, &lastDecimal8));
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
        if (i == 0 || e.group != entries[i - 1].group)
            rank = 1;
        else if (!equalValues(e.value, entries[i - 1].value))
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
