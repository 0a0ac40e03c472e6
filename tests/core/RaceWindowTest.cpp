// The race window and the deletion window: the list of races, the selection
// on every change of the number box, "-", "+", "eintragen", the launchers
// with their preconditions, and the deletion of a race.
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QLineEdit>
#include <algorithm>
#include <functional>
#include <vector>

#include "GuiTestHelpers.h"
#include "core/Form1.h"
#include "core/Form4.h"
#include "core/Form9.h"
#include "core/Launchers.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "platform/Beep.h"
#include "platform/Colours.h"
#include "platform/Cp1252.h"
#include "platform/Strings.h"

namespace {

struct LauncherCase {
    const char *button;
    const char *caption;
    CommandButton Form4::*control;
    std::function<void()> LauncherTable::*hook;
    bool needsNamedRace;
    bool hidesRaceWindow;
};

const LauncherCase LauncherCases[] = {
    {"Command4", "Teilnehmerliste erstellen", &Form4::Command4, &LauncherTable::EntryList, true, true},
    {"Command5", "Startnummern", &Form4::Command5, &LauncherTable::StartNumbers, true, true},
    {"Command6", "Zeitnehmung und Punktevergabe", &Form4::Command6, &LauncherTable::TimeEntry, true, true},
    {"Command8", "Listen und Urkunden - Einzelwertung", &Form4::Command8, &LauncherTable::PrintWindow, true, true},
    {"Command10", "Mannschafts- und Gruppenliste", &Form4::Command10, &LauncherTable::TeamsAndGroups, true, true},
    {"Command11", "Mannschafts - Ergebnisse", &Form4::Command11, &LauncherTable::TeamResults, true, true},
    {"Command12", "Renndaten ÖSV-konform", &Form4::Command12, &LauncherTable::TitlePageData, true, true},
    {"Command13", "Klassen-Bildungs-Regeln", &Form4::Command13, &LauncherTable::ClassRules, true, true},
    {"Command14", "Auswertungskriterien", &Form4::Command14, &LauncherTable::EvaluationCriteria, true, true},
    {"Command15", "Klassen-Start-Reihenfolge", &Form4::Command15, &LauncherTable::ClassStartOrder, true, true},
    {"Command16", "Kopie herstellen", &Form4::Command16, &LauncherTable::RaceCopy, false, false},
    {"Command17", "Cupwertung", &Form4::Command17, &LauncherTable::Cup, false, true},
    {"Command18", "Kombilauf / Zeitsumme", &Form4::Command18, &LauncherTable::CombinationRace, false, true},
};

// The eleven launchers a click into the name box disables.
const char *const LockedByNameBox[] = {"Command12", "Command4", "Command14", "Command10",
                                       "Command13", "Command15", "Command5", "Command6",
                                       "Command8", "Command11", "Command17"};

// Sees what the shared race numbers are when the window system gets a turn.
class RedrawProbe : public QObject {
public:
    bool event(QEvent *e) override
    {
        if (e->type() != QEvent::User)
            return QObject::event(e);
        seen = true;
        recordNo = Rec.RaceRecordNo;
        activeNo = Race.ActiveRaceNo;
        name = Rec.RaceName;
        return true;
    }
    bool seen = false;
    std::int32_t recordNo = -1;
    std::int32_t activeNo = -1;
    QString name;
};

class RaceWindowTest : public WindowDataTest {
protected:
    void TearDown() override
    {
        WindowDataTest::TearDown();
        Launchers = LauncherTable{};
    }

    // Races 1..n with these names (and a place each), written through the
    // record routines; then the program state is reset as at a start.
    void seedRaces(const QStringList &names)
    {
        ReadSettingsFile();
        OpenRaceFile();
        for (int i = 0; i < names.size(); ++i) {
            Rec.RaceRecordNo = i + 1;
            ClearRaceHeader();
            Rec.RaceName = names[i];
            Rec.RacePlace = QStringLiteral("Ort %1").arg(i + 1);
            WriteRaceHeader();
        }
        resetAllSharedState();
    }

    // The race window as the main window opens it.
    Form4 &openRaces()
    {
        Form1 &main = form<Form1>();
        main.Show();
        main.Command3.click();
        return form<Form4>();
    }

    QByteArray raceFile() const { return readBytes(QStringLiteral("Rennen.rec")); }
    QByteArray raceRecord(int n) const
    {
        return raceFile().mid((n - 1) * RaceRecordLength, RaceRecordLength);
    }

