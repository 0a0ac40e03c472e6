#include "Form10.h"

#include <QDate>
#include <QStringList>

#include "ClassAssignment.h"
#include "core/Form1.h"
#include "core/Form17.h"
#include "core/Form4.h"
#include "core/RaceFiles.h"
#include "core/RecordFiles.h"
#include "core/SharedState.h"
#include "core/WindowPositions.h"
#include "platform/Clock.h"
#include "platform/NumberText.h"
#include "platform/Strings.h"

namespace {

constexpr int FirstClassYear = 1900;

// Enter moves on to the given box; when that box cannot take the focus yet,
// Enter goes on as usual.
void enterMovesTo(int &keyCode, Control &next)
{
    if (keyCode != key::Return || !next.Visible() || !next.Enabled())
        return;
    keyCode = 0;
    next.SetFocus();
}

// The class number a list line begins with (0 when there is none).
int classOfLine(const QString &line)
{
    const int k = num::toInt32(num::numericValue(leftChars(line, 2)));
    return k >= 1 && k <= ClassCount ? k : 0;
}

} // namespace

void NormalizeClassRules()
{
    SettleClassYears();
    // The classes are still being named: numbering an unset start order now
    // would give its designations the names of the moment. Closing numbers.
    AssignClassesKeepingStartOrder();
    // Loading the window here would hide the race and main windows.
    if (!isLoaded<Form10>())
        return;
    Form10 &f = form<Form10>();
    f.List1.Clear();
    QStringList lines;
    for (int k = 1; k <= ClassCount; ++k)
        if (!Race.ClassNames[k].isEmpty())
            lines << ClassRuleLine(k);
    f.List1.AddItems(lines);
}

