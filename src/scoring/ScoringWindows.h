#pragma once
// Fills in the race window's launchers for club, team and group scoring, the
// cup, the combination race and the race copy.
void InstallScoringWindows();
