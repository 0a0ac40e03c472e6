#include "Form7.h"

#include <QDate>
#include <algorithm>
#include <initializer_list>

#include "Form13.h"
#include "Form18.h"
#include "Ranking.h"
#include "TimingLists.h"
#include "core/Form1.h"
#include "core/Form17.h"
#include "core/Form4.h"
#include "core/NumberTimeText.h"
#include "core/RaceFiles.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "core/WindowPositions.h"
#include "platform/Beep.h"
#include "platform/Colours.h"
#include "platform/DateText.h"
#include "platform/NumberText.h"
#include "platform/Strings.h"

namespace {

const double Male = colourValue(192, 255, 255);
const double Female = colourValue(255, 192, 192);
const double NobodyYet = colourValue(255, 255, 192);
const double SlotGrey = colourValue(192, 192, 192);

// The statuses a run can have. The names come from the start-up; the items
// after "dis" are empty there, and an empty item would store a status that
// leaves the entry unclassified until the next load makes it "ok" again.
constexpr int StatusItems = 4;
const char16_t *const DefaultStatusNames[StatusItems] = {u"ok", u"naS", u"niZ", u"dis"};

QStringList statusItems()
{
    QStringList items;
    for (int i = 0; i < StatusItems; ++i) {
        const QString &name = App.StatusNames[std::size_t(i)];
        items << (name.isEmpty() ? QString::fromUtf16(DefaultStatusNames[i]) : name);
    }
    return items;
}

QString numberShown(double value)
{
    return num::plainNumberText(value);
}

// The value of a typed time or points text with "," or "." as decimal
// separator; false for text that is no number.
bool decimalValue(const QString &text, double &value)
{
    bool ok = false;
    value = num::decimalCommaValue(text, &ok);
    return ok;
}

} // namespace

int TypedDecimals(const QString &text)
{
    if (text.contains(u'e', Qt::CaseInsensitive))
        return 15;
    qsizetype point = text.indexOf(u',');
    if (point < 0)
        point = text.indexOf(u'.');
    if (point < 0)
        return 0;
    int digits = 0;
    for (qsizetype i = point + 1; i < text.size() && text[i].isDigit(); ++i)
        ++digits;
    return digits < 15 ? digits : 15;
}

