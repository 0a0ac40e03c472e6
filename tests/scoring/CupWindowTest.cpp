// The cup window and its settings file: the race list and its marks, the
// points editor, Cup.dat read and written, and the race brought back when
// the window closes.
#include <QFile>

#include "CupFixture.h"
#include "FileFaults.h"
#include "platform/Beep.h"
#include "platform/Cp1252.h"
#include "platform/RecordingPrinter.h"
#include "platform/Strings.h"
#include "scoring/ScoringWindows.h"

namespace {

class CupWindowTest : public CupTest {
protected:
    void SetUp() override
    {
        CupTest::SetUp();
        const int a = addAthlete(QStringLiteral("HUBER Anna"));
        for (int n = 1; n <= 6; ++n)
            addRace(n, QStringLiteral("Rennen %1").arg(n), {{a, 40.0 + n}});
    }

    // The points lines as Cup.dat writes them: places 1..9 as given, the
    // rest 0.
    static QStringList pointLines(std::vector<int> points)
    {
        points.resize(CupPlaces, 0);
        QStringList out;
        for (int p : points)
            out << QStringLiteral(" %1 ").arg(p);
        return out;
    }
};

const std::vector<int> DefaultPoints = {20, 15, 10, 8, 5, 4, 3, 2, 1};

} // namespace

TEST_F(CupWindowTest, OpensWithDefaultsWhenThereIsNoCupFile)
{
    Form20 &f = openCup();
    EXPECT_EQ(f.Text4.Text(), QStringLiteral("Vereinscup"));
    EXPECT_EQ(f.Text3.Text(), QStringLiteral("1"));
    EXPECT_EQ(f.Label8.Caption(), QStringLiteral("..."));
    EXPECT_FALSE(f.Command1.Enabled());
    EXPECT_FALSE(f.Command2.Enabled());
    EXPECT_FALSE(f.Text2.Enabled());
    EXPECT_EQ(f.List1.SelCount(), 0);
    // The race window's list, highest race first.
    ASSERT_EQ(f.List1.ListCount(), 6);
    EXPECT_EQ(f.List1.List(0), QStringLiteral(" 6    Rennen 6"));
    EXPECT_EQ(f.List1.List(5), QStringLiteral(" 1    Rennen 1"));
    EXPECT_EQ(lines(f.List2),
              QStringList({"Platz 1:  20 P.", "Platz 2:  15 P.", "Platz 3:  10 P.", "Platz 4:  8 P.",
                           "Platz 5:  5 P.", "Platz 6:  4 P.", "Platz 7:  3 P.", "Platz 8:  2 P.",
                           "Platz 9:  1 P."}));
}

TEST_F(CupWindowTest, ClosingWithoutMarkedRacesWritesTheTitleAndTheHundredPlaces)
{
    Form20 &f = openCup();
    f.Text4.setText(QStringLiteral("  Bezirkscup Süd  "));
    f.Unload();
    const QByteArray bytes = readBytes(QStringLiteral("Cup.dat"));
    EXPECT_EQ(bytes, crlfLines(QStringList{QStringLiteral("Bezirkscup Süd")} + pointLines(DefaultPoints)));
    EXPECT_EQ(bytes.count("\r\n"), 101);
}

TEST_F(CupWindowTest, MarksTheRacesOfTheFileWhateverTheirOrder)
{
    std::vector<int> points = DefaultPoints;
    points.resize(CupPlaces, 0);
    points[11] = 7;   // place 12
    writeBytes(QStringLiteral("Cup.dat"),
               crlfLines(QStringList{QStringLiteral("Talcup")} + pointLines(points)
                         + QStringList{" 3 ", " 5 ", " 17 "}));
    Form20 &f = openCup();
    EXPECT_EQ(f.Text4.Text(), QStringLiteral("Talcup"));
    for (int k = 0; k < f.List1.ListCount(); ++k) {
        const int race = RaceNoOfListLine(f.List1.List(k));
        EXPECT_EQ(f.List1.Selected(k), race == 3 || race == 5) << race;
    }
    // Marked races can be evaluated at once, but nothing printed yet.
    EXPECT_TRUE(f.Command1.Enabled());
    EXPECT_FALSE(f.Command2.Enabled());
    EXPECT_EQ(Cup.PointsTable[12], 7);
    EXPECT_EQ(f.List2.List(9), QStringLiteral("Platz 12:  7 P."));

    // Race 17 matches no line and is gone from the file at the next close,
    // the others are written highest first.
    f.Unload();
    const QStringList written = cp1252::decode(readBytes(QStringLiteral("Cup.dat"))).split(QStringLiteral("\r\n"));
    EXPECT_EQ(written.mid(101), QStringList({" 5 ", " 3 ", ""}));
}

