// SPDX-License-Identifier: MIT
// End to end: the real window prints on the system's default printer, which the
// CTest fixture made a cups-pdf queue, and the PDF that comes out is measured;
// the window's saved PDF is the printed page.

#include "app/MainWindow.h"
#include "model/NumberText.h"
#include "model/Numeric.h"
#include "model/QtPrinterDevice.h"
#include "model/ScaleCorrection.h"
#include "render/BoardRenderer.h"
#include "render/SheetPrinter.h"
#include "render/TestPage.h"
#include "support/PdfRaster.h"

#include <QAbstractButton>
#include <QPrinter>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr int kPrintTimeoutMs = 60000;
constexpr int kSurveyDpi = 100;       // finds the board on the whole page
constexpr double kCheckerShare = 0.8; // of a checker's side: the least a survey checker has
constexpr int kCropBorder = 400;      // room for the caption around the measured checker

// Whether the queue has no job left (the backend has written its file).
bool QueueIdle(const QString& queue) {
    QProcess lpstat;
    lpstat.start(QStringLiteral("lpstat"), {QStringLiteral("-o"), queue});
    return lpstat.waitForFinished(10000) && lpstat.exitCode() == 0 &&
           lpstat.readAllStandardOutput().trimmed().isEmpty();
}

// Top-left corner of the first solid dark square of at least side in row
// order: the board's first black checker (lines, frame corners and text are not).
QPoint FirstChecker(const QImage& page, int side) {
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QRect span = PdfRaster::DarkSpan(page, {x, y});
            bool solid =
                span.topLeft() == QPoint(x, y) && span.width() >= side && span.height() >= side;
            for (int k = 1; k < 16 && solid; ++k) // on a 4 x 4 grid over the square
                solid = PdfRaster::IsDark(page, x + side * (k % 4) / 4, y + side * (k / 4) / 4);
            if (solid)
                return {x, y};
        }
    }
    return {-1, -1};
}

// Runs print, waits for the queue to write its PDF and returns that file.
QString PrintAndWait(const std::function<void()>& print) {
    const QString queue = qEnvironmentVariable("QUADRIX_PRINT_QUEUE");
    const QDir out(qEnvironmentVariable("QUADRIX_PRINT_OUT"));
    const auto pdfs = [&out] {
        const QStringList names = out.entryList({QStringLiteral("*.pdf")}, QDir::Files);
        return QSet<QString>(names.begin(), names.end());
    };
    const QSet<QString> before = pdfs();
    print();
    if (!QTest::qWaitFor([&] { return QueueIdle(queue) && pdfs() != before; }, kPrintTimeoutMs))
        return QString();
    const QStringList added = (pdfs() - before).values();
    return added.size() == 1 ? out.filePath(added.first()) : QString();
}

// The longest dark run along any row (across) or any column (down).
int LongestRun(const QImage& page, bool across) {
    int longest = 0;
    const int lines = across ? page.height() : page.width();
    const int length = across ? page.width() : page.height();
    for (int i = 0; i < lines; ++i)
        for (int j = 0, run = 0; j < length; ++j) {
            run = PdfRaster::IsDark(page, across ? j : i, across ? i : j) ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    return longest;
}

} // namespace