    // Every hook filled: each notes its button and whether the race window
    // was still shown when it ran.
    void fillLaunchers()
    {
        for (const LauncherCase &c : LauncherCases) {
            const QString button = QString::fromUtf8(c.button);
            Launchers.*c.hook = [this, button] {
                fired << button;
                raceWindowShownWhenFired = form<Form4>().Visible();
            };
        }
        Launchers.PrinterInstalled = [this] { return printerInstalled; };
    }

    QStringList fired;
    bool raceWindowShownWhenFired = false;
    bool printerInstalled = true;
};

TEST_F(RaceWindowTest, Controls_CaptionsOfTheWindowAndItsLaunchers)
{
    Form4 &f = openRaces();
    EXPECT_EQ(f.Caption(), QStringLiteral("Veranstaltungen / Rennen"));
    EXPECT_EQ(f.Label1.Caption(), QStringLiteral("Index"));
    EXPECT_EQ(f.Label2.Caption(), QStringLiteral("Bezeichnung der aktuellen Veranstaltung / des Rennens"));
    EXPECT_EQ(f.Label3.Caption(), QStringLiteral("Liste aller Veranstaltungen"));
    EXPECT_EQ(f.Command1.Caption(), QStringLiteral("fertig"));
    EXPECT_EQ(f.Command2.Caption(), QStringLiteral("-"));
    EXPECT_EQ(f.Command3.Caption(), QStringLiteral("+"));
    EXPECT_EQ(f.Command7.Caption(), QStringLiteral("eintragen"));
    EXPECT_EQ(f.Command9.Caption(), QStringLiteral("löschen"));
    for (const LauncherCase &c : LauncherCases) {
        EXPECT_EQ((f.*c.control).Name(), QString::fromUtf8(c.button));
        EXPECT_EQ((f.*c.control).Caption(), QString::fromUtf8(c.caption)) << c.button;
        EXPECT_TRUE((f.*c.control).Enabled()) << c.button;
    }
    EXPECT_FALSE(f.List1.Sorted());
    EXPECT_EQ(f.Text2.MaxLength(), 80);
}

TEST_F(RaceWindowTest, OpensOnTheLastRaceAndListsTheNamedRacesDescending)
{
    seedRaces({QStringLiteral("Winterlauf"), QString(), QStringLiteral("   "),
               QStringLiteral("Cup"), QStringLiteral("Sommerlauf")});
    Form4 &f = openRaces();
    EXPECT_FALSE(form<Form1>().Visible());
    EXPECT_TRUE(f.Visible());
    EXPECT_EQ(lines(f.List1),
              QStringList({" 5    Sommerlauf", " 4    Cup", " 1    Winterlauf"}));
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("5"));
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("Sommerlauf"));
    EXPECT_EQ(Rec.RaceRecordNo, 5);
    EXPECT_EQ(Race.ActiveRaceNo, 5);

    // Opened again, it comes back to the race that was selected.
    f.Text1.setText(QStringLiteral("4"));
    f.Command1.click();
    destroyUnloadedWindows();
    EXPECT_TRUE(form<Form1>().Visible());
    EXPECT_FALSE(Channels.RaceFile.isOpen());
    form<Form1>().Command3.click();
    EXPECT_TRUE(Channels.RaceFile.isOpen());
    EXPECT_EQ(form<Form4>().Text1.Text(), QStringLiteral("4"));
    EXPECT_EQ(form<Form4>().Text2.Text(), QStringLiteral("Cup"));
}

TEST_F(RaceWindowTest, ACountFarAboveTheRecordsInTheFileListsWhatTheFileHolds)
{
    // The settings file claims 2,147,483,647 races over three records and a
    // half; the half record reads as unnamed.
    seedRaces({QStringLiteral("Eins"), QString(), QStringLiteral("Drei")});
    QByteArray races = raceFile();
    races += cp1252::encode(fitLeft(QStringLiteral("Halb"), 80)) + QByteArray(400, ' ');
    writeBytes(QStringLiteral("Rennen.rec"), races);
    const QByteArray settings = crlfLines({" 0 ", " 0 ", " 2147483647 ", " 0 "});
    writeBytes(QStringLiteral("Zirpa.dat"), settings);

    Form4 &f = openRaces();
    EXPECT_EQ(lines(f.List1), QStringList({" 3    Drei", " 1    Eins"}));
    // The count stays as read; the last race is selected, and empty.
    EXPECT_EQ(Rec.RaceCount, 2147483647);
    EXPECT_EQ(Rec.RaceRecordNo, 2147483647);
    EXPECT_EQ(f.Text2.Text(), QString());
    f.Text1.setText(QStringLiteral("3"));
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("Drei"));

    // Nothing was written on the way.
    EXPECT_EQ(readBytes(QStringLiteral("Zirpa.dat")), settings);
    EXPECT_EQ(raceFile(), races);
}

