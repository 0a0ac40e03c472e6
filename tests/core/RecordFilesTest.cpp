#include <QFile>
#include <QtEndian>
#include <cstring>

#include "TestSupport.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "platform/Beep.h"
#include "platform/DateText.h"

namespace {

class RecordFilesTest : public DataDirTest {
protected:
    void SetUp() override
    {
        DataDirTest::SetUp();
        OpenClubFile();
        OpenAthleteFile();
        OpenRaceFile();
    }

    static QByteArray doubleBytes(double v)
    {
        QByteArray b(8, '\0');
        qToLittleEndian(v, b.data());
        return b;
    }

    static double doubleAt(const QByteArray &rec, int offset)
    {
        return qFromLittleEndian<double>(rec.constData() + offset);
    }

    static qint16 int16At(const QByteArray &rec, int offset)
    {
        return qFromLittleEndian<qint16>(rec.constData() + offset);
    }

    QByteArray record(const QString &file, int length, int n)
    {
        return readBytes(file).mid((n - 1) * length, length);
    }
};

TEST_F(RecordFilesTest, AthleteRecord_IsByteExact)
{
    ClearAthleteFields();
    Rec.AthleteName = QStringLiteral("MAIER Hans");
    Rec.AthleteClub1 = 3;
    Rec.AthleteClub2 = 0;
    Rec.AthleteClub3 = -2;
    Rec.AthleteBirthDate = dates::oleFromDate(QDate(1983, 4, 13));
    Rec.AthleteSex = 1;
    Rec.AthleteFederationNo = QStringLiteral("12345");
    Rec.AthletePoints = 12.5f;
    Rec.CurrentAthleteId = 1;
    WriteAthleteRecord();

    const QByteArray rec = readBytes(QStringLiteral("Laeufer.rec"));
    ASSERT_EQ(rec.size(), AthleteRecordLength);
    EXPECT_EQ(rec.left(80), QByteArray("MAIER Hans").leftJustified(80, ' '));
    EXPECT_EQ(int16At(rec, 80), 3);
    EXPECT_EQ(int16At(rec, 82), 0);
    EXPECT_EQ(int16At(rec, 84), -2);
    EXPECT_EQ(rec.mid(86, 8), QByteArray::fromHex("00000000c0b4dd40"));
    EXPECT_EQ(int16At(rec, 94), 1);
    EXPECT_EQ(rec.mid(96, 9), QByteArray("12345    "));
    float points = 0;
    std::memcpy(&points, rec.constData() + 105, 4);
    EXPECT_EQ(points, 12.5f);
    EXPECT_EQ(rec.mid(109, 240), QByteArray(240, ' '));
}

TEST_F(RecordFilesTest, ClearedRaceHeader_WrittenAsRecordOne)
{
    ClearRaceHeader();
    Rec.RaceRecordNo = 1;
    WriteRaceHeader();

    const QByteArray rec = readBytes(QStringLiteral("Rennen.rec"));
    ASSERT_EQ(rec.size(), RaceRecordLength);
    EXPECT_EQ(rec.left(224), QByteArray(224, ' '));
    EXPECT_EQ(doubleAt(rec, 224), dates::oleFromDate(QDate(2005, 7, 20)));
    EXPECT_EQ(rec.mid(364, 5), QByteArray("12:00"));
    EXPECT_EQ(rec.mid(419, 4), QByteArray("0   "));
    EXPECT_EQ(doubleAt(rec, 312), 0.0);
    EXPECT_EQ(doubleAt(rec, 320), 0.0);
    EXPECT_EQ(rec.mid(763, 374), QByteArray(374, ' '));
    EXPECT_EQ(Rec.RaceCount, 1);
    EXPECT_EQ(readBytes(QStringLiteral("Zirpa.dat")), crlfLines({" 0 ", " 0 ", " 1 ", " 0 "}));
}

TEST_F(RecordFilesTest, RaceHeader_RoundTripsEveryField)
{
    ClearRaceHeader();
    Rec.RaceName = QStringLiteral("Vereinsmeisterschaft");
    Rec.RaceShortName = QStringLiteral("VM");
    Rec.RaceExtraText = QStringLiteral(" 7");
    Rec.RacePlace = QStringLiteral("Söll");
    Rec.RaceDate = dates::oleFromDate(QDate(2026, 1, 17));
    Rec.Organiser = QStringLiteral("SC Söll");
    Rec.GuestTimeHandicap = 1.5;
    Rec.MenTimeHandicap = -2;
    Rec.EvalByClass = 1;
    Rec.EvalBySex = 1;
    Rec.EvalGuestsApart = 0;
    Rec.EvalByTime = 1;
    Rec.TwoRuns = 1;
    Rec.EvalBoarders = 1;
    Rec.CertificatePictogram = 4;
    Rec.BestTimeTitle = 2;
    Rec.HostClub = QStringLiteral("SC");
    Rec.BestTimeFromClass = 17;
    Rec.StartTimeText = QStringLiteral("10:30");
    Rec.RaceDirector = QStringLiteral("A");
    Rec.CourseSetter = QStringLiteral("B");
    Rec.NumberOfGates = QStringLiteral("42");
    Rec.StartReferee = QStringLiteral("C");
    Rec.FinishReferee = QStringLiteral("D");
    Rec.TimingOfficial = QStringLiteral("E");
    Rec.ChiefJudge = QStringLiteral("F");
    Rec.Sponsor1 = QStringLiteral("S1");
    Rec.Sponsor6 = QStringLiteral("S6");
    Rec.RaceRecordNo = 2;
    WriteRaceHeader();
    const RecordState written = Rec;

    Rec.EvalBySex = 0;
    Rec.RaceRecordNo = 2;
    ReadRaceHeader();
    EXPECT_EQ(Rec.RaceName, written.RaceName);
    EXPECT_EQ(Rec.RaceExtraText, QStringLiteral(" 7").leftJustified(14, u' '));
    EXPECT_EQ(Rec.RacePlace, QStringLiteral("Söll"));
    EXPECT_EQ(Rec.RaceDate, written.RaceDate);
    EXPECT_EQ(Rec.GuestTimeHandicap, 1.5);
    EXPECT_EQ(Rec.MenTimeHandicap, -2.0);
    EXPECT_EQ(Rec.EvalBySex, 1);
    EXPECT_EQ(Rec.EvalBoarders, 1);
    EXPECT_EQ(Rec.CertificatePictogram, 4);
    EXPECT_EQ(Rec.BestTimeTitle, 2);
    EXPECT_EQ(Rec.BestTimeFromClass, 17);
    EXPECT_EQ(Rec.StartTimeText, QStringLiteral("10:30"));
    EXPECT_EQ(Rec.NumberOfGates, QStringLiteral("42"));
    EXPECT_EQ(Rec.Sponsor6, QStringLiteral("S6"));
    EXPECT_EQ(Rec.RaceReserveText, QString(374, u' '));
    // Record 1, never written, lies inside the file as zero bytes.
    const QByteArray file = readBytes(QStringLiteral("Rennen.rec"));
    EXPECT_EQ(file.size(), 2 * RaceRecordLength);
    EXPECT_EQ(int(file.at(RaceRecordLength + 144)), int('S'));
}

TEST_F(RecordFilesTest, ClubReads_OutOfRangeClearNamesAndBeep)
{
    for (int n = 1; n <= 3; ++n) {
        ClearClubFields();
        Rec.ClubFullName = QStringLiteral("Club %1").arg(n);
        Rec.ClubShortName = QStringLiteral("C%1").arg(n);
        Rec.CurrentClubNo = n;
        WriteClubRecord();
    }
    ASSERT_EQ(Rec.ClubCount, 3);

    Rec.CurrentClubNo = 0;
    Rec.ClubFullName = QStringLiteral("x");
    Rec.ClubShortName = QStringLiteral("y");
    Rec.ClubPlace = QStringLiteral("kept");
    ReadClubRecord();
    EXPECT_EQ(Rec.ClubFullName, QString());
    EXPECT_EQ(Rec.ClubShortName, QString());
    EXPECT_EQ(Rec.ClubPlace, QStringLiteral("kept"));
    EXPECT_EQ(beepCount(), 1);

    Rec.CurrentClubNo = 4;
    Rec.ClubFullName = QStringLiteral("x");
    Rec.ClubShortName = QStringLiteral("y");
    ReadClubRecord();
    EXPECT_EQ(Rec.ClubFullName, QString());
    EXPECT_EQ(Rec.ClubShortName, QStringLiteral("y"));
    EXPECT_EQ(beepCount(), 2);

    Rec.CurrentClubNo = 2;
    ReadClubRecord();
    // Club texts come back untrimmed, at their field width.
    EXPECT_EQ(Rec.ClubShortName, QStringLiteral("C2").leftJustified(40, u' '));
    EXPECT_EQ(Rec.ClubFullName.size(), 80);
    EXPECT_EQ(beepCount(), 2);
}

TEST_F(RecordFilesTest, ClubShortName_IsCutAtFortyCharacters)
{
    ClearClubFields();
    Rec.ClubShortName = QString(45, u'K');
    Rec.CurrentClubNo = 1;
    WriteClubRecord();
    Rec.ClubShortName.clear();
    ReadClubRecord();
    EXPECT_EQ(Rec.ClubShortName, QString(40, u'K'));
}

TEST_F(RecordFilesTest, ClubSpareFields_AreWrittenBackAsRead)
{
    QByteArray rec(ClubRecordLength, ' ');
    qToLittleEndian<qint16>(7, rec.data() + 554);
    qToLittleEndian<qint16>(-9, rec.data() + 556);
    writeBytes(QStringLiteral("Verein.rec"), rec);
    OpenClubFile();
    Rec.ClubCount = 1;
    Rec.CurrentClubNo = 1;
    ReadClubRecord();
    Rec.ClubPhone = QStringLiteral("0664 123");
    WriteClubRecord();
    const QByteArray after = readBytes(QStringLiteral("Verein.rec"));
    EXPECT_EQ(int16At(after, 554), 7);
    EXPECT_EQ(int16At(after, 556), -9);
    EXPECT_EQ(after.mid(384, 30), QByteArray("0664 123").leftJustified(30, ' '));
}

TEST_F(RecordFilesTest, AthleteReads_ClampClubsAndSex)
{
    Rec.ClubCount = 5;
    struct Case {
        qint16 club2;
        qint16 sex;
        int expectClub2;
        int expectSex;
    } cases[] = {{7, 5, 0, 2}, {5, -1, 5, 0}, {2, 1, 2, 1}, {0, 0, 0, 0}, {6, 2, 0, 2}};
    int n = 0;
    for (const Case &c : cases) {
        ++n;
        ClearAthleteFields();
        Rec.AthleteName = QStringLiteral("  ATHLET %1  ").arg(n);
        Rec.AthleteClub2 = c.club2;
        Rec.AthleteSex = c.sex;
        Rec.CurrentAthleteId = n;
        WriteAthleteRecord();
    }
    n = 0;
    for (const Case &c : cases) {
        ++n;
        Rec.CurrentAthleteId = n;
        ReadAthleteRecord();
        EXPECT_EQ(Rec.AthleteName, QStringLiteral("ATHLET %1").arg(n));
        EXPECT_EQ(Rec.AthleteClub2, c.expectClub2) << "case " << n;
        EXPECT_EQ(Rec.AthleteSex, c.expectSex) << "case " << n;
    }
}

TEST_F(RecordFilesTest, AthleteReads_OutOfRangeBeepAndKeepOtherFields)
{
    Rec.AthleteCount = 2;
    Rec.AthleteName = QStringLiteral("X");
    Rec.AthleteSex = 1;
    for (int n : {0, 3, -5}) {
        Rec.CurrentAthleteId = n;
        ReadAthleteRecord();
        EXPECT_EQ(Rec.AthleteName, QString());
        EXPECT_EQ(Rec.AthleteSex, 1);
    }
    EXPECT_EQ(beepCount(), 3);
}

TEST_F(RecordFilesTest, RecordsPastTheEndOfTheFile_ReadAsClearedDefaults)
{
    // A count larger than the file, as after a lost write or on an empty
    // database with the count set to 1 before record 1 exists.
    ClearAthleteFields();
    Rec.AthleteName = QStringLiteral("EINS Erste");
    Rec.AthleteSex = 0;
    Rec.AthleteBirthDate = 30000;
    Rec.AthleteClub1 = 1;
    Rec.CurrentAthleteId = 1;
    WriteAthleteRecord();
    // A half record behind it.
    QByteArray file = readBytes(QStringLiteral("Laeufer.rec"));
    file += QByteArray(100, 'Z');
    writeBytes(QStringLiteral("Laeufer.rec"), file);
    OpenAthleteFile();
    Rec.AthleteCount = 3;
    Rec.ClubCount = 1;

    for (int n : {2, 3}) {
        Rec.CurrentAthleteId = 1;
        ReadAthleteRecord();
        Rec.CurrentAthleteId = n;
        ReadAthleteRecord();
        EXPECT_EQ(Rec.AthleteName, QString()) << n;
        EXPECT_EQ(Rec.AthleteSex, 2) << n;
        EXPECT_EQ(Rec.AthleteBirthDate, NoBirthDate) << n;
        EXPECT_EQ(Rec.AthleteClub1, 0) << n;
        EXPECT_EQ(Rec.AthletePoints, 0.0f) << n;
    }
    EXPECT_EQ(beepCount(), 0);

    Rec.ClubCount = 2;
    Rec.CurrentClubNo = 2;
    Rec.ClubFullName = QStringLiteral("old");
    ReadClubRecord();
    EXPECT_EQ(Rec.ClubFullName, QString(80, u' '));

    Rec.RaceCount = 4;
    Rec.RaceRecordNo = 4;
    ReadRaceHeader();
    EXPECT_EQ(Rec.RaceName, QString());
    EXPECT_EQ(Rec.StartTimeText, QStringLiteral("12:00"));
    EXPECT_EQ(Rec.RaceDate, ClearedRaceDate);
}

TEST_F(RecordFilesTest, NulBytesInTextFields_ReadAsBlanks)
{
    QByteArray rec(AthleteRecordLength, '\0');
    std::memcpy(rec.data(), "HUBER\0Eva", 9);
    qToLittleEndian<qint16>(0, rec.data() + 94);
    writeBytes(QStringLiteral("Laeufer.rec"), rec);
    OpenAthleteFile();
    Rec.AthleteCount = 1;
    Rec.CurrentAthleteId = 1;
    ReadAthleteRecord();
    EXPECT_EQ(Rec.AthleteName, QStringLiteral("HUBER Eva"));
    EXPECT_EQ(Rec.AthleteFederationNo, QString(9, u' '));
    EXPECT_EQ(Rec.AthleteReserve, QString(240, u' '));
}

TEST_F(RecordFilesTest, BestTimeFromClassAbove17_ReadsAsZero)
{
    for (int stored : {17, 18, 255}) {
        ClearRaceHeader();
        Rec.RaceName = QStringLiteral("R");
        Rec.BestTimeFromClass = std::uint8_t(stored);
        Rec.RaceRecordNo = 1;
        WriteRaceHeader();
        Rec.BestTimeFromClass = 3;
        ReadRaceHeader();
        EXPECT_EQ(Rec.BestTimeFromClass, stored == 17 ? 17 : 0) << stored;
    }
}

TEST_F(RecordFilesTest, ReadRaceHeader_OutOfRangeGivesClearedHeaderKeepingCriteria)
{
    Rec.RaceCount = 2;
    Rec.RaceName = QStringLiteral("stale");
    Rec.NumberOfGates = QStringLiteral("40");
    Rec.EvalBySex = 1;
    Rec.TwoRuns = 1;
    Rec.CertificatePictogram = 6;
    Rec.RaceRecordNo = 3;
    ReadRaceHeader();
    EXPECT_EQ(Rec.RaceName, QString());
    EXPECT_EQ(Rec.StartTimeText, QStringLiteral("12:00"));
    EXPECT_EQ(Rec.NumberOfGates, QStringLiteral("0"));
    EXPECT_EQ(Rec.RaceDate, ClearedRaceDate);
    EXPECT_EQ(Rec.EvalBySex, 1);
    EXPECT_EQ(Rec.TwoRuns, 1);
    EXPECT_EQ(Rec.CertificatePictogram, 6);
    EXPECT_EQ(beepCount(), 1);
}

TEST_F(RecordFilesTest, Writers_RefuseRecordNumbersBelowOne)
{
    Rec.CurrentAthleteId = 0;
    Rec.AthleteName = QStringLiteral("A");
    WriteAthleteRecord();
    Rec.CurrentClubNo = 0;
    Rec.ClubFullName = QStringLiteral("C");
    WriteClubRecord();
    Rec.RaceRecordNo = -1;
    Rec.RaceName = QStringLiteral("R");
    WriteRaceHeader();
    EXPECT_TRUE(readBytes(QStringLiteral("Laeufer.rec")).isEmpty());
    EXPECT_TRUE(readBytes(QStringLiteral("Verein.rec")).isEmpty());
    EXPECT_TRUE(readBytes(QStringLiteral("Rennen.rec")).isEmpty());
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("Zirpa.dat"))));
    EXPECT_EQ(Rec.AthleteCount, 0);
    EXPECT_EQ(Rec.ClubCount, 0);
    EXPECT_EQ(Rec.RaceCount, 0);
}

