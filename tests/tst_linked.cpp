// Counts, checker size and pattern size stay linked as the user types, and
// every user change runs exactly one recompute.
#include "WindowFixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QLocale>

class tst_Linked : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void typeCheckerWidth();
    void checkerTextsGiveDefaults_data();
    void checkerTextsGiveDefaults();
    void countChange_data();
    void countChange();
    void countChangeRewritesOtherPair();
    void countEditKeepsLastValid_data();
    void countEditKeepsLastValid();
    void arrowsStopAtLimits();
    void inside_data();
    void inside();
    void unitChoice_data();
    void unitChoice();
    void typedUnitNamingNothing();
    void distancesFollowChecker_data();
    void distancesFollowChecker();
    void nonSquarePrinter();
    void setupReadsPrinterAgain();
    void oneRecomputePerUserChange_data();
    void oneRecomputePerUserChange();
    void optionsRebuildPreviewOnly();
    void commaLocale();
    void captionErrorReported();
};

void tst_Linked::typeCheckerWidth() {
    WindowFixture f;
    TfQuadrix& w = *f.window;
    QSignalSpy changes(&w, &TfQuadrix::changeDone);
    WindowFixture::type(w.eCheckerWidth, "4");
    QCOMPARE(w.ePatternWidth->text(), QString("20"));
    QCOMPARE(w.ePatternHeight->text(), QString("18"));
    QCOMPARE(w.eCheckerWidth->text(), QString("4"));
    QCOMPARE(changes.count(), 1);
    QCOMPARE(w.eFrameDistance->text(), QString("0.7"));
    QCOMPARE(w.eSizeDistance->text(), QString("0.35"));
    // 4 cm at 600 dpi: 4 * 600 * k, unrounded product, stored as float.
    QCOMPARE(w.checkerWidthPx, float(4.0 * (600.0 * double(0.39370078f))));
    QCOMPARE(w.patternWidthPx, float(5.0 * double(w.checkerWidthPx)));
}

void tst_Linked::checkerTextsGiveDefaults_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("patternWidth");
    QTest::addColumn<float>("checkerWidthPx");
    QTest::newRow("letters") << "abc" << "50" << 0.0f;
    QTest::newRow("empty") << "" << "50" << 0.0f;
    QTest::newRow("zero") << "0" << "0" << 0.0f;
    QTest::newRow("negative") << "-3" << "-15" << float(-3.0 * (600.0 * double(0.39370078f)));
}

void tst_Linked::checkerTextsGiveDefaults() {
    QFETCH(QString, text);
    QFETCH(QString, patternWidth);
    QFETCH(float, checkerWidthPx);
    WindowFixture f;
    TfQuadrix& w = *f.window;
    w.cbSize->setChecked(false); // the caption would refuse a text that is no number
    WindowFixture::type(w.eCheckerWidth, text);
    QCOMPARE(w.ePatternWidth->text(), patternWidth);
    QCOMPARE(w.eCheckerWidth->text(), text);
    QCOMPARE(w.checkerWidthPx, checkerWidthPx);
    QCOMPARE(w.patternWidthPx, float(5.0 * double(checkerWidthPx)));
}

void tst_Linked::countChange_data() {
    QTest::addColumn<bool>("keepChecker");
    QTest::addColumn<QString>("checkerWidth");
    QTest::addColumn<QString>("patternWidth");
    // Pattern 20 wide over 7 checkers: the digits of the single-precision quotient.
    QTest::newRow("pattern kept") << false << "2.85714292526245" << "20";
    QTest::newRow("checker kept") << true << "3" << "21";
}

void tst_Linked::countChange() {
    QFETCH(bool, keepChecker);
    QFETCH(QString, checkerWidth);
    QFETCH(QString, patternWidth);
    WindowFixture f;
    TfQuadrix& w = *f.window;
    if (!keepChecker)
        WindowFixture::type(w.ePatternWidth, "20");
    w.cbKeepCheckerConstant->setChecked(keepChecker);
    QSignalSpy changes(&w, &TfQuadrix::changeDone);
    WindowFixture::type(w.seWidth, "7");
    QCOMPARE(w.udWidth->position(), 7);
    QCOMPARE(w.eCheckerWidth->text(), checkerWidth);
    QCOMPARE(w.ePatternWidth->text(), patternWidth);
    QCOMPARE(changes.count(), 1);
}

void tst_Linked::countChangeRewritesOtherPair() {
    WindowFixture f;
    TfQuadrix& w = *f.window;
    WindowFixture::type(w.eCheckerWidth, "3.0");
    QCOMPARE(w.ePatternWidth->text(), QString("15"));
    WindowFixture::type(w.seHeight, "7");
    QCOMPARE(w.eCheckerWidth->text(), QString("3"));
}

void tst_Linked::countEditKeepsLastValid_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::newRow("one") << "1" << 5;
    QTest::newRow("zero") << "0" << 5;
    QTest::newRow("above max") << "150" << 5;
    QTest::newRow("letters") << "ab" << 5;
    QTest::newRow("huge") << QString(10000, QLatin1Char('9')) << 5;
    QTest::newRow("leading blanks") << "  8" << 8;
    QTest::newRow("sign") << "+9" << 9;
    QTest::newRow("trailing blank") << "8 " << 5;
    QTest::newRow("max") << "100" << 100;
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
    auto* up = w.udHeight->findChild<QToolButton*>("up");
    QVERIFY(up);
    QTest::mouseClick(up, Qt::LeftButton);
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
    QCOMPARE(w.eCheckerWidth->text(), QString("3"));
    QCOMPARE(w.eCheckerHeight->text(), QString("3"));
    QCOMPARE(w.ePatternWidth->text(), QString::number(3 * newAcross));
    QCOMPARE(w.ePatternHeight->text(), QString::number(3 * newDown));
    QCOMPARE(w.cbKeepCheckerConstant->isChecked(), keep);
    QCOMPARE(spy.count(), changes);
}

