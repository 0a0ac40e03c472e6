#include "TimingLists.h"

#include <algorithm>
#include <vector>

#include "LineText.h"
#include "Ranking.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "platform/NumberText.h"
#include "platform/Strings.h"
#include "platform/TextOrder.h"

TimingListLines TimingLines;

namespace {

const bool registered = registerStateReset([] { TimingLines = TimingListLines{}; });


struct TimingEntry {
    int slot = 0;
    int group = 0;        // class order or group; 0 in the orders without classes
    double value = 0;     // the key value as shown (rounded to its decimals)
    QString keyLine;
    QString visibleLine;
};

bool withClasses(TimingOrder order)
{
    return order == TimingOrder::ClassStartNo || order == TimingOrder::ClassTime
        || order == TimingOrder::SecondRun;
}

// Times and the run-2 start key: at least 5 integer digits, two decimals.
QString timeKey(double roundedValue)
{
    return num::formatNumber(roundedValue, u"0####.#0");
}

double toHundredths(double value)
{
    return num::roundHalfAway(value, 2);
}

double run2StartValue(int rank, double adjTime1)
{
    return toHundredths(rank < 16 ? 50000 - adjTime1 : 50000 + adjTime1);
}

// The athlete fields the reads of a fill pass through, so that the athlete
// current before (in the athlete window, say) is current again afterwards.
struct AthleteFields {
    int id = Rec.CurrentAthleteId;
    QString name = Rec.AthleteName;
    int club1 = Rec.AthleteClub1, club2 = Rec.AthleteClub2, club3 = Rec.AthleteClub3;
    double birthDate = Rec.AthleteBirthDate;
    int sex = Rec.AthleteSex;
    QString federationNo = Rec.AthleteFederationNo;
    float points = Rec.AthletePoints;
    QString reserve = Rec.AthleteReserve;

    void restore() const
    {
        Rec.CurrentAthleteId = id;
        Rec.AthleteName = name;
        Rec.AthleteClub1 = club1;
        Rec.AthleteClub2 = club2;
        Rec.AthleteClub3 = club3;
        Rec.AthleteBirthDate = birthDate;
        Rec.AthleteSex = sex;
        Rec.AthleteFederationNo = federationNo;
        Rec.AthletePoints = points;
        Rec.AthleteReserve = reserve;
    }
};

// The trimmed name of a slot's athlete; "" for a free slot and for an
// athlete number outside the file (which is no typed wrong number to beep at).
QString athleteNameOf(int slot)
{
    const int id = Race.SlotAthleteId[slot];
    if (id < 1 || id > Rec.AthleteCount)
        return QString();
    Rec.CurrentAthleteId = id;
    ReadAthleteRecord();
    return trimBlanks(Rec.AthleteName);
}

QString designationOf(int slot)
{
    const int cell = Race.SlotClassCell[slot];
    return cell >= 0 && cell < CellCount ? Race.ClassDesignations[cell] : QString();
}

// Key and visible line of one entry; tail is name, 11 blanks and slot. The
// numbers go straight into the lines: 4-digit start number, 3-digit group,
// times with at least 5 integer digits and two decimals.
void describe(TimingEntry &e, TimingOrder order, QStringView tail, LineText &line)
{
    const int slot = e.slot;
    const int startNo = Race.SlotStartNo[slot];
    auto startNoFirst = [&] {
        line.clear();
        line.appendZeroPadded(startNo, 4);
        line.appendLatin1("  ", 2);
        line.append(tail);
        return line.toString();
    };
    switch (order) {
    case TimingOrder::StartNo:
        e.value = startNo;
        line.clear();
        line.appendZeroPadded(startNo, 4);
        line.append(u' ');
        line.append(tail);
        e.keyLine = line.toString();
        e.visibleLine = startNoFirst();
        break;
    case TimingOrder::Times:
        e.value = toHundredths(Race.SlotTime1[slot] + Race.SlotTime2[slot]);
        line.clear();
        line.appendTimeKey(e.value);
        line.append(u' ');
        line.append(tail);
        e.keyLine = line.toString();
        e.visibleLine = e.keyLine;
        break;
    case TimingOrder::ClassStartNo:
        e.group = Race.SlotClassOrder[slot];
        e.value = startNo;
        line.clear();
        line.appendZeroPadded(e.group, 3);
        line.append(u' ');
        line.appendZeroPadded(startNo, 4);
        line.append(u' ');
        line.append(tail);
        e.keyLine = line.toString();
        e.visibleLine = startNoFirst();
        break;
    case TimingOrder::ClassTime: {
        e.group = Race.SlotClassOrder[slot];
        e.value = toHundredths(Ranking.SlotTotalTime[slot]);
        line.clear();
        line.appendZeroPadded(e.group, 3);
        line.append(u' ');
        const qsizetype timeFrom = line.size();
        line.appendTimeKey(e.value);
        line.append(u' ');
        line.append(tail);
        e.keyLine = line.toString();
        // The visible line is the key without its group: time, blank, tail.
        e.visibleLine = QStringView(e.keyLine).mid(timeFrom).toString();
        break;
    }
    case TimingOrder::SecondRun:
        e.group = Rec.EvalByClass == 1 ? Race.SlotClassOrder[slot] : Race.SlotGroup[slot];
        e.value = run2StartValue(Ranking.SlotRank[slot], Ranking.SlotAdjTime1[slot]);
        line.clear();
        line.appendZeroPadded(e.group, 3);
        line.append(u' ');
        line.appendTimeKey(e.value);
        line.append(u' ');
        line.append(tail);
        e.keyLine = line.toString();
        e.visibleLine = startNoFirst();
        break;
    }
}

// The text order of the key lines, with group and value compared as numbers
// first: for the fixed-width keys of groups 0..999 and values 0..99999,99
// this is the text order itself, and a negative total (negative handicaps)
// or a longer key still lands where its number belongs, as in the ranking.
// The key lines are compared as text only among equal group and value; they
// end with distinct slots, so no two are equal. Gives the entries' indices in
// that order (small keys sort faster than the entries with their lines).
std::vector<int> sortedOrder(const std::vector<TimingEntry> &entries)
{
    struct Key {
        int group;
        double value;
        int index;
    };
    std::vector<Key> keys;
    keys.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        keys.push_back({entries[i].group, entries[i].value, int(i)});
    std::sort(keys.begin(), keys.end(), [&entries](const Key &a, const Key &b) {
        if (a.group != b.group)
            return a.group < b.group;
        if (a.value != b.value)
            return a.value < b.value;
        return textLess(entries[std::size_t(a.index)].keyLine,
                        entries[std::size_t(b.index)].keyLine);
    });
    std::vector<int> order;
    order.reserve(keys.size());
    for (const Key &k : keys)
        order.push_back(k.index);
    return order;
}

} // namespace

