#pragma once
// Club, team and group scoring of the current race from its provisional
// result: which entries count for which club, team or group, the score of
// each, the ranked result lines and the member lines. Touches no window; the
// team results window sets the choice of the scoring below and shows the
// lines.
#include <QString>
#include <QStringList>
#include <array>

#include "core/SharedState.h"

// What is scored: the index 1..100 of an entry in each category is the
// position of its club in RaceClubList, its team number or its group number.
enum class TeamCategory { None = 0, Club = 1, Team = 2, Group = 3 };
enum class TeamScoreKind { BestTime = 1, Average = 2, TimeSum = 3 };
enum class TeamSexFilter { Mixed = 0, MaleOnly = 1, FemaleOnly = 2 };
enum class TeamMemberOrder { ByTime = 0, Alphabetical = 1, ByClass = 2 };

// Score of an index without any finisher in best-time scoring.
constexpr double NoFinisherValue = 99999999;
// Added to a time sum for each of the N times missing.
constexpr double MissingTimePenalty = 100000;

struct TeamScoringState {
    template <typename T> using SlotTable = std::array<T, MaxSlots + 1>;
    template <typename T> using IndexTable = std::array<T, NameCount + 1>;

    // Club record number of the club that counts for the slot's athlete
    // (0: slot unused, no valid selector or a number outside the club file).
    SlotTable<int> SlotClubNo{};
    // The race's clubs, each once, in the order they are met in the slots.
    IndexTable<int> RaceClubList{};
    // The index of the slot's club in RaceClubList; 0 = no club.
    SlotTable<int> SlotClubIndex{};
    // The athlete's sex, refreshed by a scoring with a sex filter.
    SlotTable<int> SlotSex{};
    // 1: the slot's time was one of the N summed for its index.
    SlotTable<int> SlotCounted{};
    // Score of each index from the last scoring (0: nothing scored).
    IndexTable<double> TeamValue{};
    IndexTable<double> TeamTimeSum{};
    // The index whose members were listed last.
    int SelectedTeamIndex = 0;

    // The choice of the next scoring.
    TeamCategory Category = TeamCategory::Club;
    TeamScoreKind ScoreKind = TeamScoreKind::BestTime;
    int TimeSumCount = 2;    // N, 2..10
    TeamSexFilter SexFilter = TeamSexFilter::Mixed;
    TeamMemberOrder MemberOrder = TeamMemberOrder::ByTime;

    // The choice the scores on hand were computed with: member lines and the
    // printout follow it, whatever has been chosen since.
    TeamCategory ScoredCategory = TeamCategory::None;
    TeamScoreKind ScoredKind = TeamScoreKind::BestTime;
    int ScoredTimeSumCount = 2;
    TeamSexFilter ScoredSexFilter = TeamSexFilter::Mixed;

    // A time-sum scoring's sort lines of the last index it scored.
    QStringList LastSortLines;
};

extern TeamScoringState TeamScoring;

// SlotClubNo, RaceClubList and SlotClubIndex of every slot (reads the
// athletes). A club met after the 100th gets no index and is not scored.
void CollectRaceClubs();

// Whether the slot's time counts at all: in use, a total time, both runs
// "ok". Reads the ranking's totals as they stand.
bool SlotFinished(int slot);
// Whether the slot counts for index t in the scored category and sex filter.
bool SlotCountsFor(int slot, int t);

// Scores every index of the chosen category by the chosen kind into
// TeamValue (and TeamTimeSum, SlotCounted) from the totals of the last
// ComputeProvisionalResult. Records the choice as the scored one.
void ScoreTeams();

// The name of index t in the scored category: for a club its short name as
// stored (padded), for a team or group its name.
QString TeamIndexName(int t);

// The result line of every scored index: score in 10, a blank, the first 20
// characters of the name, five blanks, the index with its leading blank.
// Unsorted; the result list sorts them.
QStringList TeamResultLines();
// The index a result line ends with (0 when none of 1..100).
int TeamIndexOfLine(const QString &line);

// The member lines of SelectedTeamIndex in MemberOrder: key, three blanks,
// the athlete's name, seven blanks, the slot with its leading blank.
// Unsorted; the member list sorts them. Reads the athletes.
QStringList TeamMemberLines();
// The slot a member line ends with (0 when none).
int SlotOfMemberLine(const QString &line);

// The lines of the window's lists on opening: the race's clubs, the teams
// that have entries ("  n Name            t"), the named groups.
QStringList RaceClubLines();
QStringList TeamsWithEntriesLines();
QStringList NamedGroupLines();
