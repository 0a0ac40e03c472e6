#include "Form5.h"

#include <QStringList>

#include "EntryList.h"
#include "Form6.h"
#include "core/Form1.h"
#include "core/Form17.h"
#include "core/Form3.h"
#include "core/Form4.h"
#include "core/RaceFiles.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "core/WindowPositions.h"
#include "platform/DateText.h"
#include "platform/NumberText.h"
#include "platform/Strings.h"

namespace {

int labelNumber(const Label &label)
{
    return num::toInt32(num::numericValue(label.Caption()));
}

// Selects the participant of slot in the start-number window, which shows
// its details; false when the slot is not in its list.
bool selectInStartNumberWindow(Form6 &numbers, int slot)
{
    for (int i = 0; i < numbers.List1.ListCount(); ++i) {
        if (num::numericValue(rightChars(numbers.List1.List(i), 5)) == slot) {
            numbers.List1.setListIndex(i);
            return true;
        }
    }
    return false;
}

// The start-number window open over this one stores its fields into the
// slot it shows, so after entries moved it must show the participant at
// the slot it now holds, or nobody when that entry was taken out.
void followInStartNumberWindow(int shownBefore, int removedSlot)
{
    if (!isLoaded<Form6>())
        return;
    Form6 &numbers = form<Form6>();
    FillStartNumberList();
    if (shownBefore == 0)
        return;
    int shown = shownBefore;
    if (removedSlot != 0 && shownBefore > removedSlot)
        shown = shownBefore - 1;
    if (shownBefore == removedSlot || !selectInStartNumberWindow(numbers, shown)) {
        numbers.Label6.setCaption(QString());
        numbers.Label2.setCaption(QStringLiteral("bitte Teilnehmer anklicken !"));
    }
}

int shownInStartNumberWindow()
{
    return isLoaded<Form6>() ? form<Form6>().ShownSlot() : 0;
}

} // namespace

