#include "Form2.h"

#include <QStringList>
#include <algorithm>

#include "Form1.h"
#include "RecordFiles.h"
#include "SharedState.h"
#include "WindowPositions.h"
#include "platform/Beep.h"
#include "platform/Colours.h"
#include "platform/Cp1252.h"
#include "platform/NumberText.h"
#include "platform/Strings.h"

namespace {

const double Refused = colourValue(255, 0, 0);
// A refused text turns its box red until it is corrected.
const double Accepted = colours::WindowBackground;

// The club field of box 2..11, with its caption and record width.
struct ClubField {
    QString RecordState::*field;
    const char16_t *caption;
    int width;
};

const ClubField Fields[12] = {
    {nullptr, u"", 0},
    {nullptr, u"Index", 0},
    {&RecordState::ClubFullName, u"Vereinsname - lang", 80},
    {&RecordState::ClubShortName, u"Kurzbezeichnung", 40},
    {&RecordState::ClubPlace, u"Ort", 80},
    {&RecordState::ClubFederationNo, u"ÖSVNr.", 4},
    {&RecordState::ClubContact, u"Ansprechpartner", 80},
    {&RecordState::ClubAddress, u"Adresse", 100},
    {&RecordState::ClubPhone, u"Telefon", 30},
    {&RecordState::ClubMobile, u"Handy", 20},
    {&RecordState::ClubHomepage, u"Homepage", 60},
    {&RecordState::ClubEmail, u"E-mail", 60},
};

} // namespace

