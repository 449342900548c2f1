// End to end: the quadrix command writes PDF and SVG pages, measured at 1200 dpi;
// bad options and unwritable files leave nothing behind. And the window's
// copied command line makes the window's page.

#include "app/MainWindow.h"
#include "cli/CommandLineParser.h"
#include "cli/SheetFromOptions.h"
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

struct Run {
    int exitCode = -1;
    QString out, err;
};

Run Quadrix(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(QUADRIX_EXE), args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

// The page size in mm: the SVG's width and height, or pdfinfo's points.
QSizeF PageMm(const QString& file) {
    QFile f(file);
    f.open(QIODevice::ReadOnly);
    const auto m =
        QRegularExpression(QStringLiteral("width=\"([\\d.]+)mm\" height=\"([\\d.]+)mm\""))
            .match(QString::fromUtf8(f.read(400)));
    if (m.hasMatch())
        return {m.captured(1).toDouble(), m.captured(2).toDouble()};
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {file});
    info.waitForFinished();
    const auto pts = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts"))
                         .match(QString::fromLatin1(info.readAllStandardOutput()));
    return QSizeF(pts.captured(1).toDouble(), pts.captured(2).toDouble()) * (25.4 / 72);
}

} // namespace

class TestFileOutput : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    // Expected corners from the paper, the margins and the alignment rules:
    // centred, the frame distance d is taken off before halving.
    void writesPageAtExactSize_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QSizeF>("paperMm");
        QTest::addColumn<QPoint>("corner");
        QTest::addColumn<QSize>("cell");
        QTest::addColumn<QString>("corners");
        // Qt holds a page in whole points: A4 is 595 x 842 pt.
        const double a4w = qRound(595 / 72.0 * kDpi), a4h = qRound(842 / 72.0 * kDpi);
        const double c = 3 * kCm, d = 0.6 * kCm;
        QTest::newRow("pdf, start board centred on A4")
            << QStringList{"--paper", "A4", "--output", "b.pdf"} << QSizeF(210, 297)
            << QPoint(int((int(a4w) - 5 * c - d) / 2), int((int(a4h) - 6 * c - d) / 2))
            << QSize(1417, 1417) << "4 × 5";
        QTest::newRow("svg, 2.5x3cm left top, Letter, half-inch margins")
            << QStringList{"--checker", "2.5x3cm",   "--align", "left,top", "--paper",
                           "Letter",    "--margins", "0.5in",   "--output", "b.svg"}
            << QSizeF(215.9, 279.4) << QPoint(600 + int(0.55 * kCm), 600 + int(0.55 * kCm))
            << QSize(1181, 1417) << "4 × 5";
        QTest::newRow("pdf, 7x5 one-inch right bottom, Letter landscape, no frame")
            << QStringList{"--columns",  "7",        "--rows",  "5",
                           "--checker",  "1in",      "--align", "right,bottom",
                           "--no-frame", "--paper",  "letter",  "--orientation",
                           "landscape",  "--output", "b.pdf"}
            << QSizeF(279.4, 215.9) << QPoint(13200 - 7 * 1200, 10200 - 5 * 1200)
            << QSize(1200, 1200) << "6 × 4";
        QTest::newRow("svg, 10 columns keep the start board: 1.5 x 3 cm, mm paper")
            << QStringList{"--columns", "10",        "--no-frame", "--align", "left,top",
                           "--paper",   "200x250mm", "--output",   "b.svg"}
            << QSizeF(200, 250) << QPoint(0, 0) << QSize(709, 1417) << "9 × 5";
    }
    void writesPageAtExactSize() {
        QFETCH(QStringList, args);
        QFETCH(QSizeF, paperMm);
        QFETCH(QPoint, corner);
        QFETCH(QSize, cell);
        QFETCH(QString, corners);
        const QString file = dir.filePath(args.last());
        args.last() = file;
        const Run run = Quadrix(args);
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY2(run.out.contains(corners + " inner corners"), qPrintable(run.out));
        const QSizeF mm = PageMm(file);
        // A PDF's page is stated in whole points.
        const double tolerance = file.endsWith(".pdf") ? 0.5 * 25.4 / 72 : 0.001;
        QVERIFY2(qAbs(mm.width() - paperMm.width()) < tolerance &&
                     qAbs(mm.height() - paperMm.height()) < tolerance,
                 qPrintable(QStringLiteral("%1 x %2 mm").arg(mm.width()).arg(mm.height())));
        const bool pdf = file.endsWith(".pdf");
        if (pdf)
            QCOMPARE(PdfRaster::PageCount(file), 1);

        const QRect crop =
            QRect(corner, cell).adjusted(-kCropBorder, -kCropBorder, kCropBorder, kCropBorder) &
            QRect(0, 0, 20000, 20000);
        const QImage page =
            pdf ? PdfRaster::Render(file, kDpi, crop) : PdfRaster::RenderSvg(file, kDpi, crop);
        const QRect checker =
            PdfRaster::DarkSpan(page, QRect(corner - crop.topLeft(), cell).center());
        const QRect measured = checker.translated(crop.topLeft());
        QVERIFY2((measured.topLeft() - corner).manhattanLength() <= 1 &&
                     qAbs(measured.width() - cell.width()) <= 1 &&
                     qAbs(measured.height() - cell.height()) <= 1,
                 qPrintable(QStringLiteral("checker at %1,%2 size %3 x %4")
                                .arg(measured.x())
                                .arg(measured.y())
                                .arg(measured.width())
                                .arg(measured.height())));
    }

    void rejectsBadOptions_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("named");
        const auto row = [](const char* name, QStringList args, const char* named) {
            QTest::newRow(name) << args << QString::fromLatin1(named);
        };
        row("count below 2", {"--columns", "1"}, "--columns");
        row("count not a number", {"--rows", "six"}, "--rows");
        row("checker without unit", {"--checker", "3"}, "--checker");
        row("checker of zero", {"--checker", "0x3cm"}, "--checker");
        row("board in furlongs", {"--board", "15x18furlong"}, "--board");
        row("checker and board", {"--checker", "3cm", "--board", "15x18cm"}, "--board");
        row("alignment one word", {"--align", "middle"}, "--align");
        row("unknown paper", {"--paper", "B99"}, "--paper");
        row("margins fill the paper", {"--paper", "A4", "--margins", "11cm"}, "--margins");
        row("resolution too low", {"--resolution", "10"}, "--resolution");
        row("distance without unit", {"--frame-distance", "5"}, "--frame-distance");
        row("unknown option", {"--colour", "red"}, "colour");
        row("no printer of that name", {"--printer", "NoSuchQueue"}, "--printer");
    }
    void rejectsBadOptions() {
        QFETCH(QStringList, args);
        QFETCH(QString, named);
        const QString file = dir.filePath("bad.pdf");
        const Run run = Quadrix(args << "--output" << file);
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(named) && run.err.count('\n') == 1, qPrintable(run.err));
        QVERIFY(!QFile::exists(file));
    }

    void unwritableFileIsAnErrorAndNothingIsLost_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("setup"); // locked: an old file in an immutable folder
        QTest::addColumn<QString>("reason");
        QTest::newRow("no such folder") << "missing/b.pdf"
                                        << ""
                                        << "No such file";
        QTest::newRow("folder locked, old file kept") << "locked/b.svg"
                                                      << "locked"
                                                      << "not permitted";
        QTest::newRow("a folder is no file") << "folder.pdf"
                                             << "folder"
                                             << "not a regular file";
    }
    void unwritableFileIsAnErrorAndNothingIsLost() {
        QFETCH(QString, target);
        QFETCH(QString, setup);
        QFETCH(QString, reason);
        const QString path = dir.filePath(target);
        const QString folder = QFileInfo(path).path();
        if (setup == "folder")
            QVERIFY(QDir().mkpath(path));
        if (setup == "locked") {
            QFile old(path);
            QVERIFY(QDir().mkpath(folder) && old.open(QIODevice::WriteOnly) &&
                    old.write("old") == 3);
            old.close();
            if (QProcess::execute("chattr", {"+i", folder}) != 0)
                QSKIP("chattr +i is not available here (needs root and a supporting file system)");
        }
        const Run run = Quadrix({"--paper", "A4", "--output", path});
        if (setup == "locked")
            QProcess::execute("chattr", {"-i", folder});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(path) && run.err.contains(reason), qPrintable(run.err));
        if (setup == "locked") {
            QFile old(path);
            QVERIFY(old.open(QIODevice::ReadOnly));
            QCOMPARE(old.readAll(), QByteArray("old"));
            QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{"b.svg"});
        } else if (setup == "folder") {
            QVERIFY(QFileInfo(path).isDir() && QDir(path).isEmpty());
        } else {
            QVERIFY(!QFile::exists(path));
        }
    }

    // The menu bar lies above the form, which keeps its size; Print is bbPrint.
    void menuBarLeavesTheFormAsItIs() {
        auto* printer = new FakePrinterDevice("P", 600, 600, 4800, 6600);
        MainWindow window{std::unique_ptr<PrinterDevice>(printer)};
        QStringList errors;
        window.form().setErrorReporter([&errors](const QString& m) { errors << m; });
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.form().geometry(), QRect(0, window.menuBar()->height(), 585, 404));
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QMap<QString, QAction*> byKey;
        for (QAction* action : window.findChildren<QAction*>())
            byKey[action->shortcut().toString()] = action;
        QVERIFY(byKey.contains("Ctrl+S") && byKey.contains("Ctrl+P"));
        byKey["Ctrl+P"]->trigger();
        QCOMPARE(printer->jobsFinished, 1);
        QVERIFY(!window.saveAs(FileFormat::Pdf, dir.filePath("missing/x.pdf")));
        QVERIFY(errors.size() == 1 && errors[0].contains("missing/x.pdf: No such file"));
    }

    // The window's page is made again by its copied command line (and by the
    // command line's start values), on the same printer.
    void commandLineMakesTheWindowsPage_data() {
        QTest::addColumn<bool>("edited");
        QTest::newRow("start values") << false;
        QTest::newRow("edited window, copied command line") << true;
    }
    void commandLineMakesTheWindowsPage() {
        QFETCH(bool, edited);
        MainWindow window(std::make_unique<FakePrinterDevice>("P", 600, 600, 4800, 6600));
        TfQuadrix& f = window.form();
        QStringList args{"quadrix", "--output", "x.pdf"};
        if (edited) {
            f.seWidth->setText("9");
            f.eCheckerHeight->setText("2.5");
            f.cbUnitsC->setItemIndex(1);
            f.eCheckerWidth->setText("1.25");
            f.rgVertical->setItemIndex(2);
            f.eSizeDistance->setText("0.4");
            f.cbFrame->setChecked(false);
            args = window.commandLine().split(' ');
        }
        const ParsedCommandLine parsed = ParseCommandLine(args);
        QVERIFY2(parsed.action == ParsedCommandLine::Action::Run, qPrintable(parsed.text));
        const SheetInputs cli = SheetFromOptions(parsed.options.board, 600, 600, 4800, 6600);
        const SheetInputs win = f.sheetInputs();
        QCOMPARE(QList<float>({cli.checkerWidthPx, cli.checkerHeightPx, cli.patternWidthPx,
                               cli.patternHeightPx}),
                 QList<float>({win.checkerWidthPx, win.checkerHeightPx, win.patternWidthPx,
                               win.patternHeightPx}));
        QCOMPARE(QStringList({cli.frameDistanceText, cli.sizeDistanceText, cli.checkerWidthText,
                              cli.checkerHeightText, cli.unitName}),
                 QStringList({win.frameDistanceText, win.sizeDistanceText, win.checkerWidthText,
                              win.checkerHeightText, win.unitName}));
        QCOMPARE(QList<int>({cli.columns, cli.rows, cli.horizontal, cli.vertical, cli.frame,
                             cli.sizeCaption, cli.frameUnit, cli.sizeUnit}),
                 QList<int>({win.columns, win.rows, win.horizontal, win.vertical, win.frame,
                             win.sizeCaption, win.frameUnit, win.sizeUnit}));
    }
};

QTEST_MAIN(TestFileOutput)
#include "tst_fileoutput.moc"
