// Counts, checker size and pattern size stay linked as the user types, and
// every user change runs exactly one recompute.
#include "WindowFixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QLocale>

namespace {
const double kCm600 = 600.0 * double(0.39370078f); // printer pixels per cm at 600 dpi
}

class tst_Linked : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void typing_data();
    void typing();
    void countEditKeepsLastValid_data();
    void countEditKeepsLastValid();
    void arrowsStopAtLimits();
    void inside_data();
    void inside();
    void unitChoice_data();
    void unitChoice();
    void typedUnitNamingNothing();
    void setupReadsPrinterAgain();
    void optionsRebuildPreviewOnly();
    void captionErrorReported();
};

void tst_Linked::typing_data() {
    // Each row types texts (edit=text, in order) into the window as it starts,
    // then compares edits and members; "" in an expectation means not checked.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("patternWidth"); // and height, "WxH"
    QTest::addColumn<QString>("checkerWidth");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<float>("checkerWidthPx");
    QTest::newRow("checker 4") << QStringList{"eCheckerWidth=4"} << "20x18"
                               << "4"
                               << "0.7"
                               << "0.35" << float(4 * kCm600);
    QTest::newRow("checker abc") << QStringList{"eCheckerWidth=abc"} << "50x18"
                                 << "abc"
                                 << "1.3"
                                 << "0.65" << 0.0f;
    QTest::newRow("checker empty") << QStringList{"eCheckerWidth="} << "50x18"
                                   << ""
                                   << ""
                                   << "" << 0.0f;
    QTest::newRow("checker -3") << QStringList{"eCheckerWidth=-3"} << "-15x18"
                                << "-3"
                                << "0"
                                << "0" << float(-3 * kCm600);
    QTest::newRow("both 0.7") << QStringList{"eCheckerWidth=0.7", "eCheckerHeight=0.7"}
                              << "3.5x4.19999980926514"
                              << "0.7"
                              << "0.139999997615814"
                              << "0.0699999988079071" << float(0.7 * kCm600);
    QTest::newRow("both 2.5") << QStringList{"eCheckerWidth=2.5", "eCheckerHeight=2.5"} << "12.5x15"
                              << "2.5"
                              << "0.5"
                              << "0.25" << float(2.5 * kCm600);
    QTest::newRow("both 100") << QStringList{"eCheckerWidth=100", "eCheckerHeight=100"} << "500x600"
                              << "100"
                              << "20"
                              << "10" << float(100 * kCm600);
    QTest::newRow("5 to 7, pattern kept") << QStringList{"ePatternWidth=20", "seWidth=7"} << "20x18"
                                          << "2.85714292526245"
                                          << ""
                                          << "" << float(2.85714292526245 * kCm600);
    QTest::newRow("5 to 7, checker kept") << QStringList{"keep", "seWidth=7"} << "21x18"
                                          << "3"
                                          << ""
                                          << "" << float(3 * kCm600);
    QTest::newRow("other pair rewritten")
        << QStringList{"eCheckerWidth=3.0", "seHeight=7"} << "15x18"
        << "3"
        << ""
        << "" << float(3 * kCm600);
}

void tst_Linked::typing() {
    QFETCH(QStringList, steps);
    QFETCH(QString, patternWidth);
    QFETCH(QString, checkerWidth);
    QFETCH(QString, frame);
    QFETCH(QString, caption);
    QFETCH(float, checkerWidthPx);
    WindowFixture f;
    TfQuadrix& w = *f.window;
    w.cbSize->setChecked(false); // the caption refuses a checker text that is no number
    QSignalSpy changes(&w, &TfQuadrix::changeDone);
    QSignalSpy rebuilds(&w, &TfQuadrix::previewRebuilt);
    int typed = 0;
    for (const QString& step : steps) {
        if (step == "keep") {
            w.cbKeepCheckerConstant->setChecked(true);
            continue;
        }
        const QString name = step.section('=', 0, 0);
        WindowFixture::paste(w.findChild<QLineEdit*>(name), step.section(QLatin1Char('='), 1));
        ++typed;
        // One replaced text: exactly one recompute and one rebuild.
        QCOMPARE(changes.count(), typed);
        QCOMPARE(rebuilds.count(), typed);
        QVERIFY(!w.updating);
    }
    QCOMPARE(w.ePatternWidth->text() + "x" + w.ePatternHeight->text(), patternWidth);
    QCOMPARE(w.eCheckerWidth->text(), checkerWidth);
    if (!frame.isEmpty()) {
        QCOMPARE(w.eFrameDistance->text(), frame);
        QCOMPARE(w.eSizeDistance->text(), caption);
    }
    QCOMPARE(w.checkerWidthPx, checkerWidthPx);
    QCOMPARE(w.patternWidthPx, float(w.udWidth->position() * double(checkerWidthPx)));
}