TEST_F(RaceWindowTest, ANewRaceStartsByClassByTimeOneRunWithoutHandicaps)
{
    // The criteria bytes (328..332, 362) and the handicaps (312, 320) of a
    // stored header.
    auto criteria = [this](int n) {
        const QByteArray r = raceRecord(n);
        return r.mid(328, 5).toHex() + r.mid(362, 1).toHex() + r.mid(312, 16).toHex();
    };
    const QByteArray fresh = QByteArray("010000010000") + QByteArray(32, '0');
    // Race 1 by groups and points, split every way, two runs, handicaps.
    auto seedGroupRace = [this] {
        seedRaces({QStringLiteral("Gruppenlauf")});
        OpenRaceFile();
        ReadSettingsFile();
        Rec.RaceRecordNo = 1;
        ReadRaceHeader();
        Rec.EvalByClass = 0;
        Rec.EvalBySex = 1;
        Rec.EvalGuestsApart = 1;
        Rec.EvalByTime = 0;
        Rec.TwoRuns = 1;
        Rec.EvalBoarders = 1;
        Rec.GuestTimeHandicap = 4;
        Rec.MenTimeHandicap = -1.5;
        WriteRaceHeader();
        CloseRaceFile();
        resetAllSharedState();
    };

    // "+" behind the race read last.
    seedGroupRace();
    const QByteArray stored = criteria(1);
    Form4 &f = openRaces();
    f.Command3.click();
    ASSERT_EQ(Rec.RaceCount, 2);
    EXPECT_EQ(criteria(2), fresh);
    EXPECT_EQ(criteria(1), stored);   // the race before keeps its own
    EXPECT_EQ(Rec.EvalByClass, 1);
    EXPECT_EQ(Rec.EvalByTime, 1);
    EXPECT_EQ(Rec.TwoRuns, 0);
    f.Text1.setText(QStringLiteral("1"));
    EXPECT_EQ(Rec.EvalByClass, 0);
    EXPECT_EQ(Rec.TwoRuns, 1);
    unloadAllForms();
    destroyUnloadedWindows();

    // A race counted but not in the file yet, named after race 1 was read.
    seedGroupRace();
    writeBytes(QStringLiteral("Zirpa.dat"), crlfLines({" 0 ", " 0 ", " 3 ", " 0 "}));
    Form4 &g = openRaces();
    ASSERT_EQ(Rec.RaceRecordNo, 3);
    g.Text1.setText(QStringLiteral("1"));
    g.Text1.setText(QStringLiteral("3"));
    EXPECT_EQ(Rec.EvalByClass, 1);
    EXPECT_EQ(Rec.EvalByTime, 1);
    g.Text2.setText(QStringLiteral("Dritter"));
    g.Command7.click();
    EXPECT_EQ(criteria(3), fresh);
    EXPECT_EQ(criteria(1), stored);
    unloadAllForms();
    destroyUnloadedWindows();

    // The first race of an empty database.
    QFile::remove(path(QStringLiteral("Rennen.rec")));
    QFile::remove(path(QStringLiteral("Zirpa.dat")));
    resetAllSharedState();
    Form4 &h = openRaces();
    h.Text2.setText(QStringLiteral("Erster"));
    h.Command7.click();
    ASSERT_EQ(raceFile().size(), RaceRecordLength);
    EXPECT_EQ(criteria(1), fresh);
}

TEST_F(RaceWindowTest, ListClickReadsTheRaceNumberFromTheFirstSixCharacters)
{
    QStringList names;
    for (int r = 1; r <= 12; ++r)
        names << QStringLiteral("Lauf %1").arg(r);
    seedRaces(names);
    Form4 &f = openRaces();
    ASSERT_EQ(f.List1.ListCount(), 12);
    EXPECT_EQ(f.List1.List(0), QStringLiteral(" 12    Lauf 12"));
    EXPECT_EQ(f.List1.List(11), QStringLiteral(" 1    Lauf 1"));

    f.List1.setListIndex(11);
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("1"));
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("Lauf 1"));
    EXPECT_EQ(Rec.RaceRecordNo, 1);
    EXPECT_EQ(Race.ActiveRaceNo, 1);
    f.List1.setListIndex(2);
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("10"));
    EXPECT_EQ(Rec.RaceRecordNo, 10);

    // A five-digit race number fits the six characters read back.
    f.List1.AddItem(QStringLiteral(" 12345    Lauf 12345"));
    f.List1.setListIndex(12);
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("12345"));
}

