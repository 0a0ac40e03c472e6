#include <QComboBox>
#include <QDate>
#include <QFile>
#include <QDir>
#include <array>
#include <functional>
#include <memory>

#include "GuiTestHelpers.h"
#include "RaceBuilder.h"
#include "core/Form17.h"
#include "core/Form4.h"
#include "core/RaceFiles.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "platform/Beep.h"
#include "platform/Colours.h"
#include "race/Form13.h"
#include "race/Form18.h"
#include "race/Form7.h"
#include "race/TimingLists.h"

namespace {

const double PaleCyan = colourValue(192, 255, 255);
const double PaleRed = colourValue(255, 192, 192);
const double PaleYellow = colourValue(255, 255, 192);

// The race as its files hold it, loaded into a state of its own; the tables
// the window works on stay as they are.
std::unique_ptr<RaceState> raceOnDisk()
{
    const auto kept = std::make_unique<RaceState>(Race);
    Race = RaceState{};
    Race.ActiveRaceNo = kept->ActiveRaceNo;
    LoadRaceFiles();
    auto disk = std::make_unique<RaceState>(Race);
    Race = *kept;
    return disk;
}

QStringList linesOf(const ListBox &list)
{
    QStringList l;
    for (int i = 0; i < list.ListCount(); ++i)
        l << list.List(i);
    return l;
}

QString focusedName()
{
    const Control *c = Control::focused();
    return c ? c->Name() : QString();
}

class Form7Test : public WindowDataTest, protected RaceBuilder {
protected:
    void SetUp() override
    {
        WindowDataTest::SetUp();
        openDataFiles();
        for (const char *club : {"SC Berg", "SV Tal"})
            addClub(QString::fromUtf8(club), QString());
        writeRace(1, {.name = QStringLiteral("Vereinsmeisterschaft"), .byClass = 1, .byTime = 1});
        Race.ClassNames[1] = QStringLiteral("Schüler");
        Race.ClassNames[2] = QStringLiteral("Jugend");
        Race.ClassDesignations[0] = QStringLiteral("Schüler");
    }

    // Athlete number slot with its own record, entered in that slot.
    void enter(int slot, const QString &name, int startNo, int sex = 1, int year = 2012,
               int club1 = 0)
    {
        addEntry(addAthlete({.name = name, .sex = sex, .year = year, .clubs = {club1, 0, 0},
                             .id = slot}),
                 {.slot = slot, .startNo = startNo, .klass = 1});
    }

    // Three entries in start-number order 1, 2, 3 (slots 3, 1, 2).
    void threeEntries()
    {
        enter(1, QStringLiteral("MAIER Hans"), 2, 1, 2012, 1);
        enter(2, QStringLiteral("HUBER Eva"), 3, 0, 2011, 2);
        enter(3, QStringLiteral("NEU Kim"), 1, 2, 2013);
    }

    Form7 &open()
    {
        Form7 &f = form<Form7>();
        EXPECT_TRUE(showAndActivate(f));
        return f;
    }

    static int rowOf(Form7 &f, int slot)
    {
        for (int i = 0; i < f.List2.ListCount(); ++i)
            if (SlotOfTimingLine(f.List2.List(i)) == slot)
                return i;
        return -1;
    }

    // A real click on the entry's line.
    static void pick(Form7 &f, int slot)
    {
        const int row = rowOf(f, slot);
        ASSERT_GE(row, 0) << slot;
        clickLine(f.List2, row);
    }

