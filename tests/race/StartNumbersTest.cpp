#include <QDate>
#include <vector>

#include "TestSupport.h"
#include "RaceBuilder.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "platform/Beep.h"
#include "platform/Clock.h"
#include "platform/TextOrder.h"
#include "race/StartNumbers.h"

namespace {

class StartNumbersTest : public DataDirTest, protected RaceBuilder {
protected:
    void SetUp() override
    {
        DataDirTest::SetUp();
        OpenAthleteFile();
        Race.ActiveRaceNo = 1;
        Rec.EvalByClass = 1;
    }

    // Athlete number id with the name, entered in slot; start block by the
    // class start-order number.
    void enter(int slot, int id, const QString &name, int block = 0)
    {
        addEntry(addAthlete({.name = name, .sex = 1, .year = 2012, .id = id}),
                 {.slot = slot, .order = block});
    }

    void enter(int slot, const QString &name, int block = 0) { enter(slot, slot, name, block); }

    std::vector<int> startNos(int lastSlot)
    {
        std::vector<int> out;
        for (int slot = 1; slot <= lastSlot; ++slot)
            out.push_back(Race.SlotStartNo[slot]);
        return out;
    }
};

using Numbers = std::vector<int>;

TEST_F(StartNumbersTest, Line_NumberInFiveCharactersNameAndSlotAtTheEnd)
{
    EXPECT_EQ(startNumberLine(7, QStringLiteral("MAIER Hans"), 12),
              QStringLiteral("    7  MAIER Hans          12"));
    EXPECT_EQ(startNumberLine(0, QStringLiteral("HUBER Eva"), 3),
              QStringLiteral("    0  HUBER Eva          3"));
    EXPECT_EQ(startNumberLine(9999, QStringLiteral("X"), 1000),
              QStringLiteral(" 9999  X          1000"));
    EXPECT_EQ(slotOfStartNumberLine(startNumberLine(12, QStringLiteral("MAIER Hans"), 1000)), 1000);
    EXPECT_EQ(slotOfStartNumberLine(startNumberLine(12, QStringLiteral("MAIER Hans 2"), 7)), 7);
    // The list sorts by start number, entries without one first.
    EXPECT_LT(compareText(startNumberLine(7, QStringLiteral("ZACH"), 1),
                          startNumberLine(12, QStringLiteral("ABEL"), 2)), 0);
    EXPECT_LT(compareText(startNumberLine(0, QStringLiteral("ZACH"), 1),
                          startNumberLine(1, QStringLiteral("ABEL"), 2)), 0);
}

TEST_F(StartNumbersTest, Lines_OnlyEntriesWhoseAthleteHasAName)
{
    enter(1, QStringLiteral("MAIER Hans"));
    enter(2, QString());
    enter(4, QStringLiteral("HUBER Eva"));
    Race.SlotStartNo[4] = 12;
    Race.SlotAthleteId[5] = 77;   // outside the athlete file
    Race.SlotStartNo[6] = 3;      // a free slot
    Rec.CurrentAthleteId = 2;
    const int beeps = beepCount();
    EXPECT_EQ(startNumberLines(),
              (QStringList{QStringLiteral("    0  MAIER Hans          1"),
                           QStringLiteral("   12  HUBER Eva          4")}));
    EXPECT_EQ(Rec.CurrentAthleteId, 2);
    EXPECT_EQ(beepCount(), beeps);
}

TEST_F(StartNumbersTest, TypedStartNo_WholeNumbersOneTo9999Only)
{
    struct Case {
        const char *typed;
        int startNo;
    };
    const Case cases[] = {
        {"7", 7},     {"  12", 12}, {"12  ", 12}, {"1", 1},   {"9999", 9999}, {"1e3", 1000},
        {"10000", 0}, {"0", 0},     {"", 0},      {"-3", 0},  {"12.5", 0},    {"abc", 0},
        {"0.4", 0},   {"1e9", 0},
        // The whole text is the number: a decimal comma or a stray letter is
        // no whole number, not the digits in front of it.
        {"12,5", 0},  {"12,0", 12}, {"12a", 0},   {"1 2", 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(typedStartNo(QString::fromLatin1(c.typed)), c.startNo) << c.typed;
}

TEST_F(StartNumbersTest, ReserveAndFirstNumber_RoundedAndTheReserveNeverNegative)
{
    struct Case {
        const char *typed;
        int gap, first;
    };
    const Case cases[] = {
        {"5", 5, 5},   {"2.5", 3, 3}, {"4.4", 4, 4},      {"-4", 0, -4},
        {"abc", 0, 0}, {"", 0, 0},    {"100.5", 101, 101}, {"7,9", 7, 7},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(reserveGap(QString::fromLatin1(c.typed)), c.gap) << c.typed;
        EXPECT_EQ(firstStartNo(QString::fromLatin1(c.typed)), c.first) << c.typed;
    }
}

TEST_F(StartNumbersTest, Taken_CountsEveryEntryButNoFreeSlot)
{
    enter(1, QStringLiteral("A"));
    enter(2, QString());
    Race.SlotStartNo[1] = 5;
    Race.SlotStartNo[2] = 6;     // an entry without a name still holds its number
    Race.SlotStartNo[900] = 7;   // left in a free slot
    EXPECT_TRUE(startNoTaken(5));
    EXPECT_TRUE(startNoTaken(6));
    EXPECT_FALSE(startNoTaken(7));
    EXPECT_FALSE(startNoTaken(8));
}

TEST_F(StartNumbersTest, BlockKey_ClassOrderOrGroupInThreeDigits)
{
    enter(1, QStringLiteral("A"), 7);
    Race.SlotGroup[1] = 42;
    EXPECT_EQ(startBlockKey(1), QStringLiteral("007"));
    Rec.EvalByClass = 0;
    EXPECT_EQ(startBlockKey(1), QStringLiteral("042"));
    Race.SlotGroup[1] = -3;
    EXPECT_EQ(startBlockKey(1), QStringLiteral("000"));
    Race.SlotGroup[1] = 4711;
    EXPECT_EQ(startBlockKey(1), QStringLiteral("999"));
}

TEST_F(StartNumbersTest, Draw_BlocksInKeyOrderWithReserveGapsAndRandomOrderInside)
{
    // Blocks of 1 (key 1), 3 (key 2) and 2 (key 3) entries, not in slot order.
    enter(1, QStringLiteral("A"), 2);
    enter(2, QStringLiteral("B"), 1);
    enter(3, QStringLiteral("C"), 2);
    enter(4, QStringLiteral("D"), 3);
    enter(5, QStringLiteral("E"), 2);
    enter(6, QStringLiteral("F"), 3);
    // One random number per entry, in slot order.
    rnd::queueValues({0.9, 0.0, 0.1, 0.7, 0.5, 0.2});
    EXPECT_EQ(drawStartNumbers(5), NumberingResult::Done);
    EXPECT_EQ(startNos(6), (Numbers{9, 1, 7, 16, 8, 15}));

    // Without reserve the numbers follow on; a negative one counts as 0.
    rnd::queueValues({0.9, 0.0, 0.1, 0.7, 0.5, 0.2});
    EXPECT_EQ(drawStartNumbers(-3), NumberingResult::Done);
    EXPECT_EQ(startNos(6), (Numbers{4, 1, 2, 6, 3, 5}));
}

TEST_F(StartNumbersTest, Draw_EqualRandomNumbersGoByNameAndNamelessEntriesKeepTheirs)
{
    enter(1, QStringLiteral("ZAUNER Max"));
    enter(2, QString());
    enter(3, QStringLiteral("ANGERER Eva"));
    enter(4, QStringLiteral("MOSER Ida"));
    Race.SlotStartNo[2] = 44;
    // 0.371 and 0.379 both give 37; the nameless entry draws nothing.
    rnd::queueValues({0.371, 0.379, 0.05, 0.999});
    EXPECT_EQ(drawStartNumbers(0), NumberingResult::Done);
    EXPECT_EQ(startNos(4), (Numbers{3, 44, 2, 1}));
    EXPECT_EQ(rnd::next(), 0.999);
}

TEST_F(StartNumbersTest, Draw_EqualStartOrderNumbersAreOneBlockAndCellsWithoutOneComeFirst)
{
    enter(1, QStringLiteral("A"), 1);
    enter(2, QStringLiteral("B"), 0);
    enter(3, QStringLiteral("C"), 1);
    enter(4, QStringLiteral("D"), 0);
    rnd::queueValues({0.1, 0.2, 0.3, 0.4});
    EXPECT_EQ(drawStartNumbers(10), NumberingResult::Done);
    EXPECT_EQ(startNos(4), (Numbers{13, 1, 14, 2}));
}

TEST_F(StartNumbersTest, Draw_ByGroupsWhenTheRaceIsEvaluatedByGroups)
{
    Rec.EvalByClass = 0;
    enter(1, QStringLiteral("A"), 5);
    enter(2, QStringLiteral("B"), 1);
    enter(3, QStringLiteral("C"), 5);
    Race.SlotGroup[1] = 2;
    Race.SlotGroup[2] = 2;
    Race.SlotGroup[3] = 1;
    rnd::queueValues({0.5, 0.4, 0.9});
    EXPECT_EQ(drawStartNumbers(2), NumberingResult::Done);
    EXPECT_EQ(startNos(3), (Numbers{5, 4, 1}));
}

TEST_F(StartNumbersTest, Draw_ThatWouldPass9999ChangesNothing)
{
    enter(1, QStringLiteral("A"), 1);
    enter(2, QStringLiteral("B"), 2);
    Race.SlotStartNo[1] = 8;
    Race.SlotStartNo[2] = 9;
    rnd::queueValues({0.1, 0.2});
    EXPECT_EQ(drawStartNumbers(9998), NumberingResult::BeyondHighest);
    EXPECT_EQ(startNos(2), (Numbers{8, 9}));
    rnd::queueValues({0.1, 0.2});
    EXPECT_EQ(drawStartNumbers(2147483647), NumberingResult::BeyondHighest);
    EXPECT_EQ(startNos(2), (Numbers{8, 9}));
    rnd::queueValues({0.1, 0.2});
    EXPECT_EQ(drawStartNumbers(9997), NumberingResult::Done);
    EXPECT_EQ(startNos(2), (Numbers{1, 9999}));
}

TEST_F(StartNumbersTest, BlockNumbering_OneClassInNameOrderFromTheFirstNumber)
{
    enter(1, QStringLiteral("MOSER Ida"));
    enter(2, QStringLiteral("ANGERER Eva"));
    enter(3, QStringLiteral("OTHER Class"));
    enter(4, QStringLiteral("HUBER Max"));
    enter(5, QString());
    for (int slot : {1, 2, 4, 5})
        Race.SlotClass[slot] = 3;
    Race.SlotClass[3] = 2;
    Race.SlotStartNo[3] = 7;
    Race.SlotStartNo[5] = 8;
    EXPECT_EQ(numberStartBlock(3, 101, 5), NumberingResult::Done);
    EXPECT_EQ(startNos(5), (Numbers{103, 101, 7, 102, 8}));
}

TEST_F(StartNumbersTest, BlockNumbering_CellsOfTheClassWithOtherStartOrderAreSeparatedByTheGap)
{
    enter(1, QStringLiteral("A"), 2);
    enter(2, QStringLiteral("B"), 1);
    enter(3, QStringLiteral("C"), 2);
    enter(4, QStringLiteral("D"), 1);
    for (int slot = 1; slot <= 4; ++slot)
        Race.SlotClass[slot] = 1;
    EXPECT_EQ(numberStartBlock(1, 20, 3), NumberingResult::Done);
    EXPECT_EQ(startNos(4), (Numbers{25, 20, 26, 21}));
}

TEST_F(StartNumbersTest, BlockNumbering_InGroupModeTheMembersOfTheGroup)
{
    Rec.EvalByClass = 0;
    enter(1, QStringLiteral("B"));
    enter(2, QStringLiteral("A"));
    enter(3, QStringLiteral("C"));
    Race.SlotGroup[1] = 4;
    Race.SlotGroup[2] = 4;
    Race.SlotGroup[3] = 5;
    Race.SlotClass[3] = 4;   // the class does not count in group mode
    EXPECT_EQ(numberStartBlock(4, 50, 0), NumberingResult::Done);
    EXPECT_EQ(startNos(3), (Numbers{51, 50, 0}));
}

TEST_F(StartNumbersTest, BlockNumbering_RefusesAFirstNumberOutsideOneTo9999AndAnOverflow)
{
    enter(1, QStringLiteral("A"), 1);
    enter(2, QStringLiteral("B"), 2);
    Race.SlotClass[1] = 1;
    Race.SlotClass[2] = 1;
    Race.SlotStartNo[1] = 3;
    for (int first : {0, -5, 10000})
        EXPECT_EQ(numberStartBlock(1, first, 0), NumberingResult::FirstOutOfRange) << first;
    EXPECT_EQ(numberStartBlock(1, 9999, 0), NumberingResult::BeyondHighest);
    EXPECT_EQ(numberStartBlock(1, 9990, 9), NumberingResult::BeyondHighest);
    EXPECT_EQ(startNos(2), (Numbers{3, 0}));
    EXPECT_EQ(numberStartBlock(1, 9990, 8), NumberingResult::Done);
    EXPECT_EQ(startNos(2), (Numbers{9990, 9999}));
}

TEST_F(StartNumbersTest, Clear_AllSlots)
{
    Race.SlotStartNo[1] = 4;
    Race.SlotStartNo[1000] = 9;
    EXPECT_TRUE(anyStartNumber());
    clearStartNumbers();
    EXPECT_FALSE(anyStartNumber());
    EXPECT_EQ(Race.SlotStartNo[1000], 0);
}

} // namespace