TEST_F(RaceWindowTest, EveryChangeOfTheNumberSelectsAndLoadsTheClampedRace)
{
    QStringList names;
    for (int r = 1; r <= 12; ++r)
        names << QStringLiteral("Lauf %1").arg(r);
    seedRaces(names);
    writeBytes(QStringLiteral("M 1.lst"), crlfLines({"Team Eins"}));
    writeBytes(QStringLiteral("M 12.lst"), crlfLines({cp1252::decode("Team Zw\xf6lf")}));
    Form4 &f = openRaces();

    f.Text1.SetFocus();
    f.Text1.setText(QStringLiteral("5"));
    EXPECT_EQ(Race.TeamNames[1], QString());
    f.Text1.edit()->selectAll();
    typeText(f.Text1, QStringLiteral("1"));
    EXPECT_EQ(Rec.RaceRecordNo, 1);
    EXPECT_EQ(Race.ActiveRaceNo, 1);
    EXPECT_EQ(Race.TeamNames[1], QStringLiteral("Team Eins"));
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("Lauf 1"));
    typeText(f.Text1, QStringLiteral("2"));
    EXPECT_EQ(Rec.RaceRecordNo, 12);
    EXPECT_EQ(Race.ActiveRaceNo, 12);
    EXPECT_EQ(Race.TeamNames[1], QStringLiteral("Team Zwölf"));
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("Lauf 12"));

    // Out of range the race is clamped, and the box keeps what was typed.
    const std::pair<const char *, int> cases[] = {
        {"99", 12}, {"0", 1}, {"-3", 1}, {"abc", 1}, {"3.6", 4}, {"7", 7},
    };
    for (const auto &[typed, race] : cases) {
        SCOPED_TRACE(typed);
        f.Text1.setText(QString::fromUtf8(typed));
        EXPECT_EQ(f.Text1.Text(), QString::fromUtf8(typed));
        EXPECT_EQ(Rec.RaceRecordNo, race);
        EXPECT_EQ(Race.ActiveRaceNo, race);
        EXPECT_EQ(f.Text2.Text(), QStringLiteral("Lauf %1").arg(race));
    }
}

TEST_F(RaceWindowTest, NumberTypedKeyByKeySelectsOnlyRacesThatExistAndIsClampedWhenLeft)
{
    QStringList names;
    for (int r = 1; r <= 12; ++r)
        names << QStringLiteral("Lauf %1").arg(r);
    seedRaces(names);
    writeBytes(QStringLiteral("M 1.lst"), crlfLines({"Team Eins"}));
    writeBytes(QStringLiteral("M 5.lst"), crlfLines({"Team Fuenf"}));
    Form4 &f = openRaces();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    f.Text1.setText(QStringLiteral("5"));
    QLineEdit *box = focusNumberBox(f);
    ASSERT_NE(box, nullptr);

    const NumberKeyStep steps[] = {
        // Emptied, or a lone "-": race 5 stays selected and loaded.
        {nullptr, Qt::Key_Backspace, "", 5},
        {"-", Qt::Key_unknown, "-", 5},
        {nullptr, Qt::Key_Backspace, "", 5},
        {"9", Qt::Key_unknown, "9", 9},
        // 99 is no race: 9 stays until the box is left.
        {"9", Qt::Key_unknown, "99", 9},
        {nullptr, Qt::Key_Tab, "12", 12},
    };
    pressNumberSteps(box, f.Text1, steps, [&](const NumberKeyStep &step) {
        EXPECT_EQ(Rec.RaceRecordNo, step.shownAfter);
        EXPECT_EQ(Race.ActiveRaceNo, step.shownAfter);
        EXPECT_EQ(f.Text2.Text(), QStringLiteral("Lauf %1").arg(step.shownAfter));
        if (step.shownAfter == 5) {
            EXPECT_EQ(Race.TeamNames[1], QStringLiteral("Team Fuenf"));
        }
    });

    // 0 and a negative number are clamped to race 1 by Enter.
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("-3"));
    EXPECT_EQ(Rec.RaceRecordNo, 12);
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("1"));
    EXPECT_EQ(Rec.RaceRecordNo, 1);
    EXPECT_EQ(Race.TeamNames[1], QStringLiteral("Team Eins"));
}

TEST_F(RaceWindowTest, MinusGoesBackAndBeepsBelowTheFirstRace)
{
    seedRaces({QStringLiteral("Eins"), QStringLiteral("Zwei"), QStringLiteral("Drei")});
    Form4 &f = openRaces();
    f.Command2.click();
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("2"));
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("Zwei"));
    f.Command2.click();
    EXPECT_EQ(Rec.RaceRecordNo, 1);
    const int beeps = beepCount();
    f.Command2.click();
    EXPECT_EQ(beepCount(), beeps + 1);
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("1"));
    EXPECT_EQ(Rec.RaceRecordNo, 1);
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("Eins"));
}

