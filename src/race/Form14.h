#pragma once
// "Auswertungskriterien": how the current race is evaluated (classes or
// groups, the splits of a class, time or points, one or two runs) and the
// time handicaps of guests and men. The criteria act at once in memory; the
// race header is written when the window closes.
#include <QString>
#include <cstdint>

#include "platform/Controls.h"
#include "platform/Form.h"

class Form14 : public Form {
public:
    Form14();

    Label Label1{this, QStringLiteral("Label1")};
    Label Label4{this, QStringLiteral("Label4")};
    CheckBox Check1{this, QStringLiteral("Check1")};
    CheckBox Check2{this, QStringLiteral("Check2")};
    CheckBox Check3{this, QStringLiteral("Check3")};
    CheckBox Check4{this, QStringLiteral("Check4")};
    CheckBox Check8{this, QStringLiteral("Check8")};
    CheckBox Check5{this, QStringLiteral("Check5")};
    CheckBox Check6{this, QStringLiteral("Check6")};
    CheckBox Check7{this, QStringLiteral("Check7")};
    Label Label6{this, QStringLiteral("Label6")};
    Label Label2{this, QStringLiteral("Label2")};
    TextBox Text1{this, QStringLiteral("Text1")};
    Label Label3{this, QStringLiteral("Label3")};
    TextBox Text2{this, QStringLiteral("Text2")};
    CommandButton Command1{this, QStringLiteral("Command1")};

    void Form_Load() override;
    void Form_Unload() override;
    void Check1_Click();
    void Check2_Click();
    void Check3_Click();
    void Check4_Click();
    void Check5_Click();
    void Check6_Click();
    void Check7_Click();
    void Check8_Click();
    void Text1_LostFocus();
    void Text2_LostFocus();
    void Command1_Click();

private:
    // One box of an exclusive pair was clicked: its partner takes the other
    // state, and the byte the value of whichever box is now ticked.
    void pairClick(CheckBox &box, CheckBox &partner, std::uint8_t &criterion,
                   std::uint8_t valueWhenBoxTicked);
    // A handicap box left: the typed value, or the stored one when the text
    // is still the one shown (the shown text may round the stored value).
    void commitHandicap(TextBox &box, QString &shown, double &handicap);

    QString shownText1_;
    QString shownText2_;
};
