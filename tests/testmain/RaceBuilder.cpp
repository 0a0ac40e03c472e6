#include "RaceBuilder.h"

#include <QDate>
#include <algorithm>

#include "core/RaceFiles.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "platform/DateText.h"

void RaceBuilder::openDataFiles()
{
    OpenClubFile();
    OpenAthleteFile();
    OpenRaceFile();
}

int RaceBuilder::addClub(const QString &shortName, const std::optional<QString> &fullName)
{
    return addClubAt(Rec.ClubCount + 1, shortName, fullName);
}

int RaceBuilder::addClubAt(int no, const QString &shortName,
                           const std::optional<QString> &fullName)
{
    ClearClubFields();
    Rec.ClubShortName = shortName;
    Rec.ClubFullName = fullName ? *fullName : shortName + QStringLiteral(" e.V.");
    Rec.CurrentClubNo = no;
    WriteClubRecord();   // raises the count to a record behind the last
    return no;
}

int RaceBuilder::addAthlete(const AthleteFields &a)
{
    const int id = a.id ? a.id : Rec.AthleteCount + 1;
    ClearAthleteFields();
    Rec.AthleteName = a.name;
    Rec.AthleteSex = a.sex;
    Rec.AthleteClub1 = a.clubs[0];
    Rec.AthleteClub2 = a.clubs[1];
    Rec.AthleteClub3 = a.clubs[2];
    Rec.AthleteFederationNo = a.federationNo;
    Rec.AthletePoints = a.points;
    if (a.year)
        Rec.AthleteBirthDate = dates::oleFromDate(QDate(a.year, 3, 1));
    else if (a.birthDate)
        Rec.AthleteBirthDate = a.birthDate;
    Rec.CurrentAthleteId = id;
    WriteAthleteRecord();   // raises the count to a record behind the last
    return id;
}

int RaceBuilder::addEntry(int athlete, const EntryFields &e)
{
    const int slot = e.slot ? e.slot : lastSlot + 1;
    lastSlot = std::max(lastSlot, slot);
    Race.SlotAthleteId[slot] = athlete;
    Race.SlotStartNo[slot] = e.startNo == SlotNumber ? slot : e.startNo;
    Race.SlotTime1[slot] = e.t1;
    Race.SlotTime2[slot] = e.t2;
    Race.SlotStatus1[slot] = e.status1;
    Race.SlotStatus2[slot] = e.status2;
    Race.SlotClass[slot] = e.klass;
    Race.SlotClassOrder[slot] = e.order;
    Race.SlotClassCell[slot] = e.cell;
    Race.SlotClub[slot] = e.club;
    Race.SlotGroup[slot] = e.group;
    Race.SlotTeam[slot] = e.team;
    Race.SlotGuest[slot] = e.guest;
    Race.SlotPoints[slot] = e.points;
    return slot;
}

void RaceBuilder::writeRace(int n, const RaceFields &r)
{
    for (int k = Rec.RaceCount + 1; k < n; ++k) {
        ClearRaceHeader();
        Rec.RaceName.clear();
        Rec.RaceRecordNo = k;
        WriteRaceHeader();
    }
    ClearRaceHeader();
    Rec.RaceName = r.name;
    Rec.RaceShortName = r.shortName;
    Rec.EvalByClass = r.byClass;
    Rec.EvalByTime = r.byTime;
    Rec.EvalBySex = r.bySex;
    Rec.TwoRuns = r.twoRuns;
    Rec.EvalGuestsApart = r.guestsApart;
    Rec.EvalBoarders = r.boarders;
    Rec.GuestTimeHandicap = r.guestHandicap;
    Rec.MenTimeHandicap = r.menHandicap;
    Rec.RaceRecordNo = n;
    Rec.RaceCount = std::max(Rec.RaceCount, std::int32_t(n));
    WriteRaceHeader();
    Race.ActiveRaceNo = n;
    LoadRaceFiles();   // no files yet: empty tables
    lastSlot = 0;
}
