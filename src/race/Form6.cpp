#include "Form6.h"

#include <QMetaObject>
#include <QStringList>

#include "ClassAssignment.h"
#include "StartNumbers.h"
#include "core/Form1.h"
#include "core/Form17.h"
#include "core/Form4.h"
#include "core/Launchers.h"
#include "core/RaceFiles.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "core/WindowPositions.h"
#include "platform/Colours.h"
#include "platform/DateText.h"
#include "platform/NumberText.h"
#include "platform/Strings.h"

namespace {

const double Accepted = colourValue(192, 255, 192);
const double Refused = colourValue(255, 0, 0);
const double Male = colourValue(192, 255, 255);
const double Female = colourValue(255, 192, 192);
const QString NoChoice = QStringLiteral("???");

bool evaluatedByClass()
{
    return Rec.EvalByClass == 1;
}

// Opened over the entry list, the window gives way to it on closing.
bool overEntryList()
{
    return Launchers.EntryListVisible && Launchers.EntryListVisible();
}

// "???" and then the names 1..100, so that the item index is the number.
QStringList numberedChoices(const std::array<QString, NameCount + 1> &names)
{
    QStringList items{NoChoice};
    for (int i = 1; i <= NameCount; ++i)
        items << names[i];
    return items;
}

// A stored value outside the choices selects nothing, so that nothing is
// stored back unless the user chooses.
void selectStored(ComboBox &choice, int value)
{
    choice.setListIndex(value >= 0 && value < choice.ListCount() ? value : -1);
}

void storeChoice(int slot, const ComboBox &choice, RaceState::SlotTable<int> &field)
{
    if (slot >= 1 && choice.ListIndex() >= 0)
        field[slot] = choice.ListIndex();
}

} // namespace

