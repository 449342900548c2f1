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
    // Throws std::runtime_error when no printer has that name.
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

private:
    // Chooses the printer of that name, or the default one for an empty name.
    void usePrinter(const QString& printerName);
    void usePrintableArea();
    bool isPdfOutput() const;
    QString choosePdfFile(QWidget* parent) const;
    std::unique_ptr<PrintJob> beginFileJob(const QString& file);
    std::unique_ptr<PrintJob> beginQueueJob();

    std::unique_ptr<QPrinter> m_printer;
    // How the print system behaved when last asked (start-up, setup).
    PrintSystem::Answer m_printSystem = PrintSystem::Answer::Absent;
    // The folder of the last PDF file written whole; the save dialog starts there.
    QString m_lastPdfFolder;
};
