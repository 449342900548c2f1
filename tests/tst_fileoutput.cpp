// SPDX-License-Identifier: MIT
// End to end: the quadrix command writes PDF and SVG pages, measured at 1200 dpi;
// bad options and unwritable files leave nothing behind. And the window: its
// menu bar leaves the form as it is, its copied command line makes its page.

#include "app/MainWindow.h"
#include "cli/CommandLineParser.h"
#include "cli/SheetFromOptions.h"
#include "output/SheetFile.h"
#include "support/FakePrinterDevice.h"
#include "support/PdfRaster.h"

#include <QMenuBar>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr int kDpi = 1200;
constexpr double kCm = kDpi / 2.54; // dots per cm
constexpr int kCropBorder = 200;
constexpr int kWindowUpMs = 2000; // a window that opens runs this long at least

struct Run {
    int exitCode = -1;
    QString out, err;
};

Run Quadrix(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(QUADRIX_EXE), args);
    p.waitForFinished(60000);
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

// The page size in mm: the SVG's own, pdfinfo's in points, or a PNG's pixels
// at the resolution stored in it.
QSizeF PageMm(const QString& file) {
    if (const QImage png(file); file.endsWith(".png"))
        return QSizeF(png.width() * 1000.0 / png.dotsPerMeterX(),
                      png.height() * 1000.0 / png.dotsPerMeterY());
    QProcess info;
    info.start("pdfinfo", {file});
    info.waitForFinished();
    QFile svg(file);
    svg.open(QIODevice::ReadOnly);
    const QString text = file.endsWith(".svg") ? svg.read(400) : info.readAllStandardOutput();
    const auto m =
        QRegularExpression("(?:width=\"|Page size:\\s+)([\\d.]+)(mm\" height=\"| x )([\\d.]+)")
            .match(text);
    return QSizeF(m.captured(1).toDouble(), m.captured(3).toDouble()) *
           (m.captured(2) == " x " ? 25.4 / 72 : 1);
}

} // namespace

