// The team and group names window through its controls: number boxes that
// clamp, names stored with every keystroke, Enter walking through the
// numbers, the lists and the save on closing.
#include <QFile>
#include <QLineEdit>

#include "GuiTestHelpers.h"
#include "core/Form1.h"
#include "core/Form4.h"
#include "core/RaceFiles.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "race/Form11.h"
#include "race/RaceWindows.h"

namespace {

using Names = std::array<QString, NameCount + 1>;

// One half of the window: the team boxes or the group boxes.
struct Half {
    const char *what;
    TextBox Form11::*number;
    TextBox Form11::*name;
    ListBox Form11::*list;
    Names RaceState::*names;
};

const Half halves[] = {
    {"teams", &Form11::Text1, &Form11::Text2, &Form11::List1, &RaceState::TeamNames},
    {"groups", &Form11::Text4, &Form11::Text3, &Form11::List2, &RaceState::GroupNames},
};

class Form11Test : public WindowDataTest {
protected:
    void SetUp() override
    {
        WindowDataTest::SetUp();
        OpenRaceFile();
        OpenAthleteFile();
        Rec.RaceName = QStringLiteral("Vereinsmeisterschaft");
        Rec.RaceRecordNo = 1;
        WriteRaceHeader();
        Rec.RaceCount = 1;
        WriteSettingsFile();
        Race.ActiveRaceNo = 1;
    }

