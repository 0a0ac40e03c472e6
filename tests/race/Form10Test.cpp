#include <QDate>

#include "GuiTestHelpers.h"
#include "RaceBuilder.h"
#include "core/Form1.h"
#include "core/Form4.h"
#include "core/RaceFiles.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "core/StartUp.h"
#include "platform/Clock.h"
#include "race/ClassAssignment.h"
#include "race/Form10.h"
#include "race/RaceWindows.h"

namespace {

using Years = std::array<int, 2>;

class Form10Test : public WindowDataTest, protected RaceBuilder {
protected:
    void SetUp() override
    {
        WindowDataTest::SetUp();
        // Season offset 11: the standard table runs from Bambini 1
        // (2020-2026) down, one year per class from class 2 (2019) on.
        sysclock::setFixedNow(QDateTime(QDate(2026, 3, 10), QTime(10, 0)));
        ComputeSeasonYearOffset();
        LoadStandardClassTable();
        OpenAthleteFile();
        OpenRaceFile();
        writeRace(1, {.name = QStringLiteral("Vereinsmeisterschaft")});
        for (int k = 1; k <= ClassCount; ++k) {
            Race.ClassNames[k] = App.StandardClassNames[k];
            Race.ClassYears[k] = App.StandardClassYears[k];
        }
    }

    void enter(int slot, int year, int status1 = 0)
    {
        addEntry(addAthlete({.name = QStringLiteral("ATHLET %1").arg(slot),
                             .sex = 1,
                             .year = year,
                             .id = slot}),
                 {.slot = slot, .status1 = status1});
    }

    Form10 &open()
    {
        Form10 &f = form<Form10>();
        f.Show();
        return f;
    }

    void keepOnlyClasses(int count)
    {
        for (int k = count + 1; k <= ClassCount; ++k) {
            Race.ClassNames[k].clear();
            Race.ClassYears[k] = {0, 0};
        }
    }

