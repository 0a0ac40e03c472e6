#include "RankingRefresh.h"

std::function<void()> &RankingWindowRefresh()
{
    static std::function<void()> refresh;
    return refresh;
}

void RefreshRankingWindow()
{
    if (const std::function<void()> &refresh = RankingWindowRefresh())
        refresh();
}
