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