    QStringList fileLines(const QString &name)
    {
        QStringList out = QString::fromLatin1(readBytes(name)).split(QStringLiteral("\r\n"));
        if (!out.isEmpty() && out.last().isEmpty())
            out.removeLast();
        return out;
    }
};

TEST_F(Form11Test, Load_ListsTheNamedNumbersInOrder)
{
    Race.TeamNames[12] = QStringLiteral("Die Zwölfer");
    Race.TeamNames[2] = QStringLiteral("Team Zwei");
    Race.TeamNames[100] = QStringLiteral("Hundert");
    Race.GroupNames[5] = QStringLiteral("Eltern");
    Race.GroupNames[6] = QStringLiteral("   ");   // blanks only: not named

    Form11 &f = form<Form11>();
    EXPECT_EQ(f.Caption(), QStringLiteral("Mannschaftsliste / Gruppenliste"));
    EXPECT_EQ(f.Label1.Caption(), QStringLiteral("Vereinsmeisterschaft"));
    EXPECT_EQ(f.Label2.Caption(), QStringLiteral("Mannschaften"));
    EXPECT_EQ(f.Label3.Caption(), QStringLiteral("Gruppen"));
    EXPECT_EQ(f.Label5.Caption(), QStringLiteral("Mannschaft"));
    EXPECT_EQ(f.Label6.Caption(), QStringLiteral("Gruppe"));
    EXPECT_EQ(f.Command4.Caption(), QStringLiteral("fertig"));
    EXPECT_EQ(lines(f.List1), (QStringList{QStringLiteral(" 2 Team Zwei"),
                                           QStringLiteral(" 12 Die Zwölfer"),
                                           QStringLiteral(" 100 Hundert")}));
    EXPECT_EQ(lines(f.List2), QStringList{QStringLiteral(" 5 Eltern")});
    // No number chosen yet: the name boxes have nothing to edit.
    EXPECT_FALSE(f.Text2.Enabled());
    EXPECT_FALSE(f.Text3.Enabled());
}

TEST_F(Form11Test, NumberBox_ClampsAndShowsTheNameUnderTheNumber)
{
    const struct {
        const char *typed, *shown;
        int index;
    } cases[] = {
        {"0", "1", 1},       {"", "1", 1},      {"abc", "1", 1},  {"-4", "1", 1},
        {"250", "100", 100}, {"101", "100", 100}, {"7", "7", 7},  {" 7 ", "7", 7},
        {"2.6", "2.6", 3},   {"99.4", "99.4", 99},
    };
    for (const Half &h : halves) {
        Names &names = Race.*h.names;
        for (int i = 1; i <= NameCount; ++i)
            names[i] = QStringLiteral("Name %1").arg(i);
        Form11 &f = form<Form11>();
        for (const auto &c : cases) {
            (f.*h.number).setText(QStringLiteral("5"));
            (f.*h.number).setText(QString::fromUtf8(c.typed));
            EXPECT_EQ((f.*h.number).Text(), QString::fromUtf8(c.shown)) << h.what << c.typed;
            EXPECT_EQ((f.*h.name).Text(), QStringLiteral("Name %1").arg(c.index))
                << h.what << c.typed;
            EXPECT_TRUE((f.*h.name).Enabled());
        }
        f.Unload();
        destroyUnloadedWindows();
    }
}

TEST_F(Form11Test, NumberTypedKeyByKeyShowsOnlyNumbersThatExistAndEditsTheNameShown)
{
    for (const Half &h : halves) {
        SCOPED_TRACE(h.what);
        Names &names = Race.*h.names;
        for (int i = 1; i <= NameCount; ++i)
            names[i] = QStringLiteral("Name %1").arg(i);
        const Names before = names;
        Form11 &f = form<Form11>();
        ASSERT_TRUE(showAndActivate(f));
        const bool teams = h.number == &Form11::Text1;
        QLineEdit *box = lineEditNamed(f, teams ? "Text1" : "Text4");
        QLineEdit *nameBox = lineEditNamed(f, teams ? "Text2" : "Text3");
        const Form11::PickedNumber &picked = teams ? f.Team : f.Group;
        ASSERT_NE(box, nullptr);
        box->setFocus();

        // Letters are no number: the box keeps them, no name is chosen yet.
        QTest::keyClicks(box, QStringLiteral("abc"));
        EXPECT_EQ(box->text(), QStringLiteral("abc"));
        EXPECT_EQ(picked.shown, 0);
        EXPECT_FALSE(nameBox->isEnabled());
        QTest::keyClick(box, Qt::Key_Tab);
        EXPECT_EQ(box->text(), QStringLiteral("abc"));
        EXPECT_EQ(picked.shown, 0);

        box->setFocus();
        box->selectAll();
        const NumberKeyStep steps[] = {
            {"2", Qt::Key_unknown, "2", 2},
            {"5", Qt::Key_unknown, "25", 25},
            // 250 is no number of a name: 25 stays until Enter clamps it.
            {"0", Qt::Key_unknown, "250", 25},
            {nullptr, Qt::Key_Backspace, "25", 25},
            {nullptr, Qt::Key_Backspace, "2", 2},
            {nullptr, Qt::Key_Backspace, "", 2},
            {"-", Qt::Key_unknown, "-", 2},
            {"0", Qt::Key_unknown, "-0", 2},
        };
        for (const NumberKeyStep &step : steps) {
            SCOPED_TRACE(step.boxAfter);
            pressStep(box, step);
            EXPECT_EQ(box->text(), QString::fromUtf8(step.boxAfter));
            EXPECT_EQ(picked.shown, step.shownAfter);
            EXPECT_EQ(nameBox->text(), QStringLiteral("Name %1").arg(step.shownAfter));
        }
        // Enter clamps -0 to 1 and goes on to the name of 1.
        QTest::keyClick(box, Qt::Key_Return);
        EXPECT_EQ(box->text(), QStringLiteral("1"));
        EXPECT_EQ(picked.shown, 1);
        EXPECT_TRUE(nameBox->hasFocus());

        // Emptied and left, the box shows the number of the name on the
        // window again, and the name typed goes there.
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, QStringLiteral("7"));
        QTest::keyClick(box, Qt::Key_Backspace);
        nameBox->setFocus();
        EXPECT_EQ(box->text(), QStringLiteral("7"));
        QTest::keyClicks(nameBox, QStringLiteral("X"));
        EXPECT_EQ(names[7], QStringLiteral("Name 7X"));

        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, QStringLiteral("250"));
        QTest::keyClick(box, Qt::Key_Return);
        EXPECT_EQ(box->text(), QStringLiteral("100"));
        EXPECT_EQ(nameBox->text(), QStringLiteral("Name 100"));

        // Nothing but name 7 was edited.
        for (int i = 1; i <= NameCount; ++i) {
            if (i != 7) {
                EXPECT_EQ(names[i], before[i]) << i;
            }
        }
        f.Unload();
        destroyUnloadedWindows();
    }
}

