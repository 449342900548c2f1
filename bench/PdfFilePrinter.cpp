// SPDX-License-Identifier: MIT
#include "PdfFilePrinter.h"

#include "output/PdfJob.h"

#include <QFile>
#include <stdexcept>

std::unique_ptr<PrintJob> PdfFilePrinter::beginJob() {
    return std::make_unique<PdfJob>(m_page.layout, m_page.dpi, [this](const QByteArray& pdf) {
        QFile out(m_file);
        if (!out.open(QIODevice::WriteOnly) || out.write(pdf) != pdf.size())
            throw std::runtime_error("the benchmark's PDF could not be written");
        return JobReport();
    });
}