Form6::Form6()
    : Form(6, QStringLiteral("Startnummern und Klasseneinteilung"))
{
    setClientSize(12600, 7920);

    Label1.Move(240, 120, 12120, 360);
    Label1.setFontBold(true);
    List1.Move(240, 600, 5400, 7080);
    List1.setFontName(QStringLiteral("Monospac821 BT"));

    // The captions are as wide as "Klassenbezeichnung genau" needs.
    constexpr int captionLeft = 5880, captionWidth = 2580, valueLeft = 8520, valueWidth = 3840;
    Label2.Move(captionLeft, 600, 5760, 360);
    Label2.setCaption(QStringLiteral("bitte Teilnehmer anklicken !"));
    Label2.setFontBold(true);
    Label6.Move(11760, 600, 600, 360);
    Label6.setAlignment(Alignment::Right);

    Label3.Move(captionLeft, 1140, captionWidth, 300);
    Label3.setCaption(QStringLiteral("Startnummer"));
    Text1.Move(valueLeft, 1080, 1200, 360);
    Text1.setText(QStringLiteral("123"));
    Label5.Move(captionLeft, 1560, captionWidth, 300);
    Label5.setCaption(QStringLiteral("Altersklasse"));
    Label16.Move(valueLeft, 1560, valueWidth, 300);
    Label14.Move(captionLeft, 1920, captionWidth, 300);
    Label14.setCaption(QStringLiteral("Klassenbezeichnung genau"));
    Label13.Move(valueLeft, 1920, valueWidth, 300);
    Label7.Move(captionLeft, 2280, captionWidth, 300);
    Label7.setCaption(QStringLiteral("Jahrgang"));
    Label8.Move(valueLeft, 2280, valueWidth, 300);

    Label12.Move(captionLeft, 2700, captionWidth, 300);
    Label12.setCaption(QStringLiteral("Verein"));
    Combo1.Move(valueLeft, 2640, valueWidth, 360);
    Label10.Move(captionLeft, 3120, captionWidth, 300);
    Label10.setCaption(QStringLiteral("Mannschaft"));
    Combo3.Move(valueLeft, 3060, valueWidth, 360);
    Label11.Move(captionLeft, 3540, captionWidth, 300);
    Label11.setCaption(QStringLiteral("Gruppe"));
    Combo4.Move(valueLeft, 3480, valueWidth, 360);

    Check1.Move(captionLeft, 3960, 1200, 300);
    Check1.setCaption(QStringLiteral("Gast"));
    Check2.Move(7200, 3960, 1320, 300);
    Check2.setCaption(QStringLiteral("bezahlt"));
    Check3.Move(8640, 3960, 1320, 300);
    Check3.setCaption(QStringLiteral("Boarder"));
    Command5.Move(11400, 3900, 960, 360);
    Command5.setCaption(QStringLiteral("ok?"));

    Command2.Move(captionLeft, 4560, 3600, 360);
    Command2.setCaption(QStringLiteral("automatische Nummernvergabe"));
    Command3.Move(9600, 4560, 960, 360);
    Command3.setCaption(QStringLiteral("LOS !"));
    Command4.Move(10680, 4560, 1680, 360);
    Command4.setCaption(QStringLiteral("nein - Abbruch !"));
    Label9.Move(captionLeft, 5040, 1080, 300);
    Label9.setCaption(QStringLiteral("Reserve"));
    Text2.Move(6960, 4980, 840, 360);
    Text2.setText(QStringLiteral("0"));

    Command9.Move(captionLeft, 5520, 3600, 360);
    Command9.setCaption(QStringLiteral("Nummern für bestimmte Altersklassen"));
    Command11.Move(9600, 5520, 960, 360);
    Command11.setCaption(QStringLiteral("LOS !"));
    Command10.Move(10680, 5520, 1680, 360);
    Command10.setCaption(QStringLiteral("nein - Abbruch"));
    Combo2.Move(captionLeft, 5940, 3600, 360);
    Combo2.setText(NoChoice);
    Label15.Move(9600, 6000, 840, 300);
    Label15.setCaption(QStringLiteral("ab Nr.:"));
    Text3.Move(10440, 5940, 840, 360);
    Text3.setText(QStringLiteral("0"));

    Command6.Move(captionLeft, 6540, 3600, 360);
    Command6.setCaption(QStringLiteral("alle Startnummern löschen (=0)"));
    Command7.Move(9600, 6540, 960, 360);
    Command7.setCaption(QStringLiteral("LOS !"));
    Command8.Move(10680, 6540, 1680, 360);
    Command8.setCaption(QStringLiteral("nein - nicht löschen !"));

    Command1.Move(11160, 7260, 1200, 420);
    Command1.setCaption(QStringLiteral("fertig"));

    // Hidden until their command asks for them.
    for (Control *c : std::initializer_list<Control *>{
             &Command3, &Command4, &Label9, &Text2, &Command11, &Command10, &Combo2, &Label15,
             &Text3, &Command7, &Command8})
        c->setVisible(false);
    // Switched on once a participant is shown.
    for (Control *c : std::initializer_list<Control *>{&Text1, &Combo1, &Combo3, &Combo4,
                                                         &Check1, &Check2, &Check3})
        c->setEnabled(false);

    List1.onClick = [this] { List1_Click(); };
    Text1.onLostFocus = [this] { Text1_LostFocus(); };
    Combo1.onLostFocus = [this] { Combo1_LostFocus(); };
    Combo3.onLostFocus = [this] { Combo3_LostFocus(); };
    Combo4.onLostFocus = [this] { Combo4_LostFocus(); };
    Check1.onLostFocus = [this] { Check1_LostFocus(); };
    Check2.onLostFocus = [this] { Check2_LostFocus(); };
    Check3.onLostFocus = [this] { Check3_LostFocus(); };
    Combo2.onClick = [this] { Combo2_Click(); };
    Command1.onClick = [this] { Command1_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
    Command3.onClick = [this] { Command3_Click(); };
    Command4.onClick = [this] { Command4_Click(); };
    Command5.onClick = [this] { Command5_Click(); };
    Command6.onClick = [this] { Command6_Click(); };
    Command7.onClick = [this] { Command7_Click(); };
    Command8.onClick = [this] { Command8_Click(); };
    Command9.onClick = [this] { Command9_Click(); };
    Command10.onClick = [this] { Command10_Click(); };
    Command11.onClick = [this] { Command11_Click(); };
    setTabOrder({&List1, &Text1, &Combo1, &Combo3, &Combo4, &Check1, &Check2, &Check3,
                 &Command5, &Command2, &Command3, &Command4, &Text2, &Command9, &Combo2,
                 &Text3, &Command11, &Command10, &Command6, &Command7, &Command8, &Command1});
}

void FillStartNumberList()
{
    Form6 &f = form<Form6>();
    letWindowSystemRedraw();
    f.List1.Clear();
    f.List1.AddItems(startNumberLines());
    letWindowSystemRedraw();
}

int Form6::ShownSlot() const
{
    const int slot = num::toInt32(num::numericValue(Label6.Caption()));
    if (!SlotInUse(slot))
        return 0;
    return slot;
}

void Form6::Form_Load()
{
    RestoreWindowPosition(*this);
    if (::isLoaded<Form1>())
        form<Form1>().Hide();
    OpenAthleteAndClubFilesIfClosed();
    Label1.setCaption(Rec.RaceName);
    FillStartNumberList();

    Combo3.Clear();
    Combo3.AddItems(numberedChoices(Race.TeamNames));
    Combo4.Clear();
    Combo4.AddItems(numberedChoices(Race.GroupNames));

    Command6.setEnabled(anyStartNumber());

    QStringList blocks;
    if (evaluatedByClass()) {
        for (int k = 1; k <= ClassCount; ++k)
            blocks << Race.ClassNames[k];
    } else {
        for (int g = 1; g <= NameCount; ++g)
            blocks << Race.GroupNames[g];
        Command9.setCaption(QStringLiteral("Nummern für best. Gruppen"));
    }
    Combo2.AddItems(blocks);
}

void Form6::Form_Unload()
{
    StoreWindowPosition(*this);
    SaveRaceFiles();
    if (!overEntryList())
        form<Form4>().Show();
}

void Form6::List1_Click()
{
    // Marking the participant shown again after a refill shows nothing new.
    if (reselecting_)
        return;
    const int slot = slotOfStartNumberLine(List1.Text());
    if (!SlotInUse(slot))
        return;
    Label6.setCaption(num::plainNumberText(slot));
    Text1.setText(num::plainNumberText(Race.SlotStartNo[slot]));

    const int k = Race.SlotClass[slot];
    Label16.setCaption(k >= 1 && k <= ClassCount ? Race.ClassNames[k] : QString());
    const int cell = Race.SlotClassCell[slot];
    Label13.setCaption(cell >= 0 && cell < CellCount ? Race.ClassDesignations[cell] : QString());

    selectStored(Combo3, Race.SlotTeam[slot]);
    selectStored(Combo4, Race.SlotGroup[slot]);
    Check1.setValue(Race.SlotGuest[slot] == 1 ? 1 : 0);
    Check2.setValue(Race.SlotPaid[slot] == 1 ? 1 : 0);
    Check3.setValue(Race.SlotBoarder[slot] == 1 ? 1 : 0);

    Rec.CurrentAthleteId = Race.SlotAthleteId[slot];
    if (Rec.CurrentAthleteId >= 1 && Rec.CurrentAthleteId <= Rec.AthleteCount)
        ReadAthleteRecord();
    else
        ClearAthleteFields();
    Label2.setCaption(Rec.AthleteName);
    // An athlete whose sex is not set keeps the colour of the one before,
    // as in the time entry.
    if (Rec.AthleteSex == 1)
        Label2.setBackColor(Male);
    else if (Rec.AthleteSex == 0)
        Label2.setBackColor(Female);
    const QDate born = dates::dateFromOle(Rec.AthleteBirthDate);
    Label8.setCaption(born.isValid() ? num::plainNumberText(born.year()) : QString());

    for (Control *c : std::initializer_list<Control *>{&Combo1, &Combo3, &Combo4, &Text1,
                                                         &Check1, &Check2, &Check3})
        c->setEnabled(true);
    Text1.setBackColor(Accepted);

    QStringList clubs{NoChoice};
    const int keptClub = Rec.CurrentClubNo;
    for (const int club : {Rec.AthleteClub1, Rec.AthleteClub2, Rec.AthleteClub3}) {
        if (club >= 1 && club <= Rec.ClubCount) {
            Rec.CurrentClubNo = club;
            ReadClubRecord();
            clubs << trimBlanks(Rec.ClubShortName);
        } else {
            clubs << QStringLiteral("nicht belegt");
        }
    }
    Rec.CurrentClubNo = keptClub;
    clubs << QStringLiteral("kein Verein");
    Combo1.Clear();
    Combo1.AddItems(clubs);
    selectStored(Combo1, Race.SlotClub[slot]);
}

void Form6::Text1_LostFocus()
{
    if (Label2.Caption().isEmpty())
        return;
    const int slot = ShownSlot();
    if (slot == 0)
        return;
    const int n = typedStartNo(Text1.Text());
    if (n == 0 || startNoTaken(n)) {
        Text1.setBackColor(Refused);
        return;
    }
    Text1.setBackColor(Accepted);
    Race.SlotStartNo[slot] = n;
    Command6.setEnabled(true);
    // When a click into the list took the focus, that click must still land
    // on the line under the mouse: the list is rebuilt once it has.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!takesEvents())
                return;
            Form::HandlerScope scope(this);
            refillList();
        },
        Qt::QueuedConnection);
}

