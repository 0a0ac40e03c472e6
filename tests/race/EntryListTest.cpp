#include "TestSupport.h"
#include "RaceBuilder.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "platform/Beep.h"
#include "platform/NumberText.h"
#include "race/EntryList.h"

namespace {

class EntryListTest : public DataDirTest, protected RaceBuilder {
protected:
    void SetUp() override
    {
        DataDirTest::SetUp();
        OpenClubFile();
        OpenAthleteFile();
    }


    // Athlete record n with these club fields.
    void addAthlete(int n, const QString &name, int club1 = 0, int club2 = 0, int club3 = 0)
    {
        RaceBuilder::addAthlete({.name = name, .clubs = {club1, club2, club3}, .id = n});
    }

    // Gives every one of the fourteen moving fields, and the two that stay,
    // a value made from the slot number and the field.
    static void fillSlot(int s)
    {
        Race.SlotAthleteId[s] = s;
        Race.SlotStartNo[s] = 100 + s;
        Race.SlotClass[s] = 200 + s;
        Race.SlotPoints[s] = 300.5f + s;
        Race.SlotTime1[s] = 400.25 + s;
        Race.SlotTime2[s] = 500.75 + s;
        Race.SlotStatus1[s] = 600 + s;
        Race.SlotStatus2[s] = 700 + s;
        Race.SlotClub[s] = 800 + s;
        Race.SlotGroup[s] = 900 + s;
        Race.SlotTeam[s] = 1000 + s;
        Race.SlotGuest[s] = 1100 + s;
        Race.SlotPaid[s] = 1200 + s;
        Race.SlotBoarder[s] = 1300 + s;
        Race.SlotReserve[s] = 1400 + s;
        Race.SlotClassCell[s] = 1500 + s;
    }

