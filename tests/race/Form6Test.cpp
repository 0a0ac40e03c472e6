#include <QDate>
#include <vector>

#include "GuiTestHelpers.h"
#include "RaceBuilder.h"
#include "core/Form4.h"
#include "core/Launchers.h"
#include "core/RaceFiles.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "platform/Clock.h"
#include "platform/Colours.h"
#include "platform/NumberText.h"
#include "platform/Strings.h"
#include "race/ClassAssignment.h"
#include "race/EntryList.h"
#include "race/Form5.h"
#include "race/Form6.h"
#include "race/RaceWindows.h"

namespace {

const double LightGreen = colourValue(192, 255, 192);
const double Red = colourValue(255, 0, 0);
const double PaleCyan = colourValue(192, 255, 255);
const double PaleRed = colourValue(255, 192, 192);

using Numbers = std::vector<int>;

class Form6Test : public WindowDataTest, protected RaceBuilder {
protected:
    void SetUp() override
    {
        WindowDataTest::SetUp();
        savedLaunchers_ = Launchers;
        Launchers = LauncherTable{};
        openDataFiles();
        for (const char *club : {"SC Berg", "SV Tal", "WSV See"})
            addClub(QString::fromUtf8(club), QString());
        writeRace(1, {.name = QStringLiteral("Vereinsmeisterschaft"), .byClass = 1});
        setClass(1, QStringLiteral("Kinder U10"), 2017, 2026);
        setClass(2, QStringLiteral("Schüler U14"), 2013, 2016);
        setClass(3, QStringLiteral("Jugend"), 1900, 2012);
    }

    void TearDown() override
    {
        WindowDataTest::TearDown();
        Launchers = savedLaunchers_;
    }

    void setClass(int k, const QString &name, int first, int last)
    {
        Race.ClassNames[k] = name;
        Race.ClassYears[k] = {first, last};
    }

    // Athlete number slot, entered in that slot.
    void enter(int slot, const QString &name, int sex = 1, int year = 2015,
               std::array<int, 3> clubs = {0, 0, 0})
    {
        addEntry(addAthlete({.name = name, .sex = sex, .year = year, .clubs = clubs, .id = slot}),
                 {.slot = slot});
    }

    Form6 &open()
    {
        Form6 &f = form<Form6>();
        f.Show();
        return f;
    }

    int lineOf(Form6 &f, int slot)
    {
        for (int i = 0; i < f.List1.ListCount(); ++i)
            if (num::numericValue(rightChars(f.List1.List(i), 6)) == slot)
                return i;
        return -1;
    }

    void choose(Form6 &f, int slot)
    {
        const int line = lineOf(f, slot);
        ASSERT_GE(line, 0) << slot;
        f.List1.setListIndex(line);
    }

    QStringList lines(Form6 &f)
    {
        QStringList out;
        for (int i = 0; i < f.List1.ListCount(); ++i)
            out << f.List1.List(i);
        return out;
    }

    Numbers startNos(int lastSlot)
    {
        Numbers out;
        for (int slot = 1; slot <= lastSlot; ++slot)
            out.push_back(Race.SlotStartNo[slot]);
        return out;
    }

