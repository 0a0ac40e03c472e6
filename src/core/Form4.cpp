#include "Form4.h"

#include <QStringList>
#include <algorithm>
#include <limits>

#include "Form1.h"
#include "Form9.h"
#include "Launchers.h"
#include "ProgramPictures.h"
#include "RaceFiles.h"
#include "RecordFiles.h"
#include "SharedState.h"
#include "WindowPositions.h"
#include "platform/Beep.h"
#include "platform/Colours.h"
#include "platform/Cp1252.h"
#include "platform/NumberText.h"
#include "platform/Strings.h"

namespace {

struct Launcher {
    CommandButton Form4::*button;
    const char16_t *caption;
};

} // namespace

Form4::Form4()
    : Form(4, QStringLiteral("Veranstaltungen / Rennen"))
{
    setClientSize(9600, 7200);

    Label1.Move(240, 240, 720, 300);
    Label1.setCaption(QStringLiteral("Index"));
    Text1.Move(960, 200, 960, 360);
    Command2.Move(2040, 200, 480, 360);
    Command2.setCaption(QStringLiteral("-"));
    Command3.Move(2580, 200, 480, 360);
    Command3.setCaption(QStringLiteral("+"));
    Label2.Move(240, 720, 6000, 300);
    Label2.setCaption(QStringLiteral("Bezeichnung der aktuellen Veranstaltung / des Rennens"));
    Text2.Move(240, 1020, 4920, 360);
    Text2.setMaxLength(80);
    Command7.Move(5280, 1020, 1200, 360);
    Command7.setCaption(QStringLiteral("eintragen"));
    Label3.Move(240, 1560, 4000, 300);
    Label3.setCaption(QStringLiteral("Liste aller Veranstaltungen"));
    List1.Move(240, 1860, 4920, 4560);
    List1.setFontName(QStringLiteral("Arial"));
    Command1.Move(240, 6600, 1200, 420);
    Command1.setCaption(QStringLiteral("fertig"));

    static const Launcher launchers[] = {
        {&Form4::Command4, u"Teilnehmerliste erstellen"},
        {&Form4::Command5, u"Startnummern"},
        {&Form4::Command6, u"Zeitnehmung und Punktevergabe"},
        {&Form4::Command8, u"Listen und Urkunden - Einzelwertung"},
        {&Form4::Command10, u"Mannschafts- und Gruppenliste"},
        {&Form4::Command11, u"Mannschafts - Ergebnisse"},
        {&Form4::Command12, u"Renndaten ÖSV-konform"},
        {&Form4::Command13, u"Klassen-Bildungs-Regeln"},
        {&Form4::Command14, u"Auswertungskriterien"},
        {&Form4::Command15, u"Klassen-Start-Reihenfolge"},
        {&Form4::Command9, u"löschen"},
        {&Form4::Command16, u"Kopie herstellen"},
        {&Form4::Command17, u"Cupwertung"},
        {&Form4::Command18, u"Kombilauf / Zeitsumme"},
    };
    int row = 0;
    for (const Launcher &l : launchers) {
        CommandButton &b = this->*l.button;
        b.Move(5400, 1560 + row * 390, 3960, 360);
        b.setCaption(QString::fromUtf16(l.caption));
        ++row;
    }

    const QImage decoration = ProgramPicture(QStringLiteral("race.png"));
    Image1.Move(7800, 120, 1440, 1200);
    Image1.setStretch(true);
    Image1.setPicture(decoration);

    Text1.onChange = [this] { Text1_Change(); };
    Text1.onLostFocus = [this] { Text1_LostFocus(); };
    Text1.onKeyDown = [this](int &keyCode, int shift) { Text1_KeyDown(keyCode, shift); };
    Text2.onClick = [this] { Text2_Click(); };
    List1.onClick = [this] { List1_Click(); };
    Command1.onClick = [this] { Command1_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
    Command3.onClick = [this] { Command3_Click(); };
    Command7.onClick = [this] { Command7_Click(); };
    Command4.onClick = [this] { Command4_Click(); };
    Command5.onClick = [this] { Command5_Click(); };
    Command6.onClick = [this] { Command6_Click(); };
    Command8.onClick = [this] { Command8_Click(); };
    Command9.onClick = [this] { Command9_Click(); };
    Command10.onClick = [this] { Command10_Click(); };
    Command11.onClick = [this] { Command11_Click(); };
    Command12.onClick = [this] { Command12_Click(); };
    Command13.onClick = [this] { Command13_Click(); };
    Command14.onClick = [this] { Command14_Click(); };
    Command15.onClick = [this] { Command15_Click(); };
    Command16.onClick = [this] { Command16_Click(); };
    Command17.onClick = [this] { Command17_Click(); };
    Command18.onClick = [this] { Command18_Click(); };
    setTabOrder({&Text1, &Command2, &Command3, &Text2, &Command7, &List1, &Command4, &Command5,
                 &Command6, &Command8, &Command10, &Command11, &Command12, &Command13,
                 &Command14, &Command15, &Command9, &Command16, &Command17, &Command18,
                 &Command1});
}

std::array<CommandButton *, 11> Form4::NamedRaceLaunchers()
{
    return {&Command12, &Command4, &Command14, &Command10, &Command13, &Command15,
            &Command5,  &Command6, &Command8,  &Command11, &Command17};
}

bool Form4::NamedRaceSelected() const
{
    return !trimBlanks(Text2.Text()).isEmpty() && Rec.RaceRecordNo >= 1
        && Rec.RaceRecordNo <= Rec.RaceCount && !trimBlanks(Rec.RaceName).isEmpty();
}

void FillRaceList()
{
    Form4 &f = form<Form4>();
    const std::int32_t remembered = Race.ActiveRaceNo;
    f.List1.Clear();
    // Only the names are needed, and only of the races the file holds: a
    // record past its end is unnamed whatever the count says.
    const std::vector<QString> names = ReadRaceNames();
    QStringList lines;
    lines.reserve(qsizetype(names.size()));
    for (std::size_t i = names.size(); i-- > 0;) {
        const QString &name = names[i];
        if (trimBlanks(name).isEmpty())
            continue;
        const QString number = num::numberText(double(i + 1));
        QString line;
        line.reserve(number.size() + 4 + name.size());
        line += number;
        line += QLatin1String("    ");
        line += name;
        lines << line;
    }
    f.List1.AddItems(lines);
    // The current race is back before the window system gets a turn, so no
    // queued click can act on the last race read.
    Rec.RaceRecordNo = remembered;
    Race.ActiveRaceNo = remembered;
    // No race chosen yet (the first opening) is no wrong input: no beep.
    if (remembered >= 1 && remembered <= Rec.RaceCount) {
        ReadRaceHeader();
        if (!RaceHeaderStored())
            SetNewRaceCriteria();
    } else
        ClearRaceHeader();
    LoadRaceFiles();
    letWindowSystemRedraw();
}

void Form4::Form_Load()
{
    RestoreWindowPosition(*this);
    FillRaceList();
}

void Form4::Form_Activate()
{
    Race.ActiveRaceNo = Rec.RaceRecordNo;
}

void Form4::Form_Unload()
{
    StoreWindowPosition(*this);
    form<Form1>().Show();
}

void Form4::Text1_Change()
{
    if (RestoringNumber)
        return;
    double value = 0;
    const bool number = num::typedNumber(Text1.Text(), &value);
    std::int32_t n = num::toInt32(value);
    // While the user types, only the race of a number that exists is
    // selected: an emptied box or a lone "-" selects nothing, and a number
    // out of range waits for Enter or the box to be left.
    NumberPending = Text1.ChangeTyped() && (!number || n < 1 || n > Rec.RaceCount);
    if (NumberPending)
        return;
    if (n < 1)
        n = 1;
    if (n > Rec.RaceCount)
        n = Rec.RaceCount;
    selectRace(n);
}

void Form4::selectRace(std::int32_t n)
{
    Rec.RaceRecordNo = n;
    Race.ActiveRaceNo = n;
    ReadRaceHeader();
    // A race without a stored header (counted, but past the end of the
    // file) is evaluated as a new one, not by the race read before.
    if (n >= 1 && !RaceHeaderStored())
        SetNewRaceCriteria();
    LoadRaceFiles();
    Text2.setText(Rec.RaceName);
    Text2.setBackColor(colours::WindowBackground);
}

void Form4::finishNumber()
{
    if (!NumberPending)
        return;
    NumberPending = false;
    if (Rec.RaceCount < 1)
        return;   // no race to show
    double value = 0;
    if (!num::typedNumber(Text1.Text(), &value)) {
        // No number: the box shows the race selected again, which stays
        // loaded as it is.
        if (Rec.RaceRecordNo >= 1) {
            RestoringNumber = true;
            Text1.setText(num::plainNumberText(Rec.RaceRecordNo));
            RestoringNumber = false;
        }
        return;
    }
    const std::int32_t n = std::clamp<std::int32_t>(num::toInt32(value), 1, Rec.RaceCount);
    // Set by code, the clamped number selects its race.
    if (Text1.Text() == num::plainNumberText(n))
        selectRace(n);
    else
        Text1.setText(num::plainNumberText(n));
}

void Form4::Text1_LostFocus()
{
    finishNumber();
}

void Form4::Text1_KeyDown(int &keyCode, int)
{
    if (keyCode == key::Return)
        finishNumber();
}

void Form4::Text2_Click()
{
    for (CommandButton *b : NamedRaceLaunchers())
        b->setEnabled(false);
}

void Form4::List1_Click()
{
    const std::int32_t n = num::toInt32(num::numericValue(leftChars(List1.Text(), 6)));
    Text1.setText(num::plainNumberText(n));
}

void Form4::Command1_Click()
{
    CloseRaceFile();
    Unload();
}

void Form4::Command2_Click()
{
    double n = num::numericValue(Text1.Text()) - 1;
    if (n < 1) {
        n = 1;
        beep();
    }
    Text1.setText(num::plainNumberText(n));
}

void Form4::Command3_Click()
{
    const double n = num::numericValue(Text1.Text()) + 1;
    if (n > Rec.RaceCount) {
        // No new race behind an unnamed one: its name must be stored, not
        // only typed into the box (nor "leer" after a deletion).
        if (!NamedRaceSelected())
            return;
        // The race numbers are 32-bit: none after the last one there can be.
        if (Rec.RaceCount >= std::numeric_limits<std::int32_t>::max()) {
            beep();
            return;
        }
        ClearRaceHeader();
        Rec.RaceRecordNo = Rec.RaceCount + 1;
        Rec.RaceCount = Rec.RaceRecordNo;
        Rec.RaceName.clear();
        // Not the criteria of the race read before.
        SetNewRaceCriteria();
        WriteRaceHeader();
    }
    Text1.setText(num::plainNumberText(n));
}

void Form4::Command7_Click()
{
    const QString name = trimBlanks(Text2.Text());
    // A name the race file cannot hold is refused, not stored garbled.
    if (!cp1252::canEncode(name)) {
        Text2.setBackColor(colourValue(255, 0, 0));
        beep();
        return;
    }
    Text2.setBackColor(colours::WindowBackground);
    ReadRaceHeader();
    Rec.RaceName = name;
    if (Rec.RaceRecordNo == 0) {
        Rec.RaceRecordNo = 1;
        Race.ActiveRaceNo = 1;
        Rec.RaceCount = 1;
    }
    // A race named for the first time starts from the new-race criteria.
    if (!RaceHeaderStored())
        SetNewRaceCriteria();
    WriteRaceHeader();
    FillRaceList();
    for (CommandButton *b : NamedRaceLaunchers())
        b->setEnabled(true);
}

namespace {

// A launcher opens its window, with the race window hidden, when its entry is
// filled in and what it needs holds.
void launch(Form4 &window, bool needs, const std::function<void()> &open)
{
    if (!needs || !open)
        return;
    window.Hide();
    open();
}

} // namespace

void Form4::Command4_Click() { launch(*this, NamedRaceSelected(), Launchers.EntryList); }
void Form4::Command5_Click() { launch(*this, NamedRaceSelected(), Launchers.StartNumbers); }
void Form4::Command6_Click() { launch(*this, NamedRaceSelected(), Launchers.TimeEntry); }
void Form4::Command8_Click()
{
    const bool printer = Launchers.PrinterInstalled && Launchers.PrinterInstalled();
    launch(*this, NamedRaceSelected() && printer, Launchers.PrintWindow);
}
void Form4::Command10_Click() { launch(*this, NamedRaceSelected(), Launchers.TeamsAndGroups); }
void Form4::Command11_Click() { launch(*this, NamedRaceSelected(), Launchers.TeamResults); }
void Form4::Command12_Click() { launch(*this, NamedRaceSelected(), Launchers.TitlePageData); }
void Form4::Command13_Click() { launch(*this, NamedRaceSelected(), Launchers.ClassRules); }
void Form4::Command14_Click() { launch(*this, NamedRaceSelected(), Launchers.EvaluationCriteria); }
void Form4::Command15_Click() { launch(*this, NamedRaceSelected(), Launchers.ClassStartOrder); }
void Form4::Command17_Click() { launch(*this, true, Launchers.Cup); }
void Form4::Command18_Click() { launch(*this, true, Launchers.CombinationRace); }

void Form4::Command16_Click()
{
    // The race copy opens over the race window, which stays visible.
    if (Launchers.RaceCopy)
        Launchers.RaceCopy();
}

void Form4::Command9_Click()
{
    if (Rec.RaceRecordNo < 1 || Rec.RaceRecordNo > Rec.RaceCount)
        return;
    Race.ActiveRaceNo = Rec.RaceRecordNo;
    Hide();
    form<Form9>().Show();
}
