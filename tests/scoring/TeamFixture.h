#pragma once
// A small race for the club, team and group scoring: clubs, athletes and
// entries written by the test, times already typed.
#include <QDate>
#include <array>

#include "GuiTestHelpers.h"
#include "RaceBuilder.h"
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

class TeamRaceTest : public WindowDataTest, protected RaceBuilder {
protected:
    void SetUp() override
    {
        WindowDataTest::SetUp();
        openDataFiles();
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

    int add(const TeamEntry &e)
    {
        const bool ownClubs = e.clubs != std::array<int, 3>{0, 0, 0};
        const int id = addAthlete({.name = e.name,
                                   .sex = e.sex,
                                   .year = 1990,
                                   .clubs = ownClubs ? e.clubs : std::array<int, 3>{e.club, 0, 0}});
        return addEntry(id, {.startNo = SlotNumber,
                             .t1 = e.t1,
                             .t2 = e.t2,
                             .status1 = e.status1,
                             .status2 = e.status2,
                             .klass = 1,
                             .order = e.classOrder,
                             .club = e.selector,
                             .group = e.group,
                             .team = e.team});
    }
};
