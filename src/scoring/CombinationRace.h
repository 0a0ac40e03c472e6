#pragma once
// A combination race ("Kombilauf"): the first-run times of several races
// summed per athlete and stored as a new race with its combination file.
#include <cstdint>
#include <vector>

// At most this many races are combined: the combination file has that many
// name lines and time columns.
constexpr int MaxCombinedRaces = 10;

// Builds race newRaceNo from the given races (any order; the highest number
// is the one whose entries the new race holds): ranks each of them by its
// first run with the criteria of the highest one, sums the adjusted run-1
// times into CupTable, writes the new race's header, its race files and its
// combination file. Nothing is built for fewer than two or more than
// MaxCombinedRaces races or a new number below 1 (RacesCombinable); returns
// false then, and when a file could not be written. The missing-data
// reminder is the caller's (the race files are written without it).
bool CombineRaces(std::vector<std::int32_t> races, std::int32_t newRaceNo);
// True when CombineRaces builds a race from these races and number.
bool RacesCombinable(std::vector<std::int32_t> races, std::int32_t newRaceNo);
