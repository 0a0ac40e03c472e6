#pragma once
// "Cupwertung": which races make up the cup, the points per place, the drop
// results and the cup's title; evaluates and prints the cup. The settings
// live in Cup.dat; closing the window brings back the race that was current
// when it opened.
#include <QString>
#include <cstdint>
#include <vector>

#include "platform/Controls.h"
#include "platform/Form.h"

class Form20 : public Form {
public:
    Form20();

    Label Label7{this, QStringLiteral("Label7")};
    TextBox Text4{this, QStringLiteral("Text4")};
    Label Label1{this, QStringLiteral("Label1")};
    // The race list of the race window; the marked races form the cup.
    ListBox List1{this, QStringLiteral("List1"), false, ListBox::MultiSelect::Simple};
    Label Label4{this, QStringLiteral("Label4")};
    TextBox Text1{this, QStringLiteral("Text1")};
    Label Label5{this, QStringLiteral("Label5")};
    TextBox Text2{this, QStringLiteral("Text2")};
    ListBox List2{this, QStringLiteral("List2")};
    Label Label6{this, QStringLiteral("Label6")};
    TextBox Text3{this, QStringLiteral("Text3")};
    CheckBox Check1{this, QStringLiteral("Check1")};
    CommandButton Command1{this, QStringLiteral("Command1")};
    CommandButton Command2{this, QStringLiteral("Command2")};
    CommandButton Command3{this, QStringLiteral("Command3")};
    Label Label2{this, QStringLiteral("Label2")};
    ListBox List3{this, QStringLiteral("List3"), true};
    Label Label8{this, QStringLiteral("Label8")};
    // Hidden: the ranking keys of the participants, in the order of the
    // printout; the row number stands in the last 5 characters.
    ListBox List4{this, QStringLiteral("List4"), true};
    Label Label3{this, QStringLiteral("Label3")};
    ListBox List5{this, QStringLiteral("List5")};

    void Form_Load() override;
    void Form_Unload() override;
    void List1_Click();
    void Text1_Change();
    void Text1_KeyDown(int &keyCode, int shift);
    void Text2_Change();
    void Text2_KeyDown(int &keyCode, int shift);
    void Text2_LostFocus();
    void Text3_Change();
    void Text3_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

    // The race numbers of the marked lines of List1, in list order.
    std::vector<std::int32_t> MarkedRaces() const;
    // The place in Text1, 1..100.
    int EditedPlace() const;
    // Refills List2 with the places whose points pass the test.
    void FillPointsList(bool onlyAboveZero);
};

// The race number a line of the race list begins with (before its four
// blanks); 0 for a line without one.
std::int32_t RaceNoOfListLine(const QString &line);

// A line of the points list: "Platz 1:  20 P.".
QString PointsLine(int place);

// Prints the standings of the last evaluation as the window orders them
// (its hidden key list), under its cup name and with its page choice, and
// switches its print button off: a second printout needs a new evaluation.
void PrintCupList();
