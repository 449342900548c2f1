// SPDX-License-Identifier: MIT
#include "output/SheetFile.h"

#include "model/NumberText.h"
#include "model/Units.h"
#include "model/WriteAll.h"
#include "output/FileError.h"
#include "output/PdfPageWriter.h"
#include "render/BoardRenderer.h"
#include "render/Canvas.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QMap>
#include <QPainter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kMillimetreDigits = 10;
constexpr double kMmPerPoint = kMillimetresPerInch / 72;
// The largest image page drawn, in pixels: A4 at 2400 dpi is 0.56 of it, and
// it is drawn in one byte a pixel.
constexpr qint64 kMaxImagePixels = qint64(1) << 30;

QString tr(const char* text) {
    return QCoreApplication::translate("SheetFile", text);
}

// Opens the temporary file that replaces path on commit. A device or a pipe
// cannot be replaced whole, so only regular files (or new ones) are written.
// Unbuffered: each write reaches the disk at once, so its count is the disk's.
void Open(QSaveFile& file) {
    const QFileInfo target(file.fileName());
    if (target.exists() && !target.isFile())
        throw FileError(file.fileName(), tr("not a regular file"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw FileError(file.fileName(), file.errorString());
}

// Writes the whole page into the temporary file, then renames it over the
// target; a short write leaves the target as it was and the temporary file goes.
void WriteAndCommit(QSaveFile& file, const QByteArray& data) {
    if (!WriteAll(file, data))
        throw FileError(file.fileName(), file.errorString());
    if (!file.commit())
        throw FileError(file.fileName(), file.errorString());
}

// DrawBoard at scale 1 on the printable area, the painter's origin at its corner.
void DrawSheet(QPainter& painter, QPaintDevice& device, const QSize& printable,
               const SheetInputs& in) {
    Canvas canvas(painter, device, printable.width(), printable.height());
    DrawBoard(canvas, 1.0f, printable.width(), printable.height(), in);
}

// The page writer does not look at what its device took, so the page is made
// in memory and written with its byte count checked.
QByteArray PdfBytes(const FilePage& page, const SheetInputs& in) {
    PdfPageWriter pdf(page.layout, page.dpi, SheetTitle(in));
    DrawSheet(pdf.painter(), pdf.device(), page.printableRect().size(), in);
    return pdf.finish();
}

// The paper in millimetres from the size it was defined in, unrounded (Qt
// gives a page's size in inches to 0.01 in, 0.4 % off on a 20 mm page).
QSizeF PaperMillimetres(const QPageLayout& layout) {
    const QPageSize paper = layout.pageSize();
    const QSizeF defined = paper.definitionSize();
    static const QMap<QPageSize::Unit, double> mmPer{{QPageSize::Millimeter, 1.0},
                                                     {QPageSize::Inch, kMillimetresPerInch},
                                                     {QPageSize::Point, kMmPerPoint}};
    const QSizeF mm = mmPer.contains(paper.definitionUnits())
                          ? defined * mmPer.value(paper.definitionUnits())
                          : paper.size(QPageSize::Millimeter);
    return layout.orientation() == QPageLayout::Landscape ? mm.transposed() : mm;
}

// QSvgGenerator states the page in whole pixels; the paper's own size in
// millimetres replaces that, so that a page of A4 is exactly 210 x 297 mm.
void SetPhysicalSize(QByteArray& svg, const QSizeF& mm) {
    const QString size = QStringLiteral("width=\"%1mm\" height=\"%2mm\"")
                             .arg(QString::number(mm.width(), 'g', kMillimetreDigits),
                                  QString::number(mm.height(), 'g', kMillimetreDigits));
    static const QRegularExpression generated(
        QStringLiteral("width=\"[^\"]*mm\" height=\"[^\"]*mm\""));
    const qsizetype header = svg.indexOf('>', svg.indexOf("<svg"));
    QString head = QString::fromUtf8(svg.left(header));
    head.replace(generated, size);
    svg.replace(0, header, head.toUtf8());
}

QByteArray SvgBytes(const QString& path, const FilePage& page, const SheetInputs& in) {
    // The view box is the paper at dpi, from the same millimetres as the
    // stated size: one printer pixel is exactly 25.4 / dpi mm on the page.
    const QSizeF mm = PaperMillimetres(page.layout);
    const QRectF paper(QPointF(), mm / kMillimetresPerInch * page.dpi);
    QBuffer buffer;
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setResolution(page.dpi);
    svg.setSize(paper.size().toSize());
    svg.setViewBox(paper);
    svg.setTitle(SheetTitle(in));
    svg.setDescription(QString::fromLatin1(kFileCreator));
    QPainter painter;
    if (!painter.begin(&svg))
        throw FileError(path, tr("the SVG page could not be started"));
    painter.translate(page.printableRect().topLeft());
    DrawSheet(painter, svg, page.printableRect().size(), in);
    painter.end();

    QByteArray data = buffer.data();
    SetPhysicalSize(data, mm);
    return data;
}

// The grey page one bit a pixel, row by row (Qt's own conversion goes
// through four bytes a pixel), a pixel white from half grey up.
QImage OneBit(const QImage& grey) {
    constexpr int kHalfGrey = 128;
    constexpr int kBitsPerByte = 8;
    QImage bits(grey.size(), QImage::Format_Mono);
    if (bits.isNull())
        return bits;
    bits.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    bits.setDotsPerMeterX(grey.dotsPerMeterX());
    bits.setDotsPerMeterY(grey.dotsPerMeterY());
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* in = grey.constScanLine(y);
        uchar* out = bits.scanLine(y);
        std::fill(out, out + bits.bytesPerLine(), 0);
        for (int x = 0; x < grey.width(); ++x)
            if (in[x] >= kHalfGrey)
                out[x / kBitsPerByte] |= uchar(0x80 >> (x % kBitsPerByte));
    }
    return bits;
}

// The paper's pixels at dpi, white, the sheet drawn in its printable area;
// stored one bit a pixel (the renderer draws black and white only) with the
// resolution in the file, so that image tools and printers know its size.
QByteArray PngBytes(const QString& path, const FilePage& page, const SheetInputs& in) {
    const QSize paper = ImagePaperPixels(page);
    const QRect printable = ImagePrintableRect(page);
    if (paper.isEmpty() || double(paper.width()) * paper.height() > kMaxImagePixels)
        throw FileError(path, tr("a page of %1 x %2 pixels is too large for an image; choose a "
                                 "lower resolution")
                                  .arg(paper.width())
                                  .arg(paper.height()));
    QImage image(paper, QImage::Format_Grayscale8);
    if (image.isNull())
        throw FileError(path, tr("not enough memory for a page of %1 x %2 pixels")
                                  .arg(paper.width())
                                  .arg(paper.height()));
    image.fill(Qt::white);
    const int dotsPerMetre = qRound(page.dpi / kMetresPerInch);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    {
        QPainter painter(&image);
        painter.translate(printable.topLeft());
        DrawSheet(painter, image, printable.size(), in);
    }
    QImage bits = OneBit(image);
    if (bits.isNull())
        throw FileError(path, tr("not enough memory for a page of %1 x %2 pixels")
                                  .arg(paper.width())
                                  .arg(paper.height()));
    bits.setText(QStringLiteral("Title"), SheetTitle(in));
    bits.setText(QStringLiteral("Software"), QString::fromLatin1(kFileCreator));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!bits.save(&buffer, "PNG"))
        throw FileError(path, tr("the PNG image could not be made"));
    return buffer.data();
}

} // namespace

