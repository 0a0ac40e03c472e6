#pragma once
// The routines that rank while the ranking window may be open refresh it
// through here, without reaching the window: the window puts its refresh in
// when it is built.
#include <functional>

// What RefreshRankingWindow runs; empty until a ranking window was built.
std::function<void()> &RankingWindowRefresh();

// A loaded ranking window shows the lines of the ranking just made; none is
// loaded for it.
void RefreshRankingWindow();
