// The combination race: first-run times of the marked races summed per
// athlete into a new race with its combination file.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "CupFixture.h"
#include "core/Form17.h"
#include "platform/TextFile.h"
#include "FileFaults.h"
#include "platform/Beep.h"
#include "lists/CombinationFile.h"
#include "platform/Clock.h"
#include "platform/NumberText.h"
#include "platform/Strings.h"
#include "scoring/CombinationRace.h"
#include "scoring/Form19.h"

namespace {

class CombinationRaceTest : public CupTest {
protected:
    void SetUp() override
    {
        CupTest::SetUp();
        sysclock::setFixedNow(QDateTime(QDate(2026, 2, 14), QTime(10, 0)));
    }

    // The combination window opened from the race window, as the race
    // window's button does it.
    Form19 &openCombination(int current)
    {
        Rec.RaceRecordNo = current;
        Race.ActiveRaceNo = current;
        ReadRaceHeader();
        form<Form4>().Show();
        FillRaceList();
        form<Form4>().Hide();
        Form19 &f = form<Form19>();
        f.Show();
        return f;
    }

    static void mark(Form19 &f, const std::vector<int> &races)
    {
        for (int k = 0; k < f.List1.ListCount(); ++k) {
            const int n = num::toInt32(num::numericValue(f.List1.List(k)));
            f.List1.setSelected(k, std::find(races.begin(), races.end(), n) != races.end());
        }
    }

    // The tables of race n as read from its files.
    static void loadRace(int n)
    {
        Race.ActiveRaceNo = n;
        Rec.RaceRecordNo = n;
        ReadRaceHeader();
        LoadRaceFiles();
    }

