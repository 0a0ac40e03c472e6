#include "Form28.h"

#include <QScreen>

#include "core/WindowPositions.h"
#include "platform/Printer.h"

Form28::Form28()
    : Form(28, QStringLiteral("Drucker - Einstellung"))
{
    setClientSize(5640, 3240);
    List1.Move(120, 120, 5400, 2400);
    List1.setFontName(QStringLiteral("Arial"));
    Command2.Move(120, 2640, 3480, 420);
    Command2.setCaption(QStringLiteral("als Standarddrucker auswählen"));
    Command1.Move(4200, 2640, 1320, 420);
    Command1.setCaption(QStringLiteral("fertig"));

    List1.onClick = [this] { List1_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
    Command1.onClick = [this] { Command1_Click(); };
}

void Form28::Form_Load()
{
    RestoreWindowPosition(*this);
}

void Form28::Form_Activate()
{
    // Afresh every time: a printer may have come or gone meanwhile.
    Command2.setEnabled(false);
    List1.Clear();
    List1.AddItems(printerNames());
}

void Form28::Form_Unload()
{
    // A window pushed off the top or below the bottom of the screen keeps
    // the position stored before.
    const QScreen *s = screen();
    const int screenBottom = s ? twipsFromPixels(s->geometry().bottom() + 1) : 0;
    if (Top() > 0 && Top() < screenBottom)
        StoreWindowPosition(*this);
}

void Form28::List1_Click()
{
    Command2.setEnabled(true);
}

void Form28::Command2_Click()
{
    // The line names the printer: should the machine's printers have changed
    // since the list was filled, a name no longer there changes nothing.
    const int index = List1.ListIndex();
    if (index >= 0 && index < List1.ListCount())
        selectPrinter(List1.List(index));
    Command2.setEnabled(false);
    Unload();
}

void Form28::Command1_Click()
{
    Unload();
}
