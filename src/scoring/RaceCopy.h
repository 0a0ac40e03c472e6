#pragma once
// "Kopie für Cup-Wertung herstellen": the race open in the race window
// written again under another number, with its athletes, classes, clubs,
// groups, teams, guests and boarders, and, when asked, its start numbers and
// times; so the same field can be run again as the next race of a cup.
#include "platform/Controls.h"
#include "platform/Form.h"

class CupKopie : public Form {
public:
    CupKopie();

    Label Label1{this, QStringLiteral("Label1")};
    Label Label2{this, QStringLiteral("Label2")};
    TextBox Text2{this, QStringLiteral("Text2")};
    CheckBox Check1{this, QStringLiteral("Check1")};
    CommandButton Command16{this, QStringLiteral("Command16")};
    CommandButton Command1{this, QStringLiteral("Command1")};

    void Form_Load() override;
    void Command16_Click();
    void Command1_Click();
};

// "Kopie herstellen": writes the current race (ActiveRaceNo) as the race
// whose number CupKopie.Text2 holds, then unloads the window. A number
// outside 1..30000 writes nothing. The current race stays the current race.
void CopyRace();
