#include <QFile>

#include "GuiTestHelpers.h"
#include "RaceBuilder.h"
#include "core/Form1.h"
#include "core/Form3.h"
#include "core/Form4.h"
#include "core/Launchers.h"
#include "core/RaceFiles.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "platform/Clock.h"
#include "platform/DateText.h"
#include "race/EntryList.h"
#include "race/Form5.h"
#include "race/Form6.h"
#include "race/RaceWindows.h"

namespace {

constexpr double Born2010 = 40179;   // 1.1.2010

class Form5Test : public WindowDataTest, protected RaceBuilder {
protected:
    void SetUp() override
    {
        WindowDataTest::SetUp();
        sysclock::setFixedNow(QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
        OpenClubFile();
        OpenAthleteFile();
        Race.ActiveRaceNo = 1;
        Rec.RaceName = QStringLiteral("Vereinsmeisterschaft");
        // The athlete window asks the installed hook whether it opened over
        // the entry list.
        InstallRaceWindows();
    }

    // Athlete record n, born 2010, with these club fields.
    void addAthlete(int n, const QString &name, int club1 = 0, int club2 = 0, int club3 = 0)
    {
        RaceBuilder::addAthlete(
            {.name = name, .sex = 1, .birthDate = Born2010, .clubs = {club1, club2, club3}, .id = n});
    }

    // The names at the start of the entry lines (no order key).
    static QStringList entryNames(const ListBox &list)
    {
        QStringList out;
        for (const QString &line : lines(list))
            out << line.left(line.indexOf(QStringLiteral("   ")));
        return out;
    }

    static QList<int> entrySlots(const ListBox &list)
    {
        QList<int> out;
        for (const QString &line : lines(list))
            out << EntryLineSlot(line);
        return out;
    }

    static int lineOfSlot(const ListBox &list, int slot)
    {
        for (int i = 0; i < list.ListCount(); ++i)
            if (EntryLineSlot(list.List(i)) == slot)
                return i;
        return -1;
    }

    static int lineOfAthlete(const ListBox &list, int athlete)
    {
        for (int i = 0; i < list.ListCount(); ++i)
            if (OverviewLineAthlete(list.List(i)) == athlete)
                return i;
        return -1;
    }

    static void doubleClickLine(ListBox &list, int row)
    {
        QListView *widget = list.list();
        widget->scrollTo(list.lineIndex(row));
        const QRect line = widget->visualRect(list.lineIndex(row));
        QTest::mouseClick(widget->viewport(), Qt::LeftButton, Qt::NoModifier, line.center());
        QTest::mouseDClick(widget->viewport(), Qt::LeftButton, Qt::NoModifier, line.center());
        QTest::mouseRelease(widget->viewport(), Qt::LeftButton, Qt::NoModifier, line.center());
    }

    Form5 &opened()
    {
        Form5 &f = form<Form5>();
        EXPECT_TRUE(showAndActivate(f));
        return f;
    }
};

TEST_F(Form5Test, Load_ListsNamedAthletesAndTheEntriesByName)
{
    addClubAt(1, QStringLiteral("SC Berg"));
    addAthlete(1, QStringLiteral("MAIER Hans"), 1);
    addAthlete(2, QString());
    addAthlete(3, QStringLiteral("Mair Eva"));
    Race.SlotAthleteId[2] = 3;
    Race.SlotAthleteId[10] = 1;
    Race.SlotClub[10] = 1;
    form<Form1>().Show();

    Form5 &f = opened();
    EXPECT_FALSE(form<Form1>().Visible());
    EXPECT_EQ(f.Caption(), QStringLiteral("Teilnehmerliste des aktuellen Rennens"));
    EXPECT_EQ(f.Label1.Caption(), QStringLiteral("Vereinsmeisterschaft"));
    const std::pair<Label *, const char16_t *> labels[] = {
        {&f.Label2, u"Übersicht - Sportler"}, {&f.Label9, u"Anfang mit..."},
        {&f.Label3, u"Teilnehmerliste"},      {&f.Label13, u"Anfang mit..."},
        {&f.Label14, u"sortiert nach..."}};
    for (const auto &[label, caption] : labels)
        EXPECT_EQ(label->Caption(), QString::fromUtf16(caption)) << label->Name().toStdString();
    const std::pair<CommandButton *, const char16_t *> buttons[] = {
        {&f.Command4, u"alle zeigen"},        {&f.Command5, u"Neuaufnahme"},
        {&f.Command2, u"->  hinzufügen  ->"}, {&f.Command6, u"alle zeigen"},
        {&f.Command3, u"aus Liste löschen"},  {&f.Command1, u"fertig"}};
    for (const auto &[button, caption] : buttons)
        EXPECT_EQ(button->Caption(), QString::fromUtf16(caption)) << button->Name().toStdString();
    EXPECT_EQ(f.List1.FontName(), QStringLiteral("Arial"));
    EXPECT_EQ(f.List2.FontName(), QStringLiteral("Arial"));
    EXPECT_FALSE(f.Command2.Enabled());
    EXPECT_FALSE(f.Command3.Enabled());

    EXPECT_EQ(lines(f.List1),
              QStringList({QStringLiteral("MAIER Hans") + QString(20, u' ') + QStringLiteral(" 1"),
                           QStringLiteral("Mair Eva") + QString(20, u' ') + QStringLiteral(" 3")}));
    ASSERT_EQ(f.Combo1.ListCount(), 3);
    EXPECT_EQ(f.Combo1.List(0), QStringLiteral("Name"));
    EXPECT_EQ(f.Combo1.List(1), QStringLiteral("Nenn-ID"));
    EXPECT_EQ(f.Combo1.List(2), QStringLiteral("INV-Nenn-ID"));
    EXPECT_EQ(f.Combo1.ListIndex(), 0);
    EXPECT_EQ(lines(f.List2),
              QStringList({QStringLiteral("MAIER Hans    --- SC Berg") + QString(50, u' ')
                               + QStringLiteral("0010000001"),
                           QStringLiteral("Mair Eva   ") + QString(50, u' ')
                               + QStringLiteral("0002000003")}));
}

TEST_F(Form5Test, Order_KeysOfSlotNumbersSortAsText)
{
    addAthlete(1, QStringLiteral("AAA"));
    addAthlete(2, QStringLiteral("ZZZ"));
    Race.SlotAthleteId[2] = 2;
    Race.SlotAthleteId[10] = 1;
    Form5 &f = opened();
    EXPECT_EQ(entrySlots(f.List2), QList<int>({10, 2}));

    f.Combo1.setListIndex(1);   // "Nenn-ID": "10  " before "2  "
    EXPECT_EQ(entrySlots(f.List2), QList<int>({10, 2}));
    EXPECT_TRUE(f.List2.List(0).startsWith(QStringLiteral("10  AAA   ")));
    EXPECT_TRUE(f.List2.List(1).startsWith(QStringLiteral("2  ZZZ   ")));

    f.Combo1.setListIndex(2);   // "INV-Nenn-ID": "990  " before "998  "
    EXPECT_TRUE(f.List2.List(0).startsWith(QStringLiteral("990  AAA   ")));
    EXPECT_TRUE(f.List2.List(1).startsWith(QStringLiteral("998  ZZZ   ")));

    f.Combo1.setListIndex(0);
    EXPECT_EQ(entryNames(f.List2), QStringList({"AAA", "ZZZ"}));
}

TEST_F(Form5Test, OverviewFilter_EnterFiltersAndLeavingCapitalises)
{
    addAthlete(1, QStringLiteral("MAIER Hans"));
    addAthlete(2, QStringLiteral("Mair Eva"));
    addAthlete(3, QStringLiteral("HUBER Max"));
    Form5 &f = opened();
    ASSERT_EQ(f.List1.ListCount(), 3);

    f.Text1.SetFocus();
    typeText(f.Text1, QStringLiteral("  ma"));
    pressKey(f.Text1, Qt::Key_Return);
    EXPECT_EQ(f.List1.ListCount(), 2);
    EXPECT_EQ(lineOfAthlete(f.List1, 3), -1);
    // Enter moved the focus on, which tidied the field.
    EXPECT_FALSE(f.Text1.hasFocus());
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("Ma"));