    // Types into the box and leaves it for the "ok?" button.
    void typeAndCommit(Form6 &f, TextBox &box, const QString &text)
    {
        box.SetFocus();
        box.setText(text);
        f.Command5.click();
        // The list is rebuilt once the click is done.
        QCoreApplication::sendPostedEvents();
    }

private:
    LauncherTable savedLaunchers_;
};

TEST_F(Form6Test, Open_ListsTheParticipantsByStartNumberAndFillsTheChoices)
{
    enter(1, QStringLiteral("MAIER Hans"));
    enter(2, QStringLiteral("HUBER Eva"), 0);
    enter(3, QStringLiteral("ANGERER Max"));
    enter(4, QString());
    Race.SlotStartNo[1] = 12;
    Race.SlotStartNo[2] = 7;
    Race.TeamNames[2] = QStringLiteral("Mannschaft B");
    Race.GroupNames[1] = QStringLiteral("Gruppe A");
    Form6 &f = open();

    EXPECT_EQ(f.Caption(), QStringLiteral("Startnummern und Klasseneinteilung"));
    EXPECT_EQ(f.Label1.Caption(), QStringLiteral("Vereinsmeisterschaft"));
    EXPECT_EQ(f.Label2.Caption(), QStringLiteral("bitte Teilnehmer anklicken !"));
    EXPECT_TRUE(f.List1.Sorted());
    EXPECT_EQ(f.List1.FontName(), QStringLiteral("Monospac821 BT"));
    EXPECT_EQ(lines(f), (QStringList{QStringLiteral("    0  ANGERER Max          3"),
                                     QStringLiteral("    7  HUBER Eva          2"),
                                     QStringLiteral("   12  MAIER Hans          1")}));

    ASSERT_EQ(f.Combo3.ListCount(), 101);
    EXPECT_EQ(f.Combo3.List(0), QStringLiteral("???"));
    EXPECT_EQ(f.Combo3.List(1), QString());
    EXPECT_EQ(f.Combo3.List(2), QStringLiteral("Mannschaft B"));
    ASSERT_EQ(f.Combo4.ListCount(), 101);
    EXPECT_EQ(f.Combo4.List(1), QStringLiteral("Gruppe A"));
    ASSERT_EQ(f.Combo2.ListCount(), 20);
    EXPECT_EQ(f.Combo2.List(1), QStringLiteral("Schüler U14"));
    EXPECT_EQ(f.Combo2.Text(), QStringLiteral("???"));
    EXPECT_EQ(f.Command9.Caption(), QStringLiteral("Nummern für bestimmte Altersklassen"));
    EXPECT_TRUE(f.Command6.Enabled());

    for (Control *c : std::initializer_list<Control *>{
             &f.Command3, &f.Command4, &f.Label9, &f.Text2, &f.Command11, &f.Command10,
             &f.Combo2, &f.Label15, &f.Text3, &f.Command7, &f.Command8})
        EXPECT_FALSE(c->Visible()) << c->Name().toStdString();
    for (Control *c : std::initializer_list<Control *>{&f.Text1, &f.Combo1, &f.Combo3,
                                                         &f.Combo4, &f.Check1, &f.Check2,
                                                         &f.Check3})
        EXPECT_FALSE(c->Enabled()) << c->Name().toStdString();
}

TEST_F(Form6Test, ClearingCommand_EnabledWhenAnyEntryHasANumber)
{
    for (int slot = 1; slot <= 60; ++slot)
        enter(slot, QStringLiteral("ATHLET %1").arg(slot));
    EXPECT_FALSE(open().Command6.Enabled());
    unload<Form6>();
    destroyUnloadedWindows();
    // Beyond the first fifty slots too.
    Race.SlotStartNo[55] = 3;
    EXPECT_TRUE(open().Command6.Enabled());
}

TEST_F(Form6Test, GroupMode_ChoosesAmongTheGroups)
{
    Rec.EvalByClass = 0;
    Race.GroupNames[3] = QStringLiteral("Gruppe C");
    Form6 &f = open();
    EXPECT_EQ(f.Command9.Caption(), QStringLiteral("Nummern für best. Gruppen"));
    ASSERT_EQ(f.Combo2.ListCount(), 100);
    EXPECT_EQ(f.Combo2.List(2), QStringLiteral("Gruppe C"));
}

TEST_F(Form6Test, Participant_ShowsDetailsAndTheClubChoice)
{
    enter(1, QStringLiteral("MAIER Hans"), 1, 2014, {1, 0, 3});
    enter(2, QStringLiteral("HUBER Eva"), 0, 2020, {2, 2, 9});
    enter(3, QStringLiteral("NEU Kim"), 2, 2010);
    Race.SlotStartNo[1] = 12;
    Race.SlotClass[1] = 2;
    Race.SlotClassCell[1] = 9;
    Race.ClassDesignations[9] = QStringLiteral("Schüler U14 männlich");
    Race.SlotClub[1] = 3;
    Race.SlotTeam[1] = 4;
    Race.SlotGroup[1] = 2;
    Race.SlotGuest[1] = 1;
    Race.SlotPaid[1] = 0;
    Race.SlotBoarder[1] = 1;
    Form6 &f = open();
    choose(f, 1);
    EXPECT_EQ(f.Label6.Caption(), QStringLiteral("1"));
    EXPECT_EQ(f.ShownSlot(), 1);
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("12"));
    EXPECT_EQ(f.Label16.Caption(), QStringLiteral("Schüler U14"));
    EXPECT_EQ(f.Label13.Caption(), QStringLiteral("Schüler U14 männlich"));
    EXPECT_EQ(f.Label2.Caption(), QStringLiteral("MAIER Hans"));
    EXPECT_EQ(f.Label2.BackColor(), PaleCyan);
    EXPECT_EQ(f.Label8.Caption(), QStringLiteral("2014"));
    EXPECT_EQ(f.Combo3.ListIndex(), 4);
    EXPECT_EQ(f.Combo4.ListIndex(), 2);
    EXPECT_EQ(f.Check1.Value(), 1);
    EXPECT_EQ(f.Check2.Value(), 0);
    EXPECT_EQ(f.Check3.Value(), 1);
    ASSERT_EQ(f.Combo1.ListCount(), 5);
    EXPECT_EQ(f.Combo1.List(0), QStringLiteral("???"));
    EXPECT_EQ(f.Combo1.List(1), QStringLiteral("SC Berg"));
    EXPECT_EQ(f.Combo1.List(2), QStringLiteral("nicht belegt"));
    EXPECT_EQ(f.Combo1.List(3), QStringLiteral("WSV See"));
    EXPECT_EQ(f.Combo1.List(4), QStringLiteral("kein Verein"));
    EXPECT_EQ(f.Combo1.ListIndex(), 3);
    EXPECT_EQ(f.Text1.BackColor(), LightGreen);
    for (Control *c : std::initializer_list<Control *>{&f.Text1, &f.Combo1, &f.Combo3,
                                                         &f.Combo4, &f.Check1, &f.Check2,
                                                         &f.Check3})
        EXPECT_TRUE(c->Enabled()) << c->Name().toStdString();