TEST_F(RaceWindowTest, PlusAppendsARaceOnlyBehindANamedLastRace)
{
    seedRaces({QStringLiteral("Eins"), QStringLiteral("Zwei"), QStringLiteral("Drei")});
    Form4 &f = openRaces();
    f.Text1.setText(QStringLiteral("1"));
    f.Command3.click();
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("2"));
    EXPECT_EQ(Rec.RaceCount, 3);
    f.Command3.click();
    const QByteArray three = raceFile();

    f.Command3.click();
    EXPECT_EQ(Rec.RaceCount, 4);
    EXPECT_EQ(Rec.RaceRecordNo, 4);
    EXPECT_EQ(Race.ActiveRaceNo, 4);
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("4"));
    EXPECT_EQ(f.Text2.Text(), QString());
    ASSERT_EQ(raceFile().size(), 4 * RaceRecordLength);
    EXPECT_EQ(raceFile().left(3 * RaceRecordLength), three);
    const QByteArray fresh = raceRecord(4);
    EXPECT_EQ(fresh.left(80), QByteArray(80, ' '));
    EXPECT_EQ(fresh.mid(364, 5), QByteArray("12:00"));
    EXPECT_EQ(readBytes(QStringLiteral("Zirpa.dat")), crlfLines({" 0 ", " 0 ", " 4 ", " 0 "}));
    // The unnamed race is not listed.
    EXPECT_EQ(f.List1.ListCount(), 3);

    // Behind the unnamed race 4: nothing.
    f.Command3.click();
    EXPECT_EQ(Rec.RaceCount, 4);
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("4"));
    EXPECT_EQ(raceFile().size(), 4 * RaceRecordLength);
}

TEST_F(RaceWindowTest, PlusTakesNoNameThatWasOnlyTyped)
{
    // A name typed for the unnamed last race but not entered.
    seedRaces({QStringLiteral("Eins"), QString()});
    Form4 &f = openRaces();
    ASSERT_EQ(Rec.RaceRecordNo, 2);
    f.Text2.setText(QStringLiteral("Zwei"));
    f.Command3.click();
    EXPECT_EQ(Rec.RaceCount, 2);
    EXPECT_EQ(raceFile().size(), 2 * RaceRecordLength);

    // Nor behind the last race once it is deleted ("leer" in the box).
    f.Text2.setText(QString());
    f.Text1.setText(QStringLiteral("1"));
    f.Command3.click();
    ASSERT_EQ(f.Text1.Text(), QStringLiteral("2"));
    f.Text2.setText(QStringLiteral("Zwei"));
    f.Command7.click();
    f.Command9.click();
    form<Form9>().Command1.click();
    destroyUnloadedWindows();
    ASSERT_EQ(f.Text2.Text(), QStringLiteral("leer"));
    f.Command3.click();
    EXPECT_EQ(Rec.RaceCount, 2);
    EXPECT_EQ(raceFile().size(), 2 * RaceRecordLength);

    // And with no race at all, "+" makes no unnamed race 1.
    unloadAllForms();
    destroyUnloadedWindows();
    QFile::remove(path(QStringLiteral("Rennen.rec")));
    QFile::remove(path(QStringLiteral("Zirpa.dat")));
    resetAllSharedState();
    Form4 &g = openRaces();
    ASSERT_EQ(Rec.RaceRecordNo, 0);
    g.Text2.setText(QStringLiteral("Erster"));
    g.Command3.click();
    EXPECT_EQ(Rec.RaceCount, 0);
    EXPECT_TRUE(raceFile().isEmpty());
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("Zirpa.dat"))));
}

TEST_F(RaceWindowTest, EintragenOnAnEmptyDatabaseCreatesRaceOne)
{
    Form4 &f = openRaces();
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("1"));
    EXPECT_EQ(Rec.RaceRecordNo, 0);
    EXPECT_EQ(f.Text2.Text(), QString());
    EXPECT_TRUE(f.List1.ListCount() == 0);

    f.Text2.SetFocus();
    f.Text2.setText(QStringLiteral("  Erster Lauf "));
    f.Command7.click();
    EXPECT_EQ(Rec.RaceCount, 1);
    EXPECT_EQ(Rec.RaceRecordNo, 1);
    EXPECT_EQ(Race.ActiveRaceNo, 1);
    EXPECT_EQ(lines(f.List1), QStringList({" 1    Erster Lauf"}));
    ASSERT_EQ(raceFile().size(), RaceRecordLength);
    EXPECT_EQ(raceRecord(1).left(80), cp1252::encode(fitLeft(u"Erster Lauf", 80)));
    EXPECT_EQ(readBytes(QStringLiteral("Zirpa.dat")), crlfLines({" 0 ", " 0 ", " 1 ", " 0 "}));
}

