// SPDX-License-Identifier: MIT
#include "output/PdfPageWriter.h"

#include <QCoreApplication>
#include <QPageLayout>
#include <stdexcept>

namespace {

[[noreturn]] void Fail(const char* text) {
    throw std::runtime_error(QCoreApplication::translate("PdfPageWriter", text).toStdString());
}

} // namespace

PdfPageWriter::PdfPageWriter(const QPageLayout& layout, int dpi, const QString& title)
    : m_pdf(&m_buffer) {
    m_buffer.open(QIODevice::WriteOnly);
    m_pdf.setResolution(dpi);
    m_pdf.setCreator(QString::fromLatin1(kFileCreator));
    if (!title.isEmpty())
        m_pdf.setTitle(title);
    if (!m_pdf.setPageLayout(layout) || !m_painter.begin(&m_pdf))
        Fail("The page could not be prepared as PDF.");
}

void PdfPageWriter::newPage() {
    if (!m_pdf.newPage())
        Fail("The next page could not be started in the PDF.");
}

QByteArray PdfPageWriter::finish() {
    m_painter.end(); // the writer finishes the document here
    if (m_buffer.data().isEmpty())
        Fail("The page could not be made into a PDF.");
    return m_buffer.data();
}
