// The club, team and group results window through its controls: who counts,
// the three kinds of score, the result and member lines, the state of
// "drucken" and the lists on opening.
#include <vector>

#include "PrivatePrintServer.h"
#include "TeamFixture.h"
#include "core/Form1.h"
#include "core/Form4.h"
#include "core/RaceFiles.h"
#include "platform/Printer.h"
#include "platform/RecordingPrinter.h"
#include "platform/Strings.h"
#include "race/Form13.h"
#include "scoring/Form12.h"
#include "scoring/ScoringWindows.h"
#include "scoring/TeamScoring.h"

namespace {

enum Kind { Best, Average, Sum };

class Form12Test : public TeamRaceTest {
protected:
    void TearDown() override
    {
        resetPrinter();
        TeamRaceTest::TearDown();
    }

    // Ticks the category box, chooses the kind (and N), the sex filter, and
    // starts the scoring.
    Form12 &evaluate(CheckBox Form12::*category, Kind kind, int n = 2, int sexFilter = 0)
    {
        Form12 &f = form<Form12>();
        (f.*category).setValue(1);
        if (kind == Best)
            f.Option1.setValue(true);
        else if (kind == Average)
            f.Option2.setValue(true);
        else
            f.Option3.setValue(true);
        f.Combo2.setListIndex(n - 2);
        f.Combo3.setListIndex(sexFilter);
        f.Command2.click();
        return f;
    }

    // The scores of the result list, in list order, with the names.
    static QStringList scores(const Form12 &f)
    {
        QStringList out;
        for (const QString &line : lines(f.List2))
            out << trimBlanks(leftChars(line, 10)) + u' '
                    + trimBlanks(line.mid(11, line.size() - 11 - 6));
        return out;
    }

    // The member names of result line `row`, in member-list order.
    QStringList members(Form12 &f, int row)
    {
        f.List2.setListIndex(-1);
        f.List2.setListIndex(row);
        QStringList out;
        for (const QString &line : lines(f.List5)) {
            const int slot = SlotOfMemberLine(line);
            Rec.CurrentAthleteId = Race.SlotAthleteId[slot];
            ReadAthleteRecord();
            out << trimBlanks(Rec.AthleteName);
        }
        return out;
    }

