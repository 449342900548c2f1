// SPDX-License-Identifier: MIT
#include "model/QtPrintJob.h"

#include "model/PdfPage.h"
#include <QPrinter>
#include <stdexcept>

QtPrintJob::QtPrintJob(QPrinter& printer, Delivery deliver)
    : m_printer(printer), m_deliver(std::move(deliver)) {
    if (!m_recorder.begin(&m_page))
        throw std::runtime_error("The page could not be prepared for printing.");
}

QtPrintJob::~QtPrintJob() {
    if (m_open)
        abort();
}

QPaintDevice& QtPrintJob::device() {
    return m_printer;
}

int QtPrintJob::pageWidth() const {
    return m_printer.width();
}

int QtPrintJob::pageHeight() const {
    return m_printer.height();
}

void QtPrintJob::finish() {
    if (!m_open)
        throw std::logic_error("The print job has already ended.");
    m_open = false;
    m_recorder.end();
    // The same page, paper, margins and resolution as the printer's own PDF.
    m_notice = m_deliver(RenderPdfPage(m_page, m_printer.pageLayout(), m_printer.resolution()));
}

void QtPrintJob::abort() {
    if (!m_open)
        return;
    m_open = false;
    // Nothing left the program yet: dropping the recorded page is the whole abort.
    m_recorder.end();
    m_page = QPicture();
}
