#include <QDate>
#include <vector>

#include "TestSupport.h"
#include "RaceBuilder.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "core/StartUp.h"
#include "platform/Beep.h"
#include "platform/Clock.h"
#include "race/ClassAssignment.h"
#include "race/Form10.h"

namespace {

class ClassAssignmentTest : public DataDirTest, protected RaceBuilder {
protected:
    void SetUp() override
    {
        DataDirTest::SetUp();
        sysclock::setFixedNow(QDateTime(QDate(2026, 3, 10), QTime(10, 0)));
        ComputeSeasonYearOffset();
        LoadStandardClassTable();
        OpenAthleteFile();
        Race.ActiveRaceNo = 1;
    }

    // Athlete id born in the year, entered in slot id.
    void enter(int id, int year, int sex = 1)
    {
        addEntry(addAthlete({.name = QStringLiteral("ATHLET %1").arg(id),
                             .sex = sex,
                             .year = year,
                             .id = id}),
                 {.slot = id});
    }

    void setClass(int k, const QString &name, int first, int last)
    {
        Race.ClassNames[k] = name;
        Race.ClassYears[k] = {first, last};
    }
};

TEST_F(ClassAssignmentTest, OverlappingRanges_HighestClassWinsAndEveryRangeCounts)
{
    setClass(3, QStringLiteral("Kinder U8"), 2000, 2005);
    setClass(4, QStringLiteral("Kinder U9"), 2004, 2010);
    enter(1, 2004);
    enter(2, 2001);
    enter(3, 2008);
    AssignClasses();
    EXPECT_EQ(Race.SlotClass[1], 4);
    EXPECT_EQ(Race.SlotClass[2], 3);
    EXPECT_EQ(Race.SlotClass[3], 4);
    EXPECT_EQ(Classes.ClassEntryCount[3], 2);
    EXPECT_EQ(Classes.ClassEntryCount[4], 2);
    EXPECT_EQ(Classes.ClassOkCount[3], 2);
    EXPECT_EQ(Classes.ClassOkCount[4], 2);
}

TEST_F(ClassAssignmentTest, CellCode_FollowsTheCriteriaThatAreSwitchedOn)
{
    struct Case {
        int sex, guest, boarder;
        std::uint8_t bySex, guestsApart, boarders;
        int cell;
    };
    // Class 2 holds cells 8..15.
    const Case cases[] = {
        {0, 0, 0, 0, 0, 0, 8},  {1, 0, 0, 0, 0, 0, 8},  {0, 0, 0, 1, 0, 0, 8},
        {1, 0, 0, 1, 0, 0, 9},  {1, 1, 0, 1, 1, 0, 11}, {0, 1, 1, 1, 1, 1, 14},
        {1, 1, 1, 1, 1, 1, 15}, {1, 1, 1, 0, 0, 0, 8},  {0, 1, 1, 0, 1, 0, 10},
        {0, 1, 1, 0, 0, 1, 12},
        // Sex not set, race split by sex: placed as without the split.
        {2, 0, 0, 1, 0, 0, 8},  {2, 1, 0, 1, 1, 0, 10},
        // Guest and boarder parts count only for the value 1.
        {1, 2, 0, 1, 1, 0, 9},  {1, -1, 0, 1, 1, 0, 9}, {0, 0, 5, 0, 0, 1, 8},
        // A criterion byte other than 1 is off.
        {1, 1, 1, 2, 2, 2, 8},
    };
    setClass(2, QStringLiteral("Bambini 2"), 2015, 2018);
    for (int s = 0; s < 2; ++s)
        for (int g = 0; g < 2; ++g)
            for (int b = 0; b < 2; ++b)
                Race.ClassCellOrder[2][s][g][b] = 100 + s + 10 * g + 20 * b;
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "sex " << c.sex << " guest " << c.guest << " boarder "
                                        << c.boarder << " criteria " << int(c.bySex)
                                        << int(c.guestsApart) << int(c.boarders));
        enter(1, 2016, c.sex);
        Race.SlotGuest[1] = c.guest;
        Race.SlotBoarder[1] = c.boarder;
        Rec.EvalBySex = c.bySex;
        Rec.EvalGuestsApart = c.guestsApart;
        Rec.EvalBoarders = c.boarders;
        AssignClasses();
        EXPECT_EQ(Race.SlotClass[1], 2);
        EXPECT_EQ(Race.SlotClassCell[1], c.cell);
        const int rel = c.cell - 8;
        EXPECT_EQ(Race.SlotClassOrder[1], 100 + (rel & 1) + 10 * ((rel >> 1) & 1) + 20 * (rel >> 2));
    }
}

