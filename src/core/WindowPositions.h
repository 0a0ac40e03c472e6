#pragma once
// Every window restores its position from its slot when it loads and stores
// it, rewriting TopLeft.dat, when it unloads.
class Form;

void RestoreWindowPosition(Form &window);
void StoreWindowPosition(Form &window);
