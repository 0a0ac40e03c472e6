#pragma once
// "Veranstaltungen / Rennen": the list of races, the current race and the
// launchers of every race function.
#include <array>
#include <cstdint>

#include "platform/Controls.h"
#include "platform/Form.h"

class Form4 : public Form {
public:
    Form4();

    Label Label1{this, QStringLiteral("Label1")};
    TextBox Text1{this, QStringLiteral("Text1")};
    CommandButton Command2{this, QStringLiteral("Command2")};
    CommandButton Command3{this, QStringLiteral("Command3")};
    Label Label2{this, QStringLiteral("Label2")};
    TextBox Text2{this, QStringLiteral("Text2")};
    CommandButton Command7{this, QStringLiteral("Command7")};
    Label Label3{this, QStringLiteral("Label3")};
    ListBox List1{this, QStringLiteral("List1")};
    CommandButton Command1{this, QStringLiteral("Command1")};
    CommandButton Command4{this, QStringLiteral("Command4")};
    CommandButton Command5{this, QStringLiteral("Command5")};
    CommandButton Command6{this, QStringLiteral("Command6")};
    CommandButton Command8{this, QStringLiteral("Command8")};
    CommandButton Command9{this, QStringLiteral("Command9")};
    CommandButton Command10{this, QStringLiteral("Command10")};
    CommandButton Command11{this, QStringLiteral("Command11")};
    CommandButton Command12{this, QStringLiteral("Command12")};
    CommandButton Command13{this, QStringLiteral("Command13")};
    CommandButton Command14{this, QStringLiteral("Command14")};
    CommandButton Command15{this, QStringLiteral("Command15")};
    CommandButton Command16{this, QStringLiteral("Command16")};
    CommandButton Command17{this, QStringLiteral("Command17")};
    CommandButton Command18{this, QStringLiteral("Command18")};
    Image Image1{this, QStringLiteral("Image1")};

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload() override;
    void Text1_Change();
    void Text1_LostFocus();
    void Text1_KeyDown(int &keyCode, int shift);
    void Text2_Click();
    void List1_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command7_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command8_Click();
    void Command9_Click();
    void Command10_Click();
    void Command11_Click();
    void Command12_Click();
    void Command13_Click();
    void Command14_Click();
    void Command15_Click();
    void Command16_Click();
    void Command17_Click();
    void Command18_Click();

    // The launchers that need a named race, which a click into the name box
    // disables until "eintragen".
    std::array<CommandButton *, 11> NamedRaceLaunchers();
    // The launcher test: a name in the box, and a race that exists and
    // whose stored name is not empty.
    bool NamedRaceSelected() const;

    // A number typed into Text1 that is not acted on yet (none, or out of
    // range): Enter or leaving the box settles it.
    bool NumberPending = false;

private:
    bool RestoringNumber = false;
    // Makes race n the current one: its header, its files, its name.
    void selectRace(std::int32_t n);
    // Enter, or the box left: a number out of range typed is clamped, a box
    // without a number shows the race selected again.
    void finishNumber();
};

// Rebuilds the race list of Form4 and reloads the current race.
void FillRaceList();
