// End to end: the real window on the system's default printer, which the
// CTest fixture made a cups-pdf queue. Pressing Print must give exactly one
// one-page PDF in which the board stands where the renderer places it and the
// first checker has its exact physical size.

#include "app/Main.h"
#include "model/NumberText.h"
#include "model/Numeric.h"
#include "model/QtPrinterDevice.h"
#include "render/BoardRenderer.h"
#include "support/PdfRaster.h"

#include <QAbstractButton>
#include <QDir>
#include <QPrinter>
#include <QProcess>
#include <QtTest>

namespace {

constexpr int kPrintTimeoutMs = 60000;
// Resolution of the pass that finds the board on the whole page.
constexpr int kSurveyDpi = 100;
// Share of a checker's side that a solid dark square must have to count as a
// checker in the survey (lines and caption text do not).
constexpr double kCheckerShare = 0.8;
// White border kept around the checker in the full-resolution crop: room for
// the size caption above and left of it.
constexpr int kCropBorder = 400;

QStringList PdfsIn(const QString& dir) {
    return QDir(dir).entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
}

// Whether the queue has no job left (the backend has written its file).
bool QueueIdle(const QString& queue) {
    QProcess lpstat;
    lpstat.start(QStringLiteral("lpstat"), {QStringLiteral("-o"), queue});
    if (!lpstat.waitForFinished(10000))
        return false;
    return lpstat.exitCode() == 0 && lpstat.readAllStandardOutput().trimmed().isEmpty();
}

// Whether a solid dark square of at least the given side has its top-left
// corner at (x, y): ink along its top and left edges and inside. A checker is
// one; the corner where two frame lines meet and the caption are not.
bool SquareAt(const QImage& page, int x, int y, int side) {
    const auto top = PdfRaster::DarkRun(page, x, y, Qt::Horizontal);
    const auto left = PdfRaster::DarkRun(page, x, y, Qt::Vertical);
    if (top.first != x || top.second - x < side || left.first != y || left.second - y < side)
        return false;
    for (int i = 1; i < 4; ++i) {
        for (int j = 1; j < 4; ++j) {
            if (!PdfRaster::IsDark(page, x + side * i / 4, y + side * j / 4))
                return false;
        }
    }
    return true;
}

// Top-left corner of the first such square in row order: the board's first
// black checker.
QPoint FirstChecker(const QImage& page, int side) {
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            if (PdfRaster::IsDark(page, x, y) && SquareAt(page, x, y, side))
                return {x, y};
        }
    }
    return {-1, -1};
}

} // namespace

class TestPrintE2E : public QObject {
    Q_OBJECT
private slots:
    void printsOnePageAtExactSize();
};

