#pragma once
// The entry lists of the time entry: one key line per entry in the hidden
// list, the lines the timekeeper picks from in the visible one. Every visible
// entry line ends with 11 blanks and the slot number, so its last 5
// characters give the slot; a separator line gives 0 there.
#include <QString>
#include <QStringList>

// The five orders, numbered as the option buttons of Form7.
enum class TimingOrder {
    StartNo = 1,        // "Startnummer"
    Times = 2,          // "Zeiten": run 1 + run 2, unadjusted
    ClassStartNo = 3,   // "Klasse / Startnummer"
    ClassTime = 4,      // "Klasse / Zeit": the ranking's total
    SecondRun = 5,      // "2. Durchgang": start order of run 2
};

struct TimingListLines {
    QStringList keyLines;       // in list order: key, blank, name, 11 blanks, slot
    QStringList visibleLines;   // entry lines, with separators in the class orders
};

// The ranking the order reads: RankAfterRun1 for the second run, else
// ComputeProvisionalResult, each with its lines left until the ranking
// window shows them (MakeRankingLines).
void RankForTimingOrder(TimingOrder order);

// Both lists from the entry table and the ranking results as they stand
// (RankForTimingOrder first). Reads each listed athlete once; the current
// athlete and its fields are as before afterwards.
TimingListLines BuildTimingLines(TimingOrder order);

// "----- " & designation & " -----------------------------------".
QString TimingSeparatorLine(const QString &designation);

// The run-2 start key of an entry after RankAfterRun1: the best 15 (more on
// shared places) reversed before everybody else in run-1 order
// (rank 3, 61.5 s gives "49938,50"; rank 16, 61.5 s "50061,50").
QString Run2StartKey(int rank, double adjTime1);

// The slot at the end of a visible line (its last 5 characters); 0 for a
// separator line.
int SlotOfTimingLine(const QString &line);

// The lists the last ComputeTimingLists built (the time entry shows them).
extern TimingListLines TimingLines;

// Ranks the race for the order (RankForTimingOrder) and builds both lists
// into TimingLines, reading the athletes once for both. The current athlete
// and its fields are as before afterwards.
void ComputeTimingLists(TimingOrder order);