    static int slotOf(int athlete)
    {
        for (int s = 1; s <= MaxSlots; ++s)
            if (Race.SlotAthleteId[s] == athlete)
                return s;
        return 0;
    }
};

TEST_F(CombinationRaceTest, ThreeMarkedRacesMakeANewRaceOfTheTopmostEntries)
{
    const int a = addAthlete(QStringLiteral("ALPHA Anna"));
    const int b = addAthlete(QStringLiteral("BETA Bernd"));
    const int c = addAthlete(QStringLiteral("GAMMA Gerd"));
    const int d = addAthlete(QStringLiteral("DELTA Dora"));
    addRace(3, QStringLiteral("Drei"), {{a, 30}, {b, 31}, {c, 32}});
    addRace(5, QStringLiteral("Fünf"), {{a, 40}, {b, 41.5}, {c, 42}, {d, 20}});
    addRace(7, QStringLiteral("Sieben"), {{a, 1}});
    // Race 8 has the entries of the new race; D is in race 5 only.
    addRace(8, QStringLiteral("Acht"), {{c, 52.25}, {b, 51}, {a, 50}});

    Form19 &f = openCombination(3);
    EXPECT_EQ(f.Label2.Caption(), QStringLiteral("9"));
    EXPECT_FALSE(f.Command2.Enabled());
    mark(f, {3, 5, 8});
    f.List1_Click();
    ASSERT_TRUE(f.Command2.Enabled());
    f.Command2_Click();

    EXPECT_FALSE(isLoaded<Form19>());
    EXPECT_FALSE(isLoaded<Form4>());
    EXPECT_EQ(Rec.RaceCount, 9);
    EXPECT_EQ(CupTable.CupRaceCount, 3);
    EXPECT_EQ(CupTable.CombiRaceNames[1], QStringLiteral("Drei"));
    EXPECT_EQ(CupTable.CombiRaceNames[2], QStringLiteral("Fünf"));
    EXPECT_EQ(CupTable.CombiRaceNames[3], QStringLiteral("Acht"));

    loadRace(9);
    EXPECT_EQ(Rec.RaceName, QStringLiteral("Kombilauf"));
    EXPECT_EQ(Rec.RaceShortName, QStringLiteral("Kombilauf"));
    EXPECT_EQ(trimBlanks(Rec.RaceExtraText), QStringLiteral("9"));
    EXPECT_EQ(trimBlanks(Rec.RacePlace), QString());
    EXPECT_EQ(Rec.RaceDate, dates::oleFromDate(QDate(2026, 2, 14)));
    EXPECT_EQ(Rec.TwoRuns, 0);
    EXPECT_EQ(Rec.EvalByClass, 1);
    EXPECT_EQ(slotOf(d), 0);   // not entered in the topmost race
    struct Expect { int athlete; double sum; };
    for (const Expect &e : {Expect{a, 120}, Expect{b, 123.5}, Expect{c, 126.25}}) {
        const int s = slotOf(e.athlete);
        ASSERT_NE(s, 0);
        EXPECT_NEAR(Race.SlotTime1[s], e.sum, 1e-9) << e.athlete;
        EXPECT_EQ(Race.SlotStatus1[s], 0) << e.athlete;
        EXPECT_EQ(Race.SlotTime2[s], 0);
    }
    // The participants are the slots of race 8, and the file says so.
    Rec.RaceRecordNo = 9;
    ASSERT_TRUE(CombinationFileExists());
    ASSERT_EQ(ReadCombinationFile(), CombinationFileLines);
    EXPECT_EQ(CupTable.CupAthleteNo[1], c);
    EXPECT_NEAR(CupTable.CombiTimes[1][0], 126.25, 1e-9);
    EXPECT_NEAR(CupTable.CombiTimes[1][1], 32, 1e-9);
    EXPECT_NEAR(CupTable.CombiTimes[1][2], 42, 1e-9);
    EXPECT_NEAR(CupTable.CombiTimes[1][3], 52.25, 1e-9);
}

TEST_F(CombinationRaceTest, MissingOrUnfinishedRunsMarkTheParticipantDis)
{
    const int a = addAthlete(QStringLiteral("ALPHA Anna"));
    const int b = addAthlete(QStringLiteral("BETA Bernd"));
    const int c = addAthlete(QStringLiteral("GAMMA Gerd"));
    addRace(1, QStringLiteral("Eins"), {{a, 30}, {b, 31, 1}});   // B: "naS"
    addRace(2, QStringLiteral("Zwei"), {{a, 40}, {b, 41}, {c, 42}});
    ASSERT_TRUE(CombineRaces({2, 1}, 3));

    loadRace(3);
    const int sa = slotOf(a), sb = slotOf(b), sc = slotOf(c);
    EXPECT_EQ(Race.SlotStatus1[sa], 0);
    EXPECT_NEAR(Race.SlotTime1[sa], 70, 1e-9);
    // Not ranked in race 1: the sum holds race 2 alone.
    EXPECT_EQ(Race.SlotStatus1[sb], 3);
    EXPECT_NEAR(Race.SlotTime1[sb], 41, 1e-9);
    // Not entered in race 1.
    EXPECT_EQ(Race.SlotStatus1[sc], 3);
    EXPECT_NEAR(Race.SlotTime1[sc], 42, 1e-9);
}

TEST_F(CombinationRaceTest, HigherSlotCountsHandicapsAndFirstRunsOnly)
{
    const int a = addAthlete(QStringLiteral("ALPHA Anna"));
    const int b = addAthlete(QStringLiteral("BETA Bernd"));
    // A entered twice in race 1: slot 3 counts. B has a second run there.
    addRace(1, QStringLiteral("Eins"), {{a, 99}, {b, 30, 0, 35}, {a, 31}});
    // Race 1 is run in two runs, B is a guest with 2 s added.
    loadRace(1);
    Rec.TwoRuns = 1;
    Rec.GuestTimeHandicap = 2;
    WriteRaceHeader();
    Race.SlotGuest[2] = 1;
    ASSERT_TRUE(WriteRaceFiles());
    addRace(2, QStringLiteral("Zwei"), {{a, 40}, {b, 41}});

    ASSERT_TRUE(CombineRaces({1, 2}, 3));
    loadRace(3);
    EXPECT_NEAR(Race.SlotTime1[slotOf(a)], 31 + 40, 1e-9);
    EXPECT_NEAR(Race.SlotTime1[slotOf(b)], 30 + 2 + 41, 1e-9);
    // The new race has no handicaps of its own.
    EXPECT_EQ(Rec.GuestTimeHandicap, 0);
    // Race 1 itself is left as it was.
    loadRace(1);
    EXPECT_EQ(Race.SlotTime2[2], 35);
    EXPECT_EQ(Rec.TwoRuns, 1);
}

TEST_F(CombinationRaceTest, TwoRaceFileHasTwoNamesAndZeroColumnsBeyond)
{
    const int a = addAthlete(QStringLiteral("ALPHA Anna"));
    addRace(1, QStringLiteral("Eins"), {{a, 30}});
    addRace(2, QStringLiteral("Zwei"), {{a, 40}});
    ASSERT_TRUE(CombineRaces({1, 2}, 3));

    const QList<QByteArray> lines = readBytes(QStringLiteral("Z 3.dat")).split('\n');
    ASSERT_GE(lines.size(), CombinationFileLines);
    EXPECT_EQ(lines[0], "Eins\r");
    EXPECT_EQ(lines[1], "Zwei\r");
    for (int k = 2; k < 10; ++k)
        EXPECT_EQ(lines[k], "\r") << k;
    EXPECT_EQ(lines[10], " " + QByteArray::number(a) + " \r");
    EXPECT_EQ(lines[CombinationTimeLine(1, 0) - 1], " 70 \r");
    for (int col = 3; col <= 10; ++col)
        EXPECT_EQ(lines[CombinationTimeLine(1, col) - 1], " 0 \r") << col;
    EXPECT_EQ(lines[CombinationTimeLine(2, 0) - 2], " 0 \r");   // no participant 2
}

TEST_F(CombinationRaceTest, TheButtonWantsTwoToTenRaces)
{
    const int a = addAthlete(QStringLiteral("ALPHA Anna"));
    for (int n = 1; n <= 11; ++n)
        addRace(n, QStringLiteral("Rennen %1").arg(n), {{a, 30.0 + n}});
    Form19 &f = openCombination(1);
    EXPECT_EQ(f.Label2.Caption(), QStringLiteral("12"));
    struct Case { std::vector<int> races; bool enabled; };
    const Case cases[] = {{{}, false}, {{4}, false}, {{4, 9}, true},
                          {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, true},
                          {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, false}};
    for (const Case &c : cases) {
        mark(f, c.races);
        f.List1_Click();
        EXPECT_EQ(f.Command2.Enabled(), c.enabled) << c.races.size();
    }
    EXPECT_FALSE(CombineRaces({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, 12));
    EXPECT_FALSE(CombineRaces({4}, 12));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("Z 12.dat"))));

    // Exit brings the race window back.
    f.Command1_Click();
    EXPECT_FALSE(isLoaded<Form19>());
    EXPECT_TRUE(form<Form4>().Visible());
}

} // namespace

