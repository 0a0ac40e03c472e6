#include <QDate>

#include "GuiTestHelpers.h"
#include "RaceBuilder.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "platform/Beep.h"
#include "platform/Colours.h"
#include "race/Form18.h"
#include "race/Form7.h"
#include "race/TimingLists.h"

namespace {

class Form18Test : public WindowDataTest, protected RaceBuilder {
protected:
    void SetUp() override
    {
        WindowDataTest::SetUp();
        OpenAthleteFile();
        Rec.EvalByClass = 1;
        Rec.EvalByTime = 1;
        Race.ActiveRaceNo = 1;
        for (int slot = 1; slot <= 2; ++slot) {
            addEntry(addAthlete({.name = QStringLiteral("ATHLET %1").arg(slot),
                                 .sex = 1,
                                 .year = 2010}),
                     {.startNo = SlotNumber, .t1 = 11});
        }
    }

    // The time entry showing slot 2, and backup timing opened over it.
    Form18 &openOverEntry2()
    {
        Form7 &timing = form<Form7>();
        EXPECT_TRUE(showAndActivate(timing));
        timing.List2.setListIndex(1);
        EXPECT_EQ(timing.ShownSlot(), 2);
        timing.Command7.click();
        Form18 &f = form<Form18>();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&f));
        return f;
    }

    // Start, Enter, finish, Enter, as the timekeeper keys them.
    static void key(Form18 &f, const QString &start, const QString &finish)
    {
        f.Text1.SetFocus();
        f.Text1.setText(start);
        pressKey(f.Text1, Qt::Key_Return);
        f.Text6.setText(finish);
        pressKey(f.Text6, Qt::Key_Return);
    }
};

TEST_F(Form18Test, Window_CaptionsColoursAndFocus)
{
    Form18 &f = openOverEntry2();
    EXPECT_EQ(f.Caption(), QStringLiteral("Hilfszeitnehmung / Zeitdifferenz"));
    EXPECT_EQ(f.windowSlot(), 18);
    EXPECT_EQ(f.Label1.Caption(), QStringLiteral("Zeit in Sekunden"));
    EXPECT_EQ(f.Label2.Caption(), QStringLiteral("Start"));
    EXPECT_EQ(f.Label3.Caption(), QStringLiteral("Ziel"));
    EXPECT_EQ(f.Label4.Caption(), QStringLiteral("Differenz"));
    EXPECT_EQ(f.Command4.Caption(), QStringLiteral("übernehmen"));
    EXPECT_EQ(f.Text1.BackColor(), colourValue(192, 255, 192));
    EXPECT_EQ(f.Text6.BackColor(), colourValue(192, 255, 192));
    EXPECT_EQ(f.Text2.BackColor(), colourValue(192, 255, 255));
    EXPECT_TRUE(f.Text2.Locked());
    EXPECT_TRUE(f.Text1.FontBold());
    EXPECT_TRUE(f.Text1.hasFocus());
    EXPECT_TRUE(form<Form7>().Visible());
}

TEST_F(Form18Test, Difference_TakenOverIntoRun1OfTheEntryShown)
{
    Form18 &f = openOverEntry2();
    f.Text1.setText(QStringLiteral(" 100.5 "));
    pressKey(f.Text1, Qt::Key_Return);
    EXPECT_EQ(f.Text1.Text(), QStringLiteral("100,5"));
    EXPECT_TRUE(f.Text6.hasFocus());
    typeText(f.Text6, QStringLiteral("165.82"));
    pressKey(f.Text6, Qt::Key_Return);
    EXPECT_EQ(f.Text6.Text(), QStringLiteral("165,82"));
    EXPECT_EQ(f.Text2.Text(), QStringLiteral("65,32"));
    EXPECT_TRUE(f.Command4.hasFocus());

    pressKey(f.Command4, Qt::Key_Space);
    destroyUnloadedWindows();
    EXPECT_FALSE(isLoaded<Form18>());
    EXPECT_EQ(Race.SlotTime1[2], 65.32);
    EXPECT_EQ(Race.SlotTime1[1], 11);
    EXPECT_EQ(form<Form7>().Text1.Text(), QStringLiteral("65,32"));
}

TEST_F(Form18Test, Difference_CasesAndWhatIsNotTakenOver)
{
    struct Case {
        const char *start, *finish, *difference;
        bool takenOver;
        double stored;
    } cases[] = {
        {"100", "40", "60", true, 60},     // finish before start: the positive difference
        {"", "", "0", false, 11},          // no times: 0 is no run time
        {"10", "10,5", "0,5", false, 11},  // under one second
        {"10", "11", "1", true, 1},
        {"3600.25", "3665,57", "65,32", true, 65.32},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.start);
        Race.SlotTime1[2] = 11;
        Form18 &f = openOverEntry2();
        key(f, QString::fromUtf8(c.start), QString::fromUtf8(c.finish));
        EXPECT_EQ(f.Text2.Text(), QString::fromUtf8(c.difference));
        f.Command4.click();
        destroyUnloadedWindows();
        EXPECT_EQ(isLoaded<Form18>(), !c.takenOver);
        EXPECT_EQ(Race.SlotTime1[2], c.stored);
        unload<Form18>();
        destroyUnloadedWindows();
    }
}

TEST_F(Form18Test, NoNumberOrAChangedReading_ClearsTheDifference)
{
    Form18 &f = openOverEntry2();
    // Nothing worked out yet: nothing to take over.
    f.Command4.click();
    EXPECT_TRUE(isLoaded<Form18>());
    EXPECT_EQ(Race.SlotTime1[2], 11);

    key(f, QStringLiteral("10"), QStringLiteral("75"));
    ASSERT_EQ(f.Text2.Text(), QStringLiteral("65"));
    const int beeps = beepCount();
    key(f, QStringLiteral("zehn"), QStringLiteral("75"));
    EXPECT_EQ(beepCount() - beeps, 1);
    EXPECT_EQ(f.Text2.Text(), QString());
    EXPECT_TRUE(f.Text6.hasFocus());
    f.Command4.click();
    EXPECT_TRUE(isLoaded<Form18>());
    EXPECT_EQ(Race.SlotTime1[2], 11);

    // A reading typed after the difference takes it away as well.
    key(f, QStringLiteral("10"), QStringLiteral("75"));
    ASSERT_EQ(f.Text2.Text(), QStringLiteral("65"));
    f.Text6.SetFocus();
    typeText(f.Text6, QStringLiteral("1"));
    EXPECT_EQ(f.Text2.Text(), QString());
    f.Command4.click();
    EXPECT_EQ(Race.SlotTime1[2], 11);
}

TEST_F(Form18Test, ClosesWithTheTimeEntryAndStoresNothingAfterwards)
{
    Form18 &f = openOverEntry2();
    key(f, QStringLiteral("10"), QStringLiteral("75"));
    ASSERT_EQ(f.Text2.Text(), QStringLiteral("65"));
    form<Form7>().Command3.click();
    destroyUnloadedWindows();
    EXPECT_FALSE(isLoaded<Form7>());
    EXPECT_FALSE(isLoaded<Form18>());
    EXPECT_EQ(Race.SlotTime1[2], 11);

    // Closed by its close box, it stores nothing either.
    Form18 &again = openOverEntry2();
    key(again, QStringLiteral("10"), QStringLiteral("75"));
    again.close();
    destroyUnloadedWindows();
    EXPECT_FALSE(isLoaded<Form18>());
    EXPECT_EQ(Race.SlotTime1[2], 11);
}

} // namespace
