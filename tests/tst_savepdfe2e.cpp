// Save as PDF from the window gives the page that Print gives on the same
// printer, the CTest fixture's cups-pdf queue.

#include "app/MainWindow.h"
#include "model/QtPrinterDevice.h"
#include "render/BoardRenderer.h"
#include "support/PdfRaster.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {
constexpr int kPrintTimeoutMs = 60000;
constexpr int kSurveyDpi = 50;
constexpr int kCropBorder = 300;
} // namespace

class TestSavePdfE2E : public QObject {
    Q_OBJECT
private slots:
    void savedPageIsThePrintedPage() {
        const QDir out(qEnvironmentVariable("QUADRIX_PRINT_OUT"));
        QVERIFY2(!qEnvironmentVariableIsEmpty("QUADRIX_PRINT_OUT"), "run through ctest");
        MainWindow window(std::make_unique<QtPrinterDevice>());
        QStringList errors;
        window.form().setErrorReporter([&errors](const QString& m) { errors << m; });
        QCOMPARE(window.form().printer().name(), qEnvironmentVariable("QUADRIX_PRINT_QUEUE"));
        QTemporaryDir dir;
        const QString saved = dir.filePath("saved.pdf");
        QVERIFY2(window.saveAs(FileFormat::Pdf, saved), qPrintable(errors.join('\n')));

        const QStringList before = out.entryList({"*.pdf"}, QDir::Files);
        window.form().bbPrint->click();
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n')));
        QTRY_VERIFY_WITH_TIMEOUT(out.entryList({"*.pdf"}, QDir::Files).size() > before.size(),
                                 kPrintTimeoutMs);
        QStringList added = out.entryList({"*.pdf"}, QDir::Files);
        for (const QString& name : before)
            added.removeAll(name);
        const QString printed = out.filePath(added.first());
        QTRY_VERIFY_WITH_TIMEOUT(PdfRaster::PageCount(printed) == 1, kPrintTimeoutMs);
        QCOMPARE(PdfRaster::PageCount(saved), 1);

        // The whole page alike (same paper, same ink), then the first checker to the dot.
        const QImage a = PdfRaster::Render(saved, kSurveyDpi);
        const QImage b = PdfRaster::Render(printed, kSurveyDpi);
        QCOMPARE(a.size(), b.size());
        QCOMPARE(PdfRaster::DarkBounds(a), PdfRaster::DarkBounds(b));
        auto& device = static_cast<QtPrinterDevice&>(window.form().printer());
        const int dpi = device.dpiX();
        const SheetInputs in = window.form().sheetInputs();
        const TRect board = BoardRect(1.0f, device.pageWidth(), device.pageHeight(), in);
        const QPoint corner = device.pageLayout().paintRectPixels(dpi).topLeft() +
                              QPoint(int(board.Left), int(board.Top));
        const QRect crop(corner - QPoint(kCropBorder, kCropBorder),
                         QSize(2 * kCropBorder, 2 * kCropBorder) +
                             QSize(1, 1) * int(in.checkerWidthPx));
        const QPoint centre =
            QPoint(kCropBorder, kCropBorder) + QPoint(1, 1) * int(in.checkerWidthPx / 2);
        const QRect savedChecker = PdfRaster::DarkSpan(PdfRaster::Render(saved, dpi, crop), centre);
        const QRect printedChecker =
            PdfRaster::DarkSpan(PdfRaster::Render(printed, dpi, crop), centre);
        QVERIFY(!savedChecker.isEmpty());
        QCOMPARE(savedChecker, printedChecker);
        QCOMPARE(savedChecker.topLeft(), QPoint(kCropBorder, kCropBorder));
    }
};

QTEST_MAIN(TestSavePdfE2E)
#include "tst_savepdfe2e.moc"
