#pragma once
// "Mannschaftsliste / Gruppenliste": the names of the teams and groups of the
// current race, edited by number. A name changes in memory with every
// keystroke; the race files are written when the window closes.
#include <QString>
#include <array>

#include "core/SharedState.h"
#include "platform/Controls.h"
#include "platform/Form.h"

class Form11 : public Form {
public:
    Form11();

    Label Label1{this, QStringLiteral("Label1")};   // the race name
    Label Label2{this, QStringLiteral("Label2")};
    ListBox List1{this, QStringLiteral("List1")};   // named teams
    Label Label3{this, QStringLiteral("Label3")};
    ListBox List2{this, QStringLiteral("List2")};   // named groups
    Label Label4{this, QStringLiteral("Label4")};
    TextBox Text1{this, QStringLiteral("Text1")};   // team number
    Label Label5{this, QStringLiteral("Label5")};
    TextBox Text2{this, QStringLiteral("Text2")};   // team name
    Label Label7{this, QStringLiteral("Label7")};
    TextBox Text4{this, QStringLiteral("Text4")};   // group number
    Label Label6{this, QStringLiteral("Label6")};
    TextBox Text3{this, QStringLiteral("Text3")};   // group name
    CommandButton Command4{this, QStringLiteral("Command4")};

    void Form_Load() override;
    void Form_Unload() override;
    void Text1_Change();
    void Text1_LostFocus();
    void Text2_Change();
    void Text2_LostFocus();
    void Text1_KeyDown(int &keyCode, int shift);
    void Text2_KeyDown(int &keyCode, int shift);
    void Text4_Change();
    void Text4_LostFocus();
    void Text3_Change();
    void Text3_LostFocus();
    void Text4_KeyDown(int &keyCode, int shift);
    void Text3_KeyDown(int &keyCode, int shift);
    void Command4_Click();

    // Per number box: the number whose name the name box shows and edits
    // (0: none yet), and whether something typed there is not acted on yet
    // (no number, or one out of 1..100), which Enter or leaving the box
    // settles.
    struct PickedNumber {
        int shown = 0;
        bool pending = false;
    };
    PickedNumber Team;
    PickedNumber Group;

private:
    using Names = std::array<QString, NameCount + 1>;
    // The number box was changed: a number set by code is clamped to 1..100,
    // one typed is taken only when it is one of them; that name is shown.
    static void numberChanged(TextBox &number, TextBox &name, const Names &names,
                              PickedNumber &picked);
    // The number box is left or Enter pressed there: clamped, or back to the
    // number shown when it holds none.
    static void finishNumber(TextBox &number, PickedNumber &picked);
    static void nameChanged(const TextBox &name, Names &names, int shown);
    // Enter in a name box: on to the next number, back in the number box.
    static void nameEnter(int &keyCode, TextBox &number, int shown);
};

// The list line of a named team or group: its number with the leading blank
// of the number-to-text conversion, one blank, the name.
QString NamedNumberLine(int number, const QString &name);
// The lines of every named number 1..100, in number order.
QStringList NamedNumberLines(const std::array<QString, NameCount + 1> &names);