void Form6::Combo1_LostFocus() { storeChoice(ShownSlot(), Combo1, Race.SlotClub); }
void Form6::Combo3_LostFocus() { storeChoice(ShownSlot(), Combo3, Race.SlotTeam); }
void Form6::Combo4_LostFocus() { storeChoice(ShownSlot(), Combo4, Race.SlotGroup); }

void Form6::Check1_LostFocus()
{
    if (const int slot = ShownSlot()) {
        classesStale_ = classesStale_ || Race.SlotGuest[slot] != Check1.Value();
        Race.SlotGuest[slot] = Check1.Value();
    }
}

void Form6::Check2_LostFocus()
{
    if (const int slot = ShownSlot())
        Race.SlotPaid[slot] = Check2.Value();
}

void Form6::Check3_LostFocus()
{
    if (const int slot = ShownSlot()) {
        classesStale_ = classesStale_ || Race.SlotBoarder[slot] != Check3.Value();
        Race.SlotBoarder[slot] = Check3.Value();
    }
}

void Form6::Command1_Click()
{
    Unload();
}

void Form6::Command5_Click()
{
    // Taking the focus has committed the field being edited.
}

void Form6::showDrawControls(bool on)
{
    for (Control *c : std::initializer_list<Control *>{&Command3, &Command4, &Label9, &Text2})
        c->setVisible(on);
    Text2.setBackColor(colours::WindowBackground);
}