void tst_Linked::countEditKeepsLastValid_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    const QString huge(10000, QLatin1Char('9'));
    const std::pair<QString, int> rows[] = {{"1", 5},     {"0", 5},   {"150", 5}, {"ab", 5},
                                            {huge, 5},    {"  8", 8}, {"+9", 9},  {"8 ", 5},
                                            {"100", 100}, {"-2", 5},  {"", 5}};
    for (const auto& [text, count] : rows)
        QTest::newRow(qPrintable("'" + text.left(8) + "'")) << text << count;
}

void tst_Linked::countEditKeepsLastValid() {
    QFETCH(QString, text);
    QFETCH(int, count);
    WindowFixture f;
    TfQuadrix& w = *f.window;
    w.cbKeepCheckerConstant->setChecked(true);
    WindowFixture::paste(w.seWidth, text);
    QCOMPARE(w.udWidth->position(), count);
    QCOMPARE(w.seWidth->text(), text); // the text stays as typed
    QCOMPARE(w.ePatternWidth->text(), QString::number(3 * count));
}

void tst_Linked::arrowsStopAtLimits() {
    WindowFixture f;
    TfQuadrix& w = *f.window;
    QSignalSpy changes(&w, &TfQuadrix::changeDone);
    w.seWidth->setFocus();
    QTest::keyClick(w.seWidth, Qt::Key_Up);
    QCOMPARE(w.seWidth->text(), QString("6"));
    QCOMPARE(changes.count(), 1);
    WindowFixture::type(w.seWidth, "2");
    changes.clear();
    QTest::keyClick(w.seWidth, Qt::Key_Down);
    QCOMPARE(w.seWidth->text(), QString("2"));
    QCOMPARE(changes.count(), 0);
    QTest::mouseClick(w.udHeight->findChild<QToolButton*>("up"), Qt::LeftButton);
    QCOMPARE(w.seHeight->text(), QString("7"));
}

void tst_Linked::inside_data() {
    QTest::addColumn<int>("across");
    QTest::addColumn<int>("down");
    QTest::addColumn<bool>("keep");
    QTest::addColumn<int>("newAcross");
    QTest::addColumn<int>("newDown");
    QTest::addColumn<int>("changes");
    QTest::newRow("5x6") << 5 << 6 << false << 7 << 8 << 2;
    QTest::newRow("5x6 kept") << 5 << 6 << true << 7 << 8 << 2;
    QTest::newRow("99x100") << 99 << 100 << false << 100 << 100 << 1;
}

void tst_Linked::inside() {
    QFETCH(int, across);
    QFETCH(int, down);
    QFETCH(bool, keep);
    QFETCH(int, newAcross);
    QFETCH(int, newDown);
    QFETCH(int, changes);
    WindowFixture f;
    TfQuadrix& w = *f.window;
    w.cbKeepCheckerConstant->setChecked(true);
    w.udWidth->setPosition(across);
    w.udHeight->setPosition(down);
    w.cbKeepCheckerConstant->setChecked(keep);
    QSignalSpy spy(&w, &TfQuadrix::changeDone);
    QTest::mouseClick(w.bbInside, Qt::LeftButton);
    QCOMPARE(w.udWidth->position(), newAcross);
    QCOMPARE(w.udHeight->position(), newDown);
    QCOMPARE(w.eCheckerWidth->text() + "x" + w.eCheckerHeight->text(), QString("3x3"));
    QCOMPARE(w.ePatternWidth->text(), QString::number(3 * newAcross));
    QCOMPARE(w.ePatternHeight->text(), QString::number(3 * newDown));
    QCOMPARE(w.cbKeepCheckerConstant->isChecked(), keep);
    QCOMPARE(spy.count(), changes);
}

void tst_Linked::unitChoice_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("panel");
    QTest::addColumn<bool>("comma");
    QTest::newRow("cm") << 0 << "Page size: 20.32x27.94 cm" << false;
    QTest::newRow("inches") << 1 << "Page size: 8.00x11.00 inches" << false;
    QTest::newRow("pixels") << 2 << "Page size: 4800x6600 pixels" << false;
    QTest::newRow("cm, comma locale") << 0 << "Page size: 20.32x27.94 cm" << true;
}

