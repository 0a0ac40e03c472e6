#include "PrintServer.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cups/cups.h>
#include <memory>
#include <mutex>
#include <string_view>

namespace printserver {

namespace {

struct HttpClose {
    void operator()(http_t *http) const { httpClose(http); }
};
using Connection = std::unique_ptr<http_t, HttpClose>;

struct IppDelete {
    void operator()(ipp_t *ipp) const { ippDelete(ipp); }
};
using Message = std::unique_ptr<ipp_t, IppDelete>;

// The server chosen for every thread (libcups keeps its server setting per
// thread): its address, and a number that changes with it.
std::mutex serverMutex;
QByteArray serverAddress;
std::atomic<int> serverGeneration{1};
thread_local int appliedGeneration = 0;
std::atomic<int> answerTimeoutMs{0};

void applyServer()
{
    const int generation = serverGeneration.load();
    if (appliedGeneration == generation)
        return;
    std::lock_guard lock(serverMutex);
    cupsSetServer(serverAddress.isEmpty() ? nullptr : serverAddress.constData());
    appliedGeneration = generation;
}

int answerTimeout()
{
    const int ms = answerTimeoutMs.load();
    return ms > 0 ? ms : AnswerTimeoutMs;
}

// How often a wait for an answer looks whether its time is up or it was
// cancelled.
constexpr double PollSeconds = 0.1;

// A question's time limit, counted from when it is asked, and its way to be
// called off.
struct Limit {
    std::chrono::steady_clock::time_point deadline;
    const CancelFlag *cancel = nullptr;

    bool over() const
    {
        return (cancel && cancel->load()) || std::chrono::steady_clock::now() >= deadline;
    }
};

// A connection to the server that gives up after `timeoutMs` without an
// answer, instead of the library's own waits of a minute and more.
Connection connectServer(int timeoutMs)
{
    applyServer();
    http_t *http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                timeoutMs, nullptr);
    if (!http)
        return nullptr;
    // Returning 0 from the time-out callback ends the wait.
    httpSetTimeout(http, timeoutMs / 1000.0, [](http_t *, void *) { return 0; }, nullptr);
    return Connection(http);
}

// A connection for a question: its whole exchange ends by `limit`.
Connection connectServer(Limit &limit)
{
    applyServer();
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        limit.deadline - std::chrono::steady_clock::now());
    if (limit.over())
        return nullptr;
    http_t *http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                int(left.count()), nullptr);
    if (!http)
        return nullptr;
    // The callback runs after each poll without data; 1 waits on.
    httpSetTimeout(
        http, PollSeconds,
        [](http_t *, void *data) { return static_cast<const Limit *>(data)->over() ? 0 : 1; },
        &limit);
    return Connection(http);
}

Limit answerLimit(const CancelFlag *cancel)
{
    return {std::chrono::steady_clock::now() + std::chrono::milliseconds(answerTimeout()), cancel};
}

QByteArray queueUri(const QString &name)
{
    // A local socket is addressed as localhost.
    const char *server = cupsServer();
    const char *host = server && server[0] != '/' ? server : "localhost";
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, host, ippPort(),
                     "/printers/%s", name.toUtf8().constData());
    return uri;
}

bool succeeded(ipp_t *answer)
{
    return answer && ippGetStatusCode(answer) <= IPP_STATUS_OK_EVENTS_COMPLETE;
}

int intMember(ipp_t *collection, const char *name)
{
    ipp_attribute_t *a = ippFindAttribute(collection, name, IPP_TAG_INTEGER);
    return a ? ippGetInteger(a, 0) : -1;
}

// The margins of the A4 entry of the queue's media database (hundredths of
// a mm). A queue may list A4 twice, bordered and borderless: the bordered
// one is what a plain job gets.
QMarginsF a4Margins(ipp_t *answer)
{
    QMarginsF best;
    ipp_attribute_t *db = ippFindAttribute(answer, "media-col-database", IPP_TAG_BEGIN_COLLECTION);
    for (int i = 0, n = db ? ippGetCount(db) : 0; i < n; ++i) {
        ipp_t *media = ippGetCollection(db, i);
        ipp_attribute_t *sizeAttr = ippFindAttribute(media, "media-size", IPP_TAG_BEGIN_COLLECTION);
        ipp_t *size = sizeAttr ? ippGetCollection(sizeAttr, 0) : nullptr;
        if (!size)
            continue;
        const int w = intMember(size, "x-dimension"), h = intMember(size, "y-dimension");
        if (std::abs(w - 21000) > 100 || std::abs(h - 29700) > 100)
            continue;
        const QMarginsF m(std::max(0, intMember(media, "media-left-margin")) / 100.0,
                          std::max(0, intMember(media, "media-top-margin")) / 100.0,
                          std::max(0, intMember(media, "media-right-margin")) / 100.0,
                          std::max(0, intMember(media, "media-bottom-margin")) / 100.0);
        if (m.left() + m.top() + m.right() + m.bottom()
            > best.left() + best.top() + best.right() + best.bottom())
            best = m;
    }
    return best;
}

} // namespace

