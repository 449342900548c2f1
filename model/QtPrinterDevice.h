// SPDX-License-Identifier: MIT
#pragma once

#include "model/PrintSystem.h"
#include "model/PrinterDevice.h"
#include <QCoreApplication>
#include <QString>
#include <memory>

class QPrinter;

// The real printer, through QPrinter at its high resolution. It starts on the
// system's default printer with that printer's own default paper, and always
// offers the whole printable area (the printer's minimum margins). With no
// printer installed, or a print system that does not answer, Qt's PDF output
// stands in. Every page goes out as a PDF document: to a file written whole or
// not at all, or to a print queue through libcups, which confirms the job.
class QtPrinterDevice : public PrinterDevice {
    Q_DECLARE_TR_FUNCTIONS(QtPrinterDevice)
public:
    // The printer named printerName, or the default one for an empty name.
    // Throws NoSuchPrinter when the print system has no printer of that name,
    // std::runtime_error when a name is given and the print system cannot be
    // asked.
    explicit QtPrinterDevice(const QString& printerName = QString());
    ~QtPrinterDevice() override;
    QtPrinterDevice(const QtPrinterDevice&) = delete;
    QtPrinterDevice& operator=(const QtPrinterDevice&) = delete;

    QString name() const override;
    int dpiX() const override;
    int dpiY() const override;
    int pageWidth() const override;
    int pageHeight() const override;
    QPageLayout pageLayout() const override;
    void setup(QWidget* parent) override;
    std::unique_ptr<PrintJob> beginJob(QWidget* parent) override;

    // The wrapped printer, for reading its page layout (margins, paper).
    const QPrinter& printer() const { return *m_printer; }
    // Why the print system could not be asked when last tried ("The print
    // system does not answer (no answer within 0.5 s)"); empty when it answered.
    QString printSystemProblem() const;

private:
    // Chooses the printer of that name, or the default one for an empty name.
    void usePrinter(const QString& printerName);
    void usePrintableArea();
    bool isPdfOutput() const;
    // Takes the printer's current queue as the user's choice.
    void takeChoice();
    QString choosePdfFile(QWidget* parent) const;
    std::unique_ptr<PrintJob> beginFileJob(const QString& file);
    std::unique_ptr<PrintJob> beginQueueJob();

    std::unique_ptr<QPrinter> m_printer;
    // How the print system behaved when last asked (start-up, setup), and why
    // (declared first: the probe fills it in the constructor's initializer).
    QString m_printSystemReason;
    PrintSystem::Answer m_printSystem = PrintSystem::Answer::Absent;
    // The queue the user chose; empty for the PDF output. QPrinter cannot hold
    // a queue that has gone, and would fall back to the default printer.
    QString m_queue;
    // The folder of the last PDF file written whole; the save dialog starts there.
    QString m_lastPdfFolder;
};
