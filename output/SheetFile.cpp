// SPDX-License-Identifier: MIT
#include "output/SheetFile.h"

#include "model/NumberText.h"
#include "output/FileError.h"
#include "render/BoardRenderer.h"
#include "render/Canvas.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSvgGenerator>

namespace {

const char* const kCreator = "Quadrix 1.0.0.0";
constexpr int kMillimetreDigits = 10;

QString tr(const char* text) {
    return QCoreApplication::translate("SheetFile", text);
}

// Opens the temporary file that replaces path on commit. A device or a pipe
// cannot be replaced whole, so only regular files (or new ones) are written.
void Open(QSaveFile& file) {
    const QFileInfo target(file.fileName());
    if (target.exists() && !target.isFile())
        throw FileError(file.fileName(), tr("not a regular file"));
    if (!file.open(QIODevice::WriteOnly))
        throw FileError(file.fileName(), file.errorString());
}

// Renames the finished temporary file over the target; a failed write on the
// way (a full disk) makes this fail too, and the temporary file goes.
void Commit(QSaveFile& file) {
    // What still sits in the file's buffer is written here: a failed flush does
    // not stop commit() from putting an empty file in place.
    if (!file.flush() || file.error() != QFileDevice::NoError) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw FileError(file.fileName(), reason);
    }
    if (!file.commit())
        throw FileError(file.fileName(), file.errorString());
}

// DrawBoard at scale 1 on the printable area, the painter's origin at its corner.
void DrawSheet(QPainter& painter, QPaintDevice& device, const FilePage& page,
               const SheetInputs& in) {
    const QRect printable = page.printableRect();
    Canvas canvas(painter, device, printable.width(), printable.height());
    DrawBoard(canvas, 1.0f, printable.width(), printable.height(), in);
}

void WritePdf(QSaveFile& file, const FilePage& page, const SheetInputs& in) {
    QPdfWriter pdf(&file);
    pdf.setResolution(page.dpi);
    pdf.setPageLayout(page.layout);
    pdf.setTitle(SheetTitle(in));
    pdf.setCreator(QString::fromLatin1(kCreator));
    QPainter painter;
    if (!painter.begin(&pdf))
        throw FileError(file.fileName(), tr("the PDF page could not be started"));
    DrawSheet(painter, pdf, page, in);
    painter.end();
}

// QSvgGenerator states the page in whole pixels; the paper's own size in
// millimetres replaces that, so that a page of A4 is exactly 210 x 297 mm.
void SetPhysicalSize(QByteArray& svg, const FilePage& page) {
    const QRectF mm = page.layout.fullRect(QPageLayout::Millimeter);
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

void WriteSvg(QSaveFile& file, const FilePage& page, const SheetInputs& in) {
    const QRectF paperInches = page.layout.fullRect(QPageLayout::Inch);
    const QRectF paper(0, 0, paperInches.width() * page.dpi, paperInches.height() * page.dpi);
    QBuffer buffer;
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setResolution(page.dpi);
    svg.setSize(paper.size().toSize());
    svg.setViewBox(paper);
    svg.setTitle(SheetTitle(in));
    svg.setDescription(QString::fromLatin1(kCreator));
    QPainter painter;
    if (!painter.begin(&svg))
        throw FileError(file.fileName(), tr("the SVG page could not be started"));
    painter.translate(page.printableRect().topLeft());
    DrawSheet(painter, svg, page, in);
    painter.end();

    QByteArray data = buffer.data();
    SetPhysicalSize(data, page);
    if (file.write(data) != data.size())
        throw FileError(file.fileName(), file.errorString());
}

} // namespace

bool FormatForFile(const QString& path, FileFormat& format) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("pdf"))
        format = FileFormat::Pdf;
    else if (suffix == QLatin1String("svg"))
        format = FileFormat::Svg;
    else
        return false;
    return true;
}

QString SheetTitle(const SheetInputs& in) {
    const QString width = FloatToStr(StrToFloatDef(in.checkerWidthText, 0));
    const QString height = FloatToStr(StrToFloatDef(in.checkerHeightText, 0));
    const QString checker = width == height ? width : width + QStringLiteral(" × ") + height;
    return tr("%1 × %2 checkers of %3 %4 (%5 × %6 inner corners)")
        .arg(in.columns)
        .arg(in.rows)
        .arg(checker, in.unitName)
        .arg(in.columns - 1)
        .arg(in.rows - 1);
}

void WriteSheetFile(const QString& path, FileFormat format, const FilePage& page,
                    const SheetInputs& in) {
    QSaveFile file(path);
    Open(file);
    if (format == FileFormat::Pdf)
        WritePdf(file, page, in);
    else
        WriteSvg(file, page, in);
    Commit(file);
}
