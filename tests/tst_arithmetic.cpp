// SPDX-License-Identifier: MIT
// The arithmetic under the window: number texts in both directions, the safe
// conversions, the linked sizes, the default distances and the conversion of
// the checker size into printer pixels with the status texts.
#include "model/ConversionError.h"
#include "model/LayoutMath.h"
#include "model/NumberText.h"
#include "model/Numeric.h"
#include "model/ScaleCorrection.h"
#include "model/Units.h"

#include <QLocale>
#include <QtTest>
#include <cstring>
#include <random>

class TestArithmetic : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); } // not the machine's locale

    void format_data() {
        QTest::addColumn<bool>("fixed"); // FormatFixed2, else FloatToStr
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("float 12.7") << false << double(12.7f) << "12.6999998092651";
        QTest::newRow("infinity") << false << qInf() << "INF";
        // Linked sizes whose 16th digit is a 5: half up, however the 15th or what follows.
        QTest::newRow("2 cm over 3") << false << double(PerCount(2, 3)) << "0.666666686534882";
        QTest::newRow("26 cm over 3, even")
            << false << double(PerCount(26, 3)) << "8.66666698455811";
        QTest::newRow("3 x 85.8, exact tie")
            << false << double(TimesCount(3, 85.8f)) << "257.400024414063";
        QTest::newRow("3.34 over 15, a tie at 18 digits")
            << false << double(PerCount(3.34f, 15)) << "0.222666665911675";
        QTest::newRow("fixed, binary below the half") << true << -2.675 << "-2.67";
    }
    void format() {
        QFETCH(bool, fixed);
        QFETCH(double, value);
        QFETCH(QString, text);
        const auto format = fixed ? FormatFixed2 : FloatToStr;
        QCOMPARE(format(value), text);
        // FloatToStr writes the locale's separator (and no grouping), FormatFixed2 a point.
        QLocale::setDefault(QLocale(QLocale::German));
        QCOMPARE(format(value), fixed ? text : QString(text).replace('.', ','));
    }

    // The shortest text that reads back as the same single value, plain where
    // FloatToStr is; a text read back is written the same, whichever double
    // of that single it came from; outside the normal singles, every digit.
    void shortest_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("factor");
        QTest::addColumn<QString>("text");
        QTest::newRow("15 / 7") << double(15.0f / 7) << 1.0 << "2.142857";
        QTest::newRow("180, not 1.8e+02") << 180.0 << 1.0 << "180";
        QTest::newRow("0.00001, not 1e-05") << 1e-5 << 1.0 << "0.00001";
        QTest::newRow("just below 1e-5") << 1e-7 * 100 << 1.0 << "0.00001";
        QTest::newRow("in percent") << 0.99447513 << 100.0 << "99.44751";
        QTest::newRow("subnormal, as its double") << 6.82555555e-42 << 1.0 << "6.82555555e-42";
    }
    void shortest() {
        QFETCH(double, value);
        QFETCH(double, factor);
        QFETCH(QString, text);
        QCOMPARE(ShortestSingleText(value, factor), text);
    }
    void shortestReadsBackTheSame() {
        std::mt19937_64 random(20261208);
        for (int i = 0; i < 20000; ++i) { // any double, and a correction in percent
            const double v = std::ldexp(double(random() >> 11), int(random() % 220) - 200);
            const double percent = 0.95 + 0.1 * std::ldexp(double(random() >> 11), -53);
            for (const auto& [value, factor] : {std::pair{v, 1.0}, {percent, 100.0}}) {
                const QString once = ShortestSingleText(value, factor);
                const double read = once.toDouble() / factor;
                QVERIFY2(float(read) == float(value) && ShortestSingleText(read, factor) == once,
                         qPrintable(QString::number(value, 'g', 17) + " as " + once));
            }
        }
    }

    void parse_data() {
        QTest::addColumn<bool>("comma"); // parsed in a comma locale
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<double>("value");
        auto row = [](const char* name, const QString& text, bool ok, double value = 0,
                      bool comma = false) { QTest::newRow(name) << comma << text << ok << value; };
        row("spaces, sign, leading point, exponent", "  +.5E+01  ", true, 5);
        row("comma locale", "1,5", true, 1.5, true);
        row("point in a comma locale", "1.5", false, 0, true);
        for (const char* text : {"", ".", "e5", "1,5", "1 000", "1e 2", "0x10", "INF", "NAN",
                                 "1e+-5", "\t1", "1\t", "1.8e308", "\uFF11"})
            row(*text ? text : "empty", QString::fromUtf8(text), false);
    }
    void parse() {
        QFETCH(bool, comma);
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        QFETCH(double, value);
        if (comma)
            QLocale::setDefault(QLocale(QLocale::German));
        double parsed = 12345;
        QCOMPARE(TryStrToFloat(text, parsed), accepted);
        // Bit-exact, sign of zero included; QCOMPARE on doubles is fuzzy.
        QVERIFY(!accepted || std::memcmp(&parsed, &value, sizeof value) == 0);
        QString error;
        try {
            QCOMPARE(StrToFloat(text), value);
        } catch (const ConversionError& e) {
            error = QString::fromUtf8(e.what());
        }
        QCOMPARE(error,
                 accepted ? QString() : "'" + text + "' is not a valid floating point value");
    }

    // The checker in printer pixels and the page panel, in each unit. A
    // printer's correction (in percent) enters the checker's pixels in cm and
    // inches, each axis its own, never printer pixels nor the page figures.
    void convertChecker_data() {
        QTest::addColumn<QString>("percent"); // refused or empty: no correction
        QTest::addColumn<int>("unit");
        QTest::addColumn<float>("dpiX");   // dpiY is 600; the page 4800 x 6600
        QTest::addColumn<QString>("size"); // both edits
        QTest::addColumn<QString>("texts");
        auto row = [](const char* name, const char* percent, int unit, float dpiX, const char* size,
                      const char* texts) {
            QTest::newRow(name) << QString(percent) << unit << dpiX << QString(size)
                                << QString(texts);
        };
        const char* const cm3 = "708.661377x708.661377 px, Page size: 20.32x27.94 cm";
        row("cm", "", kUnitCm, 600, "3", cm3);
        row("inches", "", kUnitInches, 600, "3", "1800x1800 px, Page size: 8.00x11.00 inches");
        row("pixels, no number", "", kUnitPixels, 600, "abc",
            "0x0 px, Page size: 4800x6600 pixels");
        row("300 x 600 dpi", "", kUnitCm, 300, "1",
            "118.110237x236.220474 px, Page size: 40.64x27.94 cm");
        row("no unit", "", -1, 600, "3", "not converted, Page size: x ");
        row("cm, 101 % x 99 %", "101x99", kUnitCm, 600, "3",
            "715.747986x701.574768 px, Page size: 20.32x27.94 cm");
        row("pixels are the printer's own", "101x99", kUnitPixels, 600, "50",
            "50x50 px, Page size: 4800x6600 pixels");
        row("beyond 5 %: refused", "106x100", kUnitCm, 600, "3", cm3);
    }
    void convertChecker() {
        QFETCH(QString, percent);
        QFETCH(int, unit);
        QFETCH(float, dpiX);
        QFETCH(QString, size);
        QFETCH(QString, texts);
        ScaleCorrection correction;
        const bool accepted = ParseCorrectionPercent(percent, correction);
        QCOMPARE(accepted, !correction.isIdentity());
        // The page figures keep their point in a comma locale.
        for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::German)}) {
            QLocale::setDefault(locale);
            const CheckerConversion c =
                ConvertChecker(unit, size, size, dpiX, 600, 4800, 6600, correction);
            const QString pixels = QString("%1x%2 px, ") // 9 digits tell floats apart
                                       .arg(c.checkerWidthPx, 0, 'g', 9)
                                       .arg(c.checkerHeightPx, 0, 'g', 9);
            QCOMPARE((c.converted ? pixels : "not converted, ") +
                         PageSizePanelText(c.pageWidth, c.pageHeight, c.unitName),
                     texts);
        }
    }
};

QTEST_APPLESS_MAIN(TestArithmetic)
#include "tst_arithmetic.moc"
