#include "model/LayoutMath.h"
#include "model/NumberText.h"
#include "model/Numeric.h"
#include "model/Units.h"

#include <QLocale>
#include <QtTest>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Bit-exact, so that -0, infinities and the last ulp count.
bool sameFloat(float a, float b) {
    return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
}

} // namespace

class TestLayoutMath : public QObject {
    Q_OBJECT

private slots:
    // Point locale unless a test switches to a comma one, whatever the machine's.
    void init() { QLocale::setDefault(QLocale::c()); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void toSingle_data();
    void toSingle();
    void trunc_data();
    void trunc();
    void roundHalfDown_data();
    void roundHalfDown();

    void units();

    void readSize_data();
    void readSize();
    void linkedSizes_data();
    void linkedSizes();
    void defaultDistances_data();
    void defaultDistances();

    void convertChecker_data();
    void convertChecker();
    void convertCheckerNoUnit();
    void panelTexts();
};

void TestLayoutMath::toSingle_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<float>("expected");

    const float finf = std::numeric_limits<float>::infinity();
    // FLT_MAX + half an ulp: the first double that rounds to infinity.
    const double boundary = std::ldexp(1.0, 128) - std::ldexp(1.0, 103);
    QTest::newRow("0.7") << 0.7 << 0.7f;
    QTest::newRow("1e30") << 1e30 << 1e30f;
    QTest::newRow("negative zero") << -0.0 << -0.0f;
    QTest::newRow("underflow") << 1e-50 << 0.0f;
    QTest::newRow("FLT_MAX") << double(FLT_MAX) << FLT_MAX;
    QTest::newRow("just above FLT_MAX") << double(FLT_MAX) * (1 + 1e-9) << FLT_MAX;
    QTest::newRow("below the boundary") << std::nextafter(boundary, 0.0) << FLT_MAX;
    QTest::newRow("the boundary") << boundary << finf;
    QTest::newRow("1e39") << 1e39 << finf;
    QTest::newRow("-1e39") << -1e39 << -finf;
    QTest::newRow("infinity") << kInf << finf;
    QTest::newRow("minus infinity") << -kInf << -finf;
    QTest::newRow("NaN") << kNaN << std::numeric_limits<float>::quiet_NaN();
}

void TestLayoutMath::toSingle() {
    QFETCH(double, value);
    QFETCH(float, expected);
    const float actual = ToSingle(value);
    QVERIFY2(sameFloat(actual, expected), qPrintable(QString::number(actual, 'g', 9)));
}

void TestLayoutMath::trunc_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<qint64>("expected");

    QTest::newRow("12.7") << 12.7 << qint64(12);
    QTest::newRow("-12.7") << -12.7 << qint64(-12);
    QTest::newRow("below the limit") << double(kCoordLimit) - 0.5 << qint64(kCoordLimit - 1);
    QTest::newRow("at the limit") << double(kCoordLimit) << qint64(kCoordLimit);
    QTest::newRow("1e30") << 1e30 << qint64(kCoordLimit);
    QTest::newRow("-1e30") << -1e30 << qint64(-kCoordLimit);
    QTest::newRow("infinity") << kInf << qint64(kCoordLimit);
    QTest::newRow("minus infinity") << -kInf << qint64(-kCoordLimit);
    QTest::newRow("NaN") << kNaN << qint64(0);
}

void TestLayoutMath::trunc() {
    QFETCH(double, value);
    QFETCH(qint64, expected);
    QCOMPARE(qint64(Trunc(value)), expected);
}

void TestLayoutMath::roundHalfDown_data() {
    QTest::addColumn<float>("value");
    QTest::addColumn<qint64>("expected");

    QTest::newRow("12.5") << 12.5f << qint64(12);
    QTest::newRow("12.51") << 12.51f << qint64(13);
    QTest::newRow("2.5") << 2.5f << qint64(2);
    QTest::newRow("2.75") << 2.75f << qint64(3);
    QTest::newRow("0.49") << 0.49f << qint64(0);
    QTest::newRow("0.5") << 0.5f << qint64(0);
    QTest::newRow("just above 0.5") << std::nextafter(0.5f, 1.0f) << qint64(1);
    QTest::newRow("-0.5") << -0.5f << qint64(-1);
    QTest::newRow("-2.5") << -2.5f << qint64(-3);
    QTest::newRow("1e30") << 1e30f << qint64(kCoordLimit);
    QTest::newRow("-1e30") << -1e30f << qint64(-kCoordLimit);
    QTest::newRow("infinity") << std::numeric_limits<float>::infinity() << qint64(kCoordLimit);
    QTest::newRow("minus infinity")
        << -std::numeric_limits<float>::infinity() << qint64(-kCoordLimit);
    QTest::newRow("NaN") << std::numeric_limits<float>::quiet_NaN() << qint64(0);
}

