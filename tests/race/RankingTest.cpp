#include <QStringList>
#include <tuple>
#include <vector>

#include "GuiTestHelpers.h"
#include "RaceBuilder.h"
#include "core/Form1.h"
#include "core/Form4.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "platform/Beep.h"
#include "race/Form13.h"
#include "race/Ranking.h"

namespace {

// One entry of a prepared race. Slot 0 takes the next free slot.
struct Entry {
    QString name;
    int sex = 0;
    double t1 = 0;
    double t2 = 0;
    int s1 = 0;
    int s2 = 0;
    int group = 1;       // start-order number (or group number by groups)
    int cls = 1;
    float points = 0;
    int guest = 0;
    int club = 0;        // SlotClub: which of the athlete's clubs counts
    int clubs[3] = {0, 0, 0};
    int slot = 0;
};

class RankingTest : public WindowDataTest, protected RaceBuilder {
protected:
    void SetUp() override
    {
        WindowDataTest::SetUp();
        OpenAthleteFile();
        Rec.ClubCount = 20;
        Rec.EvalByClass = 1;
        Rec.EvalByTime = 1;
        Rec.TwoRuns = 0;
    }

    void TearDown() override
    {
        WindowDataTest::TearDown();
    }

    // Writes the athlete and fills its slot; returns the slot.
    int add(const Entry &e)
    {
        const int id = addAthlete({.name = e.name,
                                   .sex = e.sex,
                                   .clubs = {e.clubs[0], e.clubs[1], e.clubs[2]}});
        return addEntry(id, {.slot = e.slot,
                             .startNo = SlotNumber,
                             .t1 = e.t1,
                             .t2 = e.t2,
                             .status1 = e.s1,
                             .status2 = e.s2,
                             .klass = e.cls,
                             .order = e.group,
                             .club = e.club,
                             .group = e.group,
                             .guest = e.guest,
                             .points = e.points});
    }

    std::vector<int> addAll(const std::vector<Entry> &entries)
    {
        std::vector<int> placed;
        for (const Entry &e : entries)
            placed.push_back(add(e));
        return placed;
    }

    // The names in ranking order.
    static QStringList rankedNames()
    {
        QStringList names;
        for (int p = 1; p <= Ranking.RankedCount; ++p) {
            Rec.CurrentAthleteId = Race.SlotAthleteId[Ranking.RankOrder[p]];
            ReadAthleteRecord();
            names << Rec.AthleteName;
        }
        return names;
    }