TEST_F(CupWindowTest, ShortAndEmptyCupFilesKeepWhatTheyDoNotHold)
{
    struct Case {
        const char *name;
        QByteArray bytes;
        QString title;
        std::vector<int> points;   // places 1..10
    } cases[] = {
        {"empty file", QByteArray(), QStringLiteral("Vereinscup"), {20, 15, 10, 8, 5, 4, 3, 2, 1, 0}},
        {"title only", "Nordcup", QStringLiteral("Nordcup"), {20, 15, 10, 8, 5, 4, 3, 2, 1, 0}},
        {"three places", "Nordcup\r\n 30 \r\n 25\n-2 \r\n", QStringLiteral("Nordcup"),
         {30, 25, -2, 8, 5, 4, 3, 2, 1, 0}},
        {"out of range", "X\r\n 99999 \r\nabc\r\n", QStringLiteral("X"),
         {32767, 0, 10, 8, 5, 4, 3, 2, 1, 0}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        resetAllSharedState();
        SetStatusNames();
        Rec.AthleteCount = 1;
        Rec.RaceCount = 6;
        writeBytes(QStringLiteral("Cup.dat"), c.bytes);
        Form20 &f = openCup();
        EXPECT_EQ(f.Text4.Text(), c.title);
        for (int place = 1; place <= 10; ++place)
            EXPECT_EQ(Cup.PointsTable[place], c.points[place - 1]) << place;
        EXPECT_EQ(f.List1.SelCount(), 0);
        unloadAllForms();
        destroyUnloadedWindows();
    }
}

TEST_F(CupWindowTest, PlaceFieldIsClampedAndTrimmed)
{
    Form20 &f = openCup();
    const struct {
        const char *typed;
        const char *shown;
    } cases[] = {{"0", "1"}, {"150", "100"}, {"", "1"}, {"  12 ", "12"}, {"-3", "1"},
                 {"abc", "1"}, {"7,5", "7"}, {"99.6", "100"}};
    for (const auto &c : cases) {
        f.Text1.setText(QString::fromUtf8(c.typed));
        EXPECT_EQ(f.Text1.Text(), QString::fromUtf8(c.shown)) << c.typed;
    }
    // The points field shows the place's points, or nothing for 0.
    EXPECT_TRUE(f.Text2.Enabled());
    f.Text1.setText(QStringLiteral("2"));
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("15"));
    f.Text1.setText(QStringLiteral("10"));
    EXPECT_EQ(f.Text2.Text(), QString());
    EXPECT_EQ(Cup.PointsTable[10], 0);
}

TEST_F(CupWindowTest, EnterWalksThePlacesAndStopsAt100)
{
    Form20 &f = openCup();
    ASSERT_TRUE(showAndActivate(f));
    f.Text1.SetFocus();
    typeText(f.Text1, QStringLiteral("99"));
    pressKey(f.Text1, Qt::Key_Return);
    EXPECT_TRUE(f.Text2.hasFocus());
    typeText(f.Text2, QStringLiteral("6"));
    pressKey(f.Text2, Qt::Key_Return);
    EXPECT_TRUE(f.Text1.hasFocus());
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("100"));
    EXPECT_EQ(Cup.PointsTable[99], 6);

    f.Text2.SetFocus();
    pressKey(f.Text2, Qt::Key_Return);
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("100"));

    // Enter from place 2 goes on to place 3 and shows its points.
    f.Text1.setText(QStringLiteral("2"));
    f.Text2.SetFocus();
    pressKey(f.Text2, Qt::Key_Return);
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("3"));
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("10"));
}

