// SPDX-License-Identifier: MIT
#include "output/PdfJob.h"

#include <stdexcept>

PdfJob::PdfJob(const QPageLayout& layout, int dpi, Delivery deliver)
    : m_page(std::in_place, layout, dpi), m_width(m_page->width()), m_height(m_page->height()),
      m_deliver(std::move(deliver)) {}

void PdfJob::newPage() {
    if (!m_page)
        throw std::logic_error("The print job has already ended.");
    m_page->newPage();
}

void PdfJob::finish() {
    if (!m_page)
        throw std::logic_error("The print job has already ended.");
    const QByteArray pdf = m_page->finish();
    m_page.reset();
    m_report = m_deliver(pdf);
}

void PdfJob::abort() {
    m_page.reset(); // nothing left the program yet
}
