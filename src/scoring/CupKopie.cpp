#include "CupKopie.h"

#include "RaceCopy.h"
#include "core/Form4.h"
#include "core/SharedState.h"
#include "platform/Beep.h"
#include "platform/NumberText.h"

CupKopie::CupKopie()
    // The window keeps no position of its own.
    : Form(0, QStringLiteral("Kopie für Cup-Wertung herstellen"))
{
    setClientSize(6240, 4440);

    Label1.Move(240, 240, 5760, 1080);
    Label1.setWordWrap(true);
    Label2.Move(240, 1440, 5760, 660);
    Label2.setWordWrap(true);
    Label2.setCaption(QStringLiteral("Geben Sie bitte eine Nummer ein, unter der die Kopie des "
                                     "aktuellen Rennens abgelegt werden soll."));
    Text2.Move(240, 2220, 1200, 360);
    Check1.Move(1680, 2250, 4320, 300);
    Check1.setCaption(QStringLiteral("Nummern + Zeiten mitkopieren"));
    Command16.Move(240, 3120, 2160, 480);
    Command16.setCaption(QStringLiteral("Kopie herstellen"));
    Command1.Move(3840, 3120, 2160, 480);
    Command1.setCaption(QStringLiteral("Ende / Abbruch"));
    Command2.Move(240, 3720, 1080, 480);
    Command2.setCaption(QStringLiteral("JA"));
    Command2.setVisible(false);
    Command3.Move(1440, 3720, 1200, 480);
    Command3.setCaption(QStringLiteral("nein !"));
    Command3.setVisible(false);

    Text2.onChange = [this] { Text2_Change(); };
    Command16.onClick = [this] { Command16_Click(); };
    Command1.onClick = [this] { Command1_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
    Command3.onClick = [this] { Command3_Click(); };
    setTabOrder({&Text2, &Check1, &Command16, &Command2, &Command3, &Command1});
}

void CupKopie::Form_Load()
{
    Label1.setCaption(QStringLiteral("Vom aktuellen Rennen ")
                      + num::plainNumberText(Race.ActiveRaceNo)
                      + QStringLiteral(" kann eine Kopie hergestellt werden. Diese enthält dann "
                                       "alle Läuferdaten, jedoch keine Zeiten. Somit kann leicht "
                                       "eine Cup-Wertung erstellt werden."));
    Text2.setText(num::plainNumberText(double(Race.ActiveRaceNo) + 1));
}

// The question was about the number as it stood: another number is asked
// about anew.
void CupKopie::Text2_Change()
{
    ShowQuestion(false);
}

void CupKopie::Command16_Click()
{
    CopyRace();
}

void CupKopie::Command1_Click()
{
    Unload();
}

void CupKopie::Command2_Click()
{
    CopyRaceConfirmed();
}

void CupKopie::Command3_Click()
{
    ShowQuestion(false);
    Text2.SetFocus();
}

void CupKopie::ShowQuestion(bool shown)
{
    Command2.setVisible(shown);
    Command3.setVisible(shown);
    if (shown)
        Command3.SetFocus();
}

namespace {

// The copy onto race n; the race window's list then names it.
void writeCopy(CupKopie &f, std::int32_t n)
{
    if (WriteRaceCopy(n, f.Check1.Value() != 0, form<Form4>().Text2.Text()))
        FillRaceList();
    f.Unload();
}

} // namespace

void CopyRace()
{
    CupKopie &f = form<CupKopie>();
    const std::int32_t n = RaceCopyNumber(f.Text2.Text());
    if (n == 0) {
        f.Unload();
        return;
    }
    // Copied onto itself, the race would lose its times.
    if (n == Race.ActiveRaceNo) {
        f.ShowQuestion(false);
        beep();
        return;
    }
    if (RaceHoldsData(n)) {
        f.ShowQuestion(true);
        return;
    }
    writeCopy(f, n);
}

void CopyRaceConfirmed()
{
    CupKopie &f = form<CupKopie>();
    f.ShowQuestion(false);
    const std::int32_t n = RaceCopyNumber(f.Text2.Text());
    if (n == 0) {
        f.Unload();
        return;
    }
    if (n == Race.ActiveRaceNo) {
        beep();
        return;
    }
    writeCopy(f, n);
}