    choose(f, 2);
    EXPECT_EQ(f.Label2.BackColor(), PaleRed);
    EXPECT_EQ(f.Label16.Caption(), QString());   // no class assigned
    EXPECT_EQ(f.Combo1.List(1), QStringLiteral("SV Tal"));
    EXPECT_EQ(f.Combo1.List(2), QStringLiteral("SV Tal"));
    EXPECT_EQ(f.Combo1.List(3), QStringLiteral("nicht belegt"));   // club 9 is no club
    EXPECT_EQ(f.Combo1.ListIndex(), 0);
    EXPECT_EQ(f.Check1.Value(), 0);

    // Without a sex, the colour of the one before stays: pale red after
    // HUBER Eva, pale cyan after MAIER Hans.
    choose(f, 3);
    EXPECT_EQ(f.Label2.Caption(), QStringLiteral("NEU Kim"));
    EXPECT_EQ(f.Label2.BackColor(), PaleRed);
    choose(f, 1);
    choose(f, 3);
    EXPECT_EQ(f.Label2.BackColor(), PaleCyan);
}

TEST_F(Form6Test, Captions_ShownWhole)
{
    Form6 &f = open();
    for (const Label *l : {&f.Label3, &f.Label5, &f.Label14, &f.Label7, &f.Label12, &f.Label10,
                           &f.Label11, &f.Label9, &f.Label15})
        EXPECT_TRUE(captionShownWhole(*l)) << l->Caption().toStdString();
}

