// Saves on a real full disk, killed in the middle, into links and from files
// with a byte-order mark: no injected fault, the program as it runs.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <chrono>
#include <csignal>
#include <random>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include "GuiTestHelpers.h"
#include "RaceGeneration.h"
#include "TestSupport.h"
#include "core/Form1.h"
#include "core/Form17.h"
#include "core/Form4.h"
#include "core/Form9.h"
#include "core/RaceFiles.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "core/StartUp.h"
#include "platform/Beep.h"
#include "platform/Clock.h"

namespace {

class SaveCrashTest : public SeasonDataDirTest {
protected:

    void TearDown() override
    {
        if (mounted_)
            ::umount2(QFile::encodeName(path("disk")).constData(), MNT_DETACH);
        DataDirTest::TearDown();
    }

    // A 64 KiB disk of its own as the data folder "disk/"; false where the
    // system does not let the test mount one.
    bool mountSmallDisk()
    {
        if (!QDir(path("")).mkdir("disk"))
            return false;
        mounted_ = ::mount("tmpfs", QFile::encodeName(path("disk")).constData(), "tmpfs", 0,
                           "size=64k")
            == 0;
        if (mounted_)
            App.DataDir = QStringLiteral("disk/");
        return mounted_;
    }

    // Fills the disk up to its last byte.
    void fillDisk()
    {
        QFile filler(path("disk/filler"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(512, 'x');
        while (filler.write(block) > 0) {
        }
        while (filler.write("x", 1) > 0) {
        }
    }

    QMap<QString, QByteArray> raceFiles() const
    {
        QMap<QString, QByteArray> files;
        for (const char *name : {"R 5.dat", "M 5.lst", "G 5.lst", "K 5.lst"}) {
            const QString file = App.DataDir + QString::fromLatin1(name);
            files[name] = QFileInfo::exists(file) ? readBytes(file) : QByteArray("(none)");
        }
        return files;
    }

private:
    bool mounted_ = false;
};

TEST_F(SaveCrashTest, FullDisk_EverySaveBeepsAndKeepsItsOldFile)
{
    if (!mountSmallDisk())
        GTEST_SKIP() << "no disk of its own can be mounted here";
    Rec.AthleteCount = 120;
    Rec.ClubCount = 14;
    Rec.RaceCount = 7;
    WriteSettingsFile();
    App.WindowTop[3] = 1500;
    SaveWindowPositions();
    setRaceGeneration(4);
    ASSERT_TRUE(WriteRaceFiles());
    const QByteArray settings = readBytes("disk/Zirpa.dat");
    const QByteArray positions = readBytes("disk/TopLeft.dat");
    const auto race = raceFiles();
    ASSERT_EQ(beepCount(), 0);

    fillDisk();
    Rec.AthleteCount = 121;
    WriteSettingsFile();
    EXPECT_EQ(beepCount(), 1);
    App.WindowTop[3] = 3000;
    SaveWindowPositions();
    EXPECT_EQ(beepCount(), 2);
    setRaceGeneration(5);
    SaveRaceFiles();
    EXPECT_EQ(beepCount(), 3);

    EXPECT_EQ(readBytes("disk/Zirpa.dat"), settings);
    EXPECT_EQ(readBytes("disk/TopLeft.dat"), positions);
    EXPECT_EQ(raceFiles(), race);
    ReadSettingsFile();
    EXPECT_EQ(Rec.AthleteCount, 120);
    EXPECT_EQ(Rec.ClubCount, 14);
    EXPECT_EQ(Rec.RaceCount, 7);
    LoadRaceFiles();
    EXPECT_EQ(loadedRaceGeneration(), 4);

    // A new athlete that finds no room is not counted.
    OpenAthleteFile();
    ClearAthleteFields();
    Rec.AthleteName = QStringLiteral("MAIER Hans");
    Rec.CurrentAthleteId = 121;
    const int before = beepCount();
    WriteAthleteRecord();
    EXPECT_EQ(beepCount(), before + 1);
    EXPECT_EQ(Rec.AthleteCount, 120);
    EXPECT_EQ(readBytes("disk/Laeufer.rec").size() % AthleteRecordLength, 0);
    CloseAthleteFile();
}

// A child saves the race again and again and is killed at a random moment;
// whatever it left, the next load finds one whole save.
TEST_F(SaveCrashTest, KilledWhileSaving_TheNextLoadFindsOneWholeSave)
{
    setRaceGeneration(1);
    ASSERT_TRUE(WriteRaceFiles());
    std::mt19937 random(20261211);
    std::uniform_int_distribution<int> delay(200, 30000);   // microseconds
    int mixed = 0;
    int generation = 1;
    for (int round = 0; round < 40; ++round) {
        const int first = generation + 1;
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int gen = first;; ++gen) {
                setRaceGeneration(gen);
                WriteRaceFiles();
            }
        }
        ::usleep(useconds_t(delay(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));
        LoadRaceFiles();
        const int gen = loadedRaceGeneration();
        if (gen < 0)
            ++mixed;
        else
            generation = std::max(generation, gen) + 1000;
    }
    EXPECT_EQ(mixed, 0);
    // Nothing of an interrupted save is left once the race has been loaded.
    for (const QString &f : QDir(path("")).entryList(QDir::Files))
        EXPECT_FALSE(f.endsWith(".tmp") || f.endsWith(".set")) << f.toStdString();
}

TEST_F(SaveCrashTest, ByteOrderMark_SettingsFileReadsItsCounts)
{
    writeBytes("Zirpa.dat", "\xEF\xBB\xBF 12 \r\n 3 \r\n 4 \r\n 0 \r\n");
    ReadSettingsFile();
    EXPECT_EQ(Rec.AthleteCount, 12);
    EXPECT_EQ(Rec.ClubCount, 3);
    EXPECT_EQ(Rec.RaceCount, 4);
    WriteSettingsFile();
    EXPECT_EQ(readBytes("Zirpa.dat"), " 12 \r\n 3 \r\n 4 \r\n 0 \r\n");
}

// A data file that is a link to a file outside: the save replaces the link.
TEST_F(SaveCrashTest, LinkOutOfTheDataFolder_ASaveNeverOverwritesItsTarget)
{
    ASSERT_TRUE(QDir(path("")).mkdir("data"));
    writeBytes("victim", "precious\r\n");
    App.DataDir = QStringLiteral("data/");
    for (const char *name : {"TopLeft.dat", "Zirpa.dat", "R 5.dat", "K 5.lst"})
        ASSERT_TRUE(QFile::link("../victim", path(QStringLiteral("data/") + name)));
    SaveWindowPositions();
    WriteSettingsFile();
    setRaceGeneration(2);
    ASSERT_TRUE(WriteRaceFiles());
    EXPECT_EQ(beepCount(), 0);
    EXPECT_EQ(readBytes("victim"), "precious\r\n");
    for (const char *name : {"TopLeft.dat", "Zirpa.dat", "R 5.dat", "K 5.lst"})
        EXPECT_FALSE(QFileInfo(path(QStringLiteral("data/") + name)).isSymLink()) << name;
    LoadRaceFiles();
    EXPECT_EQ(loadedRaceGeneration(), 2);

    // A record file that leads out is read, but a write beeps.
    writeBytes("victim", QByteArray(AthleteRecordLength, ' '));
    ASSERT_TRUE(QFile::link("../victim", path("data/Laeufer.rec")));
    OpenAthleteFile();
    Rec.AthleteCount = 1;
    Rec.CurrentAthleteId = 1;
    ClearAthleteFields();
    Rec.AthleteName = QStringLiteral("MAIER Hans");
    WriteAthleteRecord();
    EXPECT_EQ(beepCount(), 1);
    EXPECT_EQ(readBytes("victim"), QByteArray(AthleteRecordLength, ' '));
    CloseAthleteFile();
}

using InterruptedSaveDeletionTest = WindowDataTest;

// A save that a crash cut off after it counted: deleting the race must not
// leave it to be finished, and the files back, at the next load.
TEST_F(InterruptedSaveDeletionTest, DeletingTheRaceDoesNotBringItsFilesBack)
{
    Form1 &main = form<Form1>();
    main.Show();
    main.Command3.click();
    Form4 &races = form<Form4>();
    races.Text2.setText(QStringLiteral("Vereinslauf"));
    races.Command7.click();
    ASSERT_EQ(Rec.RaceCount, 1);
    Race.ActiveRaceNo = 1;
    setRaceGeneration(3);
    ASSERT_TRUE(WriteRaceFiles());
    // What such a crash leaves: the new R file beside the old one and the
    // marker that says it replaces it.
    writeBytes("R 1.dat.tmp", readBytes("R 1.dat"));
    writeBytes("R 1.set", "R 1.dat\r\n");

    races.Command9.click();
    form<Form9>().Command1.click();
    destroyUnloadedWindows();
    for (const char *name : {"R 1.dat", "R 1.dat.tmp", "R 1.set", "K 1.lst", "G 1.lst"})
        EXPECT_FALSE(QFileInfo::exists(path(QString::fromLatin1(name)))) << name;
    Race.ActiveRaceNo = 1;
    LoadRaceFiles();
    EXPECT_EQ(Race.SlotAthleteId[1], 0);
}

} // namespace
