#pragma once
// The walks through the windows as a user goes them, from the main window
// or from a window over a prepared race: the program started with the windows of the folders a test
// names, clubs and athletes typed into their windows, a race named in the
// race window, quitting in the middle of the work. Header only: it needs
// the windows of the folders the walk goes through, which the test program
// links.
#include <QDate>
#include <QDateTime>
#include <QLineEdit>
#include <QStringList>
#include <QTime>
#include <initializer_list>
#include <vector>

#include "GuiTestHelpers.h"
#include "RaceBuilder.h"
#include "core/Form1.h"
#include "core/Form2.h"
#include "core/Form3.h"
#include "core/Form4.h"
#include "core/Launchers.h"
#include "core/SharedState.h"
#include "platform/Clock.h"
#include "platform/Cp1252.h"
#include "race/Form5.h"
#include "race/RaceWindows.h"

// One athlete as typed into the athlete window.
struct TypedAthlete {
    const char *name;
    bool female;
    const char *born;        // as typed, day.month.year
    int club1 = 0, club2 = 0;  // as chosen: 0 none, n the n-th club
};

// On 9 December 2026 (season 2027), with the windows that installWindows
// puts behind the launchers of the main and race windows.
class WalkTest : public WindowDataTest {
protected:
    explicit WalkTest(std::initializer_list<void (*)()> installWindows)
        : installWindows_(installWindows)
    {
    }

    void SetUp() override
    {
        WindowDataTest::SetUp();
        sysclock::setFixedNow(QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
        savedLaunchers_ = Launchers;
    }

    void TearDown() override
    {
        WindowDataTest::TearDown();
        Launchers = savedLaunchers_;
        sysclock::setFixedNow(QDateTime());
    }

    // Click into the box, select what it holds and type over it.
    static void typeInto(TextBox &box, const QString &text)
    {
        clickWithMouse(box);
        ASSERT_TRUE(box.hasFocus()) << box.Name().toStdString();
        box.edit()->selectAll();
        typeText(box, text);
    }

    // The text file in the data directory, one string a line.
    QStringList fileLines(const QString &name) const
    {
        QStringList out = cp1252::decode(readBytes(name)).split(QStringLiteral("\r\n"));
        if (!out.isEmpty() && out.last().isEmpty())
            out.removeLast();
        return out;
    }

    // The windows behind the launchers, as the program's start installs them.
    void installWindows()
    {
        for (void (*install)() : installWindows_)
            install();
    }

    Form1 &startProgram()
    {
        installWindows();
        Form1 &main = form<Form1>();
        main.Show();
        return main;
    }

    // Leaves the program in the middle of the work: every window goes, the
    // memory is gone, the files stay.
    static void quitProgram()
    {
        unloadAllForms();
        destroyUnloadedWindows();
        resetAllSharedState();
    }

    // "Skiclub Alpenrose" (SC Alpenrose) and "Wintersportverein Tal" (WSV
    // Tal) typed into the club window, then the athletes into the athlete
    // window, each a new record behind the last.
    static void createClubsAndAthletes(Form1 &main, const std::vector<TypedAthlete> &athletes)
    {
        main.Command2.click();
        {
            Form2 &clubs = form<Form2>();
            ASSERT_TRUE(showAndActivate(clubs));
            typeInto(clubs.Text2, QStringLiteral("Skiclub Alpenrose"));
            typeInto(clubs.Text3, QStringLiteral("SC Alpenrose"));
            clickWithMouse(clubs.Command3);
            ASSERT_EQ(clubs.Text1.Text(), QStringLiteral("2"));
            typeInto(clubs.Text2, QStringLiteral("Wintersportverein Tal"));
            typeInto(clubs.Text3, QStringLiteral("WSV Tal"));
            clickWithMouse(clubs.Command1);
        }
        destroyUnloadedWindows();
        ASSERT_EQ(Rec.ClubCount, 2);

        main.Command1.click();
        {
            Form3 &w = form<Form3>();
            ASSERT_TRUE(showAndActivate(w));
            bool first = true;
            for (const TypedAthlete &a : athletes) {
                SCOPED_TRACE(a.name);
                if (!first)
                    clickWithMouse(w.Command3);   // "+": a new record behind the last
                first = false;
                typeInto(w.Text2, QString::fromUtf8(a.name));
                clickWithMouse(a.female ? w.Option2 : w.Option1);
                typeInto(w.Text4, QString::fromUtf8(a.born));
                w.Combo1.SetFocus();
                w.Combo1.setListIndex(a.club1);
                w.Combo2.SetFocus();
                w.Combo2.setListIndex(a.club2);
                w.Combo3.SetFocus();
            }
            clickWithMouse(w.Command1);
        }
        destroyUnloadedWindows();
        ASSERT_EQ(Rec.AthleteCount, int(athletes.size()));
    }

    static Form4 &openRaceWindow(Form1 &main)
    {
        main.Command3.click();
        Form4 &races = form<Form4>();
        EXPECT_TRUE(showAndActivate(races));
        return races;
    }

    // Race 1, the first of the race window, named "Vereinsmeisterschaft".
    static void nameRace(Form4 &races)
    {
        ASSERT_EQ(races.Text1.Text(), QStringLiteral("1"));
        typeInto(races.Text2, QStringLiteral("Vereinsmeisterschaft"));
        clickWithMouse(races.Command7);
        ASSERT_EQ(lines(races.List1), QStringList{" 1    Vereinsmeisterschaft"});
    }

    // Back in the race window once the window opened from it has closed.
    static void backInRaceWindow(Form4 &races)
    {
        destroyUnloadedWindows();
        ASSERT_TRUE(races.Visible());
        ASSERT_TRUE(showAndActivate(races));
    }

    // The athlete of that overview line of the entry-list window entered.
    static void addFromOverview(Form5 &f, const QString &name)
    {
        const int row = lineBeginningWith(f.List1, name);
        ASSERT_GE(row, 0) << name.toStdString();
        clickLine(f.List1, row);
        ASSERT_EQ(f.Label4.Caption(), name);
        ASSERT_TRUE(f.Command2.Enabled()) << name.toStdString();
        clickWithMouse(f.Command2);   // "->  hinzufügen  ->"
        EXPECT_FALSE(f.Command2.Enabled());
    }

private:
    std::vector<void (*)()> installWindows_;
    LauncherTable savedLaunchers_;
};

// A walk over race 1, "Vereinsrennen", evaluated by class and time, written
// on 18 January 2025 into fresh data files with the race windows installed;
// the test adds its classes and field.
class RaceWalkTest : public WalkTest, protected RaceBuilder {
protected:
    RaceWalkTest() : WalkTest({InstallRaceWindows}) {}

    void SetUp() override
    {
        WalkTest::SetUp();
        sysclock::setFixedNow(QDateTime(QDate(2025, 1, 18), QTime(9, 0)));
        installWindows();
        openDataFiles();
        writeRace(1, {.name = QStringLiteral("Vereinsrennen"), .byClass = 1, .byTime = 1});
    }
};
