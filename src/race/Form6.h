#pragma once
// "Startnummern und Klasseneinteilung": start numbers of the current race's
// entries (typed, drawn per start block, given for one class or group, or
// cleared) and the settings per participant that the entry list does not
// hold: the club that counts, team, group, guest, paid and boarder.
#include "platform/Controls.h"
#include "platform/Form.h"

class Form6 : public Form {
public:
    Form6();

    Label Label1{this, QStringLiteral("Label1")};
    ListBox List1{this, QStringLiteral("List1"), true};
    Label Label2{this, QStringLiteral("Label2")};
    Label Label6{this, QStringLiteral("Label6")};
    Label Label3{this, QStringLiteral("Label3")};
    TextBox Text1{this, QStringLiteral("Text1")};
    Label Label5{this, QStringLiteral("Label5")};
    Label Label16{this, QStringLiteral("Label16")};
    Label Label14{this, QStringLiteral("Label14")};
    Label Label13{this, QStringLiteral("Label13")};
    Label Label7{this, QStringLiteral("Label7")};
    Label Label8{this, QStringLiteral("Label8")};
    Label Label12{this, QStringLiteral("Label12")};
    ComboBox Combo1{this, QStringLiteral("Combo1"), ComboBox::Style::DropDownList};
    Label Label10{this, QStringLiteral("Label10")};
    ComboBox Combo3{this, QStringLiteral("Combo3"), ComboBox::Style::DropDownList};
    Label Label11{this, QStringLiteral("Label11")};
    ComboBox Combo4{this, QStringLiteral("Combo4"), ComboBox::Style::DropDownList};
    CheckBox Check1{this, QStringLiteral("Check1")};
    CheckBox Check2{this, QStringLiteral("Check2")};
    CheckBox Check3{this, QStringLiteral("Check3")};
    CommandButton Command5{this, QStringLiteral("Command5")};
    CommandButton Command2{this, QStringLiteral("Command2")};
    CommandButton Command3{this, QStringLiteral("Command3")};
    CommandButton Command4{this, QStringLiteral("Command4")};
    Label Label9{this, QStringLiteral("Label9")};
    TextBox Text2{this, QStringLiteral("Text2")};
    CommandButton Command9{this, QStringLiteral("Command9")};
    ComboBox Combo2{this, QStringLiteral("Combo2")};
    Label Label15{this, QStringLiteral("Label15")};
    TextBox Text3{this, QStringLiteral("Text3")};
    CommandButton Command11{this, QStringLiteral("Command11")};
    CommandButton Command10{this, QStringLiteral("Command10")};
    CommandButton Command6{this, QStringLiteral("Command6")};
    CommandButton Command7{this, QStringLiteral("Command7")};
    CommandButton Command8{this, QStringLiteral("Command8")};
    CommandButton Command1{this, QStringLiteral("Command1")};

    void Form_Load() override;
    void Form_Unload() override;
    void List1_Click();
    void Text1_LostFocus();
    void Combo1_LostFocus();
    void Combo3_LostFocus();
    void Combo4_LostFocus();
    void Check1_LostFocus();
    void Check2_LostFocus();
    void Check3_LostFocus();
    void Combo2_Click();
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
    void Command11_Click();

    // The slot of the participant shown (Label6); 0 while none is.
    int ShownSlot() const;

private:
    void showDrawControls(bool on);
    void showBlockNumberingControls(bool on);
    void showClearingControls(bool on);
    // FillStartNumberList, with the line of the participant shown marked.
    void refillList();
    // After numbers changed in bulk: the list, the number field of the
    // participant shown, and whether there is anything to clear.
    void afterNumbering();

    // Before a draw or a block numbering: the classes again when entries
    // may have changed their cells since they were assigned.
    void assignClassesWhenStale();

    bool reselecting_ = false;
    // A guest or boarder value changed since the classes were assigned.
    bool classesStale_ = false;
};

// Refills the participant list of Form6 from the entry table.
void FillStartNumberList();
