#pragma once
// The per-race text files of ActiveRaceNo: entry table (R), team names (M),
// group names (G) and class table (K).
#include <QString>

// DataDir & letter & the race number as the number-to-text conversion writes
// it & extension: RaceFileName(u'R', ".dat") is "R 5.dat" for race 5.
QString RaceFileName(QChar letter, const QString &extension);

// Clears the race tables and reads the four files of ActiveRaceNo.
void LoadRaceFiles();

// Writes the four files, beeping when that fails, but checks no athlete and
// leaves the reminder as it is (SaveRaceFiles in Form17.h runs it first):
// for the saves a window makes while it is open, between the ones on closing
// that remind, and for the routines. False when a file could not be written
// (true without a race: nothing to write).
bool SaveRaceFilesWithoutReminder();

// Writes the four files of ActiveRaceNo from the tables, all four or none,
// also across a crash; false when the new set could not be saved whole.
bool WriteRaceFiles();

// Finishes or throws away a save of the four files that a crash interrupted
// (the protocol is described in RaceFiles.cpp); LoadRaceFiles and
// WriteRaceFiles call it first, and so does whatever else handles the files
// as a whole. False when an unfinished set could not be settled.
bool SettleRaceFiles();

// The reminder lines for the athletes of the race without sex or birth date,
// in slot order ("17   MAIER Hans m/w ?", then "... Geburtsdatum ?"). Reads
// every athlete of the race (the athlete variables end at the last one).
QStringList MissingDataLines();
