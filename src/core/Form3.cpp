#include "Form3.h"

#include <QStringList>
#include <algorithm>

#include "Form1.h"
#include "Launchers.h"
#include "RecordFiles.h"
#include "SharedState.h"
#include "WindowPositions.h"
#include "platform/Beep.h"
#include "platform/Colours.h"
#include "platform/Cp1252.h"
#include "platform/DateText.h"
#include "platform/NumberText.h"
#include "platform/Strings.h"

namespace {

constexpr int NameWidth = 80;
constexpr int FederationNoWidth = 9;
const double Refused = colourValue(255, 0, 0);
// A refused text turns its box red until it is corrected.
const double Accepted = colours::WindowBackground;

ComboBox &clubChoice(Form3 &f, int i)
{
    return i == 1 ? f.Combo1 : (i == 2 ? f.Combo2 : f.Combo3);
}

} // namespace

Form3::Form3()
    : Form(3, QStringLiteral("Datenbank der Sportler"))
{
    setClientSize(10200, 6600);

    Label1.Move(240, 240, 1200, 300);
    Label1.setCaption(QStringLiteral("Index"));
    Text1.Move(240, 540, 1200, 360);
    Command2.Move(1560, 540, 480, 360);
    Command2.setCaption(QStringLiteral("-"));
    Command3.Move(2100, 540, 480, 360);
    Command3.setCaption(QStringLiteral("+"));
    Command4.Move(2640, 540, 720, 360);
    Command4.setCaption(QStringLiteral("neu"));

    Label2.Move(240, 1080, 4800, 300);
    Label2.setCaption(QStringLiteral("FAMILIENNAME Vorname"));
    Text2.Move(240, 1380, 4800, 360);
    Text2.setMaxLength(NameWidth);
    Label4.Move(240, 1860, 2400, 300);
    Label4.setCaption(QStringLiteral("ÖSV-Nummer"));
    Text3.Move(240, 2160, 1800, 360);
    Text3.setMaxLength(FederationNoWidth);

    Frame1.Move(2400, 1860, 2640, 960);
    Option1.Move(120, 240, 2280, 300);
    Option1.setCaption(QStringLiteral("männlich"));
    Option2.Move(120, 570, 2280, 300);
    Option2.setCaption(QStringLiteral("weiblich"));

    Label5.Move(240, 3000, 2400, 300);
    Label5.setCaption(QStringLiteral("Geburtsdatum"));
    Text4.Move(240, 3300, 2640, 360);
    Text4.setText(QStringLiteral("z.B. 13.04.1983 oder nur 83"));
    Label7.Move(3120, 3000, 1800, 300);
    Label7.setCaption(QStringLiteral("Punkte"));
    Text5.Move(3120, 3300, 1920, 360);

    Label6.Move(240, 3840, 4800, 300);
    Label6.setCaption(QStringLiteral("Mitgliedschaft in Vereinen"));
    Combo1.Move(240, 4140, 4800, 360);
    Combo2.Move(240, 4620, 4800, 360);
    Combo3.Move(240, 5100, 4800, 360);

    Label3.Move(5400, 240, 4560, 300);
    Label3.setCaption(QStringLiteral("Liste aller Sportler"));
    List1.Move(5400, 540, 4560, 5280);
    List1.setFontName(QStringLiteral("Arial"));

    Command1.Move(8760, 6000, 1200, 420);
    Command1.setCaption(QStringLiteral("exit"));

    Text1.onChange = [this] { Text1_Change(); };
    Text1.onLostFocus = [this] { Text1_LostFocus(); };
    Text1.onKeyDown = [this](int &keyCode, int shift) { Text1_KeyDown(keyCode, shift); };
    List1.onClick = [this] { List1_Click(); };
    Command1.onClick = [this] { Command1_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
    Command3.onClick = [this] { Command3_Click(); };
    Command4.onClick = [this] { Command4_Click(); };
    Text2.onLostFocus = [this] { Text2_LostFocus(); };
    Text3.onLostFocus = [this] { Text3_LostFocus(); };
    Text4.onLostFocus = [this] { Text4_LostFocus(); };
    Text5.onLostFocus = [this] { Text5_LostFocus(); };
    Combo1.onLostFocus = [this] { Combo1_LostFocus(); };
    Combo2.onLostFocus = [this] { Combo2_LostFocus(); };
    Combo3.onLostFocus = [this] { Combo3_LostFocus(); };
    Option1.onClick = [this] { Option1_Click(); };
    Option2.onClick = [this] { Option2_Click(); };
    setTabOrder({&Text1, &Command2, &Command3, &Command4, &Text2, &Text3, &Option1, &Option2,
                 &Text4, &Text5, &Combo1, &Combo2, &Combo3, &List1, &Command1});
}

void FillAthleteList()
{
    Form3 &f = form<Form3>();
    const int kept = Rec.CurrentAthleteId;
    f.List1.Clear();
    QStringList lines;
    for (int n = 1; n <= Rec.AthleteCount; ++n) {
        Rec.CurrentAthleteId = n;
        ReadAthleteRecord();
        const QString name = trimBlanks(Rec.AthleteName);
        if (!name.isEmpty())
            lines << name + blanks(8) + num::plainNumberText(n);
    }
    f.List1.AddItems(lines);
    Rec.CurrentAthleteId = kept;
}

void ShowAthleteOnForm()
{
    Form3 &f = form<Form3>();
    f.ShownAthleteId = Rec.CurrentAthleteId;
    f.Showing = true;
    if (!f.TypingNumber)
        f.Text1.setText(num::plainNumberText(Rec.CurrentAthleteId));
    f.Text2.setText(Rec.AthleteName);
    f.Text3.setText(trimBlanks(Rec.AthleteFederationNo));
    f.Option1.setValue(false);
    f.Option2.setValue(false);
    if (Rec.AthleteSex == 1)
        f.Option1.setValue(true);
    else if (Rec.AthleteSex == 0)
        f.Option2.setValue(true);
    f.Text4.setText(dates::germanDateText(Rec.AthleteBirthDate));
    f.Text5.setText(num::plainNumberTextSingle(Rec.AthletePoints));
    const int clubs[3] = {Rec.AthleteClub1, Rec.AthleteClub2, Rec.AthleteClub3};
    for (int i = 1; i <= 3; ++i) {
        ComboBox &c = clubChoice(f, i);
        const int club = clubs[i - 1];
        c.setListIndex(club >= 0 && club < c.ListCount() ? club : 0);
    }
    for (TextBox *box : {&f.Text2, &f.Text3, &f.Text4, &f.Text5})
        box->setBackColor(Accepted);
    f.Showing = false;
}

void Form3::fillClubChoices()
{
    const int kept = Rec.CurrentClubNo;
    QStringList items;
    items << QStringLiteral("?");
    for (int n = 1; n <= Rec.ClubCount; ++n) {
        Rec.CurrentClubNo = n;
        ReadClubRecord();
        items << trimBlanks(Rec.ClubShortName);
    }
    Rec.CurrentClubNo = kept;
    for (int i = 1; i <= 3; ++i) {
        ComboBox &c = clubChoice(*this, i);
        c.Clear();
        c.AddItems(items);
    }
}

void Form3::Form_Load()
{
    RestoreWindowPosition(*this);
    FillAthleteList();
    fillClubChoices();
}

void Form3::Form_Unload()
{
    StoreWindowPosition(*this);
    // Opened over the entry list, the athlete window gives way to it.
    if (!(Launchers.EntryListVisible && Launchers.EntryListVisible()))
        form<Form1>().Show();
}

bool Form3::shownIsNew() const
{
    return ShownAthleteId > Rec.AthleteCount;
}

bool Form3::birthDateShownGiven() const
{
    double date = 0;
    if (!dates::parseGermanDate(trimBlanks(Text4.Text()), &date))
        return true;
    return date != NoBirthDate;
}

void Form3::goTo(int n)
{
    Rec.CurrentAthleteId = n;
    ClearAthleteFields();
    if (n <= Rec.AthleteCount)
        ReadAthleteRecord();
    ShowAthleteOnForm();
}

int Form3::clampedNumber(int n) const
{
    if (n < 1)
        n = 1;
    if (n > Rec.AthleteCount) {
        // One behind the last record is a new record, created when its name
        // is committed; taken only while the last record has a name.
        bool lastNamed = Rec.AthleteCount == 0;
        if (n == Rec.AthleteCount + 1 && Rec.AthleteCount >= 1) {
            const int kept = Rec.CurrentAthleteId;
            Rec.CurrentAthleteId = Rec.AthleteCount;
            ReadAthleteRecord();
            lastNamed = !Rec.AthleteName.isEmpty();
            Rec.CurrentAthleteId = kept;
        }
        if (!(n == Rec.AthleteCount + 1 && lastNamed))
            n = std::max(Rec.AthleteCount, 1);
    }
    return n;
}

void Form3::Text1_Change()
{
    if (Showing)
        return;
    double value = 0;
    const bool number = num::typedNumber(Text1.Text(), &value);
    const int n = num::toInt32(value);
    if (!Text1.ChangeTyped()) {
        NumberPending = false;
        goTo(clampedNumber(n));
        return;
    }
    // While the user types, the box keeps what is typed and shows only the
    // record of a number that exists: no jump on an emptied box or a lone
    // "-", no clamping of a number that is not finished yet.
    NumberPending = !number || clampedNumber(n) != n;
    if (NumberPending)
        return;
    TypingNumber = true;
    goTo(n);
    TypingNumber = false;
}

void Form3::finishNumber()
{
    if (!NumberPending || Showing)
        return;
    NumberPending = false;
    if (ShownAthleteId < 1)
        return;
    double value = 0;
    const bool number = num::typedNumber(Text1.Text(), &value);
    // A box left without a number shows the record on the window again.
    const int n = number ? clampedNumber(num::toInt32(value)) : ShownAthleteId;
    if (n != ShownAthleteId)
        goTo(n);
    else if (Text1.Text() != num::plainNumberText(n)) {
        Showing = true;
        Text1.setText(num::plainNumberText(n));
        Showing = false;
    }
}

void Form3::Text1_LostFocus()
{
    finishNumber();
}

void Form3::Text1_KeyDown(int &keyCode, int)
{
    if (keyCode == key::Return)
        finishNumber();
}

void Form3::List1_Click()
{
    const int n = num::toInt32(num::numericValue(rightChars(List1.Text(), 6)));
    if (n < 1 || n > Rec.AthleteCount)
        return;
    goTo(n);
}

void Form3::Command1_Click()
{
    Unload();
}

void Form3::Command2_Click()
{
    ClearAthleteFields();
    const int n = ShownAthleteId - 1;
    if (n >= 1)
        goTo(n);
    else
        beep();
}

void Form3::Command3_Click()
{
    if (!birthDateShownGiven())
        return;
    ClearAthleteFields();
    const int n = ShownAthleteId + 1;
    if (n <= Rec.AthleteCount) {
        goTo(n);
        return;
    }
    if (shownIsNew() || trimBlanks(Text2.Text()).isEmpty())
        return;
    // The name must be stored too: a refused text in the box is no name.
    Rec.CurrentAthleteId = ShownAthleteId;
    ReadAthleteRecord();
    const bool named = !Rec.AthleteName.isEmpty();
    if (!named)
        return;
    Rec.CurrentAthleteId = Rec.AthleteCount + 1;
    Rec.AthleteCount = Rec.CurrentAthleteId;
    ClearAthleteFields();
    WriteAthleteRecord();
    ShowAthleteOnForm();
}

void Form3::Command4_Click()
{
    if (!birthDateShownGiven())
        return;
    goTo(std::max(Rec.AthleteCount, 1));
}

bool Form3::acceptable(TextBox &box)
{
    if (cp1252::canEncode(box.Text())) {
        box.setBackColor(Accepted);
        return true;
    }
    box.setBackColor(Refused);
    beep();
    return false;
}

template <class Change>
void Form3::commit(Change change)
{
    if (Showing || ShownAthleteId < 1)
        return;
    Rec.CurrentAthleteId = ShownAthleteId;
    if (shownIsNew()) {
        // Not in the file yet: the record is made from what the window shows
        // once it has a name.
        const QString name = trimBlanks(Text2.Text());
        if (name.isEmpty() || !cp1252::canEncode(name))
            return;
        ClearAthleteFields();
        Rec.AthleteName = name;
        Rec.AthleteFederationNo = trimBlanks(Text3.Text());
        if (!cp1252::canEncode(Rec.AthleteFederationNo))
            Rec.AthleteFederationNo.clear();
        Rec.AthleteSex = Option1.Value() ? 1 : (Option2.Value() ? 0 : 2);
        double date = 0;
        if (dates::parseGermanDate(trimBlanks(Text4.Text()), &date))
            Rec.AthleteBirthDate = date;
        bool ok = false;
        const double points = num::decimalCommaValue(Text5.Text(), &ok);
        if (ok)
            Rec.AthletePoints = float(points);
        Rec.AthleteClub1 = std::max(Combo1.ListIndex(), 0);
        Rec.AthleteClub2 = std::max(Combo2.ListIndex(), 0);
        Rec.AthleteClub3 = std::max(Combo3.ListIndex(), 0);
    } else {
        ReadAthleteRecord();
    }
    change();
    WriteAthleteRecord();
}

void Form3::Text2_LostFocus()
{
    if (!acceptable(Text2))
        return;
    const bool wasNew = shownIsNew();
    commit([this] { Rec.AthleteName = trimBlanks(Text2.Text()); });
    if (wasNew && shownIsNew())
        return;   // still no name: nothing written
    FillAthleteList();
}

void Form3::Text3_LostFocus()
{
    if (!acceptable(Text3))
        return;
    commit([this] { Rec.AthleteFederationNo = trimBlanks(Text3.Text()); });
}

void Form3::Text5_LostFocus()
{
    const QString text = trimBlanks(Text5.Text());
    bool ok = false;
    const double points = num::decimalCommaValue(text, &ok);
    if (!ok && !text.isEmpty()) {
        Text5.setBackColor(Refused);
        beep();
        return;
    }
    Text5.setBackColor(Accepted);
    commit([points] { Rec.AthletePoints = float(points); });
}

void Form3::Combo1_LostFocus()
{
    commit([this] { Rec.AthleteClub1 = std::max(Combo1.ListIndex(), 0); });
}

void Form3::Combo2_LostFocus()
{
    commit([this] { Rec.AthleteClub2 = std::max(Combo2.ListIndex(), 0); });
}

void Form3::Combo3_LostFocus()
{
    commit([this] { Rec.AthleteClub3 = std::max(Combo3.ListIndex(), 0); });
}

void Form3::Option1_Click()
{
    if (Option1.Value())
        commit([] { Rec.AthleteSex = 1; });
}

void Form3::Option2_Click()
{
    if (Option2.Value())
        commit([] { Rec.AthleteSex = 0; });
}

void Form3::Text4_LostFocus()
{
    QString t = trimBlanks(Text4.Text());
    if (t.size() == 2) {
        const double year = num::numericValue(t);
        t = (year >= 0 && year <= 9 ? QStringLiteral("01.01.20") : QStringLiteral("01.01.19")) + t;
    }
    double date = 0;
    if (!dates::parseGermanDate(t, &date)) {
        Text4.setText(QString());
        return;
    }
    Text4.setText(t);
    commit([date] { Rec.AthleteBirthDate = date; });
}