    static std::vector<int> counted()
    {
        std::vector<int> marked;
        for (int s = 1; s <= MaxSlots; ++s)
            if (TeamScoring.SlotCounted[s] == 1)
                marked.push_back(s);
        return marked;
    }
};

TEST_F(Form12Test, Opening_FillsTheControlsAndTheListsOfTheRace)
{
    addClub(QStringLiteral("SC Berg"));
    addClub(QStringLiteral("WSV Tal"));
    Race.TeamNames[1] = QStringLiteral("Berg I");
    Race.TeamNames[2] = QStringLiteral("Berg II");   // no entries: not listed
    Race.TeamNames[12] = QStringLiteral("Tal");
    Race.GroupNames[3] = QStringLiteral("Eltern");
    add({.name = QStringLiteral("A"), .team = 1, .club = 2});
    add({.name = QStringLiteral("B"), .team = 1, .club = 1});
    add({.name = QStringLiteral("C"), .team = 12, .club = 2});

    Form12 &f = form<Form12>();
    EXPECT_EQ(f.Caption(), QStringLiteral("Mannschafts-, Vereins- und Gruppen - Ergebnisse"));
    EXPECT_EQ(f.Label1.Caption(), QStringLiteral("Vereinsmeisterschaft"));
    EXPECT_EQ(f.Check1.Value(), 1);
    EXPECT_EQ(f.Check2.Value() + f.Check3.Value(), 0);
    EXPECT_TRUE(f.Check2.Enabled());
    EXPECT_TRUE(f.Option1.Value());
    EXPECT_FALSE(f.Combo2.Enabled());
    EXPECT_FALSE(f.Command3.Enabled());
    EXPECT_EQ(f.Combo3.Text(), QStringLiteral("gemischt"));
    EXPECT_EQ(f.Combo3.ListCount(), 3);
    EXPECT_EQ(f.Combo1.Text(), QStringLiteral("nach Zeit"));
    EXPECT_EQ(f.Combo1.List(2), QStringLiteral("nach Klassen"));
    ASSERT_EQ(f.Combo2.ListCount(), 9);
    EXPECT_EQ(f.Combo2.List(0), QStringLiteral(" 2"));
    EXPECT_EQ(f.Combo2.List(8), QStringLiteral(" 10"));
    EXPECT_EQ(f.List2.FontName(), QStringLiteral("Monospac821 BT"));

    // Clubs in the order met in the slots, short names as stored.
    EXPECT_EQ(lines(f.List1),
              (QStringList{fitLeft(u"WSV Tal", 40), fitLeft(u"SC Berg", 40)}));
    EXPECT_EQ(TeamScoring.RaceClubList[1], 2);
    EXPECT_EQ(TeamScoring.RaceClubList[2], 1);
    EXPECT_EQ(TeamScoring.SlotClubIndex[1], 1);
    EXPECT_EQ(TeamScoring.SlotClubIndex[2], 2);
    EXPECT_EQ(lines(f.List3),
              (QStringList{QStringLiteral("  2 Berg I") + blanks(12) + QStringLiteral(" 1"),
                           QStringLiteral("  1 Tal") + blanks(12) + QStringLiteral(" 12")}));
    EXPECT_EQ(lines(f.List4), QStringList{QStringLiteral("Eltern")});
    // The ranking window is not left behind.
    EXPECT_FALSE(isLoaded<Form13>());

    // Activating the window names the current printer.
    useRecordingPrinter();
    ASSERT_TRUE(showAndActivate(f));
    EXPECT_EQ(f.Label3.Caption(), QStringLiteral("Aufzeichnung"));
}

TEST_F(Form12Test, Label3_ShowsTheDefaultPrinterAtOnceAndFollowsTheServersAnswer)
{
    // Opened before the print server has answered: the PDF printer for
    // now, then the server's default when its answer comes.
    PrivateServer server;
    const QString why = server.start();
    if (!why.isEmpty())
        GTEST_SKIP() << "no print server of the test's own: " << why.toStdString();
    ASSERT_TRUE(server.addQueue(QStringLiteral("Halle")));
    ASSERT_TRUE(server.admin(QStringLiteral("lpadmin"), {QStringLiteral("-d"), QStringLiteral("Halle")}));
    resetPrinter();
    Form12 &f = form<Form12>();
    ASSERT_TRUE(showAndActivate(f));
    EXPECT_TRUE(waitUntil([] { return !printerNamesPending(); }, 15000));
    EXPECT_EQ(f.Label3.Caption(), QStringLiteral("Halle"));
}

TEST_F(Form12Test, ClubOfAnEntry_FollowsItsSelectorAndTheClubFile)
{
    addClub(QStringLiteral("SC Berg"));
    addClub(QStringLiteral("WSV Tal"));
    addClub(QStringLiteral("SV Schnee"));
    const struct {
        int selector;
        std::array<int, 3> clubs;
        int club;   // expected SlotClubNo
    } cases[] = {
        {1, {2, 3, 1}, 2}, {2, {2, 3, 1}, 3}, {3, {2, 3, 1}, 1},
        {0, {2, 3, 1}, 0}, {4, {2, 3, 1}, 0}, {1, {4, 0, 0}, 0}, {2, {1, -1, 0}, 0},
    };
    for (const auto &c : cases)
        add({.name = QStringLiteral("X"), .selector = c.selector, .clubs = c.clubs});
    form<Form12>();
    for (int i = 0; i < int(std::size(cases)); ++i)
        EXPECT_EQ(TeamScoring.SlotClubNo[i + 1], cases[i].club) << "slot " << i + 1;
}

TEST_F(Form12Test, TimeSum_SumsTheBestNAndCountsTheMissingOnes)
{
    addClub(QStringLiteral("SC Berg"));
    Race.TeamNames[1] = QStringLiteral("Berg");
    Race.TeamNames[2] = QStringLiteral("Leer");   // named, no finisher
    Race.TeamNames[3] = QStringLiteral("Tal");
    const int a = add({.name = QStringLiteral("A"), .t1 = 62, .team = 1});
    const int b = add({.name = QStringLiteral("B"), .t1 = 60, .team = 1});
    const int c = add({.name = QStringLiteral("C"), .t1 = 61, .team = 1});
    add({.name = QStringLiteral("D"), .t1 = 70, .team = 2, .status1 = 1});
    const int e = add({.name = QStringLiteral("E"), .t1 = 50.004, .team = 3});

    Form12 &f = evaluate(&Form12::Check2, Sum, 2);
    EXPECT_EQ(f.Check1.Value(), 0);
    EXPECT_TRUE(f.Combo2.Enabled());
    EXPECT_TRUE(f.Command3.Enabled());
    EXPECT_EQ(scores(f), (QStringList{QStringLiteral("121,00 Berg"),
                                      QStringLiteral("100050,00 Tal"),
                                      QStringLiteral("200000,00 Leer")}));
    EXPECT_EQ(counted(), (std::vector<int>{b, c, e}));
    EXPECT_EQ(f.List2.List(0), QStringLiteral("    121,00 Berg") + blanks(5) + QStringLiteral(" 1"));
    // The sum is of the times as shown, to the hundredth.
    EXPECT_DOUBLE_EQ(TeamScoring.TeamTimeSum[3], 50);
    // The sort lines of the last team scored stay until a line is clicked.
    EXPECT_EQ(lines(f.List5),
              QStringList{QStringLiteral("     50,00") + blanks(10) + QString::number(e)});

    evaluate(&Form12::Check2, Sum, 5);
    EXPECT_EQ(scores(f), (QStringList{QStringLiteral("200183,00 Berg"),
                                      QStringLiteral("400050,00 Tal"),
                                      QStringLiteral("500000,00 Leer")}));
    EXPECT_EQ(counted(), (std::vector<int>{a, b, c, e}));

    // Back to N = 2: only the two best again; best time and average mark nobody.
    evaluate(&Form12::Check2, Sum, 2);
    EXPECT_EQ(counted(), (std::vector<int>{b, c, e}));
    evaluate(&Form12::Check2, Best);
    EXPECT_TRUE(counted().empty());
    // Without a finisher a team is not listed in best-time and average scoring.
    EXPECT_EQ(scores(f), (QStringList{QStringLiteral("50,00 Tal"), QStringLiteral("60,00 Berg")}));
    evaluate(&Form12::Check2, Average);
    EXPECT_TRUE(counted().empty());
    EXPECT_EQ(scores(f), (QStringList{QStringLiteral("50,00 Tal"), QStringLiteral("61,00 Berg")}));
}

TEST_F(Form12Test, WhoCounts_OnlyFinishersWithBothRunsOk)
{
    addClub(QStringLiteral("SC Berg"));
    Race.TeamNames[1] = QStringLiteral("Berg");
    Rec.TwoRuns = 1;
    add({.name = QStringLiteral("OK"), .t1 = 60, .t2 = 61, .team = 1});
    const struct {
        const char *name;
        double t1, t2;
        int status1, status2;
    } out[] = {
        {"NAS1", 50, 50, 1, 0}, {"NIZ1", 50, 50, 2, 0}, {"DIS1", 50, 50, 3, 0},
        {"NAS2", 50, 50, 0, 1}, {"NIZ2", 50, 50, 0, 2}, {"DIS2", 50, 50, 0, 3},
        {"OHNEZEIT", 0, 0, 0, 0}, {"OHNEZWEI", 40, 0, 0, 0},
    };
    for (const auto &o : out)
        add({.name = QString::fromUtf8(o.name), .t1 = o.t1, .t2 = o.t2, .team = 1,
             .status1 = o.status1, .status2 = o.status2});

    for (Kind kind : {Best, Average, Sum}) {
        Form12 &f = evaluate(&Form12::Check2, kind, 3);
        ASSERT_EQ(f.List2.ListCount(), 1);
        const QString expected = kind == Sum ? QStringLiteral("200121,00 Berg")
                                             : QStringLiteral("121,00 Berg");
        EXPECT_EQ(scores(f), QStringList{expected}) << kind;
        EXPECT_EQ(members(f, 0), QStringList{QStringLiteral("OK")}) << kind;
    }
}

TEST_F(Form12Test, SexFilter_AnAthleteWithoutSexPassesBoth)
{
    addClub(QStringLiteral("SC Berg"));
    Race.GroupNames[4] = QStringLiteral("Familie");
    add({.name = QStringLiteral("MANN"), .t1 = 70, .group = 4, .sex = 1});
    add({.name = QStringLiteral("FRAU"), .t1 = 80, .group = 4, .sex = 0});
    add({.name = QStringLiteral("OFFEN"), .t1 = 90, .group = 4, .sex = 2});
    const struct {
        int filter;
        const char *average;
        QStringList members;
    } cases[] = {
        {0, "80,00 Familie", {"MANN", "FRAU", "OFFEN"}},
        {1, "80,00 Familie", {"MANN", "OFFEN"}},
        {2, "85,00 Familie", {"FRAU", "OFFEN"}},
    };
    for (const auto &c : cases) {
        Form12 &f = evaluate(&Form12::Check3, Average, 2, c.filter);
        EXPECT_EQ(scores(f), QStringList{QString::fromUtf8(c.average)}) << c.filter;
        EXPECT_EQ(members(f, 0), c.members) << c.filter;
    }
}

TEST_F(Form12Test, ResultLines_EqualScoresByNameThenIndex)
{
    addClub(QStringLiteral("SC Berg"));
    Race.TeamNames[5] = QStringLiteral("Zebra");
    Race.TeamNames[6] = QStringLiteral("Adler");
    Race.TeamNames[7] = QStringLiteral("Ein sehr langer Mannschaftsname");
    add({.name = QStringLiteral("A"), .t1 = 60, .team = 5});
    add({.name = QStringLiteral("B"), .t1 = 60, .team = 6});
    add({.name = QStringLiteral("C"), .t1 = 59.5, .team = 7});
    Form12 &f = evaluate(&Form12::Check2, Best);
    EXPECT_EQ(lines(f.List2),
              (QStringList{QStringLiteral("     59,50 Ein sehr langer Mann") + blanks(5)
                               + QStringLiteral(" 7"),
                           QStringLiteral("     60,00 Adler") + blanks(5) + QStringLiteral(" 6"),
                           QStringLiteral("     60,00 Zebra") + blanks(5) + QStringLiteral(" 5")}));
}

TEST_F(Form12Test, ClubResult_NamesAreTheStoredShortNames)
{
    addClub(QStringLiteral("SC Berg"));
    addClub(QStringLiteral("WSV Tal"));
    add({.name = QStringLiteral("A"), .t1 = 65, .club = 2});
    add({.name = QStringLiteral("B"), .t1 = 61, .club = 1});
    add({.name = QStringLiteral("C"), .t1 = 60, .club = 2});
    Form12 &f = evaluate(&Form12::Check1, Best);
    // WSV Tal was met first: index 1, although its record is number 2.
    EXPECT_EQ(lines(f.List2),
              (QStringList{QStringLiteral("     60,00 ") + fitLeft(u"WSV Tal", 20) + blanks(5)
                               + QStringLiteral(" 1"),
                           QStringLiteral("     61,00 ") + fitLeft(u"SC Berg", 20) + blanks(5)
                               + QStringLiteral(" 2")}));
    EXPECT_EQ(members(f, 0), (QStringList{QStringLiteral("C"), QStringLiteral("A")}));
}

TEST_F(Form12Test, Members_InTheChosenOrder)
{
    addClub(QStringLiteral("SC Berg"));
    Race.TeamNames[1] = QStringLiteral("Berg");
    const int s1 = add({.name = QStringLiteral("  MAIER Hans"), .t1 = 62.5, .team = 1,
                        .classOrder = 12});
    add({.name = QStringLiteral("HUBER Eva"), .t1 = 61, .team = 1, .classOrder = 5});
    add({.name = QStringLiteral("BAUER Max"), .t1 = 63, .team = 1, .classOrder = 12});
    Form12 &f = evaluate(&Form12::Check2, Best);

    const struct {
        int order;
        QStringList names;
    } cases[] = {
        {0, {"HUBER Eva", "MAIER Hans", "BAUER Max"}},
        {1, {"BAUER Max", "HUBER Eva", "MAIER Hans"}},
        {2, {"HUBER Eva", "BAUER Max", "MAIER Hans"}},
    };
    for (const auto &c : cases) {
        f.Combo1.setListIndex(c.order);
        // Changing the order does not disable printing.
        EXPECT_TRUE(f.Command3.Enabled());
        EXPECT_EQ(members(f, 0), c.names) << c.order;
    }
    f.Combo1.setListIndex(0);
    members(f, 0);
    EXPECT_EQ(f.List5.List(1), QStringLiteral("   62,50   MAIER Hans") + blanks(7)
                                   + QStringLiteral(" ") + QString::number(s1));
    f.Combo1.setListIndex(2);
    members(f, 0);
    EXPECT_EQ(f.List5.List(0), QStringLiteral("  5   HUBER Eva") + blanks(7) + QStringLiteral(" 2"));
}

TEST_F(Form12Test, Choices_UntickTheOthersAndDisablePrinting)
{
    addClub(QStringLiteral("SC Berg"));
    Race.TeamNames[1] = QStringLiteral("Berg");
    add({.name = QStringLiteral("A"), .team = 1});
    Form12 &f = form<Form12>();

    const std::function<void()> changes[] = {
        [&] { f.Check2.setValue(1); },
        [&] { f.Check2.setValue(0); },
        [&] { f.Option2.setValue(true); },
        [&] { f.Option3.setValue(true); },
        [&] { f.Option1.setValue(true); },
        [&] { f.Combo2.setListIndex(3); },
        [&] { f.Combo3.setListIndex(2); },
    };
    int i = 0;
    for (const auto &change : changes) {
        f.Command2.click();
        ASSERT_TRUE(f.Command3.Enabled());
        change();
        EXPECT_FALSE(f.Command3.Enabled()) << "change " << i++;
    }
    // "Zeitsumme der besten" enabled the number, and nothing disables it again.
    EXPECT_TRUE(f.Combo2.Enabled());

    f.Check3.setValue(1);
    EXPECT_EQ(f.Check1.Value() + f.Check2.Value(), 0);
    f.Check1.setValue(1);
    EXPECT_EQ(f.Check3.Value(), 0);

    // Nothing ticked: nothing scored, whichever kind.
    f.Check1.setValue(0);
    for (OptionButton *kind : {&f.Option1, &f.Option2, &f.Option3}) {
        kind->setValue(true);
        f.Command2.click();
        EXPECT_EQ(f.List2.ListCount(), 0) << kind->Name().toStdString();
    }
}

TEST_F(Form12Test, MembersFollowTheScoredCategoryNotALaterTick)
{
    addClub(QStringLiteral("SC Berg"));
    Race.TeamNames[1] = QStringLiteral("Berg");
    add({.name = QStringLiteral("CLUBONLY"), .t1 = 60, .team = 0});
    add({.name = QStringLiteral("TEAM"), .t1 = 61, .team = 1, .club = 0});
    Form12 &f = evaluate(&Form12::Check1, Best);
    // The club line is shown; ticking teams afterwards must not turn its
    // members into those of team 1.
    f.Check2.setValue(1);
    EXPECT_EQ(members(f, 0), QStringList{QStringLiteral("CLUBONLY")});
}

TEST_F(Form12Test, RaceWithoutTeams_LeavesTeamScoringDisabled)
{
    addClub(QStringLiteral("SC Berg"));
    Race.TeamNames[1] = QStringLiteral("Berg");   // named, but nobody in it
    add({.name = QStringLiteral("A")});
    Form12 &f = form<Form12>();
    EXPECT_EQ(f.List3.ListCount(), 0);
    EXPECT_FALSE(f.Check2.Enabled());
}

TEST_F(Form12Test, MoreThan100Clubs_TheFurtherOnesGetNoIndex)
{
    for (int c = 1; c <= 102; ++c) {
        addClub(QStringLiteral("Club %1").arg(c));
        add({.name = QStringLiteral("A%1").arg(c), .t1 = 200.0 - c, .club = c});
    }
    Form12 &f = evaluate(&Form12::Check1, Best);
    EXPECT_EQ(f.List1.ListCount(), 100);
    EXPECT_EQ(TeamScoring.RaceClubList[100], 100);
    EXPECT_EQ(TeamScoring.SlotClubIndex[101], 0);
    EXPECT_EQ(TeamScoring.SlotClubIndex[102], 0);
    EXPECT_EQ(f.List2.ListCount(), 100);
    EXPECT_EQ(trimBlanks(leftChars(f.List2.List(0), 10)), QStringLiteral("100,00"));
}

TEST_F(Form12Test, RaceWindowLauncher_ListsOnlyTheClubsOfTheRaceOpened)
{
    addClub(QStringLiteral("SC Berg"));
    addClub(QStringLiteral("WSV Tal"));
    Rec.RaceName = QStringLiteral("Rennen A");
    Rec.RaceRecordNo = 1;
    WriteRaceHeader();
    Rec.RaceName = QStringLiteral("Rennen B");
    Rec.RaceRecordNo = 2;
    WriteRaceHeader();
    Rec.RaceCount = 2;
    WriteSettingsFile();
    Race.ActiveRaceNo = 1;
    add({.name = QStringLiteral("A"), .club = 1});
    add({.name = QStringLiteral("B"), .club = 2});
    ASSERT_TRUE(WriteRaceFiles());
    Race = RaceState{};
    lastSlot = 0;
    Race.ActiveRaceNo = 2;
    add({.name = QStringLiteral("C"), .club = 2});
    ASSERT_TRUE(WriteRaceFiles());

    InstallScoringWindows();
    Form4 &races = form<Form4>();
    ASSERT_TRUE(showAndActivate(races));
    races.Text1.setText(QStringLiteral("1"));
    races.Command11.click();
    ASSERT_TRUE(isLoaded<Form12>());
    EXPECT_FALSE(races.Visible());
    EXPECT_TRUE(form<Form12>().Visible());
    EXPECT_EQ(form<Form12>().List1.ListCount(), 2);
    form<Form12>().Command1.click();
    destroyUnloadedWindows();
    EXPECT_TRUE(races.Visible());

    races.Text1.setText(QStringLiteral("2"));
    races.Command11.click();
    EXPECT_EQ(lines(form<Form12>().List1), QStringList{fitLeft(u"WSV Tal", 40)});
    form<Form12>().Command1.click();
    destroyUnloadedWindows();
}

} // namespace