TEST_F(ClassAssignmentTest, CellCode_StaysInsideItsClassForAnyStoredValues)
{
    setClass(20, QStringLiteral("AK 6"), 1900, 1934);
    for (int sex : {0, 1, 2})
        for (int guest : {-3, 0, 1, 2, 99})
            for (int boarder : {-1, 0, 1, 7})
                for (std::uint8_t on : {0, 1, 255}) {
                    enter(1, 1930, sex);
                    Race.SlotGuest[1] = guest;
                    Race.SlotBoarder[1] = boarder;
                    Rec.EvalBySex = Rec.EvalGuestsApart = Rec.EvalBoarders = on;
                    AssignClasses();
                    EXPECT_GE(Race.SlotClassCell[1], 152);
                    EXPECT_LE(Race.SlotClassCell[1], 159);
                }
}

TEST_F(ClassAssignmentTest, OkCount_NeedsBothStatusesZero)
{
    struct Case {
        int status1, status2;
        bool ok;
    };
    const Case cases[] = {{0, 0, true}, {1, 0, false}, {0, 3, false},
                          {-1, 1, false}, {1, -1, false}, {-2, 0, false}, {7, 0, false}};
    setClass(1, QStringLiteral("Bambini 1"), 2019, 2026);
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.status1 << "/" << c.status2);
        enter(1, 2020);
        Race.SlotStatus1[1] = c.status1;
        Race.SlotStatus2[1] = c.status2;
        AssignClasses();
        EXPECT_EQ(Classes.ClassEntryCount[1], 1);
        EXPECT_EQ(Classes.ClassOkCount[1], c.ok ? 1 : 0);
    }
}

TEST_F(ClassAssignmentTest, EntriesWithoutTimes_CountAsOk)
{
    setClass(5, QStringLiteral("Kinder U10"), 2016, 2016);
    for (int id = 1; id <= 5; ++id)
        enter(id, 2016);
    AssignClasses();
    EXPECT_EQ(Classes.ClassEntryCount[5], 5);
    EXPECT_EQ(Classes.ClassOkCount[5], 5);
}

TEST_F(ClassAssignmentTest, EntryOutsideEveryClass_KeepsWhatItHad)
{
    setClass(1, QStringLiteral("Bambini 1"), 2019, 2026);
    setClass(2, QString(), 2010, 2018);   // unnamed: takes no entries
    enter(1, 2012);
    Race.SlotClass[1] = 7;
    Race.SlotClassOrder[1] = 33;
    Race.SlotClassCell[1] = 49;
    AssignClasses();
    EXPECT_EQ(Race.SlotClass[1], 7);
    EXPECT_EQ(Race.SlotClassOrder[1], 33);
    EXPECT_EQ(Race.SlotClassCell[1], 49);
    EXPECT_EQ(Classes.ClassEntryCount[2], 0);
    EXPECT_EQ(Classes.ClassEntryCount[1], 0);
}

TEST_F(ClassAssignmentTest, AthleteNumberOutsideTheFile_IsSkipped)
{
    setClass(1, QStringLiteral("Bambini 1"), 2019, 2026);
    enter(1, 2020);   // read first: its birth year must not carry over
    Race.SlotAthleteId[2] = 50;
    Race.SlotClass[2] = 4;
    Race.SlotClassCell[2] = 25;
    Race.SlotAthleteId[3] = -4;
    Race.SlotClass[3] = 6;
    const int beeps = beepCount();
    AssignClasses();
    EXPECT_EQ(Race.SlotClass[1], 1);
    EXPECT_EQ(Race.SlotClass[2], 4);
    EXPECT_EQ(Race.SlotClassCell[2], 25);
    EXPECT_EQ(Race.SlotClass[3], 6);
    EXPECT_EQ(Classes.ClassEntryCount[1], 1);
    EXPECT_EQ(beepCount(), beeps);
}