    // Types into the box that has the focus and leaves it with Enter.
    static void typeAndEnter(Form7 &f, TextBox &box, const QString &text)
    {
        ASSERT_TRUE(box.hasFocus()) << box.Name().toStdString();
        box.setText(QString());
        typeText(box, text);
        pressKey(box, Qt::Key_Return);
        EXPECT_TRUE(f.List2.hasFocus());
    }
};

TEST_F(Form7Test, Open_OneRunRace_ListByStartNumberAndEverythingOffUntilAPick)
{
    threeEntries();
    Form7 &f = open();
    EXPECT_EQ(f.Caption(), QStringLiteral("Zeitnehmung"));
    EXPECT_EQ(f.windowSlot(), 7);
    EXPECT_EQ(f.Label1.Caption(), QStringLiteral("Vereinsmeisterschaft"));
    EXPECT_TRUE(f.Option1.Value());
    EXPECT_EQ(f.Option5.Caption(), QStringLiteral("2. Durchgang"));
    EXPECT_EQ(f.Check1.Caption(), QStringLiteral("vorläufiges Ergebnis"));
    ASSERT_EQ(f.List2.ListCount(), 3);
    EXPECT_EQ(SlotOfTimingLine(f.List2.List(0)), 3);
    EXPECT_FALSE(f.List1.Visible());
    EXPECT_EQ(f.List2.FontName(), QStringLiteral("Monospac821 BT"));
    EXPECT_TRUE(f.List2.hasFocus());
    EXPECT_EQ(f.Label2.Caption(), QStringLiteral("bitte Teilnehmer anklicken !"));
    EXPECT_EQ(f.Label2.BackColor(), PaleYellow);
    EXPECT_EQ(f.Label11.Caption(), QString());
    EXPECT_TRUE(f.Text1.FontBold());

    // The four statuses and nothing a typed text or an empty item could add.
    for (ComboBox *status : {&f.Combo2, &f.Combo1}) {
        EXPECT_EQ(status->style(), ComboBox::Style::DropDownList);
        ASSERT_EQ(status->ListCount(), 4);
        EXPECT_EQ(status->List(0), QStringLiteral("ok"));
        EXPECT_EQ(status->List(1), QStringLiteral("naS"));
        EXPECT_EQ(status->List(2), QStringLiteral("niZ"));
        EXPECT_EQ(status->List(3), QStringLiteral("dis"));
        EXPECT_FALSE(status->combo()->isEditable());
    }

    for (Control *c : std::initializer_list<Control *>{&f.Text6, &f.Command1, &f.Text7, &f.Text8,
                                                         &f.Text9, &f.Command6, &f.Combo1,
                                                         &f.Option5})
        EXPECT_FALSE(c->Visible()) << c->Name().toStdString();
    for (Control *c : std::initializer_list<Control *>{
             &f.Text1, &f.Text2, &f.Text3, &f.Text4, &f.Text5, &f.Command4, &f.Command2,
             &f.Command5, &f.Combo2, &f.Command7})
        EXPECT_FALSE(c->Enabled()) << c->Name().toStdString();
    for (Label *l : {&f.Label21, &f.Label22, &f.Label23, &f.Label24})
        EXPECT_FALSE(l->Visible());
}

TEST_F(Form7Test, Open_TwoRunRace_ShowsTheRun2Controls)
{
    Rec.TwoRuns = 1;
    threeEntries();
    Form7 &f = open();
    for (Control *c : std::initializer_list<Control *>{&f.Text6, &f.Command1, &f.Text7, &f.Text8,
                                                         &f.Text9, &f.Command6, &f.Combo1,
                                                         &f.Option5})
        EXPECT_TRUE(c->Visible()) << c->Name().toStdString();
}

TEST_F(Form7Test, Pick_ShowsTheEntryColouredBySexAndPutsTheCursorIntoTheTimeBox)
{
    threeEntries();
    Race.SlotGuest[1] = 1;
    Race.SlotClub[1] = 1;
    Race.SlotTeam[1] = 2;
    Race.TeamNames[2] = QStringLiteral("Team Berg");
    Race.SlotTime1[2] = 65.32;
    Race.SlotPoints[2] = 12.5f;
    Race.SlotStatus1[2] = 2;
    Race.SlotClub[2] = 4;   // "kein Verein"
    Race.SlotGroup[2] = 3;
    Race.GroupNames[3] = QStringLiteral("Gruppe C");
    Form7 &f = open();

    pick(f, 1);
    EXPECT_EQ(f.Label11.Caption(), QStringLiteral("1"));
    EXPECT_EQ(f.ShownSlot(), 1);
    EXPECT_EQ(f.Label2.Caption(), QStringLiteral("MAIER Hans"));
    EXPECT_EQ(f.Label2.BackColor(), PaleCyan);
    EXPECT_EQ(f.Label5.Caption(), QStringLiteral("2"));
    EXPECT_EQ(f.Label14.Caption(), QStringLiteral("2012"));
    EXPECT_EQ(f.Label16.Caption(), QStringLiteral("Schüler"));
    EXPECT_EQ(f.Label18.Caption(), QStringLiteral("JA"));
    EXPECT_EQ(f.Label19.Caption(), QStringLiteral("SC Berg"));
    EXPECT_TRUE(f.Label21.Visible());
    EXPECT_EQ(f.Label22.Caption(), QStringLiteral("Team Berg"));
    EXPECT_FALSE(f.Label23.Visible());
    EXPECT_TRUE(f.Text1.hasFocus());
    EXPECT_EQ(f.Text1.Text(), QString());   // 0 is emptied to type into
    EXPECT_EQ(f.Combo2.ListIndex(), 0);
    for (Control *c : std::initializer_list<Control *>{&f.Text1, &f.Text5, &f.Command4,
                                                         &f.Command2, &f.Command5, &f.Combo2,
                                                         &f.Command7})
        EXPECT_TRUE(c->Enabled()) << c->Name().toStdString();

    // Leaving the emptied box stores 0 again; the arrow key picks the next.
    pressKey(f.Text1, Qt::Key_Return);
    EXPECT_EQ(Race.SlotTime1[1], 0);
    pressKey(f.List2, Qt::Key_Down);
    EXPECT_EQ(f.ShownSlot(), 2);
    EXPECT_EQ(f.Label2.BackColor(), PaleRed);
    EXPECT_EQ(f.Label18.Caption(), QStringLiteral("-"));
    EXPECT_EQ(f.Label19.Caption(), QString());
    EXPECT_FALSE(f.Label21.Visible());
    EXPECT_TRUE(f.Label24.Visible());
    EXPECT_EQ(f.Label23.Caption(), QStringLiteral("Gruppe C"));
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("65,32"));
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("0"));
    EXPECT_EQ(f.Text3.Text(), QStringLiteral("1"));
    EXPECT_EQ(f.Text4.Text(), QStringLiteral("5,32"));
    EXPECT_EQ(f.Text5.Text(), QStringLiteral("12,5"));
    EXPECT_EQ(f.Combo2.ListIndex(), 2);
    EXPECT_TRUE(f.Text1.hasFocus());

    // Sex not set: the colour of the entry before stays.
    pressKey(f.Text1, Qt::Key_Return);
    pick(f, 3);
    EXPECT_EQ(f.Label2.Caption(), QStringLiteral("NEU Kim"));
    EXPECT_EQ(f.Label2.BackColor(), PaleRed);
}