TEST_F(RecordFilesTest, CountGrowsOnlyAtOrBeyondTheLastRecord)
{
    ClearAthleteFields();
    Rec.AthleteName = QStringLiteral("A");
    Rec.AthleteCount = 10;
    Rec.CurrentAthleteId = 3;
    WriteAthleteRecord();
    EXPECT_EQ(Rec.AthleteCount, 10);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("Zirpa.dat"))));

    Rec.CurrentAthleteId = 11;
    WriteAthleteRecord();
    EXPECT_EQ(Rec.AthleteCount, 11);
    EXPECT_EQ(readBytes(QStringLiteral("Zirpa.dat")), crlfLines({" 11 ", " 0 ", " 0 ", " 0 "}));

    // The race copy writes far behind the last race.
    ClearRaceHeader();
    Rec.RaceRecordNo = 40;
    WriteRaceHeader();
    EXPECT_EQ(Rec.RaceCount, 40);
    EXPECT_EQ(readBytes(QStringLiteral("Rennen.rec")).size(), 40 * RaceRecordLength);
}

TEST_F(RecordFilesTest, SettingsFile_KeepsFourthLineAndToleratesShortFiles)
{
    writeBytes(QStringLiteral("Zirpa.dat"), crlfLines({" 25 ", " 4 ", " 7 ", " 99 "}));
    ReadSettingsFile();
    EXPECT_EQ(Rec.AthleteCount, 25);
    EXPECT_EQ(Rec.ClubCount, 4);
    EXPECT_EQ(Rec.RaceCount, 7);
    EXPECT_EQ(Rec.CurrentAthleteId, 25);
    EXPECT_EQ(Rec.CurrentClubNo, 4);
    EXPECT_EQ(Rec.RaceRecordNo, 7);
    WriteSettingsFile();
    EXPECT_EQ(readBytes(QStringLiteral("Zirpa.dat")), crlfLines({" 25 ", " 4 ", " 7 ", " 99 "}));

    writeBytes(QStringLiteral("Zirpa.dat"), QByteArray("12\n"));
    ReadSettingsFile();
    EXPECT_EQ(Rec.AthleteCount, 12);
    EXPECT_EQ(Rec.ClubCount, 0);
    EXPECT_EQ(Rec.RaceCount, 0);
    EXPECT_EQ(Rec.SettingsLine4, 0);

    QFile::remove(path(QStringLiteral("Zirpa.dat")));
    ReadSettingsFile();
    EXPECT_EQ(Rec.AthleteCount, 0);
    EXPECT_EQ(Rec.RaceRecordNo, 0);
}

} // namespace
