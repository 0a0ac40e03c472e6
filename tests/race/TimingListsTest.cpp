#include <QStringList>
#include <vector>

#include "GuiTestHelpers.h"
#include "RaceBuilder.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "platform/Beep.h"
#include "platform/Strings.h"
#include "race/Form13.h"
#include "race/Form7.h"
#include "race/Ranking.h"
#include "race/TimingLists.h"

namespace {

const QString Gap = blanks(11);

class TimingListsTest : public WindowDataTest, protected RaceBuilder {
protected:
    void SetUp() override
    {
        WindowDataTest::SetUp();
        OpenAthleteFile();
        Rec.EvalByClass = 1;
        Rec.EvalByTime = 1;
        Race.ClassDesignations[0] = QStringLiteral("ohne");
        Race.ClassDesignations[8] = QStringLiteral("Schüler");
        Race.ClassDesignations[16] = QStringLiteral("Jugend");
    }

    // An entry in slot, athlete record of its own, class order and cell as
    // given (cell 8 and order 1 unless said).
    void add(int slot, const QString &name, int startNo, double t1, double t2 = 0,
             int order = 1, int cell = 8, int sex = 0)
    {
        addEntry(addAthlete({.name = name, .sex = sex}), {.slot = slot,
                                                          .startNo = startNo,
                                                          .t1 = t1,
                                                          .t2 = t2,
                                                          .klass = cell / 8 + 1,
                                                          .order = order,
                                                          .cell = cell});
    }

    static QString line(const QString &head, const QString &name, int slot)
    {
        return head + name + Gap + QString::number(slot);
    }

    // FillTimingLists in the order of option n of the time-entry window,
    // which it loads hidden.
    Form7 &fill(int n)
    {
        Form7 &f = form<Form7>();
        OptionButton *options[] = {&f.Option1, &f.Option2, &f.Option3, &f.Option4, &f.Option5};
        if (options[n - 1]->Value())
            FillTimingLists();
        else
            options[n - 1]->setValue(true);   // its Click refills
        return f;
    }

