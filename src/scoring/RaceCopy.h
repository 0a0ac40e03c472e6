#pragma once
// A copy of the current race under another number, with its athletes,
// classes, clubs, groups, teams, guests and boarders, and, when asked, its
// start numbers and times; so the same field can be run again as the next
// race of a cup.
#include <QString>
#include <cstdint>

// The number typed for the copy; 0 when it is outside 1..30000.
std::int32_t RaceCopyNumber(const QString &typed);

// True when race n has a name or entries that the copy would overwrite. The
// current race's header and tables in memory stay as they are.
bool RaceHoldsData(std::int32_t n);

// Writes the current race (ActiveRaceNo) as race n, named "Kopie v. " and
// shownName (the race's name as the race window shows it); withRunData keeps
// the start numbers and times. False, with a beep, when a file could not be
// written. The current race stays the current race.
bool WriteRaceCopy(std::int32_t n, bool withRunData, const QString &shownName);
