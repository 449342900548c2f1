#include "model/ConversionError.h"
#include "model/NumberText.h"

#include <QLocale>
#include <QtTest>
#include <cfloat>
#include <cmath>
#include <cstring>

class TestNumberText : public QObject {
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); } // not the machine's locale

    void format_data() {
        QTest::addColumn<bool>("fixed"); // FormatFixed2, else FloatToStr
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("float 12.7") << false << double(12.7f) << "12.6999998092651";
        QTest::newRow("tie rounds up") << false << 100000000000000.5 << "100000000000001";
        QTest::newRow("carry to 1E15") << false << 999999999999999.9 << "1E15";
        QTest::newRow("smallest fixed") << false << 0.00001 << "0.00001";
        QTest::newRow("negative exponent form") << false << -1.5e-6 << "-1.5E-6";
        QTest::newRow("negative zero") << false << -0.0 << "0";
        QTest::newRow("NaN") << false << qQNaN() << "NAN";
        QTest::newRow("infinity") << false << qInf() << "INF";
        QTest::newRow("minus infinity") << false << -qInf() << "-INF";
        QTest::newRow("fixed, binary below the half") << true << -2.675 << "-2.67";
        QTest::newRow("fixed NaN") << true << qQNaN() << "NAN";
        // All 309 digits, not cut off at a buffer's end; Qt's formatter writes them exactly.
        QTest::newRow("fixed -DBL_MAX") << true << -DBL_MAX << QString::number(-DBL_MAX, 'f', 2);
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

    void parse_data() {
        QTest::addColumn<bool>("comma"); // parsed in a comma locale
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<double>("value");
        auto row = [](const char* name, const QString& text, bool ok, double value = 0,
                      bool comma = false) { QTest::newRow(name) << comma << text << ok << value; };
        row("spaces, sign, leading point, exponent", "  +.5E+01  ", true, 5);
        row("bare exponent letter", "1e", true, 1);
        row("negative zero", "-0", true, -0.0);
        row("largest double", "1.7976931348623157e308", true, DBL_MAX);
        row("negative underflow", "-2e-324", true, -0.0);
        row("zero with huge exponent", "0e99999", true, 0);
        row("comma locale", "1,5", true, 1.5, true);
        row("point in a comma locale", "1.5", false, 0, true);
        const QString zeros(9990, '0');
        row("10000 digits overflow", "1" + QString(9999, '0'), false);
        row("far exponent brings back", "0." + zeros + "15e9992", true, 15);
        row("huge exponent", "1e" + QString(10000, '9'), false);
        // 1 + 2^-53 lies exactly between 1 and the next double and goes to 1;
        // a non-zero digit thousands of places later tips it up.
        const QString tie = "1.00000000000000011102230246251565404236316680908203125" + zeros;
        row("exact tie", tie, true, 1);
        row("tie broken far away", tie + "1", true, std::nextafter(1.0, 2.0));
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
};

QTEST_APPLESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
