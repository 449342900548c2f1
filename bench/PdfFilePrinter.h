// SPDX-License-Identifier: MIT
#pragma once

#include "model/PrinterDevice.h"
#include <QPrinter>

// A printer whose jobs go into a PDF file through the program's own print job
// (QtPrintJob), at the high resolution of a real queue and with no margins:
// the real print path without a print system behind it.
class PdfFilePrinter : public PrinterDevice {
public:
    explicit PdfFilePrinter(const QString& fileName);

    QString name() const override { return QStringLiteral("PDF file"); }
    int dpiX() const override { return m_printer.logicalDpiX(); }
    int dpiY() const override { return m_printer.logicalDpiY(); }
    int pageWidth() const override { return m_printer.width(); }
    int pageHeight() const override { return m_printer.height(); }
    void setup(QWidget*) override {}
    std::unique_ptr<PrintJob> beginJob(QWidget* parent) override;

private:
    QPrinter m_printer;
};
