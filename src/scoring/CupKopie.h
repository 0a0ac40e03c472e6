#pragma once
// "Kopie für Cup-Wertung herstellen": asks for the number under which the
// race open in the race window is copied (RaceCopy.h), and whether its start
// numbers and times go along.
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
    // The question before a race that holds a name or entries is replaced:
    // "JA" copies, "nein !" keeps the race. Hidden until asked.
    CommandButton Command2{this, QStringLiteral("Command2")};
    CommandButton Command3{this, QStringLiteral("Command3")};

    void Form_Load() override;
    void Text2_Change();
    void Command16_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

    // Shows "JA" and "nein !" with the focus on "nein !", so that Enter
    // keeps the race; or hides them.
    void ShowQuestion(bool shown);
};

// "Kopie herstellen": the number of CupKopie.Text2 checked, then the current
// race (ActiveRaceNo) written as that race, and the window unloaded. A
// number outside 1..30000 writes nothing; the current race's own number is
// refused with a beep; a race under the number that holds a name or entries
// is replaced only after "JA" (CopyRaceConfirmed). The current race stays
// the current race.
void CopyRace();
// "JA": the copy onto the race the question was about.
void CopyRaceConfirmed();