void tst_Linked::unitChoice() {
    QFETCH(int, index);
    QFETCH(QString, panel);
    QFETCH(bool, comma);
    if (comma)
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    WindowFixture f;
    TfQuadrix& w = *f.window;
    QSignalSpy changes(&w, &TfQuadrix::changeDone);
    WindowFixture::choose(w.cbUnitsP, index);
    QCOMPARE(changes.count(), 1);
    for (UnitCombo* c : {w.cbUnitsP, w.cbUnitsC, w.cbUnitsF, w.cbUnitsS}) {
        QCOMPARE(c->itemIndex(), index);
        QCOMPARE(c->currentText(), c->itemText(index));
    }
    QCOMPARE(w.sbPanel[1]->text(), panel);
    QCOMPARE(w.sbPanel[2]->text(), QString("Resolution: 600x600 DPI"));
    // The numbers stay and now mean the new unit; edits follow the locale.
    QCOMPARE(w.ePatternWidth->text(), QString("15"));
    QCOMPARE(w.eFrameDistance->text(), QString(comma ? "0,6" : "0.6"));
    WindowFixture::type(w.eCheckerWidth, comma ? "1,5" : "1.5");
    QCOMPARE(w.ePatternWidth->text(), QString(comma ? "7,5" : "7.5"));
    WindowFixture::type(w.eCheckerWidth, comma ? "1.5" : "1,5"); // no number: default 10
    QCOMPARE(w.ePatternWidth->text(), QString("50"));
}

void tst_Linked::typedUnitNamingNothing() {
    WindowFixture f;
    TfQuadrix& w = *f.window;
    const float before = w.checkerWidthPx;
    QTest::keyClicks(w.cbUnitsP->lineEdit(), "x");
    QCOMPARE(w.cbUnitsP->itemIndex(), -1);
    QCOMPARE(w.cbUnitsC->itemIndex(), -1);
    QCOMPARE(w.sbPanel[1]->text(), QString("Page size: x cm"));
    QCOMPARE(w.checkerWidthPx, before);
    // The board is recomputed from the current counts all the same.
    w.cbKeepCheckerConstant->setChecked(true);
    WindowFixture::type(w.seWidth, "4");
    QCOMPARE(w.patternWidthPx, float(4.0 * double(before)));
    // A typed prefix names the item it starts.
    w.cbUnitsP->lineEdit()->selectAll();
    QTest::keyClicks(w.cbUnitsP->lineEdit(), "IN");
    QCOMPARE(w.cbUnitsP->itemIndex(), 1);
    QCOMPARE(w.unitName, QString("inches"));
}

void tst_Linked::setupReadsPrinterAgain() {
    WindowFixture f(300, 600, 2400, 6600);
    TfQuadrix& w = *f.window;
    QCOMPARE(w.sbPanel[2]->text(), QString("Resolution: 300x600 DPI"));
    QCOMPARE(w.checkerHeightPx, 2.0f * w.checkerWidthPx);
    WindowFixture::type(w.eFrameDistance, "5");
    f.printer->setNextSetup("Second", 1200, 1200, 9600, 13200);
    QSignalSpy changes(&w, &TfQuadrix::changeDone);
    QTest::mouseClick(w.bbSetup, Qt::LeftButton);
    QCOMPARE(f.printer->setupCalls, 1);
    QCOMPARE(changes.count(), 1);
    QCOMPARE(w.sbPanel[0]->text(), QString("Printer: Second"));
    QCOMPARE(w.sbPanel[2]->text(), QString("Resolution: 1200x1200 DPI"));
    QCOMPARE(w.checkerWidthPx, float(3.0 * (1200.0 * double(0.39370078f))));
    QCOMPARE(w.eFrameDistance->text(), QString("0.6")); // reset from the checker size
    // Cancelled (nothing new chosen): read and written again all the same.
    QTest::mouseClick(w.bbSetup, Qt::LeftButton);
    QCOMPARE(changes.count(), 2);
}

void tst_Linked::optionsRebuildPreviewOnly() {
    WindowFixture f;
    TfQuadrix& w = *f.window;
    QSignalSpy changes(&w, &TfQuadrix::changeDone);
    QSignalSpy rebuilds(&w, &TfQuadrix::previewRebuilt);
    WindowFixture::type(w.eFrameDistance, "1");
    WindowFixture::type(w.eSizeDistance, "1");
    w.cbFrame->click();
    w.cbSize->click();
    w.rgVertical->setItemIndex(0);
    w.rgHorizontal->setItemIndex(2);
    WindowFixture::choose(w.cbUnitsF, 1);
    QCOMPARE(rebuilds.count(), 7);
    QCOMPARE(changes.count(), 0);
}

void tst_Linked::captionErrorReported() {
    WindowFixture f;
    TfQuadrix& w = *f.window;
    WindowFixture::type(w.eCheckerWidth, "");
    QCOMPARE(f.errors, QStringList{"'' is not a valid floating point value"});
    QVERIFY(!w.updating);
    // The window goes on: a valid size recomputes as usual.
    WindowFixture::type(w.eCheckerWidth, "2");
    QCOMPARE(w.ePatternWidth->text(), QString("10"));
    QCOMPARE(f.errors.size(), 1);
}

QTEST_MAIN(tst_Linked)
#include "tst_linked.moc"