    QStringList fileLines(const QString &name)
    {
        QStringList out = QString::fromLatin1(readBytes(name)).split(QStringLiteral("\r\n"));
        if (!out.isEmpty() && out.last().isEmpty())
            out.removeLast();
        return out;
    }
};

TEST_F(Form10Test, Open_ShowsItsControlsAndTheNormalisedList)
{
    enter(1, 2018);
    enter(2, 2018, 1);
    Race.ClassYears[1][1] = 2030;   // normalised on activation
    Form10 &f = open();
    EXPECT_EQ(f.Caption(), QStringLiteral("Klassen-Bildungs-Regeln"));
    EXPECT_EQ(f.Label3.Caption(), QStringLiteral("Vereinsmeisterschaft"));
    EXPECT_EQ(f.Label8.Caption(), QStringLiteral("Nummer"));
    EXPECT_EQ(f.Label9.Caption(), QStringLiteral("Klasse"));
    EXPECT_EQ(f.Label1.Caption(), QStringLiteral("von"));
    EXPECT_EQ(f.Label2.Caption(), QStringLiteral("bis"));
    EXPECT_EQ(f.Command7.Caption(), QStringLiteral("eintragen"));
    EXPECT_EQ(f.Command5.Caption(), QStringLiteral("löschen"));
    EXPECT_EQ(f.Command2.Caption(), QStringLiteral("20 - Klassen Standard laden"));
    EXPECT_EQ(f.Command3.Caption(), QStringLiteral("JA"));
    EXPECT_EQ(f.Command4.Caption(), QStringLiteral("nein !"));
    EXPECT_EQ(f.Command1.Caption(), QStringLiteral("fertig"));
    EXPECT_EQ(f.List1.Name(), QStringLiteral("List1"));
    EXPECT_FALSE(f.List1.Sorted());
    EXPECT_FALSE(f.Text6.Enabled());
    EXPECT_FALSE(f.Text1.Enabled());
    EXPECT_FALSE(f.Text2.Enabled());
    EXPECT_TRUE(f.Text5.Enabled());
    EXPECT_FALSE(f.Command3.Visible());
    EXPECT_FALSE(f.Command4.Visible());
    EXPECT_TRUE(f.Command2.Visible());

    EXPECT_EQ(Race.ClassYears[1], (Years{2020, 2026}));
    ASSERT_EQ(f.List1.ListCount(), 20);
    EXPECT_EQ(f.List1.List(0), QStringLiteral(" 1 Bambini 1             2020 - 2026  (0/0)"));
    EXPECT_EQ(f.List1.List(2), QStringLiteral(" 3 Kinder U8             2018 - 2018  (1/2)"));
    EXPECT_EQ(f.List1.List(19), QStringLiteral("20 AK 6                  1900 - 1945  (0/0)"));
    EXPECT_EQ(Race.SlotClass[1], 3);
    // Nothing is written before the window closes.
    EXPECT_TRUE(readBytes(QStringLiteral("K 1.lst")).isEmpty());
}

TEST_F(Form10Test, ListFont_IsTheMonospacedFace)
{
    Form10 &f = form<Form10>();
    EXPECT_EQ(f.List1.FontName(), QStringLiteral("Monospac821 BT"));
}

TEST_F(Form10Test, LineClick_ChoosesTheClassOfTheLineAndChangesNothing)
{
    Form10 &f = open();
    const auto names = Race.ClassNames;
    const auto years = Race.ClassYears;
    struct Case {
        int line;
        const char *number;
        const char *name;
    };
    const Case cases[] = {{2, "3", "Kinder U8"}, {16, "17", "AK 3"}, {19, "20", "AK 6"},
                          {0, "1", "Bambini 1"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.line);
        f.List1.setListIndex(c.line);
        EXPECT_EQ(f.Text5.Text(), QString::fromLatin1(c.number));
        EXPECT_EQ(f.Text6.Text(), QString::fromUtf8(c.name));
        const int k = QString::fromLatin1(c.number).toInt();
        EXPECT_EQ(f.Text1.Text(), QString::number(Race.ClassYears[k][0]));
        EXPECT_EQ(f.Text2.Text(), QString::number(Race.ClassYears[k][1]));
        EXPECT_TRUE(f.Text6.Enabled());
        EXPECT_TRUE(f.Text1.Enabled());
        EXPECT_TRUE(f.Text2.Enabled());
    }
    EXPECT_EQ(Race.ClassNames, names);
    EXPECT_EQ(Race.ClassYears, years);
}

TEST_F(Form10Test, LineClick_WithAnUnnamedClassBetween_FollowsTheLinesNumber)
{
    Race.ClassNames[2].clear();
    Form10 &f = open();
    ASSERT_EQ(f.List1.ListCount(), 19);
    f.List1.setListIndex(1);
    EXPECT_EQ(f.Text5.Text(), QStringLiteral("3"));
    EXPECT_EQ(f.Text6.Text(), QStringLiteral("Kinder U8"));
}

TEST_F(Form10Test, NumberField_IsHeldToTheClassesAndShowsThatClass)
{
    Form10 &f = open();
    const auto names = Race.ClassNames;
    const auto years = Race.ClassYears;
    struct Case {
        const char *typed;
        const char *shown;
        int k;
    };
    const Case cases[] = {{"4", "4", 4},     {"0", "1", 1},    {"-5", "1", 1},
                          {"abc", "1", 1},   {" 12x", "12", 12}, {"2.6", "3", 3},
                          {"17", "17", 17},  {"25", "20", 20}, {"99999999999", "20", 20}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        f.Text5.setText(QStringLiteral("9"));
        f.Text5.setText(QString::fromLatin1(c.typed));
        EXPECT_EQ(f.Text5.Text(), QString::fromLatin1(c.shown));
        EXPECT_EQ(f.Text6.Text(), Race.ClassNames[c.k]);
        EXPECT_EQ(f.Text1.Text(), QString::number(Race.ClassYears[c.k][0]));
        EXPECT_EQ(f.Text2.Text(), QString::number(Race.ClassYears[c.k][1]));
        EXPECT_TRUE(f.Text6.Enabled());
    }
    // Only the name box opens; the years wait for a line to be chosen.
    EXPECT_FALSE(f.Text1.Enabled());
    EXPECT_EQ(Race.ClassNames, names);
    EXPECT_EQ(Race.ClassYears, years);
}

TEST_F(Form10Test, EditingNameAndFirstYear_NormalisesTheChain)
{
    enter(1, 2015);
    Form10 &f = open();
    f.List1.setListIndex(2);
    f.Text6.SetFocus();
    f.Text6.setText(QStringLiteral("  Minis  "));
    EXPECT_EQ(Race.ClassNames[3], QStringLiteral("Minis"));   // every keystroke
    f.Text1.SetFocus();
    EXPECT_EQ(f.List1.List(2), QStringLiteral(" 3 Minis                 2018 - 2018  (0/0)"));

    f.Text1.setText(QStringLiteral("2014"));
    f.Text2.SetFocus();
    EXPECT_EQ(Race.ClassYears[3], (Years{2014, 2018}));
    // The whole chain follows at once: each older one-year class moves down
    // a year, none is left beginning after its end.
    EXPECT_EQ(Race.ClassYears[4], (Years{2013, 2013}));
    EXPECT_EQ(Race.ClassYears[5], (Years{2012, 2012}));
    EXPECT_EQ(Race.ClassYears[6], (Years{2011, 2011}));
    for (int k = 1; k <= ClassCount; ++k)
        EXPECT_LE(Race.ClassYears[k][0], Race.ClassYears[k][1]) << k;
    EXPECT_EQ(f.List1.List(2), QStringLiteral(" 3 Minis                 2014 - 2018  (1/1)"));
    EXPECT_EQ(Race.SlotClass[1], 3);
    // Normalising again changes nothing.
    const auto settled = Race.ClassYears;
    f.List1.SetFocus();
    f.Command7.click();
    EXPECT_EQ(Race.ClassYears, settled);
}

TEST_F(Form10Test, OpenedAndClosed_SavesASettledChain)
{
    // One pass of the repair would leave class 3 at 2018-2014 and class 4 at
    // 1900-2017, placing a child born 2016 in the oldest class.
    keepOnlyClasses(4);
    Race.ClassNames[1] = QStringLiteral("K1");
    Race.ClassNames[2] = QStringLiteral("K2");
    Race.ClassNames[3] = QStringLiteral("K3");
    Race.ClassNames[4] = QStringLiteral("K4");
    Race.ClassYears[1] = {2020, 2026};
    Race.ClassYears[2] = {2015, 2019};
    Race.ClassYears[3] = {2018, 2018};
    Race.ClassYears[4] = {1900, 2000};
    enter(1, 2016);
    Form10 &f = open();
    f.Command1.click();
    destroyUnloadedWindows();

    EXPECT_EQ(Race.ClassYears[3], (Years{2014, 2014}));
    EXPECT_EQ(Race.ClassYears[4], (Years{1900, 2013}));
    EXPECT_EQ(Race.SlotClass[1], 2);
    const QStringList k = fileLines(QStringLiteral("K 1.lst"));
    ASSERT_EQ(k.size(), 380);
    const QString saved[][3] = {{"K1", " 2020 ", " 2026 "},
                                {"K2", " 2015 ", " 2019 "},
                                {"K3", " 2014 ", " 2014 "},
                                {"K4", " 1900 ", " 2013 "}};
    for (int c = 0; c < 4; ++c)
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(k[c * 11 + i], saved[c][i]) << c << " " << i;
    const QStringList r = fileLines(QStringLiteral("R 1.dat"));
    ASSERT_EQ(r.size(), 23);   // one entry
    EXPECT_EQ(r[2], QStringLiteral(" 2 "));
}

TEST_F(Form10Test, UnsetStartOrder_NumberedOnClosingUnderTheFinalNames)
{
    Rec.EvalByClass = 1;
    keepOnlyClasses(2);
    Form10 &f = open();
    // While classes are being named nothing is numbered or designated yet.
    EXPECT_EQ(Race.ClassCellOrder[1][0][0][0], 0);
    EXPECT_EQ(Race.ClassDesignations[0], QString());
    f.List1.setListIndex(0);
    f.Text6.SetFocus();
    f.Text6.setText(QStringLiteral("Zwerge"));
    f.Text1.SetFocus();
    EXPECT_EQ(Race.ClassCellOrder[1][0][0][0], 0);
    f.Command1.click();
    destroyUnloadedWindows();

    EXPECT_EQ(Race.ClassCellOrder[1][0][0][0], 1);
    EXPECT_EQ(Race.ClassCellOrder[2][0][0][0], 2);
    EXPECT_EQ(Race.ClassDesignations[0], QStringLiteral("Zwerge"));
    const QStringList k = fileLines(QStringLiteral("K 1.lst"));
    ASSERT_EQ(k.size(), 380);
    EXPECT_EQ(k[3], QStringLiteral(" 1 "));
    EXPECT_EQ(k[11 + 3], QStringLiteral(" 2 "));
    EXPECT_EQ(k[220], QStringLiteral("Zwerge"));
}

TEST_F(Form10Test, Years_AreHeldTo1900AndTheCurrentYear)
{
    Form10 &f = open();
    struct Case {
        const char *typed;
        const char *shown;
    };
    const Case cases[] = {{"1850", "1900"}, {"2100", "2026"}, {"", "1900"},
                          {"2010,7", "2010"}, {"2010.7", "2011"}, {"1e9", "2026"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        f.List1.setListIndex(19);
        f.Text2.SetFocus();
        f.Text2.setText(QString::fromLatin1(c.typed));
        f.Text1.SetFocus();
        EXPECT_EQ(f.Text2.Text(), QString::fromLatin1(c.shown));
    }
}

TEST_F(Form10Test, FirstYearAfterTheLastYear_BecomesTheLastYear)
{
    // A class of several years, so that the result differs from what the
    // class held: a first year that was ignored would leave 2020-2026.
    Form10 &f = open();
    ASSERT_EQ(Race.ClassYears[1], (Years{2020, 2026}));
    f.List1.setListIndex(0);
    f.Text1.SetFocus();
    f.Text1.setText(QStringLiteral("2030"));
    f.Text2.SetFocus();
    EXPECT_EQ(Race.ClassYears[1], (Years{2026, 2026}));
}

TEST_F(Form10Test, EditingClassSeventeen_ChangesOnlyThatClass)
{
    Form10 &f = open();
    f.List1.setListIndex(16);
    f.Text6.SetFocus();
    f.Text6.setText(QStringLiteral("Senioren"));
    f.Text1.SetFocus();
    EXPECT_EQ(Race.ClassNames[17], QStringLiteral("Senioren"));
    EXPECT_EQ(Race.ClassNames[16], App.StandardClassNames[16]);
    EXPECT_EQ(f.List1.List(16).left(12), QStringLiteral("17 Senioren "));
}

TEST_F(Form10Test, EnterMovesThroughNumberNameAndYears)
{
    Form10 &f = form<Form10>();
    ASSERT_TRUE(showAndActivate(f));
    f.List1.setListIndex(3);
    f.Text5.SetFocus();
    pressKey(f.Text5, Qt::Key_Return);
    EXPECT_TRUE(f.Text6.hasFocus());
    pressKey(f.Text6, Qt::Key_Return);
    EXPECT_TRUE(f.Text1.hasFocus());
    pressKey(f.Text1, Qt::Key_Return);
    EXPECT_TRUE(f.Text2.hasFocus());
}

TEST_F(Form10Test, DeletingClassThreeOfTen_MovesTheOlderClassesUp)
{
    keepOnlyClasses(10);
    Race.ClassCellOrder[3][1][0][0] = 7;
    Race.ClassDesignations[17] = QStringLiteral("Kinder U8 männlich");
    const auto names = Race.ClassNames;
    const auto years = Race.ClassYears;
    Form10 &f = open();
    ASSERT_EQ(f.List1.ListCount(), 10);
    EXPECT_EQ(Race.ClassYears[10][0], 1900);

    f.List1.setListIndex(2);
    f.Command5.click();
    ASSERT_EQ(f.List1.ListCount(), 9);
    for (int k = 3; k <= 9; ++k)
        EXPECT_EQ(Race.ClassNames[k], names[k + 1]) << k;
    EXPECT_EQ(Race.ClassNames[10], QString());
    EXPECT_EQ(Race.ClassYears[10], (Years{0, 0}));
    // The chain closes over the removed class: the older class now ends one
    // year before class 2 begins.
    EXPECT_EQ(Race.ClassYears[3], (Years{years[4][0], years[2][0] - 1}));
    EXPECT_EQ(Race.ClassYears[9][0], 1900);
    EXPECT_EQ(f.List1.List(2).left(13), QStringLiteral(" 3 Kinder U9 "));
    EXPECT_EQ(f.List1.List(8).left(2), QStringLiteral(" 9"));
    EXPECT_FALSE(f.Text6.Enabled());
    EXPECT_FALSE(f.Text1.Enabled());
    EXPECT_FALSE(f.Text2.Enabled());
    // Start-order numbers and designations stay with their class numbers.
    EXPECT_EQ(Race.ClassCellOrder[3][1][0][0], 7);
    EXPECT_EQ(Race.ClassDesignations[17], QStringLiteral("Kinder U8 männlich"));
}

TEST_F(Form10Test, DeleteWithoutAChosenLine_DoesNothing)
{
    Form10 &f = open();
    const auto names = Race.ClassNames;
    f.Command5.click();
    EXPECT_EQ(Race.ClassNames, names);
    EXPECT_EQ(f.List1.ListCount(), 20);
}

TEST_F(Form10Test, StandardTable_LoadsOncePerOpening)
{
    keepOnlyClasses(2);
    Race.ClassNames[1] = QStringLiteral("Jung");
    Race.ClassNames[2] = QStringLiteral("Alt");
    Race.ClassCellOrder[5][0][0][0] = 3;
    Race.ClassDesignations[0] = QStringLiteral("eigene");
    Form10 &f = open();
    ASSERT_EQ(f.List1.ListCount(), 2);

    f.Command2.click();
    EXPECT_TRUE(f.Command3.Visible());
    EXPECT_TRUE(f.Command4.Visible());
    f.Command4.click();
    EXPECT_FALSE(f.Command3.Visible());
    EXPECT_FALSE(f.Command4.Visible());
    EXPECT_EQ(Race.ClassNames[1], QStringLiteral("Jung"));

    f.Command2.click();
    f.Command3.click();
    EXPECT_EQ(Race.ClassNames, App.StandardClassNames);
    EXPECT_EQ(Race.ClassYears[1], (Years{2020, 2026}));
    EXPECT_EQ(Race.ClassYears[20], (Years{1900, 1945}));
    EXPECT_EQ(f.List1.ListCount(), 20);
    EXPECT_FALSE(f.Command2.Visible());
    EXPECT_FALSE(f.Command3.Visible());
    EXPECT_FALSE(f.Command4.Visible());
    EXPECT_EQ(Race.ClassCellOrder[5][0][0][0], 3);
    EXPECT_EQ(Race.ClassDesignations[0], QStringLiteral("eigene"));

    f.Command1.click();
    destroyUnloadedWindows();
    ASSERT_FALSE(isLoaded<Form10>());
    EXPECT_TRUE(open().Command2.Visible());
}

TEST_F(Form10Test, Closing_AssignsAndSavesTheRaceAndShowsTheRaceWindow)
{
    enter(1, 2018);
    enter(2, 2019);
    Race.ClassCellOrder[3][0][0][0] = 4;
    Form10 &f = open();
    f.List1.setListIndex(2);
    f.Text6.SetFocus();
    f.Text6.setText(QStringLiteral("Minis"));
    f.Move(1500, 900);
    // The name box still has the focus: closing commits it.
    f.Command1.click();
    destroyUnloadedWindows();
    EXPECT_FALSE(isLoaded<Form10>());
    ASSERT_TRUE(isLoaded<Form4>());
    EXPECT_TRUE(form<Form4>().Visible());
    EXPECT_EQ(App.WindowLeft[10], 1500);
    EXPECT_EQ(App.WindowTop[10], 900);

    const QStringList k = fileLines(QStringLiteral("K 1.lst"));
    ASSERT_EQ(k.size(), 380);
    EXPECT_EQ(k[0], QStringLiteral("Bambini 1"));
    EXPECT_EQ(k[1], QStringLiteral(" 2020 "));
    EXPECT_EQ(k[2], QStringLiteral(" 2026 "));
    EXPECT_EQ(k[22], QStringLiteral("Minis"));
    EXPECT_EQ(k[23], QStringLiteral(" 2018 "));
    EXPECT_EQ(k[24], QStringLiteral(" 2018 "));
    EXPECT_EQ(k[25], QStringLiteral(" 4 "));
    EXPECT_EQ(k[19 * 11], QStringLiteral("AK 6"));
    EXPECT_EQ(k[19 * 11 + 1], QStringLiteral(" 1900 "));

    const QStringList r = fileLines(QStringLiteral("R 1.dat"));
    ASSERT_EQ(r.size(), 46);
    EXPECT_EQ(r[2], QStringLiteral(" 3 "));
    EXPECT_EQ(r[15], QStringLiteral(" 16 "));
    EXPECT_EQ(r[23 + 2], QStringLiteral(" 2 "));
    EXPECT_EQ(r[23 + 15], QStringLiteral(" 8 "));
}

TEST_F(Form10Test, RaceWindowLauncher_OpensTheWindowAndGetsBackOnClosing)
{
    WriteSettingsFile();
    InstallRaceWindows();
    Form1 &main = form<Form1>();
    main.Show();
    main.Command3.click();
    Form4 &races = form<Form4>();
    ASSERT_TRUE(races.Visible());
    ASSERT_EQ(races.Text2.Text(), QStringLiteral("Vereinsmeisterschaft"));
    main.Show();
    races.Command13.click();
    ASSERT_TRUE(isLoaded<Form10>());
    Form10 &f = form<Form10>();
    EXPECT_TRUE(f.Visible());
    EXPECT_FALSE(races.Visible());
    EXPECT_FALSE(main.Visible());
    // The race without a class file starts from the standard table.
    EXPECT_EQ(f.List1.ListCount(), 20);
    f.Command1.click();
    destroyUnloadedWindows();
    EXPECT_TRUE(races.Visible());
    EXPECT_EQ(fileLines(QStringLiteral("K 1.lst")).size(), 380);
}

} // namespace
