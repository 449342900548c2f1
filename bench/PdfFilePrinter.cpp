// SPDX-License-Identifier: MIT
#include "PdfFilePrinter.h"

#include "model/QtPrintJob.h"

#include <QFile>
#include <stdexcept>

PdfFilePrinter::PdfFilePrinter(const QString& fileName) : m_printer(QPrinter::HighResolution) {
    m_printer.setOutputFormat(QPrinter::PdfFormat);
    m_printer.setOutputFileName(fileName);
    m_printer.setPageSize(QPageSize(QPageSize::A4));
    m_printer.setFullPage(false);
    m_printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
}

std::unique_ptr<PrintJob> PdfFilePrinter::beginJob(QWidget*) {
    return std::make_unique<QtPrintJob>(m_printer, [this](const QByteArray& pdf) {
        QFile out(m_printer.outputFileName());
        if (!out.open(QIODevice::WriteOnly) || out.write(pdf) != pdf.size())
            throw std::runtime_error("the benchmark's PDF could not be written");
        return QString();
    });
}
