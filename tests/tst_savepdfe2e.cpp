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
constexpr int kCropBorder = 400; // less than a 3 cm checker at 1200 dpi
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

        const auto newestFirst = [&out] {
            return out.entryList({"*.pdf"}, QDir::Files, QDir::Time);
        };
        const qsizetype before = newestFirst().size();
        window.form().bbPrint->click();
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n')));
        QTRY_VERIFY_WITH_TIMEOUT(newestFirst().size() > before &&
                                     PdfRaster::PageCount(out.filePath(newestFirst()[0])) == 1,
                                 kPrintTimeoutMs);
        const QString printed = out.filePath(newestFirst()[0]);

        // The whole page alike (same paper, same ink), then the first checker to the dot.
        const QImage a = PdfRaster::Render(saved, kSurveyDpi);
        const QImage b = PdfRaster::Render(printed, kSurveyDpi);
        QVERIFY(a.size() == b.size() && PdfRaster::DarkBounds(a) == PdfRaster::DarkBounds(b));
        const PrinterDevice& device = window.form().printer();
        const SheetInputs in = window.form().sheetInputs();
        const TRect board = BoardRect(1.0f, device.pageWidth(), device.pageHeight(), in);
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
};

QTEST_MAIN(TestSavePdfE2E)
#include "tst_savepdfe2e.moc"
