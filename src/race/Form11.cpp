#include "Form11.h"

#include <QStringList>
#include <algorithm>

#include "core/Form1.h"
#include "core/Form4.h"
#include "core/RaceFiles.h"
#include "core/RecordFiles.h"
#include "core/WindowPositions.h"
#include "platform/NumberText.h"
#include "platform/Strings.h"

namespace {

// The name index a number box holds; 0 when it holds none of 1..100 (the
// box is still empty before the first number is typed).
int numberIn(const TextBox &box)
{
    const int n = num::toInt32(num::numericValue(trimBlanks(box.Text())));
    return n >= 1 && n <= NameCount ? n : 0;
}

} // namespace

QString NamedNumberLine(int number, const QString &name)
{
    return num::numberText(number) + u' ' + name;
}

QStringList NamedNumberLines(const std::array<QString, NameCount + 1> &names)
{
    QStringList lines;
    for (int i = 1; i <= NameCount; ++i)
        if (!trimBlanks(names[i]).isEmpty())
            lines << NamedNumberLine(i, names[i]);
    return lines;
}

Form11::Form11()
    : Form(11, QStringLiteral("Mannschaftsliste / Gruppenliste"))
{
    setClientSize(8640, 6600);

    Label1.Move(240, 180, 8160, 360);
    Label1.setFontSize(12);
    Label1.setFontBold(true);
    Label1.setUseMnemonic(false);

    Label2.Move(240, 720, 3960, 270);
    Label2.setCaption(QStringLiteral("Mannschaften"));
    List1.Move(240, 990, 3960, 3600);
    Label3.Move(4440, 720, 3960, 270);
    Label3.setCaption(QStringLiteral("Gruppen"));
    List2.Move(4440, 990, 3960, 3600);

    Label4.Move(240, 4800, 960, 270);
    Label4.setCaption(QStringLiteral("Nummer"));
    Text1.Move(240, 5070, 960, 330);
    Label5.Move(1320, 4800, 2880, 270);
    Label5.setCaption(QStringLiteral("Mannschaft"));
    Text2.Move(1320, 5070, 2880, 330);
    Label7.Move(4440, 4800, 960, 270);
    Label7.setCaption(QStringLiteral("Nummer"));
    Text4.Move(4440, 5070, 960, 330);
    Label6.Move(5520, 4800, 2880, 270);
    Label6.setCaption(QStringLiteral("Gruppe"));
    Text3.Move(5520, 5070, 2880, 330);
    // A name box edits the name under its number: nothing until one is typed.
    Text2.setEnabled(false);
    Text3.setEnabled(false);

    Command4.Move(7200, 5880, 1200, 420);
    Command4.setCaption(QStringLiteral("fertig"));

    Text1.onChange = [this] { Text1_Change(); };
    Text1.onKeyDown = [this](int &keyCode, int shift) { Text1_KeyDown(keyCode, shift); };
    Text1.onLostFocus = [this] { Text1_LostFocus(); };
    Text2.onChange = [this] { Text2_Change(); };
    Text2.onLostFocus = [this] { Text2_LostFocus(); };
    Text2.onKeyDown = [this](int &keyCode, int shift) { Text2_KeyDown(keyCode, shift); };
    Text4.onChange = [this] { Text4_Change(); };
    Text4.onKeyDown = [this](int &keyCode, int shift) { Text4_KeyDown(keyCode, shift); };
    Text4.onLostFocus = [this] { Text4_LostFocus(); };
    Text3.onChange = [this] { Text3_Change(); };
    Text3.onLostFocus = [this] { Text3_LostFocus(); };
    Text3.onKeyDown = [this](int &keyCode, int shift) { Text3_KeyDown(keyCode, shift); };
    Command4.onClick = [this] { Command4_Click(); };
    setTabOrder({&Text1, &Text2, &Text4, &Text3, &List1, &List2, &Command4});
}