Form5::Form5()
    : Form(5, QStringLiteral("Teilnehmerliste des aktuellen Rennens"))
{
    setClientSize(11400, 7800);

    Label1.Move(240, 120, 10920, 360);
    Label1.setFontBold(true);

    Label2.Move(240, 600, 4200, 300);
    Label2.setCaption(QStringLiteral("Übersicht - Sportler"));
    List1.Move(240, 900, 4200, 4800);
    List1.setFontName(QStringLiteral("Arial"));
    Label9.Move(240, 5820, 1320, 300);
    Label9.setCaption(QStringLiteral("Anfang mit..."));
    Text1.Move(1560, 5790, 1560, 360);
    Command4.Move(3240, 5790, 1200, 360);
    Command4.setCaption(QStringLiteral("alle zeigen"));
    Command5.Move(240, 6300, 1800, 420);
    Command5.setCaption(QStringLiteral("Neuaufnahme"));

    Label4.Move(4560, 900, 2160, 300);
    Label6.Move(4560, 1230, 2160, 300);
    Label8.Move(4560, 1560, 2160, 300);
    Label10.Move(4560, 1890, 2160, 600);
    Label10.setWordWrap(true);
    // Counters for the add command, not for the eye.
    Label11.Move(4560, 2520, 1020, 300);
    Label11.setVisible(false);
    Label12.Move(5700, 2520, 1020, 300);
    Label12.setVisible(false);
    Command2.Move(4560, 2880, 2160, 480);
    Command2.setCaption(QStringLiteral("->  hinzufügen  ->"));
    Command2.setEnabled(false);

    Label5.Move(4560, 3720, 2160, 300);
    Label7.Move(4560, 4050, 2160, 300);
    Command3.Move(4560, 4380, 2160, 420);
    Command3.setCaption(QStringLiteral("aus Liste löschen"));
    Command3.setEnabled(false);

    Label3.Move(6840, 600, 4320, 300);
    Label3.setCaption(QStringLiteral("Teilnehmerliste"));
    List2.Move(6840, 900, 4320, 4800);
    List2.setFontName(QStringLiteral("Arial"));
    Label13.Move(6840, 5820, 1320, 300);
    Label13.setCaption(QStringLiteral("Anfang mit..."));
    Text2.Move(8160, 5790, 1560, 360);
    Command6.Move(9960, 5790, 1200, 360);
    Command6.setCaption(QStringLiteral("alle zeigen"));
    Label14.Move(6840, 6300, 1320, 300);
    Label14.setCaption(QStringLiteral("sortiert nach..."));
    Combo1.Move(8160, 6270, 1560, 360);

    Command1.Move(9960, 7200, 1200, 420);
    Command1.setCaption(QStringLiteral("fertig"));

    Text1.onKeyDown = [this](int &keyCode, int shift) { Text1_KeyDown(keyCode, shift); };
    Text1.onLostFocus = [this] { Text1_LostFocus(); };
    Text2.onKeyDown = [this](int &keyCode, int shift) { Text2_KeyDown(keyCode, shift); };
    Combo1.onClick = [this] { Combo1_Click(); };
    List1.onClick = [this] { List1_Click(); };
    List1.onDblClick = [this] { List1_DblClick(); };
    List2.onClick = [this] { List2_Click(); };
    List2.onDblClick = [this] { List2_DblClick(); };
    Command1.onClick = [this] { Command1_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
    Command3.onClick = [this] { Command3_Click(); };
    Command4.onClick = [this] { Command4_Click(); };
    Command5.onClick = [this] { Command5_Click(); };
    Command6.onClick = [this] { Command6_Click(); };
    setTabOrder({&Text1, &Command4, &List1, &Command5, &Command2, &Text2, &Command6, &Combo1,
                 &List2, &Command3, &Command1});
}

void FillEntryList()
{
    Form5 &f = form<Form5>();
    const QStringList lines = EntryListLines(f.Text2.Text(), f.Combo1.ListIndex());
    f.List2.Clear();
    f.List2.AddItems(lines);
}

void Form5::fillOverview(const QString &filter)
{
    const RecordFile::ReadScope athletes(Channels.AthleteFile);
    const int kept = Rec.CurrentAthleteId;
    QStringList lines;
    for (int n = 1; n <= Rec.AthleteCount; ++n) {
        Rec.CurrentAthleteId = n;
        ReadAthleteRecord();
        if (!Rec.AthleteName.isEmpty() && NameMatchesFilter(Rec.AthleteName, filter))
            lines << OverviewLine(Rec.AthleteName, n);
    }
    Rec.CurrentAthleteId = kept;
    List1.Clear();
    List1.AddItems(lines);
}

void Form5::Form_Load()
{
    // The overview and the entry list read the same athletes.
    const RecordFile::ReadScope athletes(Channels.AthleteFile);
    RestoreWindowPosition(*this);
    // Only a loaded main window can be in the way; loading it here would
    // run the start-up again.
    if (::isLoaded<Form1>())
        form<Form1>().Hide();
    Label1.setCaption(Rec.RaceName);
    fillOverview(QString());
    Combo1.AddItems({QStringLiteral("Name"), QStringLiteral("Nenn-ID"),
                     QStringLiteral("INV-Nenn-ID")});
    // Choosing the first order builds the entry list.
    Combo1.setListIndex(0);
    entryListBuiltAt_ = HandlerScope::begun();
}

void Form5::Form_Activate()
{
    // Opening the window activates it right after loading it: the entry
    // list is then the one the load built (a thousand lines, as costly as
    // the rest of the opening together). Only this Activate's scope began.
    const bool justBuilt =
        entryListBuiltAt_ != 0 && HandlerScope::begun() == entryListBuiltAt_ + 1;
    entryListBuiltAt_ = 0;
    const RecordFile::ReadScope athletes(Channels.AthleteFile);
    // Back from the athlete window the overview shows what was entered
    // there; without a filter the user asks for that with "alle zeigen".
    const QString filter = trimBlanks(Text1.Text()).toUpper();
    if (!filter.isEmpty())
        fillOverview(filter);
    if (!justBuilt)
        FillEntryList();
}

void Form5::Form_Unload()
{
    // Saving the race checks every entrant's athlete record.
    const RecordFile::ReadScope athletes(Channels.AthleteFile);
    StoreWindowPosition(*this);
    // The windows opened over this one go first, so that what they still
    // hold in a field is committed before the race is saved.
    unload<Form6>();
    unload<Form3>();
    SaveRaceFiles();
    form<Form4>().Show();
}

void Form5::Text1_KeyDown(int &keyCode, int)
{
    if (keyCode != key::Return)
        return;
    const QString filter = trimBlanks(Text1.Text()).toUpper();
    OpenAthleteFile();
    fillOverview(filter);
}

void Form5::Text1_LostFocus()
{
    QString t = trimBlanks(Text1.Text());
    if (!t.isEmpty())
        t = t.left(1).toUpper() + t.mid(1);
    Text1.setText(t);
}

void Form5::Text2_KeyDown(int &keyCode, int)
{
    if (keyCode != key::Return)
        return;
    Text2.setText(trimBlanks(Text2.Text()).toUpper());
    FillEntryList();
}

void Form5::Combo1_Click()
{
    FillEntryList();
}

void Form5::Command4_Click()
{
    Text1.setText(QString());
    OpenAthleteFile();
    fillOverview(QString());
}

void Form5::Command6_Click()
{
    Text2.setText(QString());
    FillEntryList();
}

void Form5::List1_Click()
{
    if (List1.ListIndex() < 0)
        return;
    const int n = OverviewLineAthlete(List1.Text());
    if (n < 1 || n > Rec.AthleteCount)
        return;
    Rec.CurrentAthleteId = n;
    ReadAthleteRecord();
    Label4.setCaption(Rec.AthleteName);
    Label6.setCaption(num::plainNumberText(n));
    Label8.setCaption(dates::germanDateText(Rec.AthleteBirthDate));
    const AthleteClubSummary clubs = SummarizeAthleteClubs();
    Label10.setCaption(clubs.text);
    Label11.setCaption(num::plainNumberText(clubs.count));
    Label12.setCaption(num::plainNumberText(clubs.last));
    // With every slot in use there is nowhere to add to.
    Command2.setEnabled(!AthleteEntered(n) && LowestFreeSlot() != 0);
}

void Form5::Command2_Click()
{
    Command2.setEnabled(false);
    const int slot = LowestFreeSlot();
    const int athlete = labelNumber(Label6);
    if (slot == 0 || athlete < 1 || athlete > Rec.AthleteCount || AthleteEntered(athlete))
        return;
    Race.SlotAthleteId[slot] = athlete;
    // One valid club is the one that counts; with more the user chooses in
    // the start-number window.
    if (labelNumber(Label11) == 1)
        Race.SlotClub[slot] = labelNumber(Label12);
    FillEntryList();
    followInStartNumberWindow(shownInStartNumberWindow(), 0);
}

void Form5::List2_Click()
{
    if (List2.ListIndex() < 0)
        return;
    const QString line = List2.Text();
    const int athlete = EntryLineAthlete(line);
    QString name;
    if (athlete >= 1 && athlete <= Rec.AthleteCount) {
        Rec.CurrentAthleteId = athlete;
        ReadAthleteRecord();
        name = Rec.AthleteName;
    }
    Label5.setCaption(name);
    Label7.setCaption(num::plainNumberText(EntryLineSlot(line)));
    Command3.setEnabled(true);
}

void Form5::Command3_Click()
{
    Command3.setEnabled(false);
    Label5.setCaption(QString());
    const int k = labelNumber(Label7);
    const int shown = shownInStartNumberWindow();
    if (!RemoveEntrySlot(k))
        return;
    FillEntryList();
    followInStartNumberWindow(shown, k);
}

void Form5::Command5_Click()
{
    // The first record without a name is reused; with none, the record
    // behind the last one, which the athlete window makes once it is named.
    const int kept = Rec.CurrentAthleteId;
    int n = 1;
    for (; n <= Rec.AthleteCount; ++n) {
        Rec.CurrentAthleteId = n;
        ReadAthleteRecord();
        if (Rec.AthleteName.isEmpty())
            break;
    }
    Rec.CurrentAthleteId = kept;
    Form3 &athletes = form<Form3>();
    athletes.Show();
    athletes.Text1.setText(num::plainNumberText(n));
    athletes.Text2.setText(Text1.Text());
    athletes.Text2.SetFocus();
}

void Form5::List1_DblClick()
{
    if (List1.ListIndex() < 0)
        return;
    const int n = OverviewLineAthlete(List1.Text());
    if (n < 1 || n > Rec.AthleteCount)
        return;
    Form3 &athletes = form<Form3>();
    athletes.Show();
    athletes.Text1.setText(num::plainNumberText(n));
}

void Form5::List2_DblClick()
{
    if (List2.ListIndex() < 0)
        return;
    const int slot = EntryLineSlot(List2.Text());
    Label7.setCaption(num::plainNumberText(slot));
    Form6 &numbers = form<Form6>();
    numbers.Show();
    // Classes are not assigned on this way in, so their displays would
    // show stale values.
    numbers.Label5.setVisible(false);
    numbers.Label14.setVisible(false);
    numbers.Label16.setVisible(false);
    numbers.Label13.setVisible(false);
    selectInStartNumberWindow(numbers, slot);
}

void Form5::Command1_Click()
{
    Unload();
}
