// SPDX-License-Identifier: MIT
// End to end: the real window prints on the system's default printer, which the
// CTest fixture made a cups-pdf queue, and the PDF that comes out is measured;
// the window's saved PDF and the command line's print are the printed page, and
// OpenCV finds a printed ChArUco board; the print system's own page for a
// printer is the one Qt's print dialog gives it.

#include "app/MainWindow.h"
#include "app/QtPrinterDevice.h"
#include "model/Numeric.h"
#include "model/ScaleCorrection.h"
#include "render/BoardRenderer.h"
#include "support/Detectors.h"
#include "support/PdfRaster.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr int kPrintTimeoutMs = 60000;
constexpr int kSurveyDpi = 100;  // compares whole pages
constexpr int kCropBorder = 400; // room for the caption around the measured checker
constexpr int kDetectDpi = 200;  // a 3 cm square is 236 pixels, a marker bit 22

// Runs print, waits until the queue has no job left and has written one new
// PDF, and returns that file.
QString PrintAndWait(const std::function<void()>& print) {
    const QString queue = qEnvironmentVariable("QUADRIX_PRINT_QUEUE");
    const QDir out(qEnvironmentVariable("QUADRIX_PRINT_OUT"));
    const auto added = [&out, before = out.entryList({"*.pdf"}, QDir::Files)] {
        QStringList names = out.entryList({"*.pdf"}, QDir::Files);
        names.removeIf([&](const QString& name) { return before.contains(name); });
        return names;
    };
    print();
    const auto idle = [&queue] {
        QProcess lpstat;
        lpstat.start("lpstat", {"-o", queue});
        return lpstat.waitForFinished(10000) && lpstat.exitCode() == 0 &&
               lpstat.readAllStandardOutput().trimmed().isEmpty();
    };
    const bool done =
        QTest::qWaitFor([&] { return idle() && !added().isEmpty(); }, kPrintTimeoutMs);
    return done && added().size() == 1 ? out.filePath(added().first()) : QString();
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

    // On the printed page and on the page saved as PDF, the first checker
    // measures 3 cm times the printer's correction, to the dot, where the
    // renderer places it in the printable area; both pages carry the same ink.
    void printsOnePageAtExactSize() {
        const double across = 1.01, down = 0.99;
        const QString queue = qEnvironmentVariable("QUADRIX_PRINT_QUEUE");
        StoreCorrection(queue, {across, down});
        MainWindow window(std::make_unique<QtPrinterDevice>());
        TfQuadrix& form = window.form();
        QStringList errors;
        form.setErrorReporter([&errors](const QString& message) { errors << message; });
        const PrinterDevice& device = form.printer();
        QCOMPARE(device.name(), queue); // the default printer, not a save dialog
        const int dpi = device.dpiX();
        QCOMPARE(device.dpiY(), dpi);

        QTemporaryDir dir;
        const QString saved = dir.filePath("saved.pdf");
        QVERIFY2(window.saveAs(FileFormat::Pdf, saved), qPrintable(errors.join('\n')));
        const QString printed =
            PrintAndWait([&] { QTest::mouseClick(form.bbPrint, Qt::LeftButton); });
        QVERIFY2(errors.isEmpty() && !printed.isEmpty(),
                 qPrintable("no PDF; " + errors.join('\n')));
        QCOMPARE(PdfRaster::PageCount(printed), 1);
        // The command line prints the same page with --printer alone, and says so.
        QProcess cli;
        const QString typed = PrintAndWait([&] {
            cli.start(QUADRIX_EXE, {"--printer", queue, "--scale", "101x99"});
            cli.waitForFinished(kPrintTimeoutMs);
        });
        const QString report = cli.readAllStandardOutput();
        QVERIFY2(cli.exitCode() == 0 &&
                     report.contains("101.0 % × 99.0 % (from --scale)\nPrinted on " + queue),
                 qPrintable(report));
        const QImage a = PdfRaster::Render(saved, kSurveyDpi),
                     b = PdfRaster::Render(printed, kSurveyDpi);
        QVERIFY(a.size() == b.size() && PdfRaster::DarkBounds(a) == PdfRaster::DarkBounds(b));

        // The board's corner in the printable area, shifted by that area's
        // corner on the paper; a checker of 3 cm.
        const TRect board =
            BoardRect(1.0f, device.pageWidth(), device.pageHeight(), form.sheetInputs());
        const double threeCm = 3.0 / 2.54 * dpi;
        const QRect cell(
            device.pageLayout().paintRectPixels(dpi).topLeft() +
                QPoint(int(board.Left), int(board.Top)),
            QSize(RoundHalfDown(float(threeCm * across)), RoundHalfDown(float(threeCm * down))));
        const QRect crop = cell.adjusted(-kCropBorder, -kCropBorder, kCropBorder, kCropBorder);
        for (const QString& pdf : {printed, saved, typed}) {
            const QRect checker = PdfRaster::DarkSpan(PdfRaster::Render(pdf, dpi, crop),
                                                      cell.center() - crop.topLeft())
                                      .translated(crop.topLeft());
            QString measured;
            QDebug(&measured) << pdf << "checker" << checker << "expected" << cell;
            QVERIFY2((checker.topLeft() - cell.topLeft()).manhattanLength() <= 1 &&
                         qAbs(checker.width() - cell.width()) <= 1 &&
                         qAbs(checker.height() - cell.height()) <= 1,
                     qPrintable(measured));
        }
        StoreCorrection(queue, {});
    }

    // The printer looked up alone through libcups gets the paper, printable
    // area and paper name that Qt's printer gives it, the user's default included.
    void looksUpTheDriversPage_data() {
        QTest::addColumn<QStringList>("setup"); // lpadmin's driver, then the user's default
        QTest::newRow("A5 Sheet, a different border each side")
            << QStringList{"-P", "print/uneven-border.ppd"};
        QTest::newRow("A4 by the user")
            << QStringList{"-P", "print/uneven-border.ppd", "PageSize=A4"};
        QTest::newRow("labels, a paper of its own")
            << QStringList{"-m", "drv:///sample.drv/dymo.ppd"};
    }
    void looksUpTheDriversPage() {
        QFETCH(QStringList, setup);
        const QString queue = "QuadrixTestDriver", driver = setup[1];
        const auto removed = qScopeGuard([&] {
            QProcess::execute("lpoptions", {"-x", queue});
            QProcess::execute("lpadmin", {"-x", queue});
        });
        QCOMPARE(QProcess::execute("lpadmin",
                                   {"-p", queue, "-E", "-v", "cups-pdf:/", setup[0],
                                    driver.startsWith("drv:") ? driver : QFINDTESTDATA(driver)}),
                 0);
        if (setup.size() > 2)
            QCOMPARE(QProcess::execute("lpoptions", {"-p", queue, "-o", setup[2]}), 0);
        const DestinationPrinter looked(queue);
        QPrinter qt(QPrinterInfo::printerInfo(queue), QPrinter::HighResolution);
        qt.setPageSize(QPrinterInfo(qt).defaultPageSize());
        QPageLayout page = qt.pageLayout();
        page.setMargins(page.minimumMargins());
        QCOMPARE(looked.pageLayout().pageSize().name(), page.pageSize().name());
        QCOMPARE(looked.pageLayout().fullRectPoints(), page.fullRectPoints());
        QCOMPARE(looked.pageLayout().paintRectPixels(looked.dpiX()),
                 page.paintRectPixels(qt.resolution()));
        QCOMPARE(looked.destination().media, page.pageSize().key());
    }

    // A ChArUco board printed from the window is found by OpenCV: every inner
    // corner with its ID, from the first marker ID set, 3 cm apart within 0.3 %.
    void printsCharucoFoundByOpenCv() {
        MainWindow window(std::make_unique<QtPrinterDevice>());
        TfQuadrix& form = window.form();
        QStringList errors;
        form.setErrorReporter([&errors](const QString& message) { errors << message; });
        form.setTarget({TargetKind::Charuco, "DICT_6X6_250", 0.75, false, 40}); // first ID 40
        const QString printed = PrintAndWait([&] { form.bbPrint->click(); });
        QVERIFY2(errors.isEmpty() && !printed.isEmpty(), qPrintable(errors.join('\n')));
        Detection markers, corners;
        FindCharuco(PdfRaster::Render(printed, kDetectDpi), cv::Size(5, 6),
                    cv::aruco::getPredefinedDictionary(cv::aruco::DICT_6X6_250), 0.75, 40, markers,
                    corners);
        QCOMPARE(int(corners.ids.size()), 4 * 5);
        std::vector<cv::Point2f> mm; // the corners' nominal places
        for (int id : corners.ids)
            mm.emplace_back(30.0f * float(id % 4), 30.0f * float(id / 4));
        QVERIFY(FitGrid(corners.points, mm, 1.0, kDetectDpi / 25.4, 0.003));
    }
};

QTEST_MAIN(TestPrintE2E)
#include "tst_printe2e.moc"
