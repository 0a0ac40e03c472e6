#pragma once
// The printers to choose from, as the print server last named them. The
// server is asked in the background, on a thread of its own with the
// question's time limit, so that no window waits on it: a window shows what
// is known at once and updates itself when the answer comes. A server that
// does not answer leaves what is known as it was.
//
//     List1.AddItems(printerNames());     // what is known now
//     watchPrinterNames(this, [this] { ...printerNames()... });
//     refreshPrinterNames();              // returns at once
//
// All of these are called on the main thread; the watchers run there too.
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

// What the print server said at its last answer in this run.
struct KnownPrinters {
    bool answered = false;   // it has answered at least once
    QStringList names;       // the queues, in the server's order
    QString defaultName;     // the default queue, one of names; may be empty
    bool operator==(const KnownPrinters &) const = default;
};
const KnownPrinters &knownPrinters();

// The printers to choose from: the installed ones as last known, then the
// PDF printer (always there). Never asks the server.
QStringList printerNames();

// Asks the print server for its printers in the background and returns at
// once. When a question is already under way, it is asked once more after
// that one ends, so the answer is never older than the call.
void refreshPrinterNames();
// A question is under way.
bool printerNamesPending();
// A question has ended in this run, answered or not.
bool printerNamesAsked();
// Waits until no question is under way (their time limits bound the wait)
// and takes the answers: for a print job that must know where it goes.
void awaitPrinterNames();
// From now on `changed` runs on the main thread each time an answer
// changes what is known, as long as `context` lives.
void watchPrinterNames(QObject *context, std::function<void()> changed);
// Tests (through resetPrinter()): forgets what is known and drops the
// question under way; the watchers stay.
void forgetPrinterNames();