Form10::Form10()
    : Form(10, QStringLiteral("Klassen-Bildungs-Regeln"))
{
    setClientSize(9600, 6240);

    Label3.Move(240, 120, 9120, 360);
    Label3.setFontBold(true);
    List1.Move(240, 600, 5640, 5040);
    List1.setFontName(QStringLiteral("Monospac821 BT"));
    List1.setFontSize(9);

    Label8.Move(6120, 600, 1500, 260);
    Label8.setCaption(QStringLiteral("Nummer"));
    Text5.Move(6120, 860, 900, 360);
    Label9.Move(6120, 1320, 3240, 260);
    Label9.setCaption(QStringLiteral("Klasse"));
    Text6.Move(6120, 1580, 3240, 360);
    Label1.Move(6120, 2040, 1500, 260);
    Label1.setCaption(QStringLiteral("von"));
    Text1.Move(6120, 2300, 1500, 360);
    Label2.Move(7860, 2040, 1500, 260);
    Label2.setCaption(QStringLiteral("bis"));
    Text2.Move(7860, 2300, 1500, 360);
    Text6.setEnabled(false);
    Text1.setEnabled(false);
    Text2.setEnabled(false);

    Command7.Move(6120, 2820, 1500, 420);
    Command7.setCaption(QStringLiteral("eintragen"));
    Command5.Move(7860, 2820, 1500, 420);
    Command5.setCaption(QStringLiteral("löschen"));
    Command2.Move(6120, 3480, 3240, 420);
    Command2.setCaption(QStringLiteral("20 - Klassen Standard laden"));
    Command3.Move(6120, 4020, 1500, 420);
    Command3.setCaption(QStringLiteral("JA"));
    Command3.setVisible(false);
    Command4.Move(7860, 4020, 1500, 420);
    Command4.setCaption(QStringLiteral("nein !"));
    Command4.setVisible(false);
    Command1.Move(7860, 5220, 1500, 420);
    Command1.setCaption(QStringLiteral("fertig"));

    List1.onClick = [this] { List1_Click(); };
    Text5.onChange = [this] { Text5_Change(); };
    Text5.onLostFocus = [this] { Text5_LostFocus(); };
    Text5.onKeyDown = [this](int &keyCode, int) { enterMovesTo(keyCode, Text6); };
    Text6.onChange = [this] { Text6_Change(); };
    Text6.onLostFocus = [this] { Text6_LostFocus(); };
    Text6.onKeyDown = [this](int &keyCode, int) { enterMovesTo(keyCode, Text1); };
    Text1.onLostFocus = [this] { Text1_LostFocus(); };
    Text1.onKeyDown = [this](int &keyCode, int) { enterMovesTo(keyCode, Text2); };
    Text2.onLostFocus = [this] { Text2_LostFocus(); };
    Command7.onClick = [this] { Command7_Click(); };
    Command5.onClick = [this] { Command5_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
    Command3.onClick = [this] { Command3_Click(); };
    Command4.onClick = [this] { Command4_Click(); };
    Command1.onClick = [this] { Command1_Click(); };
    setTabOrder({&List1, &Text5, &Text6, &Text1, &Text2, &Command7, &Command5, &Command2,
                 &Command3, &Command4, &Command1});
}

void Form10::Form_Load()
{
    RestoreWindowPosition(*this);
    if (::isLoaded<Form4>())
        form<Form4>().Hide();
    if (::isLoaded<Form1>())
        form<Form1>().Hide();
    Label3.setCaption(Rec.RaceName);
    List1.Clear();
    OpenAthleteFile();
}

void Form10::Form_Activate()
{
    NormalizeClassRules();
}

void Form10::Form_Unload()
{
    StoreWindowPosition(*this);
    // The table is settled by every edit; once more, so that a class that
    // begins after its end is never saved.
    SettleClassYears();
    AssignClasses();
    SaveRaceFiles();
    form<Form4>().Show();
}

int Form10::classInField() const
{
    const int k = num::toInt32(num::numericValue(Text5.Text()));
    return k >= 1 && k <= ClassCount ? k : 0;
}

void Form10::showClass(int k)
{
    showing_ = true;
    Text6.setText(Race.ClassNames[k]);
    Text1.setText(num::plainNumberText(Race.ClassYears[k][0]));
    Text2.setText(num::plainNumberText(Race.ClassYears[k][1]));
    showing_ = false;
}

void Form10::List1_Click()
{
    // The line names its class: with an unnamed class in the middle, line
    // positions no longer match class numbers.
    const int k = classOfLine(List1.Text());
    if (k == 0)
        return;
    Text5.setText(num::plainNumberText(k));
    showClass(k);
    Text6.setEnabled(true);
    Text1.setEnabled(true);
    Text2.setEnabled(true);
}

void Form10::Text5_Change()
{
    Text6.setEnabled(true);
    // Every listed class can be chosen, 17..20 as well.
    const double typed = num::numericValue(trimBlanks(Text5.Text()));
    int k = num::toInt32(typed);
    if (k < 1)
        k = 1;
    if (k > ClassCount)
        k = ClassCount;
    Text5.setText(num::plainNumberText(k));
    showClass(k);
}

void Form10::Text5_LostFocus()
{
    NormalizeClassRules();
}

void Form10::Text6_Change()
{
    if (showing_)
        return;
    const int k = classInField();
    if (k != 0)
        Race.ClassNames[k] = trimBlanks(Text6.Text());
}

void Form10::Text6_LostFocus()
{
    NormalizeClassRules();
}

int Form10::yearTyped(TextBox &box)
{
    const int current = sysclock::today().year();
    double y = num::numericValue(box.Text());
    if (y > current)
        y = current;
    if (y < FirstClassYear)
        y = FirstClassYear;
    const int year = num::toInt32(y);
    box.setText(num::plainNumberText(year));
    return year;
}

void Form10::storeYear(TextBox &box, int which)
{
    const int y = yearTyped(box);
    if (const int k = classInField())
        Race.ClassYears[k][which] = y;
    NormalizeClassRules();
}

void Form10::Text1_LostFocus()
{
    storeYear(Text1, 0);
}

void Form10::Text2_LostFocus()
{
    storeYear(Text2, 1);
}

void Form10::Command7_Click()
{
    NormalizeClassRules();
}

void Form10::Command5_Click()
{
    if (List1.ListIndex() < 0)
        return;
    const int k = classOfLine(List1.Text());
    if (k == 0)
        return;
    // Start-order numbers and designations stay with their class numbers.
    for (int j = k; j < ClassCount; ++j) {
        Race.ClassNames[j] = Race.ClassNames[j + 1];
        Race.ClassYears[j] = Race.ClassYears[j + 1];
    }
    Race.ClassNames[ClassCount].clear();
    Race.ClassYears[ClassCount] = {0, 0};
    Text6.setEnabled(false);
    Text1.setEnabled(false);
    Text2.setEnabled(false);
    NormalizeClassRules();
}

void Form10::Command2_Click()
{
    Command3.setVisible(true);
    Command4.setVisible(true);
}

void Form10::Command4_Click()
{
    Command3.setVisible(false);
    Command4.setVisible(false);
}

void Form10::Command3_Click()
{
    for (int k = 1; k <= ClassCount; ++k) {
        Race.ClassNames[k] = App.StandardClassNames[k];
        Race.ClassYears[k] = App.StandardClassYears[k];
    }
    NormalizeClassRules();
    // Once per opening of the window.
    Command3.setVisible(false);
    Command4.setVisible(false);
    Command2.setVisible(false);
}

void Form10::Command1_Click()
{
    Unload();
}
