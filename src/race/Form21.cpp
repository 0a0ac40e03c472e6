#include "Form21.h"

#include <QWidget>

#include "core/SharedState.h"
#include "core/WindowPositions.h"
#include "platform/Beep.h"
#include "platform/NumberText.h"
#include "platform/Pictures.h"
#include "platform/Strings.h"
#include "platform/TextFile.h"

namespace {

// The window measures its preview in millimetres of the page.
int twipsFromMm(double mm)
{
    return num::toInt32(mm * 1440.0 / 25.4);
}

constexpr int RowTop = 420;
constexpr int RowHeight = 390;
constexpr int CheckLeft = 120, FileLeft = 480, RightLeft = 3000, DownLeft = 3780,
              SizeLeft = 4560;
constexpr int FileWidth = 2400, NumberWidth = 720, BoxHeight = 330;

// The picture of banner i as the rows name it; null when the file is missing
// or is no picture (both are left out without a message).
QImage bannerPicture(const Form21 &f, int i)
{
    const QString path = App.DataDir + trimBlanks(f.Text1(i).Text());
    if (!fileExists(path))
        return {};
    return loadPicture(path);
}

} // namespace

Form21::Form21()
    : Form(21, QStringLiteral("Werbebanner am Deckblatt"))
{
    // The preview reaches to the foot of an A4 page.
    setClientSize(twipsFromMm(210), twipsFromMm(297 - BannerPreviewOffsetMm + 4));

    Label1.Move(FileLeft, 120, FileWidth, 270);
    Label1.setCaption(QStringLiteral("Bilddatei"));
    Label2.Move(RightLeft, 120, NumberWidth, 270);
    Label2.setCaption(QStringLiteral("rechts"));
    Label3.Move(DownLeft, 120, NumberWidth, 270);
    Label3.setCaption(QStringLiteral("runter"));
    Label4.Move(SizeLeft, 120, NumberWidth, 270);
    Label4.setCaption(QStringLiteral("Größe %"));

    const BannerTable defaults = DefaultBanners();
    for (int i = 0; i < BannerCount; ++i) {
        const BannerEntry &b = defaults[std::size_t(i)];
        const int top = RowTop + i * RowHeight;
        Check1(i).Move(CheckLeft, top, 300, BoxHeight);
        Check1(i).setValue(b.Shown);
        Text1(i).Move(FileLeft, top, FileWidth, BoxHeight);
        Text1(i).setText(b.FileName);
        Text2(i).Move(RightLeft, top, NumberWidth, BoxHeight);
        Text2(i).setText(b.Right);
        Text3(i).Move(DownLeft, top, NumberWidth, BoxHeight);
        Text3(i).setText(b.Down);
        Text4(i).Move(SizeLeft, top, NumberWidth, BoxHeight);
        Text4(i).setText(b.SizePercent);

        Check1(i).onClick = [this, i] { Check1_Click(i); };
        Text1(i).onClick = [this, i] { Text1_Click(i); };
        Text2(i).onChange = [this, i] { Text2_Change(i); };
        Text3(i).onChange = [this, i] { Text3_Change(i); };
        Text4(i).onChange = [this, i] { Text4_Change(i); };
        for (TextBox *box : {&Text1(i), &Text2(i), &Text3(i), &Text4(i)})
            box->onKeyDown = [this](int &keyCode, int) { Text_KeyDown(keyCode); };

        Image &preview = Image1(i);
        preview.setStretch(true);
        preview.setVisible(false);
        preview.onClick = [this, i] { Image1_Click(i); };
    }

    constexpr int ButtonLeft = 5520, ButtonSize = 420;
    Command4.Move(ButtonLeft + ButtonSize, 600, ButtonSize, 360);
    Command3.Move(ButtonLeft, 1000, ButtonSize, 360);
    Command3.setCaption(QStringLiteral("<"));
    Command2.Move(ButtonLeft + 2 * ButtonSize, 1000, ButtonSize, 360);
    Command2.setCaption(QStringLiteral(">"));
    Command5.Move(ButtonLeft + ButtonSize, 1400, ButtonSize, 360);
    Command5.setCaption(QStringLiteral("v"));
    Command1.Move(ButtonLeft, 2760, 3 * ButtonSize, 420);
    Command1.setCaption(QStringLiteral("fertig"));

    Image3.Move(7440, 120, 4200, 3300);
    Image2.setVisible(false);

    // The foot of the cover page: the band line and its caption.
    Label5.Move(twipsFromMm(20), twipsFromMm(228 - BannerPreviewOffsetMm),
                twipsFromMm(185 - 20), TwipsPerPixel);
    Label5.setBackColor(0);
    Label5.setCaption(QString());
    Label6.Move(0, twipsFromMm(229 - BannerPreviewOffsetMm), twipsFromMm(210), 240);
    Label6.setAlignment(Alignment::Center);
    Label6.setBackStyle(0);
    Label6.setFontName(QStringLiteral("Times"));
    Label6.setFontSize(8);
    Label6.setFontBold(true);
    Label6.setCaption(QStringLiteral("Mit freundlicher Unterstützung von"));

    Command1.onClick = [this] { Command1_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
    Command3.onClick = [this] { Command3_Click(); };
    Command4.onClick = [this] { Command4_Click(); };
    Command5.onClick = [this] { Command5_Click(); };

    // Tab goes along each row, then to the next.
    QWidget *previous = nullptr;
    for (int i = 0; i < BannerCount; ++i)
        for (Control *c : std::initializer_list<Control *>{&Check1(i), &Text1(i), &Text2(i),
                                                           &Text3(i), &Text4(i)}) {
            if (previous)
                QWidget::setTabOrder(previous, c->widget());
            previous = c->widget();
        }
    for (Control *c : std::initializer_list<Control *>{&Command4, &Command3, &Command2,
                                                       &Command5, &Command1}) {
        QWidget::setTabOrder(previous, c->widget());
        previous = c->widget();
    }
}

void Form21::Form_Load()
{
    RestoreWindowPosition(*this);
    BannerTable banners = BannerRows();
    if (ReadBannerFile(banners))
        ShowBannerRows(banners);
    LayoutBannerPreview();
}

void Form21::Form_Unload()
{
    // Always the whole file, whatever was changed. A file that cannot be
    // written keeps its old banners; the beep says so.
    if (!WriteBannerFile(BannerRows()))
        beep();
    StoreWindowPosition(*this);
}

BannerTable Form21::BannerRows() const
{
    BannerTable banners;
    for (int i = 0; i < BannerCount; ++i) {
        BannerEntry &b = banners[std::size_t(i)];
        b.Shown = Check1(i).Value();
        b.FileName = Text1(i).Text();
        b.Right = Text2(i).Text();
        b.Down = Text3(i).Text();
        b.SizePercent = Text4(i).Text();
    }
    return banners;
}

void Form21::ShowBannerRows(const BannerTable &banners)
{
    for (int i = 0; i < BannerCount; ++i) {
        const BannerEntry &b = banners[std::size_t(i)];
        Check1(i).setValue(b.Shown);
        Text1(i).setText(b.FileName);
        Text2(i).setText(b.Right);
        Text3(i).setText(b.Down);
        Text4(i).setText(b.SizePercent);
    }
}

void Form21::selectBanner(int index)
{
    Banners.SelectedBanner = index;
    LoadBannerImage();
    LayoutBannerPreview();
}

void Form21::Check1_Click(int Index)
{
    selectBanner(Index);
}

void Form21::Text1_Click(int Index)
{
    selectBanner(Index);
}

void Form21::Image1_Click(int Index)
{
    selectBanner(Index);
}

void Form21::Text_KeyDown(int &KeyCode)
{
    // Enter goes on to the next box as usual.
    if (KeyCode == key::Return)
        LayoutBannerPreview();
}

void Form21::Text2_Change(int Index)
{
    const QString text = Text2(Index).Text();
    const QString held = ClampBannerRight(text);
    if (held != text)
        Text2(Index).setText(held);
}

void Form21::Text3_Change(int Index)
{
    const QString text = Text3(Index).Text();
    const QString held = ClampBannerDown(text);
    if (held != text)
        Text3(Index).setText(held);
}

void Form21::Text4_Change(int Index)
{
    const QString text = Text4(Index).Text();
    const QString held = ClampBannerSize(text);
    if (held != text)
        Text4(Index).setText(held);
}

void Form21::nudge(ControlArray<TextBox, BannerCount> &boxes, int step)
{
    const int i = Banners.SelectedBanner;
    if (i < 0 || i >= BannerCount)
        return;
    boxes(i).setText(num::plainNumberText(num::numericValue(boxes(i).Text()) + step));
    LayoutBannerPreview();
}

void Form21::Command2_Click()
{
    nudge(Text2, 2);
}

void Form21::Command3_Click()
{
    nudge(Text2, -2);
}

void Form21::Command4_Click()
{
    nudge(Text3, -1);
}

void Form21::Command5_Click()
{
    nudge(Text3, 1);
}

void Form21::Command1_Click()
{
    Unload();
}

void Form21::LoadBannerImage()
{
    const int i = Banners.SelectedBanner;
    if (i < 0 || i >= BannerCount)
        return;
    const QImage picture = bannerPicture(*this, i);
    if (picture.isNull())
        return;
    Image3.setPicture(picture);
    letWindowSystemRedraw();
}

QSizeF Form21::MeasuredSizeMm() const
{
    return pictureSizeMm(Image2.Picture());
}

void Form21::LayoutBannerPreview()
{
    const double plain = App.ColourTable[0];
    const double selected = App.ColourTable[6];
    for (int i = 0; i < BannerCount; ++i) {
        const double colour = i == Banners.SelectedBanner ? selected : plain;
        for (TextBox *box : {&Text1(i), &Text2(i), &Text3(i), &Text4(i)})
            box->setBackColor(colour);

        if (Check1(i).Value() == 0) {
            Image1(i).setVisible(false);
            continue;
        }
        // A missing file, or one that is no picture, leaves the preview
        // picture as it was.
        const QImage picture = bannerPicture(*this, i);
        if (picture.isNull())
            continue;
        Image2.setPicture(picture);
        letWindowSystemRedraw();

        const QSizeF own = MeasuredSizeMm();
        const double percent = num::numericValue(Text4(i).Text());
        const double width = own.width() * percent / 100;
        const double height = own.height() * percent / 100;
        Image &preview = Image1(i);
        preview.setPicture(picture);
        preview.Move(twipsFromMm(num::numericValue(Text2(i).Text())),
                     twipsFromMm(num::numericValue(Text3(i).Text()) - BannerPreviewOffsetMm),
                     twipsFromMm(width), twipsFromMm(height));
        preview.setVisible(true);
    }
}
