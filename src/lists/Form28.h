#pragma once
// "Drucker - Einstellung": picks, from the printers of the machine, the one
// every later print job of this run goes to. The choice is not stored. It
// opens with the printers as last known and never waits on the print server.
#include "platform/Controls.h"
#include "platform/Form.h"

class Form28 : public Form {
public:
    Form28();

    ListBox List1{this, QStringLiteral("List1")};
    CommandButton Command2{this, QStringLiteral("Command2")};
    CommandButton Command1{this, QStringLiteral("Command1")};

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload() override;
    void List1_Click();
    void Command2_Click();
    void Command1_Click();
    // The print server's answer came after the window had opened.
    void printersAnswered();
};
