// SPDX-License-Identifier: MIT
// What the window adds to the arithmetic: it starts from the printer, keeps
// counts, checker size and pattern size linked as the user types, runs one
// recompute per user change under the guard, answers keys, wheel and lists as
// the user drives them, and shows errors and goes on.
#include "WindowFixture.h"
#include "app/MainWindow.h"
#include "app/ScaleDialog.h"
#include "app/ScreenView.h"
#include "app/TargetDialog.h"
#include "cli/CommandLineParser.h"
#include "model/ScaleCorrection.h"
#include "model/Units.h"
#include "support/FakePrinterDevice.h"
#include "support/PdfRaster.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QWheelEvent>
#include <sys/stat.h>

Q_DECLARE_METATYPE(ScaleCorrection)

namespace {
// One notch of the mouse wheel on target, away from the user (up) or towards.
void wheel(QWidget* target, bool up) {
    QWheelEvent event(QPointF(5, 5), target->mapToGlobal(QPointF(5, 5)), QPoint(),
                      QPoint(0, up ? 120 : -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(target, &event);
}

// One user step on a unit combo: "C type pixels", "C key Down", "C wheel", or
// "C list Up Return" (open the list, move in it, pick).
void act(TfQuadrix& w, const QString& step) {
    const QStringList p = step.split(QLatin1Char(' '));
    auto* combo = w.findChild<UnitCombo*>(QStringLiteral("cbUnits") + p[0]);
    combo->setFocus();
    if (p[1] == "type") {
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo, p[2]);
    } else if (p[1] == "wheel") {
        wheel(combo, false);
    } else { // keys on the combo, or on its list opened
        QWidget* target = combo;
        if (p[1] == "list") {
            combo->showPopup();
            target = combo->view();
        }
        for (const QString& key : p.mid(2))
            QTest::keyClick(target, QKeySequence::fromString(key)[0].key());
    }
}

// Mean grey level of a picture within rect, to a level: a smooth scaling averages.
double meanGrey(const QImage& image, const QRect& rect) {
    return qGray(
        image.copy(rect).scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).pixel(0, 0));
}

const double kCm600 = 600.0 * double(0.39370078f); // printer pixels per cm at 600 dpi

} // namespace