QSize ImagePaperPixels(const FilePage& page) {
    const QSizeF mm = PaperMillimetres(page.layout);
    return QSize(int(std::lround(mm.width() / kMillimetresPerInch * page.dpi)),
                 int(std::lround(mm.height() / kMillimetresPerInch * page.dpi)));
}

QRect ImagePrintableRect(const FilePage& page) {
    const auto pixels = [&page](double mm) {
        return int(std::lround(mm / kMillimetresPerInch * page.dpi));
    };
    const QMarginsF m = page.layout.margins(QPageLayout::Millimeter);
    return QRect(QPoint(), ImagePaperPixels(page))
        .marginsRemoved(
            QMargins(pixels(m.left()), pixels(m.top()), pixels(m.right()), pixels(m.bottom())));
}

bool FormatForFile(const QString& path, FileFormat& format) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("pdf"))
        format = FileFormat::Pdf;
    else if (suffix == QLatin1String("svg"))
        format = FileFormat::Svg;
    else if (suffix == QLatin1String("png"))
        format = FileFormat::Png;
    else
        return false;
    return true;
}

QString FormatName(FileFormat format) {
    switch (format) {
    case FileFormat::Pdf:
        return QStringLiteral("PDF");
    case FileFormat::Svg:
        return QStringLiteral("SVG");
    case FileFormat::Png:
        break;
    }
    return QStringLiteral("PNG");
}

void WriteSheetFile(const QString& path, FileFormat format, const FilePage& page,
                    const SheetInputs& in) {
    QSaveFile file(path);
    Open(file);
    WriteAndCommit(file, format == FileFormat::Pdf   ? PdfBytes(page, in)
                         : format == FileFormat::Svg ? SvgBytes(path, page, in)
                                                     : PngBytes(path, page, in));
}

void WriteTiledFile(const QString& path, const FilePage& page, const SheetInputs& in,
                    const TilePlan& plan) {
    QSaveFile file(path);
    Open(file);
    PdfPageWriter pdf(page.layout, page.dpi, SheetTitle(in));
    const QSize printable = page.printableRect().size();
    const auto draw = [&](int k) {
        Canvas canvas(pdf.painter(), pdf.device(), printable.width(), printable.height());
        if (k < 0)
            DrawTileAssembly(canvas, plan, in);
        else
            DrawTile(canvas, plan, k, in);
    };
    draw(-1);
    for (int k = 0; k < plan.sheets(); ++k) {
        pdf.newPage();
        draw(k);
    }
    WriteAndCommit(file, pdf.finish());
}

QByteArray SheetSvg(const FilePage& page, const SheetInputs& in) {
    return SvgBytes(QString(), page, in);
}
