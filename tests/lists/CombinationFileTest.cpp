// The combination file of a race: its layout byte for byte, reading it back,
// and short or missing files.
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

#include "TestSupport.h"
#include "core/SharedState.h"
#include "lists/CombinationFile.h"
#include "lists/CupTable.h"
#include "platform/TextFile.h"

namespace {

class CombinationFileTest : public DataDirTest {
protected:
    void SetUp() override
    {
        DataDirTest::SetUp();
        Rec.RaceRecordNo = 12;
    }

    // A two-race combination of two participants.
    static void fillTwoRaces()
    {
        CupTable.CombiRaceNames[1] = QStringLiteral("Slalom Süd");
        CupTable.CombiRaceNames[2] = QStringLiteral("RS");
        CupTable.CupAthleteNo[1] = 17;
        CupTable.CombiTimes[1][0] = 132.45;
        CupTable.CombiTimes[1][1] = 65.32;
        CupTable.CombiTimes[1][2] = 67.13;
        CupTable.CupAthleteNo[2] = 4;
        CupTable.CombiTimes[2][0] = 122.5;
        CupTable.CombiTimes[2][1] = 122.5;
    }
};

} // namespace

TEST_F(CombinationFileTest, NameOfTheFile)
{
    EXPECT_EQ(CombinationFileName(), QStringLiteral("Z 12.dat"));
    App.DataDir = QStringLiteral("daten/");
    EXPECT_EQ(CombinationFileName(), QStringLiteral("daten/Z 12.dat"));
}

TEST_F(CombinationFileTest, TwoRaceCombinationLayout)
{
    fillTwoRaces();
    ASSERT_TRUE(WriteCombinationFile());
    ASSERT_TRUE(CombinationFileExists());

    const QByteArray bytes = readBytes(QStringLiteral("Z 12.dat"));
    QStringList head = {QStringLiteral("Slalom Süd"), QStringLiteral("RS")};
    for (int k = 3; k <= 10; ++k)
        head << QString();
    head << " 17 " << " 132,45 " << " 65,32 " << " 67,13 ";
    for (int c = 3; c <= 10; ++c)
        head << " 0 ";
    head << " 4 " << " 122,5 " << " 122,5 " << " 0 ";
    const QByteArray expected = crlfLines(head);   // Windows-1252, as on disk
    ASSERT_GE(bytes.size(), expected.size());
    EXPECT_EQ(bytes.left(expected.size()), expected);

    // Always all 1000 participant blocks: 12,010 lines, the last blocks empty.
    const QList<QByteArray> lines = bytes.split('\n');
    EXPECT_EQ(lines.size(), CombinationFileLines + 1);   // after the last CR LF: nothing
    EXPECT_TRUE(lines.last().isEmpty());
    EXPECT_EQ(bytes.count("\r\n"), CombinationFileLines);
    const QByteArray emptyBlock = crlfLines(QStringList(12, QStringLiteral(" 0 ")));
    EXPECT_TRUE(bytes.endsWith(emptyBlock));
}

TEST_F(CombinationFileTest, ReadsBackWhatWasWritten)
{
    fillTwoRaces();
    CupTable.CombiRaceNames[10] = QStringLiteral("Zehnter");
    CupTable.CupAthleteNo[1000] = 999;
    CupTable.CombiTimes[1000][10] = 1234.56789012345;   // 15 significant digits
    CupTable.CombiTimes[3][4] = -1.5;
    ASSERT_TRUE(WriteCombinationFile());
    const auto written = std::make_unique<CupTableState>(CupTable);

    // Leftovers of another use of the table are gone after reading.
    CupTable.clear();
    CupTable.CombiTimes[5][5] = 7;
    CupTable.CupAthleteNo[5] = 3;
    CupTable.CombiRaceNames[3] = QStringLiteral("alt");

    EXPECT_EQ(ReadCombinationFile(), CombinationFileLines);
    EXPECT_EQ(CupTable.CombiRaceNames, written->CombiRaceNames);
    EXPECT_EQ(CupTable.CupAthleteNo, written->CupAthleteNo);
    for (int i = 1; i <= CupRows; ++i)
        for (int c = 0; c <= CupColumns; ++c)
            ASSERT_NEAR(CupTable.CombiTimes[i][c], written->CombiTimes[i][c], 1e-12) << i << "," << c;
}