void Form11::Form_Load()
{
    RestoreWindowPosition(*this);
    if (::isLoaded<Form1>())
        form<Form1>().Hide();
    // Closing saves the race, whose reminder reads the athletes.
    OpenAthleteAndClubFilesIfClosed();
    Label1.setCaption(Rec.RaceName);
    List1.Clear();
    List2.Clear();
    List1.AddItems(NamedNumberLines(Race.TeamNames));
    List2.AddItems(NamedNumberLines(Race.GroupNames));
}

void Form11::Form_Unload()
{
    StoreWindowPosition(*this);
    SaveRaceFiles();
    form<Form4>().Show();
}

void Form11::numberChanged(TextBox &number, TextBox &name, const Names &names,
                           PickedNumber &picked)
{
    QString t = trimBlanks(number.Text());
    double value = 0;
    const bool digits = num::typedNumber(t, &value);
    picked.pending = false;
    if (number.ChangeTyped()) {
        // While the user types, the box keeps what is typed, and the name of
        // a number only shows once it is one of 1..100: no jump to name 1
        // on an emptied box, a lone "-" or a letter.
        picked.pending = !digits || value < 1 || value > NameCount;
        if (picked.pending)
            return;
    } else if (value < 1) {
        t = QStringLiteral("1");
    } else if (value > NameCount) {
        t = QString::number(NameCount);
    }
    name.setEnabled(true);
    if (!number.ChangeTyped())
        number.setText(t);
    picked.shown = numberIn(number);
    name.setText(picked.shown ? names[picked.shown] : QString());
}

void Form11::finishNumber(TextBox &number, PickedNumber &picked)
{
    if (!picked.pending)
        return;
    picked.pending = false;
    const int shown = picked.shown;
    double value = 0;
    if (!num::typedNumber(trimBlanks(number.Text()), &value)) {
        // No number: the box shows the number of the name on the window.
        if (shown >= 1)
            number.setText(QString::number(shown));
        return;
    }
    // Set by code, the number is clamped to 1..100 and shows its name.
    number.setText(QString::number(std::clamp(num::toInt32(value), 1, NameCount)));
}

void Form11::nameChanged(const TextBox &name, Names &names, int shown)
{
    if (shown >= 1 && shown <= NameCount)
        names[shown] = trimBlanks(name.Text());
}

void Form11::nameEnter(int &keyCode, TextBox &number, int shown)
{
    if (keyCode != key::Return)
        return;
    keyCode = 0;
    // The number box clamps 101 to 100.
    number.setText(QString::number(shown + 1));
    number.SetFocus();
}

void Form11::Text1_Change() { numberChanged(Text1, Text2, Race.TeamNames, Team); }
void Form11::Text2_Change() { nameChanged(Text2, Race.TeamNames, Team.shown); }
void Form11::Text4_Change() { numberChanged(Text4, Text3, Race.GroupNames, Group); }
void Form11::Text3_Change() { nameChanged(Text3, Race.GroupNames, Group.shown); }
void Form11::Text1_LostFocus() { finishNumber(Text1, Team); }
void Form11::Text4_LostFocus() { finishNumber(Text4, Group); }

void Form11::Text2_LostFocus()
{
    List1.Clear();
    List1.AddItems(NamedNumberLines(Race.TeamNames));
}

void Form11::Text3_LostFocus()
{
    List2.Clear();
    List2.AddItems(NamedNumberLines(Race.GroupNames));
}

void Form11::Text1_KeyDown(int &keyCode, int)
{
    if (keyCode != key::Return)
        return;
    finishNumber(Text1, Team);
    if (!Text2.Enabled())
        return;
    keyCode = 0;
    Text2.SetFocus();
}

void Form11::Text4_KeyDown(int &keyCode, int)
{
    if (keyCode != key::Return)
        return;
    finishNumber(Text4, Group);
    if (!Text3.Enabled())
        return;
    keyCode = 0;
    Text3.SetFocus();
}

void Form11::Text2_KeyDown(int &keyCode, int) { nameEnter(keyCode, Text1, Team.shown); }
void Form11::Text3_KeyDown(int &keyCode, int) { nameEnter(keyCode, Text4, Group.shown); }

void Form11::Command4_Click()
{
    Unload();
}
