#pragma once
// The club, athlete and race record files and the settings file. Each file
// has one current record: the routines move it between the file and the
// shared variables of RecordState (SharedState.h).

#include <QString>
#include <vector>

constexpr int ClubRecordLength = 798;
constexpr int AthleteRecordLength = 349;
constexpr int RaceRecordLength = 1137;

// 1 January 1900, the birth date that stands for "not given".
constexpr double NoBirthDate = 2.0;
// 20 July 2005, the date of a cleared race header.
constexpr double ClearedRaceDate = 38553.0;

void OpenClubFile();
void ReadClubRecord();
void ClearClubFields();
void WriteClubRecord();
void CloseClubFile();

void OpenAthleteFile();
void ReadAthleteRecord();
// The fields of athlete record id (1..AthleteCount) that the rankings go by,
// as ReadAthleteRecord would leave them, without making it the current
// athlete: a ranking looks at every entrant's record and needs only these.
struct AthleteRankingFields {
    QString name;   // without blanks at either end
    int club1 = 0, club2 = 0, club3 = 0;
    int sex = 2;
};
void PeekAthleteRecord(int id, AthleteRankingFields &out);
void ClearAthleteFields();
void WriteAthleteRecord();
void CloseAthleteFile();

void OpenRaceFile();

// Opens the athlete and club files where they are not open yet (windows and
// routines that may be reached with the files closed).
void OpenAthleteAndClubFilesIfClosed();
void ReadRaceHeader();
void ClearRaceHeader();
// The evaluation of a race that has no header stored yet: by classes, not
// split by sex, guests or boarders, by time, one run, no handicaps.
// ClearRaceHeader leaves the criteria as they are, so the race windows set
// these where a race is made or first selected.
void SetNewRaceCriteria();
// True when the header of RaceRecordNo lies wholly inside Rennen.rec.
bool RaceHeaderStored();
void WriteRaceHeader();
void CloseRaceFile();
// The trimmed names of races 1..RaceCount as stored, names[r - 1] for race
// r, without touching the race variables. Only the records Rennen.rec holds
// are read: a count above them (a settings file that claims more) names no
// further race, so the list is never longer than the file.
std::vector<QString> ReadRaceNames();

// Zirpa.dat: the athlete, club and race counts and a fourth value kept as read.
void ReadSettingsFile();
void WriteSettingsFile();
