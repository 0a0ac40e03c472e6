#pragma once
// "Erinnerung": the athletes of the race without sex or birth date, shown
// whenever the race is saved with such gaps.
#include "platform/Controls.h"
#include "platform/Form.h"

class Form17 : public Form {
public:
    Form17();

    ListBox List1{this, QStringLiteral("List1")};
    Timer Timer1{this, QStringLiteral("Timer1")};

    void Form_Load() override;
    void Form_Unload() override;
    void Timer1_Timer();
};

// The reminder for the current race: Work.CheckOk 1 and the window unloaded
// when every entrant's athlete has sex and birth date, else Work.CheckOk 0
// and the window shown with the lines of those without.
void RemindOfMissingData();

// Runs the reminder, then writes the four files of the race
// (SaveRaceFilesWithoutReminder).
void SaveRaceFiles();