void TestLayoutMath::roundHalfDown() {
    QFETCH(float, value);
    QFETCH(qint64, expected);
    QCOMPARE(qint64(RoundHalfDown(value)), expected);
}

void TestLayoutMath::units() {
    quint32 bits = 0;
    std::memcpy(&bits, &k, sizeof bits);
    QCOMPARE(bits, quint32(0x3EC99326));

    QCOMPARE(UnitItems(), QStringList({"cm", "inches", "pixels"}));
    QCOMPARE(UnitName(-1), QString());
    QCOMPARE(UnitName(3), QString());

    double perUnit = 0;
    QVERIFY(PixelsPerUnit(kUnitCm, 600, perUnit));
    QCOMPARE(perUnit, 600 * double(k)); // not rounded to float
    QVERIFY(perUnit != double(600 * k));
    QVERIFY(PixelsPerUnit(kUnitInches, 300, perUnit));
    QCOMPARE(perUnit, 300.0);
    QVERIFY(PixelsPerUnit(kUnitPixels, 300, perUnit));
    QCOMPARE(perUnit, 1.0);
    perUnit = 42;
    QVERIFY(!PixelsPerUnit(-1, 300, perUnit));
    QVERIFY(!PixelsPerUnit(3, 300, perUnit));
    QCOMPARE(perUnit, 42.0);
}

void TestLayoutMath::readSize_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<float>("expected");

    QTest::newRow("number") << "4" << 4.0f;
    QTest::newRow("written as 3.0") << "3.0" << 3.0f;
    QTest::newRow("held as float") << "0.7" << 0.7f;
    QTest::newRow("empty counts as 10") << "" << 10.0f;
    QTest::newRow("letters count as 10") << "abc" << 10.0f;
    QTest::newRow("negative") << "-3" << -3.0f;
    QTest::newRow("beyond float range") << "1e39" << std::numeric_limits<float>::infinity();
}

void TestLayoutMath::readSize() {
    QFETCH(QString, text);
    QFETCH(float, expected);
    QVERIFY(sameFloat(ReadSize(text), expected));
}

void TestLayoutMath::linkedSizes_data() {
    QTest::addColumn<bool>("times");
    QTest::addColumn<int>("count");
    QTest::addColumn<float>("size");
    QTest::addColumn<QString>("text");

    QTest::newRow("20 / 7") << false << 7 << 20.0f << "2.85714292526245";
    QTest::newRow("5 x 2.54") << true << 5 << 2.54f << "12.6999998092651";
    QTest::newRow("3 x 0.1") << true << 3 << 0.1f << "0.300000011920929";
    QTest::newRow("15 / 5") << false << 5 << 15.0f << "3";
    QTest::newRow("7 x 3") << true << 7 << 3.0f << "21";
    QTest::newRow("5 x 10 for an empty edit") << true << 5 << ReadSize("") << "50";
    QTest::newRow("product beyond float range") << true << 100 << 1e37f << "INF";
}

void TestLayoutMath::linkedSizes() {
    QFETCH(bool, times);
    QFETCH(int, count);
    QFETCH(float, size);
    QFETCH(QString, text);
    QCOMPARE(FloatToStr(times ? TimesCount(count, size) : PerCount(size, count)), text);
}

void TestLayoutMath::defaultDistances_data() {
    QTest::addColumn<float>("width");
    QTest::addColumn<float>("height");
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QString>("size");

    QTest::newRow("3 x 3") << 3.0f << 3.0f << "0.6"
                           << "0.3";
    QTest::newRow("4 x 3") << 4.0f << 3.0f << "0.7"
                           << "0.35";
    QTest::newRow("0.7 x 0.7") << 0.7f << 0.7f << "0.139999997615814"
                               << "0.0699999988079071";
    QTest::newRow("2.5 x 2.5") << 2.5f << 2.5f << "0.5"
                               << "0.25";
    QTest::newRow("100 x 100") << 100.0f << 100.0f << "20"
                               << "10";
    QTest::newRow("zero") << 0.0f << 0.0f << "0"
                          << "0";
    // FLT_MAX + FLT_MAX overflows a float, not the double the mean is formed in.
    QTest::newRow("FLT_MAX") << FLT_MAX << FLT_MAX << "6.80564693277058E37"
                             << "3.40282346638529E37";
}