QString TimingSeparatorLine(const QString &designation)
{
    return QStringLiteral("----- ") + designation
        + QStringLiteral(" -----------------------------------");
}

QString Run2StartKey(int rank, double adjTime1)
{
    return timeKey(run2StartValue(rank, adjTime1));
}

int SlotOfTimingLine(const QString &line)
{
    return num::toInt32(num::numericValue(rightChars(line, 5)));
}

void RankForTimingOrder(TimingOrder order)
{
    if (order == TimingOrder::SecondRun)
        RankAfterRun1LinesLater();
    else
        ComputeProvisionalResultLinesLater();
}

namespace {

// reuseRankingNames: the ranking has just read the athletes, and the names it
// read stand for what reading them again would give.
TimingListLines buildTimingLines(TimingOrder order, bool reuseRankingNames)
{
    const RecordFile::ReadScope athletes(Channels.AthleteFile);
    const AthleteFields kept;
    if (!Channels.AthleteFile.isOpen())
        OpenAthleteFile();

    std::vector<TimingEntry> entries;
    entries.reserve(MaxSlots);
    LineText tail;
    LineText line;
    for (int slot = 1; slot <= MaxSlots; ++slot) {
        if (Race.SlotAthleteId[slot] == 0)
            continue;
        // The start order of run 2 holds those whose run 1 is "ok" only.
        if (order == TimingOrder::SecondRun && Race.SlotStatus1[slot] != 0)
            continue;
        QString name;
        if (!reuseRankingNames || !RankingReadName(slot, &name))
            name = athleteNameOf(slot);
        if (name.isEmpty())
            continue;
        TimingEntry &e = entries.emplace_back();
        e.slot = slot;
        tail.clear();
        tail.append(name);
        tail.appendBlanks(11);
        tail.appendInt(slot);
        describe(e, order, tail.view(), line);
    }
    kept.restore();
    const std::vector<int> sorted = sortedOrder(entries);

    TimingListLines out;
    out.keyLines.reserve(qsizetype(entries.size()));
    out.visibleLines.reserve(qsizetype(entries.size()) * 2);
    const bool separators = withClasses(order);
    const TimingEntry *previous = nullptr;
    for (const int index : sorted) {
        TimingEntry &e = entries[std::size_t(index)];
        // The first group gets its separator too, also group 0.
        if (separators && (!previous || e.group != previous->group))
            out.visibleLines.append(TimingSeparatorLine(designationOf(e.slot)));
        out.keyLines.append(std::move(e.keyLine));
        out.visibleLines.append(std::move(e.visibleLine));
        previous = &e;
    }
    return out;
}

} // namespace

TimingListLines BuildTimingLines(TimingOrder order)
{
    return buildTimingLines(order, false);
}

void ComputeTimingLists(TimingOrder order)
{
    // The ranking and the lines read the same athletes: the file once for both.
    const RecordFile::ReadScope athletes(Channels.AthleteFile);
    const AthleteFields kept;
    RankForTimingOrder(order);
    TimingLines = buildTimingLines(order, true);
    kept.restore();
}
