#pragma once
// "Zeitnehmung": the run times, run statuses and points of the current
// race's entries, typed by hand. Picking a line of the entry list shows the
// entry and puts the cursor into its time box; Enter there goes back to the
// list, so a whole field is keyed in without the mouse. Every value lands in
// the entry table when its box is left and in the race files right after, so
// that a crash loses no typed time; closing saves the race with the reminder.
#include "platform/Controls.h"
#include "platform/Form.h"

// Refills Form7.List1 and Form7.List2 in the order of Form7's option
// buttons (ComputeTimingLists), and a ranking window that is open.
void FillTimingLists();

class Form7 : public Form {
public:
    Form7();

    Label Label1{this, QStringLiteral("Label1")};
    OptionButton Option1{this, QStringLiteral("Option1")};
    OptionButton Option2{this, QStringLiteral("Option2")};
    OptionButton Option3{this, QStringLiteral("Option3")};
    OptionButton Option4{this, QStringLiteral("Option4")};
    OptionButton Option5{this, QStringLiteral("Option5")};
    CheckBox Check1{this, QStringLiteral("Check1")};
    // Hidden: the key lines of FillTimingLists in list order.
    ListBox List1{this, QStringLiteral("List1")};
    ListBox List2{this, QStringLiteral("List2")};

    Label Label2{this, QStringLiteral("Label2")};
    Label Label11{this, QStringLiteral("Label11")};
    Label Label3{this, QStringLiteral("Label3")};
    Label Label5{this, QStringLiteral("Label5")};
    Label Label13{this, QStringLiteral("Label13")};
    Label Label14{this, QStringLiteral("Label14")};
    Label Label15{this, QStringLiteral("Label15")};
    Label Label16{this, QStringLiteral("Label16")};
    Label Label17{this, QStringLiteral("Label17")};
    Label Label18{this, QStringLiteral("Label18")};
    Label Label20{this, QStringLiteral("Label20")};
    Label Label19{this, QStringLiteral("Label19")};
    Label Label21{this, QStringLiteral("Label21")};
    Label Label22{this, QStringLiteral("Label22")};
    Label Label24{this, QStringLiteral("Label24")};
    Label Label23{this, QStringLiteral("Label23")};

    // Run 1: seconds, its conversion buttons, hours/minutes/seconds, status.
    Label Label6{this, QStringLiteral("Label6")};
    Label Label7{this, QStringLiteral("Label7")};
    Label Label8{this, QStringLiteral("Label8")};
    Label Label9{this, QStringLiteral("Label9")};
    Label Label12{this, QStringLiteral("Label12")};
    TextBox Text1{this, QStringLiteral("Text1")};
    CommandButton Command4{this, QStringLiteral("Command4")};
    TextBox Text2{this, QStringLiteral("Text2")};
    TextBox Text3{this, QStringLiteral("Text3")};
    TextBox Text4{this, QStringLiteral("Text4")};
    CommandButton Command2{this, QStringLiteral("Command2")};
    ComboBox Combo2{this, QStringLiteral("Combo2"), ComboBox::Style::DropDownList};
    // Run 2, the same in the row below; shown only in a race with two runs.
    Label Label4{this, QStringLiteral("Label4")};
    TextBox Text6{this, QStringLiteral("Text6")};
    CommandButton Command1{this, QStringLiteral("Command1")};
    TextBox Text7{this, QStringLiteral("Text7")};
    TextBox Text8{this, QStringLiteral("Text8")};
    TextBox Text9{this, QStringLiteral("Text9")};
    CommandButton Command6{this, QStringLiteral("Command6")};
    ComboBox Combo1{this, QStringLiteral("Combo1"), ComboBox::Style::DropDownList};

    Label Label10{this, QStringLiteral("Label10")};
    TextBox Text5{this, QStringLiteral("Text5")};
    CommandButton Command5{this, QStringLiteral("Command5")};
    CommandButton Command7{this, QStringLiteral("Command7")};
    CommandButton Command3{this, QStringLiteral("Command3")};

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload() override;
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Option4_Click();
    void Option5_Click();
    void Check1_Click();
    void List2_Click();
    void List2_MouseUp(int button, int shift, double x, double y);
    void List2_KeyDown(int &keyCode, int shift);
    void Text1_KeyDown(int &keyCode, int shift);
    void Text6_KeyDown(int &keyCode, int shift);
    void Text1_LostFocus();
    void Text6_LostFocus();
    void Text4_LostFocus();
    void Text9_LostFocus();
    void Text5_LostFocus();
    void Combo2_LostFocus();
    void Combo1_LostFocus();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();

    // The slot of the entry shown (Label11); 0 while none is.
    int ShownSlot() const;
    // After a value was committed into the entry table: writes the race
    // files (without the reminder) when anything changed since the last save
    // that succeeded. Backup timing calls it after its take-over.
    void saveCommitted(bool changed);

private:
    void setEntryControlsEnabled(bool on);
    void showRun(TextBox &seconds, TextBox &hours, TextBox &minutes, TextBox &secs,
                 ComboBox &status, double time, int stored);
    void showClub(int slot);
    void showTeamAndGroup(int slot);
    // Into the time box of the order shown, emptied when it shows 0.
    void focusTimeBox();
    // The committed boxes show the stored value again after refusing a text,
    // since the stored value is what ranks and prints.
    void commitSeconds(TextBox &box, double &time);
    void secondsToHms(double time, TextBox &hours, TextBox &minutes, TextBox &seconds);
    void hmsToSeconds(TextBox &hours, TextBox &minutes, TextBox &seconds, TextBox &target,
                      double &time);
    void commitPoints();
    void commitStatus(const ComboBox &status, int &stored);

    bool focusedOnce_ = false;
    // A committed value is not yet in the race files (changed, or its save
    // failed and is tried again at the next commit).
    bool unsaved_ = false;
};

// The digits after the decimal comma (or point) of a typed time; 15 for a
// text with an exponent. Sums and differences of typed times are rounded to
// them, so that they come out as the decimals typed.
int TypedDecimals(const QString &text);
