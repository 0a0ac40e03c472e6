#pragma once
// The printed club, team or group result: one grey band per club, team or
// group in the order of the request, each followed by its members in the
// order given; members whose times were summed are bold. Reads the scoring
// of the last ScoreTeams and the ranking's times.
#include <QString>
#include <QStringList>
#include <vector>

// One line of the team results window's result list and, in the order of its
// member list, the member lines that line lists.
struct TeamResultLine {
    QString line;
    QStringList memberLines;
};

// What the team results window hands over: its result lines in list order.
struct TeamResultRequest {
    std::vector<TeamResultLine> lines;
};

void PrintTeamResults(const TeamResultRequest &request);
