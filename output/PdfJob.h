// SPDX-License-Identifier: MIT
#pragma once

#include "model/PrinterDevice.h"
#include "output/PdfPageWriter.h"

#include <functional>
#include <optional>

// A print job of one page or more drawn as PDF in memory: finish() hands the document on
// to where it goes (a print queue, a file); abort() drops it, and nothing is sent.
class PdfJob : public PrintJob {
public:
    // Takes the finished page as a PDF document; returns where it went and a
    // note for the user (empty when there is none); throws std::runtime_error
    // with a message for the user when the page did not get where it was going.
    using Delivery = std::function<JobReport(const QByteArray& pdf)>;

    PdfJob(const QPageLayout& layout, int dpi, Delivery deliver);

    QPainter& painter() override { return m_page->painter(); }
    QPaintDevice& device() override { return m_page->device(); }
    int pageWidth() const override { return m_width; }
    int pageHeight() const override { return m_height; }
    void newPage() override;
    void finish() override;
    void abort() override;
    JobReport report() const override { return m_report; }

private:
    std::optional<PdfPageWriter> m_page; // empty once the job has ended
    int m_width;
    int m_height;
    Delivery m_deliver;
    JobReport m_report;
};
