#include <QFile>

#include "GuiTestHelpers.h"
#include "core/Form1.h"
#include "core/Form3.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "platform/Clock.h"
#include "platform/NumberText.h"

namespace {

class MainWindowTest : public WindowDataTest {
protected:
    void SetUp() override
    {
        WindowDataTest::SetUp();
        sysclock::setFixedNow(QDateTime(QDate(2026, 12, 9), QTime(9, 30)));
    }

    int visiblePictogram(Form1 &f)
    {
        int shown = 0;
        for (int n = 1; n <= 8; ++n)
            if (f.Pictogram(n).Visible())
                shown = shown == 0 ? n : -1;
        return shown;
    }
};

TEST_F(MainWindowTest, Load_SetsUpTheProgram)
{
    writeBytes(QStringLiteral("Zirpa.dat"), crlfLines({" 12 ", " 3 ", " 5 ", " 7 "}));
    writeBytes(QStringLiteral("Organisation.dat"), QByteArray("Skiclub Musterdorf\r\n"));
    Form1 &f = form<Form1>();
    EXPECT_EQ(f.Caption(), QStringLiteral("ZIRPA  V2.00"));
    EXPECT_EQ(App.ProductName, QStringLiteral("ZIRPA"));
    EXPECT_EQ(App.VersionText, QStringLiteral("2.00"));
    EXPECT_EQ(App.DataDir, QString());
    EXPECT_EQ(Rec.AthleteCount, 12);
    EXPECT_EQ(Rec.ClubCount, 3);
    EXPECT_EQ(Rec.RaceCount, 5);
    EXPECT_EQ(Rec.SettingsLine4, 7);
    EXPECT_EQ(Rec.CurrentAthleteId, 12);
    EXPECT_EQ(Rec.RaceRecordNo, 5);
    EXPECT_EQ(App.SeasonYearOffset, 12);
    EXPECT_EQ(App.StandardClassYears[1], (std::array<int, 2>{2021, 2027}));
    EXPECT_EQ(App.StatusNames[3], QStringLiteral("dis"));
    EXPECT_EQ(App.ColourTable[4], 255 + 256 * 192 + 65536 * 192);
    EXPECT_EQ(f.Label1.Caption(), QStringLiteral("Skiclub Musterdorf"));
    EXPECT_EQ(f.Command1.Caption(), QStringLiteral("Läufer"));
    EXPECT_EQ(f.Command2.Caption(), QStringLiteral("Vereine"));
    EXPECT_EQ(f.Command3.Caption(), QStringLiteral("Veranstaltungen"));
    EXPECT_EQ(f.Command4.Caption(), QStringLiteral("Exit"));
}

TEST_F(MainWindowTest, Activate_ShowsCountsAndOnePictogramAtRandom)
{
    writeBytes(QStringLiteral("Zirpa.dat"), crlfLines({" 2000 ", " 100 ", " 30000 "}));
    Form1 &f = form<Form1>();
    rnd::queueValues({0.0, 0.999, 0.5});
    f.Show();
    EXPECT_EQ(f.Label2.Caption(), QStringLiteral("2000"));
    EXPECT_EQ(f.Label3.Caption(), QStringLiteral("100"));
    EXPECT_EQ(f.Label4.Caption(), QStringLiteral("30000"));
    EXPECT_EQ(visiblePictogram(f), 1);
    EXPECT_EQ(Work.LoopIndex2, 1);
    f.Form_Activate();
    EXPECT_EQ(visiblePictogram(f), 8);
    f.Form_Activate();
    EXPECT_EQ(visiblePictogram(f), 5);
    EXPECT_EQ(Work.LoopIndex2, 5);
}

TEST_F(MainWindowTest, Pictograms_AreCarriedByTheProgram)
{
    for (int n = 1; n <= 8; ++n) {
        const QImage picture = Form1::PictogramPicture(n);
        EXPECT_FALSE(picture.isNull()) << n;
        EXPECT_FALSE(form<Form1>().Pictogram(n).Picture().isNull()) << n;
    }
    EXPECT_TRUE(Form1::PictogramPicture(0).isNull());
    EXPECT_TRUE(Form1::PictogramPicture(9).isNull());
}

// The small pictograms the window shows are the large ones fitted into its
// picture area, pixel for pixel: a large one drawn anew without the small
// one made again from it fails here.
TEST_F(MainWindowTest, ShownPictograms_AreTheLargeOnesFittedIntoThePictureArea)
{
    for (int n = 1; n <= 8; ++n) {
        const QImage fitted = Form1::PictogramPicture(n)
                                  .scaled(Form1::PictogramArea(), Qt::KeepAspectRatio,
                                          Qt::SmoothTransformation)
                                  .convertToFormat(QImage::Format_ARGB32);
        const QImage shown =
            form<Form1>().Pictogram(n).Picture().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(shown.size(), fitted.size()) << n;
        EXPECT_TRUE(shown == fitted) << n;
    }
    EXPECT_TRUE(Form1::ScreenPictogramPicture(0).isNull());
    EXPECT_TRUE(Form1::ScreenPictogramPicture(9).isNull());
}

TEST_F(MainWindowTest, OrganisationLabel_ShowsAHintUnderTheMouseForTwoSeconds)
{
    writeBytes(QStringLiteral("Organisation.dat"), QByteArray("SV Berg\r\n"));
    Form1 &f = form<Form1>();
    ASSERT_TRUE(showAndActivate(f));
    EXPECT_FALSE(f.Timer1.Enabled());
    EXPECT_EQ(f.Timer1.Interval(), 2000);
    QTest::mouseMove(f.Label1.widget(), QPoint(5, 5));
    QTest::mouseMove(f.Label1.widget(), QPoint(8, 6));
    ASSERT_TRUE(waitUntil([&] { return f.Timer1.Enabled(); }, 500));
    EXPECT_EQ(f.Label1.Caption(), Form1::OrganisationHint());
    f.Timer1_Timer();
    EXPECT_FALSE(f.Timer1.Enabled());
    EXPECT_EQ(f.Label1.Caption(), QStringLiteral("SV Berg"));
}

TEST_F(MainWindowTest, WindowPosition_RestoredOnlyFromAnExistingFile)
{
    QStringList lines;
    lines << "-1500" << " 3000 ";
    for (int i = 2; i <= 60; ++i)
        lines << " 0 " << " 0 ";
    writeBytes(QStringLiteral("TopLeft.dat"), crlfLines(lines));
    Form1 &f = form<Form1>();
    EXPECT_EQ(App.WindowTop[1], 1500);
    EXPECT_EQ(f.Top(), 1500);
    EXPECT_EQ(f.Left(), 3000);
}

TEST_F(MainWindowTest, Exit_ClosesTheFilesAndStoresThePosition)
{
    Form1 &f = form<Form1>();
    f.Show();
    f.Move(600, 450);
    OpenAthleteFile();
    OpenClubFile();
    OpenRaceFile();
    f.Command4.click();
    destroyUnloadedWindows();
    EXPECT_FALSE(isLoaded<Form1>());
    EXPECT_FALSE(Channels.AthleteFile.isOpen());
    EXPECT_FALSE(Channels.ClubFile.isOpen());
    EXPECT_FALSE(Channels.RaceFile.isOpen());
    const QByteArray positions = readBytes(QStringLiteral("TopLeft.dat"));
    EXPECT_TRUE(positions.startsWith(QByteArray(" 450 \r\n 600 \r\n 0 \r\n\r\n")));
    EXPECT_EQ(positions.count("\r\n"), 120);
}

TEST_F(MainWindowTest, Athletes_OnAnEmptyDatabaseStartAtRecordOneWithoutWriting)
{
    Form1 &f = form<Form1>();
    f.Show();
    f.Command1.click();
    EXPECT_FALSE(f.Visible());
    ASSERT_TRUE(isLoaded<Form3>());
    EXPECT_TRUE(form<Form3>().Visible());
    EXPECT_EQ(Rec.AthleteCount, 1);
    EXPECT_EQ(Rec.CurrentAthleteId, 1);
    EXPECT_EQ(form<Form3>().Text1.Text(), QStringLiteral("1"));
    EXPECT_EQ(form<Form3>().Text2.Text(), QString());
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("Zirpa.dat"))));
    EXPECT_TRUE(Channels.AthleteFile.isOpen());
    EXPECT_TRUE(Channels.ClubFile.isOpen());
    EXPECT_TRUE(Channels.RaceFile.isOpen());
}

} // namespace