    // True when slot `at` holds every moving field made for slot `from`
    // (from = 0: all of them cleared).
    static ::testing::AssertionResult holdsEntry(int at, int from)
    {
        auto v = [from](double base) { return from == 0 ? 0.0 : base + from; };
        const double got[] = {double(Race.SlotAthleteId[at]), double(Race.SlotStartNo[at]),
                              double(Race.SlotClass[at]),     double(Race.SlotPoints[at]),
                              Race.SlotTime1[at],             Race.SlotTime2[at],
                              double(Race.SlotStatus1[at]),   double(Race.SlotStatus2[at]),
                              double(Race.SlotClub[at]),      double(Race.SlotGroup[at]),
                              double(Race.SlotTeam[at]),      double(Race.SlotGuest[at]),
                              double(Race.SlotPaid[at]),      double(Race.SlotBoarder[at])};
        const double want[] = {from == 0 ? 0.0 : double(from), v(100), v(200), v(300.5),
                               v(400.25), v(500.75), v(600), v(700), v(800), v(900), v(1000),
                               v(1100), v(1200), v(1300)};
        for (int i = 0; i < 14; ++i)
            if (got[i] != want[i])
                return ::testing::AssertionFailure()
                    << "slot " << at << " field " << i + 1 << ": " << got[i] << " != " << want[i];
        return ::testing::AssertionSuccess();
    }
};

TEST_F(EntryListTest, LowestFreeSlot_TakesTheFirstGapAndNoneWhenAllAreUsed)
{
    EXPECT_EQ(LowestFreeSlot(), 1);
    Race.SlotAthleteId[1] = 4;
    Race.SlotAthleteId[2] = 9;
    Race.SlotAthleteId[4] = 3;
    EXPECT_EQ(LowestFreeSlot(), 3);
    for (int s = 1; s <= MaxSlots; ++s)
        Race.SlotAthleteId[s] = s;
    EXPECT_EQ(LowestFreeSlot(), 0);
    Race.SlotAthleteId[1000] = 0;
    EXPECT_EQ(LowestFreeSlot(), 1000);
}

TEST_F(EntryListTest, AthleteEntered_LooksAtEverySlot)
{
    EXPECT_FALSE(AthleteEntered(7));
    Race.SlotAthleteId[1000] = 7;
    EXPECT_TRUE(AthleteEntered(7));
    EXPECT_FALSE(AthleteEntered(8));
}

TEST_F(EntryListTest, Remove_InTheMiddleShiftsEveryFieldAndFreesTheLastUsedSlot)
{
    for (int s = 1; s <= 8; ++s)
        fillSlot(s);
    ASSERT_TRUE(RemoveEntrySlot(5));
    for (int s = 1; s <= 4; ++s)
        EXPECT_TRUE(holdsEntry(s, s));
    for (int s = 5; s <= 7; ++s)
        EXPECT_TRUE(holdsEntry(s, s + 1));
    EXPECT_TRUE(holdsEntry(8, 0));
    EXPECT_TRUE(holdsEntry(1000, 0));
    // Reserve value and class cell belong to the position.
    for (int s = 1; s <= 8; ++s) {
        EXPECT_EQ(Race.SlotReserve[s], 1400 + s) << s;
        EXPECT_EQ(Race.SlotClassCell[s], 1500 + s) << s;
    }
}

TEST_F(EntryListTest, Remove_AtTheEndsOfAFullTable)
{
    for (int s = 1; s <= MaxSlots; ++s)
        fillSlot(s);
    ASSERT_TRUE(RemoveEntrySlot(1000));
    EXPECT_TRUE(holdsEntry(1000, 0));
    EXPECT_TRUE(holdsEntry(999, 999));
    EXPECT_EQ(LowestFreeSlot(), 1000);

    ASSERT_TRUE(RemoveEntrySlot(1));
    EXPECT_TRUE(holdsEntry(1, 2));
    EXPECT_TRUE(holdsEntry(998, 999));
    EXPECT_TRUE(holdsEntry(999, 0));
}

TEST_F(EntryListTest, Remove_OfNoEntryChangesNothing)
{
    for (int s = 1; s <= 3; ++s)
        fillSlot(s);
    for (int k : {0, -1, 4, 1001})
        EXPECT_FALSE(RemoveEntrySlot(k)) << k;
    for (int s = 1; s <= 3; ++s)
        EXPECT_TRUE(holdsEntry(s, s));
}

TEST_F(EntryListTest, Lines_HaveTheirFixedLayoutAndReadBack)
{
    EXPECT_EQ(OverviewLine(QStringLiteral("MAIER Hans"), 12),
              QStringLiteral("MAIER Hans") + QString(20, u' ') + QStringLiteral(" 12"));
    EXPECT_EQ(OverviewLineAthlete(OverviewLine(QStringLiteral("MAIER Hans"), 12)), 12);
    EXPECT_EQ(OverviewLineAthlete(OverviewLine(QStringLiteral("X"), 99999)), 99999);
    // The number is the program's number text, whatever the id.
    for (int id : {0, 1, 9, 10, 999999, 1000000, 2147483647, -1, -12, int(-2147483647 - 1)})
        EXPECT_EQ(OverviewLine(QStringLiteral("Ärmel"), id),
                  QStringLiteral("Ärmel") + QString(20, u' ') + num::numberText(id))
            << id;
    EXPECT_EQ(OverviewLine(QString(), 7), QString(20, u' ') + QStringLiteral(" 7"));

    struct Case {
        int slot;
        int order;
        const char *key;
    } keys[] = {{7, 1, "7  "},   {10, 1, "10  "}, {1000, 1, "1000  "}, {2, 2, "998  "},
                {10, 2, "990  "}, {1000, 2, "  "},  {7, 0, ""}};
    for (const Case &c : keys)
        EXPECT_EQ(EntryOrderKey(c.slot, c.order), QString::fromLatin1(c.key))
            << c.slot << "/" << c.order;

    const QString line = EntryLine(QStringLiteral("7  "), QStringLiteral("MAIER Hans"),
                                   QStringLiteral(" --- SC Berg"), 7, 42);
    EXPECT_EQ(line, QStringLiteral("7  MAIER Hans    --- SC Berg") + QString(50, u' ')
                        + QStringLiteral("0007000042"));
    EXPECT_EQ(EntryLineSlot(line), 7);
    EXPECT_EQ(EntryLineAthlete(line), 42);
    const QString last = EntryLine(QString(), QString(), QString(), 1000, 999999);
    EXPECT_EQ(EntryLineSlot(last), 1000);
    EXPECT_EQ(EntryLineAthlete(last), 999999);
}

TEST_F(EntryListTest, EntryLines_ClubTextFollowsTheChosenClubField)
{
    addClubAt(1, QStringLiteral("  SC Berg  "));
    addClubAt(2, QStringLiteral("Wintersportverein Oberes Tal"));
    addAthlete(1, QStringLiteral("MAIER Hans"), 1, 2, 0);
    addAthlete(2, QStringLiteral("HUBER Eva"), 0, 0, 2);
    struct Case {
        int athlete;
        int clubField;
        const char *club;
    } cases[] = {
        {1, 1, " --- SC Berg"},
        {1, 2, " --- Wintersportverein Ob"},   // the first 20 characters
        {1, 3, ""},                              // field empty
        {1, 0, ""},                              // no choice made
        {1, 4, ""},                              // "kein Verein"
        {2, 3, " --- Wintersportverein Ob"},
    };
    for (const Case &c : cases) {
        Race.SlotAthleteId[3] = c.athlete;
        Race.SlotClub[3] = c.clubField;
        const QStringList lines = EntryListLines(QString(), entryorder::Name);
        ASSERT_EQ(lines.size(), 1);
        Rec.CurrentAthleteId = c.athlete;
        ReadAthleteRecord();
        EXPECT_EQ(lines[0], Rec.AthleteName + QStringLiteral("   ") + QString::fromLatin1(c.club)
                                + QString(50, u' ') + QStringLiteral("0003")
                                + QStringLiteral("00000%1").arg(c.athlete))
            << c.athlete << "/" << c.clubField;
    }
}

TEST_F(EntryListTest, EntryLines_ClubOutsideTheClubFileShowsNone)
{
    addClubAt(1, QStringLiteral("SC Berg"));
    addAthlete(1, QStringLiteral("MAIER Hans"), 1);
    // A club number the club file no longer holds, written behind its back.
    Rec.ClubCount = 0;
    Race.SlotAthleteId[1] = 1;
    Race.SlotClub[1] = 1;
    const QStringList lines = EntryListLines(QString(), entryorder::Name);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("MAIER Hans") + QString(53, u' ')));
}