TEST_F(Form7Test, PickingASeparator_SwitchesTheEntryControlsOffAndKeepsTheEntry)
{
    threeEntries();
    Form7 &f = open();
    pick(f, 1);
    f.Option3.setValue(true);
    ASSERT_EQ(f.List2.List(0), TimingSeparatorLine(QStringLiteral("Schüler")));
    f.List2.setListIndex(1);
    f.List2.setListIndex(0);
    EXPECT_FALSE(f.Text1.Enabled());
    EXPECT_FALSE(f.Combo2.Enabled());
    EXPECT_FALSE(f.Command2.Enabled());
    EXPECT_TRUE(f.Command7.Enabled());
    EXPECT_EQ(f.Label11.Caption(), QStringLiteral("3"));   // the line picked before
    // Enter on a separator goes nowhere.
    f.List2.SetFocus();
    pressKey(f.List2, Qt::Key_Return);
    EXPECT_TRUE(f.List2.hasFocus());
}

TEST_F(Form7Test, SecondsBox_CommitsOnLeavingThroughTheDecimalText)
{
    threeEntries();
    Form7 &f = open();
    pick(f, 1);
    struct Case {
        const char *typed;
        double stored;
        const char *shown;
        bool beeps;
    } cases[] = {
        {" 1.5 ", 1.5, "1,5", false},   {"65,32", 65.32, "65,32", false},
        {"", 0, "0", false},            {"77", 77, "77", false},
        // Refused: the box shows again what is stored, ranks and prints.
        {"abc", 77, "77", true},        {"-3", 77, "77", true},
        {"1.234.5", 77, "77", true},    {"3932.5", 3932.5, "3932,5", false},
        {"x", 3932.5, "3932,5", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        pressKey(f.List2, Qt::Key_Return);   // back into the time box
        const int beeps = beepCount();
        typeAndEnter(f, f.Text1, QString::fromUtf8(c.typed));
        EXPECT_EQ(Race.SlotTime1[1], c.stored);
        EXPECT_EQ(f.Text1.Text(), QString::fromUtf8(c.shown));
        EXPECT_EQ(beepCount() - beeps, c.beeps ? 1 : 0);
    }
}

TEST_F(Form7Test, ClickingAnotherLineWhileTyping_StoresForTheEntryShownBefore)
{
    threeEntries();
    Form7 &f = open();
    pick(f, 1);
    typeText(f.Text1, QStringLiteral("48.7"));
    pick(f, 2);
    EXPECT_EQ(Race.SlotTime1[1], 48.7);
    EXPECT_EQ(Race.SlotTime1[2], 0);
    EXPECT_EQ(f.ShownSlot(), 2);
    EXPECT_TRUE(f.Text1.hasFocus());
}

TEST_F(Form7Test, HoursMinutesSeconds_BothWays)
{
    Rec.TwoRuns = 1;
    threeEntries();
    Form7 &f = open();
    pick(f, 1);
    f.Text2.SetFocus();
    f.Text2.setText(QStringLiteral("1"));
    f.Text3.setText(QStringLiteral("5"));
    f.Text4.SetFocus();
    f.Text4.setText(QStringLiteral(" 32.5 "));
    f.Command2.click();   // Text4 is tidied on the way
    EXPECT_EQ(f.Text4.Text(), QStringLiteral("32,5"));
    EXPECT_EQ(Race.SlotTime1[1], 3932.5);
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("3932,5"));

    f.Text2.setText(QString());
    f.Text3.setText(QString());
    f.Text4.setText(QString());
    f.Command4.click();
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("1"));
    EXPECT_EQ(f.Text3.Text(), QStringLiteral("5"));
    EXPECT_EQ(f.Text4.Text(), QStringLiteral("32,5"));

    // No number in a box, or a negative part: a beep, nothing stored.
    for (const auto &[h, m] : {std::pair{"", "5"}, std::pair{"1", "x"}, std::pair{"1", "-5"}}) {
        f.Text2.setText(QString::fromUtf8(h));
        f.Text3.setText(QString::fromUtf8(m));
        const int beeps = beepCount();
        f.Command2.click();
        EXPECT_EQ(beepCount() - beeps, 1) << h << " " << m;
        EXPECT_EQ(Race.SlotTime1[1], 3932.5);
    }

    // Run 2 the same way, into its own boxes; a blank seconds box becomes 0.
    f.Text7.setText(QStringLiteral("0"));
    f.Text8.setText(QStringLiteral("2"));
    f.Text9.SetFocus();
    f.Text9.setText(QStringLiteral("  "));
    f.Command6.click();
    EXPECT_EQ(f.Text9.Text(), QStringLiteral("0"));
    EXPECT_EQ(Race.SlotTime2[1], 120);
    EXPECT_EQ(f.Text6.Text(), QStringLiteral("120"));
    Race.SlotTime2[1] = 61.25;
    f.Command1.click();
    EXPECT_EQ(f.Text8.Text(), QStringLiteral("1"));
    EXPECT_EQ(f.Text9.Text(), QStringLiteral("1,25"));
}

