#pragma once

#include <QImage>
#include <QPair>
#include <QRect>
#include <QSize>
#include <QString>

// Reads back printed PDF pages through poppler's command-line tools, to
// measure what actually reached the paper.
class PdfRaster {
public:
    // Number of pages (pdfinfo); -1 when the file cannot be read.
    static int PageCount(const QString& pdf);

    // The largest width and the largest height of the images embedded in the
    // file (pdfimages); an empty size when there are none, an invalid one
    // (-1 x -1) when the file cannot be read.
    static QSize LargestImage(const QString& pdf);

    // Page 1 rendered in grey at dpi without antialiasing, only the part crop
    // (in pixels at that resolution; an empty crop means the whole page).
    // A null image when rendering fails; error then says why.
    static QImage Render(const QString& pdf, int dpi, const QRect& crop, QString* error = nullptr);

    // Whether a pixel counts as ink.
    static bool IsDark(const QImage& image, int x, int y);

    // The smallest rectangle holding every dark pixel; empty when none.
    static QRect DarkBounds(const QImage& image);

    // The run of dark pixels through (x, y) along a row (horizontal) or a
    // column, as [first, last + 1); an empty pair when (x, y) is not dark.
    static QPair<int, int> DarkRun(const QImage& image, int x, int y, Qt::Orientation along);
};
