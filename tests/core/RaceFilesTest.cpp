#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>

#include "TestSupport.h"
#include "RaceBuilder.h"
#include "core/RaceFiles.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "core/StartUp.h"
#include "platform/Beep.h"
#include "platform/Clock.h"
#include "platform/NumberText.h"
#include "platform/TextFile.h"

namespace {

class RaceFilesTest : public SeasonDataDirTest, protected RaceBuilder {
protected:
    void SetUp() override
    {
        SeasonDataDirTest::SetUp();
        OpenAthleteFile();
    }


    QStringList lines(const QString &name)
    {
        const QByteArray bytes = readBytes(name);
        QStringList out = QString::fromLatin1(bytes).split(QStringLiteral("\r\n"));
        if (!out.isEmpty() && out.last().isEmpty())
            out.removeLast();
        return out;
    }
};

TEST_F(RaceFilesTest, FileNames_CarryTheRaceNumberWithItsBlank)
{
    Race.ActiveRaceNo = 12;
    EXPECT_EQ(RaceFileName(u'R', QStringLiteral(".dat")), QStringLiteral("R 12.dat"));
    Race.ActiveRaceNo = 5;
    EXPECT_EQ(RaceFileName(u'K', QStringLiteral(".lst")), QStringLiteral("K 5.lst"));
    App.DataDir = QStringLiteral("daten/");
    EXPECT_EQ(RaceFileName(u'Z', QStringLiteral(".dat")), QStringLiteral("daten/Z 5.dat"));
}

TEST_F(RaceFilesTest, EntryBlock_IsByteExact)
{
    Race.SlotAthleteId[1] = 17;
    Race.SlotStartNo[1] = 7;
    Race.SlotClass[1] = 3;
    Race.SlotClub[1] = 1;
    Race.SlotGroup[1] = 0;
    Race.SlotPaid[1] = 1;
    Race.SlotPoints[1] = 12.5f;
    Race.SlotTime1[1] = 65.32;
    Race.SlotReserve[1] = 0;
    Race.SlotStatus1[1] = 0;
    Race.SlotGuest[1] = 1;
    Race.SlotTeam[1] = 2;
    Race.SlotTime2[1] = 0;
    Race.SlotStatus2[1] = 3;
    Race.SlotBoarder[1] = 0;
    Race.SlotClassCell[1] = 21;
    ASSERT_TRUE(WriteRaceFiles());
    EXPECT_EQ(readBytes(QStringLiteral("R 5.dat")),
              crlfLines({" 17 ", " 7 ", " 3 ", " 1 ", " 0 ", " 1 ", "12,5", "65,32", " 0 ", " 0 ",
                         " 1 ", " 2 ", "0", " 3 ", " 0 ", " 21 ", "", "", "", "", "", "", ""}));
}

TEST_F(RaceFilesTest, SaveAndLoad_RenumberSlotsAndKeepValues)
{
    Race.SlotAthleteId[2] = 4;
    Race.SlotTime1[2] = 59.99;
    Race.SlotPoints[2] = 0.25f;
    Race.SlotAthleteId[5] = 9;
    Race.SlotTime2[5] = 3932.5;
    Race.SlotStartNo[5] = 12;
    Race.SlotClassCell[5] = 159;
    ASSERT_TRUE(WriteRaceFiles());
    EXPECT_EQ(lines(QStringLiteral("R 5.dat")).size(), 46);

    Race.SlotClassCell[1] = 0;
    Race.SlotClassCell[2] = 0;
    LoadRaceFiles();
    EXPECT_EQ(Race.SlotAthleteId[1], 4);
    EXPECT_EQ(Race.SlotTime1[1], 59.99);
    EXPECT_EQ(Race.SlotPoints[1], 0.25f);
    EXPECT_EQ(Race.SlotAthleteId[2], 9);
    EXPECT_EQ(Race.SlotTime2[2], 3932.5);
    EXPECT_EQ(Race.SlotStartNo[2], 12);
    EXPECT_EQ(Race.SlotClassCell[2], 159);
    for (int i = 3; i <= MaxSlots; ++i)
        ASSERT_EQ(Race.SlotAthleteId[i], 0) << i;
}

TEST_F(RaceFilesTest, Loading_RepairsStatusAndTeam)
{
    writeBytes(QStringLiteral("R 5.dat"),
               crlfLines({" 1 ", " 0 ", " 0 ", " 1 ", " 0 ", " 0 ", "0", "61,5", " 0 ", " 7 ", " 0 ",
                          "-3 ", "abc", " 7 ", " 0 ", " 0 ", "", "", "", "", "", "", ""}));
    LoadRaceFiles();
    EXPECT_EQ(Race.SlotAthleteId[1], 1);
    EXPECT_EQ(Race.SlotTime1[1], 61.5);
    EXPECT_EQ(Race.SlotStatus1[1], 0);
    EXPECT_EQ(Race.SlotTeam[1], 0);
    EXPECT_EQ(Race.SlotTime2[1], 0.0);
    EXPECT_EQ(Race.SlotStatus2[1], 7);
}

TEST_F(RaceFilesTest, ShortAndOddFiles_FillWhatTheyHold)
{
    // A block cut after its third value, written with LF only.
    writeBytes(QStringLiteral("R 5.dat"), QByteArray(" 8 \n 3 \n 2"));
    Race.SlotAthleteId[2] = 77;
    LoadRaceFiles();
    EXPECT_EQ(Race.SlotAthleteId[1], 8);
    EXPECT_EQ(Race.SlotStartNo[1], 3);
    EXPECT_EQ(Race.SlotClass[1], 2);
    EXPECT_EQ(Race.SlotAthleteId[2], 0);

    // An empty file is a race without entries.
    writeBytes(QStringLiteral("R 5.dat"), QByteArray());
    LoadRaceFiles();
    EXPECT_EQ(Race.SlotAthleteId[1], 0);
}

TEST_F(RaceFilesTest, MoreThanAThousandBlocks_StopAtSlot1000)
{
    QStringList block = {" 1 ", " 0 ", " 0 ", " 1 ", " 0 ", " 0 ", "0", "0", " 0 ", " 0 ", " 0 ",
                         " 0 ", "0", " 0 ", " 0 ", " 0 ", "", "", "", "", "", "", ""};
    QStringList all;
    for (int i = 0; i < 1005; ++i)
        all += block;
    writeBytes(QStringLiteral("R 5.dat"), crlfLines(all));
    LoadRaceFiles();
    EXPECT_EQ(Race.SlotAthleteId[1000], 1);
}

TEST_F(RaceFilesTest, TeamAndGroupFiles_WrittenWhenAnyNameIsSet)
{
    Race.TeamNames[3] = QStringLiteral("Team Drei");
    Race.GroupNames[100] = QStringLiteral("Gruppe Hundert");
    ASSERT_TRUE(WriteRaceFiles());
    const QStringList m = lines(QStringLiteral("M 5.lst"));
    ASSERT_EQ(m.size(), 100);
    EXPECT_EQ(m[2], QStringLiteral("Team Drei"));
    EXPECT_EQ(lines(QStringLiteral("G 5.lst")).size(), 100);

    LoadRaceFiles();
    EXPECT_EQ(Race.TeamNames[3], QStringLiteral("Team Drei"));
    EXPECT_EQ(Race.GroupNames[100], QStringLiteral("Gruppe Hundert"));

    // Emptied names do not come back: the old files are removed.
    Race.TeamNames[3].clear();
    Race.GroupNames[100].clear();
    ASSERT_TRUE(WriteRaceFiles());
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("M 5.lst"))));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("G 5.lst"))));
    Race.TeamNames[3] = QStringLiteral("x");
    LoadRaceFiles();
    EXPECT_EQ(Race.TeamNames[3], QString());
}