class TestPrintE2E : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true); // corrections stored apart from the user's
        QCoreApplication::setOrganizationName(QStringLiteral("Quadrix"));
        QVERIFY2(!qEnvironmentVariableIsEmpty("QUADRIX_PRINT_QUEUE"),
                 "run through ctest: its fixture sets the queue up");
    }

    void printsOnePageAtExactSize_data() {
        QTest::addColumn<double>("across"); // the printer's scale correction
        QTest::addColumn<double>("down");
        QTest::newRow("as set") << 1.0 << 1.0;
        QTest::newRow("corrected 101 % x 99 %") << 1.01 << 0.99;
    }

    // The first checker measures 3 cm times the correction, to the dot, where
    // the renderer places it in the printable area.
    void printsOnePageAtExactSize() {
        QFETCH(double, across);
        QFETCH(double, down);
        const QString queue = qEnvironmentVariable("QUADRIX_PRINT_QUEUE");
        StoreCorrection(queue, {across, down});
        TfQuadrix window(std::make_unique<QtPrinterDevice>());
        QStringList errors;
        window.setErrorReporter([&errors](const QString& message) { errors << message; });
        auto& device = static_cast<QtPrinterDevice&>(window.printer());
        QCOMPARE(device.name(), queue); // the default printer, not a save dialog
        const int dpi = device.dpiX();
        QCOMPARE(device.dpiY(), dpi);

        auto* print = window.findChild<QAbstractButton*>(QStringLiteral("bbPrint"));
        QVERIFY(print);
        const QString pdf = PrintAndWait([print] { QTest::mouseClick(print, Qt::LeftButton); });
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(u'\n')));
        QVERIFY2(!pdf.isEmpty(), "the queue wrote no PDF");
        QCOMPARE(PdfRaster::PageCount(pdf), 1);

        // The board stands where the renderer places it in the printable area,
        // shifted by that area's corner on the paper; a checker is 3 cm.
        const SheetInputs in = window.sheetInputs();
        const TRect board = BoardRect(1.0f, device.pageWidth(), device.pageHeight(), in);
        const QPoint printable = device.printer().pageLayout().paintRectPixels(dpi).topLeft();
        const QPoint expected = printable + QPoint(board.Left, board.Top);
        const QSize cell(RoundHalfDown(in.checkerWidthPx), RoundHalfDown(in.checkerHeightPx));
        const double threeCm = 3.0 / 2.54 * dpi;

        // Find the first checker on a coarse page, measure it on a fine crop.
        const QPoint coarse = FirstChecker(PdfRaster::Render(pdf, kSurveyDpi),
                                           int(kCheckerShare * threeCm * kSurveyDpi / dpi));
        QVERIFY2(coarse.x() >= 0, "no checker found on the printed page");
        const QPoint approx = coarse * dpi / kSurveyDpi;
        const QRect crop =
            QRect(approx, cell).adjusted(-kCropBorder, -kCropBorder, kCropBorder, kCropBorder);
        const QImage detail = PdfRaster::Render(pdf, dpi, crop);
        const QRect checker =
            PdfRaster::DarkSpan(detail, QRect(approx - crop.topLeft(), cell).center());
        const QPoint corner = crop.topLeft() + checker.topLeft();
        QString measured;
        QDebug(&measured) << "checker" << QRect(corner, checker.size()) << "expected" << expected
                          << cell;
        QVERIFY2(qAbs(checker.width() - RoundHalfDown(float(threeCm * across))) <= 1 &&
                     qAbs(checker.height() - RoundHalfDown(float(threeCm * down))) <= 1 &&
                     qAbs(checker.width() - cell.width()) <= 1 &&
                     qAbs(checker.height() - cell.height()) <= 1 &&
                     qAbs(corner.x() - expected.x()) <= 1 && qAbs(corner.y() - expected.y()) <= 1,
                 qPrintable(measured));

        StoreCorrection(queue, {});
    }

    // Save as PDF from the window gives the page that Print gives: the same
    // paper and ink, and the same first checker to the dot.
    void savedPageIsThePrintedPage() {
        MainWindow window(std::make_unique<QtPrinterDevice>());
        QStringList errors;
        window.form().setErrorReporter([&errors](const QString& m) { errors << m; });
        QTemporaryDir dir;
        const QString saved = dir.filePath("saved.pdf");
        QVERIFY2(window.saveAs(FileFormat::Pdf, saved), qPrintable(errors.join('\n')));
        const QString printed = PrintAndWait([&window] { window.form().bbPrint->click(); });
        QVERIFY2(errors.isEmpty() && !printed.isEmpty(), qPrintable(errors.join('\n')));
        const QImage a = PdfRaster::Render(saved, kSurveyDpi);
        const QImage b = PdfRaster::Render(printed, kSurveyDpi);
        QVERIFY(a.size() == b.size() && PdfRaster::DarkBounds(a) == PdfRaster::DarkBounds(b));
        const PrinterDevice& device = window.form().printer();
        const TRect board =
            BoardRect(1.0f, device.pageWidth(), device.pageHeight(), window.form().sheetInputs());
        const QPoint border(kCropBorder, kCropBorder);
        const QRect crop(device.pageLayout().paintRectPixels(device.dpiX()).topLeft() +
                             QPoint(int(board.Left), int(board.Top)) - border,
                         QSize(3, 3) * kCropBorder);
        const QRect checker =
            PdfRaster::DarkSpan(PdfRaster::Render(saved, device.dpiX(), crop), 2 * border);
        QCOMPARE(checker,
                 PdfRaster::DarkSpan(PdfRaster::Render(printed, device.dpiX(), crop), 2 * border));
        QCOMPARE(checker.topLeft(), border);
    }

    // Printed at 100 %, the test page's bars measure their nominal lengths.
    void testPageBarsMeasureNominal() {
        TfQuadrix window(std::make_unique<QtPrinterDevice>());
        const TestPageInputs page = window.testPageInputs();
        const TestPageLayout layout = LayOutTestPage(page);
        const QString pdf = PrintAndWait([&] {
            PrintPage(window.printer(), &window, [&](Canvas& canvas, int, int) {
                DrawTestPage(canvas, page);
            });
        });
        QVERIFY2(!pdf.isEmpty(), "the queue wrote no PDF");
        constexpr int kDpi = 300;
        const QImage raster = PdfRaster::Render(pdf, kDpi);
        const double perCm = kDpi / 2.54;
        QVERIFY(layout.unitsAcross > 10 && layout.unitsDown > 10);
        QVERIFY(qAbs(LongestRun(raster, true) - layout.unitsAcross * perCm) <= 1.0);
        QVERIFY(qAbs(LongestRun(raster, false) - layout.unitsDown * perCm) <= 1.0);
    }
};

QTEST_MAIN(TestPrintE2E)
#include "tst_printe2e.moc"
