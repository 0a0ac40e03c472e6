#pragma once
// "Datenbank der Sportler": the athlete file, one record at a time. Every
// field is written as soon as it loses focus.
#include "platform/Controls.h"
#include "platform/Form.h"

class Form3 : public Form {
public:
    Form3();

    Label Label1{this, QStringLiteral("Label1")};
    TextBox Text1{this, QStringLiteral("Text1")};
    Label Label2{this, QStringLiteral("Label2")};
    TextBox Text2{this, QStringLiteral("Text2")};
    Label Label4{this, QStringLiteral("Label4")};
    TextBox Text3{this, QStringLiteral("Text3")};
    Frame Frame1{this, QStringLiteral("Frame1")};
    OptionButton Option1{Frame1, QStringLiteral("Option1")};
    OptionButton Option2{Frame1, QStringLiteral("Option2")};
    Label Label5{this, QStringLiteral("Label5")};
    TextBox Text4{this, QStringLiteral("Text4")};
    Label Label7{this, QStringLiteral("Label7")};
    TextBox Text5{this, QStringLiteral("Text5")};
    Label Label6{this, QStringLiteral("Label6")};
    ComboBox Combo1{this, QStringLiteral("Combo1"), ComboBox::Style::DropDownList};
    ComboBox Combo2{this, QStringLiteral("Combo2"), ComboBox::Style::DropDownList};
    ComboBox Combo3{this, QStringLiteral("Combo3"), ComboBox::Style::DropDownList};
    Label Label3{this, QStringLiteral("Label3")};
    ListBox List1{this, QStringLiteral("List1"), true};
    CommandButton Command2{this, QStringLiteral("Command2")};
    CommandButton Command3{this, QStringLiteral("Command3")};
    CommandButton Command4{this, QStringLiteral("Command4")};
    CommandButton Command1{this, QStringLiteral("Command1")};

    void Form_Load() override;
    void Form_Unload() override;
    void Text1_Change();
    void Text1_LostFocus();
    void Text1_KeyDown(int &keyCode, int shift);
    void List1_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Text2_LostFocus();
    void Text3_LostFocus();
    void Text4_LostFocus();
    void Text5_LostFocus();
    void Combo1_LostFocus();
    void Combo2_LostFocus();
    void Combo3_LostFocus();
    void Option1_Click();
    void Option2_Click();

    // The record this window shows and edits. Other windows move the shared
    // CurrentAthleteId while this one is open; every read and write here
    // starts from this number.
    int ShownAthleteId = 0;
    // True while ShowAthleteOnForm fills the controls: what it sets is no
    // edit of the user's.
    bool Showing = false;
    // True while a number the user is typing shows its record: the box
    // keeps the text as typed.
    bool TypingNumber = false;
    // A number typed into Text1 that is not acted on yet (none, or out of
    // range): Enter or leaving the box settles it.
    bool NumberPending = false;

private:
    // Reads the shown record (or starts a cleared one when it is not yet in
    // the file), lets change() set one field and writes the record. A new
    // record is written only once it has a name.
    template <class Change>
    void commit(Change change);
    bool shownIsNew() const;
    bool birthDateShownGiven() const;
    void goTo(int n);
    // The record number n goes to: clamped to the records there are, or the
    // new record one behind a named last one.
    int clampedNumber(int n) const;
    // The box is left, or Enter pressed: a number out of range is clamped,
    // a box without a number shows the record on the window again.
    void finishNumber();
    void fillClubChoices();
    // Text the data files can hold, else the box turns red and false.
    bool acceptable(TextBox &box);
};

void ShowAthleteOnForm();
void FillAthleteList();
