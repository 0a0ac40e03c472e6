#include "TeamScoring.h"

#include <algorithm>

#include "core/NumberTimeText.h"
#include "core/RecordFiles.h"
#include "lists/ListRows.h"
#include "platform/NumberText.h"
#include "platform/Strings.h"
#include "platform/TextOrder.h"
#include "race/Ranking.h"

TeamScoringState TeamScoring;

namespace {

const bool registered = registerStateReset([] { TeamScoring = TeamScoringState{}; });

bool isIndex(int t) { return t >= 1 && t <= NameCount; }

// The short name of club record n as stored; empty for a number outside the
// club file.
QString clubShortName(int n)
{
    if (n < 1 || n > Rec.ClubCount)
        return {};
    Rec.CurrentClubNo = n;
    ReadClubRecord();
    return Rec.ClubShortName;
}

// The slot's index in a category (0: none).
int indexOf(int slot, TeamCategory category)
{
    int t = 0;
    switch (category) {
    case TeamCategory::Club: t = TeamScoring.SlotClubIndex[slot]; break;
    case TeamCategory::Team: t = Race.SlotTeam[slot]; break;
    case TeamCategory::Group: t = Race.SlotGroup[slot]; break;
    case TeamCategory::None: break;
    }
    return isIndex(t) ? t : 0;
}

// Whether index t is there at all in the category: a club of the race, a
// named team or group.
bool indexExists(int t, TeamCategory category)
{
    switch (category) {
    case TeamCategory::Club: return TeamScoring.RaceClubList[t] != 0;
    case TeamCategory::Team: return !trimBlanks(Race.TeamNames[t]).isEmpty();
    case TeamCategory::Group: return !trimBlanks(Race.GroupNames[t]).isEmpty();
    case TeamCategory::None: break;
    }
    return false;
}

bool passesSexFilter(int slot)
{
    const int sex = TeamScoring.SlotSex[slot];
    switch (TeamScoring.ScoredSexFilter) {
    case TeamSexFilter::MaleOnly: return sex != 0;
    case TeamSexFilter::FemaleOnly: return sex != 1;
    case TeamSexFilter::Mixed: break;
    }
    return true;
}

QString decimal10(double value)
{
    Work.CurrentSlot = value;
    FormatDecimal10();
    return Work.WorkText;
}

QString decimal8(double value)
{
    Work.CurrentSlot = value;
    FormatDecimal8();
    return Work.WorkText;
}

void scoreBestTime()
{
    TeamScoringState &s = TeamScoring;
    for (int t = 1; t <= NameCount; ++t)
        s.TeamValue[t] = NoFinisherValue;
    for (int slot = 1; slot <= MaxSlots; ++slot) {
        const int t = indexOf(slot, s.ScoredCategory);
        if (t != 0 && SlotCountsFor(slot, t) && Ranking.SlotTotalTime[slot] < s.TeamValue[t])
            s.TeamValue[t] = Ranking.SlotTotalTime[slot];
    }
}

void scoreAverage()
{
    TeamScoringState &s = TeamScoring;
    std::array<int, NameCount + 1> members{};
    for (int slot = 1; slot <= MaxSlots; ++slot) {
        const int t = indexOf(slot, s.ScoredCategory);
        if (t == 0 || !SlotCountsFor(slot, t))
            continue;
        s.TeamValue[t] += Ranking.SlotTotalTime[slot];
        members[t] += 1;
    }
    for (int t = 1; t <= NameCount; ++t)
        if (members[t] > 0)
            s.TeamValue[t] /= members[t];
}

// The N best totals of each index, as shown to the hundredth; each missing
// one costs the penalty, so that a full team always ranks first.
void scoreTimeSum()
{
    TeamScoringState &s = TeamScoring;
    const int n = s.ScoredTimeSumCount;
    SortedTextList order;
    for (int t = 1; t <= NameCount; ++t) {
        if (!indexExists(t, s.ScoredCategory))
            continue;
        order.clear();
        for (int slot = 1; slot <= MaxSlots; ++slot)
            if (indexOf(slot, s.ScoredCategory) == t && SlotCountsFor(slot, t))
                order.add(decimal10(Ranking.SlotTotalTime[slot]) + blanks(10)
                          + QString::number(slot));
        const int count = std::min(order.count(), n);
        for (int i = 0; i < count; ++i) {
            const QString &line = order.at(i);
            s.TeamTimeSum[t] += num::decimalCommaValue(leftChars(line, 10));
            const int slot = num::toInt32(num::numericValue(rightChars(line, 4)));
            if (slot >= 1 && slot <= MaxSlots)
                s.SlotCounted[slot] = 1;
        }
        s.TeamValue[t] = s.TeamTimeSum[t] + (n - count) * MissingTimePenalty;
        s.LastSortLines = order.lines();
    }
}

} // namespace