    // Names in the order of the visible lines (separators as "--").
    static QStringList names(const QStringList &visible)
    {
        QStringList out;
        for (const QString &l : visible)
            out << (l.startsWith(QStringLiteral("-----")) ? QStringLiteral("--")
                                                          : trimBlanks(l.mid(0, l.size() - 5)));
        return out;
    }
};

TEST_F(TimingListsTest, StartNumberOrder_KeyAndVisibleLines)
{
    add(1, QStringLiteral("MAIER Hans"), 12, 65.32);
    add(2, QStringLiteral("  HUBER Eva "), 7, 0);
    add(3, QStringLiteral("OHNE Nummer"), 0, 0);
    add(4, QStringLiteral("   "), 1, 0);   // no name: in no order
    add(12, QStringLiteral("ANGERER Max"), 345, 0, 0, 2, 16);

    Form7 &f = fill(1);
    EXPECT_EQ(lines(f.List1), (QStringList{line("0000 ", "OHNE Nummer", 3),
                                           line("0007 ", "HUBER Eva", 2),
                                           line("0012 ", "MAIER Hans", 1),
                                           line("0345 ", "ANGERER Max", 12)}));
    EXPECT_EQ(lines(f.List2), (QStringList{line("0000  ", "OHNE Nummer", 3),
                                           line("0007  ", "HUBER Eva", 2),
                                           line("0012  ", "MAIER Hans", 1),
                                           line("0345  ", "ANGERER Max", 12)}));
    EXPECT_FALSE(f.List1.Visible());
    EXPECT_FALSE(f.Visible());
    EXPECT_EQ(SlotOfTimingLine(f.List2.List(3)), 12);
}

TEST_F(TimingListsTest, TimesOrder_PlainSumOfBothRunsWhateverTheStatusesAndHandicaps)
{
    Rec.MenTimeHandicap = -5;
    Rec.GuestTimeHandicap = 10;
    add(1, QStringLiteral("ZWEI Läufe"), 1, 30.5, 31.25, 1, 8, 1);
    add(2, QStringLiteral("OHNE Zeit"), 2, 0);
    add(3, QStringLiteral("DISQ Ida"), 3, 40.004, 0);
    Race.SlotStatus1[3] = 3;
    Race.SlotGuest[3] = 1;
    add(4, QStringLiteral("BAUER Anna"), 4, 61.75);
    add(5, QStringLiteral("LANG Sam"), 5, 99999.994);

    Form7 &f = fill(2);
    const QStringList expected{line("00000,00 ", "OHNE Zeit", 2), line("00040,00 ", "DISQ Ida", 3),
                               line("00061,75 ", "BAUER Anna", 4),
                               line("00061,75 ", "ZWEI Läufe", 1),
                               line("99999,99 ", "LANG Sam", 5)};
    EXPECT_EQ(lines(f.List1), expected);
    EXPECT_EQ(lines(f.List2), expected);
}

TEST_F(TimingListsTest, ClassStartNumberOrder_SeparatorBeforeEveryGroupAlsoGroupZero)
{
    add(1, QStringLiteral("KEINE Ordnung"), 9, 0, 0, 0, 0);
    add(2, QStringLiteral("SCHÜLER Zwei"), 20, 0, 0, 1, 8);
    add(3, QStringLiteral("SCHÜLER Eins"), 5, 0, 0, 1, 9);   // merged cell, same order
    add(4, QStringLiteral("JUGEND Eins"), 1, 0, 0, 2, 16);

    // The separator names the designation of the group's first entry.
    Race.ClassDesignations[9] = QStringLiteral("Schüler m");

    Form7 &f = fill(3);
    EXPECT_EQ(lines(f.List1), (QStringList{line("000 0009 ", "KEINE Ordnung", 1),
                                           line("001 0005 ", "SCHÜLER Eins", 3),
                                           line("001 0020 ", "SCHÜLER Zwei", 2),
                                           line("002 0001 ", "JUGEND Eins", 4)}));
    EXPECT_EQ(lines(f.List2),
              (QStringList{"----- ohne -----------------------------------",
                           line("0009  ", "KEINE Ordnung", 1),
                           "----- Schüler m -----------------------------------",
                           line("0005  ", "SCHÜLER Eins", 3), line("0020  ", "SCHÜLER Zwei", 2),
                           "----- Jugend -----------------------------------",
                           line("0001  ", "JUGEND Eins", 4)}));
    EXPECT_EQ(SlotOfTimingLine(f.List2.List(2)), 0);
    EXPECT_EQ(SlotOfTimingLine(TimingSeparatorLine(QString())), 0);
}

TEST_F(TimingListsTest, ClassTimeOrder_TheRankingsTotalAndUnrankedFirstWithZero)
{
    Rec.MenTimeHandicap = -2;
    add(1, QStringLiteral("HERR Max"), 1, 61, 0, 1, 8, 1);   // 59 with the handicap
    add(2, QStringLiteral("DAME Eva"), 2, 60);
    add(3, QStringLiteral("NOCH Keine"), 3, 0);
    add(4, QStringLiteral("NAS Tom"), 4, 50);
    Race.SlotStatus1[4] = 1;
    add(5, QStringLiteral("JUNG Ida"), 5, 70, 0, 2, 16);

    Form7 &f = fill(4);
    EXPECT_EQ(lines(f.List1), (QStringList{line("001 00000,00 ", "NAS Tom", 4),
                                           line("001 00000,00 ", "NOCH Keine", 3),
                                           line("001 00059,00 ", "HERR Max", 1),
                                           line("001 00060,00 ", "DAME Eva", 2),
                                           line("002 00070,00 ", "JUNG Ida", 5)}));
    EXPECT_EQ(lines(f.List2),
              (QStringList{"----- Schüler -----------------------------------",
                           line("00000,00 ", "NAS Tom", 4), line("00000,00 ", "NOCH Keine", 3),
                           line("00059,00 ", "HERR Max", 1), line("00060,00 ", "DAME Eva", 2),
                           "----- Jugend -----------------------------------",
                           line("00070,00 ", "JUNG Ida", 5)}));
    // The ranking run for the lists is what the provisional result shows.
    EXPECT_EQ(form<Form13>().List2.ListCount(), 7);
}

TEST_F(TimingListsTest, ClassTimeOrder_NegativeTotalsComeFirstAsNumbers)
{
    // A men handicap above the run time gives a negative total, whose key
    // text would otherwise sort among the positive ones.
    Rec.MenTimeHandicap = -30;
    add(1, QStringLiteral("A Langsam"), 1, 45, 0, 1, 8, 1);   // 15
    add(2, QStringLiteral("B Schnell"), 2, 20, 0, 1, 8, 1);   // -10
    add(3, QStringLiteral("C Mittel"), 3, 25, 0, 1, 8, 1);    // -5
    Form7 &f = fill(4);
    EXPECT_EQ(names(lines(f.List2)),
              (QStringList{"--", "-00010,00 B Schnell", "-00005,00 C Mittel", "00015,00 A Langsam"}));
}

TEST_F(TimingListsTest, Run2StartKey_BestFifteenReversed)
{
    struct Case {
        int rank;
        double adj;
        const char *key;
    } cases[] = {
        {1, 60, "49940,00"}, {15, 61.5, "49938,50"}, {16, 61.5, "50061,50"},
        {1, 0, "50000,00"},  {3, 65.324, "49934,68"}, {40, 120.005, "50120,01"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Run2StartKey(c.rank, c.adj), QString::fromLatin1(c.key)) << c.rank << " " << c.adj;
}

// Eighteen entries of one class with run-1 times 60, 61, ... 77 s, two of
// them sharing place 15 (the ranks after run 1 are dense): sixteen in the
// reversed block, then places 16 and 17.
TEST_F(TimingListsTest, SecondRunOrder_BestFifteenAndSharedPlacesReversedThenRun1Order)
{
    for (int i = 1; i <= 18; ++i)
        add(i, QStringLiteral("L%1").arg(i, 2, 10, QChar(u'0')), 100 + i, 59 + i);
    Race.SlotTime1[16] = 74;   // shares place 15 with slot 15
    add(19, QStringLiteral("NAS Eins"), 1, 50);
    Race.SlotStatus1[19] = 1;
    add(20, QStringLiteral("DIS Zwei"), 2, 50);
    Race.SlotStatus1[20] = 3;
    // A negative status from a damaged file is no "ok" either.
    add(21, QStringLiteral("MINUS Drei"), 3, 50);
    Race.SlotStatus1[21] = -1;

    Form7 &f = fill(5);
    auto entry = [](int i) {
        return QStringLiteral("%1  L%2").arg(100 + i, 4, 10, QChar(u'0')).arg(i, 2, 10, QChar(u'0'));
    };
    QStringList expected{"--", entry(15), entry(16)};
    for (int i = 14; i >= 1; --i)
        expected << entry(i);
    expected << entry(17) << entry(18);
    EXPECT_EQ(names(lines(f.List2)), expected);
    EXPECT_EQ(f.List1.ListCount(), 18);
    EXPECT_EQ(f.List1.List(0), line("001 49926,00 ", "L15", 15));
    EXPECT_EQ(f.List1.List(15), line("001 49940,00 ", "L01", 1));
    EXPECT_EQ(f.List1.List(16), line("001 50076,00 ", "L17", 17));
    // The ranking after run 1 leaves the readable result empty.
    EXPECT_EQ(form<Form13>().List2.ListCount(), 0);
}

TEST_F(TimingListsTest, SecondRunOrder_OkWithoutRun1TimeComesRightAfterTheWinner)
{
    add(1, QStringLiteral("SIEGER"), 1, 60);
    add(2, QStringLiteral("ZWEITER"), 2, 61);
    add(3, QStringLiteral("OHNE Zeit"), 3, 0);
    Form7 &f = fill(5);
    EXPECT_EQ(names(lines(f.List2)),
              (QStringList{"--", "0002  ZWEITER", "0001  SIEGER", "0003  OHNE Zeit"}));
    EXPECT_EQ(f.List1.List(2), line("001 50000,00 ", "OHNE Zeit", 3));
}

TEST_F(TimingListsTest, SecondRunOrder_ByGroupsKeyedByGroupNumber_ByPointsChoosesTheBlock)
{
    Rec.EvalByClass = 0;
    Rec.EvalByTime = 0;
    // Group 2 holds entries of two classes; its separator names the first.
    add(1, QStringLiteral("G2 Jugend"), 1, 70, 0, 5, 16);
    add(2, QStringLiteral("G2 Schüler"), 2, 80, 0, 1, 8);
    add(3, QStringLiteral("G1 Eins"), 3, 90, 0, 1, 8);
    Race.SlotGroup[1] = 2;
    Race.SlotGroup[2] = 2;
    Race.SlotGroup[3] = 1;
    // By points the slow one is the better: both in the best block, each
    // keyed by its run-1 time.
    Race.SlotPoints[1] = 20;
    Race.SlotPoints[2] = 10;

    Form7 &f = fill(5);
    EXPECT_EQ(lines(f.List2),
              (QStringList{"----- Schüler -----------------------------------",
                           line("0003  ", "G1 Eins", 3),
                           "----- Schüler -----------------------------------",
                           line("0002  ", "G2 Schüler", 2), line("0001  ", "G2 Jugend", 1)}));
    EXPECT_EQ(Ranking.SlotRank[2], 1);
    EXPECT_EQ(Ranking.SlotRank[1], 2);
}

TEST_F(TimingListsTest, Fill_KeepsTheCurrentAthleteAndRefillsFromScratch)
{
    add(1, QStringLiteral("EINS"), 1, 10);
    add(2, QStringLiteral("ZWEI"), 2, 20);
    Rec.CurrentAthleteId = 1;
    ReadAthleteRecord();
    Form7 &f = fill(1);
    EXPECT_EQ(Rec.CurrentAthleteId, 1);
    EXPECT_EQ(Rec.AthleteName, QStringLiteral("EINS"));
    fill(3);
    fill(1);
    EXPECT_EQ(f.List1.ListCount(), 2);
    EXPECT_EQ(f.List2.ListCount(), 2);
    EXPECT_EQ(Rec.CurrentAthleteId, 1);
    EXPECT_EQ(Rec.AthleteName, QStringLiteral("EINS"));
}

TEST_F(TimingListsTest, Build_AthleteNumberOutsideTheFileIsSkippedWithoutBeep)
{
    add(1, QStringLiteral("DA"), 1, 10);
    Race.SlotAthleteId[2] = 99;
    const int beeps = beepCount();
    RankForTimingOrder(TimingOrder::StartNo);
    const TimingListLines l = BuildTimingLines(TimingOrder::StartNo);
    EXPECT_EQ(l.visibleLines, (QStringList{line("0001  ", "DA", 1)}));
    EXPECT_EQ(beepCount(), beeps);
}

} // namespace