TEST_F(CupWindowTest, PointsEditedShowInThePointsListWhenTheFieldIsLeft)
{
    Form20 &f = openCup();
    ASSERT_TRUE(showAndActivate(f));
    f.Text1.SetFocus();
    typeText(f.Text1, QStringLiteral("12"));
    f.Text2.SetFocus();
    typeText(f.Text2, QStringLiteral("7"));
    EXPECT_EQ(Cup.PointsTable[12], 7);
    EXPECT_EQ(f.List2.ListCount(), 9);   // not yet: the field still has the focus
    f.Text3.SetFocus();
    EXPECT_EQ(lines(f.List2).last(), QStringLiteral("Platz 12:  7 P."));

    // Back to 0 removes the line; negative points are listed after an edit.
    f.Text1.setText(QStringLiteral("12"));
    f.Text2.setText(QStringLiteral("0"));
    f.Text1.setText(QStringLiteral("9"));
    f.Text2.setText(QStringLiteral(" -4 "));
    f.Text2.SetFocus();
    f.Text3.SetFocus();
    EXPECT_EQ(f.List2.ListCount(), 9);
    EXPECT_EQ(f.List2.List(8), QStringLiteral("Platz 9: -4 P."));
    EXPECT_FALSE(lines(f.List2).contains(QStringLiteral("Platz 12:  7 P.")));

    // A number beyond the range of points is held at the limit.
    f.Text2.setText(QStringLiteral("70000"));
    EXPECT_EQ(Cup.PointsTable[9], 32767);
}

TEST_F(CupWindowTest, ClicksInTheRaceListAndEditsGateTheButtons)
{
    Form20 &f = openCup();
    f.List1.setSelected(0, true);
    EXPECT_TRUE(f.Command1.Enabled());
    f.List1.setSelected(1, true);
    EXPECT_TRUE(f.Command1.Enabled());
    f.List1.setSelected(0, false);
    f.List1.setSelected(1, false);
    EXPECT_FALSE(f.Command1.Enabled());

    // Each of these takes back the printout of an evaluation.
    f.List1.setSelected(2, true);
    const std::function<void()> edits[] = {
        [&] { f.List1.setSelected(3, true); },
        [&] { f.Text1.setText(QStringLiteral("4")); },
        [&] { f.Text2.setText(QStringLiteral("9")); },
        [&] { clickWithMouse(f.Text3); },
    };
    for (const auto &edit : edits) {
        f.Command1.click();
        ASSERT_TRUE(f.Command2.Enabled());
        edit();
        EXPECT_FALSE(f.Command2.Enabled());
    }
    // The title and the separate-pages box do not.
    f.Command1.click();
    f.Text4.setText(QStringLiteral("Neu"));
    f.Check1.setValue(1);
    EXPECT_TRUE(f.Command2.Enabled());
}

TEST_F(CupWindowTest, ADropCountTypedAfterTheEvaluationTakesBackThePrintout)
{
    RecordingPrinter &rec = useRecordingPrinter();
    Form20 &f = openCup();
    ASSERT_TRUE(showAndActivate(f));
    mark(f, {1, 2, 3});
    // Reaching the field by keyboard, not by a click into it.
    const struct {
        const char *name;
        std::function<void()> keys;
        const char *shown;
    } edits[] = {
        {"a digit typed",
         [&] {
             pressKey(f.Text3, Qt::Key_End);
             typeText(f.Text3, QStringLiteral("2"));
         },
         "12"},
        {"backspace",
         [&] {
             pressKey(f.Text3, Qt::Key_End);
             pressKey(f.Text3, Qt::Key_Backspace);
         },
         ""},
        {"all replaced",
         [&] {
             pressKey(f.Text3, Qt::Key_A, Qt::ControlModifier);
             typeText(f.Text3, QStringLiteral("0"));
         },
         "0"},
    };
    for (const auto &edit : edits) {
        SCOPED_TRACE(edit.name);
        f.Text3.setText(QStringLiteral("1"));
        f.Command1.click();
        ASSERT_TRUE(f.Command2.Enabled());
        f.List2.SetFocus();
        pressKey(f.List2, Qt::Key_Tab);
        ASSERT_TRUE(f.Text3.hasFocus());
        edit.keys();
        EXPECT_EQ(f.Text3.Text(), QString::fromUtf8(edit.shown));
        EXPECT_FALSE(f.Command2.Enabled());
        // "drucken" prints nothing with the drop results of the last run.
        f.Command2.click();
        EXPECT_EQ(rec.jobCount(), 0);
    }
    // The next evaluation takes the count typed and may be printed.
    f.Command1.click();
    EXPECT_TRUE(f.Command2.Enabled());
    EXPECT_EQ(CupTable.CupDropped[1][1] + CupTable.CupDropped[1][2] + CupTable.CupDropped[1][3], 0);
    f.Command2.click();
    EXPECT_EQ(rec.jobCount(), 1);
    EXPECT_EQ(rec.findText(QStringLiteral("X")), nullptr);
}

