#include "GuiTestHelpers.h"
#include "RaceBuilder.h"
#include "core/Form4.h"
#include "core/RaceFiles.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "platform/Beep.h"
#include "platform/Clock.h"
#include "platform/Colours.h"
#include "race/ClassAssignment.h"
#include "race/ClassStartOrder.h"
#include "race/Form15.h"
#include "race/RaceWindows.h"

namespace {

const double Green = colourValue(0, 192, 0);
const double Red = colourValue(255, 0, 0);

class Form15Test : public WindowDataTest, protected RaceBuilder {
protected:
    void SetUp() override
    {
        WindowDataTest::SetUp();
        sysclock::setFixedNow(QDateTime(QDate(2026, 3, 10), QTime(10, 0)));
        OpenRaceFile();
        OpenAthleteFile();
        ClearRaceHeader();
        Rec.RaceName = QStringLiteral("Vereinsmeisterschaft");
        setCriteria(1, 1, 0);
        Rec.EvalByClass = 1;
        Rec.EvalByTime = 1;
        Rec.RaceRecordNo = 1;
        WriteRaceHeader();
        Race.ActiveRaceNo = 1;
        setClasses();
    }

    // Loading the race window reloads the race files: a test that loads it
    // sets the classes again afterwards.
    void setClasses()
    {
        setClass(1, QStringLiteral("Bambini"), 2019, 2026);
        setClass(2, QStringLiteral("Kinder U10"), 2017, 2018);
        setClass(3, QStringLiteral("Kinder U12"), 2015, 2016);
    }

    void setCriteria(int bySex, int guests, int boarders)
    {
        Rec.EvalBySex = std::uint8_t(bySex);
        Rec.EvalGuestsApart = std::uint8_t(guests);
        Rec.EvalBoarders = std::uint8_t(boarders);
    }

    void setClass(int k, const QString &name, int first, int last)
    {
        Race.ClassNames[k] = name;
        Race.ClassYears[k] = {first, last};
    }

    // Athlete id born in the year, entered in slot id.
    void enter(int id, int year, int sex)
    {
        addEntry(addAthlete({.name = QStringLiteral("ATHLET %1").arg(id),
                             .sex = sex,
                             .year = year,
                             .id = id}),
                 {.slot = id});
    }

    Form15 &openGrid()
    {
        Form15 &f = form<Form15>();
        EXPECT_TRUE(showAndActivate(f));
        return f;
    }

    static QStringList visibleCellsOfRow(Form15 &f, int row)
    {
        QStringList shown;
        for (int c = 0; c < GridColumns; ++c)
            if (f.Label3(row * GridColumns + c).Visible())
                shown << QString::number(c);
        return shown;
    }

    static QStringList visibleHeadings(Form15 &f)
    {
        QStringList shown;
        for (int c = 0; c < GridColumns; ++c)
            if (f.Label4(c).Visible())
                shown << f.Label4(c).Caption();
        return shown;
    }

    void typeNumber(Form15 &f, const QString &text)
    {
        f.Text2.SetFocus();
        f.Text2.setText(text);
        f.Command2.click();   // takes the focus: the box is committed first
    }

