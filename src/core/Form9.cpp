#include "Form9.h"

#include "Form4.h"
#include "RaceFiles.h"
#include "RecordFiles.h"
#include "SharedState.h"
#include "WindowPositions.h"
#include "platform/TextFile.h"

Form9::Form9()
    : Form(9, QStringLiteral("Veranstaltung löschen"))
{
    setClientSize(6000, 2400);
    Label1.Move(240, 240, 5520, 360);
    Label1.setFontName(QStringLiteral("Arial"));
    Label1.setFontSize(12);
    Label1.setFontBold(true);
    Label1.setAlignment(Alignment::Center);
    Label2.Move(240, 840, 5520, 300);
    Label2.setCaption(QStringLiteral("wollen Sie diese Veranstaltung wirklich löschen ?"));
    Label2.setAlignment(Alignment::Center);
    Command1.Move(600, 1560, 1440, 480);
    Command1.setCaption(QStringLiteral("ja"));
    Command2.Move(2280, 1560, 1440, 480);
    Command2.setCaption(QStringLiteral("nein"));
    Command3.Move(3960, 1560, 1440, 480);
    Command3.setCaption(QStringLiteral("Exit"));
    Command1.onClick = [this] { Command1_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
    Command3.onClick = [this] { Command3_Click(); };
}

void Form9::Form_Load()
{
    RestoreWindowPosition(*this);
    Label1.setCaption(Rec.RaceName);
}

void Form9::Form_Unload()
{
    StoreWindowPosition(*this);
    form<Form4>().Show();
}

void Form9::Command1_Click()
{
    ClearRaceHeader();
    WriteRaceHeader();
    // A save that a crash interrupted must not bring the files back later.
    SettleRaceFiles();
    deleteFile(RaceFileName(u'R', QStringLiteral(".dat")));
    deleteFile(RaceFileName(u'K', QStringLiteral(".lst")));
    deleteFile(RaceFileName(u'G', QStringLiteral(".lst")));
    deleteFile(RaceFileName(u'M', QStringLiteral(".lst")));
    deleteFile(RaceFileName(u'Z', QStringLiteral(".dat")));
    FillRaceList();
    form<Form4>().Text2.setText(QStringLiteral("leer"));
    Unload();
}

void Form9::Command2_Click()
{
    Unload();
}

void Form9::Command3_Click()
{
    Unload();
}
