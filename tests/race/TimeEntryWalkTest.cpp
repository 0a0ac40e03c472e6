// A timekeeper's road: the race window's "Zeitnehmung und Punktevergabe" on a
// prepared race, a field of times keyed in without the mouse, the provisional
// result, closing, and opening again from what is on disk.
#include <QDate>
#include <QStringList>

#include "RaceBuilder.h"
#include "WalkTest.h"
#include "core/Form17.h"
#include "core/Form4.h"
#include "core/Launchers.h"
#include "core/RaceFiles.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "platform/Beep.h"
#include "platform/Clock.h"
#include "race/Form13.h"
#include "race/Form7.h"
#include "race/RaceWindows.h"
#include "race/TimingLists.h"

namespace {

struct Starter {
    const char *name;
    int sex;
    int year;
    int startNo;
};

// In slot order; the list shows them by start number.
const Starter Field[] = {
    {"GRUBER Lena", 0, 2012, 3},
    {"HOFER Paul", 1, 2011, 1},
    {"KOGLER Mia", 0, 2012, 4},
    {"STEINER Jan", 1, 2011, 2},
};

class TimeEntryWalkTest : public RaceWalkTest {
protected:
    void SetUp() override
    {
        RaceWalkTest::SetUp();
        Race.ClassNames[1] = QStringLiteral("Schüler");
        Race.ClassYears[1] = {2000, 2025};
        Race.ClassDesignations[0] = QStringLiteral("Schüler");
        for (const Starter &s : Field)
            addEntry(addAthlete({.name = QString::fromUtf8(s.name), .sex = s.sex, .year = s.year}),
                     {.startNo = s.startNo});
        ASSERT_TRUE(WriteRaceFiles());
        // Only the files hold the race now.
        Race = RaceState{};
    }

    // The race window with race 1 chosen by typing its number, then its
    // time-entry launcher.
    Form7 &openTimeEntry()
    {
        Form4 &race = form<Form4>();
        EXPECT_TRUE(showAndActivate(race));
        race.Text1.SetFocus();
        race.Text1.setText(QString());
        typeText(race.Text1, QStringLiteral("1"));
        EXPECT_EQ(race.Text2.Text(), QStringLiteral("Vereinsrennen"));
        clickWithMouse(race.Command6);
        EXPECT_FALSE(race.Visible());
        EXPECT_TRUE(isLoaded<Form7>());
        Form7 &f = form<Form7>();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&f));
        return f;
    }

    // The run-1 line of slot n in the R file (line 8 of its block).
    QString storedTime1(int slot)
    {
        const QStringList lines =
            QString::fromLatin1(readBytes(QStringLiteral("R 1.dat"))).split(QStringLiteral("\r\n"));
        const int at = (slot - 1) * 23 + 7;
        return at < lines.size() ? lines[at] : QStringLiteral("<missing>");
    }
};

TEST_F(TimeEntryWalkTest, KeyInAFieldByKeyboard_TickTheResult_CloseAndReopen)
{
    Form7 &f = openTimeEntry();
    EXPECT_EQ(f.Label1.Caption(), QStringLiteral("Vereinsrennen"));
    ASSERT_EQ(f.List2.ListCount(), 4);
    ASSERT_TRUE(f.List2.hasFocus());

    // Start numbers 1..4: HOFER, STEINER, GRUBER, KOGLER. Down picks the
    // next line and puts the cursor into the time box; Enter goes back.
    const char *typed[] = {"62.41", "61,5", "", "64.05"};
    const int beeps = beepCount();
    for (const char *t : typed) {
        QWidget *list = f.List2.widget();
        QTest::keyClick(list, Qt::Key_Down);
        ASSERT_TRUE(f.Text1.hasFocus());
        ASSERT_EQ(f.Text1.Text(), QString());
        QTest::keyClicks(QApplication::focusWidget(), QString::fromUtf8(t));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        ASSERT_TRUE(f.List2.hasFocus());
    }
    EXPECT_EQ(beepCount(), beeps);
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("64,05"));

    // A typing slip on the third, corrected: up once, the right time.
    QTest::keyClick(f.List2.widget(), Qt::Key_Up);
    EXPECT_EQ(f.Label2.Caption(), QStringLiteral("GRUBER Lena"));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("63.2"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);

    // Each time is on disk as soon as it is entered, before the window
    // closes: a crash now loses none of them. No reminder meanwhile.
    EXPECT_EQ(storedTime1(1), QStringLiteral("63,2"));
    EXPECT_EQ(storedTime1(2), QStringLiteral("62,41"));
    EXPECT_EQ(storedTime1(3), QStringLiteral("64,05"));
    EXPECT_EQ(storedTime1(4), QStringLiteral("61,5"));
    EXPECT_FALSE(isLoaded<Form17>());

    // Shift+Tab from the list reaches "vorläufiges Ergebnis"; Space ticks it.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    ASSERT_TRUE(f.Check1.hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    ASSERT_TRUE(isLoaded<Form13>());
    EXPECT_TRUE(form<Form13>().Visible());
    const QStringList ranking{
        "", "Rang--Name------------------Startnr.-Klasse-----------Zeit----Diff.",
        "   1. STEINER Jan                  2 Schüler         61,50     0,00",
        "   2. HOFER Paul                   1 Schüler         62,41     0,91",
        "   3. GRUBER Lena                  3 Schüler         63,20     1,70",
        "   4. KOGLER Mia                   4 Schüler         64,05     2,55"};
    EXPECT_EQ(lines(form<Form13>().List2), ranking);

    ASSERT_TRUE(activateByUser(f));
    clickWithMouse(f.Command3);
    destroyUnloadedWindows();
    EXPECT_FALSE(isLoaded<Form7>());
    EXPECT_FALSE(isLoaded<Form13>());
    EXPECT_TRUE(form<Form4>().Visible());
    EXPECT_EQ(storedTime1(1), QStringLiteral("63,2"));
    EXPECT_EQ(storedTime1(2), QStringLiteral("62,41"));
    EXPECT_EQ(storedTime1(3), QStringLiteral("64,05"));
    EXPECT_EQ(storedTime1(4), QStringLiteral("61,5"));

    // Opened again, from the files alone.
    Race = RaceState{};
    Form7 &again = openTimeEntry();
    again.Option2.setValue(true);
    EXPECT_EQ(lines(again.List2),
              (QStringList{"00061,50 STEINER Jan           4", "00062,41 HOFER Paul           2",
                           "00063,20 GRUBER Lena           1", "00064,05 KOGLER Mia           3"}));
    QTest::keyClick(again.List2.widget(), Qt::Key_Down);
    EXPECT_EQ(again.Label2.Caption(), QStringLiteral("STEINER Jan"));
    EXPECT_EQ(again.Text1.Text(), QStringLiteral("61,5"));
    again.Check1.setValue(1);
    EXPECT_EQ(lines(form<Form13>().List2), ranking);
}

} // namespace
