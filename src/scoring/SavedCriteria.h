#pragma once
// The evaluation criteria of a race header, taken from the one read last and
// put back before every ranking: the scorings that rank several races rank
// each of them by the criteria of one.
#include <cstdint>

#include "core/SharedState.h"

struct SavedCriteria {
    std::uint8_t byClass = 0, bySex = 0, guestsApart = 0, boarders = 0, byTime = 0;

    void take()
    {
        byClass = Rec.EvalByClass;
        bySex = Rec.EvalBySex;
        guestsApart = Rec.EvalGuestsApart;
        boarders = Rec.EvalBoarders;
        byTime = Rec.EvalByTime;
    }
    void restore() const
    {
        Rec.EvalByClass = byClass;
        Rec.EvalBySex = bySex;
        Rec.EvalGuestsApart = guestsApart;
        Rec.EvalBoarders = boarders;
        Rec.EvalByTime = byTime;
    }
};