TEST_F(EntryListTest, EntryLines_FilterComparesUpperCasedNameBeginnings)
{
    addAthlete(1, QStringLiteral("MAIER Hans"));
    addAthlete(2, QStringLiteral("Mair Eva"));
    addAthlete(3, QStringLiteral("HUBER Max"));
    for (int s = 1; s <= 3; ++s)
        Race.SlotAthleteId[s] = s;
    EXPECT_EQ(EntryListLines(QStringLiteral("MA"), 0).size(), 2);
    EXPECT_EQ(EntryListLines(QStringLiteral("MAI"), 0).size(), 2);
    EXPECT_EQ(EntryListLines(QStringLiteral("MAIE"), 0).size(), 1);
    // Lower-case filter text is not upper-cased here: it matches nothing.
    EXPECT_EQ(EntryListLines(QStringLiteral("ma"), 0).size(), 0);
    EXPECT_EQ(EntryListLines(QString(), 0).size(), 3);
    EXPECT_TRUE(NameMatchesFilter(QStringLiteral("Straßer Leo"), QStringLiteral("STRAß").toUpper()));
}

TEST_F(EntryListTest, EntryLines_AthleteOutsideTheFileIsListedNamelessWithoutNumber)
{
    addClubAt(1, QStringLiteral("SC Berg"));
    addAthlete(1, QStringLiteral("MAIER Hans"), 1);
    Race.SlotAthleteId[1] = 1;
    Race.SlotClub[1] = 1;
    Race.SlotAthleteId[2] = 1234567;
    Race.SlotClub[2] = 1;
    const int beeps = beepCount();
    const QStringList lines = EntryListLines(QString(), entryorder::Name);
    ASSERT_EQ(lines.size(), 2);
    // Not MAIER Hans's club, and the slot still reads back right.
    EXPECT_EQ(lines[1], QStringLiteral("   ") + QString(50, u' ') + QStringLiteral("0002000000"));
    EXPECT_EQ(EntryLineSlot(lines[1]), 2);
    EXPECT_EQ(beepCount(), beeps);
    // A filter never matches it.
    EXPECT_EQ(EntryListLines(QStringLiteral("M"), 0).size(), 1);
}

TEST_F(EntryListTest, EntryLines_KeepTheCurrentRecordNumbers)
{
    addClubAt(1, QStringLiteral("SC Berg"));
    addAthlete(1, QStringLiteral("MAIER Hans"), 1);
    addAthlete(2, QStringLiteral("HUBER Eva"), 1);
    Race.SlotAthleteId[1] = 1;
    Race.SlotClub[1] = 1;
    Rec.CurrentAthleteId = 2;
    Rec.CurrentClubNo = 0;
    EntryListLines(QString(), entryorder::SlotNo);
    EXPECT_EQ(Rec.CurrentAthleteId, 2);
    EXPECT_EQ(Rec.CurrentClubNo, 0);
}

TEST_F(EntryListTest, ClubSummary_CountsValidFieldsAndJoinsTheirNames)
{
    addClubAt(1, QStringLiteral("SC Berg "));
    addClubAt(2, QStringLiteral("WSV Tal"));
    struct Case {
        int c1, c2, c3;
        const char *text;
        int count, last;
    } cases[] = {
        {1, 0, 0, "SC Berg", 1, 1},
        {1, 0, 2, "SC Berg - WSV Tal", 2, 3},
        {0, 0, 2, " - WSV Tal", 1, 3},
        {0, 2, 0, " - WSV Tal", 1, 2},
        {1, 2, 1, "SC Berg - WSV Tal - SC Berg", 3, 3},
        {0, 0, 0, "", 0, 0},
        {3, -1, 0, "", 0, 0},   // numbers outside the club file
    };
    for (const Case &c : cases) {
        Rec.AthleteClub1 = c.c1;
        Rec.AthleteClub2 = c.c2;
        Rec.AthleteClub3 = c.c3;
        const AthleteClubSummary s = SummarizeAthleteClubs();
        EXPECT_EQ(s.text, QString::fromLatin1(c.text)) << c.c1 << c.c2 << c.c3;
        EXPECT_EQ(s.count, c.count) << c.c1 << c.c2 << c.c3;
        EXPECT_EQ(s.last, c.last) << c.c1 << c.c2 << c.c3;
    }
}

} // namespace