TEST_F(ClassAssignmentTest, CountsStartAfreshOnEveryAssignment)
{
    setClass(1, QStringLiteral("Bambini 1"), 2019, 2026);
    enter(1, 2020);
    enter(2, 2021);
    AssignClasses();
    AssignClasses();
    EXPECT_EQ(Classes.ClassEntryCount[1], 2);
    Race.SlotAthleteId[2] = 0;
    AssignClasses();
    EXPECT_EQ(Classes.ClassEntryCount[1], 1);
    EXPECT_EQ(Classes.ClassOkCount[1], 1);
}

TEST_F(ClassAssignmentTest, GapAndOverlap_WorkAsStoredUntilRepaired)
{
    for (int k = 1; k <= 4; ++k)
        setClass(k, App.StandardClassNames[k], App.StandardClassYears[k][0],
                 App.StandardClassYears[k][1]);
    setClass(5, QStringLiteral("Jugend U21"), 1994, 1996);
    setClass(6, QStringLiteral("Allg. Kl."), 1985, 1986);
    setClass(7, QStringLiteral("AK 1"), 1965, 1990);
    setClass(8, QStringLiteral("AK 2"), 1955, 1964);
    enter(1, 1992);   // in the gap
    enter(2, 1986);   // in the overlap of 6 and 7
    AssignClasses();
    EXPECT_EQ(Race.SlotClass[1], 0);
    EXPECT_EQ(Race.SlotClass[2], 7);
    EXPECT_EQ(Classes.ClassEntryCount[6], 1);
    EXPECT_EQ(Classes.ClassEntryCount[7], 1);

    NormalizeClassRules();
    EXPECT_EQ(Race.ClassYears[5][0], 1994);
    EXPECT_EQ(Race.ClassYears[6], (std::array<int, 2>{1985, 1993}));
    EXPECT_EQ(Race.ClassYears[7], (std::array<int, 2>{1965, 1984}));
    EXPECT_EQ(Race.ClassYears[8], (std::array<int, 2>{1900, 1964}));
    EXPECT_EQ(Race.SlotClass[1], 6);
    EXPECT_EQ(Race.SlotClass[2], 6);
    EXPECT_EQ(Classes.ClassEntryCount[7], 0);
    // The window is not opened for its list.
    EXPECT_FALSE(isLoaded<Form10>());
}

TEST_F(ClassAssignmentTest, Repair_BuildsTheChainFromClassOne)
{
    setClass(1, QStringLiteral("A"), 2020, 2022);
    setClass(2, QStringLiteral("B"), 2015, 2016);
    setClass(3, QString(), 2010, 2013);   // unnamed in the middle passes the chain on
    setClass(4, QStringLiteral("D"), 1990, 2009);
    setClass(5, QString(), 1950, 1960);   // after the last named class: cleared
    setClass(9, QString(), 1940, 1945);
    Race.ClassCellOrder[9][1][0][0] = 4;
    RepairClassYears();
    EXPECT_EQ(Race.ClassYears[1], (std::array<int, 2>{2020, 2026}));
    EXPECT_EQ(Race.ClassYears[2], (std::array<int, 2>{2015, 2019}));
    EXPECT_EQ(Race.ClassYears[3], (std::array<int, 2>{2010, 2014}));
    EXPECT_EQ(Race.ClassYears[4], (std::array<int, 2>{1900, 2009}));
    EXPECT_EQ(Race.ClassYears[5], (std::array<int, 2>{0, 0}));
    EXPECT_EQ(Race.ClassYears[9], (std::array<int, 2>{0, 0}));
    EXPECT_EQ(Race.ClassCellOrder[9][1][0][0], 4);
}

