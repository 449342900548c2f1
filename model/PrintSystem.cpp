// SPDX-License-Identifier: MIT
#include "model/PrintSystem.h"

#include <QElapsedTimer>
#include <QThread>
#include <cerrno>
#include <cstring>
#include <cups/cups.h>
#include <memory>
#include <stdexcept>

namespace {

// A print system that answers at all does so within this long.
constexpr int kAnswerMs = 5000;

[[noreturn]] void Fail(const QString& message) {
    throw std::runtime_error(message.toStdString());
}

QString LastError() {
    return QString::fromUtf8(cupsLastErrorString());
}

constexpr double kMsPerSecond = 1000;

// The reason for a print system that took a connection and said nothing.
QString NoAnswerWithin(int timeoutMs) {
    return PrintSystem::tr("no answer within %1 s").arg(timeoutMs / kMsPerSecond);
}

// Where the print system is looked for: a local socket, or a host and port.
QString Address() {
    const QString server = QString::fromUtf8(cupsServer());
    return server.startsWith(QLatin1Char('/'))
               ? server
               : server + QLatin1Char(':') + QString::number(ippPort());
}

// Stops libcups waiting once the connection's timeout has passed.
int GiveUp(http_t*, void*) {
    return 0;
}

struct HttpClose {
    void operator()(http_t* http) const { httpClose(http); }
};
using Connection = std::unique_ptr<http_t, HttpClose>;

Connection Connect(int timeoutMs) {
    Connection http(httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                 timeoutMs, nullptr));
    if (http)
        httpSetTimeout(http.get(), timeoutMs / kMsPerSecond, GiveUp, nullptr);
    return http;
}

struct IppDelete {
    void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};
using IppMessage = std::unique_ptr<ipp_t, IppDelete>;

// A job that did not arrive whole is cancelled on a print server that is
// restarting too: it is asked this often, for this long.
constexpr int kRetryMs = 250;
constexpr int kCancelMs = 15000;

// Why the last request on http failed: the print system's own reason, else
// the connection's, never an empty one or the "Success" of an unset error.
QString Reason(http_t* http) {
    const QString last = LastError();
    if (cupsLastError() > IPP_STATUS_OK_CONFLICTING && !last.isEmpty() &&
        last != QString::fromLocal8Bit(std::strerror(0)))
        return last;
    const int error = http ? httpError(http) : 0;
    if (error == ETIMEDOUT || error == EAGAIN)
        return NoAnswerWithin(kAnswerMs);
    if (error != 0)
        return QString::fromLocal8Bit(std::strerror(error));
    return PrintSystem::tr("the connection ended without an answer");
}

QByteArray Uri(const char* format, const QByteArray& value) {
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                     format, value.constData());
    return uri;
}

// Asks the print system, on a connection of its own, whether it holds job
// with its document whole; notes whether the queue holds it back. Returns
// what is wrong, or nothing.
QString Confirm(PrintSystem::Job& job) {
    const Connection http = Connect(kAnswerMs);
    if (!http)
        return PrintSystem::tr("no connection to %1 to confirm it").arg(Address());
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr,
                 Uri("/jobs/%s", QByteArray::number(job.id)).constData());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    static const char* const wanted[] = {"job-state", "job-state-reasons", "number-of-documents"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 3, nullptr,
                  wanted);
    const IppMessage response(cupsDoRequest(http.get(), request, "/"));
    if (!response || ippGetStatusCode(response.get()) > IPP_STATUS_OK_CONFLICTING)
        return PrintSystem::tr("it cannot tell the job's state: %1").arg(Reason(http.get()));
    ipp_attribute_t* state = ippFindAttribute(response.get(), "job-state", IPP_TAG_ENUM);
    ipp_attribute_t* documents =
        ippFindAttribute(response.get(), "number-of-documents", IPP_TAG_INTEGER);
    ipp_attribute_t* reasons =
        ippFindAttribute(response.get(), "job-state-reasons", IPP_TAG_KEYWORD);
    QStringList why;
    for (int i = 0; i < ippGetCount(reasons); ++i)
        why << QString::fromUtf8(ippGetString(reasons, i, nullptr));
    const int jobState = state ? ippGetInteger(state, 0) : 0;
    if (jobState == IPP_JSTATE_CANCELED || jobState == IPP_JSTATE_ABORTED)
        return PrintSystem::tr("it ended the job: %1").arg(why.join(QLatin1String(", ")));
    if (!state || !documents || ippGetInteger(documents, 0) < 1 ||
        why.contains(QLatin1String("job-incoming")))
        return PrintSystem::tr("it holds no whole document of it");
    job.held = jobState == IPP_JSTATE_HELD;
    return QString();
}

// Cancels a job that did not arrive whole, asking again while the print
// system restarts; says how it went.
QString CancelJob(const QString& printer, int id) {
    QElapsedTimer clock;
    clock.start();
    QString reason;
    do {
        const Connection http = Connect(kAnswerMs);
        if (http &&
            cupsCancelJob2(http.get(), printer.toUtf8().constData(), id, 0) == IPP_STATUS_OK)
            return PrintSystem::tr("The print system has cancelled the job.");
        reason = Reason(http.get());
        if (http && cupsLastError() > IPP_STATUS_OK_CONFLICTING &&
            cupsLastError() <
                IPP_STATUS_ERROR_INTERNAL) // it answered: asking again changes nothing
            break;
        QThread::msleep(kRetryMs);
    } while (clock.elapsed() < kCancelMs);
    return PrintSystem::tr("The job could not be cancelled (%1): cancel it with \"cancel %2-%3\".")
        .arg(reason, printer)
        .arg(id);
}

} // namespace

