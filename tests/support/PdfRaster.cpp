#include "support/PdfRaster.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

constexpr int kToolTimeoutMs = 120000;
constexpr int kDarkBelow = 128; // grey level under which a pixel is ink

bool Run(const QString& program, const QStringList& args, QByteArray* out, QString* error) {
    QProcess process;
    process.start(program, args);
    if (!process.waitForStarted()) {
        if (error)
            *error = program + QStringLiteral(" could not be started");
        return false;
    }
    if (!process.waitForFinished(kToolTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        if (error)
            *error = program + QStringLiteral(" did not finish");
        return false;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        if (error)
            *error = program + QStringLiteral(" failed: ") +
                     QString::fromLocal8Bit(process.readAllStandardError());
        return false;
    }
    if (out)
        *out = process.readAllStandardOutput();
    return true;
}

} // namespace

int PdfRaster::PageCount(const QString& pdf) {
    QByteArray info;
    if (!Run(QStringLiteral("pdfinfo"), {pdf}, &info, nullptr))
        return -1;
    const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)\\s*$"),
                                   QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = pages.match(QString::fromLatin1(info));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QSize PdfRaster::LargestImage(const QString& pdf) {
    QByteArray list;
    if (!Run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}, &list, nullptr))
        return QSize(-1, -1);
    // Rows after the two header lines: page num type width height ...
    QSize largest(0, 0);
    const QList<QByteArray> lines = list.split('\n');
    for (int i = 2; i < lines.size(); ++i) {
        const QList<QByteArray> fields = lines[i].simplified().split(' ');
        if (fields.size() < 5)
            continue;
        largest = largest.expandedTo(QSize(fields[3].toInt(), fields[4].toInt()));
    }
    return largest;
}

QImage PdfRaster::Render(const QString& pdf, int dpi, const QRect& crop, QString* error) {
    QTemporaryDir dir;
    if (!dir.isValid()) {
        if (error)
            *error = QStringLiteral("no temporary folder");
        return {};
    }
    const QString root = dir.filePath(QStringLiteral("page"));
    QStringList args{QStringLiteral("-r"),  QString::number(dpi), QStringLiteral("-gray"),
                     QStringLiteral("-aa"), QStringLiteral("no"), QStringLiteral("-aaVector"),
                     QStringLiteral("no"),  QStringLiteral("-f"), QStringLiteral("1"),
                     QStringLiteral("-l"),  QStringLiteral("1"),  QStringLiteral("-singlefile")};
    if (!crop.isEmpty())
        args << QStringLiteral("-x") << QString::number(crop.x()) << QStringLiteral("-y")
             << QString::number(crop.y()) << QStringLiteral("-W") << QString::number(crop.width())
             << QStringLiteral("-H") << QString::number(crop.height());
    args << pdf << root;
    if (!Run(QStringLiteral("pdftoppm"), args, nullptr, error))
        return {};
    QImage image(root + QStringLiteral(".pgm"));
    if (image.isNull() && error)
        *error = QStringLiteral("pdftoppm wrote no readable image");
    return image.convertToFormat(QImage::Format_Grayscale8);
}

bool PdfRaster::IsDark(const QImage& image, int x, int y) {
    return image.valid(x, y) && image.constScanLine(y)[x] < kDarkBelow;
}

QRect PdfRaster::DarkBounds(const QImage& image) {
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const uchar* line = image.constScanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] >= kDarkBelow)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right < 0)
        return {};
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

QPair<int, int> PdfRaster::DarkRun(const QImage& image, int x, int y, Qt::Orientation along) {
    if (!IsDark(image, x, y))
        return {0, 0};
    const int dx = along == Qt::Horizontal ? 1 : 0;
    const int dy = 1 - dx;
    int first = 0, last = 0;
    while (IsDark(image, x - dx * (first + 1), y - dy * (first + 1)))
        ++first;
    while (IsDark(image, x + dx * (last + 1), y + dy * (last + 1)))
        ++last;
    const int at = dx ? x : y;
    return {at - first, at + last + 1};
}