Directory printers(const CancelFlag *cancel)
{
    Directory d;
    Limit limit = answerLimit(cancel);
    Connection http = connectServer(limit);
    if (!http)
        return d;
    ipp_t *request = ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
    static const char *const wanted[] = {"printer-name"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 1,
                  nullptr, wanted);
    Message answer(cupsDoRequest(http.get(), request, "/"));
    // A server without queues answers "not found".
    if (!answer || (!succeeded(answer.get())
                    && ippGetStatusCode(answer.get()) != IPP_STATUS_ERROR_NOT_FOUND))
        return d;
    for (ipp_attribute_t *a = ippFirstAttribute(answer.get()); a;
         a = ippNextAttribute(answer.get())) {
        if (ippGetName(a) && std::string_view(ippGetName(a)) == "printer-name")
            d.names.append(QString::fromUtf8(ippGetString(a, 0, nullptr)));
    }
    // The user's default (lpoptions, LPDEST, PRINTER) before the server's.
    if (cups_dest_t *dest = cupsGetNamedDest(http.get(), nullptr, nullptr)) {
        d.defaultName = QString::fromUtf8(dest->name);
        cupsFreeDests(1, dest);
    } else if (cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE
               && cupsLastError() != IPP_STATUS_ERROR_NOT_FOUND) {
        return d;   // the second question went unanswered
    }
    d.answered = true;
    return d;
}

Queue queue(const QString &name)
{
    Queue q;
    Limit limit = answerLimit(nullptr);
    Connection http = connectServer(limit);
    if (!http)
        return q;
    ipp_t *request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    const QByteArray uri = queueUri(name);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.constData());
    static const char *const wanted[] = {"printer-is-accepting-jobs", "printer-state",
                                         "media-col-database"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 3,
                  nullptr, wanted);
    Message answer(cupsDoRequest(http.get(), request, "/"));
    if (!answer)
        return q;
    q.answered = true;
    if (!succeeded(answer.get()))
        return q;   // not found, or not ours to use
    q.exists = true;
    ipp_attribute_t *accepting =
        ippFindAttribute(answer.get(), "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
    q.acceptingJobs = accepting && ippGetBoolean(accepting, 0);
    q.marginsMm = a4Margins(answer.get());
    return q;
}

bool submit(const QString &name, const QString &pdfFile, const QString &title, QString *why)
{
    auto fail = [why](const QString &reason) {
        if (why)
            *why = reason;
        return false;
    };
    Connection http = connectServer(JobTimeoutMs);
    if (!http)
        return fail(QStringLiteral("no print server"));
    ipp_t *request = ippNewRequest(IPP_OP_PRINT_JOB);
    const QByteArray uri = queueUri(name);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.constData());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr,
                 title.toUtf8().constData());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_MIMETYPE, "document-format", nullptr,
                 "application/pdf");
    ippAddString(request, IPP_TAG_JOB, IPP_TAG_KEYWORD, "media", nullptr, "iso_a4_210x297mm");
    const QByteArray resource = QByteArray("/printers/") + name.toUtf8();
    Message answer(cupsDoFileRequest(http.get(), request, resource.constData(),
                                     pdfFile.toLocal8Bit().constData()));
    if (!answer)
        return fail(QString::fromUtf8(cupsLastErrorString()));
    if (!succeeded(answer.get()))
        return fail(QString::fromUtf8(ippErrorString(ippGetStatusCode(answer.get()))));
    return true;
}

void setServer(const QString &address)
{
    {
        std::lock_guard lock(serverMutex);
        serverAddress = address.toUtf8();
    }
    ++serverGeneration;
    applyServer();
}

void setAnswerTimeoutMs(int milliseconds)
{
    answerTimeoutMs = std::max(0, milliseconds);
}

} // namespace printserver
