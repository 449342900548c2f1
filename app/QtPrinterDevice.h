// SPDX-License-Identifier: MIT
#pragma once

#include "app/WindowPrinter.h"
#include "output/DestinationPrinter.h"

#include <QCoreApplication>
#include <QString>
#include <memory>

// The window's printer: the print system's default printer, looked up alone
// at start, chosen anew in Qt's print dialog, and always offering the whole
// printable area (the printer's minimum margins). With no printer installed,
// or a print system that does not answer, the PDF output stands in: each job
// asks for a file (unless the dialog named one) written whole or not at all.
class QtPrinterDevice : public WindowPrinter {
    Q_DECLARE_TR_FUNCTIONS(QtPrinterDevice)
public:
    QtPrinterDevice() = default;

    QString name() const override { return m_printer.name(); }
    int dpiX() const override { return m_printer.dpiX(); }
    int dpiY() const override { return m_printer.dpiY(); }
    int pageWidth() const override { return m_printer.pageWidth(); }
    int pageHeight() const override { return m_printer.pageHeight(); }
    QPageLayout pageLayout() const override { return m_printer.pageLayout(); }
    void setup(QWidget* parent) override;
    std::unique_ptr<PrintJob> beginJob() override;

    // Why the print system could not be asked at start or at the last setup.
    QString printSystemProblem() const { return m_printer.printSystemProblem(); }
    QString foundNote() const override { return m_printer.foundNote(); }

private:
    QString choosePdfFile() const;
    std::unique_ptr<PrintJob> beginFileJob(const QString& file);

    DestinationPrinter m_printer;
    // The file chosen in the setup dialog for the PDF output; empty: each job asks.
    QString m_outputFile;
    // The folder of the last PDF file written whole; the save dialog starts there.
    QString m_lastPdfFolder;
};
