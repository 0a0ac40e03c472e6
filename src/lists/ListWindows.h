#pragma once
// Fills in the race window's launchers for the print window and the printed
// lists.
void InstallListWindows();
