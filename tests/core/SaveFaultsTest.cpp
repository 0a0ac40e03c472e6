// Saves whose file-system steps fail on demand: every file the program
// writes in this folder, and the four race files as one set.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <functional>

#include "FileFaults.h"
#include "RaceGeneration.h"
#include "TestSupport.h"
#include "core/Form17.h"
#include "core/RaceFiles.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "core/StartUp.h"
#include "platform/Beep.h"
#include "platform/Clock.h"

namespace {

class SaveFaultsTest : public SeasonDataDirTest {
protected:

    // The data folder's files with their bytes.
    QMap<QString, QByteArray> folder() const
    {
        QMap<QString, QByteArray> files;
        for (const QString &f : QDir(path("")).entryList(QDir::Files | QDir::Hidden))
            files[f] = readBytes(f);
        return files;
    }

    void restore(const QMap<QString, QByteArray> &files)
    {
        for (const QString &f : QDir(path("")).entryList(QDir::Files | QDir::Hidden))
            if (!files.contains(f))
                QFile::remove(path(f));
        for (auto it = files.begin(); it != files.end(); ++it)
            writeBytes(it.key(), it.value());
    }

    // A race saved as generation oldGen into an empty folder, then as
    // oldGen + 1 over it: the folder after each save and the file steps of
    // the second one.
    struct TwoRaceSaves {
        QMap<QString, QByteArray> oldFiles, newFiles;
        int steps = 0;
    };
    void saveRaceTwice(int oldGen, TwoRaceSaves &out)
    {
        restore({});
        setRaceGeneration(oldGen);
        ASSERT_TRUE(WriteRaceFiles());
        out.oldFiles = folder();
        setRaceGeneration(oldGen + 1);
        out.steps = fileStepsOf([] { WriteRaceFiles(); });
        out.newFiles = folder();
    }

