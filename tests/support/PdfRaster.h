// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>

// Reads printed PDF files back through poppler's command-line tools, to
// measure what actually reached the paper. The tools' complaints go to the
// test's own error output.
class PdfRaster {
public:
    // Number of pages (pdfinfo); -1 when the file cannot be read.
    static int PageCount(const QString& pdf);
    // A page of a PDF (or an SVG, crop required) in grey at dpi, only the part
    // crop (pixels at that resolution) unless crop is empty; null when
    // rendering fails. A PDF is antialiased only when asked, an SVG always.
    static QImage Render(const QString& file, int dpi, const QRect& crop = {},
                         bool antialias = false, int page = 1);

    static bool IsDark(const QImage& image, int x, int y);
    // The smallest rectangle holding every dark pixel; empty when none.
    static QRect DarkBounds(const QImage& image);
    // The dark run through p along its row (left to right) and along its
    // column (top to bottom); empty when p is not dark.
    static QRect DarkSpan(const QImage& image, QPoint p);
};
