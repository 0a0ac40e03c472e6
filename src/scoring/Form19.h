#pragma once
// "Zeitsumme aus mehreren Rennen": the user marks two or more races of the
// race list; their first-run times, summed per athlete, become a new race.
#include <cstdint>
#include <vector>

#include "platform/Controls.h"
#include "platform/Form.h"

class Form19 : public Form {
public:
    Form19();

    Label Label1{this, QStringLiteral("Label1")};
    // A copy of the race window's race list; several lines can be marked.
    ListBox List1{this, QStringLiteral("List1"), false, ListBox::MultiSelect::Simple};
    Label Label3{this, QStringLiteral("Label3")};
    // The number the new race will get.
    Label Label2{this, QStringLiteral("Label2")};
    CommandButton Command2{this, QStringLiteral("Command2")};
    CommandButton Command1{this, QStringLiteral("Command1")};

    void Form_Load() override;
    void Form_Unload() override;
    void List1_Click();
    void Command1_Click();
    void Command2_Click();

    // The race numbers of the marked lines, top of the list first.
    std::vector<std::int32_t> MarkedRaces() const;
};

// The click handler of "neues Rennen aus Zeitsummen generieren": builds the
// new race from the marked races, then closes this window and the race
// window.
void BuildCombinationRace();