TEST_F(CombinationFileTest, ShortAndMissingFiles)
{
    // Missing: nothing read, the tables cleared.
    CupTable.CupAthleteNo[1] = 8;
    CupTable.CombiRaceNames[1] = QStringLiteral("alt");
    EXPECT_FALSE(CombinationFileExists());
    EXPECT_EQ(ReadCombinationFile(), 0);
    EXPECT_EQ(CupTable.CupAthleteNo[1], 0);
    EXPECT_TRUE(CupTable.CombiRaceNames[1].isEmpty());

    struct Case {
        QStringList lines;
        int athlete1, athlete2;
        double sum1, time1, sum2;
    };
    const Case cases[] = {
        // Only some of the names.
        {{"Eins", "Zwei"}, 0, 0, 0, 0, 0},
        // Names and the first block up to its first race time.
        {{"Eins", "Zwei", "", "", "", "", "", "", "", "", " 7 ", " 100,5 ", " 50,25 "}, 7, 0, 100.5,
         50.25, 0},
        // A second block cut after its athlete number.
        {{"Eins", "Zwei", "", "", "", "", "", "", "", "", " 7 ", " 100,5 ", " 50,25 ", " 0 ", " 0 ",
          " 0 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 ", " 9 "},
         7, 9, 100.5, 50.25, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.lines.size());
        writeBytes(QStringLiteral("Z 12.dat"), crlfLines(c.lines));
        EXPECT_EQ(ReadCombinationFile(), c.lines.size());
        EXPECT_EQ(CupTable.CombiRaceNames[1], QStringLiteral("Eins"));
        EXPECT_EQ(CupTable.CombiRaceNames[2], QStringLiteral("Zwei"));
        EXPECT_EQ(CupTable.CupAthleteNo[1], c.athlete1);
        EXPECT_EQ(CupTable.CupAthleteNo[2], c.athlete2);
        EXPECT_EQ(CupTable.CombiTimes[1][0], c.sum1);
        EXPECT_EQ(CupTable.CombiTimes[1][1], c.time1);
        EXPECT_EQ(CupTable.CombiTimes[2][0], c.sum2);
        EXPECT_EQ(CupTable.CupAthleteNo[3], 0);
    }
    // Where the times of a cut block stand.
    EXPECT_EQ(CombinationTimeLine(1, 0), 12);
    EXPECT_EQ(CombinationTimeLine(1, 1), 13);
    EXPECT_EQ(CombinationTimeLine(1000, 10), CombinationFileLines);
}

TEST_F(CombinationFileTest, AFailedWriteIsReported)
{
    fillTwoRaces();
    App.DataDir = QStringLiteral("fehlt/");
    EXPECT_FALSE(WriteCombinationFile());
    EXPECT_FALSE(CombinationFileExists());
}

TEST_F(CombinationFileTest, TheTableIsPartOfTheSharedStateReset)
{
    fillTwoRaces();
    CupTable.CupPlace[3][2] = 99;
    CupTable.CupRaceCount = 2;
    CupTable.CupClassNames[159] = QStringLiteral("U16");
    resetAllSharedState();
    EXPECT_EQ(CupTable.CupAthleteNo[1], 0);
    EXPECT_EQ(CupTable.CombiTimes[1][0], 0);
    EXPECT_EQ(CupTable.CupPlace[3][2], 0);
    EXPECT_EQ(CupTable.CupRaceCount, 0);
    EXPECT_TRUE(CupTable.CombiRaceNames[1].isEmpty());
    EXPECT_TRUE(CupTable.CupClassNames[159].isEmpty());
}