    QStringList lines(const QString &name)
    {
        QStringList out = QString::fromLatin1(readBytes(name)).split(QStringLiteral("\r\n"));
        if (!out.isEmpty() && out.last().isEmpty())
            out.removeLast();
        return out;
    }
};

TEST_F(Form15Test, Grid_SitsAtItsTwipsPositions)
{
    Form15 &f = openGrid();
    EXPECT_EQ(f.Label1.Caption(), QStringLiteral("Vereinsmeisterschaft"));
    const struct {
        int index, left, top;
    } cells[] = {{0, 2280, 1320}, {7, 2280 + 7 * 480, 1320}, {8, 2280, 1560},
                 {21, 2280 + 5 * 480, 1800}, {159, 2280 + 7 * 480, 1320 + 19 * 240}};
    for (const auto &c : cells) {
        Label &cell = f.Label3(c.index);
        EXPECT_EQ(cell.Left(), c.left) << c.index;
        EXPECT_EQ(cell.Top(), c.top) << c.index;
        EXPECT_EQ(cell.Width(), 495) << c.index;
        EXPECT_EQ(cell.Height(), 255) << c.index;
        EXPECT_EQ(cell.Name(), QStringLiteral("Label3(%1)").arg(c.index));
        EXPECT_TRUE(cell.FontBold());
    }
    EXPECT_EQ(f.Label4(3).Left(), 2280 + 3 * 480);
    EXPECT_EQ(f.Label4(3).Top(), 960);
    EXPECT_EQ(f.Label2(2).Left(), 240);
    EXPECT_EQ(f.Label2(2).Width(), 2055);
    EXPECT_EQ(f.Label2(2).Top(), 1320 + 2 * 240);
    EXPECT_EQ(f.Label2(1).Caption(), QStringLiteral("Kinder U10"));
    // The first row lies on the window's ground, every second one on grey.
    const double grey = colourValue(224, 224, 224);
    EXPECT_NE(f.Label3(3).BackColor(), grey);
    EXPECT_EQ(f.Label3(11).BackColor(), grey);
    EXPECT_NE(f.Label3(16).BackColor(), grey);
    EXPECT_NE(f.Label2(0).BackColor(), grey);
    EXPECT_EQ(f.Label2(1).BackColor(), grey);
    EXPECT_EQ(f.Label5.Caption(), QStringLiteral("-1"));
    EXPECT_FALSE(f.Command5.Visible());
    EXPECT_FALSE(f.Command6.Visible());
}

TEST_F(Form15Test, Captions_ShownWhole)
{
    Form15 &f = openGrid();
    for (const Label *l : {&f.Label7, &f.Label8, &f.Label5})
        EXPECT_TRUE(captionShownWhole(*l)) << l->Caption().toStdString();
    // All numbers 0 are numbered class by class; one group needs one number.
    EXPECT_TRUE(f.Text2.ToolTipText().startsWith(
        QStringLiteral("für Zusammenlegungen - gleiche Nummern vergeben")));
    EXPECT_TRUE(f.Text2.ToolTipText().contains(QStringLiteral("dieselbe Nummer außer 0")));
}

TEST_F(Form15Test, HiddenCellsAndHeadings_FollowTheCriteria)
{
    const struct {
        int bySex, guests, boarders;
        QStringList cells, headings;
    } cases[] = {
        {0, 0, 0, {"0"}, {"w+m"}},
        {1, 0, 0, {"0", "1"}, {"w", "m"}},
        {1, 1, 0, {"0", "1", "2", "3"}, {"w", "m", "G-w", "G-m"}},
        {0, 1, 1, {"0", "2", "4", "6"}, {"w+m", "Gäste", "Board", "G,B"}},
        {0, 0, 1, {"0", "4"}, {"w+m", "Board"}},
        {1, 1, 1, {"0", "1", "2", "3", "4", "5", "6", "7"},
         {"w", "m", "G-w", "G-m", "Bw", "Bm", "B,Gw", "B,Gm"}},
    };
    for (const auto &c : cases) {
        setCriteria(c.bySex, c.guests, c.boarders);
        Form15 &f = openGrid();
        const std::string label = c.headings.join(u' ').toStdString();
        for (int row = 0; row < 3; ++row)
            EXPECT_EQ(visibleCellsOfRow(f, row), c.cells) << label << " row " << row;
        EXPECT_EQ(visibleHeadings(f), c.headings) << label;
        // Rows after the last named class are empty and hidden.
        for (int row = 3; row < GridRows; ++row) {
            EXPECT_TRUE(visibleCellsOfRow(f, row).isEmpty()) << label << " row " << row;
            EXPECT_FALSE(f.Label2(row).Visible()) << row;
        }
        EXPECT_TRUE(f.Label2(2).Visible());
        f.Unload();
        destroyUnloadedWindows();
    }
}

TEST_F(Form15Test, ClassWithoutName_LeavesItsRowEmptyAndKeepsCellCodes)
{
    setCriteria(0, 0, 0);
    Race.ClassNames[2].clear();
    Race.ClassDesignations[16] = QStringLiteral("U12 alle");
    Form15 &f = openGrid();
    EXPECT_FALSE(f.Label2(1).Visible());
    EXPECT_FALSE(f.Label3(8).Visible());
    EXPECT_TRUE(f.Label3(16).Visible());
    clickWithMouse(f.Label3(16));
    EXPECT_EQ(f.Label5.Caption(), QStringLiteral("16"));
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("U12 alle"));
}

