#pragma once
// "Hilfszeitnehmung / Zeitdifferenz": a run time from a start and a finish
// clock reading, taken over as the run-1 time of the entry the time entry
// shows. Opened over the time entry, which closes it when it closes itself.
#include "platform/Controls.h"
#include "platform/Form.h"

class Form18 : public Form {
public:
    Form18();

    Label Label1{this, QStringLiteral("Label1")};
    Label Label2{this, QStringLiteral("Label2")};
    TextBox Text1{this, QStringLiteral("Text1")};
    Label Label3{this, QStringLiteral("Label3")};
    TextBox Text6{this, QStringLiteral("Text6")};
    Label Label4{this, QStringLiteral("Label4")};
    // Shown only: the difference last worked out, or empty.
    TextBox Text2{this, QStringLiteral("Text2")};
    CommandButton Command4{this, QStringLiteral("Command4")};

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload() override;
    void Text1_KeyDown(int &keyCode, int shift);
    void Text6_KeyDown(int &keyCode, int shift);
    void Text1_Change();
    void Text6_Change();
    void Command4_Click();

private:
    // Works out |finish - start| into Text2; false when either is no number.
    bool computeDifference();
    bool showingDifference_ = false;
};
