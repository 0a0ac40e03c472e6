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
    // The print server answers after the window has opened.
    watchPrinterNames(this, [this] {
        if (!takesEvents())
            return;
        HandlerScope scope(this);
        printersAnswered();
    });
}

void Form28::Form_Activate()
{
    // Afresh every time, from the printers as last known; the server is
    // asked meanwhile whether one has come or gone, and its answer updates
    // the list. Waiting for it here would hold the window while it does not
    // answer.
    Command2.setEnabled(false);
    List1.Clear();
    List1.AddItems(printerNames());
    refreshPrinterNames();
}

void Form28::printersAnswered()
{
    // The lines follow the printers the server named, in its order. The
    // line the user chose stays chosen as long as its printer is there.
    const QStringList names = printerNames();
    for (int i = 0; i < names.size(); ++i) {
        while (i < List1.ListCount() && List1.List(i) != names[i]
               && !names.mid(i).contains(List1.List(i)))
            List1.RemoveItem(i);   // gone
        if (i >= List1.ListCount() || List1.List(i) != names[i])
            List1.AddItem(names[i], i);   // new
    }
    while (List1.ListCount() > names.size())
        List1.RemoveItem(List1.ListCount() - 1);
    if (List1.ListIndex() < 0)
        Command2.setEnabled(false);
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
