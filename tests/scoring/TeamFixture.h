#pragma once
// A small race for the club, team and group scoring: clubs, athletes and
// entries written by the test, times already typed.
#include <QDate>
#include <array>

#include "GuiTestHelpers.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "platform/DateText.h"
#include "race/Ranking.h"

struct TeamEntry {
    QString name;
    double t1 = 60;
    double t2 = 0;
    int team = 0;
    int group = 0;
    int club = 1;                       // club record of the athlete's first club field
    int selector = 1;                   // SlotClub
    std::array<int, 3> clubs{0, 0, 0};  // when set, the three club fields as they are
    int sex = 1;
    int status1 = 0, status2 = 0;
    int classOrder = 1;
};

class TeamRaceTest : public WindowDataTest {
protected:
    void SetUp() override
    {
        WindowDataTest::SetUp();
        OpenClubFile();
        OpenAthleteFile();
        OpenRaceFile();
        Rec.RaceName = QStringLiteral("Vereinsmeisterschaft");
        Rec.RaceShortName.clear();
        Rec.EvalByClass = 1;
        Rec.EvalByTime = 1;
        Rec.TwoRuns = 0;
        Rec.GuestTimeHandicap = 0;
        Rec.MenTimeHandicap = 0;
        Rec.RaceRecordNo = 1;
        Race.ActiveRaceNo = 1;
    }

    int addClub(const QString &shortName, const QString &fullName = QString())
    {
        ClearClubFields();
        Rec.ClubShortName = shortName;
        Rec.ClubFullName = fullName.isEmpty() ? shortName + QStringLiteral(" e.V.") : fullName;
        Rec.CurrentClubNo = ++Rec.ClubCount;
        WriteClubRecord();
        return Rec.ClubCount;
    }

    int add(const TeamEntry &e)
    {
        const int id = ++Rec.AthleteCount;
        ClearAthleteFields();
        Rec.AthleteName = e.name;
        Rec.AthleteSex = e.sex;
        const bool ownClubs = e.clubs != std::array<int, 3>{0, 0, 0};
        Rec.AthleteClub1 = ownClubs ? e.clubs[0] : e.club;
        Rec.AthleteClub2 = ownClubs ? e.clubs[1] : 0;
        Rec.AthleteClub3 = ownClubs ? e.clubs[2] : 0;
        Rec.AthleteBirthDate = dates::oleFromDate(QDate(1990, 3, 1));
        Rec.CurrentAthleteId = id;
        WriteAthleteRecord();
        const int slot = ++lastSlot;
        Race.SlotAthleteId[slot] = id;
        Race.SlotStartNo[slot] = slot;
        Race.SlotTime1[slot] = e.t1;
        Race.SlotTime2[slot] = e.t2;
        Race.SlotStatus1[slot] = e.status1;
        Race.SlotStatus2[slot] = e.status2;
        Race.SlotClass[slot] = 1;
        Race.SlotClassOrder[slot] = e.classOrder;
        Race.SlotClassCell[slot] = 0;
        Race.SlotClub[slot] = e.selector;
        Race.SlotTeam[slot] = e.team;
        Race.SlotGroup[slot] = e.group;
        return slot;
    }

    static QStringList lines(const ListBox &list)
    {
        QStringList out;
        for (int i = 0; i < list.ListCount(); ++i)
            out << list.List(i);
        return out;
    }

    int lastSlot = 0;
};
