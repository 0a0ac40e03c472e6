#pragma once
// What a long routine asks of the window system without knowing a window:
// a chance to repaint, and the hourglass pointer.

// Lets the window system repaint during a long loop of a handler. Only
// pending paint and other non-input events are processed: no key, mouse or
// socket event and no timer tick, so no handler of the program runs inside
// the one that is looping. Input that arrives meanwhile waits its turn.
void letWindowSystemRedraw();
bool insideRedraw();

// The hourglass mouse pointer over every window of the program. Turning it
// on twice and off once leaves it off (it is a state, not a count).
void setHourglass(bool on);
bool hourglass();