    FileFaultGuard guard_;
};

// Zirpa.dat and TopLeft.dat: a full disk after any number of bytes, or any
// failed step, beeps and keeps the old file byte for byte.
TEST_F(SaveFaultsTest, SettingsAndWindowPositions_AFailedSaveBeepsAndKeepsTheOldFile)
{
    const struct {
        const char *file;
        std::function<void(int)> save;   // the argument makes the content new
    } cases[] = {
        {"Zirpa.dat",
         [](int n) {
             Rec.AthleteCount = 100 + n;
             WriteSettingsFile();
         }},
        {"TopLeft.dat",
         [](int n) {
             App.WindowTop[4] = 1000 + n;
             SaveWindowPositions();
         }},
    };
    for (const auto &c : cases) {
        const QString file = QString::fromLatin1(c.file);
        c.save(0);
        const QByteArray old = readBytes(file);
        const int size = int(old.size());
        const int steps = fileStepsOf([&] { c.save(1); });
        int round = 2;
        for (const qint64 limit : {qint64(0), qint64(1), qint64(size / 2), qint64(size - 1)}) {
            writeBytes(file, old);
            resetBeepCount();
            fileops::faults::failAfterBytes(limit, ENOSPC);
            c.save(round++);
            fileops::faults::clear();
            EXPECT_EQ(beepCount(), 1) << c.file << " " << limit;
            EXPECT_EQ(readBytes(file), old) << c.file << " " << limit;
        }
        for (int step = 1; step < steps; ++step) {   // the last is the folder sync
            writeBytes(file, old);
            resetBeepCount();
            fileops::faults::failStep(step, EIO);
            c.save(round++);
            fileops::faults::clear();
            EXPECT_EQ(beepCount(), 1) << c.file << " step " << step;
            EXPECT_EQ(readBytes(file), old) << c.file << " step " << step;
        }
        EXPECT_EQ(QDir(path("")).entryList({"*.tmp"}, QDir::Files), QStringList()) << c.file;
    }
}

// A record write that fails beeps; a new record is neither left half on the
// disk nor counted.
TEST_F(SaveFaultsTest, RecordFiles_AFailedWriteBeepsAndANewRecordDoesNotCount)
{
    OpenClubFile();
    OpenAthleteFile();
    OpenRaceFile();
    const struct {
        const char *file;
        int length;
        std::function<void()> write;
        std::function<int()> count;
    } cases[] = {
        {"Verein.rec", ClubRecordLength,
         [] {
             Rec.CurrentClubNo = Rec.ClubCount + 1;
             Rec.ClubShortName = QStringLiteral("SC Alpen");
             WriteClubRecord();
         },
         [] { return Rec.ClubCount; }},
        {"Laeufer.rec", AthleteRecordLength,
         [] {
             Rec.CurrentAthleteId = Rec.AthleteCount + 1;
             Rec.AthleteName = QStringLiteral("MAIER Hans");
             WriteAthleteRecord();
         },
         [] { return Rec.AthleteCount; }},
        {"Rennen.rec", RaceRecordLength,
         [] {
             Rec.RaceRecordNo = Rec.RaceCount + 1;
             Rec.RaceName = QStringLiteral("Vereinsmeisterschaft");
             WriteRaceHeader();
         },
         [] { return Rec.RaceCount; }},
    };
    for (const auto &c : cases) {
        c.write();
        ASSERT_EQ(c.count(), 1) << c.file;
        const QByteArray oldRecords = readBytes(c.file);
        const QByteArray oldSettings = readBytes("Zirpa.dat");
        for (const int failure : {0, 1, 2}) {   // a full disk, a failed write, a failed sync
            resetBeepCount();
            if (failure == 0)
                fileops::faults::failAfterBytes(c.length / 2, ENOSPC);
            else
                fileops::faults::failStep(failure, EIO);
            c.write();
            fileops::faults::clear();
            EXPECT_EQ(beepCount(), 1) << c.file << " " << failure;
            EXPECT_EQ(c.count(), 1) << c.file << " " << failure;
            EXPECT_EQ(readBytes(c.file), oldRecords) << c.file << " " << failure;
            EXPECT_EQ(readBytes("Zirpa.dat"), oldSettings) << c.file << " " << failure;
        }
        resetBeepCount();
        c.write();
        EXPECT_EQ(beepCount(), 0) << c.file;
        EXPECT_EQ(c.count(), 2) << c.file;
    }
}

// A failure at any step of a race save: the save reports it, and the race
// then loads as the old set or, once the set counted, as the new one;
// never a mix, and nothing of the save is left in the folder.
TEST_F(SaveFaultsTest, RaceSet_AFailedStepNeverMixesTwoSaves)
{
    for (const int oldGen : {4, 5}) {   // with and without a team file before
        const int newGen = oldGen + 1;
        TwoRaceSaves saves;
        ASSERT_NO_FATAL_FAILURE(saveRaceTwice(oldGen, saves));
        const auto &[oldFiles, newFiles, steps] = saves;
        ASSERT_NE(oldFiles, newFiles);
        int keptOld = 0;
        for (int step = 1; step <= steps; ++step) {
            restore(oldFiles);
            setRaceGeneration(newGen);
            resetBeepCount();
            fileops::faults::failStep(step, ENOSPC);
            SaveRaceFiles();
            fileops::faults::clear();
            EXPECT_EQ(beepCount(), 1) << oldGen << " step " << step;
            LoadRaceFiles();
            const int loaded = loadedRaceGeneration();
            EXPECT_TRUE(loaded == oldGen || loaded == newGen) << oldGen << " step " << step;
            const auto now = folder();
            EXPECT_TRUE(now == oldFiles || now == newFiles) << oldGen << " step " << step;
            keptOld += now == oldFiles;
        }
        // Writing the temporary files and the marker comes first: a failure
        // there keeps the old set.
        EXPECT_GE(keptOld, 8) << oldGen;
    }
}

// A crash at any step (that step and every later one never happen): the
// next load finishes or throws away what the save left.
TEST_F(SaveFaultsTest, RaceSet_ACrashAtAnyStepLoadsOneWholeSave)
{
    for (const int oldGen : {4, 5}) {
        const int newGen = oldGen + 1;
        TwoRaceSaves saves;
        ASSERT_NO_FATAL_FAILURE(saveRaceTwice(oldGen, saves));
        const auto &[oldFiles, newFiles, steps] = saves;
        bool sawOld = false;
        bool sawNew = false;
        for (int step = 1; step <= steps; ++step) {
            restore(oldFiles);
            setRaceGeneration(newGen);
            fileops::faults::failStep(step, EIO, true);
            WriteRaceFiles();
            fileops::faults::clear();
            LoadRaceFiles();
            const int loaded = loadedRaceGeneration();
            EXPECT_TRUE(loaded == oldGen || loaded == newGen) << oldGen << " step " << step;
            const auto now = folder();
            EXPECT_TRUE(now == oldFiles || now == newFiles) << oldGen << " step " << step;
            sawOld = sawOld || loaded == oldGen;
            sawNew = sawNew || loaded == newGen;
            // A save after the crash writes the new set whole.
            setRaceGeneration(newGen + 1);
            ASSERT_TRUE(WriteRaceFiles()) << step;
            LoadRaceFiles();
            EXPECT_EQ(loadedRaceGeneration(), newGen + 1) << step;
        }
        EXPECT_TRUE(sawOld && sawNew) << oldGen;
    }
}

// The marker names the files it finishes; a marker received with a race
// cannot make loading rename or remove anything else.
TEST_F(SaveFaultsTest, RaceSet_AMarkerTouchesOnlyTheFilesOfItsRace)
{
    setRaceGeneration(2);
    ASSERT_TRUE(WriteRaceFiles());
    writeBytes("victim", "precious");
    writeBytes("victim.tmp", "other");
    writeBytes("R 5.set", "-victim\r\nvictim\r\n-../victim\r\n-Zirpa.dat\r\n");
    writeBytes("Zirpa.dat", " 1 \r\n");
    LoadRaceFiles();
    EXPECT_EQ(loadedRaceGeneration(), 2);
    EXPECT_EQ(readBytes("victim"), "precious");
    EXPECT_EQ(readBytes("victim.tmp"), "other");
    EXPECT_EQ(readBytes("Zirpa.dat"), " 1 \r\n");
    EXPECT_FALSE(QFileInfo::exists(path("R 5.set")));
}

} // namespace