TEST_F(Form7Test, StatusBoxes_StoreOneOfTheFourOrNothing)
{
    Rec.TwoRuns = 1;
    threeEntries();
    Race.SlotStatus1[2] = 5;   // from an old file: shows none, stays unless chosen
    Form7 &f = open();
    pick(f, 1);
    f.Combo2.SetFocus();
    pressKey(f.Combo2, Qt::Key_Down);
    pressKey(f.Combo2, Qt::Key_Down);
    f.Combo1.SetFocus();
    EXPECT_EQ(Race.SlotStatus1[1], 2);
    f.Combo1.setListIndex(3);
    f.Text5.SetFocus();
    EXPECT_EQ(Race.SlotStatus2[1], 3);

    pick(f, 2);
    EXPECT_EQ(f.Combo2.ListIndex(), -1);
    f.Combo2.SetFocus();
    f.Combo2.setText(QStringLiteral("typed"));   // no such line: nothing chosen
    EXPECT_EQ(f.Combo2.ListIndex(), -1);
    f.Text5.SetFocus();
    EXPECT_EQ(Race.SlotStatus1[2], 5);
}

TEST_F(Form7Test, Points_ReadWithTheDecimalComma)
{
    threeEntries();
    Form7 &f = open();
    pick(f, 1);
    struct Case {
        const char *typed;
        float stored;
        const char *shown;
        int beeps;
    } cases[] = {
        {"12,5", 12.5f, "12,5", 0}, {"7.25", 7.25f, "7,25", 0}, {"", 0, "0", 0},
        {"30", 30, "30", 0},         {"viel", 30, "30", 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        f.Text5.SetFocus();
        f.Text5.setText(QString::fromUtf8(c.typed));
        const int beeps = beepCount();
        // Leaving the box and "eintragen" store; a refused text beeps once.
        f.Command5.click();
        f.Command5.click();
        EXPECT_EQ(Race.SlotPoints[1], c.stored);
        EXPECT_EQ(f.Text5.Text(), QString::fromUtf8(c.shown));
        EXPECT_EQ(beepCount() - beeps, c.beeps);
    }
    // Shown and left again, a fraction stays.
    pick(f, 2);
    pick(f, 1);
    EXPECT_EQ(f.Text5.Text(), QStringLiteral("30"));
    Race.SlotPoints[1] = 12.5f;
    pick(f, 2);
    pick(f, 1);
    f.Text5.SetFocus();
    f.Text1.SetFocus();
    EXPECT_EQ(Race.SlotPoints[1], 12.5f);
}

TEST_F(Form7Test, SecondRunOrder_PickAndEnterGoToTheRun2Box)
{
    Rec.TwoRuns = 1;
    threeEntries();
    Race.SlotTime1[1] = 50;
    Race.SlotTime1[2] = 51;
    Race.SlotTime1[3] = 52;
    Form7 &f = open();
    f.Option5.setValue(true);
    // Slowest of the best first.
    EXPECT_EQ(SlotOfTimingLine(f.List2.List(1)), 3);
    pick(f, 2);
    EXPECT_TRUE(f.Text6.hasFocus());
    EXPECT_EQ(f.Text6.Text(), QString());
    typeAndEnter(f, f.Text6, QStringLiteral("49.5"));
    EXPECT_EQ(Race.SlotTime2[2], 49.5);
    EXPECT_EQ(Race.SlotTime1[2], 51);
    pressKey(f.List2, Qt::Key_Return);
    EXPECT_TRUE(f.Text6.hasFocus());
}

TEST_F(Form7Test, ProvisionalResult_TickShowsUntickCloses)
{
    threeEntries();
    Race.SlotTime1[2] = 61.5;
    Form7 &f = open();
    pick(f, 1);
    typeText(f.Text1, QStringLiteral("60"));
    f.Check1.SetFocus();   // as the click on it does: the time is stored first
    f.Check1.setValue(1);
    ASSERT_TRUE(isLoaded<Form13>());
    Form13 &result = form<Form13>();
    EXPECT_TRUE(result.Visible());
    ASSERT_EQ(result.List2.ListCount(), 4);
    EXPECT_TRUE(result.List2.List(2).startsWith(QStringLiteral("   1. MAIER Hans")));
    EXPECT_TRUE(result.List2.List(3).startsWith(QStringLiteral("   2. HUBER Eva")));

    // While it is open, every refill of the lists ranks anew and shows it.
    Race.SlotTime1[2] = 59;
    f.Option3.setValue(true);
    ASSERT_EQ(result.List2.ListCount(), 4);
    EXPECT_TRUE(result.List2.List(2).startsWith(QStringLiteral("   1. HUBER Eva")));
    EXPECT_TRUE(result.List2.List(3).startsWith(QStringLiteral("   2. MAIER Hans")));

    f.Check1.setValue(0);
    destroyUnloadedWindows();
    EXPECT_FALSE(isLoaded<Form13>());

    // Closed by itself, the box stays ticked.
    f.Check1.setValue(1);
    form<Form13>().Command1.click();
    destroyUnloadedWindows();
    EXPECT_FALSE(isLoaded<Form13>());
    EXPECT_EQ(f.Check1.Value(), 1);
}

TEST_F(Form7Test, ProvisionalResult_OpensBesideTheTimeEntryNotOverIt)
{
    threeEntries();
    Form7 &f = open();
    const QRect entry = f.frameGeometry();
    const QRect screen = f.screen()->availableGeometry();
    auto tick = [&f]() -> Form13 & {
        f.Check1.setValue(1);
        return form<Form13>();
    };
    auto coveredOfEntry = [&entry](const QRect &r) {
        const QRect both = r.intersected(entry);
        return both.isEmpty() ? 0 : both.width() * both.height();
    };
    const struct {
        const char *what;
        bool stored;
        int left, top;   // twips; -1: the time entry's corner
        bool moved;
    } cases[] = {
        {"no position stored", false, 0, 0, true},
        {"stored on the time entry's corner", true, -1, -1, true},
        {"stored elsewhere", true, 300, 900, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        // Closed first: closing stores its position.
        f.Check1.setValue(0);
        destroyUnloadedWindows();
        ASSERT_TRUE(activateByUser(f));   // the user clicks the box in it
        App.WindowLeftSet[13] = c.stored;
        App.WindowLeft[13] = c.left < 0 ? f.Left() : c.left;
        App.WindowTop[13] = c.top < 0 ? f.Top() : c.top;
        Form13 &result = tick();
        ASSERT_TRUE(result.Visible());
        const QRect r = result.frameGeometry();
        EXPECT_TRUE(screen.contains(r));
        if (c.moved) {
            EXPECT_NE(r.topLeft(), entry.topLeft());
            EXPECT_LT(coveredOfEntry(r), coveredOfEntry(QRect(entry.topLeft(), r.size())));
            EXPECT_EQ(r.topLeft(), placeBeside(r.size(), entry, screen));
        } else {
            EXPECT_EQ(result.Left(), c.left);
            EXPECT_EQ(result.Top(), c.top);
        }
    }
}

TEST_F(Form7Test, OptionClick_RefillsInItsOrder)
{
    threeEntries();
    Race.SlotTime1[1] = 30;
    Race.SlotTime1[3] = 40;
    Form7 &f = open();
    f.Option2.setValue(true);
    ASSERT_EQ(f.List2.ListCount(), 3);
    EXPECT_EQ(SlotOfTimingLine(f.List2.List(0)), 2);
    EXPECT_EQ(SlotOfTimingLine(f.List2.List(1)), 1);
    EXPECT_EQ(SlotOfTimingLine(f.List2.List(2)), 3);
}

TEST_F(Form7Test, Closing_SavesTheRaceShowsTheRaceWindowAndClosesTheOthers)
{
    threeEntries();
    Form7 &f = open();
    pick(f, 1);
    typeText(f.Text1, QStringLiteral("59,99"));
    f.Check1.setValue(1);
    f.Command7.click();
    ASSERT_TRUE(isLoaded<Form18>());
    ASSERT_TRUE(activateByUser(f));
    f.Command3.click();
    destroyUnloadedWindows();

    EXPECT_FALSE(isLoaded<Form7>());
    EXPECT_FALSE(isLoaded<Form13>());
    EXPECT_FALSE(isLoaded<Form18>());
    ASSERT_TRUE(isLoaded<Form4>());
    EXPECT_TRUE(form<Form4>().Visible());
    const QStringList lines = QString::fromLatin1(readBytes(QStringLiteral("R 1.dat")))
                                  .split(QStringLiteral("\r\n"));
    ASSERT_GT(lines.size(), 8);
    EXPECT_EQ(lines[7], QStringLiteral("59,99"));   // run 1 of the first slot
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("TopLeft.dat"))));
}

