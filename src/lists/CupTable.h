#pragma once
// The participant table of several races that the cup evaluation and the
// combination race fill, the cup printout and the combination result list
// read. Row i (1..1000) is one participant, the first row with athlete
// number 0 ends the table; column c (1..10) is one evaluated race (or second
// run), column 0 the total. It lives here, below the scoring, because the
// result list reads the combination file into it.
#include <QString>
#include <array>

#include "core/SharedState.h"

constexpr int CupRows = 1000;       // participants 1..1000 (0 unused)
constexpr int CupColumns = 10;      // race columns 1..10, column 0 the total

struct CupTableState {
    template <typename T> using RowTable = std::array<T, CupRows + 1>;
    template <typename T> using CellTable = std::array<std::array<T, CupColumns + 1>, CupRows + 1>;

    // Per participant.
    RowTable<int> CupAthleteNo{};   // athlete record number; 0 ends the table
    RowTable<int> CupClassCell{};   // class cell code 0..159 the participant is ranked under

    // Per participant and column.
    CellTable<double> CombiTimes{}; // seconds; column 0 the sum in a combination
    CellTable<int> CupPoints{};     // column 0 the total
    CellTable<int> CupPlace{};      // 99 = not in that race
    CellTable<int> CupStatus{};     // 0 ok, 1 naS (also: not in the race), 2 niZ, 3 dis
    CellTable<int> CupDropped{};    // 1 = one of the participant's drop results

    // Per column: short names of the combined races, "" for a column without one.
    std::array<QString, CupColumns + 1> CombiRaceNames{};
    // Designations of the class cells of the cup's lowest-numbered race.
    std::array<QString, CellCount> CupClassNames{};
    // Columns in use, 0..10.
    int CupRaceCount = 0;

    // Everything back to zero and "" (in place: the table is too big for a
    // temporary on the stack).
    void clear();
};

extern CupTableState CupTable;