class TestFileOutput : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    // Scale corrections the window stores stay in this test's folder.
    void initTestCase() {
        qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
        QCoreApplication::setOrganizationName("Quadrix");
    }

    // Expected corners from the paper, the margins and the alignment rules:
    // centred, the frame distance d is taken off before halving.
    void writesPageAtExactSize_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QSizeF>("paperMm");
        QTest::addColumn<QPoint>("corner");
        QTest::addColumn<QSize>("cell");
        QTest::addColumn<QString>("reported");
        // Qt holds a page in whole points: A4 is 595 x 842 pt.
        const int a4w = qRound(595 / 72.0 * kDpi), a4h = qRound(842 / 72.0 * kDpi);
        const double c = 3 * kCm, d = 0.6 * kCm;
        QTest::newRow("pdf at 600 dpi, start board centred on A4")
            << QString("--paper A4 --resolution 600 --output b.pdf").split(' ') << QSizeF(210, 297)
            << QPoint((a4w - 5 * c - d) / 2, (a4h - 6 * c - d) / 2) << QSize(1417, 1417)
            << "4 × 5 inner corners";
        QTest::newRow("svg, 25x30mm left top, landscape mm paper, half-inch margins")
            << QString("--checker 25x30mm --frame-distance 5mm --align left,top --paper 200x250mm "
                       "--orientation landscape --margins 0.5in --output b.svg")
                   .split(' ')
            << QSizeF(250, 200) << QPoint(600 + int(0.5 * kCm), 600 + int(0.5 * kCm))
            << QSize(1181, 1417) << "Scale correction: none";
        QTest::newRow("pdf, 10 columns keep the start board (1.5 x 3 cm), right bottom, landscape")
            << QString("--columns 10 --align right,bottom --no-frame --paper letter --orientation "
                       "landscape --output b.pdf")
                   .split(' ')
            << QSizeF(279.4, 215.9) << QPoint(13200 - 10 * 1.5 * kCm, 10200 - 6 * c)
            << QSize(709, 1417) << "9 × 5 inner corners";
        // 3 cm = 1417.32 dots: x 1.05 = 1488.19, x 0.95 = 1346.46; the frame distance
        // takes the mean of both corrections, 100 % here.
        QTest::newRow("pdf, --scale 105x95 (the limits) on A4")
            << QString("--scale 105x95 --paper A4 --output b.pdf").split(' ') << QSizeF(210, 297)
            << QPoint((a4w - 1.05 * 5 * c - d) / 2, (a4h - 0.95 * 6 * c - d) / 2)
            << QSize(1488, 1346) << "105.0 % × 95.0 % (from --scale)";
        // 11 mm, rounded by Qt to 0.43 in, is 0.7 % off; its printable area is 31 pt, 517 dots.
        // A phone's 68 x 151 mm screen at 460 ppi: 1231.496 x 2734.6 px, to whole
        // pixels; the 5 x 6 cm board's checkers 181.1 px; centred.
        QTest::newRow("png for a phone, 1 cm checkers at 460 ppi")
            << QString("--paper 68x151mm --resolution 460 --checker 1cm --no-frame --no-caption "
                       "--output b.png")
                   .split(' ')
            << QSizeF(68, 151) << QPoint((1231 - 905) / 2, (2735 - 1087) / 2) << QSize(181, 181)
            << "Wrote";
        QTest::newRow("svg, 5 mm checkers on an 11 mm page, Qt's own options ignored")
            << QString("-platform xcb -style=fusion --paper 11x11mm --checker 5mm --columns 2 "
                       "--rows 2 --no-frame --no-caption --output b.svg")
                   .split(' ')
            << QSizeF(11, 11) << QPoint(22, 22) << QSize(236, 236) << "1 × 1 inner corners";
    }
    void writesPageAtExactSize() {
        QFETCH(QStringList, args);
        QFETCH(QSizeF, paperMm);
        QFETCH(QPoint, corner);
        QFETCH(QSize, cell);
        QFETCH(QString, reported);
        const QString file = args.last() = dir.filePath(args.last());
        const bool pdf = file.endsWith(".pdf"), png = file.endsWith(".png");
        const Run run = Quadrix(args);
        QVERIFY2(run.exitCode == 0 && run.out.contains(reported), qPrintable(run.out + run.err));
        // A PDF's page is stated in whole points.
        const QSizeF error = PageMm(file) - paperMm;
        const double tolerance = pdf ? 0.5 * 25.4 / 72 : png ? 25.4 / 460 : 0.001;
        QVERIFY2(qAbs(error.width()) < tolerance && qAbs(error.height()) < tolerance,
                 qPrintable(QString("page off by %1 mm").arg(error.width() + error.height())));
        QVERIFY(!pdf || PdfRaster::PageCount(file) == 1);
        QFile written(file); // the caption's labels one bit a pixel, never lossy JPEG
        QVERIFY(written.open(QIODevice::ReadOnly) && !written.readAll().contains("/DCTDecode"));

        const QRect crop =
            QRect(corner, cell).adjusted(-kCropBorder, -kCropBorder, kCropBorder, kCropBorder) &
            QRect(0, 0, 20000, 20000);
        const QImage page = png ? QImage(file).convertToFormat(QImage::Format_Grayscale8).copy(crop)
                                : PdfRaster::Render(file, kDpi, crop);
        const QRect measured =
            PdfRaster::DarkSpan(page, QRect(corner - crop.topLeft(), cell).center())
                .translated(crop.topLeft());
        QString found;
        QDebug(&found) << "checker" << measured << "expected at" << corner << cell;
        QVERIFY2((measured.topLeft() - corner).manhattanLength() <= 1 &&
                     qAbs(measured.width() - cell.width()) <= 1 &&
                     qAbs(measured.height() - cell.height()) <= 1,
                 qPrintable(found));
    }

    // Bad input ends with one line naming what is wrong, and no file: an
    // option that cannot be met (exit 2) or a target that cannot be written (1).
    // A page that cannot be printed also ends with 1, its file kept.
    void rejectsBadInput_data() {
        QTest::addColumn<QString>("args"); // %1: an empty folder, named *.pdf
        QTest::addColumn<QString>("named");
        QTest::addColumn<int>("exitCode");
        const struct {
            const char *name, *args, *named;
            int exitCode;
        } rows[] = {{"count below 2", "--columns 1", "--columns", 2},
                    {"checker without unit", "--checker 3", "--checker", 2},
                    {"checker of zero", "--checker 0x3cm", "--checker", 2},
                    {"checker and board", "--checker 3cm --board 15x18cm", "--board", 2},
                    {"alignment one word", "--align middle", "--align", 2},
                    {"unknown paper", "--paper B99", "--paper", 2},
                    {"margins fill the paper", "--paper A4 --margins 11cm", "--margins", 2},
                    {"resolution too low", "--resolution 10", "--resolution", 2},
                    {"scale as a factor", "--scale 1.01x0.99", "--scale", 2},
                    {"unknown option", "--colour red", "colour", 2},
                    {"empty printer name", "--printer=", "--printer", 2},
                    {"print system unreachable (CUPS_SERVER)", "--printer Q",
                     "cannot be reached (no connection to 127.0.0.1:1)", 1},
                    {"board too large to draw", "--paper A4 --board 1e39x1e39cm", "--board", 2},
                    {"ten thousand digits, cut short", "--rows %9", "9…'", 2},
                    {"no such folder", "--paper A4 --output %1/missing/b.pdf",
                     "%1/missing/b.pdf: No such file", 1},
                    {"a folder is no file", "--paper A4 --output %1", "%1: not a regular file", 1},
                    {"a PNG too large to draw", "--paper A0 --resolution 9600 --output %1/b.png",
                     "too large for an image", 1},
                    {"file written, no printer to print on", "--paper A4 --print",
                     "nothing was printed", 1}};
        for (const auto& row : rows)
            QTest::newRow(row.name) << QString(row.args) << QString(row.named) << row.exitCode;
    }
    void rejectsBadInput() {
        QFETCH(QString, args);
        QFETCH(QString, named);
        QFETCH(int, exitCode);
        const QDir empty(
            dir.filePath(QString(QTest::currentDataTag()).replace(u' ', u'_') + ".pdf"));
        QVERIFY(QDir().mkpath(empty.path()));
        QStringList list =
            args.replace("%1", empty.path()).replace("%9", QString(10000, '9')).split(' ');
        if (!list.contains("--output"))
            list << "--output" << empty.filePath("bad.pdf");
        const Run run = Quadrix(list);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(named.replace("%1", empty.path())) && run.err.count('\n') == 1,
                 qPrintable(run.err));
        QCOMPARE(empty.isEmpty(), !list.contains("--print"));
    }

    // Without a task, Qt's own options and their values left to Qt, the program
    // opens the window from its module: after a while it still runs.
    void opensTheWindow() {
        QProcess window;
        window.start(QUADRIX_EXE, QString("-platform offscreen -session 1a2b -style fusion "
                                          "--style=fusion -reverse")
                                      .split(' '));
        QVERIFY2(!window.waitForFinished(kWindowUpMs), window.readAllStandardError().constData());
        window.kill();
        window.waitForFinished();
    }

    // The menu bar lies above the form, which keeps its size; Print is bbPrint.
    void menuBarLeavesTheFormAsItIs() {
        auto* printer = new FakePrinterDevice("P", 600, 600, 4800, 6600);
        MainWindow window{std::unique_ptr<WindowPrinter>(printer)};
        QStringList errors;
        window.form().setErrorReporter([&errors](const QString& m) { errors << m; });
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.form().geometry(), QRect(0, window.menuBar()->height(), 585, 404));
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QMap<QString, QAction*> menu; // by text and shortcut
        for (QAction* action : window.findChildren<QAction*>())
            menu[action->text().remove('&') + action->shortcut().toString()] = action;
        QVERIFY(menu.contains("Save as PDF…Ctrl+S") && menu.contains("PrintCtrl+P"));
        menu["PrintCtrl+P"]->trigger();
        QCOMPARE(printer->jobsFinished, 1);
        QTimer::singleShot(0, [&] { // a bare name typed gets the format's suffix
            QWidget* dialog = QApplication::activeModalWidget();
            dialog->findChild<QLineEdit*>("fileNameEdit")->setText(dir.filePath("board2"));
            QMetaObject::invokeMethod(dialog, "accept");
        });
        menu["Save as PDF…Ctrl+S"]->trigger();
        QVERIFY(QFileInfo::exists(dir.filePath("board2.pdf")));
        QVERIFY(!window.saveAs(FileFormat::Pdf, dir.filePath("missing/x.pdf")));
        QVERIFY(errors.size() == 1 && errors[0].contains("missing/x.pdf: No such file"));
        window.form().bbExit->click(); // closes the whole window, not just the form
        QVERIFY(!window.isVisible());
    }

    // The command line's start values make the window's start page (the
    // distances a fifth and a tenth of the checker); the command line copied
    // from an edited window makes that window's page.
    void commandLineMakesTheWindowsPage() {
        MainWindow window(std::make_unique<FakePrinterDevice>("P", 600, 600, 4800, 6600));
        TfQuadrix& f = window.form();
        const auto svg = [&](const SheetInputs& in) { // the page as drawn, to the byte
            WriteSheetFile(dir.filePath("page.svg"), FileFormat::Svg, PrinterFilePage(f.printer()),
                           in);
            QFile file(dir.filePath("page.svg"));
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        const BoardOptions start = ParseCommandLine({"quadrix", "--print"}).options.board;
        QCOMPARE(svg(SheetFromOptions(start, 600, 600, 4800, 6600, {})), svg(f.sheetInputs()));
        f.seWidth->setText("9");
        f.eCheckerHeight->setText("2.5");
        f.cbUnitsC->setItemIndex(1);
        f.eCheckerWidth->setText("1.25");
        f.rgVertical->setItemIndex(2);
        f.rgHorizontal->setItemIndex(0);
        f.eSizeDistance->setText("0.4");
        f.cbFrame->setChecked(false);
        f.setCorrection({1.004, 0.997});
        f.setTarget({TargetKind::Charuco, "DICT_4X4_100", 0.6, true, 20});
        const ParsedCommandLine parsed = ParseCommandLine(window.commandLine().split(' '));
        QVERIFY2(parsed.action == ParsedCommandLine::Action::Run, qPrintable(parsed.text));
        const ScaleCorrection scale = parsed.options.output.scale.value_or(ScaleCorrection{});
        const QByteArray fromOptions =
            svg(SheetFromOptions(parsed.options.board, 600, 600, 4800, 6600, scale));
        QVERIFY(fromOptions.contains("<rect"));
        QCOMPARE(fromOptions, svg(f.sheetInputs()));
        const QPageSize paper = f.printer().pageLayout().pageSize();
        QVERIFY(parsed.options.output.paper->isEquivalentTo(paper) &&
                parsed.options.output.resolution == 600);
    }
};

QTEST_MAIN(TestFileOutput)
#include "tst_fileoutput.moc"
