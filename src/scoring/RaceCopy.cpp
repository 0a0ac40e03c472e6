#include "RaceCopy.h"

#include <cmath>
#include <memory>

#include "core/Form4.h"
#include "core/RaceFiles.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "platform/Beep.h"
#include "platform/NumberText.h"
#include "platform/Strings.h"
#include "platform/TextFile.h"

namespace {

constexpr double HighestCopyNumber = 30000;

// Without "Nummern + Zeiten mitkopieren" the copy starts the race afresh.
void clearRunData()
{
    for (int i = 1; i <= MaxSlots; ++i) {
        Race.SlotStartNo[i] = 0;
        Race.SlotPaid[i] = 0;
        Race.SlotPoints[i] = 0;
        Race.SlotTime1[i] = 0;
        Race.SlotReserve[i] = 0;
        Race.SlotStatus1[i] = 0;
        Race.SlotTime2[i] = 0;
        Race.SlotStatus2[i] = 0;
    }
}

// The number typed for the copy; 0 when it is outside 1..30000.
std::int32_t copyNumber()
{
    const double typed = std::floor(num::numericValue(form<CupKopie>().Text2.Text()));
    return typed >= 1 && typed <= HighestCopyNumber ? std::int32_t(typed) : 0;
}

// True when race n has a name or entries that the copy would overwrite. The
// current race's header and tables in memory stay as they are.
bool holdsRace(std::int32_t n)
{
    const auto keptRace = std::make_unique<RaceState>(Race);
    const auto keptRec = std::make_unique<RecordState>(Rec);
    bool held = false;
    if (n <= Rec.RaceCount) {
        Rec.RaceRecordNo = n;
        ReadRaceHeader();
        held = !trimBlanks(Rec.RaceName).isEmpty();
    }
    Race.ActiveRaceNo = n;
    LoadRaceFiles();
    for (int slot = 1; slot <= MaxSlots && !held; ++slot)
        held = SlotInUse(slot);
    Race = *keptRace;
    Rec = *keptRec;
    return held;
}

void writeCopy(std::int32_t n)
{
    CupKopie &f = form<CupKopie>();
    const std::int32_t current = Race.ActiveRaceNo;
    const bool withRunData = f.Check1.Value() != 0;

    // The tables are written under the new number from a changed copy, so
    // the current race in memory stays as it is.
    const auto kept = std::make_unique<RaceState>(Race);
    if (!withRunData)
        clearRunData();
    Race.ActiveRaceNo = n;
    // A copy is no combination race: a combination file left under the
    // number would print the copy as a combination with another race's
    // times. When it cannot go, nothing is written.
    bool written = deleteFile(RaceFileName(u'Z', QStringLiteral(".dat")));
    if (written)
        written = WriteRaceFiles();
    Race = *kept;

    if (written) {
        Rec.RaceRecordNo = n;
        const QString name = Rec.RaceName;
        Rec.RaceName = QStringLiteral("Kopie v. ") + form<Form4>().Text2.Text();
        WriteRaceHeader();
        Rec.RaceName = name;
        FillRaceList();
    } else {
        beep();
    }

    Race.ActiveRaceNo = current;
    Rec.RaceRecordNo = current;
    if (current >= 1 && current <= Rec.RaceCount)
        ReadRaceHeader();
    f.Unload();
}

} // namespace

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

void CopyRace()
{
    CupKopie &f = form<CupKopie>();
    const std::int32_t n = copyNumber();
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
    if (holdsRace(n)) {
        f.ShowQuestion(true);
        return;
    }
    writeCopy(n);
}

void CopyRaceConfirmed()
{
    CupKopie &f = form<CupKopie>();
    f.ShowQuestion(false);
    const std::int32_t n = copyNumber();
    if (n == 0) {
        f.Unload();
        return;
    }
    if (n == Race.ActiveRaceNo) {
        beep();
        return;
    }
    writeCopy(n);
}