void Form6::showBlockNumberingControls(bool on)
{
    for (Control *c : std::initializer_list<Control *>{&Label9, &Text2, &Label15, &Text3,
                                                         &Combo2, &Command11, &Command10})
        c->setVisible(on);
    Text2.setBackColor(colours::WindowBackground);
    Text3.setBackColor(colours::WindowBackground);
}

void Form6::showClearingControls(bool on)
{
    Command7.setVisible(on);
    Command8.setVisible(on);
}

void Form6::refillList()
{
    FillStartNumberList();
    const int slot = ShownSlot();
    if (slot == 0)
        return;
    for (int i = 0; i < List1.ListCount(); ++i) {
        if (slotOfStartNumberLine(List1.List(i)) == slot) {
            reselecting_ = true;
            List1.setListIndex(i);
            reselecting_ = false;
            return;
        }
    }
}

void Form6::afterNumbering()
{
    refillList();
    // The number field shows what the participant now has, so that leaving
    // it does not store the number it had before.
    if (const int slot = ShownSlot()) {
        Text1.setText(num::plainNumberText(Race.SlotStartNo[slot]));
        Text1.setBackColor(Accepted);
    }
    Command6.setEnabled(anyStartNumber());
}

void Form6::assignClassesWhenStale()
{
    // The start blocks follow the entries as they are now: added or removed
    // in the entry list, or made guests or boarders here, since the classes
    // were last assigned.
    if (overEntryList() || classesStale_)
        AssignClasses();
    classesStale_ = false;
}

void Form6::Command2_Click()
{
    showBlockNumberingControls(false);
    showDrawControls(true);
}

void Form6::Command4_Click()
{
    showDrawControls(false);
}

void Form6::Command3_Click()
{
    assignClassesWhenStale();
    if (drawStartNumbers(reserveGap(Text2.Text())) != NumberingResult::Done) {
        Text2.setBackColor(Refused);
        return;
    }
    // One draw per opening of the window.
    Command2.setVisible(false);
    showDrawControls(false);
    afterNumbering();
}

void Form6::Command9_Click()
{
    showDrawControls(false);
    showBlockNumberingControls(true);
    // "LOS !" comes with choosing the class or group.
    Command11.setVisible(false);
    Command10.setVisible(false);
    Combo2.setText(NoChoice);
}

void Form6::Combo2_Click()
{
    if (Combo2.ListIndex() < 0)
        return;
    Command11.setVisible(true);
    Command10.setVisible(true);
}

void Form6::Command10_Click()
{
    showBlockNumberingControls(false);
}

void Form6::Command11_Click()
{
    const int chosen = Combo2.ListIndex() + 1;
    if (chosen < 1)
        return;
    assignClassesWhenStale();
    const int gap = reserveGap(Text2.Text());
    switch (numberStartBlock(chosen, firstStartNo(Text3.Text()), gap)) {
    case NumberingResult::FirstOutOfRange:
        Text3.setBackColor(Refused);
        return;
    case NumberingResult::BeyondHighest:
        Text3.setBackColor(Refused);
        if (gap > 0)
            Text2.setBackColor(Refused);
        return;
    case NumberingResult::Done:
        break;
    }
    showBlockNumberingControls(false);
    afterNumbering();
}

void Form6::Command6_Click()
{
    showClearingControls(true);
}

void Form6::Command8_Click()
{
    showClearingControls(false);
}

void Form6::Command7_Click()
{
    Command6.setEnabled(false);
    showClearingControls(false);
    clearStartNumbers();
    afterNumbering();
}