TEST_F(RaceFilesTest, ClassFile_Has380LinesInItsOrder)
{
    LoadRaceFiles();   // no K file: the standard classes
    EXPECT_EQ(Race.ClassNames[1], QStringLiteral("Bambini 1"));
    EXPECT_EQ(Race.ClassYears[1][0], 2021);
    EXPECT_EQ(Race.ClassYears[1][1], 2027);
    EXPECT_EQ(Race.ClassNames[20], QStringLiteral("AK 6"));
    EXPECT_EQ(Race.ClassDesignations[0], QString());

    Race.ClassCellOrder[1][1][0][0] = 2;   // sex 1
    Race.ClassCellOrder[1][0][1][0] = 3;   // guest
    Race.ClassCellOrder[1][0][0][1] = 5;   // boarder
    Race.ClassDesignations[0] = QStringLiteral("Bambini 1 weiblich");
    Race.ClassDesignations[159] = QStringLiteral("letzte Zelle");
    ASSERT_TRUE(WriteRaceFiles());
    const QStringList k = lines(QStringLiteral("K 5.lst"));
    ASSERT_EQ(k.size(), 380);
    EXPECT_EQ(k.mid(0, 11), QStringList({"Bambini 1", " 2021 ", " 2027 ", " 0 ", " 2 ", " 3 ", " 0 ",
                                         " 5 ", " 0 ", " 0 ", " 0 "}));
    EXPECT_EQ(k[220], QStringLiteral("Bambini 1 weiblich"));
    EXPECT_EQ(k[379], QStringLiteral("letzte Zelle"));

    Race.ClassCellOrder = {};
    LoadRaceFiles();
    EXPECT_EQ(Race.ClassCellOrder[1][1][0][0], 2);
    EXPECT_EQ(Race.ClassCellOrder[1][0][1][0], 3);
    EXPECT_EQ(Race.ClassCellOrder[1][0][0][1], 5);
    EXPECT_EQ(Race.ClassDesignations[159], QStringLiteral("letzte Zelle"));
    EXPECT_EQ(Race.ClassYears[1][0], 2021);
}