TEST_F(RaceWindowTest, EintragenChangesOnlyTheNameOfTheStoredHeader)
{
    seedRaces({QStringLiteral("Eins"), QStringLiteral("Zwei")});
    const QByteArray before = raceRecord(1);
    Form4 &f = openRaces();
    f.Text1.setText(QStringLiteral("1"));
    // Another routine left other values in the race variables.
    Rec.RacePlace = QStringLiteral("Irgendwo");
    f.Text2.setText(QStringLiteral("Eins neu"));
    f.Command7.click();
    const QByteArray after = raceRecord(1);
    EXPECT_EQ(after.left(80), cp1252::encode(fitLeft(u"Eins neu", 80)));
    EXPECT_EQ(after.mid(80), before.mid(80));
    EXPECT_EQ(lines(f.List1), QStringList({" 2    Zwei", " 1    Eins neu"}));
    EXPECT_EQ(Rec.RaceCount, 2);
    EXPECT_EQ(Rec.RaceRecordNo, 1);
}

TEST_F(RaceWindowTest, EintragenRefusesANameTheFilesCannotHold)
{
    seedRaces({QStringLiteral("Eins")});
    Form4 &f = openRaces();
    const QByteArray before = raceFile();
    const int beeps = beepCount();
    // Pasted, not typed (typing refuses such characters key by key).
    f.Text2.setText(QStringLiteral("Łódź-Lauf"));
    f.Command7.click();
    EXPECT_EQ(f.Text2.BackColor(), colourValue(255, 0, 0));
    EXPECT_EQ(beepCount(), beeps + 1);
    EXPECT_EQ(raceFile(), before);
    EXPECT_EQ(lines(f.List1), QStringList({" 1    Eins"}));
    // Selecting the race again shows its stored name, no longer red.
    f.Text1.setText(QStringLiteral("0"));
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("Eins"));
    EXPECT_NE(f.Text2.BackColor(), colourValue(255, 0, 0));

    f.Text2.setText(QStringLiteral("Ł"));
    f.Command7.click();
    f.Text2.setText(QStringLiteral("Lodz-Lauf"));
    f.Command7.click();
    EXPECT_NE(f.Text2.BackColor(), colourValue(255, 0, 0));
    EXPECT_EQ(lines(f.List1), QStringList({" 1    Lodz-Lauf"}));
}

TEST_F(RaceWindowTest, AClickIntoTheNameBoxLocksElevenLaunchersUntilEintragen)
{
    seedRaces({QStringLiteral("Eins")});
    Form4 &f = openRaces();
    ASSERT_TRUE(showAndActivate(f));
    clickWithMouse(f.Text2);
    for (const LauncherCase &c : LauncherCases) {
        const bool locked = std::find_if(std::begin(LockedByNameBox), std::end(LockedByNameBox),
                                         [&](const char *b) { return QString(b) == c.button; })
            != std::end(LockedByNameBox);
        EXPECT_EQ((f.*c.control).Enabled(), !locked) << c.button;
    }
    EXPECT_TRUE(f.Command9.Enabled());

    f.Command7.click();
    for (const LauncherCase &c : LauncherCases)
        EXPECT_TRUE((f.*c.control).Enabled()) << c.button;
}

TEST_F(RaceWindowTest, LaunchersOpenTheirWindowForANamedRace)
{
    seedRaces({QStringLiteral("Eins")});
    fillLaunchers();
    Form4 &f = openRaces();
    for (const LauncherCase &c : LauncherCases) {
        SCOPED_TRACE(c.button);
        fired.clear();
        f.Show();
        (f.*c.control).click();
        EXPECT_EQ(fired, QStringList({QString::fromUtf8(c.button)}));
        EXPECT_EQ(raceWindowShownWhenFired, !c.hidesRaceWindow);
        EXPECT_EQ(f.Visible(), !c.hidesRaceWindow);
    }
    // Without a hook the launcher does nothing, and the window stays.
    Launchers.EntryList = nullptr;
    f.Show();
    f.Command4.click();
    EXPECT_TRUE(f.Visible());
}