void TestLayoutMath::defaultDistances() {
    QFETCH(float, width);
    QFETCH(float, height);
    QFETCH(QString, frame);
    QFETCH(QString, size);
    const DefaultDistances distances = ComputeDefaultDistances(width, height);
    QCOMPARE(distances.frame, frame);
    QCOMPARE(distances.size, size);
}

void TestLayoutMath::convertChecker_data() {
    QTest::addColumn<int>("unit");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::addColumn<float>("dpiX");
    QTest::addColumn<float>("dpiY");
    QTest::addColumn<int>("pageWidth");
    QTest::addColumn<int>("pageHeight");
    QTest::addColumn<float>("widthPx");
    QTest::addColumn<float>("heightPx");
    QTest::addColumn<QString>("panel");

    // 600 dpi, a 4800 x 6600 page, checker 3 x 3.
    QTest::newRow("cm") << int(kUnitCm) << "3"
                        << "3" << 600.0f << 600.0f << 4800 << 6600 << 708.661377f << 708.661377f
                        << "Page size: 20.32x27.94 cm";
    QTest::newRow("inches") << int(kUnitInches) << "3"
                            << "3" << 600.0f << 600.0f << 4800 << 6600 << 1800.0f << 1800.0f
                            << "Page size: 8.00x11.00 inches";
    QTest::newRow("pixels") << int(kUnitPixels) << "2.5"
                            << "3" << 600.0f << 600.0f << 4800 << 6600 << 2.5f << 3.0f
                            << "Page size: 4800x6600 pixels";
    QTest::newRow("not a number counts as 0")
        << int(kUnitCm) << "abc"
        << "" << 600.0f << 600.0f << 4800 << 6600 << 0.0f << 0.0f << "Page size: 20.32x27.94 cm";
    QTest::newRow("300 x 600 dpi, cm") << int(kUnitCm) << "1"
                                       << "1" << 300.0f << 600.0f << 2400 << 6600 << 118.110237f
                                       << 236.220474f << "Page size: 20.32x27.94 cm";
    QTest::newRow("300 x 600 dpi, inches") << int(kUnitInches) << "1"
                                           << "1" << 300.0f << 600.0f << 2400 << 6600 << 300.0f
                                           << 600.0f << "Page size: 8.00x11.00 inches";
    QTest::newRow("no resolution")
        << int(kUnitInches) << "1"
        << "1" << 0.0f << 0.0f << 2400 << 0 << 0.0f << 0.0f << "Page size: INFxNAN inches";
}

void TestLayoutMath::convertChecker() {
    QFETCH(int, unit);
    QFETCH(QString, width);
    QFETCH(QString, height);
    QFETCH(float, dpiX);
    QFETCH(float, dpiY);
    QFETCH(int, pageWidth);
    QFETCH(int, pageHeight);
    QFETCH(float, widthPx);
    QFETCH(float, heightPx);
    QFETCH(QString, panel);

    const CheckerConversion c =
        ConvertChecker(unit, width, height, dpiX, dpiY, pageWidth, pageHeight);
    QVERIFY(c.converted);
    QCOMPARE(c.checkerWidthPx, widthPx);
    QCOMPARE(c.checkerHeightPx, heightPx);
    QCOMPARE(PageSizePanelText(c.pageWidth, c.pageHeight, c.unitName), panel);

    // The page figures keep their point in a comma locale.
    QLocale::setDefault(QLocale(QLocale::German));
    const CheckerConversion comma =
        ConvertChecker(unit, width, height, dpiX, dpiY, pageWidth, pageHeight);
    QCOMPARE(PageSizePanelText(comma.pageWidth, comma.pageHeight, comma.unitName), panel);
}

void TestLayoutMath::convertCheckerNoUnit() {
    for (int unit : {-1, 3}) {
        const CheckerConversion c = ConvertChecker(unit, "3", "3", 600, 600, 4800, 6600);
        QVERIFY(!c.converted);
        QVERIFY(c.pageWidth.isEmpty());
        QVERIFY(c.pageHeight.isEmpty());
        // The previous unit name stays on the panel.
        QCOMPARE(PageSizePanelText(c.pageWidth, c.pageHeight, "cm"), "Page size: x cm");
    }
}

void TestLayoutMath::panelTexts() {
    QCOMPARE(ResolutionPanelText(600, 600), "Resolution: 600x600 DPI");
    QCOMPARE(ResolutionPanelText(300, 600), "Resolution: 300x600 DPI");
    QLocale::setDefault(QLocale(QLocale::German));
    QCOMPARE(ResolutionPanelText(72.5f, 1200), "Resolution: 72,5x1200 DPI");
}

QTEST_APPLESS_MAIN(TestLayoutMath)
#include "tst_layoutmath.moc"