TEST_F(RaceFilesTest, EmptyRace_StillWritesClassFileAndEmptyEntryFile)
{
    ASSERT_TRUE(WriteRaceFiles());
    EXPECT_EQ(readBytes(QStringLiteral("R 5.dat")), QByteArray());
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("R 5.dat"))));
    EXPECT_EQ(lines(QStringLiteral("K 5.lst")).size(), 380);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("M 5.lst"))));
}

TEST_F(RaceFilesTest, FailedWrite_IsReported)
{
    App.DataDir = QStringLiteral("kein-ordner/");
    Race.SlotAthleteId[1] = 1;
    EXPECT_FALSE(WriteRaceFiles());
}

// The four files are one set: one that cannot be written keeps all four old
// ones, byte for byte, and leaves no temporary file behind.
TEST_F(RaceFilesTest, FailedWrite_OfOneFileKeepsAllFourOldFiles)
{
    Race.SlotAthleteId[1] = 17;
    Race.TeamNames[1] = QStringLiteral("Team Eins");
    Race.GroupNames[1] = QStringLiteral("Gruppe Eins");
    ASSERT_TRUE(WriteRaceFiles());
    const QStringList names = {"R 5.dat", "M 5.lst", "G 5.lst", "K 5.lst"};
    const QStringList files = QDir(path(QString())).entryList(QDir::Files | QDir::Hidden);

    for (const QString &blocked : names) {
        QMap<QString, QByteArray> before;
        for (const QString &n : names)
            before[n] = readBytes(n);
        ASSERT_TRUE(QFile::remove(path(blocked)));
        ASSERT_TRUE(QDir(path(QString())).mkdir(blocked));
        Race.SlotAthleteId[1] += 1;
        Race.TeamNames[1] += QStringLiteral("+");
        Race.GroupNames[1] += QStringLiteral("+");
        Race.ClassNames[1] += QStringLiteral("+");
        EXPECT_FALSE(WriteRaceFiles()) << blocked.toStdString();
        EXPECT_TRUE(QFileInfo(path(blocked)).isDir()) << blocked.toStdString();
        for (const QString &n : names) {
            if (n == blocked)
                continue;
            EXPECT_EQ(readBytes(n), before[n]) << blocked.toStdString() << " " << n.toStdString();
        }
        ASSERT_TRUE(QDir(path(QString())).rmdir(blocked));
        writeBytes(blocked, before[blocked]);
        EXPECT_EQ(QDir(path(QString())).entryList(QDir::Files | QDir::Hidden), files)
            << blocked.toStdString();
    }
    // Unblocked, the next save writes the set.
    ASSERT_TRUE(WriteRaceFiles());
    EXPECT_EQ(lines(QStringLiteral("M 5.lst"))[0], Race.TeamNames[1]);
    EXPECT_EQ(QDir(path(QString())).entryList(QDir::Files | QDir::Hidden), files);
}

TEST_F(RaceFilesTest, MissingDataLines_NameEachGapInSlotOrder)
{
    addAthlete({.name = QStringLiteral("MAIER Hans"), .sex = 1, .birthDate = 30000, .id = 1});
    addAthlete({.name = QStringLiteral("HUBER Eva"), .sex = 2, .birthDate = NoBirthDate, .id = 2});
    addAthlete({.name = QStringLiteral("BAUER Anna"), .sex = 0, .birthDate = NoBirthDate, .id = 3});
    addAthlete({.name = QStringLiteral("GRUBER Max"), .sex = 2, .birthDate = 30000, .id = 4});
    Race.SlotAthleteId[1] = 1;
    Race.SlotAthleteId[4] = 2;
    Race.SlotAthleteId[6] = 4;
    Race.SlotAthleteId[9] = 3;
    Race.SlotAthleteId[10] = 99;   // outside the file
    const QStringList got = MissingDataLines();
    EXPECT_EQ(got, QStringList({"2   HUBER Eva m/w ?", "2   HUBER Eva Geburtsdatum ?",
                                "4   GRUBER Max m/w ?", "3   BAUER Anna Geburtsdatum ?",
                                "99    m/w ?", "99    Geburtsdatum ?"}));
    EXPECT_EQ(beepCount(), 0);
}

} // namespace
