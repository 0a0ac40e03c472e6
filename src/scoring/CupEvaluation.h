#pragma once
// The cup evaluation: every marked race of the cup window ranked again from
// its saved files, each participant's place per race turned into points by
// the points table, the drop results taken off and the participants ranked
// class cell by class cell. Fills CupTable (lists/CupTable.h) and the lines
// the cup window shows (CupLines); writes no file. The entry table in memory
// ends up holding the last race ranked, changed; the cup window reloads the
// race that was current when it closes.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

// What the last evaluation leaves for the cup window.
struct CupEvaluationLines {
    QStringList Names;          // the participants' names, in text order
    int ParticipantCount = 0;
    // The ranking key of every participant (CupRankingKey), in text order:
    // the order of the printout.
    QStringList SortLines;
    // Per class cell a heading line, then one line per participant.
    QStringList DisplayLines;
    // The drop results taken off per row; DropsLowered when fewer than
    // asked, as there are not that many columns.
    double Drops = 0;
    bool DropsLowered = false;
};
extern CupEvaluationLines CupLines;

// Evaluates the given races (highest number first, as the cup window's
// marked lines) with drops drop results per participant (its magnitude).
void EvaluateCup(const std::vector<std::int32_t> &races, double drops);

// The steps of the evaluation that work on CupTable alone, rows 1 up to the
// first row with athlete number 0, columns 1..CupRaceCount.

// Marks `steps` drop results per row (CupDropped): first the highest column
// the participant was not in, did not finish or has no place in, then the
// worst place, of equal places the longest time (of equal times the first
// column).
void DropCupResults(int steps);
// CupPoints of every column from PointsTable (0 for a dropped column, one
// with a run status, or a place beyond 100), column 0 their sum.
void ComputeCupPoints();
// The sort line of a row in List4: class cell in 3 characters, 9999 minus
// the total in 4, a blank, the name, six blanks, the row number in the last
// 5 characters.
QString CupRankingKey(int row, const QString &name);
// The row number at the end of a sort line (0 when it names no row).
int CupRowOfKey(const QString &line);
// The designation of a class cell of the cup ("" for a code out of range).
QString CupClassName(int cell);
