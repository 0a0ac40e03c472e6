#pragma once
// "Mannschafts-, Vereins- und Gruppen - Ergebnisse": scores the clubs, teams
// or groups of the race in memory from its provisional result, lists them by
// score and, for a clicked line, its members. Reads and writes no race file.
#include "platform/Controls.h"
#include "platform/Form.h"

class Form12 : public Form {
public:
    Form12();

    Label Label1{this, QStringLiteral("Label1")};   // the race name
    Label Label3{this, QStringLiteral("Label3")};   // the current printer
    CommandButton Command6{this, QStringLiteral("Command6")};

    Label Label10{this, QStringLiteral("Label10")};
    CheckBox Check1{this, QStringLiteral("Check1")};   // clubs
    CheckBox Check2{this, QStringLiteral("Check2")};   // teams
    CheckBox Check3{this, QStringLiteral("Check3")};   // groups
    ComboBox Combo3{this, QStringLiteral("Combo3"), ComboBox::Style::DropDownList};   // sex filter

    Label Label4{this, QStringLiteral("Label4")};
    OptionButton Option1{this, QStringLiteral("Option1")};   // best time
    OptionButton Option2{this, QStringLiteral("Option2")};   // average
    OptionButton Option3{this, QStringLiteral("Option3")};   // sum of the best N
    ComboBox Combo2{this, QStringLiteral("Combo2"), ComboBox::Style::DropDownList};   // N

    CommandButton Command2{this, QStringLiteral("Command2")};
    CommandButton Command3{this, QStringLiteral("Command3")};
    CommandButton Command1{this, QStringLiteral("Command1")};

    Label Label5{this, QStringLiteral("Label5")};
    ListBox List1{this, QStringLiteral("List1")};   // the race's clubs
    Label Label6{this, QStringLiteral("Label6")};
    ListBox List3{this, QStringLiteral("List3")};   // teams with entries
    Label Label7{this, QStringLiteral("Label7")};
    ListBox List4{this, QStringLiteral("List4")};   // named groups

    Label Label2{this, QStringLiteral("Label2")};
    ListBox List2{this, QStringLiteral("List2"), true};   // result lines
    Label Label8{this, QStringLiteral("Label8")};
    ListBox List5{this, QStringLiteral("List5"), true};   // member lines
    Label Label9{this, QStringLiteral("Label9")};
    ComboBox Combo1{this, QStringLiteral("Combo1"), ComboBox::Style::DropDownList};   // member order

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload() override;
    void Check1_Click();
    void Check2_Click();
    void Check3_Click();
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Combo2_Click();
    void Combo3_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command6_Click();
    void List2_Click();

private:
    // A category box clicked: ticked, it unticks the other two.
    void categoryClick(CheckBox &box);
};

// Opening of the window: the lists of clubs, teams and groups of the race,
// the club of every entry and a first ranking.
void InitTeamResultsWindow();
// Scores by the window's choice and fills the result list.
void EvaluateTeams();
// The members of the clicked result line into the member list.
void ShowTeamMembers();