TEST_F(CupWindowTest, RaceNumbersAreReadWholeFromListLines)
{
    const struct {
        const char *line;
        int race;
    } cases[] = {{" 7    Sieben", 7},
                 {" 1234    Vierstellig", 1234},
                 {" 98765    Fünfstellig", 98765},
                 {" 12    2. Lauf 3000", 12},
                 {"", 0}};
    for (const auto &c : cases)
        EXPECT_EQ(RaceNoOfListLine(QString::fromUtf8(c.line)), c.race) << c.line;
}

TEST_F(CupWindowTest, ClosingBringsBackTheRaceThatWasCurrent)
{
    Form20 &f = openCup(4);
    mark(f, {2, 3});
    f.Command1.click();
    // The evaluation left another race in memory.
    ASSERT_NE(Race.ActiveRaceNo, 4);
    f.Command3.click();
    destroyUnloadedWindows();
    EXPECT_FALSE(isLoaded<Form20>());
    EXPECT_EQ(Race.ActiveRaceNo, 4);
    EXPECT_EQ(Rec.RaceRecordNo, 4);
    EXPECT_EQ(Rec.RaceName, QStringLiteral("Rennen 4"));
    EXPECT_DOUBLE_EQ(Race.SlotTime1[1], 44.0);
    EXPECT_TRUE(form<Form4>().Visible());
    // The settings are kept for the next opening.
    Form20 &again = openCup(4);
    EXPECT_EQ(again.MarkedRaces(), (std::vector<std::int32_t>{3, 2}));
}

TEST_F(CupWindowTest, TheRaceWindowOpensTheCupWithoutANamedRace)
{
    InstallScoringWindows();
    Form4 &races = form<Form4>();
    races.Show();
    // No race is selected: the cup needs none.
    Rec.RaceRecordNo = 0;
    Race.ActiveRaceNo = 0;
    races.Command17.click();
    ASSERT_TRUE(isLoaded<Form20>());
    EXPECT_TRUE(form<Form20>().Visible());
    EXPECT_FALSE(races.Visible());
    form<Form20>().Command3.click();
    destroyUnloadedWindows();
    EXPECT_TRUE(form<Form4>().Visible());
    EXPECT_EQ(Race.ActiveRaceNo, 0);
}

namespace {

TEST_F(CupWindowTest, ClosingWhenTheCupFileCannotBeWrittenBeepsAndKeepsTheOldFile)
{
    const FileFaultGuard guard;
    // Once open and closed, so that the window's position is on disk and
    // the next close has no other file to write.
    openCup().Unload();
    destroyUnloadedWindows();
    const QByteArray old = readBytes(QStringLiteral("Cup.dat"));
    for (const qint64 room : {qint64(0), qint64(20)}) {
        Form20 &f = openCup();
        f.Text4.setText(QStringLiteral("Bezirkscup Süd"));
        resetBeepCount();
        fileops::faults::failAfterBytes(room, ENOSPC);
        f.Unload();
        fileops::faults::clear();
        destroyUnloadedWindows();
        EXPECT_EQ(beepCount(), 1) << room;
        EXPECT_EQ(readBytes(QStringLiteral("Cup.dat")), old) << room;
    }
}

} // namespace