TEST_F(RaceWindowTest, LaunchersOfANamedRaceDoNothingWithoutOne)
{
    seedRaces({QStringLiteral("Eins"), QString(), QStringLiteral("Drei")});
    fillLaunchers();
    // Each situation leaves the race window on a race that is not named.
    const std::pair<const char *, std::function<void(Form4 &)>> situations[] = {
        {"name box empty", [](Form4 &f) { f.Text1.setText("1"); f.Text2.setText(""); }},
        {"unnamed race", [](Form4 &f) { f.Text1.setText("2"); }},
        {"name typed, not entered", [](Form4 &f) { f.Text1.setText("2"); f.Text2.setText("Zwei"); }},
        {"deleted race", [](Form4 &f) {
             f.Text1.setText("3");
             f.Command9.click();
             form<Form9>().Command1.click();
             destroyUnloadedWindows();
             ASSERT_EQ(f.Text2.Text(), QStringLiteral("leer"));
         }},
    };
    for (const auto &[what, makeSituation] : situations) {
        SCOPED_TRACE(what);
        Form4 &f = openRaces();
        makeSituation(f);
        fired.clear();
        for (const LauncherCase &c : LauncherCases) {
            if (!c.needsNamedRace)
                continue;
            f.Show();
            (f.*c.control).click();
            EXPECT_TRUE(f.Visible()) << c.button;
        }
        EXPECT_TRUE(fired.isEmpty()) << fired.join(", ").toStdString();
        unloadAllForms();
        destroyUnloadedWindows();
    }
}

TEST_F(RaceWindowTest, LaunchersOnAnEmptyDatabaseOpenNothingOnRaceZero)
{
    fillLaunchers();
    Form4 &f = openRaces();
    ASSERT_EQ(Rec.RaceRecordNo, 0);
    f.Text2.setText(QStringLiteral("Noch nicht eingetragen"));
    for (const LauncherCase &c : LauncherCases)
        if (c.needsNamedRace)
            (f.*c.control).click();
    EXPECT_TRUE(fired.isEmpty()) << fired.join(", ").toStdString();
    f.Command9.click();
    EXPECT_FALSE(isLoaded<Form9>());
    EXPECT_TRUE(f.Visible());
}

TEST_F(RaceWindowTest, PrintWindowNeedsAnInstalledPrinter)
{
    seedRaces({QStringLiteral("Eins")});
    fillLaunchers();
    printerInstalled = false;
    Form4 &f = openRaces();
    f.Command8.click();
    EXPECT_TRUE(fired.isEmpty());
    EXPECT_TRUE(f.Visible());
    Launchers.PrinterInstalled = nullptr;
    f.Command8.click();
    EXPECT_TRUE(fired.isEmpty());
}

TEST_F(RaceWindowTest, FillRaceListRestoresTheCurrentRaceBeforeTheWindowSystemGetsATurn)
{
    seedRaces({QStringLiteral("Eins"), QStringLiteral("Zwei"), QStringLiteral("Drei")});
    Form4 &f = openRaces();
    f.Text1.setText(QStringLiteral("2"));
    RedrawProbe probe;
    QCoreApplication::postEvent(&probe, new QEvent(QEvent::User));
    FillRaceList();
    ASSERT_TRUE(probe.seen);
    EXPECT_EQ(probe.recordNo, 2);
    EXPECT_EQ(probe.activeNo, 2);
    EXPECT_EQ(probe.name, QStringLiteral("Zwei"));
    EXPECT_EQ(Rec.RaceRecordNo, 2);
}

TEST_F(RaceWindowTest, ActivatingTheWindowMakesTheHeaderRaceTheActiveOne)
{
    seedRaces({QStringLiteral("Eins"), QStringLiteral("Zwei")});
    Form4 &f = openRaces();
    // A launched window walked other races and set only the header number.
    Rec.RaceRecordNo = 1;
    Race.ActiveRaceNo = 2;
    f.Hide();
    f.Show();
    EXPECT_EQ(Race.ActiveRaceNo, 1);
}

// --- Deletion ---------------------------------------------------------------

class RaceDeletionTest : public RaceWindowTest {
protected:
    // Three races, and every file of race 2 plus the entry file of race 3.
    Form4 &openOnRaceTwo()
    {
        seedRaces({QStringLiteral("Eins"), QStringLiteral("Zwei"), QStringLiteral("Drei")});
        for (const char *name : {"R 2.dat", "K 2.lst", "G 2.lst", "M 2.lst", "Z 2.dat", "R 3.dat"})
            writeBytes(QString::fromUtf8(name), crlfLines({" 1 "}));
        Form4 &f = openRaces();
        f.Text1.setText(QStringLiteral("2"));
        return f;
    }

