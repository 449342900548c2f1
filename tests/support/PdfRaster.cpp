// SPDX-License-Identifier: MIT
#include "support/PdfRaster.h"

#include <QProcess>
#include <QRegularExpression>

namespace {

constexpr int kToolTimeoutMs = 120000;
constexpr int kDarkBelow = 128; // grey level under which a pixel is ink

// The tool's output; null when it could not run or failed.
QByteArray Run(const QString& program, const QStringList& args) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, args);
    if (!process.waitForFinished(kToolTimeoutMs) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return {};
    return process.readAllStandardOutput();
}

} // namespace

int PdfRaster::PageCount(const QString& pdf) {
    const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)\\s*$"),
                                   QRegularExpression::MultilineOption);
    const auto match = pages.match(QString::fromLatin1(Run(QStringLiteral("pdfinfo"), {pdf})));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QImage PdfRaster::Render(const QString& file, int dpi, const QRect& crop, bool antialias,
                         int page) {
    const bool svg = file.endsWith(QStringLiteral(".svg"));
    QString args =
        svg ? QString::asprintf("-d %d -p %d -b white --page-width %dpx --page-height %dpx "
                                "--left=%dpx --top=%dpx",
                                dpi, dpi, crop.width(), crop.height(), -crop.x(), -crop.y())
            : QString::asprintf("-r %d -gray -aa %s -aaVector %s -f %d -l %d -singlefile", dpi,
                                antialias ? "yes" : "no", antialias ? "yes" : "no", page, page);
    if (!svg && !crop.isEmpty())
        args += QString::asprintf(" -x %d -y %d -W %d -H %d", crop.x(), crop.y(), crop.width(),
                                  crop.height());
    // With no output name pdftoppm writes a PGM on standard output; rsvg-convert writes a PNG.
    const QByteArray image = Run(svg ? "rsvg-convert" : "pdftoppm", args.split(u' ') << file);
    return QImage::fromData(image).convertToFormat(QImage::Format_Grayscale8);
}

bool PdfRaster::IsDark(const QImage& image, int x, int y) {
    return image.valid(x, y) && image.constScanLine(y)[x] < kDarkBelow;
}

QRect PdfRaster::DarkBounds(const QImage& image) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (IsDark(image, x, y))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

QRect PdfRaster::DarkSpan(const QImage& image, QPoint p) {
    if (!IsDark(image, p.x(), p.y()))
        return {};
    const auto reach = [&](QPoint step) { // the last dark pixel that way
        QPoint q = p;
        while (IsDark(image, q.x() + step.x(), q.y() + step.y()))
            q += step;
        return q;
    };
    return QRect(QPoint(reach({-1, 0}).x(), reach({0, -1}).y()),
                 QPoint(reach({1, 0}).x(), reach({0, 1}).y()));
}
