// SPDX-License-Identifier: MIT
#pragma once

#include "app/WindowPrinter.h"
#include "model/PrintDestination.h"

// A printer whose jobs go into a PDF file through the program's own print job
// (PdfJob), at the drawing resolution of a real queue and with no margins:
// the real print path without a print system behind it.
class PdfFilePrinter : public WindowPrinter {
public:
    explicit PdfFilePrinter(const QString& fileName) : m_file(fileName) {}

    QString name() const override { return QStringLiteral("PDF file"); }
    int dpiX() const override { return m_page.dpi; }
    int dpiY() const override { return m_page.dpi; }
    int pageWidth() const override { return m_page.printableRect().width(); }
    int pageHeight() const override { return m_page.printableRect().height(); }
    void setup(QWidget*) override {}
    std::unique_ptr<PrintJob> beginJob() override;

private:
    QString m_file;
    PrintDestination m_page = PdfOutputDestination();
};