    static std::vector<int> ranksOf(const std::vector<int> &placed)
    {
        std::vector<int> ranks;
        for (int s : placed)
            ranks.push_back(Ranking.SlotRank[s]);
        return ranks;
    }

};

TEST_F(RankingTest, OneRunByTime_SharedRanksSkipAndDenseRanksDoNot)
{
    const auto placed = addAll({{.name = "BAUER Anna", .t1 = 60},
                               {.name = "AIGNER Eva", .t1 = 60},
                               {.name = "CERNY Lea", .t1 = 61.5}});

    ComputeProvisionalResult();
    EXPECT_EQ(Ranking.RankedCount, 3);
    EXPECT_EQ(rankedNames(), (QStringList{"AIGNER Eva", "BAUER Anna", "CERNY Lea"}));
    EXPECT_EQ(Ranking.RankOrder[4], 0);
    EXPECT_EQ(ranksOf(placed), (std::vector<int>{1, 1, 3}));
    EXPECT_EQ(Ranking.ClassFirstFlag[placed[1]], 1);   // AIGNER leads the group
    EXPECT_EQ(Ranking.ClassFirstFlag[placed[0]], 0);
    EXPECT_EQ(Ranking.ClassFirstFlag[placed[2]], 0);
    EXPECT_DOUBLE_EQ(Ranking.SlotAdjTime1[placed[2]], 61.5);
    EXPECT_DOUBLE_EQ(Ranking.SlotTotalTime[placed[2]], 61.5);
    EXPECT_DOUBLE_EQ(Ranking.SlotAdjTime2[placed[2]], 0);
    // Every class counts from class 1 on (BestTimeFromClass 0); no men.
    EXPECT_DOUBLE_EQ(Ranking.BestTimeFemale, 60);
    EXPECT_DOUBLE_EQ(Ranking.BestTimeMale, 99999);
    // The lines stay in the shared state: no window is loaded for them.
    EXPECT_FALSE(isLoaded<Form13>());
    EXPECT_EQ(Ranking.SortLines.size(), 3);
    EXPECT_EQ(Ranking.DisplayLines.size(), 5);

    RankAfterRun1();
    EXPECT_EQ(Ranking.RankedCount, 3);
    EXPECT_EQ(ranksOf(placed), (std::vector<int>{1, 1, 2}));
    EXPECT_DOUBLE_EQ(Ranking.BestTimeFemale, 99999);
    EXPECT_DOUBLE_EQ(Ranking.BestTimeMale, 999999);
    EXPECT_EQ(Ranking.SortLines.size(), 3);
    EXPECT_TRUE(Ranking.DisplayLines.isEmpty());
}

struct TieCase {
    const char *what;
    int twoRuns;
    int byTime;
    std::vector<Entry> entries;
    QStringList order;          // names in ranking order
    std::vector<int> ranks;     // SlotRank in the order of entries
};

class RankingTieTest : public RankingTest, public ::testing::WithParamInterface<TieCase> {};

TEST_P(RankingTieTest, OrderAndRanks)
{
    const TieCase &c = GetParam();
    Rec.TwoRuns = std::uint8_t(c.twoRuns);
    Rec.EvalByTime = std::uint8_t(c.byTime);
    const auto placed = addAll(c.entries);
    ComputeProvisionalResult();
    EXPECT_EQ(rankedNames(), c.order) << c.what;
    EXPECT_EQ(ranksOf(placed), c.ranks) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RankingTieTest,
    ::testing::Values(
        TieCase{"equal totals, different run-1 times share the rank", 1, 1,
                {{.name = "A", .t1 = 30.00, .t2 = 30.02},
                 {.name = "B", .t1 = 30.01, .t2 = 30.01},
                 {.name = "C", .t1 = 30.00, .t2 = 30.03}},
                {"A", "B", "C"},
                {1, 1, 3}},
        TieCase{"equal run-1 times, different totals do not", 1, 1,
                {{.name = "A", .t1 = 30, .t2 = 31}, {.name = "B", .t1 = 30, .t2 = 30.5}},
                {"B", "A"},
                {2, 1}},
        TieCase{"values equal to the hundredth: the name decides, ranks differ", 0, 1,
                {{.name = "ZACH", .t1 = 65.321}, {.name = "ADAM", .t1 = 65.324}},
                {"ADAM", "ZACH"},
                {2, 1}},
        TieCase{"half a hundredth rounds away from zero", 0, 1,
                {{.name = "ADAM", .t1 = 65.325}, {.name = "ZACH", .t1 = 65.324}},
                {"ZACH", "ADAM"},
                {2, 1}},
        TieCase{"by points: fewest first, equal points share", 0, 0,
                {{.name = "A", .t1 = 1, .points = 12.5f},
                 {.name = "B", .t1 = 1, .points = 3},
                 {.name = "C", .t1 = 1, .points = 12.5f},
                 {.name = "D", .t1 = 1, .points = 20}},
                {"B", "A", "C", "D"},
                {2, 1, 2, 4}},
        TieCase{"values of 100000 s and more after the smaller ones", 0, 1,
                {{.name = "A", .t1 = 100000.5}, {.name = "B", .t1 = 99999}, {.name = "C", .t1 = 250000}},
                {"B", "A", "C"},
                {2, 1, 3}}));

TEST_F(RankingTest, Handicaps_AddToEachRunWithATime)
{
    Rec.GuestTimeHandicap = 5;
    Rec.MenTimeHandicap = -2;
    Rec.TwoRuns = 1;
    const int guest = add({.name = "GAST Eva", .sex = 0, .t1 = 60, .t2 = 0, .guest = 1});
    const int maleGuest = add({.name = "GAST Max", .sex = 1, .t1 = 60, .t2 = 0, .guest = 1});
    const int man = add({.name = "HEIM Max", .sex = 1, .t1 = 60, .t2 = 0});
    const int unset = add({.name = "HEIM Kim", .sex = 2, .t1 = 60, .t2 = 0});

    // No run-2 time yet: ranked by run 1 alone, run 2 gets no handicap.
    ComputeProvisionalResult();
    EXPECT_EQ(Ranking.RankedCount, 4);
    EXPECT_DOUBLE_EQ(Ranking.SlotAdjTime1[guest], 65);
    EXPECT_DOUBLE_EQ(Ranking.SlotAdjTime1[maleGuest], 63);
    EXPECT_DOUBLE_EQ(Ranking.SlotAdjTime1[man], 58);
    EXPECT_DOUBLE_EQ(Ranking.SlotAdjTime1[unset], 60);
    EXPECT_DOUBLE_EQ(Ranking.SlotAdjTime2[maleGuest], 0);
    EXPECT_DOUBLE_EQ(Ranking.SlotTotalTime[maleGuest], 63);
    EXPECT_EQ(rankedNames(), (QStringList{"HEIM Max", "HEIM Kim", "GAST Max", "GAST Eva"}));

    for (int s : {guest, maleGuest, man, unset})
        Race.SlotTime2[s] = 50;
    ComputeProvisionalResult();
    EXPECT_DOUBLE_EQ(Ranking.SlotAdjTime2[guest], 55);
    EXPECT_DOUBLE_EQ(Ranking.SlotAdjTime2[maleGuest], 53);
    EXPECT_DOUBLE_EQ(Ranking.SlotTotalTime[maleGuest], 116);
    EXPECT_DOUBLE_EQ(Ranking.SlotTotalTime[man], 106);

    // RankAfterRun1 adds them to run 1 only.
    RankAfterRun1();
    EXPECT_DOUBLE_EQ(Ranking.SlotAdjTime1[maleGuest], 63);
}

// A handicap added to a typed time leaves a double a few bits off the same
// time typed by hand (60,99 + 5 is not 65,99 in binary): equal to the user,
// so equal in both rankings.
TEST_F(RankingTest, HandicapTies_ShareTheRankInBothRankings)
{
    Rec.GuestTimeHandicap = 5;
    const auto placed = addAll({{.name = "GAST Eva", .t1 = 60.99, .guest = 1},
                               {.name = "HEIM Eva", .t1 = 65.99},
                               {.name = "LETZT Eva", .t1 = 66.5}});
    ASSERT_NE(60.99 + 5, 65.99);
    ComputeProvisionalResult();
    EXPECT_EQ(ranksOf(placed), (std::vector<int>{1, 1, 3}));
    RankAfterRun1();
    EXPECT_EQ(ranksOf(placed), (std::vector<int>{1, 1, 2}));
}

TEST_F(RankingTest, NegativeHandicaps_SortNumerically)
{
    Rec.MenTimeHandicap = -70;
    addAll({{.name = "FRAU", .sex = 0, .t1 = 50},
            {.name = "LANGSAM", .sex = 1, .t1 = 65},    // -5
            {.name = "SCHNELL", .sex = 1, .t1 = 60},    // -10
            {.name = "NULL", .sex = 1, .t1 = 69.999}}); // -0.001, shows as 0,00
    ComputeProvisionalResult();
    EXPECT_EQ(rankedNames(), (QStringList{"SCHNELL", "LANGSAM", "NULL", "FRAU"}));
    EXPECT_DOUBLE_EQ(Ranking.BestTimeMale, -10);
    EXPECT_DOUBLE_EQ(Ranking.BestTimeFemale, 50);

    RankAfterRun1();
    EXPECT_EQ(rankedNames(), (QStringList{"SCHNELL", "LANGSAM", "NULL", "FRAU"}));
}

TEST_F(RankingTest, RunTwoStarted_EntriesWithoutRunTwoTimeDropOut)
{
    Rec.TwoRuns = 1;
    const int done = add({.name = "A", .t1 = 61, .t2 = 60});
    const int waiting = add({.name = "B", .t1 = 50});
    ComputeProvisionalResult();
    EXPECT_EQ(Ranking.RankedCount, 1);
    EXPECT_EQ(Ranking.RankOrder[1], done);
    EXPECT_EQ(Ranking.SlotRank[waiting], 0);
    EXPECT_DOUBLE_EQ(Ranking.SlotAdjTime1[waiting], 0);
    EXPECT_DOUBLE_EQ(Ranking.SlotTotalTime[done], 121);

    // A race set back to one run that still holds run-2 times does the same.
    Rec.TwoRuns = 0;
    ComputeProvisionalResult();
    EXPECT_EQ(Ranking.RankedCount, 1);
    EXPECT_DOUBLE_EQ(Ranking.SlotTotalTime[done], 61);

    // The start order of run 2 does not care about run 2.
    RankAfterRun1();
    EXPECT_EQ(Ranking.RankedCount, 2);
    EXPECT_EQ(Ranking.RankOrder[1], waiting);
}

struct StatusCase {
    int s1;
    int s2;
    bool ranked;          // ComputeProvisionalResult
    bool rankedAfterRun1;
};

class RankingStatusTest : public RankingTest, public ::testing::WithParamInterface<StatusCase> {};

TEST_P(RankingStatusTest, OnlyStatusOkIsRanked)
{
    const StatusCase &c = GetParam();
    add({.name = "OK", .t1 = 70});
    const int s = add({.name = "X", .t1 = 60, .s1 = c.s1, .s2 = c.s2});
    ComputeProvisionalResult();
    EXPECT_EQ(Ranking.SlotRank[s] != 0, c.ranked) << c.s1 << "/" << c.s2;
    EXPECT_EQ(Ranking.RankedCount, c.ranked ? 2 : 1);
    if (!c.ranked) {
        EXPECT_DOUBLE_EQ(Ranking.SlotAdjTime1[s], 0);
    }
    Ranking.SlotRank[s] = 0;
    RankAfterRun1();
    EXPECT_EQ(Ranking.SlotRank[s] != 0, c.rankedAfterRun1) << c.s1 << "/" << c.s2;
}

INSTANTIATE_TEST_SUITE_P(Cases, RankingStatusTest,
                         ::testing::Values(StatusCase{0, 0, true, true},
                                           StatusCase{-1, 0, false, false},
                                           StatusCase{0, -1, false, true},
                                           StatusCase{1, -1, false, false},   // sums to 0
                                           StatusCase{-1, 1, false, false},
                                           StatusCase{7, 0, false, false},
                                           StatusCase{0, 7, false, true},
                                           StatusCase{2, 0, false, false}));

TEST_F(RankingTest, OtherConditions_NoAthleteNoTimeNoName)
{
    const int ok = add({.name = "OK", .t1 = 70});
    const int noTime = add({.name = "OHNE ZEIT"});
    const int noName = add({.name = "   "});
    const int outside = add({.name = "WEG", .t1 = 50});
    Race.SlotAthleteId[outside] = 999;   // no such athlete record
    const int empty = 20;
    Race.SlotTime1[empty] = 40;          // a time in a slot without athlete
    const int beeps = beepCount();

    ComputeProvisionalResult();
    EXPECT_EQ(Ranking.RankedCount, 1);
    EXPECT_EQ(Ranking.RankOrder[1], ok);
    for (int s : {noTime, noName, outside, empty})
        EXPECT_EQ(Ranking.SlotRank[s], 0) << s;

    // After run 1 an entry with status ok but without a time ranks first
    // with 0.
    RankAfterRun1();
    EXPECT_EQ(Ranking.RankedCount, 2);
    EXPECT_EQ(Ranking.RankOrder[1], noTime);
    EXPECT_EQ(Ranking.RankOrder[2], ok);
    EXPECT_EQ(beepCount(), beeps);
}

TEST_F(RankingTest, RankAfterRun1_LeavesWhatItDoesNotRank)
{
    Rec.TwoRuns = 1;
    const int a = add({.name = "A", .t1 = 60, .t2 = 61});
    const int b = add({.name = "B", .t1 = 59, .t2 = 61});
    const int c = add({.name = "C", .t1 = 58, .t2 = 70});
    ComputeProvisionalResult();
    ASSERT_EQ(Ranking.RankedCount, 3);
    EXPECT_EQ(Ranking.SlotRank[c], 3);

    Race.SlotStatus1[c] = 1;
    RankAfterRun1();
    EXPECT_EQ(Ranking.RankedCount, 2);
    EXPECT_EQ(Ranking.RankOrder[1], b);
    EXPECT_EQ(Ranking.RankOrder[2], a);
    EXPECT_EQ(Ranking.RankOrder[3], c);          // position 3 as before
    EXPECT_EQ(Ranking.SlotRank[c], 3);           // kept
    EXPECT_DOUBLE_EQ(Ranking.SlotAdjTime1[c], 0);
    EXPECT_DOUBLE_EQ(Ranking.SlotTotalTime[c], 128);
    EXPECT_DOUBLE_EQ(Ranking.SlotAdjTime2[a], 61);
    EXPECT_EQ(Ranking.ClassFirstFlag[b], 1);
}

TEST_F(RankingTest, Groups_ByStartOrderNumberOrGroupInNumericOrder)
{
    const auto placed = addAll({{.name = "A", .t1 = 50, .group = 1000},
                               {.name = "B", .t1 = 60, .group = 2},
                               {.name = "C", .t1 = 40, .group = 999},
                               {.name = "D", .t1 = 55, .group = 2},
                               {.name = "E", .t1 = 70, .group = 0},
                               {.name = "F", .t1 = 65, .group = 0}});
    ComputeProvisionalResult();
    // Cells without a start-order number rank together in group 0, first.
    EXPECT_EQ(rankedNames(), (QStringList{"F", "E", "D", "B", "C", "A"}));
    EXPECT_EQ(ranksOf(placed), (std::vector<int>{1, 2, 1, 1, 2, 1}));
    std::vector<int> firsts;
    for (int s : placed)
        firsts.push_back(Ranking.ClassFirstFlag[s]);
    EXPECT_EQ(firsts, (std::vector<int>{1, 0, 1, 1, 0, 1}));

    // By groups the group numbers decide, not the start-order numbers.
    Rec.EvalByClass = 0;
    for (int s : placed)
        Race.SlotClassOrder[s] = 5;
    Race.SlotGroup[placed[0]] = 3;
    Race.SlotGroup[placed[1]] = 3;
    ComputeProvisionalResult();
    EXPECT_EQ(rankedNames(), (QStringList{"F", "E", "D", "A", "B", "C"}));
}

TEST_F(RankingTest, Names_InTheProgramsTextOrderThenSlotDigits)
{
    // Equal times: names differing only in case or umlauts keep the text
    // order whatever their placed; an equal name goes by the slot digits
    // ("12" before "3").
    addAll({{.name = "MÜLLER Eva", .t1 = 60, .slot = 1},
            {.name = "Müller Eva", .t1 = 60, .slot = 2},
            {.name = "MULLER Eva", .t1 = 60, .slot = 4},
            {.name = "Muller Eva", .t1 = 60, .slot = 5},
            {.name = "ABT Eva", .t1 = 60, .slot = 3},
            {.name = "ABT Eva", .t1 = 60, .slot = 12}});
    ComputeProvisionalResult();
    EXPECT_EQ(rankedNames(), (QStringList{"ABT Eva", "ABT Eva", "MULLER Eva", "Muller Eva",
                                          "MÜLLER Eva", "Müller Eva"}));
    EXPECT_EQ(Ranking.RankOrder[1], 12);
    EXPECT_EQ(Ranking.RankOrder[2], 3);
    for (int p = 1; p <= 6; ++p)
        EXPECT_EQ(Ranking.SlotRank[Ranking.RankOrder[p]], 1);
}

struct BestTimeCase {
    const char *what;
    int fromClass;
    std::vector<Entry> entries;
    double female;
    double male;
};

class RankingBestTimeTest : public RankingTest,
                            public ::testing::WithParamInterface<BestTimeCase> {};

TEST_P(RankingBestTimeTest, BestTimesOfWomenAndMen)
{
    const BestTimeCase &c = GetParam();
    Rec.BestTimeFromClass = std::uint8_t(c.fromClass);
    addAll(c.entries);
    ComputeProvisionalResult();
    EXPECT_DOUBLE_EQ(Ranking.BestTimeFemale, c.female) << c.what;
    EXPECT_DOUBLE_EQ(Ranking.BestTimeMale, c.male) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RankingBestTimeTest,
    ::testing::Values(
        BestTimeCase{"every class from class 1 on; no class and no sex never count", 0,
                     {{.name = "W", .sex = 0, .t1 = 62, .cls = 1},
                      {.name = "M", .sex = 1, .t1 = 61, .group = 2, .cls = 3},
                      {.name = "OHNE KLASSE", .sex = 0, .t1 = 50, .group = 3, .cls = 0},
                      {.name = "OHNE SEX", .sex = 2, .t1 = 40}},
                     62, 61},
        BestTimeCase{"from class 3 on", 2,
                     {{.name = "W2", .sex = 0, .t1 = 50, .cls = 2},
                      {.name = "W3", .sex = 0, .t1 = 70, .group = 2, .cls = 3},
                      {.name = "M2", .sex = 1, .t1 = 40, .cls = 2}},
                     70, 99999},
        BestTimeCase{"none at all", 0, {{.name = "OHNE SEX", .sex = 2, .t1 = 40}}, 99999, 99999}));

TEST_F(RankingTest, BestTimes_TakeTheTotalsAcrossGroups)
{
    Rec.TwoRuns = 1;
    addAll({{.name = "W", .sex = 0, .t1 = 40, .t2 = 45, .group = 1},
            {.name = "V", .sex = 0, .t1 = 42, .t2 = 40, .group = 2}});
    ComputeProvisionalResult();
    EXPECT_DOUBLE_EQ(Ranking.BestTimeFemale, 82);
}

TEST_F(RankingTest, ClubFilter_RanksOnlyTheChosenClubsEntries)
{
    const auto placed = addAll({{.name = "A", .t1 = 60, .club = 1, .clubs = {5, 0, 0}},
                               {.name = "B", .t1 = 50, .club = 2, .clubs = {7, 5, 0}},
                               {.name = "C", .t1 = 40, .club = 1, .clubs = {7, 5, 0}},
                               {.name = "D", .t1 = 30, .club = 0, .clubs = {5, 0, 0}},
                               {.name = "E", .t1 = 20, .club = 4, .clubs = {5, 5, 5}},
                               {.name = "F", .t1 = 55, .club = 3, .clubs = {0, 0, 5}}});
    // No club chosen, as before any print window: the whole race.
    ComputeProvisionalResult();
    EXPECT_EQ(Ranking.RankedCount, 6);
    Ranking.ClubFilter = 0;
    ComputeProvisionalResult();
    EXPECT_EQ(Ranking.RankedCount, 6);

    Ranking.ClubFilter = 5;
    ComputeProvisionalResult();
    EXPECT_EQ(rankedNames(), (QStringList{"B", "F", "A"}));
    EXPECT_EQ(ranksOf(placed), (std::vector<int>{3, 1, 0, 0, 0, 2}));
    EXPECT_DOUBLE_EQ(Ranking.BestTimeFemale, 50);

    // The start order of run 2 is the whole race's.
    RankAfterRun1();
    EXPECT_EQ(Ranking.RankedCount, 6);
}

TEST_F(RankingTest, CurrentAthlete_IsTheLastRankedOne)
{
    addAll({{.name = "A", .t1 = 50}, {.name = "B", .t1 = 40}, {.name = "C", .t1 = 0}});
    ComputeProvisionalResult();
    EXPECT_EQ(Rec.AthleteName, QStringLiteral("A"));
    RankAfterRun1();
    EXPECT_EQ(Rec.AthleteName, QStringLiteral("A"));
}

// The ranking the result list runs when no ranking window is open: every
// per-slot result, best time, work field and the current athlete as the
// ranking with its window gives them, and no window loaded.
TEST_F(RankingTest, WithoutWindow_GivesWhatTheWindowedRankingGives)
{
    struct Mode {
        const char *what;
        int byTime, twoRuns, byClass;
    };
    for (const Mode m : {Mode{"one run by time", 1, 0, 1}, Mode{"two runs", 1, 1, 1},
                         Mode{"points", 0, 0, 1}, Mode{"groups", 1, 1, 0}}) {
        SCOPED_TRACE(m.what);
        Rec.EvalByTime = m.byTime;
        Rec.TwoRuns = m.twoRuns;
        Rec.EvalByClass = m.byClass;
        Race = {};
        addAll({{.name = "HUBER Anna", .sex = 0, .t1 = 41.5, .t2 = 40.25, .group = 2, .points = 7},
                {.name = "MAIER Berta", .sex = 0, .t1 = 39.75, .t2 = 43.0, .group = 2, .points = 9},
                {.name = "GRUBER Carl", .sex = 1, .t1 = 38.0, .t2 = 38.5, .group = 1, .points = 9},
                {.name = "AUER Dora", .sex = 0, .t1 = 45.0, .t2 = 0, .s2 = 3, .group = 1},
                {.name = "BAUER Emil", .sex = 1, .t1 = 38.0, .t2 = 38.5, .group = 1, .points = 3,
                 .guest = 1}});
        Rec.GuestTimeHandicap = 2;

        // Work fields the ranking may leave alone (by points) start alike.
        Work.CurrentSlot = -1;
        Work.WorkText = QStringLiteral("x");
        ComputeProvisionalResult();
        unload<Form13>();
        const RankingState windowed = Ranking;
        const auto work = std::make_tuple(Work.CurrentSlot, Work.WorkText, Rec.CurrentAthleteId,
                                          Rec.AthleteName);

        Ranking = RankingState{};
        Work.CurrentSlot = -1;
        Work.WorkText = QStringLiteral("x");
        ComputeRankingWithoutWindow();
        EXPECT_FALSE(isLoaded<Form13>());
        EXPECT_EQ(Ranking.RankOrder, windowed.RankOrder);
        EXPECT_EQ(Ranking.SlotRank, windowed.SlotRank);
        EXPECT_EQ(Ranking.ClassFirstFlag, windowed.ClassFirstFlag);
        EXPECT_EQ(Ranking.SlotAdjTime1, windowed.SlotAdjTime1);
        EXPECT_EQ(Ranking.SlotAdjTime2, windowed.SlotAdjTime2);
        EXPECT_EQ(Ranking.SlotTotalTime, windowed.SlotTotalTime);
        EXPECT_EQ(Ranking.BestTimeFemale, windowed.BestTimeFemale);
        EXPECT_EQ(Ranking.BestTimeMale, windowed.BestTimeMale);
        EXPECT_EQ(Ranking.RankedCount, windowed.RankedCount);
        EXPECT_FALSE(windowed.DisplayLines.isEmpty());
        EXPECT_TRUE(Ranking.SortLines.isEmpty());
        EXPECT_TRUE(Ranking.DisplayLines.isEmpty());
        EXPECT_EQ(std::make_tuple(Work.CurrentSlot, Work.WorkText, Rec.CurrentAthleteId,
                                  Rec.AthleteName),
                  work);
    }
}

TEST_F(RankingTest, ANewRaceRanksByClassAndTimeWithoutTheCriteriaWindow)
{
    // Race 1 is evaluated by groups and points over two runs, with
    // handicaps; it is the race read before "+" makes race 2.
    OpenRaceFile();
    Rec.RaceRecordNo = 1;
    ClearRaceHeader();
    Rec.RaceName = QStringLiteral("Gruppenlauf");
    Rec.EvalByClass = 0;
    Rec.EvalByTime = 0;
    Rec.TwoRuns = 1;
    Rec.EvalBySex = 1;
    Rec.GuestTimeHandicap = 3;
    Rec.MenTimeHandicap = -2;
    WriteRaceHeader();
    Form1 &main = form<Form1>();
    main.Show();
    main.Command3.click();
    Form4 &races = form<Form4>();
    ASSERT_EQ(Rec.RaceRecordNo, 1);
    ASSERT_EQ(Rec.EvalByClass, 0);
    races.Command3.click();
    ASSERT_EQ(Rec.RaceRecordNo, 2);
    races.Text2.setText(QStringLiteral("Neuer Lauf"));
    races.Command7.click();

    // Two men of one class cell in two groups: by class they rank
    // together, by time the faster first, without handicaps.
    const std::vector<int> placed = addAll({
        {.name = QStringLiteral("LANGSAM Lukas"), .sex = 1, .t1 = 60, .group = 1, .points = 10},
        {.name = QStringLiteral("SCHNELL Sepp"), .sex = 1, .t1 = 50, .group = 1, .points = 20},
    });
    Race.SlotGroup[placed[0]] = 2;
    ComputeProvisionalResult();
    EXPECT_EQ(ranksOf(placed), (std::vector<int>{2, 1}));
    EXPECT_EQ(rankedNames(), (QStringList{"SCHNELL Sepp", "LANGSAM Lukas"}));
    EXPECT_EQ(Ranking.SlotTotalTime[placed[1]], 50);
    EXPECT_EQ(form<Form13>().List2.List(1),
              QStringLiteral("Rang--Name------------------Startnr.-Klasse-----------Zeit----Diff."));
}

} // namespace
