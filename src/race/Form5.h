#pragma once
// "Teilnehmerliste des aktuellen Rennens": who starts in the current race.
// The athlete overview on the left, the race's entries on the right; entries
// go straight into the slot tables and reach the disk when the window closes.
#include "platform/Controls.h"
#include "platform/Form.h"

class Form5 : public Form {
public:
    Form5();

    Label Label1{this, QStringLiteral("Label1")};
    Label Label2{this, QStringLiteral("Label2")};
    ListBox List1{this, QStringLiteral("List1"), true};
    Label Label9{this, QStringLiteral("Label9")};
    TextBox Text1{this, QStringLiteral("Text1")};
    CommandButton Command4{this, QStringLiteral("Command4")};
    CommandButton Command5{this, QStringLiteral("Command5")};

    // The athlete last clicked in the overview: name, record number, birth
    // date, club text, number of valid clubs, last valid club field.
    Label Label4{this, QStringLiteral("Label4")};
    Label Label6{this, QStringLiteral("Label6")};
    Label Label8{this, QStringLiteral("Label8")};
    Label Label10{this, QStringLiteral("Label10")};
    Label Label11{this, QStringLiteral("Label11")};
    Label Label12{this, QStringLiteral("Label12")};
    CommandButton Command2{this, QStringLiteral("Command2")};

    Label Label3{this, QStringLiteral("Label3")};
    ListBox List2{this, QStringLiteral("List2"), true};
    Label Label13{this, QStringLiteral("Label13")};
    TextBox Text2{this, QStringLiteral("Text2")};
    CommandButton Command6{this, QStringLiteral("Command6")};
    Label Label14{this, QStringLiteral("Label14")};
    ComboBox Combo1{this, QStringLiteral("Combo1"), ComboBox::Style::DropDownList};
    // The entry last clicked: athlete name and slot number.
    Label Label5{this, QStringLiteral("Label5")};
    Label Label7{this, QStringLiteral("Label7")};
    CommandButton Command3{this, QStringLiteral("Command3")};
    CommandButton Command1{this, QStringLiteral("Command1")};

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload() override;
    void Text1_KeyDown(int &keyCode, int shift);
    void Text1_LostFocus();
    void Text2_KeyDown(int &keyCode, int shift);
    void Combo1_Click();
    void List1_Click();
    void List1_DblClick();
    void List2_Click();
    void List2_DblClick();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();

private:
    // Lists every named athlete whose name begins with filter (upper-case).
    void fillOverview(const QString &filter);
    // The handler count when Form_Load had built the entry list: an Activate
    // that follows with no handler in between would build the same list.
    std::uint64_t entryListBuiltAt_ = 0;
};

// Rebuilds Form5.List2 from the slot tables, the entry-list filter and the
// chosen order.
void FillEntryList();