TEST_F(Form15Test, Designations_EmptyOnesGetTheirDefaults)
{
    Race.ClassDesignations[8] = QStringLiteral("Mädchen U10");
    Race.ClassDesignations[40] = QStringLiteral("stays as it is");   // class 6 has no name
    openGrid();
    EXPECT_EQ(Race.ClassDesignations[11], QStringLiteral("Kinder U10 männlich Gäste"));
    EXPECT_EQ(Race.ClassDesignations[10], QStringLiteral("Kinder U10 weiblich Gäste"));
    EXPECT_EQ(Race.ClassDesignations[9], QStringLiteral("Kinder U10 männlich"));
    EXPECT_EQ(Race.ClassDesignations[8], QStringLiteral("Mädchen U10"));
    // Boarders are not apart: their cells read like the others.
    EXPECT_EQ(Race.ClassDesignations[13], QStringLiteral("Kinder U10 männlich"));
    EXPECT_EQ(Race.ClassDesignations[0], QStringLiteral("Bambini weiblich"));
    EXPECT_EQ(Race.ClassDesignations[40], QStringLiteral("stays as it is"));
    EXPECT_EQ(Race.ClassDesignations[32], QString());
}

TEST_F(Form15Test, Clicks_NumberCellsInClickOrderAndEqualNumbersMerge)
{
    enter(1, 2020, 0);   // Bambini women: cell 0
    enter(2, 2020, 1);   // Bambini men: cell 1
    enter(3, 2017, 0);   // Kinder U10 women: cell 8
    Form15 &f = openGrid();
    const struct {
        int cell, number;
    } clicks[] = {{0, 1}, {1, 2}, {8, 3}, {0, 1}};   // a numbered cell keeps its number
    for (const auto &c : clicks) {
        clickWithMouse(f.Label3(c.cell));
        EXPECT_EQ(f.Label5.Caption(), QString::number(c.cell));
        EXPECT_EQ(f.Text2.Text(), QString::number(c.number));
        EXPECT_EQ(f.Label3(c.cell).Caption(), QString::number(c.number));
        EXPECT_EQ(StartOrder.ClassStartOrder[std::size_t(c.cell)], c.number);
        EXPECT_EQ(f.Label3(c.cell).ForeColor(), Green);
    }
    EXPECT_EQ(f.Label3(8).ForeColor(), colours::Black);
    EXPECT_EQ(f.Label3(2).Caption(), QStringLiteral("0"));

    clickWithMouse(f.Label3(8));
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("Kinder U10 weiblich"));
    typeNumber(f, QStringLiteral("1"));
    EXPECT_EQ(f.Label3(8).Caption(), QStringLiteral("1"));
    f.Command1.click();
    destroyUnloadedWindows();

    EXPECT_EQ(Race.ClassCellOrder[1][0][0][0], 1);
    EXPECT_EQ(Race.ClassCellOrder[1][1][0][0], 2);
    EXPECT_EQ(Race.ClassCellOrder[2][0][0][0], 1);
    // The next assignment puts the two women's cells into one block.
    AssignClasses();
    EXPECT_EQ(Race.SlotClassOrder[1], 1);
    EXPECT_EQ(Race.SlotClassOrder[2], 2);
    EXPECT_EQ(Race.SlotClassOrder[3], 1);
}

TEST_F(Form15Test, Click_GivesNoNumberPastTheHighest)
{
    Race.ClassCellOrder[3][0][0][0] = 999;
    Form15 &f = openGrid();
    resetBeepCount();
    clickWithMouse(f.Label3(0));
    EXPECT_EQ(StartOrder.ClassStartOrder[0], 0);
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("0"));
    EXPECT_EQ(f.Label3(0).Caption(), QStringLiteral("0"));
    EXPECT_EQ(beepCount(), 1);
}

