#include <QDir>
#include <QFile>

#include "GuiTestHelpers.h"
#include "RaceBuilder.h"
#include "core/Form17.h"
#include "core/Form4.h"
#include "core/RaceFiles.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "core/StartUp.h"
#include "platform/Beep.h"

namespace {

class ReminderTest : public WindowDataTest, protected RaceBuilder {
protected:
    void SetUp() override
    {
        WindowDataTest::SetUp();
        OpenAthleteFile();
        Race.ActiveRaceNo = 3;
    }
};

TEST_F(ReminderTest, MissingSexAndBirthDate_ShowTheReminderWithTwoLines)
{
    addAthlete({.name = QStringLiteral("MAIER Hans"), .sex = 1, .birthDate = 30000, .id = 1});
    addAthlete({.name = QStringLiteral("HUBER Eva"), .sex = 2, .birthDate = NoBirthDate, .id = 2});
    Race.SlotAthleteId[1] = 1;
    Race.SlotAthleteId[4] = 2;
    SaveRaceFiles();

    ASSERT_TRUE(isLoaded<Form17>());
    Form17 &r = form<Form17>();
    EXPECT_TRUE(r.Visible());
    EXPECT_EQ(r.Caption(), QStringLiteral("Erinnerung"));
    ASSERT_EQ(r.List1.ListCount(), 2);
    EXPECT_EQ(r.List1.List(0), QStringLiteral("2   HUBER Eva m/w ?"));
    EXPECT_EQ(r.List1.List(1), QStringLiteral("2   HUBER Eva Geburtsdatum ?"));
    EXPECT_EQ(r.List1.FontName(), QStringLiteral("Arial"));
    EXPECT_EQ(Work.CheckOk, 0);
    EXPECT_EQ(r.Timer1.Interval(), 15000);
    EXPECT_TRUE(r.Timer1.Enabled());
    // The race is saved all the same.
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("R 3.dat"))));

    // Each tick brings it back, also after it was hidden.
    r.Hide();
    r.Timer1_Timer();
    EXPECT_TRUE(r.Visible());

    // Once the data is complete, the next save closes it.
    addAthlete({.name = QStringLiteral("HUBER Eva"), .sex = 0, .birthDate = 31000, .id = 2});
    SaveRaceFiles();
    destroyUnloadedWindows();
    EXPECT_FALSE(isLoaded<Form17>());
    EXPECT_EQ(Work.CheckOk, 1);
}

TEST_F(ReminderTest, ComesInFrontOfTheRaceWindowShownAfterTheSave)
{
    addAthlete({.name = QStringLiteral("MAIER Hans"), .sex = 2, .birthDate = 30000, .id = 1});
    OpenRaceFile();
    Form4 &races = form<Form4>();
    Race.SlotAthleteId[1] = 1;
    // As every race window closes: the race saved, then the race window shown.
    SaveRaceFiles();
    races.Show();
    Form17 &r = form<Form17>();
    ASSERT_TRUE(r.Visible());
    EXPECT_EQ(Form::frontToBack().front(), &r);
    // The race window is where the user goes on typing.
    EXPECT_EQ(Form::activeForm(), &races);
    QCoreApplication::processEvents();
    EXPECT_EQ(Form::frontToBack().front(), &r);
    ASSERT_TRUE(activateByUser(races));
    EXPECT_EQ(Form::frontToBack().front(), &r);
}

TEST_F(ReminderTest, RefilledOnEverySave)
{
    addAthlete({.name = QStringLiteral("A"), .sex = 2, .birthDate = 30000, .id = 1});
    Race.SlotAthleteId[1] = 1;
    SaveRaceFiles();
    SaveRaceFiles();
    EXPECT_EQ(form<Form17>().List1.ListCount(), 1);
}

TEST_F(ReminderTest, ReminderPosition_IsRestoredAndStored)
{
    App.WindowLeft[17] = 1800;
    App.WindowLeftSet[17] = true;
    App.WindowTop[17] = 900;
    Form17 &r = form<Form17>();
    EXPECT_EQ(r.Left(), 1800);
    EXPECT_EQ(r.Top(), 900);
    r.Move(2400, 1200);
    r.Unload();
    EXPECT_EQ(App.WindowLeft[17], 2400);
    EXPECT_EQ(App.WindowTop[17], 1200);
    const QByteArray positions = readBytes(QStringLiteral("TopLeft.dat"));
    EXPECT_EQ(positions.count("\r\n"), 120);
    EXPECT_TRUE(positions.contains(QByteArray("\r\n 1200 \r\n 2400 \r\n")));
}

TEST_F(ReminderTest, NoRace_NoFiles)
{
    Race.ActiveRaceNo = 0;
    Race.SlotAthleteId[1] = 0;
    SaveRaceFiles();
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("R 0.dat"))));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("K 0.lst"))));
}

// The saves a window makes while it is open leave the reminder as the last
// reminding save left it, shown or not, and read no athlete.
TEST_F(ReminderTest, SaveWithoutReminder_WritesTheFilesAndLeavesTheReminderAsItIs)
{
    addAthlete({.name = QStringLiteral("MAIER Hans"), .sex = 1, .birthDate = 30000, .id = 1});
    addAthlete({.name = QStringLiteral("HUBER Eva"), .sex = 2, .birthDate = NoBirthDate, .id = 2});
    Race.SlotAthleteId[1] = 2;
    Race.SlotTime1[1] = 61.5;

    EXPECT_TRUE(SaveRaceFilesWithoutReminder());
    EXPECT_FALSE(isLoaded<Form17>());
    EXPECT_EQ(readBytes(QStringLiteral("R 3.dat")).split('\n').at(7), QByteArray("61,5\r"));

    SaveRaceFiles();
    ASSERT_TRUE(form<Form17>().Visible());
    Rec.CurrentAthleteId = 1;
    Race.SlotAthleteId[4] = 1;
    Race.SlotTime1[1] = 62;
    EXPECT_TRUE(SaveRaceFilesWithoutReminder());
    EXPECT_TRUE(form<Form17>().Visible());
    EXPECT_EQ(form<Form17>().List1.ListCount(), 2);
    EXPECT_EQ(Rec.CurrentAthleteId, 1);
    EXPECT_EQ(readBytes(QStringLiteral("R 3.dat")).split('\n').at(7), QByteArray("62\r"));

    // A failed save beeps, as every failed save does; without a race there
    // is nothing to write.
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("K 3.lst"))));
    ASSERT_TRUE(QDir(path(QString())).mkdir(QStringLiteral("K 3.lst")));
    const int beeps = beepCount();
    EXPECT_FALSE(SaveRaceFilesWithoutReminder());
    EXPECT_EQ(beepCount() - beeps, 1);
    Race.ActiveRaceNo = 0;
    EXPECT_TRUE(SaveRaceFilesWithoutReminder());
    EXPECT_EQ(beepCount() - beeps, 1);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("R 0.dat"))));
}

} // namespace
