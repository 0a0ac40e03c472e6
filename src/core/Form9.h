#pragma once
// "Veranstaltung löschen": blanks the current race and deletes its files.
#include "platform/Controls.h"
#include "platform/Form.h"

class Form9 : public Form {
public:
    Form9();

    Label Label1{this, QStringLiteral("Label1")};
    Label Label2{this, QStringLiteral("Label2")};
    CommandButton Command1{this, QStringLiteral("Command1")};
    CommandButton Command2{this, QStringLiteral("Command2")};
    CommandButton Command3{this, QStringLiteral("Command3")};

    void Form_Load() override;
    void Form_Unload() override;
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
};
