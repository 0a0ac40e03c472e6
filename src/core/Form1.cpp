#include "Form1.h"

#include <QCoreApplication>
#include <algorithm>
#include <array>

#include "Form2.h"
#include "Form3.h"
#include "Form4.h"
#include "ProgramPictures.h"
#include "RecordFiles.h"
#include "SharedState.h"
#include "StartUp.h"
#include "WindowPositions.h"
#include "platform/Clock.h"
#include "platform/NumberText.h"

namespace {

constexpr int PictureLeft = 2280;
constexpr int PictureTop = 840;
constexpr int PictureWidth = 2040;
constexpr int PictureHeight = 1440;

// The eight pictograms fitted whole, at the largest size that fits the
// picture area. The program carries them at that size beside the large ones
// it prints (scripts/pictures makes both), so the main window decodes only
// small pictures; made once per run and shared (QImage shares its pixels) by
// every main window built.
const std::array<QImage, 8> &FittedPictograms()
{
    static const std::array<QImage, 8> fitted = [] {
        std::array<QImage, 8> made;
        for (int n = 1; n <= 8; ++n)
            made[std::size_t(n - 1)] = Form1::ScreenPictogramPicture(n);
        return made;
    }();
    return fitted;
}

} // namespace

Form1::Form1()
    : Form(1, QString())
    , images_{&Image1, &Image2, &Image3, &Image4, &Image5, &Image6, &Image7, &Image8}
{
    setClientSize(6600, 4560);

    Label1.Move(240, 120, 6120, 600);
    Label1.setAlignment(Alignment::Center);
    Label1.setFontName(QStringLiteral("Arial"));
    Label1.setFontSize(14);
    Label1.setFontBold(true);
    Label1.onMouseMove = [this](int, int, double, double) { Label1_MouseMove(); };

    // The counts stand above the buttons they belong to.
    const int columns[3] = {240, 2400, 4560};
    Label *counts[3] = {&Label2, &Label3, &Label4};
    CommandButton *buttons[3] = {&Command1, &Command2, &Command3};
    const QString captions[3] = {QStringLiteral("Läufer"), QStringLiteral("Vereine"),
                                 QStringLiteral("Veranstaltungen")};
    for (int i = 0; i < 3; ++i) {
        counts[i]->Move(columns[i], 2520, 1800, 300);
        counts[i]->setAlignment(Alignment::Center);
        counts[i]->setFontName(QStringLiteral("Arial"));
        counts[i]->setFontSize(10);
        buttons[i]->Move(columns[i], 2880, 1800, 600);
        buttons[i]->setCaption(captions[i]);
    }
    Command4.Move(4560, 3720, 1800, 600);
    Command4.setCaption(QStringLiteral("Exit"));
    Command1.onClick = [this] { Command1_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
    Command3.onClick = [this] { Command3_Click(); };
    Command4.onClick = [this] { Command4_Click(); };

    for (int n = 1; n <= 8; ++n) {
        Image &img = Pictogram(n);
        const QImage &fitted = FittedPictograms()[std::size_t(n - 1)];
        const int w = twipsFromPixels(fitted.width());
        const int h = twipsFromPixels(fitted.height());
        img.Move(PictureLeft + (PictureWidth - w) / 2, PictureTop + (PictureHeight - h) / 2, w, h);
        img.setPicture(fitted);
        img.setVisible(false);
    }

    Timer1.setInterval(2000);
    Timer1.setEnabled(false);
    Timer1.onTimer = [this] { Timer1_Timer(); };
}

Image &Form1::Pictogram(int n)
{
    return *images_[std::size_t(std::clamp(n, 1, 8) - 1)];
}

QImage Form1::PictogramPicture(int n)
{
    return ::PictogramPicture(n);
}

QImage Form1::ScreenPictogramPicture(int n)
{
    if (n < 1 || n > 8)
        return {};
    return ProgramPicture(QStringLiteral("pictogram%1-screen.png").arg(n));
}

QSize Form1::PictogramArea()
{
    return {pixelsFromTwips(PictureWidth), pixelsFromTwips(PictureHeight)};
}

QString Form1::OrganisationHint()
{
    return QStringLiteral("Name der Organisation: erste Zeile der Datei ") + OrganisationFileName();
}

void Form1::Form_Load()
{
    SetProductAndDataDir();
    SeedRandomGenerator();
    if (ReadWindowPositions())
        Move(num::toInt32(App.WindowLeft[1]), App.WindowTop[1]);
    ReadSettingsFile();
    ComputeSeasonYearOffset();
    LoadStandardClassTable();
    SetStatusNames();
    SetColourTable();
    setCaption(App.ProductName + QStringLiteral("  V") + App.VersionText);
    ReadOrganisationName();
    Label1.setCaption(App.OrganisationName);
}

void Form1::Form_Activate()
{
    Label2.setCaption(num::plainNumberText(Rec.AthleteCount));
    Label3.setCaption(num::plainNumberText(Rec.ClubCount));
    Label4.setCaption(num::plainNumberText(Rec.RaceCount));
    for (Image *img : images_)
        img->setVisible(false);
    const int n = num::floorToInt32(rnd::next() * 8) + 1;
    Work.LoopIndex2 = n;
    Pictogram(n).setVisible(true);
}

void Form1::Command1_Click()
{
    Hide();
    OpenAthleteFile();
    OpenClubFile();
    OpenRaceFile();
    form<Form3>().Show();
    Rec.CurrentAthleteId = Rec.AthleteCount;
    ClearAthleteFields();
    if (Rec.CurrentAthleteId == 0) {
        // An empty database starts at record 1; the settings file keeps 0
        // until that record is written.
        Rec.CurrentAthleteId = 1;
        Rec.AthleteCount = 1;
    } else {
        ReadAthleteRecord();
    }
    ShowAthleteOnForm();
}

void Form1::Command2_Click()
{
    Hide();
    OpenAthleteFile();
    OpenClubFile();
    OpenRaceFile();
    form<Form2>().Show();
    Rec.CurrentClubNo = Rec.ClubCount;
    ClearClubFields();
    if (Rec.CurrentClubNo == 0) {
        Rec.CurrentClubNo = 1;
        Rec.ClubCount = 1;
    } else {
        ReadClubRecord();
    }
    ShowClubOnForm();
}

void Form1::Command3_Click()
{
    Hide();
    OpenAthleteFile();
    OpenClubFile();
    OpenRaceFile();
    Form4 &races = form<Form4>();
    races.Show();
    std::int32_t n = Race.ActiveRaceNo;
    if (n == 0)
        n = Rec.RaceCount;
    if (n == 0)
        n = 1;
    races.Text1.setText(num::plainNumberText(n));
}

void Form1::Command4_Click()
{
    Unload();
    // The program ends at once; the other windows get no unload.
    QCoreApplication::exit(0);
}

void Form1::Form_Unload()
{
    CloseClubFile();
    CloseAthleteFile();
    CloseRaceFile();
    StoreWindowPosition(*this);
}

void Form1::Label1_MouseMove()
{
    Label1.setCaption(OrganisationHint());
    Timer1.setEnabled(true);
}

void Form1::Timer1_Timer()
{
    Timer1.setEnabled(false);
    Label1.setCaption(App.OrganisationName);
}
