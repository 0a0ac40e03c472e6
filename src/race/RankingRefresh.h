#pragma once
// The routines that rank while the ranking window may be open reach it
// through here, without including it: the window puts both entries in when
// it is built.
#include <functional>

struct RankingWindowEntries {
    std::function<bool()> loaded;        // asking does not load it
    std::function<void()> showRanking;   // a loaded window shows the last ranking
};

// Empty until a ranking window was built.
RankingWindowEntries &RankingWindow();

// Whether the ranking window is loaded.
bool RankingWindowLoaded();

// A loaded ranking window shows the lines of the ranking just made; none is
// loaded for it.
void RefreshRankingWindow();
