#pragma once
// "Verein": the club file, one record at a time. Every field is written as
// soon as it loses focus.
#include <array>

#include "platform/Controls.h"
#include "platform/Form.h"

class Form2 : public Form {
public:
    Form2();

    Label Label1{this, QStringLiteral("Label1")};
    TextBox Text1{this, QStringLiteral("Text1")};
    Label Label2{this, QStringLiteral("Label2")};
    TextBox Text2{this, QStringLiteral("Text2")};
    Label Label4{this, QStringLiteral("Label4")};
    TextBox Text3{this, QStringLiteral("Text3")};
    Label Label5{this, QStringLiteral("Label5")};
    TextBox Text4{this, QStringLiteral("Text4")};
    Label Label6{this, QStringLiteral("Label6")};
    TextBox Text5{this, QStringLiteral("Text5")};
    Label Label7{this, QStringLiteral("Label7")};
    TextBox Text6{this, QStringLiteral("Text6")};
    Label Label8{this, QStringLiteral("Label8")};
    TextBox Text7{this, QStringLiteral("Text7")};
    Label Label9{this, QStringLiteral("Label9")};
    TextBox Text8{this, QStringLiteral("Text8")};
    Label Label10{this, QStringLiteral("Label10")};
    TextBox Text9{this, QStringLiteral("Text9")};
    Label Label11{this, QStringLiteral("Label11")};
    TextBox Text10{this, QStringLiteral("Text10")};
    Label Label12{this, QStringLiteral("Label12")};
    TextBox Text11{this, QStringLiteral("Text11")};
    Label Label3{this, QStringLiteral("Label3")};
    ListBox List1{this, QStringLiteral("List1"), true};
    CommandButton Command2{this, QStringLiteral("Command2")};
    CommandButton Command3{this, QStringLiteral("Command3")};
    CommandButton Command1{this, QStringLiteral("Command1")};

    void Form_Load() override;
    void Form_Unload() override;
    void Text1_Change();
    void Text1_KeyDown(int &keyCode, int shift);
    void Text1_LostFocus();
    void List1_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    // LostFocus of Text2..Text11: box number 2..11.
    void Field_LostFocus(int box);

    // The record this window shows and edits ("-" and "+" step from it).
    int ShownClubNo = 0;
    // True while a number the user is typing shows its club: the box keeps
    // the text as typed.
    bool TypingNumber = false;
    // A number typed into Text1 that is not acted on yet (none, or out of
    // range): Enter or leaving the box settles it.
    bool NumberPending = false;

    TextBox &FieldBox(int box);   // Text2..Text11

private:
    // Enter, or the box left: the club of the number typed, clamped to the
    // clubs there are (always: Enter, also when nothing typed is pending).
    void finishNumber(bool always);
};

void ShowClubOnForm();
void FillClubList();
