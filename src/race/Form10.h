#pragma once
// "Klassen-Bildungs-Regeln": names and birth-year ranges of the race's age
// classes. The table in memory changes with every edit; the race files are
// written when the window closes.
#include "platform/Controls.h"
#include "platform/Form.h"

class Form10 : public Form {
public:
    Form10();

    Label Label3{this, QStringLiteral("Label3")};
    ListBox List1{this, QStringLiteral("List1")};
    Label Label8{this, QStringLiteral("Label8")};
    TextBox Text5{this, QStringLiteral("Text5")};
    Label Label9{this, QStringLiteral("Label9")};
    TextBox Text6{this, QStringLiteral("Text6")};
    Label Label1{this, QStringLiteral("Label1")};
    TextBox Text1{this, QStringLiteral("Text1")};
    Label Label2{this, QStringLiteral("Label2")};
    TextBox Text2{this, QStringLiteral("Text2")};
    CommandButton Command7{this, QStringLiteral("Command7")};
    CommandButton Command5{this, QStringLiteral("Command5")};
    CommandButton Command2{this, QStringLiteral("Command2")};
    CommandButton Command3{this, QStringLiteral("Command3")};
    CommandButton Command4{this, QStringLiteral("Command4")};
    CommandButton Command1{this, QStringLiteral("Command1")};

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload() override;
    void List1_Click();
    void Text5_Change();
    void Text5_LostFocus();
    void Text6_Change();
    void Text6_LostFocus();
    void Text1_LostFocus();
    void Text2_LostFocus();
    void Command7_Click();
    void Command5_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command1_Click();

private:
    // The class whose number Text5 holds, 0 when it names none.
    int classInField() const;
    // Shows class k in the name and year fields; showing is no edit.
    void showClass(int k);
    // A birth year typed into box, held to 1900..current year and shown so.
    int yearTyped(TextBox &box);
    void storeYear(TextBox &box, int which);

    bool showing_ = false;
};
