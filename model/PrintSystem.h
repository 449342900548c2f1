// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

// The CUPS print system, asked through libcups with bounded waits, so that a
// print system that has stopped answering holds nothing up for long and every
// job is confirmed by the print system or reported as failed.
class PrintSystem {
    Q_DECLARE_TR_FUNCTIONS(PrintSystem)
public:
    enum class Answer {
        Answers, // a request came back
        Absent,  // nothing listens there: no print system on this machine
        Silent,  // it takes the connection but does not answer in time
    };
    // How the print system at its usual address (CUPS_SERVER, client.conf)
    // behaves now, waiting at most timeoutMs. reason, when given, says why one
    // that does not answer does not ("Connection refused", "no answer within
    // 0.5 s").
    static Answer probe(int timeoutMs, QString* reason = nullptr);

    // Whether the queue can take a job now. Throws std::runtime_error with a
    // message that names the printer and what to do when it is missing, does
    // not accept jobs, or the print system does not answer. Returns true when
    // the queue is paused: it takes the job but holds it.
    static bool checkQueue(const QString& printer);

    // Sends a one-document job of pdf to printer on the paper media (a paper
    // name such as "A4"). Returns the print system's job id; throws
    // std::runtime_error with the print system's reason when it did not take
    // the job (nothing of it is left in the queue then).
    static int submit(const QString& printer, const QByteArray& pdf, const QString& media);
};
