#pragma once
// The printed club, team or group result of the team results window: one
// grey band per club, team or group in the order of its result list, each
// followed by its members in the order chosen for the member list; members
// whose times were summed are bold.
void PrintTeamResults();