void CollectRaceClubs()
{
    const RecordFile::ReadScope athletes(Channels.AthleteFile);
    TeamScoringState &s = TeamScoring;
    for (int slot = 1; slot <= MaxSlots; ++slot) {
        s.SlotClubNo[slot] = 0;
        const int selector = Race.SlotClub[slot];
        if (Race.SlotAthleteId[slot] == 0 || selector < 1 || selector > 3)
            continue;
        ReadSlotAthleteRecord(slot);
        const int club = selector == 1 ? Rec.AthleteClub1
            : selector == 2            ? Rec.AthleteClub2
                                       : Rec.AthleteClub3;
        s.SlotClubNo[slot] = club >= 1 && club <= Rec.ClubCount ? club : 0;
    }

    s.RaceClubList.fill(0);
    int used = 0;
    for (int slot = 1; slot <= MaxSlots; ++slot) {
        const int club = s.SlotClubNo[slot];
        if (club <= 0 || used == NameCount)
            continue;
        if (std::find(s.RaceClubList.begin() + 1, s.RaceClubList.begin() + 1 + used, club)
            == s.RaceClubList.begin() + 1 + used)
            s.RaceClubList[++used] = club;
    }

    for (int slot = 1; slot <= MaxSlots; ++slot) {
        s.SlotClubIndex[slot] = 0;
        const int club = s.SlotClubNo[slot];
        if (club <= 0)
            continue;
        for (int t = 1; t <= used; ++t)
            if (s.RaceClubList[t] == club) {
                s.SlotClubIndex[slot] = t;
                break;
            }
    }
}

bool SlotFinished(int slot)
{
    return slot >= 1 && slot <= MaxSlots && Race.SlotAthleteId[slot] != 0
        && Ranking.SlotTotalTime[slot] != 0 && Race.SlotStatus1[slot] == 0
        && Race.SlotStatus2[slot] == 0;
}

bool SlotCountsFor(int slot, int t)
{
    return isIndex(t) && SlotFinished(slot) && indexOf(slot, TeamScoring.ScoredCategory) == t
        && passesSexFilter(slot);
}

void ScoreTeams()
{
    const RecordFile::ReadScope athletes(Channels.AthleteFile);
    TeamScoringState &s = TeamScoring;
    s.ScoredCategory = s.Category;
    s.ScoredKind = s.ScoreKind;
    s.ScoredTimeSumCount = std::clamp(s.TimeSumCount, 2, 10);
    s.ScoredSexFilter = s.SexFilter;
    s.LastSortLines.clear();

    s.SlotCounted.fill(0);
    if (s.ScoredSexFilter != TeamSexFilter::Mixed)
        for (int slot = 1; slot <= MaxSlots; ++slot)
            if (SlotFinished(slot)) {
                ReadSlotAthleteRecord(slot);
                s.SlotSex[slot] = Rec.AthleteSex;
            }

    s.TeamValue.fill(0);
    s.TeamTimeSum.fill(0);
    if (s.ScoredCategory == TeamCategory::None)
        return;
    switch (s.ScoredKind) {
    case TeamScoreKind::BestTime: scoreBestTime(); break;
    case TeamScoreKind::Average: scoreAverage(); break;
    case TeamScoreKind::TimeSum: scoreTimeSum(); break;
    }
}

