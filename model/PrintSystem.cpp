// SPDX-License-Identifier: MIT
#include "model/PrintSystem.h"

#include <QElapsedTimer>
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
        char uri[HTTP_MAX_URI];
        httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost",
                         ippPort(), "/printers/%s", printer.toUtf8().constData());
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
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

int PrintSystem::submit(const QString& printer, const QByteArray& pdf, const QString& media) {
    const Connection http = Connect(kAnswerMs);
    if (!http)
        Fail(tr("The print system does not answer; nothing was printed on %1.").arg(printer));
    const QByteArray name = printer.toUtf8();
    cups_option_t* options = nullptr;
    const int optionCount = cupsAddOption("media", media.toUtf8().constData(), 0, &options);
    const int job =
        cupsCreateJob(http.get(), name.constData(), nullptr /* no title */, optionCount, options);
    cupsFreeOptions(optionCount, options);
    if (job == 0)
        Fail(tr("The printer %1 did not take the job (%2); nothing was printed.")
                 .arg(printer, LastError()));
    const bool sent = cupsStartDocument(http.get(), name.constData(), job, nullptr /* no title */,
                                        CUPS_FORMAT_PDF, 1) == HTTP_STATUS_CONTINUE &&
                      cupsWriteRequestData(http.get(), pdf.constData(), size_t(pdf.size())) ==
                          HTTP_STATUS_CONTINUE &&
                      cupsFinishDocument(http.get(), name.constData()) == IPP_STATUS_OK;
    if (!sent) {
        const QString reason = LastError();
        cupsCancelJob2(http.get(), name.constData(), job, 0); // no half job stays queued
        Fail(tr("The printer %1 did not take the whole job (%2); nothing was printed.")
                 .arg(printer, reason));
    }
    return job;
}