void TestPrintE2E::printsOnePageAtExactSize() {
    const QString queue = qEnvironmentVariable("QUADRIX_PRINT_QUEUE");
    const QString outDir = qEnvironmentVariable("QUADRIX_PRINT_OUT");
    QVERIFY2(!queue.isEmpty() && !outDir.isEmpty(),
             "run through ctest: the fixture sets the queue up");

    TfQuadrix window(std::make_unique<QtPrinterDevice>());
    QStringList errors;
    window.setErrorReporter([&errors](const QString& message) { errors << message; });
    auto& device = static_cast<QtPrinterDevice&>(window.printer());
    QCOMPARE(device.name(), queue); // the window starts on the default printer

    // The window's own start values: 5 x 6 checkers of 3 x 3 cm.
    const SheetInputs in = window.sheetInputs();
    QCOMPARE(in.columns, 5);
    QCOMPARE(in.rows, 6);
    QCOMPARE(in.checkerWidthText, QStringLiteral("3"));
    QCOMPARE(in.checkerHeightText, QStringLiteral("3"));
    QCOMPARE(in.unitName, QStringLiteral("cm"));
    QVERIFY(in.frame);
    QVERIFY(in.sizeCaption);

    const int dpi = device.dpiX();
    QCOMPARE(dpi, 1200);
    QCOMPARE(device.dpiY(), dpi);

    const QStringList before = PdfsIn(outDir);
    auto* print = window.findChild<QAbstractButton*>(QStringLiteral("bbPrint"));
    QVERIFY(print);
    QTest::mouseClick(print, Qt::LeftButton);
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join(u'\n')));

    QStringList added;
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            if (!QueueIdle(queue))
                return false;
            added = PdfsIn(outDir);
            for (const QString& old : before)
                added.removeAll(old);
            return !added.isEmpty();
        }(),
        kPrintTimeoutMs);
    QCOMPARE(added.size(), 1);
    const QString pdf = QDir(outDir).filePath(added.first());
    QCOMPARE(PdfRaster::PageCount(pdf), 1);

    // Where the board must stand on the paper: as the renderer places it in
    // the printable area, shifted by that area's corner on the page.
    const TRect board = BoardRect(1.0f, device.pageWidth(), device.pageHeight(), in);
    const QPoint printable = device.printer().pageLayout().paintRectPixels(dpi).topLeft();
    const QPoint expectedCorner(board.Left + printable.x(), board.Top + printable.y());
    const int cellWidth = RoundHalfDown(in.checkerWidthPx);
    const int cellHeight = RoundHalfDown(in.checkerHeightPx);
    const double threeCm = 3.0 / 2.54 * dpi;

    // Find the board on a coarse rendering of the whole page, then measure the
    // first checker on a full-resolution crop around it.
    QString why;
    const QImage survey = PdfRaster::Render(pdf, kSurveyDpi, QRect(), &why);
    QVERIFY2(!survey.isNull(), qPrintable(why));
    const QPoint coarse = FirstChecker(survey, int(kCheckerShare * threeCm * kSurveyDpi / dpi));
    QVERIFY2(coarse.x() >= 0, "no checker found on the printed page");

    const QPoint approx = coarse * dpi / kSurveyDpi;
    const QRect crop(approx - QPoint(kCropBorder, kCropBorder),
                     QSize(cellWidth + 2 * kCropBorder, cellHeight + 2 * kCropBorder));
    const QImage detail = PdfRaster::Render(pdf, dpi, crop, &why);
    QVERIFY2(!detail.isNull(), qPrintable(why));

    const QPoint middle = approx - crop.topLeft() + QPoint(cellWidth / 2, cellHeight / 2);
    const auto across = PdfRaster::DarkRun(detail, middle.x(), middle.y(), Qt::Horizontal);
    const auto down = PdfRaster::DarkRun(detail, middle.x(), middle.y(), Qt::Vertical);
    const QPoint corner = crop.topLeft() + QPoint(across.first, down.first);
    const int width = across.second - across.first;
    const int height = down.second - down.first;

    const QString measured = QStringLiteral("checker at (%1, %2), %3 x %4 dots; expected (%5, %6), "
                                            "%7 x %8")
                                 .arg(corner.x())
                                 .arg(corner.y())
                                 .arg(width)
                                 .arg(height)
                                 .arg(expectedCorner.x())
                                 .arg(expectedCorner.y())
                                 .arg(cellWidth)
                                 .arg(cellHeight);
    qInfo().noquote() << measured;
    // 3 cm on paper, within one printer dot.
    QVERIFY2(qAbs(width - threeCm) <= 1.0, qPrintable(measured));
    QVERIFY2(qAbs(height - threeCm) <= 1.0, qPrintable(measured));
    QVERIFY2(qAbs(width - cellWidth) <= 1 && qAbs(height - cellHeight) <= 1, qPrintable(measured));
    // Where the renderer put it, within one dot.
    QVERIFY2(qAbs(corner.x() - expectedCorner.x()) <= 1, qPrintable(measured));
    QVERIFY2(qAbs(corner.y() - expectedCorner.y()) <= 1, qPrintable(measured));

    // The width label stands above the first checker, centred on it: its ink
    // lies between the arrowheads, above the board, and its middle is within
    // a twentieth of the checker of the checker's middle.
    const double a = in.checkerWidthPx / 15.0;
    const QPoint c = corner - crop.topLeft();
    // The dimension line: the dark row near where the caption distance puts it.
    const int expectedLine = c.y() - int(StrToFloat(window.eSizeDistance->text()) * threeCm / 3.0);
    int lineRow = -1;
    for (int y = expectedLine - 3; y <= expectedLine + 3 && lineRow < 0; ++y)
        if (PdfRaster::IsDark(detail, c.x() + int(a) + 8, y))
            lineRow = y;
    QVERIFY2(lineRow >= 0, "no dimension line above the first checker");
    QRect ink;
    for (int y = lineRow - int(1.2 * a); y < c.y(); ++y) { // below the frame
        if (qAbs(y - lineRow) <= 2)
            continue; // the dimension line itself
        for (int x = c.x() + int(a) + 4; x < c.x() + cellWidth - int(a) - 4; ++x)
            if (PdfRaster::IsDark(detail, x, y))
                ink |= QRect(x, y, 1, 1);
    }
    const QString label = QStringLiteral("label ink %1,%2 %3x%4; checker at %5,%6")
                              .arg(ink.x())
                              .arg(ink.y())
                              .arg(ink.width())
                              .arg(ink.height())
                              .arg(c.x())
                              .arg(c.y());
    QVERIFY2(ink.height() > a / 2, qPrintable(label));
    QVERIFY2(ink.bottom() < c.y() && ink.top() < lineRow && ink.bottom() > lineRow,
             qPrintable(label));
    QVERIFY2(qAbs(ink.center().x() - (c.x() + cellWidth / 2)) < cellWidth / 20, qPrintable(label));
    // The label's white cell hides the middle of the dimension line.
    QVERIFY2(!PdfRaster::IsDark(detail, c.x() + cellWidth / 2, lineRow), qPrintable(label));

    // The page is drawn as vector shapes: any image in it (a caption label)
    // is far smaller than one checker, let alone the page.
    const QSize largest = PdfRaster::LargestImage(pdf);
    QVERIFY2(largest.isValid(), "pdfimages could not read the printed PDF");
    QVERIFY2(largest.width() < cellWidth / 2 && largest.height() < cellHeight / 2,
             qPrintable(QStringLiteral("an image of %1 x %2 pixels in the printed page")
                            .arg(largest.width())
                            .arg(largest.height())));
}

QTEST_MAIN(TestPrintE2E)
#include "tst_printe2e.moc"