QString TeamIndexName(int t)
{
    if (!isIndex(t))
        return {};
    switch (TeamScoring.ScoredCategory) {
    case TeamCategory::Club: return clubShortName(TeamScoring.RaceClubList[t]);
    case TeamCategory::Team: return Race.TeamNames[t];
    case TeamCategory::Group: return Race.GroupNames[t];
    case TeamCategory::None: break;
    }
    return {};
}

QStringList TeamResultLines()
{
    QStringList lines;
    for (int t = 1; t <= NameCount; ++t) {
        const double value = TeamScoring.TeamValue[t];
        if (value == 0 || value == NoFinisherValue)
            continue;
        const QString name = TeamIndexName(t);
        // A club's short name is stored padded; team and group names are not.
        const QString shown = TeamScoring.ScoredCategory == TeamCategory::Club
            ? fitLeft(name, 20)
            : leftChars(name, 20);
        lines << decimal10(value) + u' ' + shown + blanks(5) + num::numberText(t);
    }
    return lines;
}

int TeamIndexOfLine(const QString &line)
{
    const int t = num::toInt32(num::numericValue(trimBlanks(rightChars(line, 6))));
    return isIndex(t) ? t : 0;
}

QStringList TeamMemberLines()
{
    const RecordFile::ReadScope athletes(Channels.AthleteFile);
    QStringList lines;
    const int t = TeamScoring.SelectedTeamIndex;
    if (!isIndex(t))
        return lines;
    for (int slot = 1; slot <= MaxSlots; ++slot) {
        if (!SlotCountsFor(slot, t))
            continue;
        ReadSlotAthleteRecord(slot);
        QString key;
        switch (TeamScoring.MemberOrder) {
        case TeamMemberOrder::ByTime: key = decimal8(Ranking.SlotTotalTime[slot]); break;
        case TeamMemberOrder::Alphabetical: break;
        case TeamMemberOrder::ByClass:
            key = rightChars(blanks(2) + num::numberText(Race.SlotClassOrder[slot]), 3);
            break;
        }
        lines << key + blanks(3) + trimBlanks(Rec.AthleteName) + blanks(7)
                + num::numberText(slot);
    }
    return lines;
}

int SlotOfMemberLine(const QString &line)
{
    const int slot = num::toInt32(num::numericValue(trimBlanks(rightChars(line, 6))));
    return slot >= 1 && slot <= MaxSlots ? slot : 0;
}

QStringList RaceClubLines()
{
    QStringList lines;
    for (int t = 1; t <= NameCount; ++t)
        if (TeamScoring.RaceClubList[t] != 0)
            lines << clubShortName(TeamScoring.RaceClubList[t]);
    return lines;
}

QStringList TeamsWithEntriesLines()
{
    std::array<int, NameCount + 1> entries{};
    for (int slot = 1; slot <= MaxSlots; ++slot)
        if (Race.SlotAthleteId[slot] != 0 && isIndex(Race.SlotTeam[slot]))
            entries[Race.SlotTeam[slot]] += 1;
    QStringList lines;
    for (int t = 1; t <= NameCount; ++t)
        if (!trimBlanks(Race.TeamNames[t]).isEmpty() && entries[t] != 0)
            lines << rightChars(blanks(2) + num::numberText(entries[t]), 3) + u' '
                    + Race.TeamNames[t] + blanks(12) + num::numberText(t);
    return lines;
}

QStringList NamedGroupLines()
{
    QStringList lines;
    for (int t = 1; t <= NameCount; ++t)
        if (!trimBlanks(Race.GroupNames[t]).isEmpty())
            lines << Race.GroupNames[t];
    return lines;
}