TEST_F(Form6Test, Settings_StoredForTheParticipantShownWhenTheirControlLosesFocus)
{
    enter(1, QStringLiteral("MAIER Hans"), 1, 2014, {1, 2, 0});
    enter(2, QStringLiteral("HUBER Eva"), 0);
    Race.SlotTeam[2] = 150;   // as a file held it
    Form6 &f = open();
    choose(f, 1);
    f.Combo1.SetFocus();
    f.Combo1.setListIndex(4);
    f.Combo3.SetFocus();
    f.Combo3.setListIndex(2);
    f.Combo4.SetFocus();
    f.Combo4.setListIndex(5);
    f.Check1.SetFocus();
    f.Check1.setValue(1);
    f.Check2.SetFocus();
    f.Check2.setValue(1);
    f.Check3.SetFocus();
    f.Check3.setValue(1);
    // Leaving for another participant stores for the one shown before.
    f.List1.SetFocus();
    choose(f, 2);
    EXPECT_EQ(Race.SlotClub[1], 4);
    EXPECT_EQ(Race.SlotTeam[1], 2);
    EXPECT_EQ(Race.SlotGroup[1], 5);
    EXPECT_EQ(Race.SlotGuest[1], 1);
    EXPECT_EQ(Race.SlotPaid[1], 1);
    EXPECT_EQ(Race.SlotBoarder[1], 1);
    EXPECT_EQ(Race.SlotGuest[2], 0);

    // A stored value outside the choices selects nothing and is kept.
    EXPECT_EQ(f.Combo3.ListIndex(), -1);
    f.Combo3.SetFocus();
    f.List1.SetFocus();
    EXPECT_EQ(Race.SlotTeam[2], 150);

    choose(f, 1);
    f.Check1.SetFocus();
    f.Check1.setValue(0);
    f.Command1.click();
    EXPECT_EQ(Race.SlotGuest[1], 0);
}

TEST_F(Form6Test, TypedStartNumber_WholeFreeNumbersOneTo9999AreStored)
{
    enter(1, QStringLiteral("MAIER Hans"));
    enter(2, QStringLiteral("HUBER Eva"));
    enter(3, QString());
    Race.SlotStartNo[1] = 5;
    Race.SlotStartNo[2] = 9;
    Race.SlotStartNo[3] = 4;   // an entry without a name holds its number too
    Form6 &f = open();
    choose(f, 1);
    for (const char *refused :
         {"9", "5", "4", "0", "", "10000", "7.5", "7,5", "7x", "-2", "abc"}) {
        typeAndCommit(f, f.Text1, QString::fromLatin1(refused));
        EXPECT_EQ(f.Text1.BackColor(), Red) << refused;
        EXPECT_EQ(Race.SlotStartNo[1], 5) << refused;
    }
    typeAndCommit(f, f.Text1, QStringLiteral("12"));
    EXPECT_EQ(f.Text1.BackColor(), LightGreen);
    EXPECT_EQ(Race.SlotStartNo[1], 12);
    EXPECT_EQ(lines(f), (QStringList{QStringLiteral("    9  HUBER Eva          2"),
                                     QStringLiteral("   12  MAIER Hans          1")}));
    typeAndCommit(f, f.Text1, QStringLiteral("9999"));
    EXPECT_EQ(Race.SlotStartNo[1], 9999);
}

TEST_F(Form6Test, TypedStartNumber_EnablesClearing)
{
    enter(1, QStringLiteral("MAIER Hans"));
    Form6 &f = open();
    EXPECT_FALSE(f.Command6.Enabled());
    choose(f, 1);
    typeAndCommit(f, f.Text1, QStringLiteral("3"));
    EXPECT_TRUE(f.Command6.Enabled());
}