PrintSystem::Answer PrintSystem::probe(int timeoutMs, QString* reason) {
    QElapsedTimer clock;
    clock.start();
    const Connection http = Connect(timeoutMs);
    const auto timedOut = [&] {
        if (reason)
            *reason = NoAnswerWithin(timeoutMs);
        return Answer::Silent;
    };
    if (!http && clock.elapsed() >= timeoutMs) // no connection within the wait
        return timedOut();
    if (!http) { // refused at once (libcups keeps no reason worth showing)
        if (reason)
            *reason = tr("no connection to %1").arg(Address());
        return Answer::Absent;
    }
    // Asks for the default printer and waits for the first byte of the answer
    // only (cupsDoRequest would wait a further second for an interim answer).
    const IppMessage request(ippNewRequest(IPP_OP_CUPS_GET_DEFAULT));
    httpClearFields(http.get());
    httpSetField(http.get(), HTTP_FIELD_CONTENT_TYPE, "application/ipp");
    httpSetLength(http.get(), ippLength(request.get()));
    const bool answers = httpPost(http.get(), "/") == 0 &&
                         ippWrite(http.get(), request.get()) != IPP_STATE_ERROR &&
                         httpWait(http.get(), int(qMax<qint64>(0, timeoutMs - clock.elapsed())));
    return answers ? Answer::Answers : timedOut();
}

bool PrintSystem::checkQueue(const QString& printer) {
    QElapsedTimer clock;
    clock.start();
    const Connection http = Connect(kAnswerMs);
    const IppMessage response = [&] {
        if (!http)
            return IppMessage();
        ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                     Uri("/printers/%s", printer.toUtf8()).constData());
        static const char* const wanted[] = {"printer-state", "printer-is-accepting-jobs"};
        ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 2,
                      nullptr, wanted);
        return IppMessage(cupsDoRequest(http.get(), request, "/"));
    }();
    if (!response)
        Fail(tr("The print system does not answer (%1); nothing was printed on %2. Try again "
                "later, or choose \"Print to File (PDF)\" in Setup.")
                 .arg(!http                          ? tr("no connection to %1").arg(Address())
                      : clock.elapsed() >= kAnswerMs ? NoAnswerWithin(kAnswerMs)
                                                     : LastError(),
                      printer));
    if (ippGetStatusCode(response.get()) == IPP_STATUS_ERROR_NOT_FOUND)
        Fail(tr("There is no printer %1 in the print system any more; nothing was printed. "
                "Choose another printer in Setup.")
                 .arg(printer));
    if (ippGetStatusCode(response.get()) > IPP_STATUS_OK_CONFLICTING)
        Fail(tr("The print system cannot tell the state of the printer %1 (%2); nothing was "
                "printed.")
                 .arg(printer, LastError()));
    ipp_attribute_t* accepting =
        ippFindAttribute(response.get(), "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
    if (!accepting || !ippGetBoolean(accepting, 0))
        Fail(tr("The printer %1 does not accept jobs; nothing was printed. Let it accept jobs "
                "again (cupsaccept %1) or ask the administrator.")
                 .arg(printer));
    ipp_attribute_t* state = ippFindAttribute(response.get(), "printer-state", IPP_TAG_ENUM);
    return state && ippGetInteger(state, 0) == IPP_PSTATE_STOPPED;
}

PrintSystem::Job PrintSystem::submit(const QString& printer, const QByteArray& pdf,
                                     const QString& media) {
    const Connection http = Connect(kAnswerMs);
    if (!http)
        Fail(tr("The print system does not answer (no connection to %1); nothing was printed on "
                "%2.")
                 .arg(Address(), printer));
    const QByteArray name = printer.toUtf8();
    cups_option_t* options = nullptr;
    const int optionCount = cupsAddOption("media", media.toUtf8().constData(), 0, &options);
    const int id =
        cupsCreateJob(http.get(), name.constData(), nullptr /* no title */, optionCount, options);
    cupsFreeOptions(optionCount, options);
    if (id == 0)
        Fail(tr("The printer %1 did not take the job (%2); nothing was printed.")
                 .arg(printer, Reason(http.get())));
    // Each step of the upload must succeed; the first that does not says why.
    QString problem;
    if (cupsStartDocument(http.get(), name.constData(), id, nullptr /* no title */, CUPS_FORMAT_PDF,
                          1) != HTTP_STATUS_CONTINUE)
        problem = tr("it refused the document: %1").arg(Reason(http.get()));
    else if (cupsWriteRequestData(http.get(), pdf.constData(), size_t(pdf.size())) !=
             HTTP_STATUS_CONTINUE)
        problem = tr("the upload broke off: %1").arg(Reason(http.get()));
    else if (cupsFinishDocument(http.get(), name.constData()) > IPP_STATUS_OK_CONFLICTING)
        problem = tr("it did not confirm the document: %1").arg(Reason(http.get()));
    Job job{id, false};
    if (problem.isEmpty())
        problem = Confirm(job);
    if (problem.isEmpty())
        return job;
    Fail(tr("The printer %1 did not take the whole job %2 (%3); nothing was printed. %4")
             .arg(printer)
             .arg(id)
             .arg(problem, CancelJob(printer, id)));
}