TEST_F(Form15Test, TypedNumbers_OutsideZeroTo999AreRefusedInRed)
{
    Race.ClassCellOrder[1][1][0][0] = 4;
    Form15 &f = openGrid();
    clickWithMouse(f.Label3(1));
    for (const char *text : {"1000", "-1", "2,5", "2.5", "abc", "12abc", "70000"}) {
        typeNumber(f, QString::fromUtf8(text));
        EXPECT_EQ(f.Text2.BackColor(), Red) << text;
        EXPECT_EQ(StartOrder.ClassStartOrder[1], 4) << text;
        EXPECT_EQ(f.Label3(1).Caption(), QStringLiteral("4")) << text;
    }
    typeNumber(f, QStringLiteral("999"));
    EXPECT_NE(f.Text2.BackColor(), Red);
    EXPECT_EQ(StartOrder.ClassStartOrder[1], 999);
    EXPECT_EQ(f.Label3(1).Caption(), QStringLiteral("999"));
    typeNumber(f, QStringLiteral("1000"));
    // A refused number is not saved either.
    f.Command1.click();
    destroyUnloadedWindows();
    EXPECT_EQ(Race.ClassCellOrder[1][1][0][0], 999);
    EXPECT_EQ(lines(QStringLiteral("K 1.lst")).at(4), QStringLiteral(" 999 "));
}

TEST_F(Form15Test, Designation_TypedIsTrimmedAndKeptWhenTheNextCellIsClicked)
{
    Form15 &f = openGrid();
    clickWithMouse(f.Label3(9));
    f.Text1.SetFocus();
    f.Text1.setText(QStringLiteral("  Buben U10  "));
    // Straight on to the next cell: a label takes no focus.
    clickWithMouse(f.Label3(10));
    EXPECT_EQ(Race.ClassDesignations[9], QStringLiteral("Buben U10"));
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("Kinder U10 weiblich Gäste"));
    // The same for a number typed without "eintragen".
    f.Text2.SetFocus();
    f.Text2.setText(QStringLiteral("7"));
    clickWithMouse(f.Label3(11));
    EXPECT_EQ(StartOrder.ClassStartOrder[10], 7);
    EXPECT_EQ(f.Label3(10).Caption(), QStringLiteral("7"));
    EXPECT_EQ(StartOrder.ClassStartOrder[11], 8);
}

TEST_F(Form15Test, BeforeACellIsChosen_EditsChangeNothing)
{
    Form15 &f = openGrid();
    const auto designations = Race.ClassDesignations;
    f.Text1.SetFocus();
    f.Text1.setText(QStringLiteral("irgendwas"));
    typeNumber(f, QStringLiteral("5"));
    EXPECT_EQ(Race.ClassDesignations, designations);
    for (std::int16_t n : StartOrder.ClassStartOrder)
        EXPECT_EQ(n, 0);
    for (int i = 0; i < CellCount; ++i)
        EXPECT_EQ(f.Label3(i).Caption(), QStringLiteral("0"));
}

TEST_F(Form15Test, AllToZero_AsksFirstAndJaRebuildsTheDefaults)
{
    Race.ClassCellOrder[1][0][0][0] = 3;
    Race.ClassCellOrder[2][1][1][0] = 5;
    Race.ClassCellOrder[7][0][0][0] = 6;   // unnamed class
    Race.ClassDesignations[11] = QStringLiteral("Gastbuben");
    Form15 &f = openGrid();
    clickWithMouse(f.Label3(11));

    f.Command4.click();
    EXPECT_TRUE(f.Command5.Visible());
    EXPECT_TRUE(f.Command6.Visible());
    f.Command6.click();
    EXPECT_FALSE(f.Command5.Visible());
    EXPECT_FALSE(f.Command6.Visible());
    EXPECT_EQ(StartOrder.ClassStartOrder[11], 5);
    EXPECT_EQ(Race.ClassDesignations[11], QStringLiteral("Gastbuben"));

    f.Command4.click();
    f.Command5.click();
    EXPECT_FALSE(f.Command5.Visible());
    EXPECT_FALSE(f.Command6.Visible());
    for (int i = 0; i < CellCount; ++i) {
        EXPECT_EQ(StartOrder.ClassStartOrder[std::size_t(i)], 0) << i;
        EXPECT_EQ(f.Label3(i).Caption(), QStringLiteral("0")) << i;
    }
    EXPECT_EQ(Race.ClassDesignations[11], QStringLiteral("Kinder U10 männlich Gäste"));
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("Kinder U10 männlich Gäste"));
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("0"));
    f.Command1.click();
    destroyUnloadedWindows();
    EXPECT_EQ(Race.ClassCellOrder[1][0][0][0], 0);
    EXPECT_EQ(Race.ClassCellOrder[2][1][1][0], 0);
    EXPECT_EQ(Race.ClassCellOrder[7][0][0][0], 6);
}

