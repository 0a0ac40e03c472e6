// "Werbebanner am Deckblatt": werbung.dat through the window, the clamps as
// the user types, the nudge buttons, the selected row and the preview.
#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QLineEdit>

#include "FileFaults.h"
#include "GuiTestHelpers.h"
#include "platform/Beep.h"
#include "core/SharedState.h"
#include "core/StartUp.h"
#include "platform/Pictures.h"
#include "platform/TextFile.h"
#include "race/Banners.h"
#include "race/Form21.h"

namespace {

int twips(double mm)
{
    return int(mm * 1440 / 25.4 + 0.5);
}

class Form21Test : public WindowDataTest {
protected:
    void SetUp() override
    {
        WindowDataTest::SetUp();
        SetColourTable();
    }

    // A JPEG of 127 dpi: 5 pixels are one millimetre.
    void writePicture(const QString &name, int widthMm, int heightMm)
    {
        QImage picture(widthMm * 5, heightMm * 5, QImage::Format_RGB32);
        picture.fill(QColor(200, 30, 30));
        picture.setDotsPerMeterX(5000);
        picture.setDotsPerMeterY(5000);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(QImageWriter(&buffer, "jpg").write(picture));
        writeBytes(name, bytes);
        const QSizeF mm = pictureSizeMm(loadPicture(path(name)));
        ASSERT_NEAR(mm.width(), widthMm, 0.01);
        ASSERT_NEAR(mm.height(), heightMm, 0.01);
    }

    void writeBanners(const BannerTable &t) { ASSERT_TRUE(WriteBannerFile(t)); }

