// SPDX-License-Identifier: MIT
#include "model/PdfPage.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>
#include <stdexcept>

QByteArray RenderPdfPage(const QPicture& page, const QPageLayout& layout, int resolution) {
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(resolution);
        QPainter painter;
        if (!writer.setPageLayout(layout) || !painter.begin(&writer))
            throw std::runtime_error(
                QCoreApplication::translate("PdfPage", "The page could not be prepared as PDF.")
                    .toStdString());
        // Replaying a picture scales it from the picture's resolution to the
        // device's; the page was recorded in device dots already, so undo that.
        painter.scale(qreal(page.logicalDpiX()) / writer.logicalDpiX(),
                      qreal(page.logicalDpiY()) / writer.logicalDpiY());
        painter.drawPicture(0, 0, page);
        painter.end(); // the writer finishes the document here
    }
    if (pdf.isEmpty())
        throw std::runtime_error(
            QCoreApplication::translate("PdfPage", "The page could not be made into a PDF.")
                .toStdString());
    return pdf;
}
