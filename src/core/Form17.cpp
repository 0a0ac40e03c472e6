#include "Form17.h"

#include "WindowPositions.h"

Form17::Form17()
    : Form(17, QStringLiteral("Erinnerung"))
{
    setClientSize(6000, 3000);
    List1.Move(120, 120, 5760, 2760);
    List1.setFontName(QStringLiteral("Arial"));
    List1.setFontSize(10);
    Timer1.setInterval(15000);
    Timer1.setEnabled(true);
    Timer1.onTimer = [this] { Timer1_Timer(); };
    // The windows that save a race show the race window right after the
    // reminder: it must not open behind it.
    setKeptInFront(true);
}

void Form17::Form_Load()
{
    RestoreWindowPosition(*this);
}

void Form17::Form_Unload()
{
    StoreWindowPosition(*this);
}

void Form17::Timer1_Timer()
{
    // Back in front of the other windows, without taking the focus from the
    // window the user is typing in.
    if (Visible())
        ZOrder();
    else
        Show();
}