TEST_F(Form6Test, Draw_ThroughTheControlsWithReserveGapsBetweenBlocks)
{
    // Blocks of 1, 3 and 2 entries.
    const int blocks[] = {1, 2, 2, 2, 3, 3};
    for (int slot = 1; slot <= 6; ++slot) {
        enter(slot, QStringLiteral("ATHLET %1").arg(slot));
        Race.SlotClassOrder[slot] = blocks[slot - 1];
    }
    enter(7, QString());
    Race.SlotStartNo[7] = 3;
    Form6 &f = open();
    choose(f, 3);

    f.Command2.click();
    for (Control *c : std::initializer_list<Control *>{&f.Command3, &f.Command4, &f.Label9,
                                                         &f.Text2})
        EXPECT_TRUE(c->Visible()) << c->Name().toStdString();
    EXPECT_EQ(f.Command3.Caption(), QStringLiteral("LOS !"));
    EXPECT_EQ(f.Command4.Caption(), QStringLiteral("nein - Abbruch !"));
    EXPECT_EQ(f.Label9.Caption(), QStringLiteral("Reserve"));
    f.Command4.click();
    EXPECT_FALSE(f.Command3.Visible());
    EXPECT_FALSE(f.Text2.Visible());
    EXPECT_EQ(startNos(6), (Numbers{0, 0, 0, 0, 0, 0}));

    f.Command2.click();
    typeAndCommit(f, f.Text2, QStringLiteral("5"));
    rnd::queueValues({0.5, 0.9, 0.1, 0.5, 0.8, 0.3});
    f.Command3.click();
    EXPECT_EQ(startNos(7), (Numbers{1, 9, 7, 8, 16, 15, 3}));
    EXPECT_FALSE(f.Command2.Visible());
    EXPECT_FALSE(f.Command3.Visible());
    EXPECT_FALSE(f.Text2.Visible());
    EXPECT_EQ(f.List1.List(0), QStringLiteral("    1  ATHLET 1          1"));
    EXPECT_EQ(f.List1.List(5), QStringLiteral("   16  ATHLET 5          5"));
    // The participant shown shows its new number, and leaving the field
    // does not bring back the old one.
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("7"));
    EXPECT_TRUE(f.Command6.Enabled());
}

TEST_F(Form6Test, Draw_RefusedWhileTheNumbersWouldPass9999)
{
    enter(1, QStringLiteral("A"));
    enter(2, QStringLiteral("B"));
    Race.SlotClassOrder[2] = 1;
    Form6 &f = open();
    f.Command2.click();
    typeAndCommit(f, f.Text2, QStringLiteral("9998"));
    rnd::queueValues({0.1, 0.2});
    f.Command3.click();
    EXPECT_EQ(f.Text2.BackColor(), Red);
    EXPECT_TRUE(f.Command3.Visible());
    EXPECT_TRUE(f.Command2.Visible());
    EXPECT_EQ(startNos(2), (Numbers{0, 0}));

    typeAndCommit(f, f.Text2, QStringLiteral("-4"));
    rnd::queueValues({0.1, 0.2});
    f.Command3.click();
    EXPECT_EQ(startNos(2), (Numbers{1, 2}));
    EXPECT_FALSE(f.Command3.Visible());
}

