#pragma once
// The combination file of a race ("Z n.dat" in the data directory): the
// short names of the combined races and, for each of the 1000 participants,
// the athlete number and the times (the sum, then one per combined race).
// Its existence alone makes a race a combination race for the result list.
// The routines work on CupTable (CupTable.h) and on race RaceRecordNo.
//
// Layout, 12,010 lines: CombiRaceNames 1..10 as text, then per participant
// i = 1..1000 CupAthleteNo(i) and CombiTimes(i, 0..10) as number lines
// (" 132,45 ").
#include <QString>

constexpr int CombinationNameLines = 10;
constexpr int CombinationLinesPerEntry = 12;
constexpr int CombinationFileLines = CombinationNameLines + 1000 * CombinationLinesPerEntry;

// DataDir & "Z" & the race number with its leading blank & ".dat".
QString CombinationFileName();
bool CombinationFileExists();

// Writes the whole file from CombiRaceNames, CupAthleteNo and CombiTimes,
// replacing an earlier one; false when it could not be written (an earlier
// file is then left as it was).
bool WriteCombinationFile();

// Clears CombiRaceNames, CupAthleteNo and CombiTimes and reads them from the
// file as far as it goes; values past its end stay 0 or "". Returns the
// number of lines read (0 for a missing file), so that a caller can tell
// the values read from those a short file left out.
int ReadCombinationFile();

// The line (1-based) that holds CombiTimes(entry, column).
constexpr int CombinationTimeLine(int entry, int column)
{
    return CombinationNameLines + (entry - 1) * CombinationLinesPerEntry + 2 + column;
}