TEST_F(Form11Test, TypingAndEnter_StoreEachNameAndWalkThroughTheNumbers)
{
    for (const Half &h : halves) {
        Names &names = Race.*h.names;
        names = Names{};
        names[4] = QStringLiteral("Vier");
        Form11 &f = form<Form11>();
        ASSERT_TRUE(showAndActivate(f));
        TextBox &number = f.*h.number;
        TextBox &name = f.*h.name;

        number.SetFocus();
        typeText(number, QStringLiteral("3"));
        pressKey(number, Qt::Key_Return);
        ASSERT_TRUE(name.hasFocus()) << h.what;
        typeText(name, QStringLiteral("SC "));
        // Every keystroke is stored, trimmed.
        EXPECT_EQ(names[3], QStringLiteral("SC")) << h.what;
        typeText(name, QStringLiteral("Berg"));
        EXPECT_EQ(names[3], QStringLiteral("SC Berg"));
        EXPECT_EQ(lines(f.*h.list), QStringList{QStringLiteral(" 4 Vier")});

        // Enter: the next number with its name, the focus back on the number;
        // leaving the name box lists the new name.
        pressKey(name, Qt::Key_Return);
        EXPECT_TRUE(number.hasFocus()) << h.what;
        EXPECT_EQ(number.Text(), QStringLiteral("4"));
        EXPECT_EQ(name.Text(), QStringLiteral("Vier"));
        EXPECT_EQ(lines(f.*h.list),
                  (QStringList{QStringLiteral(" 3 SC Berg"), QStringLiteral(" 4 Vier")}));

        // Emptying a name takes its line out when the name box is left.
        pressKey(number, Qt::Key_Return);
        name.setText(QString());
        EXPECT_EQ(names[4], QString());
        EXPECT_EQ((f.*h.list).ListCount(), 2);
        number.SetFocus();
        EXPECT_EQ(lines(f.*h.list), QStringList{QStringLiteral(" 3 SC Berg")});

        // At 100 Enter stays at 100.
        number.setText(QStringLiteral("100"));
        name.SetFocus();
        typeText(name, QStringLiteral("Letzte"));
        pressKey(name, Qt::Key_Return);
        EXPECT_EQ(number.Text(), QStringLiteral("100"));
        EXPECT_EQ(name.Text(), QStringLiteral("Letzte"));
        EXPECT_EQ(names[100], QStringLiteral("Letzte"));

        f.Unload();
        destroyUnloadedWindows();
    }
}

TEST_F(Form11Test, Closing_SavesTheNamesAlsoAboveNumberTwo)
{
    Form11 &f = form<Form11>();
    f.Text1.setText(QStringLiteral("3"));
    f.Text2.setText(QStringLiteral("Team Drei"));
    f.Text4.setText(QStringLiteral("77"));
    f.Text3.setText(QStringLiteral("Gäste"));
    f.Command4.click();
    destroyUnloadedWindows();
    EXPECT_FALSE(isLoaded<Form11>());
    ASSERT_TRUE(isLoaded<Form4>());
    EXPECT_TRUE(form<Form4>().Visible());

    // Names 1 and 2 are empty, yet nothing typed is lost.
    const QStringList m = fileLines(QStringLiteral("M 1.lst"));
    ASSERT_EQ(m.size(), 100);
    EXPECT_EQ(m[2], QStringLiteral("Team Drei"));
    EXPECT_EQ(fileLines(QStringLiteral("G 1.lst")).size(), 100);
    LoadRaceFiles();
    EXPECT_EQ(Race.TeamNames[3], QStringLiteral("Team Drei"));
    EXPECT_EQ(Race.GroupNames[77], QStringLiteral("Gäste"));
    EXPECT_EQ(fileLines(QStringLiteral("K 1.lst")).size(), 380);
}

TEST_F(Form11Test, RaceWindowLauncher_OpensTheWindowAndGetsBackOnClosing)
{
    Race.TeamNames[1] = QStringLiteral("Team Eins");
    ASSERT_TRUE(WriteRaceFiles());
    InstallRaceWindows();
    Form1 &main = form<Form1>();
    main.Show();
    main.Command3.click();
    Form4 &races = form<Form4>();
    ASSERT_TRUE(races.Visible());
    main.Show();
    races.Command10.click();
    ASSERT_TRUE(isLoaded<Form11>());
    Form11 &f = form<Form11>();
    EXPECT_TRUE(f.Visible());
    EXPECT_FALSE(races.Visible());
    EXPECT_FALSE(main.Visible());
    EXPECT_EQ(lines(f.List1), QStringList{QStringLiteral(" 1 Team Eins")});
    f.Command4.click();
    destroyUnloadedWindows();
    EXPECT_TRUE(races.Visible());
}

} // namespace
