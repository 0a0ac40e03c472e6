#include <QFile>
#include <QStringList>

#include "GuiTestHelpers.h"
#include "RaceBuilder.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "race/Form13.h"
#include "race/Ranking.h"

namespace {

class Form13Test : public WindowDataTest, protected RaceBuilder {
protected:
    void SetUp() override
    {
        WindowDataTest::SetUp();
        OpenAthleteFile();
        Rec.EvalByClass = 1;
        Rec.EvalByTime = 1;
    }

    // An entry of group 1 in cell 0, start number and slot as given.
    void add(int slot, const QString &name, int startNo, double t1, double t2 = 0, int group = 1)
    {
        addEntry(addAthlete({.name = name, .sex = 0}), {.slot = slot,
                                                        .startNo = startNo,
                                                        .t1 = t1,
                                                        .t2 = t2,
                                                        .klass = 1,
                                                        .order = group,
                                                        .group = group});
    }
};

TEST_F(Form13Test, OneRunByTime_ShowsTheRankingCharacterExact)
{
    Race.ClassDesignations[0] = QStringLiteral("Damen");
    add(1, QStringLiteral("BAUER Anna"), 7, 60);
    add(2, QStringLiteral("AIGNER Eva"), 12, 60);
    add(3, QStringLiteral("CERNY Lea"), 3, 61.5);

    ComputeProvisionalResult();
    Form13 &f = form<Form13>();
    EXPECT_FALSE(f.Visible());
    EXPECT_EQ(lines(f.List2),
              (QStringList{"",
                           "Rang--Name------------------Startnr.-Klasse-----------Zeit----Diff.",
                           "   1. AIGNER Eva                  12 Damen           60,00     0,00",
                           "   2. BAUER Anna                   7 Damen           60,00     0,00",
                           "   3. CERNY Lea                    3 Damen           61,50     1,50"}));
    // The hidden list holds the sort lines in ranking order.
    EXPECT_FALSE(f.List1.Visible());
    EXPECT_EQ(lines(f.List1), (QStringList{"00100060,00AIGNER Eva   2", "00100060,00BAUER Anna   1",
                                           "00100061,50CERNY Lea   3"}));

    // A ranking after run 1 empties the readable list (the open window shows
    // it once refreshed, as the windows that rank do).
    RankAfterRun1();
    RefreshRankingWindow();
    EXPECT_EQ(f.List2.ListCount(), 0);
    EXPECT_EQ(f.List1.ListCount(), 3);
}

TEST_F(Form13Test, TwoRunsByGroups_GroupNamesDifferencesAndNoHeaderForAnEmptyGroup)
{
    Rec.EvalByClass = 0;
    Rec.TwoRuns = 1;
    Race.GroupNames[1] = QStringLiteral("Schüler");
    Race.GroupNames[2] = QStringLiteral("Eine sehr lange Gruppe");
    add(1, QStringLiteral("HUBER Max"), 1, 30.5, 31.25);
    add(2, QStringLiteral("LANGNAME-MIT-VIELEN-ZEICHEN Eva"), 2, 30, 32);
    add(3, QStringLiteral("AUS Gruppe Drei"), 3, 30, 30, 3);
    Race.SlotStatus2[3] = 2;
    add(4, QStringLiteral("KURZ Ida"), 4, 100, 100.5, 2);

    ComputeProvisionalResult();
    const QString header = QStringLiteral(
        "Rang--Name------------------Startnr.-Klasse----------Zeit1----Zeit2----Summe----Diff.");
    EXPECT_EQ(
        lines(form<Form13>().List2),
        (QStringList{"", header,
                     "   1. HUBER Max                    1 Schüler         30,50    31,25    61,75     0,00",
                     "   2. LANGNAME-MIT-VIELEN-ZEICH    2 Schüler         30,00    32,00    62,00     0,25",
                     "", header,
                     "   1. KURZ Ida                     4 Eine sehr la   100,00   100,50   200,50     0,00"}));

    // Each ranking starts the lists afresh.
    ComputeProvisionalResult();
    RefreshRankingWindow();
    EXPECT_EQ(form<Form13>().List2.ListCount(), 7);
    EXPECT_EQ(form<Form13>().List1.ListCount(), 3);
}

// The time columns are eight wide: below one with a leading zero, but not
// after a minus sign; wider texts keep their last eight characters.
TEST_F(Form13Test, TimeColumns_LeadingZeroMinusAndWideValues)
{
    Race.ClassDesignations[0] = QStringLiteral("Damen");
    Rec.GuestTimeHandicap = -30.5;
    add(1, QStringLiteral("GAST Ida"), 1, 30);
    Race.SlotGuest[1] = 1;
    add(2, QStringLiteral("KLEIN Eva"), 2, 0.75);
    add(3, QStringLiteral("LANG Uta"), 3, 123456.5);

    ComputeProvisionalResult();
    QStringList columns;
    for (const QString &line : lines(form<Form13>().List2).mid(2))
        columns << line.right(17);
    EXPECT_EQ(columns, (QStringList{"    -,50     0,00", "    0,75     1,25",
                                    "23456,50 23457,00"}));
    EXPECT_EQ(Work.WorkText, QStringLiteral("23457,00"));   // as FormatDecimal8 leaves it
}

TEST_F(Form13Test, ByPoints_ShowsThePointsWithFiveDigits)
{
    Rec.EvalByTime = 0;
    Race.ClassDesignations[0] = QStringLiteral("Herren");
    add(1, QStringLiteral("ZWEI Uwe"), 2, 1);
    add(2, QStringLiteral("PUNKT Uwe"), 1, 1);
    add(3, QStringLiteral("DREI Uwe"), 3, 1);
    Race.SlotPoints[1] = 100;
    Race.SlotPoints[2] = 12.5f;
    // Single precision holds 1,015 as 1,01499998...: shown as typed, rounded.
    Race.SlotPoints[3] = 1.015f;

    ComputeProvisionalResult();
    EXPECT_EQ(lines(form<Form13>().List2),
              (QStringList{"",
                           "Rang--Name------------------Startnr.-Klasse-----------Zeit----Diff.",
                           "   1. DREI Uwe                     3 Herren       00001,02",
                           "   2. PUNKT Uwe                    1 Herren       00012,50",
                           "   3. ZWEI Uwe                     2 Herren       00100,00"}));
}

TEST_F(Form13Test, Window_SlotFontsAndExit)
{
    Form13 &f = form<Form13>();
    EXPECT_EQ(f.windowSlot(), 13);
    EXPECT_EQ(f.Caption(), QStringLiteral("vorläufiges Ergebnis"));
    EXPECT_EQ(f.List1.FontName(), QStringLiteral("Monospac821 BT"));
    EXPECT_EQ(f.List2.FontName(), QStringLiteral("Monospac821 BT"));
    EXPECT_FALSE(f.List2.Sorted());
    EXPECT_EQ(f.Command1.Caption(), QStringLiteral("Exit"));

    ASSERT_TRUE(showAndActivate(f));
    f.Command1.click();
    destroyUnloadedWindows();
    EXPECT_FALSE(isLoaded<Form13>());
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("TopLeft.dat"))));

    // A ranking loads no window; the next one opened shows its lines.
    add(1, QStringLiteral("A"), 1, 50);
    ComputeProvisionalResult();
    EXPECT_FALSE(isLoaded<Form13>());
    EXPECT_FALSE(form<Form13>().Visible());
    EXPECT_EQ(form<Form13>().List2.ListCount(), 3);
}

} // namespace