TEST_F(ClassAssignmentTest, Repair_PullsAFirstYearDownBeforeTheChainAndMendsTheRestNextTime)
{
    setClass(1, QStringLiteral("A"), 2020, 2026);
    setClass(2, QStringLiteral("B"), 2018, 2019);
    setClass(3, QStringLiteral("C"), 1900, 2017);
    // A first year typed after the class's last year.
    Race.ClassYears[2][0] = 2022;
    RepairClassYears();
    EXPECT_EQ(Race.ClassYears[2], (std::array<int, 2>{2019, 2019}));
    // Class 1 moving its first year down ends class 2 below that class's
    // first year; the next run pulls the first year down.
    Race.ClassYears[1][0] = 2016;
    RepairClassYears();
    EXPECT_EQ(Race.ClassYears[2], (std::array<int, 2>{2019, 2015}));
    RepairClassYears();
    EXPECT_EQ(Race.ClassYears[2], (std::array<int, 2>{2015, 2015}));
    EXPECT_EQ(Race.ClassYears[3], (std::array<int, 2>{1900, 2014}));
}

TEST_F(ClassAssignmentTest, Settle_EndsWithNoClassBeginningAfterItsEnd)
{
    struct Case {
        const char *what;
        std::vector<std::array<int, 2>> stored;
        std::vector<std::array<int, 2>> settled;
    } cases[] = {
        {"an inversion passed down the whole chain",
         {{2010, 2026}, {2023, 2023}, {2022, 2022}, {2021, 2021}, {2020, 2020}, {1900, 2019}},
         {{2010, 2026}, {2009, 2009}, {2008, 2008}, {2007, 2007}, {2006, 2006}, {1900, 2005}}},
        // Class 1 beginning in 1900 leaves the older class no year after
        // 1900: it may begin before, but never after its end.
        {"a chain that cannot close", {{1900, 2026}, {1950, 1960}}, {{1900, 2026}, {1899, 1899}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        for (int k = 1; k <= ClassCount; ++k)
            setClass(k, QString(), 0, 0);
        for (std::size_t i = 0; i < c.stored.size(); ++i)
            setClass(int(i) + 1, QStringLiteral("K%1").arg(i + 1), c.stored[i][0], c.stored[i][1]);
        SettleClassYears();
        for (std::size_t i = 0; i < c.settled.size(); ++i)
            EXPECT_EQ(Race.ClassYears[i + 1], c.settled[i]) << i + 1;
        for (int k = 1; k <= ClassCount; ++k)
            EXPECT_LE(Race.ClassYears[k][0], Race.ClassYears[k][1]) << k;
    }
}

TEST_F(ClassAssignmentTest, NoNamedClass_ClassOneEndsThisYearAndNoEntryChanges)
{
    for (int k = 1; k <= ClassCount; ++k)
        setClass(k, QString(), 2000 + k, 2000 + k);
    enter(1, 2001);
    Race.SlotClass[1] = 3;
    Race.SlotClassCell[1] = 17;
    NormalizeClassRules();
    EXPECT_EQ(Race.ClassYears[1], (std::array<int, 2>{0, 2026}));
    for (int k = 2; k <= ClassCount; ++k)
        EXPECT_EQ(Race.ClassYears[k], (std::array<int, 2>{0, 0})) << k;
    EXPECT_EQ(Race.SlotClass[1], 3);
    EXPECT_EQ(Race.SlotClassCell[1], 17);
    EXPECT_EQ(Classes.ClassEntryCount[1], 0);
}

TEST_F(ClassAssignmentTest, ListLine_HasItsFixedColumns)
{
    setClass(3, QStringLiteral("Kinder U8"), 2007, 2007);
    Classes.ClassOkCount[3] = 4;
    Classes.ClassEntryCount[3] = 5;
    const QString line = ClassRuleLine(3);
    EXPECT_EQ(line, QStringLiteral(" 3 Kinder U8             2007 - 2007  (4/5)"));
    EXPECT_EQ(line.size(), 43);
    EXPECT_EQ(line.mid(25, 4), QStringLiteral("2007"));

    setClass(12, QStringLiteral("Jugend U18 mit überlangem Namen"), 1900, 2008);
    Classes.ClassOkCount[12] = 120;
    Classes.ClassEntryCount[12] = 131;
    EXPECT_EQ(ClassRuleLine(12), QStringLiteral("12 Jugend U18 mit überl  1900 - 2008  (120/131)"));
}

} // namespace
