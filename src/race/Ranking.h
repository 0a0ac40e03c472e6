#pragma once
// Ranking of the current race, each ranking group (start-order number or
// group) by itself. The per-slot results below are what the time entry, the
// printed lists and every scoring read.
#include <QString>
#include <QStringList>
#include <array>
#include <cmath>
#include <memory>

#include "core/SharedState.h"

// What the sort and display lines of a ranking are made from.
struct RankingLineSource;

struct RankingState {
    template <typename T> using SlotTable = std::array<T, MaxSlots + 1>;
    // Slot at ranking position p = 1..n; 0 after the last ranked entry
    // (ComputeProvisionalResult; RankAfterRun1 leaves positions after n).
    SlotTable<int> RankOrder{};
    // Rank inside the ranking group: 1, 1, 3 after ComputeProvisionalResult
    // (0 when not ranked), dense 1, 1, 2 after RankAfterRun1 (entries it does
    // not rank keep theirs).
    SlotTable<int> SlotRank{};
    // 1 for the first ranked entry of each ranking group.
    SlotTable<int> ClassFirstFlag{};
    // Times with the guest and men handicaps; 0 for entries not ranked.
    SlotTable<double> SlotAdjTime1{};
    SlotTable<double> SlotAdjTime2{};
    SlotTable<double> SlotTotalTime{};
    // The best totals of women and men from class BestTimeFromClass + 1 on;
    // 99999 when there is none (RankAfterRun1: 99999 and 999999).
    double BestTimeFemale = 99999;
    double BestTimeMale = 99999;
    // Ranked entries of the last ranking (positions 1..RankedCount).
    int RankedCount = 0;
    // The sort line of every ranked entry in ranking order (group, value,
    // name, slot); the order itself is worked out on numbers.
    QStringList SortLines;
    // The ranking as the user reads it: per ranking group an empty line, the
    // header line and one line per entry. ComputeProvisionalResult alone
    // writes them (the ranking window shows them).
    QStringList DisplayLines;
    // Set while the lines of the last ranking are still to be made: the
    // timing lists rank on every change, and the lines are for the ranking
    // window alone (MakeRankingLines).
    std::shared_ptr<const RankingLineSource> LinesToMake;

    // The club whose entries alone ComputeProvisionalResult ranks (its
    // record number), or 0 for the whole race. The print window passes its
    // club choice in here (a club only while its club result
    // ("Vereinswertung") is ticked and a club chosen, and it is shown).
    int ClubFilter = 0;
};

extern RankingState Ranking;

// Two ranking values this close are equal: sums of times typed to the
// hundredth differ in their last bits (30,00 + 30,02 and 30,01 + 30,01).
constexpr double EqualValueTolerance = 1e-6;

inline bool RankingValuesEqual(double a, double b)
{
    return std::fabs(a - b) <= EqualValueTolerance;
}

// The numbers a ranking orders its entries by: the ranking group, then the
// value rounded to the hundredth (num::roundHalfAway(value, 2)). The text
// order of the names decides only among entries equal in both.
struct RankingNumbers {
    int group = 0;
    double sortValue = 0;
};

inline bool RankingNumbersLess(const RankingNumbers &a, const RankingNumbers &b)
{
    if (a.group != b.group)
        return a.group < b.group;
    return a.sortValue < b.sortValue;
}

// The result ranking (provisional while times are still coming in), with
// its sort and display lines.
void ComputeProvisionalResult();
// The same ranking, with the same results and work fields, for a caller that
// shows no ranking window: the sort and display lines are not built (left
// empty).
void ComputeRankingWithoutWindow();
// Dense ranks after the first run, for the start order of the second run,
// with their sort lines; the display lines are left empty.
void RankAfterRun1();
// ComputeProvisionalResult and RankAfterRun1 with their lines left to
// MakeRankingLines: the same results and work fields, the sort and display
// lines empty until then.
void ComputeProvisionalResultLinesLater();
void RankAfterRun1LinesLater();
// Makes the lines the last ranking left to be made, as it would have made
// them then; nothing when there are none to make.
void MakeRankingLines();

// For as long as it lives, the rankings cover the whole race whatever the
// print window's club choice; the choice is put back when it goes (also on
// an early return), for the next printout that ranks by club.
class WholeRaceRanking {
public:
    WholeRaceRanking() : kept_(Ranking.ClubFilter) { Ranking.ClubFilter = 0; }
    ~WholeRaceRanking() { Ranking.ClubFilter = kept_; }
    WholeRaceRanking(const WholeRaceRanking &) = delete;
    WholeRaceRanking &operator=(const WholeRaceRanking &) = delete;

private:
    int kept_;
};

// The trimmed name of a slot's athlete as the last ComputeProvisionalResult
// or RankAfterRun1 read it; false when it did not read that slot or the slot
// holds another athlete now. Good only while the athlete file is unchanged
// since that ranking (the timing lists use it right after theirs).
bool RankingReadName(int slot, QString *name);
