#include "Form14.h"

#include "core/Form4.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "core/WindowPositions.h"
#include "platform/NumberText.h"

Form14::Form14()
    : Form(14, QStringLiteral("Auswertungskriterien"))
{
    setClientSize(5520, 4800);

    Label1.Move(240, 240, 5040, 300);
    Label1.setFontBold(true);
    Label1.setUseMnemonic(false);
    Label4.Move(240, 720, 3600, 300);
    Label4.setCaption(QStringLiteral("Auswertung nach:"));

    Check1.Move(480, 1080, 1920, 300);
    Check1.setCaption(QStringLiteral("Klassen"));
    Check1.setValue(1);
    Check2.Move(2640, 1080, 1920, 300);
    Check2.setCaption(QStringLiteral("Gruppen"));
    Check3.Move(480, 1440, 1200, 300);
    Check3.setCaption(QStringLiteral("m/w"));
    Check4.Move(1800, 1440, 1200, 300);
    Check4.setCaption(QStringLiteral("Gäste"));
    Check8.Move(3120, 1440, 1440, 300);
    Check8.setCaption(QStringLiteral("Boarder"));
    Check5.Move(480, 1800, 1920, 300);
    Check5.setCaption(QStringLiteral("Punkte"));
    Check6.Move(2640, 1800, 1920, 300);
    Check6.setCaption(QStringLiteral("Zeit"));
    Check6.setValue(1);
    Check7.Move(480, 2160, 3600, 300);
    Check7.setCaption(QStringLiteral("zwei Durchgänge"));

    Label6.Move(240, 2700, 4800, 300);
    Label6.setCaption(QStringLiteral("Zeitzuschlag in Sekunden (+/-)"));
    Label2.Move(480, 3120, 1560, 300);
    Label2.setCaption(QStringLiteral("für Gäste:"));
    Text1.Move(2160, 3060, 1320, 360);
    Label3.Move(480, 3600, 1560, 300);
    Label3.setCaption(QStringLiteral("für Männer:"));
    Text2.Move(2160, 3540, 1320, 360);

    Command1.Move(240, 4200, 1200, 420);
    Command1.setCaption(QStringLiteral("fertig"));

    Check1.onClick = [this] { Check1_Click(); };
    Check2.onClick = [this] { Check2_Click(); };
    Check3.onClick = [this] { Check3_Click(); };
    Check4.onClick = [this] { Check4_Click(); };
    Check5.onClick = [this] { Check5_Click(); };
    Check6.onClick = [this] { Check6_Click(); };
    Check7.onClick = [this] { Check7_Click(); };
    Check8.onClick = [this] { Check8_Click(); };
    Text1.onLostFocus = [this] { Text1_LostFocus(); };
    Text2.onLostFocus = [this] { Text2_LostFocus(); };
    Command1.onClick = [this] { Command1_Click(); };
    setTabOrder({&Check1, &Check2, &Check3, &Check4, &Check8, &Check5, &Check6, &Check7, &Text1,
                 &Text2, &Command1});
}

void Form14::Form_Load()
{
    RestoreWindowPosition(*this);
    // The header that closing writes at ActiveRaceNo is the one read here,
    // so that no other race's header can be copied over it.
    Rec.RaceRecordNo = Race.ActiveRaceNo;
    ReadRaceHeader();
    Label1.setCaption(Rec.RaceName);

    shownText1_ = num::plainNumberText(Rec.GuestTimeHandicap);
    shownText2_ = num::plainNumberText(Rec.MenTimeHandicap);
    Text1.setText(shownText1_);
    Text2.setText(shownText2_);

    if (Rec.EvalByClass == 1)
        Check1.setValue(1);
    else
        Check2.setValue(1);
    if (Rec.EvalBySex == 1)
        Check3.setValue(1);
    if (Rec.EvalGuestsApart == 1)
        Check4.setValue(1);
    if (Rec.EvalBoarders == 1)
        Check8.setValue(1);
    if (Rec.TwoRuns == 1)
        Check7.setValue(1);
    if (Rec.EvalByTime == 1)
        Check6.setValue(1);
    else
        Check5.setValue(1);
}

void Form14::Form_Unload()
{
    StoreWindowPosition(*this);
    Rec.RaceRecordNo = Race.ActiveRaceNo;
    // Only a race that exists: writing past the last one would make a new
    // race out of this header.
    if (Rec.RaceRecordNo >= 1 && Rec.RaceRecordNo <= Rec.RaceCount)
        WriteRaceHeader();
    form<Form4>().Show();
}

void Form14::pairClick(CheckBox &box, CheckBox &partner, std::uint8_t &criterion,
                       std::uint8_t valueWhenBoxTicked)
{
    const bool ticked = box.Value() == 1;
    partner.setValue(ticked ? 0 : 1);
    criterion = ticked ? valueWhenBoxTicked : std::uint8_t(1 - valueWhenBoxTicked);
}

void Form14::Check1_Click() { pairClick(Check1, Check2, Rec.EvalByClass, 1); }
void Form14::Check2_Click() { pairClick(Check2, Check1, Rec.EvalByClass, 0); }
void Form14::Check6_Click() { pairClick(Check6, Check5, Rec.EvalByTime, 1); }
void Form14::Check5_Click() { pairClick(Check5, Check6, Rec.EvalByTime, 0); }

void Form14::Check3_Click() { Rec.EvalBySex = Check3.Value() == 1 ? 1 : 0; }
void Form14::Check4_Click() { Rec.EvalGuestsApart = Check4.Value() == 1 ? 1 : 0; }
void Form14::Check8_Click() { Rec.EvalBoarders = Check8.Value() == 1 ? 1 : 0; }
void Form14::Check7_Click() { Rec.TwoRuns = Check7.Value() == 1 ? 1 : 0; }

void Form14::commitHandicap(TextBox &box, QString &shown, double &handicap)
{
    if (box.Text() == shown)
        return;
    // "1,5" and "1.5" alike; an empty text or one without a number is 0.
    handicap = num::decimalCommaValue(box.Text());
    shown = box.Text();
}

void Form14::Text1_LostFocus() { commitHandicap(Text1, shownText1_, Rec.GuestTimeHandicap); }
void Form14::Text2_LostFocus() { commitHandicap(Text2, shownText2_, Rec.MenTimeHandicap); }

void Form14::Command1_Click()
{
    Unload();
}
