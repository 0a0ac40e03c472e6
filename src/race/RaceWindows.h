#pragma once
// Fills in the race window's launchers for the windows of race preparation,
// time entry and ranking.
void InstallRaceWindows();
