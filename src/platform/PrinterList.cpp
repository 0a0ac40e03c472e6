#include "PrinterList.h"

#include <QCoreApplication>
#include <QPointer>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/PrintServer.h"
#include "platform/Printer.h"

namespace {

// One question to the server, on its own thread. The thread only asks and
// leaves the answer here; the main thread takes it.
struct Question {
    int id = 0;
    printserver::CancelFlag cancel{false};
    std::thread thread;
    std::mutex mutex;
    printserver::Directory answer;   // under mutex, once the thread is done

    void finish()
    {
        if (thread.joinable())
            thread.join();
    }
};

struct Watcher {
    QPointer<QObject> context;
    std::function<void()> changed;
};

struct State {
    KnownPrinters known;
    bool asked = false;
    bool again = false;
    int lastId = 0;
    std::unique_ptr<Question> question;   // the one under way
    std::vector<Watcher> watchers;
    // Lives on the main thread: a finished question's thread posts its
    // "done" to it.
    QObject *receiver = nullptr;

    ~State() { drop(); }

    void drop()
    {
        if (!question)
            return;
        question->cancel = true;
        question->finish();
        question.reset();
    }
};

State &state()
{
    static State s;
    return s;
}

void notifyWatchers()
{
    State &s = state();
    std::erase_if(s.watchers, [](const Watcher &w) { return w.context.isNull(); });
    // A watcher may add watchers or end another's context.
    const std::vector<Watcher> now = s.watchers;
    for (const Watcher &w : now) {
        if (!w.context.isNull() && w.changed)
            w.changed();
    }
}

// What is known after an answer; no answer leaves it as it was.
bool learn(const printserver::Directory &answer)
{
    State &s = state();
    s.asked = true;
    if (!answer.answered)
        return false;
    const KnownPrinters before = s.known;
    s.known.answered = true;
    s.known.names = answer.names;
    s.known.defaultName =
        answer.names.contains(answer.defaultName) ? answer.defaultName : QString();
    return !(s.known == before);
}

void startQuestion();

// Takes the answer of the question under way, whose thread has ended or is
// about to; `id` names the question the thread asked.
void takeAnswer(int id)
{
    State &s = state();
    if (!s.question || s.question->id != id)
        return;   // dropped, or already taken by awaitPrinterNames()
    s.question->finish();
    printserver::Directory answer;
    {
        std::lock_guard lock(s.question->mutex);
        answer = std::move(s.question->answer);
    }
    s.question.reset();
    const bool changed = learn(answer);
    if (s.again) {
        s.again = false;
        startQuestion();
    }
    if (changed)
        notifyWatchers();
}

void shutDown()
{
    // The application goes: a question under way is called off, before
    // the receiver of its answer is gone.
    State &s = state();
    s.again = false;
    s.drop();
    delete s.receiver;
    s.receiver = nullptr;
}

void startQuestion()
{
    State &s = state();
    if (!QCoreApplication::instance()) {
        // No event loop to bring an answer back: asked here and now.
        if (learn(printserver::printers()))
            notifyWatchers();
        return;
    }
    if (!s.receiver) {
        s.receiver = new QObject;
        qAddPostRoutine(shutDown);
    }
    auto question = std::make_unique<Question>();
    Question *q = question.get();
    q->id = ++s.lastId;
    QObject *receiver = s.receiver;
    // The question object outlives its thread: it is joined before it goes.
    q->thread = std::thread([q, receiver] {
        printserver::Directory answer = printserver::printers(&q->cancel);
        {
            std::lock_guard lock(q->mutex);
            q->answer = std::move(answer);
        }
        const int id = q->id;
        QMetaObject::invokeMethod(receiver, [id] { takeAnswer(id); }, Qt::QueuedConnection);
    });
    s.question = std::move(question);
}

} // namespace

const KnownPrinters &knownPrinters()
{
    return state().known;
}

QStringList printerNames()
{
    QStringList names = state().known.names;
    names.removeAll(pdfPrinterName());
    names.append(pdfPrinterName());
    return names;
}

void refreshPrinterNames()
{
    State &s = state();
    if (s.question)
        s.again = true;
    else
        startQuestion();
}

bool printerNamesPending()
{
    return bool(state().question);
}

bool printerNamesAsked()
{
    return state().asked;
}

void awaitPrinterNames()
{
    State &s = state();
    while (s.question) {
        s.question->finish();
        takeAnswer(s.question->id);
    }
}

void watchPrinterNames(QObject *context, std::function<void()> changed)
{
    if (context)
        state().watchers.push_back({context, std::move(changed)});
}

void forgetPrinterNames()
{
    State &s = state();
    s.again = false;
    s.drop();
    s.known = KnownPrinters();
    s.asked = false;
}