    BannerTable fileBanners()
    {
        BannerTable t{};
        EXPECT_TRUE(ReadBannerFile(t));
        return t;
    }
};

TEST_F(Form21Test, MissingFile_GivesTheDefaultsAndClosingWritesThem)
{
    Form21 &f = form<Form21>();
    EXPECT_EQ(f.Caption(), QStringLiteral("Werbebanner am Deckblatt"));
    const BannerTable defaults = DefaultBanners();
    for (int i = 0; i < BannerCount; ++i) {
        EXPECT_EQ(f.Check1(i).Value(), 1);
        EXPECT_EQ(f.Text1(i).Text(), defaults[i].FileName);
        EXPECT_EQ(f.Text3(i).Text(), defaults[i].Down);
    }
    EXPECT_FALSE(fileExists(path(QStringLiteral("werbung.dat"))));

    f.Command1.click();
    destroyUnloadedWindows();
    EXPECT_FALSE(isLoaded<Form21>());
    EXPECT_EQ(readBytes(QStringLiteral("werbung.dat")).count("\r\n"), 40);
    const BannerTable written = fileBanners();
    for (int i = 0; i < BannerCount; ++i) {
        EXPECT_EQ(written[i].FileName, defaults[i].FileName);
        EXPECT_EQ(written[i].SizePercent, defaults[i].SizePercent);
    }
}

TEST_F(Form21Test, FileValuesPassTheClampsAndReachTheNextFile)
{
    BannerTable t = DefaultBanners();
    t[2].Down = QStringLiteral("300");
    t[2].Right = QStringLiteral("-4");
    t[2].SizePercent = QStringLiteral("5");
    t[4].Shown = 0;
    t[4].FileName = QStringLiteral("sponsor.jpg");
    writeBanners(t);

    Form21 &f = form<Form21>();
    EXPECT_EQ(f.Text3(2).Text(), QStringLiteral("283"));
    EXPECT_EQ(f.Text2(2).Text(), QStringLiteral("0"));
    EXPECT_EQ(f.Text4(2).Text(), QStringLiteral("10"));
    EXPECT_EQ(f.Check1(4).Value(), 0);
    EXPECT_EQ(f.Text1(4).Text(), QStringLiteral("sponsor.jpg"));
    // Unticking banner 4 on reading acts as a click on it.
    EXPECT_EQ(Banners.SelectedBanner, 4);

    unload<Form21>();
    const BannerTable again = fileBanners();
    EXPECT_EQ(again[2].Down, QStringLiteral("283"));
    EXPECT_EQ(again[2].Right, QStringLiteral("0"));
    EXPECT_EQ(again[4].Shown, 0);
}

TEST_F(Form21Test, TypedNumbersAreClampedOnEveryChange)
{
    Form21 &f = form<Form21>();
    ASSERT_TRUE(showAndActivate(f));
    TextBox &down = f.Text3(1);
    down.SetFocus();
    down.edit()->selectAll();
    pressKey(down, Qt::Key_Backspace);
    EXPECT_EQ(down.Text(), QStringLiteral("233"));   // emptied: at once the lowest value

    TextBox &right = f.Text2(1);
    right.setText(QStringLiteral("18"));
    right.SetFocus();
    right.edit()->end(false);
    typeText(right, QStringLiteral("5"));
    EXPECT_EQ(right.Text(), QStringLiteral("183"));   // 185 is past the page

    TextBox &size = f.Text4(1);
    size.setText(QStringLiteral("12,5"));
    EXPECT_EQ(size.Text(), QStringLiteral("12,5"));   // inside the range: as typed
}

TEST_F(Form21Test, NudgeButtonsMoveTheSelectedBannerWithinItsRange)
{
    BannerTable t = DefaultBanners();
    t[3].Right = QStringLiteral("1");
    t[3].Down = QStringLiteral("283");
    writeBanners(t);
    Form21 &f = form<Form21>();
    ASSERT_TRUE(showAndActivate(f));
    f.Check1(3).setValue(0);
    f.Check1(3).setValue(1);
    ASSERT_EQ(Banners.SelectedBanner, 3);

    f.Command3.click();   // "<": 1 - 2 is clamped
    EXPECT_EQ(f.Text2(3).Text(), QStringLiteral("0"));
    f.Command2.click();   // ">"
    f.Command2.click();
    EXPECT_EQ(f.Text2(3).Text(), QStringLiteral("4"));
    f.Command5.click();   // "v" at the lowest place stays there
    EXPECT_EQ(f.Text3(3).Text(), QStringLiteral("283"));
    f.Command4.click();   // up
    EXPECT_EQ(f.Text3(3).Text(), QStringLiteral("282"));
    EXPECT_EQ(f.Text2(2).Text(), QStringLiteral("135"));   // the others stay

    // No banner selected: the buttons do nothing.
    Banners.SelectedBanner = 9;
    f.Command2.click();
    f.Command5.click();
    EXPECT_EQ(f.Text2(3).Text(), QStringLiteral("4"));
    EXPECT_EQ(f.Text3(3).Text(), QStringLiteral("282"));
}

TEST_F(Form21Test, SelectedRowIsPaleGreenAndItsPictureShown)
{
    writePicture(QStringLiteral("werbung3.jpg"), 30, 10);
    Form21 &f = form<Form21>();
    ASSERT_TRUE(showAndActivate(f));
    EXPECT_EQ(Banners.SelectedBanner, 0);

    clickWithMouse(f.Text1(3));   // banner 3 shows werbung3.jpg
    EXPECT_EQ(Banners.SelectedBanner, 3);
    EXPECT_EQ(f.Image3.Picture().size(), QSize(150, 50));
    const double green = App.ColourTable[6], grey = App.ColourTable[0];
    for (int i = 0; i < BannerCount; ++i)
        for (TextBox *box : {&f.Text1(i), &f.Text2(i), &f.Text3(i), &f.Text4(i)})
            EXPECT_EQ(box->BackColor(), i == 3 ? green : grey) << i;

    // A banner without its file keeps the picture of the one before.
    clickWithMouse(f.Text1(5));
    EXPECT_EQ(Banners.SelectedBanner, 5);
    EXPECT_EQ(f.Image3.Picture().size(), QSize(150, 50));
    EXPECT_EQ(f.Text1(5).BackColor(), green);
    EXPECT_EQ(f.Text1(3).BackColor(), grey);

    // The selection outlives the window.
    unload<Form21>();
    form<Form21>();
    EXPECT_EQ(Banners.SelectedBanner, 5);
}

TEST_F(Form21Test, PreviewPlacesThePicturesAsOnTheCoverPage)
{
    writePicture(QStringLiteral("werbung1.jpg"), 40, 20);
    writePicture(QStringLiteral("werbung6.jpg"), 40, 20);
    writeBytes(QStringLiteral("werbung2.jpg"), "kein Bild");   // broken: left out
    Form21 &f = form<Form21>();

    // Banner 0: 100 % at (20, 235); banner 4: 120 % at (53, 260).
    const Image &a = f.Image1(0);
    EXPECT_TRUE(a.Visible());
    EXPECT_NEAR(a.Left(), twips(20), TwipsPerPixel);
    EXPECT_NEAR(a.Top(), twips(235 - 163), TwipsPerPixel);
    EXPECT_NEAR(a.Width(), twips(40), TwipsPerPixel);
    EXPECT_NEAR(a.Height(), twips(20), TwipsPerPixel);
    const Image &b = f.Image1(4);
    EXPECT_TRUE(b.Visible());
    EXPECT_NEAR(b.Left(), twips(53), TwipsPerPixel);
    EXPECT_NEAR(b.Top(), twips(260 - 163), TwipsPerPixel);
    EXPECT_NEAR(b.Width(), twips(48), TwipsPerPixel);
    EXPECT_NEAR(b.Height(), twips(24), TwipsPerPixel);
    for (int i : {1, 2, 3, 5, 6, 7})
        EXPECT_FALSE(f.Image1(i).Visible()) << i;

    // A new size laid out on Enter.
    ASSERT_TRUE(showAndActivate(f));
    f.Text4(0).SetFocus();
    f.Text4(0).setText(QStringLiteral("50"));
    pressKey(f.Text4(0), Qt::Key_Return);
    EXPECT_NEAR(f.Image1(0).Width(), twips(20), TwipsPerPixel);
    EXPECT_NEAR(f.Image1(0).Height(), twips(10), TwipsPerPixel);

    // Unticking hides the picture; ticking again shows it, as its file exists.
    f.Check1(0).setValue(0);
    EXPECT_FALSE(f.Image1(0).Visible());
    f.Check1(0).setValue(1);
    EXPECT_TRUE(f.Image1(0).Visible());
    // Ticked again without a file, a banner stays out of the preview.
    f.Check1(3).setValue(0);
    f.Check1(3).setValue(1);
    EXPECT_FALSE(f.Image1(3).Visible());
}

} // namespace

namespace {

TEST_F(Form21Test, ClosingWhenTheFileCannotBeWrittenBeepsAndKeepsTheOldBanners)
{
    const FileFaultGuard guard;
    // Once open and closed, so that the window's position is on disk and
    // the next close has no other file to write.
    form<Form21>().Command1.click();
    destroyUnloadedWindows();
    const QByteArray old = readBytes(QStringLiteral("werbung.dat"));
    for (const qint64 room : {qint64(0), qint64(30)}) {
        Form21 &f = form<Form21>();
        f.Text1(0).setText(QStringLiteral("sponsor.jpg"));
        resetBeepCount();
        fileops::faults::failAfterBytes(room, ENOSPC);
        f.Command1.click();
        fileops::faults::clear();
        destroyUnloadedWindows();
        EXPECT_EQ(beepCount(), 1) << room;
        EXPECT_EQ(readBytes(QStringLiteral("werbung.dat")), old) << room;
    }
}

} // namespace
