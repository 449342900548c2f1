// SPDX-License-Identifier: MIT
#pragma once

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

class QPageLayout;

// The program that made a file, as its files name it.
inline const char* const kFileCreator = "Quadrix 1.0.0.0";

// The one way a page becomes PDF, for print jobs and for files alike: one
// page or more in memory on the paper and margins of a layout at a resolution, the
// painter's origin at the printable area's top-left, drawn as vectors.
// Nothing leaves the program until the caller takes the finished document.
class PdfPageWriter {
public:
    // Throws std::runtime_error when the page cannot be started.
    PdfPageWriter(const QPageLayout& layout, int dpi, const QString& title = {});
    PdfPageWriter(const PdfPageWriter&) = delete;
    PdfPageWriter& operator=(const PdfPageWriter&) = delete;

    QPainter& painter() { return m_painter; }
    // The page as a paint device, for measuring fonts in its pixels.
    QPaintDevice& device() { return m_pdf; }
    // The printable area's size in pixels.
    int width() const { return m_pdf.width(); }
    int height() const { return m_pdf.height(); }
    // Ends the page and starts the next on the same paper. Throws
    // std::runtime_error when no page could be started.
    void newPage();
    // Ends the page; the whole PDF document. Throws std::runtime_error when no
    // document came of it.
    QByteArray finish();

private:
    QBuffer m_buffer;
    QPdfWriter m_pdf;
    QPainter m_painter;
};
