#pragma once
// "Ausdrucke": every printout of one race starts here. Loading the window
// ranks the race and lists its classified finishers for the certificates;
// the three certificate settings go back into the race header on closing.
// While it is shown with "Vereinswertung" ticked and a club chosen, the
// ranking and the result list cover only that club.
#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/TextOrder.h"

class Form8 : public Form {
public:
    Form8();

    Label Label1{this, QStringLiteral("Label1")};   // the race name
    Label Label3{this, QStringLiteral("Label3")};   // the current printer
    CommandButton Command6{this, QStringLiteral("Command6")};

    Label Label2{this, QStringLiteral("Label2")};   // "Bild auf Urkunde:"
    ComboBox Combo1{this, QStringLiteral("Combo1"), ComboBox::Style::DropDownList};
    Label Label4{this, QStringLiteral("Label4")};   // "Text für Bestzeit:"
    ComboBox Combo2{this, QStringLiteral("Combo2"), ComboBox::Style::DropDownList};
    Label Label5{this, QStringLiteral("Label5")};   // "Wertung der "Bestzeit" ab Klasse:"
    ComboBox Combo4{this, QStringLiteral("Combo4"), ComboBox::Style::DropDownList};

    CheckBox Check1{this, QStringLiteral("Check1")};   // "Vereinswertung"
    ComboBox Combo3{this, QStringLiteral("Combo3"), ComboBox::Style::DropDownList};   // the clubs, record order
    CheckBox Check2{this, QStringLiteral("Check2")};   // "alternativer Text auf Urkunde"
    TextBox Text1{this, QStringLiteral("Text1")};
    TextBox Text2{this, QStringLiteral("Text2")};
    TextBox Text3{this, QStringLiteral("Text3")};

    // The classified finishers in ranking order; the certificates are
    // printed for the marked lines. Each line ends with its slot number.
    ListBox List2{this, QStringLiteral("List2"), false, ListBox::MultiSelect::Extended};

    CommandButton Command2{this, QStringLiteral("Command2")};
    CommandButton Command3{this, QStringLiteral("Command3")};
    CommandButton Command4{this, QStringLiteral("Command4")};
    CommandButton Command5{this, QStringLiteral("Command5")};
    CommandButton Command7{this, QStringLiteral("Command7")};
    CommandButton Command8{this, QStringLiteral("Command8")};
    CommandButton Command9{this, QStringLiteral("Command9")};
    CommandButton Command10{this, QStringLiteral("Command10")};
    CommandButton Command1{this, QStringLiteral("Command1")};

    // The pictures of the list page heads: Image1 the strip, Image2 the
    // emblem, shown at the size of their boxes (the print routines take the
    // full pictures through ListPrint).
    Image Image1{this, QStringLiteral("Image1")};
    Image Image2{this, QStringLiteral("Image2")};

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload() override;
    void Combo1_LostFocus();
    void Combo2_LostFocus();
    void Combo4_LostFocus();
    void Check1_Click();
    // Passes the club choice (printWindowClubFilter) to the ranking.
    void passClubChoice();
    void passChosenClub();
    void Check2_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    void Command9_Click();
    void Command10_Click();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
};

// The club the ranking covers (Ranking.ClubFilter): its record number while
// the window is shown with "Vereinswertung" ticked and a club chosen, else 0.
int printWindowClubFilter();

// The List2 line of a finisher: rank right-aligned in 4, ". ", the name in
// 25, a blank, the class designation in 20, 12 blanks, the slot number
// (with its blank), which the certificates read back from the last 4.
QString FinisherLine(int rank, int slot, const QString &athleteName,
                     const QString &designation);