TEST_F(Form6Test, BlockNumbering_OneClassFromTheFirstNumberInNameOrder)
{
    enter(1, QStringLiteral("MOSER Ida"));
    enter(2, QStringLiteral("ANGERER Eva"));
    enter(3, QStringLiteral("ZACH Paul"));
    enter(4, QStringLiteral("HUBER Max"));
    for (int slot : {1, 2, 4})
        Race.SlotClass[slot] = 2;
    Race.SlotClass[3] = 1;
    Form6 &f = open();
    const std::vector<Control *> seven{&f.Label9,  &f.Text2,     &f.Label15,
                                                 &f.Text3,   &f.Combo2,    &f.Command11,
                                                 &f.Command10};

    f.Command9.click();
    for (Control *c : std::initializer_list<Control *>{&f.Label9, &f.Text2, &f.Label15, &f.Text3, &f.Combo2})
        EXPECT_TRUE(c->Visible()) << c->Name().toStdString();
    EXPECT_FALSE(f.Command11.Visible());
    EXPECT_FALSE(f.Command10.Visible());
    EXPECT_EQ(f.Label15.Caption(), QStringLiteral("ab Nr.:"));
    f.Combo2.setListIndex(1);
    EXPECT_TRUE(f.Command11.Visible());
    EXPECT_EQ(f.Command11.Caption(), QStringLiteral("LOS !"));
    EXPECT_EQ(f.Command10.Caption(), QStringLiteral("nein - Abbruch"));
    f.Command10.click();
    for (Control *c : seven)
        EXPECT_FALSE(c->Visible()) << c->Name().toStdString();

    // Asked again, the class is chosen anew.
    f.Command9.click();
    EXPECT_EQ(f.Combo2.Text(), QStringLiteral("???"));
    f.Combo2.setListIndex(1);
    // From the "ab Nr.:" it shows first (0) nothing is numbered.
    f.Command11.click();
    EXPECT_EQ(f.Text3.BackColor(), Red);
    EXPECT_TRUE(f.Command11.Visible());
    EXPECT_EQ(startNos(4), (Numbers{0, 0, 0, 0}));

    typeAndCommit(f, f.Text3, QStringLiteral("101"));
    f.Command11.click();
    EXPECT_EQ(startNos(4), (Numbers{103, 101, 0, 102}));
    for (Control *c : seven)
        EXPECT_FALSE(c->Visible()) << c->Name().toStdString();
    EXPECT_EQ(f.List1.List(1), QStringLiteral("  101  ANGERER Eva          2"));
}

TEST_F(Form6Test, BlockNumbering_InGroupModeTheChosenGroup)
{
    Rec.EvalByClass = 0;
    enter(1, QStringLiteral("B"));
    enter(2, QStringLiteral("A"));
    enter(3, QStringLiteral("C"));
    Race.SlotGroup[1] = 3;
    Race.SlotGroup[2] = 3;
    Race.SlotGroup[3] = 1;
    Form6 &f = open();
    f.Command9.click();
    f.Combo2.setListIndex(2);
    typeAndCommit(f, f.Text3, QStringLiteral("20.4"));
    f.Command11.click();
    EXPECT_EQ(startNos(3), (Numbers{21, 20, 0}));
}

TEST_F(Form6Test, Clearing_AfterConfirmationSetsEveryNumberToZero)
{
    enter(1, QStringLiteral("A"));
    enter(2, QStringLiteral("B"));
    Race.SlotStartNo[1] = 4;
    Race.SlotStartNo[2] = 8;
    Form6 &f = open();
    choose(f, 2);
    f.Command6.click();
    EXPECT_TRUE(f.Command7.Visible());
    EXPECT_EQ(f.Command7.Caption(), QStringLiteral("LOS !"));
    EXPECT_EQ(f.Command8.Caption(), QStringLiteral("nein - nicht löschen !"));
    f.Command8.click();
    EXPECT_FALSE(f.Command7.Visible());
    EXPECT_FALSE(f.Command8.Visible());
    EXPECT_EQ(startNos(2), (Numbers{4, 8}));

    f.Command6.click();
    f.Command7.click();
    EXPECT_EQ(startNos(2), (Numbers{0, 0}));
    EXPECT_FALSE(f.Command6.Enabled());
    EXPECT_FALSE(f.Command7.Visible());
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("0"));
    EXPECT_EQ(f.List1.List(0), QStringLiteral("    0  A          1"));
}

TEST_F(Form6Test, Close_SavesTheRaceAndBringsBackTheRaceWindow)
{
    enter(1, QStringLiteral("MAIER Hans"));
    Form6 &f = open();
    choose(f, 1);
    typeAndCommit(f, f.Text1, QStringLiteral("42"));
    f.Command1.click();
    destroyUnloadedWindows();
    EXPECT_FALSE(isLoaded<Form6>());
    ASSERT_TRUE(isLoaded<Form4>());
    EXPECT_TRUE(form<Form4>().Visible());
    EXPECT_TRUE(readBytes(QStringLiteral("R 1.dat")).startsWith(" 1 \r\n 42 \r\n"));
}