// Every value committed lands on disk with the commit, not only when the
// window closes; the reminder stays for closing. Slot 6 follows a gap, so
// the files hold it as their 4th entry: the save must not renumber the
// tables the open window works on.
TEST_F(Form7Test, EveryCommit_IsInTheRaceFilesAtOnceWithoutTheReminder)
{
    Rec.TwoRuns = 1;
    threeEntries();   // NEU Kim has no sex set: a save with reminder shows it
    enter(6, QStringLiteral("ZANGL Ida"), 4);
    Form7 &f = open();
    const QStringList listed = linesOf(f.List2);
    pick(f, 6);
    ASSERT_EQ(f.ShownSlot(), 6);

    struct Case {
        const char *what;
        std::function<void()> commit;
        std::function<bool(const RaceState &)> onDisk;
    } cases[] = {
        {"run-1 seconds, Enter",
         [&] { typeAndEnter(f, f.Text1, QStringLiteral("48.7")); },
         [](const RaceState &d) { return d.SlotTime1[4] == 48.7; }},
        {"run-2 seconds, left",
         [&] {
             f.Text6.SetFocus();
             f.Text6.setText(QStringLiteral("50,25"));
             f.List2.SetFocus();
         },
         [](const RaceState &d) { return d.SlotTime2[4] == 50.25; }},
        {"run-1 status",
         [&] {
             f.Combo2.SetFocus();
             f.Combo2.setListIndex(2);
             f.List2.SetFocus();
         },
         [](const RaceState &d) { return d.SlotStatus1[4] == 2; }},
        {"run-2 status",
         [&] {
             f.Combo1.SetFocus();
             f.Combo1.setListIndex(3);
             f.List2.SetFocus();
         },
         [](const RaceState &d) { return d.SlotStatus2[4] == 3; }},
        {"points, eintragen",
         [&] {
             f.Text5.setText(QStringLiteral("12.5"));
             f.Command5.click();
         },
         [](const RaceState &d) { return d.SlotPoints[4] == 12.5f; }},
        {"points, left",
         [&] {
             f.Text5.SetFocus();
             f.Text5.setText(QStringLiteral("7"));
             f.List2.SetFocus();
         },
         [](const RaceState &d) { return d.SlotPoints[4] == 7.0f; }},
        {"hours, minutes, seconds",
         [&] {
             f.Text2.setText(QStringLiteral("1"));
             f.Text3.setText(QStringLiteral("0"));
             f.Text4.setText(QStringLiteral("5"));
             f.Command2.click();
         },
         [](const RaceState &d) { return d.SlotTime1[4] == 3605; }},
        {"backup timing taken over",
         [&] {
             f.Command7.click();
             Form18 &backup = form<Form18>();
             ASSERT_TRUE(QTest::qWaitForWindowActive(&backup));
             backup.Text1.setText(QStringLiteral("100"));
             pressKey(backup.Text1, Qt::Key_Return);
             backup.Text6.setText(QStringLiteral("160.5"));
             pressKey(backup.Text6, Qt::Key_Return);
             backup.Command4.click();
             destroyUnloadedWindows();
             ASSERT_FALSE(isLoaded<Form18>());
             ASSERT_TRUE(activateByUser(f));
         },
         [](const RaceState &d) { return d.SlotTime1[4] == 60.5; }},
    };
    const int beeps = beepCount();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        c.commit();
        const auto disk = raceOnDisk();
        EXPECT_EQ(disk->SlotAthleteId[4], 6);
        EXPECT_TRUE(c.onDisk(*disk));
        EXPECT_FALSE(isLoaded<Form17>());
        // The window still shows the same entry under the same slot.
        EXPECT_EQ(f.ShownSlot(), 6);
        EXPECT_EQ(Race.SlotAthleteId[6], 6);
        EXPECT_EQ(Race.SlotAthleteId[4], 0);
        EXPECT_EQ(linesOf(f.List2), listed);
    }
    EXPECT_EQ(beepCount(), beeps);
    // The commits after the save went on into slot 6, and another pick shows
    // its own entry.
    EXPECT_EQ(Race.SlotTime1[6], 60.5);
    EXPECT_EQ(Race.SlotTime2[6], 50.25);
    pick(f, 1);
    EXPECT_EQ(f.Label2.Caption(), QStringLiteral("MAIER Hans"));
    EXPECT_EQ(f.Text6.Text(), QStringLiteral("0"));

    // Closing saves once more and reminds, as before.
    f.Command3.click();
    destroyUnloadedWindows();
    ASSERT_TRUE(isLoaded<Form17>());
    EXPECT_TRUE(form<Form17>().Visible());
    EXPECT_EQ(linesOf(form<Form17>().List1), QStringList{QStringLiteral("3   NEU Kim m/w ?")});
    EXPECT_EQ(raceOnDisk()->SlotTime1[4], 60.5);
}