TEST_F(Form15Test, Closing_SavesNumbersAndDesignationsInTheClassFile)
{
    Form4 &race = form<Form4>();   // the race window the grid goes back to
    race.Hide();
    setClasses();
    enter(1, 2017, 1);
    Form15 &f = openGrid();
    EXPECT_FALSE(race.Visible());
    clickWithMouse(f.Label3(2));    // Bambini female guests: 1
    clickWithMouse(f.Label3(9));    // Kinder U10 men: 2
    f.Text1.SetFocus();
    f.Text1.setText(QStringLiteral("Buben U10"));
    clickWithMouse(f.Label3(17));   // Kinder U12 men: 3
    typeNumber(f, QStringLiteral("2"));
    f.Command1.click();
    destroyUnloadedWindows();

    EXPECT_FALSE(isLoaded<Form15>());
    EXPECT_TRUE(race.Visible());
    const QStringList k = lines(QStringLiteral("K 1.lst"));
    ASSERT_EQ(k.size(), 20 * 11 + 160);
    EXPECT_EQ(k.mid(0, 11), (QStringList{"Bambini", " 2019 ", " 2026 ", " 0 ", " 0 ", " 1 ",
                                         " 0 ", " 0 ", " 0 ", " 0 ", " 0 "}));
    EXPECT_EQ(k.mid(11, 11), (QStringList{"Kinder U10", " 2017 ", " 2018 ", " 0 ", " 2 ",
                                          " 0 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 "}));
    EXPECT_EQ(k.mid(22 + 3, 8),
              (QStringList{" 0 ", " 2 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 "}));
    EXPECT_EQ(k.at(220 + 2), QStringLiteral("Bambini weiblich Gäste"));
    EXPECT_EQ(k.at(220 + 9), QStringLiteral("Buben U10"));
    EXPECT_EQ(k.at(220 + 17), QStringLiteral("Kinder U12 männlich"));
    EXPECT_EQ(k.at(220 + 24), QString());

    // Loaded again, the race has the new order.
    LoadRaceFiles();
    AssignClasses();
    EXPECT_EQ(Race.SlotClassOrder[1], 2);
    EXPECT_EQ(Race.ClassDesignations[9], QStringLiteral("Buben U10"));
}

TEST_F(Form15Test, LaterActivation_KeepsTheEdits)
{
    Race.ClassCellOrder[1][0][0][0] = 3;
    Form15 &f = openGrid();
    clickWithMouse(f.Label3(1));
    EXPECT_EQ(f.Label3(1).Caption(), QStringLiteral("4"));
    f.Form_Activate();
    EXPECT_EQ(StartOrder.ClassStartOrder[1], 4);
    EXPECT_EQ(f.Label3(1).Caption(), QStringLiteral("4"));
}

TEST_F(Form15Test, RaceWindowLauncher_ReloadsTheRaceAndAssignsClasses)
{
    enter(1, 2017, 1);   // Kinder U10, men: cell 9
    Race.ClassCellOrder[2][1][0][0] = 5;
    Race.ClassDesignations[9] = QStringLiteral("Buben U10");
    ASSERT_TRUE(WriteRaceFiles());
    InstallRaceWindows();
    Form4 &race = form<Form4>();
    ASSERT_TRUE(showAndActivate(race));
    race.Text1.setText(QStringLiteral("1"));
    // What is only in memory does not count: the launcher loads the files.
    Race.ClassCellOrder[2][1][0][0] = 42;
    Race.SlotClass[1] = 0;
    race.Command15.click();
    EXPECT_FALSE(race.Visible());
    ASSERT_TRUE(isLoaded<Form15>());
    Form15 &f = form<Form15>();
    EXPECT_TRUE(f.Visible());
    EXPECT_EQ(f.Label3(9).Caption(), QStringLiteral("5"));
    EXPECT_EQ(Race.SlotClass[1], 2);
    EXPECT_EQ(Race.SlotClassCell[1], 9);
    EXPECT_EQ(Race.SlotClassOrder[1], 5);
    clickWithMouse(f.Label3(9));
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("Buben U10"));
}

} // namespace