    // Coming back to the window rebuilds the filtered overview with what
    // was entered meanwhile.
    addAthlete(4, QStringLiteral("MAYR Lisa"));
    Form3 &athletes = form<Form3>();
    ASSERT_TRUE(showAndActivate(athletes));
    ASSERT_TRUE(activateByUser(f));
    EXPECT_EQ(f.List1.ListCount(), 3);
    EXPECT_NE(lineOfAthlete(f.List1, 4), -1);

    f.Command4.click();
    EXPECT_EQ(f.Text1.Text(), QString());
    EXPECT_EQ(f.List1.ListCount(), 4);
}

TEST_F(Form5Test, OverviewFilter_WithoutFilterActivationLeavesTheOverview)
{
    addAthlete(1, QStringLiteral("MAIER Hans"));
    Form5 &f = opened();
    addAthlete(2, QStringLiteral("HUBER Max"));
    ASSERT_TRUE(showAndActivate(form<Form3>()));
    ASSERT_TRUE(activateByUser(f));
    EXPECT_EQ(f.List1.ListCount(), 1);
}

TEST_F(Form5Test, ClickAndAdd_TakeTheLowestFreeSlotWithTheClubRule)
{
    addClubAt(1, QStringLiteral("SC Berg"));
    addClubAt(2, QStringLiteral("WSV Tal"));
    addAthlete(1, QStringLiteral("MAIER Hans"), 1, 0, 2);   // two clubs
    addAthlete(2, QStringLiteral("HUBER Eva"), 0, 0, 2);    // only the third field
    addAthlete(3, QStringLiteral("BAUER Max"), 0, 1, 0);    // only the second field
    addAthlete(4, QStringLiteral("ZAUNER Leo"));
    Race.SlotAthleteId[1] = 4;
    Race.SlotAthleteId[3] = 4;   // slot 2 is the gap
    Form5 &f = opened();

    f.List1.setListIndex(lineOfAthlete(f.List1, 1));
    EXPECT_EQ(f.Label4.Caption(), QStringLiteral("MAIER Hans"));
    EXPECT_EQ(f.Label6.Caption(), QStringLiteral("1"));
    EXPECT_EQ(f.Label8.Caption(), dates::germanDateText(Born2010));
    EXPECT_EQ(f.Label10.Caption(), QStringLiteral("SC Berg - WSV Tal"));
    EXPECT_EQ(f.Label11.Caption(), QStringLiteral("2"));
    EXPECT_EQ(f.Label12.Caption(), QStringLiteral("3"));
    ASSERT_TRUE(f.Command2.Enabled());
    f.Command2.click();
    EXPECT_FALSE(f.Command2.Enabled());
    EXPECT_EQ(Race.SlotAthleteId[2], 1);
    EXPECT_EQ(Race.SlotClub[2], 0);   // two clubs: left for the user to choose
    EXPECT_NE(lineOfSlot(f.List2, 2), -1);

    f.List1.setListIndex(lineOfAthlete(f.List1, 2));
    EXPECT_EQ(f.Label10.Caption(), QStringLiteral(" - WSV Tal"));
    f.Command2.click();
    EXPECT_EQ(Race.SlotAthleteId[4], 2);
    EXPECT_EQ(Race.SlotClub[4], 3);
    EXPECT_TRUE(f.List2.List(lineOfSlot(f.List2, 4)).contains(QStringLiteral(" --- WSV Tal")));

    f.List1.setListIndex(lineOfAthlete(f.List1, 3));
    f.Command2.click();
    EXPECT_EQ(Race.SlotClub[5], 2);

    // An athlete already entered cannot be added again.
    f.List1.setListIndex(lineOfAthlete(f.List1, 1));
    EXPECT_FALSE(f.Command2.Enabled());
    f.List1.setListIndex(lineOfAthlete(f.List1, 4));
    EXPECT_FALSE(f.Command2.Enabled());
    EXPECT_EQ(f.List2.ListCount(), 5);
}

TEST_F(Form5Test, Add_WithAllSlotsInUseIsRefusedUntilOneIsFreed)
{
    // Written from the top so the count is raised once.
    for (int n = 1001; n >= 1; --n) {
        RaceBuilder::addAthlete({.name = QStringLiteral("ATHLET %1").arg(n, 4, 10, QChar(u'0')),
                                 .sex = 0,
                                 .birthDate = Born2010,
                                 .id = n});
    }
    for (int s = 1; s <= MaxSlots; ++s) {
        Race.SlotAthleteId[s] = s;
        Race.SlotStartNo[s] = s;
    }
    Form5 &f = opened();
    ASSERT_EQ(f.List2.ListCount(), 1000);

    f.List1.setListIndex(lineOfAthlete(f.List1, 1001));
    EXPECT_EQ(f.Label6.Caption(), QStringLiteral("1001"));
    EXPECT_FALSE(f.Command2.Enabled());
    // Even when asked directly nothing is overwritten.
    f.Command2_Click();
    for (int s = 1; s <= MaxSlots; ++s)
        ASSERT_EQ(Race.SlotAthleteId[s], s) << s;
    EXPECT_FALSE(AthleteEntered(1001));

    // Taking the entry in the last slot out frees exactly that slot.
    f.List2.setListIndex(lineOfSlot(f.List2, 1000));
    ASSERT_TRUE(f.Command3.Enabled());
    f.Command3.click();
    EXPECT_EQ(Race.SlotAthleteId[1000], 0);
    EXPECT_EQ(Race.SlotStartNo[1000], 0);
    EXPECT_EQ(Race.SlotAthleteId[999], 999);
    EXPECT_EQ(f.List2.ListCount(), 999);

    f.List1.setListIndex(lineOfAthlete(f.List1, 1000));
    f.List1.setListIndex(lineOfAthlete(f.List1, 1001));
    ASSERT_TRUE(f.Command2.Enabled());
    f.Command2.click();
    EXPECT_EQ(Race.SlotAthleteId[1000], 1001);
    EXPECT_EQ(f.List2.ListCount(), 1000);
}

TEST_F(Form5Test, Remove_InTheMiddleMovesTheLaterEntriesWithAllTheirValues)
{
    for (int n = 1; n <= 8; ++n)
        addAthlete(n, QStringLiteral("ATHLET %1").arg(n));
    for (int s = 1; s <= 8; ++s) {
        Race.SlotAthleteId[s] = s;
        Race.SlotStartNo[s] = 10 + s;
        Race.SlotTime1[s] = 60.5 + s;
        Race.SlotTime2[s] = 70.25 + s;
        Race.SlotStatus2[s] = s % 4;
        Race.SlotTeam[s] = s;
        Race.SlotReserve[s] = 100 + s;
    }
    Form5 &f = opened();
    f.List2.setListIndex(lineOfSlot(f.List2, 5));
    EXPECT_EQ(f.Label5.Caption(), QStringLiteral("ATHLET 5"));
    EXPECT_EQ(f.Label7.Caption(), QStringLiteral("5"));
    ASSERT_TRUE(f.Command3.Enabled());
    f.Command3.click();
    EXPECT_FALSE(f.Command3.Enabled());
    EXPECT_EQ(f.Label5.Caption(), QString());

    for (int s = 5; s <= 7; ++s) {
        EXPECT_EQ(Race.SlotAthleteId[s], s + 1);
        EXPECT_EQ(Race.SlotStartNo[s], 11 + s);
        EXPECT_EQ(Race.SlotTime1[s], 61.5 + s);
        EXPECT_EQ(Race.SlotTime2[s], 71.25 + s);
        EXPECT_EQ(Race.SlotStatus2[s], (s + 1) % 4);
        EXPECT_EQ(Race.SlotTeam[s], s + 1);
        EXPECT_EQ(Race.SlotReserve[s], 100 + s);   // stays with the position
    }
    EXPECT_EQ(Race.SlotAthleteId[8], 0);
    EXPECT_EQ(Race.SlotStartNo[8], 0);
    EXPECT_EQ(Race.SlotTime1[8], 0);
    EXPECT_EQ(Race.SlotAthleteId[4], 4);
    EXPECT_EQ(entrySlots(f.List2), QList<int>({1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(lineOfAthlete(f.List2, 5), -1);
}

TEST_F(Form5Test, EntryFilter_EnterUpperCasesAndAlleZeigenClears)
{
    addAthlete(1, QStringLiteral("MAIER Hans"));
    addAthlete(2, QStringLiteral("Mair Eva"));
    addAthlete(3, QStringLiteral("HUBER Max"));
    for (int s = 1; s <= 3; ++s)
        Race.SlotAthleteId[s] = s;
    Form5 &f = opened();

    f.Text2.SetFocus();
    typeText(f.Text2, QStringLiteral(" ma "));
    pressKey(f.Text2, Qt::Key_Return);
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("MA"));
    EXPECT_EQ(entryNames(f.List2), QStringList({"MAIER Hans", "Mair Eva"}));

    f.Command6.click();
    EXPECT_EQ(f.Text2.Text(), QString());
    EXPECT_EQ(f.List2.ListCount(), 3);

    // Typed without Enter, lower-case text matches nothing once the list
    // is rebuilt by another action.
    f.Text2.setText(QStringLiteral("hu"));
    f.Combo1.setListIndex(1);
    EXPECT_EQ(f.List2.ListCount(), 0);
}

TEST_F(Form5Test, Neuaufnahme_OpensTheFirstNamelessRecordWithTheFilterAsName)
{
    addAthlete(1, QStringLiteral("MAIER Hans"));
    addAthlete(2, QString());
    addAthlete(3, QStringLiteral("HUBER Max"));
    Form5 &f = opened();
    f.Text1.SetFocus();
    typeText(f.Text1, QStringLiteral("huber"));
    f.Command5.click();
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("Huber"));

    ASSERT_TRUE(isLoaded<Form3>());
    Form3 &athletes = form<Form3>();
    EXPECT_TRUE(athletes.Visible());
    EXPECT_TRUE(f.Visible());
    EXPECT_EQ(athletes.Text1.Text(), QStringLiteral("2"));
    EXPECT_EQ(athletes.ShownAthleteId, 2);
    EXPECT_EQ(athletes.Text2.Text(), QStringLiteral("Huber"));
    EXPECT_TRUE(athletes.Text2.hasFocus());
}

TEST_F(Form5Test, Neuaufnahme_WithEveryRecordNamedMakesANewOneOnceNamed)
{
    addAthlete(1, QStringLiteral("MAIER Hans"));
    addAthlete(2, QStringLiteral("HUBER Max"));
    Form5 &f = opened();
    f.Text1.setText(QStringLiteral("Bauer"));
    f.Command5.click();

    Form3 &athletes = form<Form3>();
    EXPECT_EQ(athletes.Text1.Text(), QStringLiteral("3"));
    EXPECT_EQ(athletes.Text2.Text(), QStringLiteral("Bauer"));
    EXPECT_EQ(Rec.AthleteCount, 2);   // nothing written yet
    typeText(athletes.Text2, QStringLiteral(" Anna"));
    athletes.Text3.SetFocus();
    ASSERT_EQ(Rec.AthleteCount, 3);
    Rec.CurrentAthleteId = 3;
    ReadAthleteRecord();
    EXPECT_EQ(Rec.AthleteName, QStringLiteral("Bauer Anna"));
    Rec.CurrentAthleteId = 2;
    ReadAthleteRecord();
    EXPECT_EQ(Rec.AthleteName, QStringLiteral("HUBER Max"));
}

TEST_F(Form5Test, DoubleClickOnAnAthlete_ShowsItInTheAthleteWindow)
{
    addAthlete(1, QStringLiteral("MAIER Hans"));
    addAthlete(2, QStringLiteral("HUBER Max"));
    Form5 &f = opened();
    doubleClickLine(f.List1, lineOfAthlete(f.List1, 1));
    ASSERT_TRUE(isLoaded<Form3>());
    Form3 &athletes = form<Form3>();
    EXPECT_TRUE(athletes.Visible());
    EXPECT_EQ(athletes.ShownAthleteId, 1);
    EXPECT_EQ(athletes.Text2.Text(), QStringLiteral("MAIER Hans"));
    EXPECT_TRUE(f.Visible());

    // Closed over the entry list, the athlete window leaves the main
    // window where it is.
    athletes.Command1.click();
    EXPECT_FALSE(isLoaded<Form3>());
    EXPECT_FALSE(isLoaded<Form1>() && form<Form1>().Visible());
}

TEST_F(Form5Test, DoubleClickOnAnEntry_ShowsItsDetailsWithoutClassDisplays)
{
    addAthlete(1, QStringLiteral("MAIER Hans"));
    addAthlete(2, QStringLiteral("HUBER Max"));
    addAthlete(3, QStringLiteral("BAUER Anna"));
    Race.SlotAthleteId[1] = 1;
    Race.SlotAthleteId[2] = 2;
    Race.SlotAthleteId[12] = 3;
    Race.SlotStartNo[12] = 7;
    Form5 &f = opened();
    doubleClickLine(f.List2, lineOfSlot(f.List2, 12));
    EXPECT_EQ(f.Label7.Caption(), QStringLiteral("12"));

    ASSERT_TRUE(isLoaded<Form6>());
    Form6 &numbers = form<Form6>();
    EXPECT_TRUE(numbers.Visible());
    for (Label *l : {&numbers.Label5, &numbers.Label14, &numbers.Label16, &numbers.Label13})
        EXPECT_FALSE(l->Visible()) << l->Name().toStdString();
    ASSERT_GE(numbers.List1.ListIndex(), 0);
    EXPECT_TRUE(numbers.List1.Text().endsWith(QStringLiteral("BAUER Anna          12")));
    EXPECT_EQ(numbers.ShownSlot(), 12);
}

TEST_F(Form5Test, Remove_WithTheStartNumberWindowOpenKeepsItOnItsParticipant)
{
    for (int n = 1; n <= 8; ++n) {
        addAthlete(n, QStringLiteral("ATHLET %1").arg(n));
        Race.SlotAthleteId[n] = n;
    }
    Form5 &f = opened();
    doubleClickLine(f.List2, lineOfSlot(f.List2, 7));
    ASSERT_TRUE(isLoaded<Form6>());
    Form6 &numbers = form<Form6>();
    ASSERT_EQ(numbers.ShownSlot(), 7);

    // An entry before it goes: the participant shown moves down with its
    // slot, so what the window stores still lands on that participant.
    f.List2.setListIndex(lineOfSlot(f.List2, 5));
    f.Command3.click();
    EXPECT_EQ(numbers.ShownSlot(), 6);
    EXPECT_EQ(Race.SlotAthleteId[6], 7);
    EXPECT_EQ(numbers.Label2.Caption(), QStringLiteral("ATHLET 7"));
    EXPECT_EQ(numbers.List1.ListCount(), 7);

    // The participant shown goes: the window shows nobody and stores
    // nothing into the slot that now holds the next entry.
    f.List2.setListIndex(lineOfSlot(f.List2, 6));
    f.Command3.click();
    EXPECT_EQ(numbers.ShownSlot(), 0);
    numbers.Check2.setValue(1);
    numbers.Check2_LostFocus();
    EXPECT_EQ(Race.SlotPaid[6], 0);

    // A new entry shows up there at once.
    addAthlete(9, QStringLiteral("ATHLET 9"));
    f.Command4.click();
    f.List1.setListIndex(lineOfAthlete(f.List1, 9));
    f.Command2.click();
    EXPECT_EQ(numbers.List1.ListCount(), 7);
}

TEST_F(Form5Test, Fertig_SavesTheRaceClosesTheWindowsOverItAndShowsTheRaceWindow)
{
    addAthlete(1, QStringLiteral("MAIER Hans"));
    addAthlete(2, QStringLiteral("HUBER Max"));
    Race.SlotAthleteId[2] = 1;
    Form5 &f = opened();
    f.List1.setListIndex(lineOfAthlete(f.List1, 2));
    f.Command2.click();
    doubleClickLine(f.List1, lineOfAthlete(f.List1, 1));
    doubleClickLine(f.List2, lineOfSlot(f.List2, 2));
    ASSERT_TRUE(isLoaded<Form3>());
    ASSERT_TRUE(isLoaded<Form6>());
    f.Move(900, 600);

    f.Command1.click();
    destroyUnloadedWindows();
    EXPECT_FALSE(isLoaded<Form5>());
    EXPECT_FALSE(isLoaded<Form3>());
    EXPECT_FALSE(isLoaded<Form6>());
    EXPECT_TRUE(form<Form4>().Visible());
    EXPECT_FALSE(isLoaded<Form1>() && form<Form1>().Visible());
    EXPECT_EQ(App.WindowTop[5], 600);
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("TopLeft.dat"))));

    // Slot 1 (the new entry) and slot 2, renumbered by the save.
    const QByteArray saved = readBytes(QStringLiteral("R 1.dat"));
    const QList<QByteArray> savedLines = saved.split('\n');
    ASSERT_EQ(savedLines.size(), 2 * 23 + 1);
    EXPECT_EQ(savedLines[0], QByteArray(" 2 \r"));
    EXPECT_EQ(savedLines[23], QByteArray(" 1 \r"));
}

TEST_F(Form5Test, Launcher_OpensTheEntryListAndTheHookNeverLoadsIt)
{
    ASSERT_TRUE(Launchers.EntryListVisible);
    EXPECT_FALSE(Launchers.EntryListVisible());
    EXPECT_FALSE(isLoaded<Form5>());

    OpenRaceFile();
    ClearRaceHeader();
    Rec.RaceName = QStringLiteral("Vereinsmeisterschaft");
    Rec.RaceRecordNo = 1;
    WriteRaceHeader();
    Form4 &races = form<Form4>();
    ASSERT_TRUE(showAndActivate(races));
    races.Text1.setText(QStringLiteral("1"));
    races.Command4.click();
    ASSERT_TRUE(isLoaded<Form5>());
    Form5 &f = form<Form5>();
    EXPECT_TRUE(f.Visible());
    EXPECT_FALSE(races.Visible());
    EXPECT_EQ(f.Label1.Caption(), QStringLiteral("Vereinsmeisterschaft"));
    EXPECT_TRUE(Launchers.EntryListVisible());
    f.Hide();
    EXPECT_FALSE(Launchers.EntryListVisible());
}

} // namespace