void tst_Linked::unitChoice_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("panel");
    QTest::newRow("cm") << 0 << "Page size: 20.32x27.94 cm";
    QTest::newRow("inches") << 1 << "Page size: 8.00x11.00 inches";
    QTest::newRow("pixels") << 2 << "Page size: 4800x6600 pixels";
}

void tst_Linked::unitChoice() {
    QFETCH(int, index);
    QFETCH(QString, panel);
    WindowFixture f;
    TfQuadrix& w = *f.window;
    QSignalSpy changes(&w, &TfQuadrix::changeDone);
    // Choosing an item from the pattern unit list, as a user does.
    WindowFixture::choose(w.cbUnitsP, index);
    QCOMPARE(changes.count(), 1);
    for (UnitCombo* c : {w.cbUnitsP, w.cbUnitsC, w.cbUnitsF, w.cbUnitsS})
        QCOMPARE(c->itemIndex(), index);
    QCOMPARE(w.cbUnitsC->currentText(), w.cbUnitsP->itemText(index));
    QCOMPARE(w.sbPanel[1]->text(), panel);
    // The numbers stay and now mean the new unit.
    QCOMPARE(w.eCheckerWidth->text(), QString("3"));
    QCOMPARE(w.ePatternWidth->text(), QString("15"));
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

void tst_Linked::distancesFollowChecker_data() {
    QTest::addColumn<QString>("side");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QString>("caption");
    QTest::newRow("3") << "3" << "0.6" << "0.3";
    QTest::newRow("0.7") << "0.7" << "0.139999997615814" << "0.0699999988079071";
    QTest::newRow("2.5") << "2.5" << "0.5" << "0.25";
    QTest::newRow("100") << "100" << "20" << "10";
}

void tst_Linked::distancesFollowChecker() {
    QFETCH(QString, side);
    QFETCH(QString, frame);
    QFETCH(QString, caption);
    WindowFixture f;
    TfQuadrix& w = *f.window;
    WindowFixture::type(w.eCheckerWidth, side);
    WindowFixture::type(w.eCheckerHeight, side);
    QCOMPARE(w.eFrameDistance->text(), frame);
    QCOMPARE(w.eSizeDistance->text(), caption);
}

void tst_Linked::nonSquarePrinter() {
    WindowFixture f(300, 600, 2400, 6600);
    TfQuadrix& w = *f.window;
    QCOMPARE(w.sbPanel[2]->text(), QString("Resolution: 300x600 DPI"));
    QCOMPARE(w.checkerHeightPx, 2.0f * w.checkerWidthPx);
    QCOMPARE(w.dpiX, 300.0f);
    QCOMPARE(w.dpiY, 600.0f);
}

void tst_Linked::setupReadsPrinterAgain() {
    WindowFixture f;
    TfQuadrix& w = *f.window;
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

void tst_Linked::oneRecomputePerUserChange_data() {
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QString>("text");
    QTest::newRow("checker width") << "eCheckerWidth" << "7";
    QTest::newRow("checker height") << "eCheckerHeight" << "7";
    QTest::newRow("pattern width") << "ePatternWidth" << "7";
    QTest::newRow("pattern height") << "ePatternHeight" << "7";
    QTest::newRow("count across") << "seWidth" << "7";
    QTest::newRow("count down") << "seHeight" << "7";
}

void tst_Linked::oneRecomputePerUserChange() {
    QFETCH(QString, edit);
    QFETCH(QString, text);
    WindowFixture f;
    TfQuadrix& w = *f.window;
    QSignalSpy changes(&w, &TfQuadrix::changeDone);
    QSignalSpy rebuilds(&w, &TfQuadrix::previewRebuilt);
    WindowFixture::type(w.findChild<QLineEdit*>(edit), text);
    QCOMPARE(changes.count(), 1);
    QCOMPARE(rebuilds.count(), 1);
    QVERIFY(!w.updating);
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

void tst_Linked::commaLocale() {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    WindowFixture f;
    TfQuadrix& w = *f.window;
    QCOMPARE(w.eFrameDistance->text(), QString("0,6"));
    QCOMPARE(w.sbPanel[1]->text(), QString("Page size: 20.32x27.94 cm"));
    WindowFixture::type(w.eCheckerWidth, "1,5");
    QCOMPARE(w.ePatternWidth->text(), QString("7,5"));
    WindowFixture::type(w.eCheckerWidth, "1.5"); // not a number here: the default 10
    QCOMPARE(w.ePatternWidth->text(), QString("50"));
}

void tst_Linked::captionErrorReported() {
    WindowFixture f;
    TfQuadrix& w = *f.window;
    WindowFixture::type(w.eCheckerWidth, "");
    QCOMPARE(f.errors.size(), 1);
    QCOMPARE(f.errors.first(), QString("'' is not a valid floating point value"));
    QVERIFY(!w.updating);
    // The window goes on: a valid size recomputes as usual.
    WindowFixture::type(w.eCheckerWidth, "2");
    QCOMPARE(w.ePatternWidth->text(), QString("10"));
    QCOMPARE(f.errors.size(), 1);
}

QTEST_MAIN(tst_Linked)
#include "tst_linked.moc"
