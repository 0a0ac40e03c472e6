#include "RankingRefresh.h"

RankingWindowEntries &RankingWindow()
{
    static RankingWindowEntries entries;
    return entries;
}

bool RankingWindowLoaded()
{
    return RankingWindow().loaded && RankingWindow().loaded();
}

void RefreshRankingWindow()
{
    if (RankingWindow().showRanking)
        RankingWindow().showRanking();
}
