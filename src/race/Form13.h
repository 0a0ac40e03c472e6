#pragma once
// "vorläufiges Ergebnis": the readable ranking that ComputeProvisionalResult
// leaves in the shared state. The time entry shows it on request; a window
// that ranks while it is open refreshes it (RefreshRankingWindow).
#include "platform/Controls.h"
#include "platform/Form.h"
#include "RankingRefresh.h"

class Form13 : public Form {
public:
    Form13();

    // Hidden. The sort lines of the last ranking (Ranking.SortLines), in
    // ranking order; the list does not sort.
    ListBox List1{this, QStringLiteral("List1")};
    // The ranking as the user reads it (Ranking.DisplayLines).
    ListBox List2{this, QStringLiteral("List2")};
    CommandButton Command1{this, QStringLiteral("Command1")};

    // Both lists show the lines the last ranking left.
    void ShowRanking();

    void Form_Load() override;
    void Form_Unload() override;
    void Command1_Click();

protected:
    // Shown from another window (the time entry), it opens beside that
    // window, not over it: when no position is stored for it, or when the
    // stored one lies on that window's corner.
    void showEvent(QShowEvent *event) override;
};
