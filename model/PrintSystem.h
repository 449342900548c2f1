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

    // A job the print system holds whole.
    struct Job {
        int id = 0;
        bool held = false; // the queue holds it until it is released (job-hold-until)
    };
    // Sends a one-document job of pdf to printer on the paper media (a paper
    // name such as "A4"), and asks the print system whether it holds the job
    // with its whole document. Throws std::runtime_error with the reason when
    // it does not; a job it took in part is cancelled there (the message says
    // so, or how to cancel it when it cannot be).
    static Job submit(const QString& printer, const QByteArray& pdf, const QString& media);
};
