// SPDX-License-Identifier: MIT
// End to end: the quadrix command writes PDF and SVG pages, measured at 1200 dpi;
// bad options and unwritable files leave nothing behind. And the window: its
// menu bar leaves the form as it is, its copied command line makes its page.

#include "app/MainWindow.h"
#include "app/TileDialog.h"
#include "cli/CommandLineParser.h"
#include "cli/SheetFromOptions.h"
#include "output/SheetFile.h"
#include "support/FakePrinterDevice.h"
#include "support/PdfRaster.h"

#include <QClipboard>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
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
        QTest::newRow("svg, 25x30mm left top, landscape paper in metres, half-inch margins")
            << QString("--checker 25x30mm --rows 5 --frame-distance 0.005m --align left,top "
                       "--paper 0.2x0.25m --orientation landscape --margins 0.5in --output b.svg")
                   .split(' ')
            << QSizeF(250, 200) << QPoint(600 + int(0.5 * kCm), 600 + int(0.5 * kCm))
            << QSize(1181, 1417) << "Scale correction: none";
        QTest::newRow("pdf, 8 columns keep the 3 cm checker, right bottom, landscape")
            << QString("--columns 8 --align right,bottom --no-frame --paper letter --orientation "
                       "landscape --output b.pdf")
                   .split(' ')
            << QSizeF(279.4, 215.9) << QPoint(13200 - 8 * c, 10200 - 6 * c) << QSize(1417, 1417)
            << "7 × 5 inner corners";
        // 3 cm = 1417.32 dots: x 1.05 = 1488.19, x 0.95 = 1346.46; the frame distance
        // takes the mean of both corrections, 100 % here.
        QTest::newRow("pdf, --scale 105x95 (the limits) on A4")
            << QString("--scale 105x95 --paper A4 --output b.pdf").split(' ') << QSizeF(210, 297)
            << QPoint((a4w - 1.05 * 5 * c - d) / 2, (a4h - 0.95 * 6 * c - d) / 2)
            << QSize(1488, 1346) << "105.0 % × 95.0 % (from --scale)";
        // A phone's 68 x 151 mm screen at 460 ppi: 1231.496 x 2734.6 px, to whole
        // pixels; the 5 x 6 cm board's checkers 181.1 px; centred.
        QTest::newRow("png for a phone, 1 cm checkers at 460 ppi")
            << QString("--paper 68x151mm --resolution 460 --checker 1cm --no-frame --no-caption "
                       "--output b.png")
                   .split(' ')
            << QSizeF(68, 151) << QPoint((1231 - 905) / 2, (2735 - 1087) / 2) << QSize(181, 181)
            << "Wrote";
        // 11 mm, rounded by Qt to 0.43 in, is 0.7 % off; its printable area is 31 pt, 517 dots.
        QTest::newRow("svg, 5 mm checkers on an 11 mm page, Qt's own options ignored")
            << QString("-platform xcb -style=fusion --paper 11x11mm --checker 0.005m --columns 2 "
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

    // Bad input ends with one short line naming what is wrong, and nothing
    // written: an option that cannot be met (exit 2) or a target that cannot be
    // written (1). A page that cannot be printed also ends with 1, its file
    // kept. An option that changes nothing, or a page no printer was asked for,
    // is one warning, and the file is written (0).
    void rejectsBadInput_data() {
        QTest::addColumn<QString>("args"); // %1: an empty folder, named *.pdf
        QTest::addColumn<QString>("made"); // in it first, by sh
        QTest::addColumn<QString>("named");
        QTest::addColumn<int>("exitCode");
        const struct {
            const char *name, *args, *made, *named;
            int exitCode;
        } rows[] = {
            {"count below 2", "--columns 1", "", "--columns", 2},
            {"checker without unit", "--checker 3", "", "--checker", 2},
            {"checker of zero", "--checker 0x3cm", "", "--checker", 2},
            {"checker and board", "--checker 3cm --board 15x18cm", "", "--board", 2},
            {"oblong ChArUco squares", "--target charuco --checker 3x2.5cm", "", "square", 2},
            {"ChArUco 3.3 cm wider than A3", "--target charuco --columns 11 --paper A3", "",
             "runs 4.49 cm across beyond it. It would fit in landscape, or on A2 paper in "
             "portrait, or with checkers of 2.56 cm at most.",
             2},
            {"size caption off the page",
             "--columns 10 --checker 2.75cm --no-frame --align right,bottom --paper letter "
             "--orientation landscape",
             "", "cuts off its size caption: the drawing runs 0.0191 cm across", 2},
            {"alignment one word", "--align middle", "", "--align", 2},
            {"unknown paper", "--paper B99", "", "--paper", 2},
            {"margins fill the paper", "--paper A4 --margins 11cm", "", "--margins", 2},
            {"resolution too low", "--resolution 10", "", "--resolution", 2},
            {"scale as a factor", "--scale 1.01x0.99", "", "--scale", 2},
            {"unknown option", "--colour red", "", "colour", 2},
            {"empty printer name", "--printer=", "", "--printer", 2},
            {"print system unreachable (CUPS_SERVER)", "--printer Q", "",
             "cannot be reached (no connection to 127.0.0.1:1)", 1},
            {"ChArUco board too large, no caption",
             "--paper A4 --target charuco --board 1e39cm --no-caption", "", "--board", 2},
            {"paper of kilometres", "--paper 1e7x1e7mm --resolution 9600", "", "--paper", 2},
            {"paper whose length in points wraps", "--paper 555x597273.18m", "", "--paper", 2},
            {"ten thousand digits, cut short", "--rows %9", "", "9…'", 2},
            {"ten thousand characters of file name, cut short", "--paper A4 --output %1/%9.pdf", "",
             "9…9", 1},
            {"no such folder", "--paper A4 --output %1/missing/b.pdf", "",
             "%1/missing/b.pdf: No such file", 1},
            {"a folder is no file", "--paper A4 --output %1", "", "%1: not a regular file", 1},
            {"a PNG too large to draw", "--paper A0 --resolution 9600 --output %1/b.png", "",
             "too large for an image", 1},
            {"file written, no printer to print on", "--paper A4 --print", "",
             "nothing was printed", 1},
            {"card is the output", "--paper A4 --output %1/x.pdf --card %1/x.pdf", "", "--card", 2},
            {"card is the output as ./", "--paper A4 --output %1/x.pdf --card %1/./x.pdf", "",
             "--card", 2},
            {"card a symlink to the output to be", "--paper A4 --output %1/x.pdf --card %1/c.yaml",
             "ln -s x.pdf c.yaml", "--card", 2},
            {"card a hard link to the output", "--paper A4 --output %1/x.pdf --card %1/c.yaml",
             "echo page >x.pdf; ln x.pdf c.yaml", "--card", 2},
            {"empty card name", "--paper A4 --card=", "", "--card", 2},
            {"--tile to SVG", "--paper A4 --tile --output %1/b.svg", "", "--tile: the sheets", 2},
            {"a board the page cuts: --tile named", "--paper A6 --checker 3cm", "",
             "--tile would print it over 6 sheets of A6 (3 across × 2 down)", 2},
            {"dictionary by a name's beginning", "--target charuco --dictionary DICT_6X6_2", "",
             "--dictionary", 2},
            {"marker side 1 names its option", "--target charuco --marker 1", "", "--marker 1:", 2},
            {"--legacy on a checkerboard", "--paper A4 --legacy", "", "warning: --legacy", 0},
            {"--dictionary on circles", "--paper A4 --target circles --dictionary 4x4_50", "",
             "warning: --dictionary", 0},
            {"no --paper, print system unreachable: A4 told", "--columns 5", "",
             "page could not be asked; the file is on A4", 0}};
        for (const auto& row : rows)
            QTest::newRow(row.name)
                << QString(row.args) << QString(row.made) << QString(row.named) << row.exitCode;
    }
    void rejectsBadInput() {
        QFETCH(QString, args);
        QFETCH(QString, made);
        QFETCH(QString, named);
        QFETCH(int, exitCode);
        const QDir empty(
            dir.filePath(QString(QTest::currentDataTag()).replace(u' ', u'_') + ".pdf"));
        QVERIFY(QDir().mkpath(empty.path()));
        QVERIFY(QProcess::execute("sh", {"-c", "cd \"$0\"; " + made, empty.path()}) == 0);
        const auto listing = [&] {
            QStringList files;
            for (const QFileInfo& i : empty.entryInfoList(QDir::Files | QDir::System))
                files << i.fileName() + ' ' + QString::number(i.size());
            return files;
        };
        const QStringList before = listing();
        QStringList list =
            args.replace("%1", empty.path()).replace("%9", QString(10000, '9')).split(' ');
        if (!list.contains("--output"))
            list << "--output" << empty.filePath("bad.pdf");
        const Run run = Quadrix(list);
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(named.replace("%1", empty.path())) && run.err.count('\n') == 1 &&
                     run.err.size() < 400,
                 qPrintable(run.err.left(400)));
        QCOMPARE(listing() == before, exitCode != 0 && !list.contains("--print"));
    }

    // Counts alone keep the 3 cm checker; a board gives the cells, square ones
    // the largest that fit it; the checkerboard's oblong cells are named.
    void startsFromWhatItIsGiven_data() {
        QTest::addColumn<QString>("args");
        QTest::addColumn<QString>("reported");
        QTest::newRow("9 x 7 checkers") << "--columns 9 --rows 7"
                                        << "Square: 3 × 3 cm";
        QTest::newRow("AprilGrid 6 x 4") << "--target aprilgrid --columns 6 --rows 4"
                                         << "Tag pitch: 3 × 3 cm";
        QTest::newRow("ChArUco 5 x 7 in 20 x 20 cm")
            << "--target charuco --columns 5 --rows 7 --board 20x20cm"
            << "Square: 2.85714 × 2.85714 cm";
        QTest::newRow("checkerboard 8 x 6 in 20 x 18 cm") << "--columns 8 --rows 6 --board 20x18cm"
                                                          << "checkers are oblong, 2.5 × 3 cm";
        QTest::newRow("ChArUco on A6: its legend left out, said")
            << "--target charuco --checker 1cm --paper A6"
            << "legend does not fit";
    }
    void startsFromWhatItIsGiven() {
        QFETCH(QString, args);
        QFETCH(QString, reported);
        const Run run = Quadrix(QString(args + " --paper A3").section(" --paper", 0, 1).split(' ')
                                << "--output" << dir.filePath("given.pdf"));
        QVERIFY2(run.exitCode == 0 && run.out.contains(reported), qPrintable(run.out + run.err));
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
        // Alt and a letter reaches one title of the bar, and in a menu one item.
        QList<QList<QAction*>> menus{window.menuBar()->actions()};
        for (QAction* title : window.menuBar()->actions())
            menus << title->menu()->actions();
        for (const QList<QAction*>& items : menus) {
            QStringList keys;
            for (const QAction* item : items)
                if (!item->isSeparator())
                    keys << QKeySequence::mnemonic(item->text()).toString();
            QVERIFY2(!keys.contains("") && keys.removeDuplicates() == 0,
                     qPrintable(keys.join(' ')));
        }
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

    // The File menu after a page was saved as x.pdf: typed into a dialog,
    // Qt's "replace?" confirmed, the window's own question answered. Its dialog
    // is gone when a failure is told, and a new window never starts in the
    // folder of the failure. Copy command line copies no command the command
    // line would refuse.
    void fileMenu_data() {
        QTest::addColumn<QString>("typed");  // objectName=text, then the item, then a file
        QTest::addColumn<QString>("answer"); // to the window's own question
        QTest::addColumn<QString>("said");
        QTest::addColumn<QString>("files"); // in the folder afterwards, x.pdf's format first
        // clang-format off
        QTest::newRow("card over the page saved, not confirmed") << "=|Save board card…|x.pdf" << "No" << "x.pdf holds the page you saved" << "pdf x.pdf";
        QTest::newRow("card over the page saved, confirmed") << "=|Save board card…|x.pdf" << "Yes" << "x.pdf holds the page you saved" << "yaml x.pdf";
        QTest::newRow("card beside the page") << "=|Save board card…|c" << "No" << "" << "pdf c.yaml x.pdf";
        QTest::newRow("SVG typed as .pdf") << "=|Save as SVG…|y.pdf" << "" << "y.pdf is the name of a PDF file; this saves SVG" << "pdf x.pdf";
        QTest::newRow("PDF into the kernel's /proc") << "=|Save as PDF…|/proc/y.pdf" << "" << "Cannot write /proc/y.pdf" << "pdf x.pdf";
        QTest::newRow("copy, a size that is no number") << "eCheckerHeight=a|Copy command line|" << "" << "The checker height holds no number (“a”)" << "pdf x.pdf";
        QTest::newRow("copy, a size the command line refuses") << "eCheckerHeight=0|Copy command line|" << "" << "would refuse this page: --checker" << "pdf x.pdf";
        // clang-format on
    }
    void fileMenu() {
        QFETCH(QString, typed);
        QFETCH(QString, answer);
        QFETCH(QString, said);
        QFETCH(QString, files);
        QStringList step = typed.split('|'), told;
        QTemporaryDir folder;
        QString openedIn;
        const auto window = [] {
            return std::make_unique<MainWindow>(
                std::make_unique<FakePrinterDevice>("P", 600, 600, 4800, 6600));
        };
        const auto first = window();
        first->form().setErrorReporter([&told, &first](const QString& m) {
            told << m + (first->findChild<QFileDialog*>() ? " (its dialog still open)" : "");
        });
        QTimer answering; // Qt's own questions confirmed, the window's answered
        connect(&answering, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                const bool qts = box->text().contains("already exists");
                told << (qts ? QStringList() : QStringList{box->text()});
                QMetaObject::invokeMethod(
                    box->button(qts || answer == "Yes" ? QMessageBox::Yes : QMessageBox::No),
                    "click", Qt::QueuedConnection);
            } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
                openedIn = dialog->directory().absolutePath();
                const QFileInfo name(QDir(folder.path()).filePath(step[2]));
                dialog->setDirectory(name.absolutePath()); // as the user would go there
                dialog->findChild<QLineEdit*>("fileNameEdit")->setText(name.fileName());
                QMetaObject::invokeMethod(dialog, step[2].isEmpty() ? "reject" : "accept",
                                          Qt::QueuedConnection);
                step[2] = QString(); // a dialog that asks again is cancelled
            }
        });
        answering.start(20);
        const auto trigger = [](MainWindow& w, const QString& text) {
            for (QAction* action : w.findChildren<QAction*>())
                if (action->text().remove('&') == text)
                    action->trigger();
        };
        QVERIFY(first->saveAs(FileFormat::Pdf, folder.filePath("x.pdf")));
        if (QLineEdit* edit = first->findChild<QLineEdit*>(step[0].section('=', 0, 0));
            !step[0].startsWith('='))
            edit->setText(step[0].section('=', 1));
        QGuiApplication::clipboard()->setText("kept");
        trigger(*first, step[1]);
        const QString message = told.join('\n');
        QVERIFY2(message.contains(said) && message.isEmpty() == said.isEmpty() &&
                     !message.contains("still open"),
                 qPrintable(message));
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("kept"));
        QFile page(folder.filePath("x.pdf"));
        QVERIFY(page.open(QIODevice::ReadOnly));
        QCOMPARE((page.read(4) == "%PDF" ? "pdf " : "yaml ") +
                     QDir(folder.path()).entryList(QDir::Files).join(' '),
                 files);
        step[2] = QString(); // a new window's dialog is looked at and cancelled
        trigger(*window(), "Save as PDF…");
        QCOMPARE(openedIn, QDir::currentPath());
    }

    // File > Tiled over sheets…: a board wider than the page, its assembly shown
    // with the number of sheets; printed as one job of that many pages and the
    // assembly page, and saved as one PDF of as many; a cell no sheet holds is
    // refused with the reason.
    void tiledFromTheMenu_data() {
        QTest::addColumn<QString>("checker"); // the checker width typed
        QTest::addColumn<QString>("button");  // in the dialog
        QTest::newRow("printed") << "3"
                                 << "bbTilePrint";
        QTest::newRow("saved") << "3"
                               << "bbTileSave";
        QTest::newRow("a cell wider than a sheet") << "25"
                                                   << "";
    }
    void tiledFromTheMenu() {
        QFETCH(QString, checker);
        QFETCH(QString, button);
        auto* printer = new FakePrinterDevice("P", 600, 600, 4800, 6600); // 20.32 cm across
        MainWindow window{std::unique_ptr<WindowPrinter>(printer)};
        TfQuadrix& f = window.form();
        QStringList errors;
        f.setErrorReporter([&errors](const QString& m) { errors << m; });
        f.seWidth->setText("12");
        f.eCheckerWidth->setText(checker);
        const QString pdf = dir.filePath("tiled.pdf");
        QFile::remove(pdf);
        QString said;
        QImage picture;
        QTimer answering; // the tile dialog, then the file dialog
        connect(&answering, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* tiles = qobject_cast<TileDialog*>(modal)) {
                said = tiles->findChild<QLabel*>("lTileSheets")->text();
                picture = tiles->seams();
                tiles->findChild<QPushButton*>(button)->click();
            } else if (auto* files = qobject_cast<QFileDialog*>(modal)) {
                files->findChild<QLineEdit*>("fileNameEdit")->setText(pdf);
                QMetaObject::invokeMethod(files, "accept", Qt::QueuedConnection);
            }
        });
        answering.start(20);
        window.findChild<QAction*>("actTiled")->trigger();
        if (button.isEmpty()) {
            QVERIFY(said.isEmpty() && errors.size() == 1 &&
                    errors[0].contains("no tiling keeps the cells whole"));
            return;
        }
        const QRegularExpressionMatch sheets =
            QRegularExpression("takes (\\d+) sheets of .*, (\\d+) across").match(said);
        QVERIFY2(sheets.hasMatch() && sheets.captured(1).toInt() >= 2, qPrintable(said));
        // The board drawn (a row through it half dark), and a red seam down it
        // between each two sheets across.
        int seams = 0, dark = 0;
        for (int x = 0, red = 0; x < picture.width(); ++x) {
            const QRgb middle = picture.pixel(x, picture.height() / 2);
            seams += !red && qRed(middle) > 200 && qGreen(middle) < 50;
            red = qRed(middle) > 200 && qGreen(middle) < 50;
            dark += qGray(middle) < 128;
        }
        QCOMPARE(seams, sheets.captured(2).toInt() - 1);
        QVERIFY(dark > picture.width() / 4);
        const int pages = sheets.captured(1).toInt() + 1;
        if (button == "bbTilePrint")
            QVERIFY(printer->jobsFinished == 1 && printer->pagesFinished == pages);
        else
            QCOMPARE(PdfRaster::PageCount(pdf), pages);
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n')));
    }

    // The command line's start values make the window's start page (the
    // distances a fifth and a tenth of the checker); the command line copied
    // from an edited window makes that window's page, in short numbers.
    void commandLineMakesTheWindowsPage_data() {
        QTest::addColumn<QStringList>("typed"); // edit=text; the board left bottom
        QTest::addColumn<double>("across");     // the printer's correction
        QTest::addColumn<double>("down");
        QTest::addColumn<QString>("written"); // in the command
        QTest::newRow("typed sizes, caption at 0.4")
            << QString("seWidth=9 eCheckerHeight=2.5 eCheckerWidth=1.25 eSizeDistance=0.4")
                   .split(' ')
            << 1.004 << 0.997 << "--checker 1.25x1.25cm --align left,bottom";
        // Square ChArUco cells, the count changed last leading: 15 cm / 7 * 6 / 10 as the linked
        // sizes hold it, 1.28571426868439.
        QTest::newRow("7 x 10 on the start board, a measured correction")
            << QStringList{"seWidth=7", "seHeight=10"} << 1 / 1.0055 << 1 / 0.99583
            << "--checker 1.2857143x1.2857143cm --align left,bottom --no-frame --caption-distance "
               "0.12857142cm --target charuco --dictionary DICT_4X4_100 --marker 0.6 --legacy "
               "--first-id 20 --paper 203.2x279.4mm --orientation portrait --resolution 600 "
               "--margins 0mm --scale 99.45301x100.41875 --output board.pdf";
        QTest::newRow("nine digits typed") << QStringList{"eCheckerWidth=2.123456789"} << 1.0 << 1.0
                                           << "--checker 2.1234567x2.1234567cm";
        // 20.0000019 printer pixels left of the board, the caption's line one
        // pixel further left than the 20.0 of the float's 0.08466667 cm.
        QTest::newRow("a distance the short form moves by a pixel")
            << QStringList{"eSizeDistance=0.0846666726314136"} << 1.0 << 1.0
            << "--caption-distance 0.0846666726314136cm";
    }
    void commandLineMakesTheWindowsPage() {
        QFETCH(QStringList, typed);
        QFETCH(double, across);
        QFETCH(double, down);
        QFETCH(QString, written);
        MainWindow window(std::make_unique<FakePrinterDevice>("P", 600, 600, 4800, 6600));
        TfQuadrix& f = window.form();
        const auto svg = [&](const SheetInputs& in) {
            return SheetSvg(PrinterFilePage(f.printer()), in);
        };
        const BoardOptions start = ParseCommandLine({"quadrix", "--print"}).options.board;
        QCOMPARE(svg(SheetFromOptions(start, 600, 600, 4800, 6600, {})), svg(f.sheetInputs()));
        const auto stored = qScopeGuard([&f] { f.setCorrection({}); }); // kept for "P"
        f.cbFrame->setChecked(false);
        f.setCorrection({across, down});
        f.setTarget({TargetKind::Charuco, "DICT_4X4_100", 0.6, true, 20});
        f.rgVertical->setItemIndex(2);
        f.rgHorizontal->setItemIndex(0);
        for (const QString& edit : typed)
            f.findChild<QLineEdit*>(edit.section('=', 0, 0))->setText(edit.section('=', 1));
        const QString command = window.commandLine();
        QVERIFY2(command.contains(written), qPrintable(command));
        const ParsedCommandLine parsed = ParseCommandLine(command.split(' '));
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