TEST_F(Form6Test, FromTheRaceWindow_ClassesAreAssignedFirst)
{
    InstallRaceWindows();
    enter(1, QStringLiteral("MAIER Hans"), 1, 2014);
    enter(2, QStringLiteral("HUBER Eva"), 0, 2020);
    ASSERT_TRUE(WriteRaceFiles());
    Form4 &race = form<Form4>();
    race.Show();
    race.Text1.setText(QStringLiteral("1"));
    race.Command5.click();
    ASSERT_TRUE(isLoaded<Form6>());
    Form6 &f = form<Form6>();
    EXPECT_TRUE(f.Visible());
    EXPECT_FALSE(race.Visible());
    EXPECT_EQ(Race.SlotClass[1], 2);
    EXPECT_EQ(Race.SlotClass[2], 1);
    choose(f, 1);
    EXPECT_EQ(f.Label16.Caption(), QStringLiteral("Schüler U14"));
    f.Command1.click();
    EXPECT_TRUE(race.Visible());
}

TEST_F(Form6Test, OverTheEntryList_AssignsClassesBeforeADrawAndGivesWayToIt)
{
    InstallRaceWindows();
    enter(1, QStringLiteral("MAIER Hans"), 1, 2014);   // Schüler U14
    enter(2, QStringLiteral("HUBER Eva"), 0, 2020);    // Kinder U10
    enter(3, QStringLiteral("ZACH Paul"), 1, 2019);    // Kinder U10
    // The younger class starts second.
    for (int s = 0; s <= 1; ++s) {
        Race.ClassCellOrder[1][s][0][0] = 2;
        Race.ClassCellOrder[2][s][0][0] = 1;
    }
    // Stale orders, as left before the classes were looked at again.
    Race.SlotClassOrder[1] = 5;
    Form5 &entries = form<Form5>();
    entries.Show();
    int line = -1;
    for (int i = 0; i < entries.List2.ListCount(); ++i)
        if (EntryLineSlot(entries.List2.List(i)) == 2)
            line = i;
    ASSERT_GE(line, 0);
    entries.List2.setListIndex(line);
    entries.List2_DblClick();
    ASSERT_TRUE(isLoaded<Form6>());
    Form6 &f = form<Form6>();
    EXPECT_TRUE(f.Visible());
    EXPECT_EQ(f.ShownSlot(), 2);
    EXPECT_EQ(f.Label2.Caption(), QStringLiteral("HUBER Eva"));

    f.Command2.click();
    typeAndCommit(f, f.Text2, QStringLiteral("10"));
    rnd::queueValues({0.5, 0.4, 0.3});
    f.Command3.click();
    EXPECT_EQ(Race.SlotClass[1], 2);
    EXPECT_EQ(startNos(3), (Numbers{1, 13, 12}));

    f.Command1.click();
    destroyUnloadedWindows();
    EXPECT_FALSE(isLoaded<Form6>());
    EXPECT_TRUE(entries.Visible());
    EXPECT_FALSE(isLoaded<Form4>() && form<Form4>().Visible());
    EXPECT_TRUE(readBytes(QStringLiteral("R 1.dat")).startsWith(" 1 \r\n 1 \r\n"));
}

