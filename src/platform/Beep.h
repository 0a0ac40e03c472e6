#pragma once
// Every beep of the program goes through here, so that tests can observe it
// (QApplication::beep() does nothing on many machines).

void beep();
int beepCount();
void resetBeepCount();
