#include <QFile>
#include <sys/stat.h>

#include "TestSupport.h"
#include "core/SharedState.h"
#include "core/StartUp.h"
#include "platform/Beep.h"
#include "platform/Clock.h"

namespace {

using StartUpTest = DataDirTest;

TEST_F(StartUpTest, SeasonYearOffset_ChangesOnFifthOfJuly)
{
    struct Case {
        QDate today;
        float offset;
    } cases[] = {
        {QDate(2026, 7, 4), 11}, {QDate(2026, 7, 5), 12}, {QDate(2026, 12, 9), 12},
        {QDate(2027, 1, 1), 12}, {QDate(2015, 7, 4), 0},
    };
    for (const Case &c : cases) {
        sysclock::setFixedNow(QDateTime(c.today, QTime(23, 59)));
        ComputeSeasonYearOffset();
        EXPECT_EQ(App.SeasonYearOffset, c.offset) << c.today.toString().toStdString();
    }
}

TEST_F(StartUpTest, StandardClassTable_MovesWithTheSeason)
{
    sysclock::setFixedNow(QDateTime(QDate(2026, 12, 9), QTime(8, 0)));
    ComputeSeasonYearOffset();
    LoadStandardClassTable();
    EXPECT_EQ(App.StandardClassNames[1], QStringLiteral("Bambini 1"));
    EXPECT_EQ(App.StandardClassYears[1], (std::array<int, 2>{2021, 2027}));
    EXPECT_EQ(App.StandardClassNames[14], QStringLiteral("Allg. Kl."));
    EXPECT_EQ(App.StandardClassYears[14], (std::array<int, 2>{1997, 2005}));
    EXPECT_EQ(App.StandardClassNames[20], QStringLiteral("AK 6"));
    EXPECT_EQ(App.StandardClassYears[20], (std::array<int, 2>{1912, 1946}));
    EXPECT_EQ(App.StandardClassNames[8], QStringLiteral("Schüler U13"));
    // The classes join without a gap, youngest first.
    for (int k = 2; k <= ClassCount; ++k)
        EXPECT_EQ(App.StandardClassYears[k][1] + 1, App.StandardClassYears[k - 1][0]) << k;
}

TEST_F(StartUpTest, StatusNamesAndColourTable)
{
    SetStatusNames();
    EXPECT_EQ(App.StatusNames[0], QStringLiteral("ok"));
    EXPECT_EQ(App.StatusNames[1], QStringLiteral("naS"));
    EXPECT_EQ(App.StatusNames[2], QStringLiteral("niZ"));
    EXPECT_EQ(App.StatusNames[3], QStringLiteral("dis"));
    for (int i = 4; i <= 10; ++i)
        EXPECT_EQ(App.StatusNames[i], QString());
    SetColourTable();
    EXPECT_EQ(App.ColourTable[0], 224 + 256 * 224 + 65536 * 224);
    EXPECT_EQ(App.ColourTable[1], 192 + 256 * 255 + 65536 * 255);
    EXPECT_EQ(App.ColourTable[2], 256 * 128);
    EXPECT_EQ(App.ColourTable[3], 192);
    EXPECT_EQ(App.ColourTable[6], 192 + 256 * 255 + 65536 * 192);
    EXPECT_EQ(App.ColourTable[8], 16777215);
}

TEST_F(StartUpTest, WindowPositions_WriteAllSlotsAndRestoreNegativesAsPositive)
{
    EXPECT_FALSE(ReadWindowPositions());
    App.WindowTop[1] = 1500;
    App.WindowLeft[1] = 3000;
    App.WindowLeftSet[1] = true;
    SaveWindowPositions();
    QStringList expected;
    expected << " 1500 " << " 3000 ";
    for (int i = 2; i <= WindowSlots; ++i)
        expected << " 0 " << "";
    EXPECT_EQ(readBytes(QStringLiteral("TopLeft.dat")), crlfLines(expected));

    expected[0] = "-120 ";
    expected[3] = "-45 ";
    writeBytes(QStringLiteral("TopLeft.dat"), crlfLines(expected));
    App = AppState{};
    EXPECT_TRUE(ReadWindowPositions());
    EXPECT_EQ(App.WindowTop[1], 120);
    EXPECT_EQ(App.WindowLeft[1], 3000);
    EXPECT_EQ(App.WindowLeft[2], 45);
    EXPECT_EQ(App.WindowLeft[3], 0);
    // Once read, every slot is stored as a number.
    SaveWindowPositions();
    const QByteArray bytes = readBytes(QStringLiteral("TopLeft.dat"));
    EXPECT_TRUE(bytes.startsWith(QByteArray(" 120 \r\n 3000 \r\n 0 \r\n 45 \r\n 0 \r\n 0 \r\n")));
    EXPECT_EQ(bytes.count("\r\n"), 120);
}

// Every window that unloads saves the positions; a file that holds them
// already stays in place (same file, no beep), a moved window rewrites it.
TEST_F(StartUpTest, WindowPositions_UnchangedFileStaysInPlace)
{
    App.WindowTop[3] = 900;
    App.WindowLeft[3] = 1200;
    App.WindowLeftSet[3] = true;
    SaveWindowPositions();
    const QByteArray first = readBytes(QStringLiteral("TopLeft.dat"));
    const auto inode = [this] {
        struct stat st {};
        EXPECT_EQ(::stat(QFile::encodeName(path(QStringLiteral("TopLeft.dat"))).constData(), &st), 0);
        return st.st_ino;
    };
    const auto before = inode();
    resetBeepCount();
    SaveWindowPositions();
    EXPECT_EQ(beepCount(), 0);
    EXPECT_EQ(readBytes(QStringLiteral("TopLeft.dat")), first);
    EXPECT_EQ(inode(), before);

    App.WindowTop[3] = 915;
    SaveWindowPositions();
    EXPECT_EQ(beepCount(), 0);
    EXPECT_NE(inode(), before);
    EXPECT_TRUE(readBytes(QStringLiteral("TopLeft.dat")).contains("\r\n 915 \r\n 1200 \r\n"));
}

TEST_F(StartUpTest, WindowPositions_ShortOrGarbledFileFillsWhatItHolds)
{
    writeBytes(QStringLiteral("TopLeft.dat"), QByteArray(" 300 \r\nabc\r\n 600"));
    EXPECT_TRUE(ReadWindowPositions());
    EXPECT_EQ(App.WindowTop[1], 300);
    EXPECT_EQ(App.WindowLeft[1], 0);
    EXPECT_EQ(App.WindowTop[2], 600);
    EXPECT_EQ(App.WindowTop[60], 0);
    EXPECT_EQ(App.WindowLeft[60], 0);
}

TEST_F(StartUpTest, OrganisationName_FromItsFile)
{
    ReadOrganisationName();
    EXPECT_EQ(App.OrganisationName, QString());
    writeBytes(QStringLiteral("Organisation.dat"), QByteArray("  Skiclub H\xf6rsching  \r\n"));
    ReadOrganisationName();
    EXPECT_EQ(App.OrganisationName, QStringLiteral("Skiclub Hörsching"));
}

} // namespace