    QStringList existing() const
    {
        QStringList out;
        for (const char *name : {"R 2.dat", "K 2.lst", "G 2.lst", "M 2.lst", "Z 2.dat", "R 3.dat"})
            if (QFile::exists(path(QString::fromUtf8(name))))
                out << QString::fromUtf8(name);
        return out;
    }
};

TEST_F(RaceDeletionTest, LoeschenOpensTheQuestionOverTheRace)
{
    Form4 &f = openOnRaceTwo();
    Race.ActiveRaceNo = 3;
    f.Command9.click();
    EXPECT_FALSE(f.Visible());
    ASSERT_TRUE(isLoaded<Form9>());
    Form9 &d = form<Form9>();
    EXPECT_TRUE(d.Visible());
    EXPECT_EQ(Race.ActiveRaceNo, 2);
    EXPECT_EQ(d.Caption(), QStringLiteral("Veranstaltung löschen"));
    EXPECT_EQ(d.Label1.Caption(), QStringLiteral("Zwei"));
    EXPECT_EQ(d.Label2.Caption(), QStringLiteral("wollen Sie diese Veranstaltung wirklich löschen ?"));
    EXPECT_EQ(d.Command1.Caption(), QStringLiteral("ja"));
    EXPECT_EQ(d.Command2.Caption(), QStringLiteral("nein"));
    EXPECT_EQ(d.Command3.Caption(), QStringLiteral("Exit"));
}

TEST_F(RaceDeletionTest, JaBlanksTheHeaderAndDeletesTheFilesOfTheRace)
{
    Form4 &f = openOnRaceTwo();
    const QByteArray one = raceRecord(1);
    const QByteArray three = raceRecord(3);
    const QByteArray settings = readBytes(QStringLiteral("Zirpa.dat"));
    f.Command9.click();
    form<Form9>().Command1.click();
    destroyUnloadedWindows();

    EXPECT_FALSE(isLoaded<Form9>());
    EXPECT_TRUE(f.Visible());
    EXPECT_EQ(existing(), QStringList({"R 3.dat"}));
    EXPECT_EQ(raceFile().size(), 3 * RaceRecordLength);
    const QByteArray blank = raceRecord(2);
    EXPECT_EQ(blank.left(80), QByteArray(80, ' '));
    EXPECT_EQ(blank.mid(144, 80), QByteArray(80, ' '));   // the place too
    EXPECT_EQ(blank.mid(364, 5), QByteArray("12:00"));
    EXPECT_EQ(raceRecord(1), one);
    EXPECT_EQ(raceRecord(3), three);
    EXPECT_EQ(Rec.RaceCount, 3);
    EXPECT_EQ(readBytes(QStringLiteral("Zirpa.dat")), settings);

    EXPECT_EQ(lines(f.List1), QStringList({" 3    Drei", " 1    Eins"}));
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("leer"));
    EXPECT_EQ(Rec.RaceRecordNo, 2);
    EXPECT_EQ(Race.ActiveRaceNo, 2);
}

TEST_F(RaceDeletionTest, NeinAndExitDeleteNothing)
{
    for (const auto &[what, button] :
         {std::pair{"nein", &Form9::Command2}, std::pair{"Exit", &Form9::Command3}}) {
        SCOPED_TRACE(what);
        Form4 &f = openOnRaceTwo();
        const QByteArray races = raceFile();
        f.Command9.click();
        (form<Form9>().*button).click();
        destroyUnloadedWindows();
        EXPECT_FALSE(isLoaded<Form9>());
        EXPECT_TRUE(form<Form4>().Visible());
        EXPECT_EQ(existing().size(), 6);
        EXPECT_EQ(raceFile(), races);
        EXPECT_EQ(form<Form4>().Text2.Text(), QStringLiteral("Zwei"));
        unloadAllForms();
        destroyUnloadedWindows();
        resetAllSharedState();
    }
}

TEST_F(RaceDeletionTest, ARaceWithoutFilesLosesOnlyItsHeader)
{
    seedRaces({QStringLiteral("Eins"), QStringLiteral("Zwei")});
    writeBytes(QStringLiteral("R 2.dat"), crlfLines({" 1 "}));
    Form4 &f = openRaces();
    f.Text1.setText(QStringLiteral("1"));
    f.Command9.click();
    form<Form9>().Command1.click();
    destroyUnloadedWindows();
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("R 2.dat"))));
    EXPECT_EQ(lines(f.List1), QStringList({" 2    Zwei"}));
    EXPECT_EQ(raceRecord(1).left(80), QByteArray(80, ' '));
}

} // namespace