Form2::Form2()
    : Form(2, QStringLiteral("Verein"))
{
    setClientSize(10200, 6600);
    Label *labels[12] = {nullptr, &Label1, &Label2, &Label4, &Label5, &Label6,
                         &Label7, &Label8, &Label9, &Label10, &Label11, &Label12};
    Label1.Move(240, 240, 1200, 300);
    Label1.setCaption(QStringLiteral("Index"));
    Text1.Move(240, 540, 1200, 360);
    Command2.Move(1560, 540, 480, 360);
    Command2.setCaption(QStringLiteral("-"));
    Command3.Move(2100, 540, 480, 360);
    Command3.setCaption(QStringLiteral("+"));
    for (int box = 2; box <= 11; ++box) {
        const int row = box - 2;
        const int top = 1020 + row * 510;
        labels[box]->Move(240, top + 15, 1800, 345);
        labels[box]->setCaption(QString::fromUtf16(Fields[box].caption));
        TextBox &t = FieldBox(box);
        t.Move(2100, top, 3600, 360);
        t.setMaxLength(Fields[box].width);
        t.onLostFocus = [this, box] { Field_LostFocus(box); };
    }
    Label3.Move(6000, 240, 3960, 300);
    Label3.setCaption(QStringLiteral("Liste aller Vereine"));
    List1.Move(6000, 540, 3960, 5280);
    List1.setFontName(QStringLiteral("Arial"));
    Command1.Move(8760, 6000, 1200, 420);
    Command1.setCaption(QStringLiteral("exit"));

    Text1.onChange = [this] { Text1_Change(); };
    Text1.onKeyDown = [this](int &keyCode, int shift) { Text1_KeyDown(keyCode, shift); };
    Text1.onLostFocus = [this] { Text1_LostFocus(); };
    List1.onClick = [this] { List1_Click(); };
    Command1.onClick = [this] { Command1_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
    Command3.onClick = [this] { Command3_Click(); };
    setTabOrder({&Text1, &Command2, &Command3, &Text2, &Text3, &Text4, &Text5, &Text6, &Text7,
                 &Text8, &Text9, &Text10, &Text11, &List1, &Command1});
}

TextBox &Form2::FieldBox(int box)
{
    TextBox *boxes[12] = {nullptr, &Text1, &Text2, &Text3, &Text4, &Text5, &Text6,
                          &Text7,  &Text8, &Text9, &Text10, &Text11};
    return *boxes[std::clamp(box, 1, 11)];
}

void ShowClubOnForm()
{
    Form2 &f = form<Form2>();
    f.ShownClubNo = Rec.CurrentClubNo;
    if (!f.TypingNumber)
        f.Text1.setText(num::plainNumberText(Rec.CurrentClubNo));
    // Shown trimmed; the record's padding makes a text written back
    // unchanged identical on disk.
    for (int box = 2; box <= 11; ++box) {
        TextBox &t = f.FieldBox(box);
        t.setText(trimBlanks(Rec.*Fields[box].field));
        t.setBackColor(Accepted);
    }
}

void FillClubList()
{
    Form2 &f = form<Form2>();
    const int kept = Rec.CurrentClubNo;
    f.List1.Clear();
    QStringList lines;
    for (int n = 1; n <= Rec.ClubCount; ++n) {
        Rec.CurrentClubNo = n;
        ReadClubRecord();
        const QString name = trimBlanks(Rec.ClubFullName);
        if (!name.isEmpty())
            lines << name + blanks(5) + num::plainNumberText(n);
    }
    f.List1.AddItems(lines);
    Rec.CurrentClubNo = kept;
}

void Form2::Form_Load()
{
    RestoreWindowPosition(*this);
    FillClubList();
}

void Form2::Form_Unload()
{
    StoreWindowPosition(*this);
    form<Form1>().Show();
}

void Form2::Text1_Change()
{
    // A number typed shows its club at once when there is one; the box
    // keeps what is typed. Nothing happens on an emptied box or a lone "-",
    // and a number out of range waits for Enter or the box to be left.
    if (!Text1.ChangeTyped())
        return;
    double value = 0;
    const bool number = num::typedNumber(Text1.Text(), &value);
    const int n = num::toInt32(value);
    NumberPending = !number || n < 1 || n > Rec.ClubCount;
    if (NumberPending || n == ShownClubNo)
        return;
    Rec.CurrentClubNo = n;
    ClearClubFields();
    ReadClubRecord();
    TypingNumber = true;
    ShowClubOnForm();
    TypingNumber = false;
}

void Form2::finishNumber(bool always)
{
    if (!always && !NumberPending)
        return;
    NumberPending = false;
    double value = 0;
    if (!num::typedNumber(Text1.Text(), &value)) {
        // No number: the box shows the club on the window again.
        if (ShownClubNo >= 1)
            Text1.setText(num::plainNumberText(ShownClubNo));
        return;
    }
    int n = num::toInt32(value);
    if (n > Rec.ClubCount)
        n = Rec.ClubCount;
    if (n < 1)
        n = 1;
    Rec.CurrentClubNo = n;
    ClearClubFields();
    ReadClubRecord();
    ShowClubOnForm();
    FillClubList();
}

void Form2::Text1_KeyDown(int &keyCode, int)
{
    if (keyCode == 13)
        finishNumber(true);
}

void Form2::Text1_LostFocus()
{
    finishNumber(false);
}

void Form2::List1_Click()
{
    const int n = num::toInt32(num::numericValue(rightChars(List1.Text(), 6)));
    if (n < 1 || n > Rec.ClubCount)
        return;
    Rec.CurrentClubNo = n;
    ClearClubFields();
    ReadClubRecord();
    ShowClubOnForm();
}

void Form2::Command1_Click()
{
    CloseClubFile();
    Unload();
}

void Form2::Command2_Click()
{
    ClearClubFields();
    const int n = ShownClubNo - 1;
    if (n < 1) {
        beep();
        return;
    }
    Rec.CurrentClubNo = n;
    ReadClubRecord();
    ShowClubOnForm();
    FillClubList();
}

void Form2::Command3_Click()
{
    ClearClubFields();
    const int n = ShownClubNo + 1;
    if (n > Rec.ClubCount) {
        // A new club only behind a last one that has a long name, shown and
        // stored: a refused text in the box is no name.
        if (ShownClubNo != Rec.ClubCount || trimBlanks(Text2.Text()).isEmpty())
            return;
        Rec.CurrentClubNo = ShownClubNo;
        ReadClubRecord();
        const bool named = !trimBlanks(Rec.ClubFullName).isEmpty();
        ClearClubFields();
        if (!named)
            return;
        Rec.CurrentClubNo = Rec.ClubCount + 1;
        Rec.ClubCount = Rec.CurrentClubNo;
        Rec.ClubSpare1 = 0;
        Rec.ClubSpare2 = 0;
        WriteClubRecord();
        ShowClubOnForm();
        return;
    }
    Rec.CurrentClubNo = n;
    ReadClubRecord();
    ShowClubOnForm();
    FillClubList();
}

void Form2::Field_LostFocus(int box)
{
    if (box < 2 || box > 11 || ShownClubNo < 1 || ShownClubNo > Rec.ClubCount)
        return;
    TextBox &t = FieldBox(box);
    const QString text = trimBlanks(t.Text());
    if (!cp1252::canEncode(text)) {
        t.setBackColor(Refused);
        beep();
        return;
    }
    t.setBackColor(Accepted);
    Rec.CurrentClubNo = ShownClubNo;
    ReadClubRecord();
    Rec.*Fields[box].field = text;
    WriteClubRecord();
    if (box == 2)
        FillClubList();
}
