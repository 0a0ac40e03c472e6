#pragma once
// "vorläufiges Ergebnis": the readable ranking that ComputeProvisionalResult
// writes. The rankings load it hidden; the time entry shows it on request.
#include "platform/Controls.h"
#include "platform/Form.h"

class Form13 : public Form {
public:
    Form13();

    // Hidden. The sort line of every ranked entry in ranking order (group,
    // value, name, slot); the order itself is worked out on numbers, so the
    // list does not sort.
    ListBox List1{this, QStringLiteral("List1")};
    // The ranking as the user reads it: per ranking group an empty line, the
    // header line and one line per entry.
    ListBox List2{this, QStringLiteral("List2")};
    CommandButton Command1{this, QStringLiteral("Command1")};

    void Form_Load() override;
    void Form_Unload() override;
    void Command1_Click();

protected:
    // Shown from another window (the time entry), it opens beside that
    // window, not over it: when no position is stored for it, or when the
    // stored one lies on that window's corner.
    void showEvent(QShowEvent *event) override;
};