TEST_F(Form6Test, GuestOrBoarderSetHere_DrawAndBlockNumberingFollowTheirNewCell)
{
    InstallRaceWindows();
    Rec.EvalGuestsApart = 1;
    Rec.EvalBoarders = 1;
    WriteRaceHeader();
    // Class 2: the guests start after the others, the boarders last.
    Race.ClassCellOrder[2][0][0][0] = 1;
    Race.ClassCellOrder[2][0][1][0] = 2;
    Race.ClassCellOrder[2][0][0][1] = 3;
    enter(1, QStringLiteral("ANGERER Max"), 1, 2014);
    enter(2, QStringLiteral("BAUER Tom"), 1, 2014);
    enter(3, QStringLiteral("CERNY Jan"), 1, 2014);
    ASSERT_TRUE(WriteRaceFiles());
    Form4 &race = form<Form4>();
    race.Show();
    race.Text1.setText(QStringLiteral("1"));
    race.Command5.click();   // classes assigned: one block of three
    Form6 &f = form<Form6>();
    ASSERT_EQ(Race.SlotClassOrder[1], 1);

    // ANGERER Max is a guest, BAUER Tom a boarder: ticked, then on to the draw.
    choose(f, 1);
    f.Check1.SetFocus();
    f.Check1.setValue(1);
    f.Command5.click();   // "ok?" takes the focus: the box is committed
    choose(f, 2);
    f.Check3.SetFocus();
    f.Check3.setValue(1);
    f.Command2.click();
    typeAndCommit(f, f.Text2, QStringLiteral("10"));
    rnd::queueValues({0.5, 0.5, 0.5});
    f.Command3.click();
    EXPECT_EQ(startNos(3), (Numbers{12, 23, 1}));

    // The block numbering of the class likewise, after the guest is one no more.
    choose(f, 1);
    f.Check1.SetFocus();
    f.Check1.setValue(0);
    f.Command9.click();
    f.Combo2.setListIndex(1);
    typeAndCommit(f, f.Text3, QStringLiteral("100"));
    typeAndCommit(f, f.Text2, QStringLiteral("0"));
    f.Command11.click();
    // ANGERER and CERNY share the first block in name order, BAUER follows.
    EXPECT_EQ(startNos(3), (Numbers{100, 102, 101}));
}

TEST_F(Form6Test, OverTheEntryList_BlockNumberingFollowsTheCurrentClasses)
{
    Launchers.EntryListVisible = [] { return true; };
    enter(1, QStringLiteral("MAIER Hans"), 1, 2014);
    enter(2, QStringLiteral("HUBER Eva"), 0, 2020);
    Race.SlotClass[2] = 2;   // before its birth year was corrected
    Form6 &f = open();
    f.Command9.click();
    f.Combo2.setListIndex(1);
    typeAndCommit(f, f.Text3, QStringLiteral("30"));
    f.Command11.click();
    EXPECT_EQ(startNos(2), (Numbers{30, 0}));
    f.Command1.click();
    destroyUnloadedWindows();
    EXPECT_FALSE(isLoaded<Form4>());
}

} // namespace

namespace {

TEST_F(Form6Test, TypedStartNumber_ClickingAnotherParticipantStoresForTheOneShown)
{
    enter(1, QStringLiteral("MAIER Hans"));
    enter(2, QStringLiteral("HUBER Eva"));
    Race.SlotStartNo[2] = 5;
    Form6 &f = form<Form6>();
    ASSERT_TRUE(showAndActivate(f));
    clickLine(f.List1, lineOf(f, 1));
    ASSERT_EQ(f.ShownSlot(), 1);
    clickWithMouse(f.Text1);
    f.Text1.setText(QString());
    typeText(f.Text1, QStringLiteral("12"));
    // MAIER's line is above HUBER's until the number is stored.
    clickLine(f.List1, lineOf(f, 2));
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(Race.SlotStartNo[1], 12);
    EXPECT_EQ(Race.SlotStartNo[2], 5);
    EXPECT_EQ(f.ShownSlot(), 2);
    EXPECT_EQ(f.Label2.Caption(), QStringLiteral("HUBER Eva"));
    // Rebuilt in number order, with the participant shown still marked.
    EXPECT_EQ(f.List1.List(1), QStringLiteral("   12  MAIER Hans          1"));
    EXPECT_EQ(f.List1.ListIndex(), 0);
}

} // namespace