// A save that fails while typing beeps, keeps the value in the table and is
// tried again at the next commit, changed or not.
TEST_F(Form7Test, FailedSaveOnCommit_BeepsAndIsTriedAgainAtTheNextCommit)
{
    threeEntries();
    Form7 &f = open();
    pick(f, 1);
    // A folder where the entry file goes: its replacement cannot land.
    ASSERT_TRUE(QDir(path(QString())).mkdir(QStringLiteral("R 1.dat")));
    int beeps = beepCount();
    typeAndEnter(f, f.Text1, QStringLiteral("48.7"));
    EXPECT_EQ(beepCount() - beeps, 1);
    EXPECT_EQ(Race.SlotTime1[1], 48.7);
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("48,7"));
    EXPECT_FALSE(isLoaded<Form17>());

    ASSERT_TRUE(QDir(path(QString())).rmdir(QStringLiteral("R 1.dat")));
    beeps = beepCount();
    pressKey(f.List2, Qt::Key_Return);
    pressKey(f.Text1, Qt::Key_Return);   // the same time again
    EXPECT_EQ(beepCount(), beeps);
    EXPECT_EQ(raceOnDisk()->SlotTime1[1], 48.7);
}

// A refused text does not stay in its box looking stored: the box shows the
// value that ranks and prints (the seconds and points boxes: tables above).
TEST_F(Form7Test, RefusedText_TheBoxesShowTheStoredTimeAgain)
{
    Rec.TwoRuns = 1;
    threeEntries();
    Race.SlotTime1[1] = 3932.5;
    Race.SlotTime2[1] = 61.25;
    Form7 &f = open();
    pick(f, 1);

    struct Case {
        const char *what;
        std::function<void()> refuse;
        std::array<TextBox *, 4> boxes;
        std::array<const char *, 4> shown;
    } cases[] = {
        {"run-2 seconds",
         [&] {
             f.Text6.SetFocus();
             f.Text6.setText(QStringLiteral("-1"));
             f.List2.SetFocus();
         },
         {&f.Text6, &f.Text7, &f.Text8, &f.Text9},
         {"61,25", "0", "1", "1,25"}},
        {"run-1 minutes no number",
         [&] {
             f.Text3.setText(QStringLiteral("x"));
             f.Command2.click();
         },
         {&f.Text1, &f.Text2, &f.Text3, &f.Text4},
         {"3932,5", "1", "5", "32,5"}},
        {"run-2 negative hours",
         [&] {
             f.Text7.setText(QStringLiteral("-1"));
             f.Text8.setText(QStringLiteral("7"));
             f.Command6.click();
         },
         {&f.Text6, &f.Text7, &f.Text8, &f.Text9},
         {"61,25", "0", "1", "1,25"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const int beeps = beepCount();
        c.refuse();
        EXPECT_EQ(beepCount() - beeps, 1);
        for (std::size_t i = 0; i < c.boxes.size(); ++i)
            EXPECT_EQ(c.boxes[i]->Text(), QString::fromUtf8(c.shown[i])) << c.boxes[i]->Name().toStdString();
        EXPECT_EQ(Race.SlotTime1[1], 3932.5);
        EXPECT_EQ(Race.SlotTime2[1], 61.25);
    }
}

// Tab from the run-1 seconds walks the run-1 row, its status included, before
// the run-2 row.
TEST_F(Form7Test, TabOrder_Run1StatusFollowsTheRun1Row)
{
    Rec.TwoRuns = 1;
    threeEntries();
    Form7 &f = open();
    pick(f, 1);
    ASSERT_TRUE(f.Text1.hasFocus());
    QStringList walked;
    for (int i = 0; i < 15; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked << focusedName();
    }
    EXPECT_EQ(walked, (QStringList{"Command4", "Text2", "Text3", "Text4", "Command2", "Combo2",
                                   "Text6", "Command1", "Text7", "Text8", "Text9", "Command6",
                                   "Combo1", "Text5", "Command5"}));
}

// A click on the line already selected fires no Click of the list, but it
// means the same: that entry, cursor into its time box.
TEST_F(Form7Test, ClickOnTheSelectedLine_PutsTheCursorIntoItsTimeBox)
{
    Rec.TwoRuns = 1;
    threeEntries();
    Form7 &f = open();
    pick(f, 1);
    typeText(f.Text1, QStringLiteral("3932.5"));
    pick(f, 1);   // typing, then the same line again: stored, shown, back in the box
    EXPECT_EQ(Race.SlotTime1[1], 3932.5);
    EXPECT_TRUE(f.Text1.hasFocus());
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("3932,5"));
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("1"));
    EXPECT_EQ(f.Text3.Text(), QStringLiteral("5"));
    EXPECT_EQ(f.Text4.Text(), QStringLiteral("32,5"));

    pressKey(f.Text1, Qt::Key_Return);
    ASSERT_TRUE(f.List2.hasFocus());
    pick(f, 1);
    EXPECT_TRUE(f.Text1.hasFocus());
    EXPECT_EQ(f.ShownSlot(), 1);

    // An entry without time: the box is emptied to type into, as on a pick.
    pick(f, 2);
    pressKey(f.Text1, Qt::Key_Return);
    pick(f, 2);
    EXPECT_TRUE(f.Text1.hasFocus());
    EXPECT_EQ(f.Text1.Text(), QString());

    // In the second-run order, into the run-2 box.
    f.Option5.setValue(true);
    Race.SlotTime1[2] = 50;
    pick(f, 1);
    pressKey(f.Text6, Qt::Key_Return);
    pick(f, 1);
    EXPECT_TRUE(f.Text6.hasFocus());

    // Below the last line, or on a separator, the list keeps the focus.
    pressKey(f.Text6, Qt::Key_Return);
    QListView *widget = f.List2.list();
    QTest::mouseClick(widget->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(20, widget->viewport()->height() - 5));
    EXPECT_TRUE(f.List2.hasFocus());
    ASSERT_EQ(SlotOfTimingLine(f.List2.List(0)), 0);
    clickLine(f.List2, 0);
    clickLine(f.List2, 0);
    EXPECT_TRUE(f.List2.hasFocus());
}

} // namespace
