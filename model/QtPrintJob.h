// SPDX-License-Identifier: MIT
#pragma once

#include "model/PrinterDevice.h"
#include <QPainter>
#include <QPicture>
#include <functional>

class QPrinter;

// One page for a QPrinter's paper and resolution. The drawing is recorded and
// only turned into a PDF document by finish(), which hands it on to where it
// goes (a file, a print queue); abort() drops it, and nothing is sent.
class QtPrintJob : public PrintJob {
public:
    // Takes the finished page as a PDF document; returns a note for the user
    // (empty when there is none); throws std::runtime_error with a message for
    // the user when the page did not get where it was going.
    using Delivery = std::function<QString(const QByteArray& pdf)>;

    QtPrintJob(QPrinter& printer, Delivery deliver);
    ~QtPrintJob() override;
    QtPrintJob(const QtPrintJob&) = delete;
    QtPrintJob& operator=(const QtPrintJob&) = delete;

    QPainter& painter() override { return m_recorder; }
    // Fonts are measured in the printer's pixels.
    QPaintDevice& device() override;
    int pageWidth() const override;
    int pageHeight() const override;
    void finish() override;
    void abort() override;
    QString notice() const override { return m_notice; }

private:
    QPrinter& m_printer;
    Delivery m_deliver;
    QPicture m_page;
    QPainter m_recorder;
    bool m_open = true;
    QString m_notice;
};