class tst_Window : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true); // corrections stored apart from the user's
        QCoreApplication::setOrganizationName(QStringLiteral("Quadrix"));
    }
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void scaleCorrection_data() {
        QTest::addColumn<double>("across");  // the printer's own scale; 0: Reset is pressed
        QTest::addColumn<double>("down");    // 0: only the bar across is typed
        QTest::addColumn<QString>("kept");   // the correction in force afterwards
        QTest::addColumn<QString>("stored"); // the settings' text; "fifo": the file is a pipe
        QTest::addColumn<QString>("said");   // why the stored one is not used; empty: it is
        QTest::addColumn<QString>("told");   // what the dialog answers OK with; empty: nothing
        const auto row = [](const char* name, double across, double down, const QString& kept,
                            const char* stored, const char* said, const char* told = "") {
            QTest::newRow(name) << across << down << kept << QString(stored) << QString(said)
                                << QString(told);
        };
        const char* ok = "1.02, 1.02";
        const QString none = "100.0 % \u00d7 100.0 %", kept = "102.0 % \u00d7 102.0 %";
        row("1 % small across, 2.5 % small down", 0.99, 0.975, "101.0 % \u00d7 102.6 %", ok, "");
        row("refused: scaled on the way", 0.9, 1.0, kept, ok, "", "Fit to page");
        row("refused: millimetres typed for centimetres", 10, 1, kept, ok, "",
            "ten times the bar across");
        row("refused: a tenth of the bar down", 1, 0.1, kept, ok, "", "a tenth of the bar down");
        row("one length only: asks for both", 0.99, 0, kept, ok, "", "Type both measured lengths");
        row("reset", 0, 0, none, ok, "");
        row("stored 200 %", 0, 0, none, "2, 2", "200.0 % \u00d7 200.0 %");
        row("settings file a pipe", 0, 0, none, "fifo", "not a regular");
    }
    // A printer's stored correction enters the checker's pixels and the test
    // page; the test page's bars as that printer prints them, measured in the
    // scale dialog, give the correction it needs, stored for this printer alone
    // and shown on its panel; one no printer needs, or half a measurement, is
    // refused and changes nothing.
    void scaleCorrection() {
        QFETCH(double, across);
        QFETCH(double, down);
        QFETCH(QString, kept);
        QFETCH(QString, stored);
        QFETCH(QString, said);
        QFETCH(QString, told);
        QFile conf(QSettings().fileName()); // written as by hand
        QVERIFY(!conf.exists() || conf.remove());
        QVERIFY(QDir().mkpath(QFileInfo(conf).absolutePath())); // a new home has no such folder
        // A pipe left behind would hold up every later start of this test.
        const auto removeConf = qScopeGuard([&conf] { QFile::remove(conf.fileName()); });
        QVERIFY(stored == "fifo"
                    ? mkfifo(qPrintable(conf.fileName()), 0600) == 0
                    : conf.open(QIODevice::WriteOnly) &&
                          conf.write("[ScaleCorrection]\nTest%2520printer=" + stored.toUtf8()) > 0);
        conf.close();
        WindowFixture f; // starts at once, not held up by a pipe
        TfQuadrix& w = *f.window;
        QCOMPARE(w.checkerWidthPx, float(3 * kCm600 * (said.isEmpty() ? 1.02 : 1)));
        const TestPageLayout bars = LayOutTestPage(w.testPageInputs());
        bool refused = false;
        QString answer;
        QTimer::singleShot(0, [&] { // the dialog, then its message box if it refuses
            auto* dialog = qobject_cast<ScaleDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            if (across == 0)
                return dialog->findChild<QPushButton*>("bbReset")->click();
            dialog->findChild<QLineEdit*>("eMeasuredAcross")
                ->setText(
                    QString::number((bars.across.Right - bars.across.Left) / kCm600 * across));
            if (down > 0)
                dialog->findChild<QLineEdit*>("eMeasuredDown")
                    ->setText(QString::number((bars.down.Bottom - bars.down.Top) / kCm600 * down));
            QCOMPARE(dialog->findChild<QLabel*>("lMeasuredDownUnit")->text(), QString("cm"));
            QTimer::singleShot(0, [&answer] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                    answer = box->text();
                    box->close();
                }
            });
            dialog->accept();
            if ((refused = dialog->isVisible()))
                dialog->reject();
        });
        w.showScaleDialog();
        // An unusable one is told once, and on the printer panel's tooltip.
        QVERIFY(f.notices.size() == !said.isEmpty() && f.notices.join("").contains(said) &&
                w.sbPanel[0]->toolTip().contains(said));
        QCOMPARE(refused, across != 0 && kept.startsWith("102.0 % \u00d7 102.0"));
        QVERIFY2(answer.contains(told) && answer.isEmpty() == told.isEmpty(), qPrintable(answer));
        QCOMPARE(CorrectionText(w.correction()), kept);
        QCOMPARE(CorrectionText(LoadCorrection("Test printer")), kept);
        QVERIFY(w.sbPanel[0]->toolTip().contains(kept));
        QCOMPARE(w.checkerWidthPx, float(3 * kCm600 * w.correction().across));
        // Setup reads the printer again, each axis its own resolution, and takes
        // that printer's own correction; typed distances are reset.
        WindowFixture::paste(w.eFrameDistance, "5");
        f.printer->setNextSetup("Second", 1200, 600, 9600, 6600);
        QTest::mouseClick(w.bbSetup, Qt::LeftButton);
        QCOMPARE(w.sbPanel[2]->text(), QString("Resolution: 1200x600 DPI"));
        QCOMPARE(w.checkerWidthPx, float(6 * kCm600));
        QCOMPARE(w.checkerHeightPx, float(3 * kCm600));
        QCOMPARE(w.eFrameDistance->text(), QString("0.6"));
        QCOMPARE(w.seWidth->toolTip(), QString("5 \u00d7 6 squares:\nfindChessboardCorners, ROS "
                                               "--size and Kalibr: 4 \u00d7 5 inner corners"));
    }
    // The form loads with its named controls inside its fixed client area, reads
    // the printer and builds the first preview before it is shown.
    void startUp() {
        WindowFixture f;
        TfQuadrix& w = *f.window;
        QCOMPARE(w.windowTitle(), QString("Quadrix"));
        QCOMPARE(w.minimumSize(), QSize(585, 404));
        QCOMPARE(w.maximumSize(), QSize(585, 404));
        for (const QString& name : QString("seWidth udWidth seHeight udHeight ePatternWidth "
                                           "ePatternHeight cbUnitsP cbUnitsC eCheckerWidth "
                                           "eCheckerHeight cbKeepCheckerConstant rgVertical "
                                           "rgHorizontal cbFrame eFrameDistance cbUnitsF cbSize "
                                           "eSizeDistance cbUnitsS bbSetup bbInside bbPrint bbExit "
                                           "img sb")
                                       .split(' ')) {
            auto* c = w.findChild<QWidget*>(name);
            QVERIFY2(c && w.rect().contains(c->mapTo(&w, c->rect().bottomRight())),
                     qPrintable(name));
        }
        // The distance edit and its unit lie over the blanks of the check box's
        // caption, and the whole caption still fits.
        for (QCheckBox* box : {w.cbFrame, w.cbSize})
            QVERIFY(box->fontMetrics().horizontalAdvance(box->text()) <= captionRoom(box));
        for (UnitCombo* c : {w.cbUnitsP, w.cbUnitsC, w.cbUnitsF, w.cbUnitsS})
            QCOMPARE(c->itemIndex(), 0);
        QCOMPARE(w.sbPanel[0]->text() + "|" + w.sbPanel[1]->text() + "|" + w.sbPanel[2]->text(),
                 "Printer: Test printer|Page size: 20.32x27.94 cm|Resolution: 600x600 DPI");
        QCOMPARE(w.eFrameDistance->text() + " " + w.eSizeDistance->text(), QString("0.6 0.3"));
        QCOMPARE(w.img->bitmap().size(), QSize(1029, 1416));
        QCOMPARE(w.img->shownRect(), QRect(0, 0, 257, 354));
        QVERIFY(f.errors.isEmpty());
    }
    void typing_data() {
        // Each row pastes texts (edit=text) into the window as it starts, checks
        // "Keep constant" (keep) or presses Inside (inside:N, N recomputes).
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("texts"); // pattern WxH, checker width[, frame and caption]
        QTest::addColumn<double>("checkerWidthPx");
        const auto row = [](const char* name, QStringList steps, const char* texts,
                            double px = 3 * kCm600) {
            QTest::newRow(name) << steps << QString(texts) << px;
        };
        row("checker 4", {"eCheckerWidth=4"}, "20x18 4 0.7 0.35", 4 * kCm600);
        row("checker abc: 10 here, 0 in pixels", {"eCheckerWidth=abc"}, "50x18 abc 1.3 0.65", 0);
        row("both 0.7", {"eCheckerWidth=0.7", "eCheckerHeight=0.7"},
            "3.5x4.19999980926514 0.7 0.139999997615814 0.0699999988079071", 0.7 * kCm600);
        row("pattern 20, count 5 to 7", {"ePatternWidth=20", "seWidth=7"}, "20x18 2.85714292526245",
            2.85714292526245 * kCm600);
        row("kept checker, count 5 to 7", {"keep", "seWidth=7"}, "21x18 3");
        row("a count rewrites the other pair", {"eCheckerWidth=3.0", "seHeight=7"}, "15x18 3");
        // A count text that is no whole number within 2..100 leaves the last valid count.
        row("count 150", {"keep", "seWidth=150"}, "15x18 3");
        row("count wheeled up", {"keep", "seHeight wheel"}, "15x21 3");
        // Inside adds a checker on every side and gives "Keep constant" back.
        row("Inside", {"inside:2"}, "21x24 3");
        row("Inside, kept", {"keep", "inside:2"}, "21x24 3");
        row("Inside at the limit", {"keep", "seWidth=99", "seHeight=100", "inside:1"}, "300x300 3");
    }
    void typing() {
        QFETCH(QStringList, steps);
        QFETCH(QString, texts);
        QFETCH(double, checkerWidthPx);
        WindowFixture f;
        TfQuadrix& w = *f.window;
        w.cbSize->setChecked(false); // the caption refuses a checker text that is no number
        QSignalSpy changes(&w, &TfQuadrix::changeDone);
        QSignalSpy rebuilds(&w, &TfQuadrix::previewRebuilt);
        int expected = 0;
        for (const QString& step : steps) {
            if (step == "keep") {
                w.cbKeepCheckerConstant->setChecked(true);
                continue;
            }
            if (step.startsWith("inside:")) {
                QTest::mouseClick(w.bbInside, Qt::LeftButton);
                expected += step.section(':', 1).toInt();
            } else if (step.endsWith(" wheel")) {
                wheel(w.findChild<QLineEdit*>(step.section(' ', 0, 0)), true);
                ++expected;
            } else { // one replaced text: one recompute, one rebuild, the text as typed
                auto* edit = w.findChild<QLineEdit*>(step.section('=', 0, 0));
                WindowFixture::paste(edit, step.section('=', 1));
                QCOMPARE(edit->text(), step.section('=', 1));
                ++expected;
            }
            QCOMPARE(changes.count(), expected);
            QCOMPARE(rebuilds.count(), expected);
            QVERIFY(!w.updating);
        }
        QString shown = w.ePatternWidth->text() + "x" + w.ePatternHeight->text() + " " +
                        w.eCheckerWidth->text();
        if (texts.count(' ') > 1)
            shown += " " + w.eFrameDistance->text() + " " + w.eSizeDistance->text();
        QCOMPARE(shown, texts);
        QCOMPARE(w.checkerWidthPx, float(checkerWidthPx));
        QCOMPARE(w.patternWidthPx, float(w.udWidth->position() * double(w.checkerWidthPx)));
        QCOMPARE(w.cbKeepCheckerConstant->isChecked(), steps.contains("keep"));
    }
    void optionsRebuildPreviewOnly() {
        WindowFixture f;
        TfQuadrix& w = *f.window;
        QSignalSpy changes(&w, &TfQuadrix::changeDone);
        QSignalSpy rebuilds(&w, &TfQuadrix::previewRebuilt);
        WindowFixture::paste(w.eFrameDistance, "1");
        WindowFixture::paste(w.eSizeDistance, "1");
        w.cbFrame->click();
        w.cbSize->click();
        w.rgVertical->setItemIndex(0);
        w.rgHorizontal->setItemIndex(2);
        WindowFixture::choose(w.cbUnitsF, 1);
        QCOMPARE(rebuilds.count(), 7);
        QCOMPARE(changes.count(), 0);
    }
    // Keys, wheel and lists as a user drives them, and what the preview shows.
    void unitCombos_data() {
        QTest::addColumn<QStringList>("steps"); // the last one is counted
        QTest::addColumn<int>("unit");
        QTest::addColumn<QStringList>("texts"); // cbUnitsP, C, F, S
        QTest::addColumn<int>("changes");
        const struct {
            const char *name, *steps;
            int unit;
            const char* texts;
            int changes;
        } rows[] = {
            {"last typed, Down", "C type pixels;C key Down", 2, "pixels|pixels|pixels|pixels", 0},
            {"typed, Down", "C type inches;C key Down", 2, "pixels|pixels|pixels|pixels", 1},
            {"typed caps, part, wheel", "C type INCH;C wheel", 2, "pixels|pixels|pixels|pixels", 1},
            {"typed, list", "P type inches;P list Down Return", 2, "pixels|pixels|pixels|pixels",
             1},
            {"typed none, Down", "C type x;C key Down", 0, "cm|cm|cm|cm", 1},
            {"typed, Return", "C type inches;C key Return", 1, "inches|inches|inches|inches", 0},
            {"typed inside", "C type inches;C key Home X Y", -1, "|xyinches||", 2},
            {"same index rewrites", "P type pixel;P key Delete;C list Return", 2,
             "pixels|pixels|pixels|pixels", 1},
            {"none clears", "F type x;C type x", -1, "|x||", 1},
            {"names nothing", "P type x", -1, "x|||", 1},
        };
        for (const auto& r : rows)
            QTest::newRow(r.name) << QString(r.steps).split(';') << r.unit
                                  << QString(r.texts).split('|') << r.changes;
    }

    // A typed unit is where keys, wheel and list go on from; one user change,
    // one recompute; every combo the code selects shows its item's text; a
    // text that names no unit converts nothing.
    void unitCombos() {
        QFETCH(QStringList, steps);
        QFETCH(int, unit);
        QFETCH(QStringList, texts);
        QFETCH(int, changes);
        WindowFixture f;
        TfQuadrix& w = *f.window;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        const QString last = steps.takeLast();
        for (const QString& s : steps)
            act(w, s);
        QSignalSpy spy(&w, &TfQuadrix::changeDone);
        const float pixels = w.checkerWidthPx;
        act(w, last);
        QCOMPARE(w.cbUnitsC->itemIndex(), unit);
        QCOMPARE(QStringList({w.cbUnitsP->currentText(), w.cbUnitsC->currentText(),
                              w.cbUnitsF->currentText(), w.cbUnitsS->currentText()}),
                 texts);
        QCOMPARE(spy.count(), changes);
        QVERIFY(unit >= 0 || w.checkerWidthPx == pixels);
    }

    void keyboard_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("rebuilds");
        const struct {
            const char *name, *start, *keys, *focus;
            int rebuilds;
        } rows[] = {
            {"Tab, Space", "cbKeepCheckerConstant", "Tab Space", "rgVerticalItem1", 0},
            {"Right", "rgVerticalItem1", "Right", "rgVerticalItem2", 1},
            {"Up, Up, out and back", "rgHorizontalItem1", "Up Up Backtab Tab", "rgHorizontalItem2",
             2},
            {"Return on Inside", "bbInside", "Return", "bbInside", 2},
            {"Return held on Inside", "bbInside", "Return Return~ Return~", "bbInside", 2},
            {"Enter on Setup", "bbSetup", "Num+Enter", "bbSetup", 1},
        };
        for (const auto& r : rows)
            QTest::newRow(r.name) << r.start << QString(r.keys).split(' ') << r.focus << r.rebuilds;
    }

    // An alignment group is one tab stop, its checked item; arrows select the
    // next item as a click does; Enter or Return clicks a focused button.
    void keyboard() {
        QFETCH(QString, start);
        QFETCH(QStringList, keys);
        QFETCH(QString, focus);
        QFETCH(int, rebuilds);
        WindowFixture f;
        TfQuadrix& w = *f.window;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.findChild<QWidget*>(start)->setFocus();
        QSignalSpy spy(&w, &TfQuadrix::previewRebuilt);
        for (const QString& key : keys) { // "Key~": the key held, repeated
            const QKeyCombination k = QKeySequence::fromString(QString(key).remove('~'))[0];
            QKeyEvent repeat(QEvent::KeyPress, k.key(), k.keyboardModifiers(), QString(), true);
            if (key.endsWith('~'))
                QApplication::sendEvent(QApplication::focusWidget(), &repeat);
            else
                QTest::keyClick(QApplication::focusWidget(), k.key(), k.keyboardModifiers());
        }
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        if (auto* item = qobject_cast<QRadioButton*>(QApplication::focusWidget()))
            QVERIFY(item->isChecked());
        QCOMPARE(spy.count(), rebuilds);
    }

    // The control paints what its bitmap holds, also when the rebuild stopped on
    // an error before its own refresh: the white page, not the last good board.
    void previewShowsBitmap() {
        WindowFixture f;
        TfQuadrix& w = *f.window;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        double held[2] = {};
        for (int turn = 0; turn < 2; ++turn) {
            WindowFixture::paste(w.eCheckerWidth, turn == 0 ? "" : "2");
            QCOMPARE(f.errors, QStringList{"'' is not a valid floating point value"});
            QCoreApplication::processEvents();
            const QRect shown = w.img->shownRect();
            held[turn] = meanGrey(w.img->bitmap(), w.img->bitmap().rect());
            const QImage onScreen = w.screen()->grabWindow(w.winId()).toImage();
            const QRect there = shown.translated(w.img->mapTo(&w, QPoint(0, 0)));
            QVERIFY(qAbs(meanGrey(onScreen, there) - held[turn]) < 2.0);
        }
        QVERIFY(held[0] >= 254);  // the page only, cleared white
        QVERIFY(held[1] < 240.0); // the board again
        WindowFixture::paste(w.eCheckerWidth, "");
        QTest::mouseClick(w.bbPrint, Qt::LeftButton); // the page fails before a job opens
        QCOMPARE(f.errors.size(), 3);
        QCOMPARE(f.printer->jobsBegun, 0);
    }

    // ChArUco chosen in the Target menu is the only kind checked, and the
    // count hint names inner corners. With more markers than
    // its dictionary holds the board is neither printed nor saved; preview,
    // hint and status bar say why until a count makes it fit. The grids' hint
    // names circles.
    void targetMenu() {
        auto* printer = new FakePrinterDevice("P", 600, 600, 4800, 6600);
        MainWindow window{std::unique_ptr<WindowPrinter>(printer)};
        TfQuadrix& f = window.form();
        QStringList errors;
        f.setErrorReporter([&errors](const QString& m) { errors << m; });
        f.seWidth->setText("25");
        f.seHeight->setText("21"); // 262 white squares; DICT_6X6_250 holds 250 markers
        window.findChild<QAction*>("actCharuco")->trigger();
        QVERIFY(!window.findChild<QAction*>("actCheckerboard")->isChecked());
        f.bbPrint->click();
        QVERIFY(!window.saveAs(FileFormat::Pdf, QDir::temp().filePath("unmakeable.pdf")) &&
                printer->jobsBegun == 0);
        QVERIFY(errors.size() == 2 && errors[1] == errors[0] && errors[0].contains("needs 262"));
        QVERIFY(f.udHeight->toolTip().startsWith(
                    "25 \u00d7 21 squares:\nOpenCV CharucoBoard and ROS --size: 25 \u00d7 21 "
                    "squares\nchessboard detectors: 24 \u00d7 20 inner") &&
                f.udHeight->toolTip().endsWith(errors[0]));
        QVERIFY(f.sbPanel[3]->toolTip() == errors[0] &&
                f.img->bitmap().pixel(0, 0) != qRgb(255, 255, 255));
        f.seHeight->setText("20"); // 250 markers: the whole dictionary
        QVERIFY(f.sbPanel[3]->toolTip().isEmpty() && f.sbPanel[3]->text() == "Quadrix 1.0");
        window.findChild<QAction*>("actAsymmetricCircles")->trigger();
        QVERIFY(f.udWidth->toolTip().contains("25 \u00d7 20 circles (per row \u00d7 rows)"));
        // Two cells a circle across: the board doubles, the checker stays.
        QVERIFY(qAbs(f.ePatternWidth->text().toDouble() - 50 * f.eCheckerWidth->text().toDouble()) <
                1e-4);
    }

    // Kinds whose detectors take one cell length keep the cells square: the
    // side the user changes sets them, the other side follows. The
    // checkerboard keeps its free width and height, and names oblong cells.
    void squareCells_data() {
        QTest::addColumn<QStringList>("steps"); // edit=text, or kind=N for the Target menu
        QTest::addColumn<QString>("texts");     // pattern WxH, checker WxH
        QTest::newRow("ChArUco, 7 across: the board's width kept")
            << QStringList{"kind=1", "seWidth=7"}
            << "15x12.8571424484253 2.14285707473755x2.14285707473755";
        QTest::newRow("ChArUco, 9 down: its height kept")
            << QStringList{"kind=1", "seHeight=9"} << "10x18 2x2";
        QTest::newRow("circles, checker height typed")
            << QStringList{"kind=2", "eCheckerHeight=2.5"} << "12.5x15 2.5x2.5";
        QTest::newRow("AprilGrid, board width typed")
            << QStringList{"kind=4", "ePatternWidth=20"} << "20x24 4x4";
        QTest::newRow("asymmetric grid, board height typed")
            << QStringList{"kind=3", "ePatternHeight=12"} << "20x12 2x2";
        QTest::newRow("oblong checkerboard made ChArUco: the width leads")
            << QStringList{"eCheckerHeight=2", "kind=1"} << "15x18 3x3";
        QTest::newRow("checkerboard, 7 across: oblong")
            << QStringList{"seWidth=7"} << "15x18 2.14285707473755x3";
    }
    void squareCells() {
        QFETCH(QStringList, steps);
        QFETCH(QString, texts);
        WindowFixture f;
        TfQuadrix& w = *f.window;
        for (const QString& step : steps) {
            if (step.startsWith("kind="))
                w.setTarget({TargetKind(step.section('=', 1).toInt())});
            else
                WindowFixture::paste(w.findChild<QLineEdit*>(step.section('=', 0, 0)),
                                     step.section('=', 1));
        }
        QCOMPARE(w.ePatternWidth->text() + "x" + w.ePatternHeight->text() + " " +
                     w.eCheckerWidth->text() + "x" + w.eCheckerHeight->text(),
                 texts);
        QCOMPARE(w.sbPanel[3]->toolTip().contains("oblong"),
                 w.eCheckerWidth->text() != w.eCheckerHeight->text());
    }

    // Inside on the start board runs it off the page: the preview marks the cut
    // edge in red (never drawn on paper), the status tooltip says what would
    // fit, and Print and Save ask first. A board that fits is made unasked.
    void cutBoard() {
        auto* printer = new FakePrinterDevice("P", 600, 600, 4800, 6600);
        MainWindow window{std::unique_ptr<WindowPrinter>(printer)};
        TfQuadrix& w = window.form();
        QStringList asked;
        bool answer = false;
        w.setConfirmer([&](const QString& q) { return asked << q, answer; });
        const auto edge = [&w] { // the preview's right edge, halfway down
            const QRgb p =
                w.img->bitmap().pixel(w.img->bitmap().width() - 1, w.img->bitmap().height() / 2);
            return qRed(p) > qGreen(p) + 40;
        };
        QTest::mouseClick(w.bbInside, Qt::LeftButton); // 7 x 8 of 3 cm: 21 cm on 20.32 cm
        QVERIFY(edge());
        QVERIFY2(w.sbPanel[3]->toolTip().contains("runs 1.87 cm across") &&
                     w.sbPanel[3]->toolTip().contains("checkers of 2.67 cm"),
                 qPrintable(w.sbPanel[3]->toolTip()));
        bool dialogShown = false; // a save dialog, had Save not asked first
        QTimer::singleShot(0, &window, [&] {
            if (QWidget* dialog = QApplication::activeModalWidget())
                dialogShown = dialog->close();
        });
        for (QAction* action : window.findChildren<QAction*>())
            if (action->text() == "Save as &PDF…")
                action->trigger();
        w.bbPrint->click();
        QVERIFY(asked.size() == 2 && !dialogShown && printer->jobsBegun == 0);
        answer = true;
        w.bbPrint->click();
        QCOMPARE(printer->jobsFinished, 1);
        WindowFixture::paste(w.eCheckerWidth, "2"); // 14 cm across
        w.bbPrint->click();
        QVERIFY(asked.size() == 3 && printer->jobsFinished == 2);
        QVERIFY(!edge() && w.sbPanel[3]->toolTip().contains("oblong"));
    }

    // The tag size typed in Target > Options… sets the pitch; a card the tools
    // cannot use is saved with a notice that says why; a measured board sets
    // the card's lengths while it is the board shown.
    void aprilGridTagAndCard() {
        MainWindow window{std::make_unique<FakePrinterDevice>("P", 600, 600, 4800, 6600)};
        TfQuadrix& f = window.form();
        QStringList notices;
        f.setNoticeReporter([&notices](const QString& m) { notices << m; });
        window.findChild<QAction*>("actAprilGrid")->trigger();
        QTimer::singleShot(0, [&window] {
            auto* dialog = window.findChild<TargetDialog*>();
            dialog->findChild<QLineEdit*>("eTagSize")->setText("2");
            dialog->findChild<QLineEdit*>("eFirstId")->setText("5");
            dialog->accept();
        });
        window.showTargetDialog();
        QCOMPARE(f.eCheckerWidth->text() + ' ' + f.eCheckerHeight->text(), QString("2.6 2.6"));
        const QString path = QDir::temp().filePath("tst_window_card.yaml");
        window.setMeasured(QSizeF(13.13, 15.756)); // 1 % larger than the 13 x 15.6 cm drawn
        QVERIFY(window.saveBoardCard(path) && notices.size() == 1 &&
                notices[0].contains("Kalibr cannot use this board: Kalibr numbers"));
        QFile card(path);
        QVERIFY(card.open(QIODevice::ReadOnly) && card.readAll().contains("tag_pitch: 0.02626\n"));
        f.seWidth->setText("6"); // another board: its drawn size, and the user told so
        QVERIFY(window.saveBoardCard(path) && notices.last().contains("The measured size was"));
    }

    void targetDialog_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("typed"); // control.property=value
        QTest::addColumn<QString>("outcome"); // the controls shown | the options taken, or why not
        QTest::addColumn<QString>("args");    // the same values on the command line
        const QString charuco = "cbDictionary eMarkerFraction eFirstId cbLegacy | ";
        const QString aprilgrid = "eFirstId eTagSpacing eTagSize | ";
        // On a board of 2 x 2 cells, which holds 2 ChArUco markers, unless the
        // command line gives the counts.
        QTest::newRow("ChArUco: last IDs of the dictionary, only its values taken")
            << int(TargetKind::Charuco)
            << QStringList{"cbDictionary.currentText=DICT_4X4_50", "eMarkerFraction.text=0.6",
                           "eFirstId.text=48", "cbLegacy.checked=true", "eDiameter.text=0.9"}
            << charuco + "DICT_4X4_50 0.6 true 48 0.5 0.3 false"
            << "--target charuco --dictionary DICT_4X4_50 --marker 0.6 --first-id 48 --legacy";
        QTest::newRow("ChArUco: IDs past the dictionary")
            << int(TargetKind::Charuco)
            << QStringList{"cbDictionary.currentText=DICT_4X4_50", "eFirstId.text=49"}
            << charuco + "This board needs 2 markers (IDs 49 to 50), but DICT_4X4_50"
            << "--target charuco --dictionary DICT_4X4_50 --first-id 49";
        QTest::newRow("ChArUco: 7 x 7 holds 24 markers, IDs 26 to 49")
            << int(TargetKind::Charuco)
            << QStringList{"cbDictionary.currentText=DICT_6X6_50", "eFirstId.text=26"}
            << charuco + "DICT_6X6_50 0.75 false 26 0.5 0.3 false"
            << "--columns 7 --rows 7 --target charuco --dictionary 6x6_50 --first-id 26";
        QTest::newRow("checkerboard: legend asked for")
            << int(TargetKind::Checkerboard) << QStringList{"cbLegend.checked=true"}
            << "cbLegend | DICT_6X6_250 0.75 false 0 0.5 0.3 true"
            << "--legend";
        // Tags as wide as their gaps, then wider.
        for (const char* spacing : {"1", "1.0001", "1e39"})
            QTest::addRow("AprilGrid: spacing %s", spacing)
                << int(TargetKind::AprilGrid) << QStringList{QString("eTagSpacing.text=") + spacing}
                << aprilgrid + (qstrcmp(spacing, "1") == 0
                                    ? "DICT_6X6_250 0.75 false 0 0.5 1 false"
                                    : "The spacing between tags must lie above 0 and at most 1")
                << QString("--target aprilgrid --tag-spacing ") + spacing;
    }
    // The options dialog shows the chosen kind's values alone, takes them on
    // OK, and refuses a value that cannot be used with the reason, staying open;
    // the command line takes and refuses the same values, for the same reason.
    void targetDialog() {
        QFETCH(int, kind);
        QFETCH(QStringList, typed);
        QFETCH(QString, outcome);
        QFETCH(QString, args);
        const ParsedCommandLine cli =
            ParseCommandLine(("quadrix --columns 2 --rows 2 --print " + args).split(' '));
        TargetDialog dialog(TargetOptions{TargetKind(kind)}, cli.options.board.columns,
                            cli.options.board.rows);
        QStringList shown;
        for (QWidget* w : dialog.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            if (!w->objectName().isEmpty() && w->isVisibleTo(&dialog))
                shown << w->objectName();
        for (const QString& step : typed)
            dialog.findChild<QWidget*>(step.section('.', 0, 0))
                ->setProperty(qPrintable(step.section('.', 1).section('=', 0, 0)),
                              step.section('=', 1));
        dialog.accept(); // refused: stays open with the reason and the options as they came
        const TargetOptions o = dialog.options();
        const QString problem = dialog.findChild<QLabel*>("lProblem")->text();
        QString got = shown.join(' ') + " | " + problem;
        QDebug(&got).noquote() << o.dictionary << o.markerFraction << o.legacy << o.firstId
                               << o.diameterFraction << o.tagSpacing << o.legend;
        const bool accepted = dialog.result() == QDialog::Accepted;
        QVERIFY2(got.startsWith(outcome) && accepted == (o != TargetOptions{TargetKind(kind)}),
                 qPrintable(got));
        QVERIFY2(accepted
                     ? cli.action == ParsedCommandLine::Action::Run && cli.options.board.target == o
                     : cli.text.contains(problem) && !problem.isEmpty(),
                 qPrintable(cli.text));
    }

    // The board full-screen on a monitor of that physical size, desktop size
    // and scale factor: drawn in its device pixels, a checker the size the
    // reported millimetres give, times the correction, and the screen's
    // command line makes the same pixels as a PNG; a size no monitor has is
    // refused, naming why.
    void screenView_data() {
        QTest::addColumn<QSizeF>("mm");
        QTest::addColumn<QSize>("desktop");
        QTest::addColumn<double>("ratio");
        QTest::addColumn<ScaleCorrection>("correction");
        QTest::addColumn<double>("checkerCm");
        QTest::addColumn<QSize>("cell"); // device pixels; empty: refused
        QTest::addColumn<QString>("problem");
        // 3840 px / 597 mm = 6.432 px/mm: 3 cm are 192.96 px.
        QTest::newRow("27-inch 4K at 150 %") << QSizeF(597, 336) << QSize(2560, 1440) << 1.5
                                             << ScaleCorrection{} << 3.0 << QSize(193, 193) << "";
        // 2880 / 302 = 9.536 px/mm x 1.015, 1800 / 189 = 9.524 x 0.99, of 2 cm.
        QTest::newRow("laptop at 200 %, corrected 101.5 x 99")
            << QSizeF(302, 189) << QSize(1440, 900) << 2.0 << ScaleCorrection{1.015, 0.99} << 2.0
            << QSize(194, 189) << "";
        // 1179 / 68 = 17.34 px/mm, 2556 / 147 = 17.39.
        QTest::newRow("phone at 300 %") << QSizeF(68, 147) << QSize(393, 852) << 3.0
                                        << ScaleCorrection{} << 1.0 << QSize(173, 174) << "";
        QTest::newRow("no size reported")
            << QSizeF(0, 0) << QSize(1920, 1080) << 1.0 << ScaleCorrection{} << 1.0 << QSize()
            << "M reports no physical size";
        QTest::newRow("an aspect ratio, 16 x 10 mm")
            << QSizeF(16, 10) << QSize(1280, 800) << 1.0 << ScaleCorrection{} << 1.0 << QSize()
            << "2032 × 2032 pixels an inch";
        QTest::newRow("pixels not square")
            << QSizeF(597, 200) << QSize(3840, 2160) << 1.0 << ScaleCorrection{} << 1.0 << QSize()
            << "1.68 times as wide as high";
    }
    void screenView() {
        QFETCH(QSizeF, mm);
        QFETCH(QSize, desktop);
        QFETCH(double, ratio);
        QFETCH(ScaleCorrection, correction);
        QFETCH(double, checkerCm);
        QFETCH(QSize, cell);
        QFETCH(QString, problem);
        const ScreenGeometry geometry({"M", mm, desktop, ratio}, correction);
        QVERIFY2(geometry.problem().contains(problem), qPrintable(geometry.problem()));
        if (cell.isEmpty())
            return;
        BoardOptions board;
        board.checker = SizeOption{checkerCm, checkerCm, kUnitCm};
        board.frame = board.caption = false;
        ScreenView view(board, geometry);
        view.setAttribute(Qt::WA_DeleteOnClose, false);
        QCOMPARE(view.page().size(), desktop * ratio);
        QCOMPARE(view.page().devicePixelRatio(), ratio);
        const QImage& page = view.page();
        const QRect first = PdfRaster::DarkSpan(page, PdfRaster::DarkBounds(page).topLeft());
        QCOMPARE(first.size(), cell);
        // The screen's command line writes the same pixels as a PNG.
        const QTemporaryDir dir;
        QStringList command = ScreenView::CommandLine(board, geometry).split(' ').mid(1);
        command.last() = dir.filePath(command.last());
        QCOMPARE(QProcess::execute(QUADRIX_EXE, command), 0);
        QVERIFY(QImage(command.last()).convertToFormat(QImage::Format_Grayscale8) == page);
        view.show();
        QVERIFY(view.legend().contains(CorrectionText(correction)));
        QTest::keyClick(&view, Qt::Key_H); // the line at the edge hides
        QVERIFY(view.legend().isEmpty());
        QTest::keyClick(&view, Qt::Key_Escape);
        QVERIFY(!view.isVisible());
    }

    // Screen > Show full screen: the window's board on its monitor with the
    // correction stored under the monitor's name; the card of the board as shown
    // names the monitor and carries that correction.
    void showOnScreen() {
        MainWindow window(std::make_unique<FakePrinterDevice>("P", 600, 600, 4800, 6600));
        const ScreenMetrics monitor = window.screenMetrics();
        const QString key = ScreenCorrectionKey(monitor.name);
        const auto forget = qScopeGuard([&key] { StoreCorrection(key, {}); });
        StoreCorrection(key, {1.02, 0.98});
        window.findChild<QAction*>("actShowOnScreen")->trigger();
        ScreenView* view = nullptr; // a window of its own
        for (QWidget* w : QApplication::topLevelWidgets())
            view = view ? view : qobject_cast<ScreenView*>(w);
        QVERIFY(view && view->isFullScreen());
        QVERIFY2(view->legend().contains("102.0 % × 98.0 %"), qPrintable(view->legend()));
        view->close();
        const QTemporaryDir dir;
        QVERIFY(window.saveScreenCard(dir.filePath("card.yaml"),
                                      ScreenGeometry(monitor, LoadCorrection(key))));
        QFile yaml(dir.filePath("card.yaml"));
        const QString text = yaml.open(QIODevice::ReadOnly) ? yaml.readAll() : QString();
        QVERIFY2(text.contains("scale_correction_percent: [102.0, 98.0]") &&
                     text.contains("screen: \"" + monitor.name),
                 qPrintable(text));
    }
};

QTEST_MAIN(tst_Window)
#include "tst_window.moc"
