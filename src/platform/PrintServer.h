#pragma once
// The print server (CUPS) as the installed printers need it: which queues
// there are, whether one takes jobs and where its printable area lies, and
// handing it a finished job. Every question goes over a connection of its
// own with a deadline, so a server that stops answering costs a few seconds,
// never a frozen window. The server is the one the user's CUPS settings name
// (CUPS_SERVER, client.conf, else the local one). Any thread may ask; each
// question runs wholly on the thread that asks it.
#include <QMarginsF>
#include <QString>
#include <QStringList>
#include <atomic>

namespace printserver {

// How long a question to the server may wait for its answer, and how long a
// job's upload may stall.
constexpr int AnswerTimeoutMs = 2000;
constexpr int JobTimeoutMs = 5000;

// A question given a `cancel` flag ends soon after another thread sets it,
// as if the server had not answered.
using CancelFlag = std::atomic<bool>;

struct Directory {
    bool answered = false;   // false: no server, or it did not answer in time
    QStringList names;       // the queues, in the server's order
    QString defaultName;     // the user's or the server's default; may be empty
};
Directory printers(const CancelFlag *cancel = nullptr);

struct Queue {
    bool answered = false;
    bool exists = false;
    bool acceptingJobs = false;
    // The unprintable margins of an A4 sheet on this queue, in mm (zero when
    // the queue does not say).
    QMarginsF marginsMm;
};
Queue queue(const QString &name);

// Hands the PDF file to the queue as one job named `title`. True when the
// server put the job into the queue; otherwise false with the reason in
// `why` (the queue is gone, refuses jobs, the server did not answer).
bool submit(const QString &name, const QString &pdfFile, const QString &title, QString *why);

// Tests: from now on every thread asks this server (a socket path, or
// host:port); an empty text goes back to the user's CUPS settings.
void setServer(const QString &address);
// Tests: how long a question waits for its answer from now on (0: the
// usual AnswerTimeoutMs).
void setAnswerTimeoutMs(int milliseconds);

} // namespace printserver
