#include <array>
#include <vector>

#include "TestSupport.h"
#include "core/SharedState.h"
#include "race/ClassStartOrder.h"

namespace {

class ClassStartOrderTest : public DataDirTest {};

TEST_F(ClassStartOrderTest, TypedNumbers_OnlyWholeNumbersUpToThreeDigits)
{
    struct Case {
        const char *text;
        bool accepted;
        int value;
    };
    const Case cases[] = {
        {"7", true, 7},       {" 12 ", true, 12},    {"0", true, 0},      {"999", true, 999},
        {"", true, 0},        {"   ", true, 0},      {"3.0", true, 3},    {"+5", true, 5},
        {"1000", false, 0},   {"-1", false, 0},      {"2.5", false, 0},   {"2,5", false, 0},
        {"abc", false, 0},    {"12abc", false, 0},   {"1 2", false, 0},   {"99999999999", false, 0},
    };
    for (const Case &c : cases) {
        int value = -42;
        const bool accepted = startOrderFromText(QString::fromUtf8(c.text), &value);
        EXPECT_EQ(accepted, c.accepted) << c.text;
        EXPECT_EQ(value, c.accepted ? c.value : -42) << c.text;
    }
}

TEST_F(ClassStartOrderTest, DefaultDesignations_FollowTheCriteria)
{
    Race.ClassNames[2] = QStringLiteral("Kinder U10");
    struct Case {
        int bySex, guests, boarders, index;
        const char *designation;
    };
    const Case cases[] = {
        {1, 1, 0, 11, "Kinder U10 männlich Gäste"},
        {1, 1, 0, 8, "Kinder U10 weiblich"},
        {1, 1, 1, 14, "Kinder U10 weiblich Gäste Boarder"},
        {0, 0, 0, 11, "Kinder U10"},
        {0, 0, 1, 13, "Kinder U10 Boarder"},
        {2, 2, 2, 15, "Kinder U10"},   // only a stored 1 switches a split on
    };
    for (const Case &c : cases) {
        Rec.EvalBySex = std::uint8_t(c.bySex);
        Rec.EvalGuestsApart = std::uint8_t(c.guests);
        Rec.EvalBoarders = std::uint8_t(c.boarders);
        EXPECT_EQ(defaultDesignation(c.index), QString::fromUtf8(c.designation)) << c.index;
    }
}

TEST_F(ClassStartOrderTest, Walk_ReadsAndWritesNamedClassesOnly)
{
    Race.ClassNames[1] = QStringLiteral("Bambini");
    Race.ClassNames[3] = QStringLiteral("Kinder U10");   // class 2 left without a name
    Race.ClassCellOrder[1][1][0][0] = 4;                 // class 1, men: index 1
    Race.ClassCellOrder[2][0][0][0] = 9;                 // unnamed: not in the grid
    Race.ClassCellOrder[3][0][1][1] = 5;                 // class 3, female boarder guests: 22
    Race.ClassDesignations[16] = QStringLiteral("U10 gemischt");
    readClassStartOrder();
    EXPECT_EQ(StartOrder.ClassStartOrder[1], 4);
    EXPECT_EQ(StartOrder.ClassStartOrder[8], 0);
    EXPECT_EQ(StartOrder.ClassStartOrder[22], 5);
    EXPECT_EQ(Race.ClassDesignations[0], QStringLiteral("Bambini"));
    EXPECT_EQ(Race.ClassDesignations[8], QString());
    EXPECT_EQ(Race.ClassDesignations[16], QStringLiteral("U10 gemischt"));

    StartOrder.ClassStartOrder.fill(3);
    writeBackClassStartOrder();
    EXPECT_EQ(Race.ClassCellOrder[1][1][0][0], 3);
    EXPECT_EQ(Race.ClassCellOrder[2][0][0][0], 9);
    EXPECT_EQ(Race.ClassCellOrder[3][0][1][1], 3);
    EXPECT_EQ(Race.ClassCellOrder[4][0][0][0], 0);
}

TEST_F(ClassStartOrderTest, NextNumber_IsHighestPlusOneAndStopsAt999)
{
    EXPECT_EQ(nextClassStartOrder(), 1);
    StartOrder.ClassStartOrder[40] = 17;
    StartOrder.ClassStartOrder[3] = 4;
    EXPECT_EQ(nextClassStartOrder(), 18);
    StartOrder.ClassStartOrder[159] = 998;
    EXPECT_EQ(nextClassStartOrder(), 999);
    StartOrder.ClassStartOrder[159] = 999;
    EXPECT_EQ(nextClassStartOrder(), 0);
    StartOrder.ClassStartOrder[159] = 1500;   // as read from an old file
    EXPECT_EQ(nextClassStartOrder(), 0);
}

TEST_F(ClassStartOrderTest, UnsetOrder_NumberedClassByClassWithDesignations)
{
    struct Preset {
        int cell, number;
    };
    // Cells 0..3 of class 1, 16..19 of class 3 and cell 8 of the unnamed
    // class 2, in this order.
    const int cells[] = {0, 1, 2, 3, 16, 17, 18, 19, 8};
    struct Case {
        const char *what;
        int byClass, bySex, guests;
        std::vector<Preset> preset;
        bool numbers;
        std::array<int, 9> expected;
    } cases[] = {
        {"never set, split by sex and guests", 1, 1, 1, {}, true, {1, 2, 3, 4, 5, 6, 7, 8, 0}},
        {"never set, no split", 1, 0, 0, {}, true, {1, 0, 0, 0, 2, 0, 0, 0, 0}},
        // A number in a cell the criteria leave out does not count as set.
        {"only a cell not in use numbered", 1, 0, 0, {{1, 7}}, true, {1, 7, 0, 0, 2, 0, 0, 0, 0}},
        {"one cell in use numbered", 1, 1, 0, {{17, 4}}, false, {0, 0, 0, 0, 0, 4, 0, 0, 0}},
        {"all in one group", 1, 0, 0, {{0, 3}, {16, 3}}, false, {3, 0, 0, 0, 3, 0, 0, 0, 0}},
        {"race by groups", 0, 1, 1, {}, false, {0, 0, 0, 0, 0, 0, 0, 0, 0}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Race = RaceState{};
        Race.ClassNames[1] = QStringLiteral("Bambini");
        Race.ClassNames[3] = QStringLiteral("Kinder U10");
        Race.ClassDesignations[2] = QStringLiteral("Gäste klein");   // typed: kept
        for (const Preset &p : c.preset)
            cellOrderOf(p.cell) = p.number;
        Rec.EvalByClass = std::uint8_t(c.byClass);
        Rec.EvalBySex = std::uint8_t(c.bySex);
        Rec.EvalGuestsApart = std::uint8_t(c.guests);
        Rec.EvalBoarders = 0;

        EXPECT_EQ(NumberUnsetClassCells(), c.numbers);
        for (std::size_t i = 0; i < std::size(cells); ++i)
            EXPECT_EQ(cellOrderOf(cells[i]), c.expected[i]) << cells[i];
        if (c.numbers) {
            EXPECT_EQ(Race.ClassDesignations[0],
                      c.bySex ? QStringLiteral("Bambini weiblich") : QStringLiteral("Bambini"));
            EXPECT_EQ(Race.ClassDesignations[16], c.bySex ? QStringLiteral("Kinder U10 weiblich")
                                                          : QStringLiteral("Kinder U10"));
            EXPECT_EQ(Race.ClassDesignations[2], QStringLiteral("Gäste klein"));
            EXPECT_EQ(Race.ClassDesignations[8], QString());   // unnamed class
            if (c.bySex && c.guests) {
                EXPECT_EQ(Race.ClassDesignations[19], QStringLiteral("Kinder U10 männlich Gäste"));
            }
            // Numbered once, the next call leaves the order alone.
            EXPECT_FALSE(NumberUnsetClassCells());
        } else {
            EXPECT_EQ(Race.ClassDesignations[0], QString());
        }
    }
}

} // namespace
