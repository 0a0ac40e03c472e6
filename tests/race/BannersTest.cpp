// werbung.dat and the clamps of the banner numbers, without the window.
#include <QStringList>

#include "TestSupport.h"
#include "core/SharedState.h"
#include "race/Banners.h"

namespace {

class BannerFileTest : public DataDirTest {};

QStringList entryLines(const BannerEntry &b)
{
    return {QStringLiteral(" %1 ").arg(b.Shown), b.FileName, b.Right, b.Down, b.SizePercent};
}

QStringList fileLines(const BannerTable &t)
{
    QStringList lines;
    for (const BannerEntry &b : t)
        lines << entryLines(b);
    return lines;
}

TEST_F(BannerFileTest, Defaults_AreTheEightBannersOfTheFootOfThePage)
{
    const BannerTable t = DefaultBanners();
    const QStringList expected = {
        " 1 ", "werbung1.jpg", "20",  "235", "100", " 1 ", "werbung2.jpg", "56",  "235", "100",
        " 1 ", "werbung4.jpg", "135", "250", "100", " 1 ", "werbung3.jpg", "100", "235", "100",
        " 1 ", "werbung6.jpg", "53",  "260", "120", " 1 ", "werbung5.jpg", "20",  "258", "60",
        " 1 ", "werbung8.jpg", "116", "267", "100", " 1 ", "werbung7.jpg", "85",  "255", "100",
    };
    EXPECT_EQ(fileLines(t), expected);
}

TEST_F(BannerFileTest, Write_FortyCrLfLinesByteForByte)
{
    BannerTable t = DefaultBanners();
    t[3].Shown = 0;
    t[3].FileName = QStringLiteral("  Bäckerei Huber.jpg ");
    t[3].Right = QStringLiteral("12,5");
    ASSERT_TRUE(WriteBannerFile(t));

    const QByteArray bytes = readBytes(QStringLiteral("werbung.dat"));
    EXPECT_EQ(bytes, crlfLines(fileLines(t)));
    EXPECT_EQ(bytes.count("\r\n"), 40);
    // The file is Windows-1252: the umlaut is one byte.
    EXPECT_TRUE(bytes.contains("  B\xe4" "ckerei Huber.jpg \r\n"));
    EXPECT_TRUE(bytes.startsWith(" 1 \r\nwerbung1.jpg\r\n20\r\n235\r\n100\r\n"));
}

TEST_F(BannerFileTest, Read_RoundTripsWhatWasWritten)
{
    BannerTable t = DefaultBanners();
    t[0].Shown = 0;
    t[5].FileName = QStringLiteral("logo sponsor.jpg");
    t[7].Down = QStringLiteral("283");
    t[7].SizePercent = QStringLiteral("  45");
    ASSERT_TRUE(WriteBannerFile(t));

    BannerTable read{};
    ASSERT_TRUE(ReadBannerFile(read));
    EXPECT_EQ(fileLines(read), fileLines(t));
}

TEST_F(BannerFileTest, Read_MissingFileLeavesTheTableAlone)
{
    BannerTable t = DefaultBanners();
    t[2].FileName = QStringLiteral("eigen.jpg");
    EXPECT_FALSE(ReadBannerFile(t));
    EXPECT_EQ(t[2].FileName, QStringLiteral("eigen.jpg"));
    EXPECT_EQ(t[0].FileName, QStringLiteral("werbung1.jpg"));
}

TEST_F(BannerFileTest, Read_ShortFileSetsWhatItHoldsTheRestKeepItsValues)
{
    // Banner 0 whole, banner 1 only its tick and file name (no CR LF at the end).
    writeBytes(QStringLiteral("werbung.dat"),
               " 0 \r\na.jpg\r\n1\r\n240\r\n50\r\n 0 \r\nb.jpg");
    BannerTable t = DefaultBanners();
    ASSERT_TRUE(ReadBannerFile(t));
    EXPECT_EQ(t[0].Shown, 0);
    EXPECT_EQ(t[0].FileName, QStringLiteral("a.jpg"));
    EXPECT_EQ(t[0].Right, QStringLiteral("1"));
    EXPECT_EQ(t[0].Down, QStringLiteral("240"));
    EXPECT_EQ(t[0].SizePercent, QStringLiteral("50"));
    EXPECT_EQ(t[1].Shown, 0);
    EXPECT_EQ(t[1].FileName, QStringLiteral("b.jpg"));
    EXPECT_EQ(t[1].Right, QStringLiteral("56"));
    const BannerTable defaults = DefaultBanners();
    for (int i = 2; i < BannerCount; ++i)
        EXPECT_EQ(entryLines(t[i]), entryLines(defaults[i])) << i;

    // An empty file changes nothing.
    writeBytes(QStringLiteral("werbung.dat"), "");
    BannerTable empty = DefaultBanners();
    ASSERT_TRUE(ReadBannerFile(empty));
    EXPECT_EQ(fileLines(empty), fileLines(defaults));
}

TEST_F(BannerFileTest, Read_ShownLineIsItsRoundedValueAsATickHoldsIt)
{
    struct Case {
        const char *line;
        int shown;
    };
    const Case cases[] = {
        {" 1 ", 1}, {" 0 ", 0}, {"1", 1},    {"0.6", 1},  {"0,6", 0},  {"1.4", 1},
        {"2", 2},   {"5", 0},   {"-1", 0},   {"", 0},     {"abc", 0},  {"1e300", 0},
    };
    for (const Case &c : cases) {
        writeBytes(QStringLiteral("werbung.dat"), QByteArray(c.line) + "\r\nx.jpg\r\n");
        BannerTable t = DefaultBanners();
        ASSERT_TRUE(ReadBannerFile(t));
        EXPECT_EQ(t[0].Shown, c.shown) << c.line;
    }
}

TEST_F(BannerFileTest, Write_FailureIsReportedAndKeepsTheOldFile)
{
    writeBytes(QStringLiteral("werbung.dat"), "alt\r\n");
    App.DataDir = path(QStringLiteral("fehlt/"));
    EXPECT_FALSE(WriteBannerFile(DefaultBanners()));
    App.DataDir.clear();
    EXPECT_EQ(readBytes(QStringLiteral("werbung.dat")), QByteArray("alt\r\n"));
}

TEST(BannerClamp, HoldsEachNumberToItsRange)
{
    struct Case {
        QString (*clamp)(const QString &);
        const char *typed;
        const char *held;
    };
    const Case cases[] = {
        {ClampBannerRight, "-1", "0"},      {ClampBannerRight, "0", "0"},
        {ClampBannerRight, "183", "183"},   {ClampBannerRight, "184", "183"},
        {ClampBannerRight, "183,9", "183,9"},  // the comma ends the number: 183
        {ClampBannerRight, "183.5", "183"}, {ClampBannerRight, "", ""},
        {ClampBannerRight, "abc", "abc"},   {ClampBannerRight, "1e9", "183"},
        {ClampBannerDown, "", "233"},       {ClampBannerDown, "2", "233"},
        {ClampBannerDown, "233", "233"},    {ClampBannerDown, " 250", " 250"},
        {ClampBannerDown, "283", "283"},    {ClampBannerDown, "300", "283"},
        {ClampBannerSize, "9", "10"},       {ClampBannerSize, "10", "10"},
        {ClampBannerSize, "800", "800"},    {ClampBannerSize, "801", "800"},
        {ClampBannerSize, "-5", "10"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.clamp(QString::fromUtf8(c.typed)), QString::fromUtf8(c.held)) << c.typed;
}

} // namespace