Form7::Form7()
    : Form(7, QStringLiteral("Zeitnehmung"))
{
    setClientSize(15240, 7800);

    Label1.Move(240, 120, 14760, 360);
    Label1.setFontBold(true);
    Label1.setFontSize(12);

    const struct {
        OptionButton *option;
        const char16_t *caption;
        int width;
    } options[] = {
        {&Option1, u"Startnummer", 1680},
        {&Option2, u"Zeiten", 1200},
        {&Option3, u"Klasse / Startnummer", 2400},
        {&Option4, u"Klasse / Zeit", 1800},
        {&Option5, u"2. Durchgang", 1800},
    };
    int left = 240;
    for (const auto &o : options) {
        o.option->Move(left, 600, o.width, 300);
        o.option->setCaption(QString::fromUtf16(o.caption));
        left += o.width + 120;
    }
    Option1.setValue(true);
    Option5.setVisible(false);
    Check1.Move(12360, 600, 2640, 300);
    Check1.setCaption(QStringLiteral("vorläufiges Ergebnis"));

    List1.Move(240, 1080, 1200, 600);
    List1.setFontName(QStringLiteral("Monospac821 BT"));
    List1.setFontSize(8.25);
    List1.setVisible(false);
    List1.setTabStop(false);
    List2.Move(240, 1080, 6000, 6480);
    List2.setFontName(QStringLiteral("Monospac821 BT"));
    List2.setFontSize(8.25);

    // The entry shown.
    Label2.Move(6480, 1080, 7800, 360);
    Label2.setCaption(QStringLiteral("bitte Teilnehmer anklicken !"));
    Label2.setFontBold(true);
    Label2.setBackColor(NobodyYet);
    Label11.Move(14400, 1080, 600, 360);
    Label11.setAlignment(Alignment::Right);
    Label11.setFontSize(8);
    Label11.setBackColor(SlotGrey);

    const struct {
        Label *caption;
        Label *value;
        const char16_t *text;
        int left, top;
    } details[] = {
        {&Label3, &Label5, u"Startnummer", 6480, 1560},
        {&Label13, &Label14, u"Jahrgang", 6480, 1920},
        {&Label15, &Label16, u"Klasse", 6480, 2280},
        {&Label17, &Label18, u"Gast", 9960, 1560},
        {&Label20, &Label19, u"Verein", 9960, 1920},
        {&Label21, &Label22, u"Mannschaft", 9960, 2280},
        {&Label24, &Label23, u"Gruppe", 9960, 2640},
    };
    for (const auto &d : details) {
        d.caption->Move(d.left, d.top, 1320, 300);
        d.caption->setCaption(QString::fromUtf16(d.text));
        d.value->Move(d.left + 1320, d.top, 2160, 300);
        d.value->setFontBold(true);
    }
    for (Label *l : {&Label21, &Label22, &Label24, &Label23})
        l->setVisible(false);

    // Times: the run-1 row, the run-2 row below it, captions above both.
    constexpr int captionTop = 3240, run1Top = 3540, run2Top = 4020;
    Label6.Move(7200, captionTop, 1560, 300);
    Label6.setCaption(QStringLiteral("Zeit in Sekunden"));
    Label7.Move(9900, captionTop, 840, 300);
    Label7.setCaption(QStringLiteral("Stunden"));
    Label8.Move(10800, captionTop, 840, 300);
    Label8.setCaption(QStringLiteral("Minuten"));
    Label9.Move(11700, captionTop, 960, 300);
    Label9.setCaption(QStringLiteral("Sekunden"));
    Label12.Move(13920, captionTop, 1080, 300);
    Label12.setCaption(QStringLiteral("Status"));
    Label4.Move(6480, run2Top + 30, 720, 300);
    Label4.setCaption(QStringLiteral("2. DG"));
    Label4.setVisible(false);

    const struct {
        TextBox *seconds;
        CommandButton *toHms;
        TextBox *hours, *minutes, *secs;
        CommandButton *toSeconds;
        ComboBox *status;
        int top;
    } rows[] = {
        {&Text1, &Command4, &Text2, &Text3, &Text4, &Command2, &Combo2, run1Top},
        {&Text6, &Command1, &Text7, &Text8, &Text9, &Command6, &Combo1, run2Top},
    };
    for (const auto &r : rows) {
        r.seconds->Move(7200, r.top, 1440, 360);
        r.toHms->Move(8700, r.top, 1080, 360);
        r.hours->Move(9900, r.top, 840, 360);
        r.minutes->Move(10800, r.top, 840, 360);
        r.secs->Move(11700, r.top, 960, 360);
        r.toSeconds->Move(12720, r.top, 1080, 360);
        r.status->Move(13920, r.top, 1080, 360);
        for (CommandButton *b : {r.toHms, r.toSeconds})
            b->setCaption(QStringLiteral("eintragen"));
        for (TextBox *t : {r.seconds, r.hours, r.minutes, r.secs})
            t->setFontBold(true);
    }
    Label10.Move(7200, 5160, 1440, 300);
    Label10.setCaption(QStringLiteral("Punkte"));
    Text5.Move(7200, 5460, 1440, 360);
    Command5.Move(8700, 5460, 1080, 360);
    Command5.setCaption(QStringLiteral("eintragen"));

    Command7.Move(7200, 6240, 1080, 420);
    Command7.setCaption(QStringLiteral("HZN"));
    Command3.Move(13800, 7200, 1200, 420);
    Command3.setCaption(QStringLiteral("exit"));

    for (Control *c : std::initializer_list<Control *>{&Text6, &Command1, &Text7, &Text8, &Text9,
                                                         &Command6, &Combo1})
        c->setVisible(false);
    setEntryControlsEnabled(false);
    Command7.setEnabled(false);

    Option1.onClick = [this] { Option1_Click(); };
    Option2.onClick = [this] { Option2_Click(); };
    Option3.onClick = [this] { Option3_Click(); };
    Option4.onClick = [this] { Option4_Click(); };
    Option5.onClick = [this] { Option5_Click(); };
    Check1.onClick = [this] { Check1_Click(); };
    List2.onClick = [this] { List2_Click(); };
    List2.onMouseUp = [this](int button, int shift, double x, double y) {
        List2_MouseUp(button, shift, x, y);
    };
    List2.onKeyDown = [this](int &keyCode, int shift) { List2_KeyDown(keyCode, shift); };
    Text1.onKeyDown = [this](int &keyCode, int shift) { Text1_KeyDown(keyCode, shift); };
    Text6.onKeyDown = [this](int &keyCode, int shift) { Text6_KeyDown(keyCode, shift); };
    Text1.onLostFocus = [this] { Text1_LostFocus(); };
    Text6.onLostFocus = [this] { Text6_LostFocus(); };
    Text4.onLostFocus = [this] { Text4_LostFocus(); };
    Text9.onLostFocus = [this] { Text9_LostFocus(); };
    Text5.onLostFocus = [this] { Text5_LostFocus(); };
    Combo2.onLostFocus = [this] { Combo2_LostFocus(); };
    Combo1.onLostFocus = [this] { Combo1_LostFocus(); };
    Command1.onClick = [this] { Command1_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
    Command3.onClick = [this] { Command3_Click(); };
    Command4.onClick = [this] { Command4_Click(); };
    Command5.onClick = [this] { Command5_Click(); };
    Command6.onClick = [this] { Command6_Click(); };
    Command7.onClick = [this] { Command7_Click(); };
    // The tick box sits just before the list, so Shift+Tab from the list
    // reaches it. Each run's row is walked whole, its status last.
    setTabOrder({&Option1, &Option2, &Option3, &Option4, &Option5, &Check1, &List2, &Text1,
                 &Command4, &Text2, &Text3, &Text4, &Command2, &Combo2, &Text6, &Command1, &Text7,
                 &Text8, &Text9, &Command6, &Combo1, &Text5, &Command5, &Command7, &Command3});
}

int Form7::ShownSlot() const
{
    const int slot = num::toInt32(num::numericValue(Label11.Caption()));
    if (!SlotInUse(slot))
        return 0;
    return slot;
}

void Form7::Form_Load()
{
    RestoreWindowPosition(*this);
    if (::isLoaded<Form1>())
        form<Form1>().Hide();
    OpenAthleteAndClubFilesIfClosed();
    Label1.setCaption(Rec.RaceName);
    FillTimingLists();
    const QStringList statuses = statusItems();
    Combo2.AddItems(statuses);
    Combo1.AddItems(statuses);
}

void Form7::Form_Activate()
{
    if (Rec.TwoRuns == 1) {
        for (Control *c : std::initializer_list<Control *>{&Text6, &Text7, &Text8, &Text9,
                                                             &Combo1, &Command1, &Command6,
                                                             &Option5, &Label4})
            c->setVisible(true);
    }
    // The timekeeper starts in the list; coming back to the window later
    // keeps the control that had the focus.
    if (!focusedOnce_) {
        focusedOnce_ = true;
        List2.SetFocus();
    }
}

void Form7::Form_Unload()
{
    // Saving the race checks every entrant's athlete record.
    const RecordFile::ReadScope athletes(Channels.AthleteFile);
    // Backup timing writes into the entry shown: it goes before the race is
    // saved, so nothing can land in a race that is no longer open here.
    unload<Form18>();
    StoreWindowPosition(*this);
    SaveRaceFiles();
    form<Form4>().Show();
    unload<Form13>();
}

namespace {

TimingOrder chosenOrder(Form7 &f)
{
    if (f.Option2.Value())
        return TimingOrder::Times;
    if (f.Option3.Value())
        return TimingOrder::ClassStartNo;
    if (f.Option4.Value())
        return TimingOrder::ClassTime;
    if (f.Option5.Value())
        return TimingOrder::SecondRun;
    return TimingOrder::StartNo;
}

} // namespace

void FillTimingLists()
{
    Form7 &f = form<Form7>();
    const TimingOrder order = chosenOrder(f);
    f.List1.Clear();
    f.List2.Clear();
    letWindowSystemRedraw();
    ComputeTimingLists(order);
    f.List1.AddItems(TimingLines.keyLines);
    f.List2.AddItems(TimingLines.visibleLines);
    RefreshRankingWindow();
}

void Form7::Option1_Click() { FillTimingLists(); }
void Form7::Option2_Click() { FillTimingLists(); }
void Form7::Option3_Click() { FillTimingLists(); }
void Form7::Option4_Click() { FillTimingLists(); }
void Form7::Option5_Click() { FillTimingLists(); }

void Form7::Check1_Click()
{
    if (Check1.Value() == 1) {
        form<Form13>().Show();
        ComputeProvisionalResult();
        RefreshRankingWindow();
    } else {
        unload<Form13>();
    }
}

void Form7::setEntryControlsEnabled(bool on)
{
    for (Control *c : std::initializer_list<Control *>{
             &Text1, &Text2, &Text3, &Text4, &Text5, &Text6, &Text7, &Text8, &Text9, &Command4,
             &Command5, &Command2, &Command1, &Command6, &Combo2, &Combo1})
        c->setEnabled(on);
}

void Form7::secondsToHms(double time, TextBox &hours, TextBox &minutes, TextBox &seconds)
{
    Work.HmsInput = time;
    SecondsToHms();
    hours.setText(numberShown(Work.HmsHours));
    minutes.setText(numberShown(Work.HmsMinutes));
    seconds.setText(numberShown(Work.HmsSeconds));
}

void Form7::showRun(TextBox &seconds, TextBox &hours, TextBox &minutes, TextBox &secs,
                    ComboBox &status, double time, int stored)
{
    seconds.setText(numberShown(time));
    secondsToHms(time, hours, minutes, secs);
    // A status outside the four selects nothing, and nothing is stored back
    // unless the user chooses one.
    status.setListIndex(stored >= 0 && stored < status.ListCount() ? stored : -1);
}

void Form7::showClub(int slot)
{
    QString shortName;
    int club = 0;
    switch (Race.SlotClub[slot]) {
    case 1: club = Rec.AthleteClub1; break;
    case 2: club = Rec.AthleteClub2; break;
    case 3: club = Rec.AthleteClub3; break;
    default: break;
    }
    if (club >= 1 && club <= Rec.ClubCount) {
        Rec.CurrentClubNo = club;
        ReadClubRecord();
        shortName = trimBlanks(Rec.ClubShortName);
    }
    Label19.setCaption(shortName);
}

void Form7::showTeamAndGroup(int slot)
{
    for (Label *l : {&Label21, &Label22, &Label24, &Label23})
        l->setVisible(false);
    const int team = Race.SlotTeam[slot];
    if (team != 0) {
        Label21.setVisible(true);
        Label22.setVisible(true);
        Label22.setCaption(team >= 1 && team <= NameCount ? Race.TeamNames[team] : QString());
    }
    const int group = Race.SlotGroup[slot];
    if (group != 0) {
        Label24.setVisible(true);
        Label23.setVisible(true);
        Label23.setCaption(group >= 1 && group <= NameCount ? Race.GroupNames[group] : QString());
    }
}

void Form7::focusTimeBox()
{
    TextBox &box = Option5.Value() ? Text6 : Text1;
    box.SetFocus();
    if (box.hasFocus() && box.Text() == QStringLiteral("0"))
        box.setText(QString());
}

void Form7::List2_Click()
{
    const int slot = SlotOfTimingLine(List2.Text());
    if (!SlotInUse(slot)) {
        setEntryControlsEnabled(false);
        return;
    }
    Label11.setCaption(num::plainNumberText(slot));
    Work.CurrentSlot = slot;
    Label5.setCaption(num::plainNumberText(Race.SlotStartNo[slot]));
    Label18.setCaption(Race.SlotGuest[slot] == 1 ? QStringLiteral("JA") : QStringLiteral("-"));

    Rec.CurrentAthleteId = Race.SlotAthleteId[slot];
    if (Rec.CurrentAthleteId >= 1 && Rec.CurrentAthleteId <= Rec.AthleteCount)
        ReadAthleteRecord();
    else
        ClearAthleteFields();
    Label2.setCaption(Rec.AthleteName);
    const QDate born = dates::dateFromOle(Rec.AthleteBirthDate);
    Label14.setCaption(born.isValid() ? num::plainNumberText(born.year()) : QString());
    const int k = Race.SlotClass[slot];
    Label16.setCaption(k >= 1 && k <= ClassCount ? Race.ClassNames[k] : QString());
    // An athlete whose sex is not set keeps the colour of the one before.
    if (Rec.AthleteSex == 1)
        Label2.setBackColor(Male);
    else if (Rec.AthleteSex == 0)
        Label2.setBackColor(Female);

    setEntryControlsEnabled(true);
    Command7.setEnabled(true);

    showRun(Text1, Text2, Text3, Text4, Combo2, Race.SlotTime1[slot], Race.SlotStatus1[slot]);
    showRun(Text6, Text7, Text8, Text9, Combo1, Race.SlotTime2[slot], Race.SlotStatus2[slot]);
    Text5.setText(num::plainNumberTextSingle(Race.SlotPoints[slot]));

    showClub(slot);
    showTeamAndGroup(slot);
    focusTimeBox();
}

void Form7::List2_MouseUp(int button, int, double x, double y)
{
    // The line already selected fires no Click; a click on it means the same
    // as on any other line: the entry shown afresh (the value just committed
    // in all its boxes) and the cursor in its time box. After a pick the
    // focus has left the list already.
    if (button != 1 || !List2.hasFocus())
        return;
    const int line = List2.lineAt(x, y);
    if (line < 0 || line != List2.ListIndex())
        return;
    const int slot = SlotOfTimingLine(List2.Text());
    if (slot == 0 || slot != ShownSlot())
        return;
    List2_Click();
}

void Form7::List2_KeyDown(int &keyCode, int)
{
    if (keyCode != key::Return)
        return;
    keyCode = 0;
    if (SlotOfTimingLine(List2.Text()) == 0 || ShownSlot() == 0)
        return;
    focusTimeBox();
}

void Form7::Text1_KeyDown(int &keyCode, int)
{
    if (keyCode != key::Return)
        return;
    keyCode = 0;
    List2.SetFocus();
}

void Form7::Text6_KeyDown(int &keyCode, int)
{
    if (keyCode != key::Return)
        return;
    keyCode = 0;
    List2.SetFocus();
}

void Form7::commitSeconds(TextBox &box, double &time)
{
    Work.WorkText = box.Text();
    NormalizeDecimalText();
    box.setText(Work.WorkText);
    double value = 0;
    // A run takes no negative time: refused as text that is no number.
    if (!decimalValue(Work.WorkText, value) || value < 0) {
        beep();
        box.setText(numberShown(time));
        return;
    }
    const bool changed = time != value;
    time = value;
    saveCommitted(changed);
}

void Form7::saveCommitted(bool changed)
{
    if (changed)
        unsaved_ = true;
    if (unsaved_ && SaveRaceFilesWithoutReminder())
        unsaved_ = false;
}

void Form7::Text1_LostFocus()
{
    const int slot = ShownSlot();
    if (slot == 0)
        return;
    Work.CurrentSlot = slot;
    commitSeconds(Text1, Race.SlotTime1[slot]);
}

void Form7::Text6_LostFocus()
{
    const int slot = ShownSlot();
    if (slot == 0)
        return;
    Work.CurrentSlot = slot;
    commitSeconds(Text6, Race.SlotTime2[slot]);
}

namespace {

// The seconds of the hours/minutes/seconds entry: blank becomes 0, the
// first "." a ",". Nothing is stored.
void tidySeconds(TextBox &box)
{
    QString t = trimBlanks(box.Text());
    if (t.isEmpty())
        t = QStringLiteral("0");
    const qsizetype dot = t.indexOf(u'.');
    if (dot >= 0)
        t[dot] = u',';
    box.setText(t);
}

} // namespace

void Form7::Text4_LostFocus() { tidySeconds(Text4); }
void Form7::Text9_LostFocus() { tidySeconds(Text9); }

void Form7::commitPoints()
{
    const int slot = ShownSlot();
    if (slot == 0)
        return;
    Work.CurrentSlot = slot;
    Work.WorkText = Text5.Text();
    NormalizeDecimalText();
    Text5.setText(Work.WorkText);
    double value = 0;
    if (!decimalValue(Work.WorkText, value)) {
        beep();
        // Also keeps "eintragen" right after leaving the box from beeping
        // a second time.
        Text5.setText(num::plainNumberTextSingle(Race.SlotPoints[slot]));
        return;
    }
    const bool changed = Race.SlotPoints[slot] != float(value);
    Race.SlotPoints[slot] = float(value);
    saveCommitted(changed);
}

void Form7::Text5_LostFocus() { commitPoints(); }
void Form7::Command5_Click() { commitPoints(); }

void Form7::commitStatus(const ComboBox &status, int &stored)
{
    const int chosen = status.ListIndex();
    if (chosen < 0 || chosen >= StatusItems)
        return;
    const bool changed = stored != chosen;
    stored = chosen;
    saveCommitted(changed);
}

void Form7::Combo2_LostFocus()
{
    if (const int slot = ShownSlot()) {
        Work.CurrentSlot = slot;
        commitStatus(Combo2, Race.SlotStatus1[slot]);
    }
}

void Form7::Combo1_LostFocus()
{
    if (const int slot = ShownSlot()) {
        Work.CurrentSlot = slot;
        commitStatus(Combo1, Race.SlotStatus2[slot]);
    }
}

void Form7::Command4_Click()
{
    if (const int slot = ShownSlot())
        secondsToHms(Race.SlotTime1[slot], Text2, Text3, Text4);
}

void Form7::Command1_Click()
{
    if (const int slot = ShownSlot())
        secondsToHms(Race.SlotTime2[slot], Text7, Text8, Text9);
}

void Form7::hmsToSeconds(TextBox &hours, TextBox &minutes, TextBox &seconds, TextBox &target,
                         double &time)
{
    double h = 0, m = 0, s = 0;
    // An empty box is no number; a negative part makes no run time.
    if (!decimalValue(hours.Text(), h) || !decimalValue(minutes.Text(), m)
        || !decimalValue(seconds.Text(), s) || h < 0 || m < 0 || s < 0) {
        beep();
        secondsToHms(time, hours, minutes, seconds);
        return;
    }
    const int decimals = std::max({TypedDecimals(hours.Text()), TypedDecimals(minutes.Text()),
                                   TypedDecimals(seconds.Text())});
    const double total = num::roundHalfAway(h * 3600 + m * 60 + s, decimals);
    const bool changed = time != total;
    time = total;
    target.setText(numberShown(total));
    saveCommitted(changed);
}

void Form7::Command2_Click()
{
    if (const int slot = ShownSlot()) {
        Work.CurrentSlot = slot;
        hmsToSeconds(Text2, Text3, Text4, Text1, Race.SlotTime1[slot]);
    }
}

void Form7::Command6_Click()
{
    if (const int slot = ShownSlot()) {
        Work.CurrentSlot = slot;
        hmsToSeconds(Text7, Text8, Text9, Text6, Race.SlotTime2[slot]);
    }
}

void Form7::Command7_Click()
{
    form<Form18>().Show();
}

void Form7::Command3_Click()
{
    Unload();
}
