#include "model/LayoutMath.h"
#include "model/NumberText.h"
#include "model/Numeric.h"
#include "model/Units.h"

#include <QLocale>
#include <QtTest>
#include <cfloat>
#include <cmath>

class TestLayoutMath : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); } // not the machine's locale

    void numeric_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<float>("single");   // ToSingle
        QTest::addColumn<qint64>("trunc");   // Trunc
        QTest::addColumn<qint64>("rounded"); // RoundHalfDown of the single
        const qint64 lim = kCoordLimit;
        // FLT_MAX + half an ulp: the first double that rounds to infinity.
        const double boundary = std::ldexp(1.0, 128) - std::ldexp(1.0, 103);
        QTest::newRow("12.5") << 12.5 << 12.5f << qint64(12) << qint64(12);
        QTest::newRow("12.51") << 12.51 << 12.51f << qint64(12) << qint64(13);
        QTest::newRow("2.75") << 2.75 << 2.75f << qint64(2) << qint64(3);
        QTest::newRow("-0.5") << -0.5 << -0.5f << qint64(0) << qint64(-1);
        QTest::newRow("0.49") << 0.49 << 0.49f << qint64(0) << qint64(0);
        QTest::newRow("NaN") << qQNaN() << float(qQNaN()) << qint64(0) << qint64(0);
        QTest::newRow("just below") << std::nextafter(boundary, 0.0) << FLT_MAX << lim << lim;
        QTest::newRow("the boundary") << boundary << float(qInf()) << lim << lim;
        QTest::newRow("-1e39") << -1e39 << -float(qInf()) << -lim << -lim;
    }
    void numeric() {
        QFETCH(double, value);
        QFETCH(float, single);
        QFETCH(qint64, trunc);
        QFETCH(qint64, rounded);
        QCOMPARE(double(ToSingle(value)), double(single)); // as doubles, the last bit counts
        QCOMPARE(qint64(Trunc(value)), trunc);
        QCOMPARE(qint64(RoundHalfDown(ToSingle(value))), rounded);
    }

    // The texts the form writes: linked sizes, default distances, resolution panel.
    void formTexts() {
        QCOMPARE(FloatToStr(PerCount(ReadSize("20"), 7)), "2.85714292526245");
        QCOMPARE(FloatToStr(TimesCount(5, ReadSize("2.54"))), "12.6999998092651");
        QCOMPARE(FloatToStr(TimesCount(5, ReadSize("abc"))), "50"); // no number counts as 10
        QCOMPARE(FloatToStr(TimesCount(100, ReadSize("1e37"))), "INF");
        QCOMPARE(ComputeDefaultDistances(4, 2).frame, "0.6");
        QCOMPARE(ComputeDefaultDistances(4, 2).size, "0.3");
        QCOMPARE(ComputeDefaultDistances(0.7f, 0.7f).frame, "0.139999997615814");
        QCOMPARE(ComputeDefaultDistances(0.7f, 0.7f).size, "0.0699999988079071");
        // FLT_MAX + FLT_MAX overflows a float, not the double the mean is formed in.
        QCOMPARE(ComputeDefaultDistances(FLT_MAX, FLT_MAX).size, "3.40282346638529E37");
        QCOMPARE(ResolutionPanelText(300, 600), "Resolution: 300x600 DPI");
    }

    void convertChecker_data() {
        QTest::addColumn<int>("unit");
        QTest::addColumn<QString>("size"); // both edits
        QTest::addColumn<float>("dpiX");   // dpiY is 600; the page 4800 x 6600
        QTest::addColumn<QString>("texts");
        auto row = [](const char* name, int unit, const char* size, float dpiX, const char* texts) {
            QTest::newRow(name) << unit << QString(size) << dpiX << QString(texts);
        };
        row("cm", kUnitCm, "3", 600, "708.661377x708.661377 px, Page size: 20.32x27.94 cm");
        row("inches", kUnitInches, "3", 600, "1800x1800 px, Page size: 8.00x11.00 inches");
        row("pixels, no number", kUnitPixels, "abc", 600, "0x0 px, Page size: 4800x6600 pixels");
        row("300 x 600 dpi", kUnitCm, "1", 300,
            "118.110237x236.220474 px, Page size: 40.64x27.94 cm");
        row("no unit", -1, "3", 600, "not converted, Page size: x ");
    }
    void convertChecker() {
        QFETCH(int, unit);
        QFETCH(QString, size);
        QFETCH(float, dpiX);
        QFETCH(QString, texts);
        // The page figures keep their point in a comma locale.
        for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::German)}) {
            QLocale::setDefault(locale);
            const CheckerConversion c = ConvertChecker(unit, size, size, dpiX, 600, 4800, 6600);
            const QString pixels = QString("%1x%2 px, ") // 9 digits tell floats apart
                                       .arg(c.checkerWidthPx, 0, 'g', 9)
                                       .arg(c.checkerHeightPx, 0, 'g', 9);
            QCOMPARE((c.converted ? pixels : "not converted, ") +
                         PageSizePanelText(c.pageWidth, c.pageHeight, c.unitName),
                     texts);
        }
    }
};

QTEST_APPLESS_MAIN(TestLayoutMath)
#include "tst_layoutmath.moc"