namespace {

TEST_F(CombinationRaceTest, ACombinationFileThatCannotBeWrittenBeeps)
{
    const int a = addAthlete(QStringLiteral("ALPHA Anna"));
    addRace(1, QStringLiteral("Eins"), {{a, 30}});
    addRace(2, QStringLiteral("Zwei"), {{a, 40}});
    // A folder in the way of the new race's combination file.
    ASSERT_TRUE(QDir(path(QString())).mkdir(QStringLiteral("Z 3.dat")));
    Form19 &f = openCombination(1);
    mark(f, {1, 2});
    resetBeepCount();
    f.Command2.click();
    destroyUnloadedWindows();
    EXPECT_EQ(beepCount(), 1);
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("Z 3.dat"))).isDir());
    // The race files themselves were written.
    EXPECT_TRUE(fileExists(path(QStringLiteral("R 3.dat"))));
}

} // namespace

namespace {

// The new race is saved with the reminder of its athletes' missing data, as
// every race the program saves on closing a window: only the athlete without
// a birth date is named.
TEST_F(CombinationRaceTest, TheNewRaceRemindsOfMissingData)
{
    const int a = addAthlete(QStringLiteral("ALPHA Anna"));
    const int b = addAthlete(QStringLiteral("BETA Berta"), 0);
    addRace(1, QStringLiteral("Eins"), {{a, 30}, {b, 31}});
    addRace(2, QStringLiteral("Zwei"), {{a, 40}, {b, 41}});
    Form19 &f = openCombination(1);
    mark(f, {1, 2});
    f.Command2.click();
    destroyUnloadedWindows();
    EXPECT_TRUE(fileExists(path(QStringLiteral("R 3.dat"))));
    EXPECT_EQ(Work.CheckOk, 0);
    ASSERT_TRUE(isLoaded<Form17>());
    Form17 &reminder = form<Form17>();
    EXPECT_TRUE(reminder.Visible());
    ASSERT_EQ(reminder.List1.ListCount(), 1);
    EXPECT_EQ(reminder.List1.List(0), QStringLiteral("2   BETA Berta Geburtsdatum ?"));
}

} // namespace
