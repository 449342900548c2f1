#include "model/ConversionError.h"
#include "model/NumberText.h"

#include <QLocale>
#include <QtTest>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>

class TestNumberText : public QObject {
    Q_OBJECT

private slots:
    // Point locale unless a row switches to a comma one, whatever the machine's.
    void init() { QLocale::setDefault(QLocale::c()); }
    void format_data();
    void format();
    void formatFixed2Huge();
    void parse_data();
    void parse();
};

void TestNumberText::format_data() {
    QTest::addColumn<bool>("fixed"); // FormatFixed2, else FloatToStr
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("float 12.7") << false << double(12.7f) << "12.6999998092651";
    QTest::newRow("0.1 + 0.2") << false << 0.1 + 0.2 << "0.3";
    QTest::newRow("600") << false << 600.0 << "600";
    QTest::newRow("tie rounds up") << false << 100000000000000.5 << "100000000000001";
    QTest::newRow("carry to 1E15") << false << 999999999999999.9 << "1E15";
    QTest::newRow("smallest fixed") << false << 0.00001 << "0.00001";
    QTest::newRow("negative exponent form") << false << -1.5e-6 << "-1.5E-6";
    QTest::newRow("subnormal") << false << DBL_TRUE_MIN << "4.94065645841247E-324";
    QTest::newRow("negative zero") << false << -0.0 << "0";
    QTest::newRow("NaN") << false << nan << "NAN";
    QTest::newRow("infinity") << false << inf << "INF";
    QTest::newRow("minus infinity") << false << -inf << "-INF";
    QTest::newRow("fixed page width") << true << 4800 / (600 * double(float(1 / 2.54))) << "20.32";
    QTest::newRow("fixed whole") << true << 8.0 << "8.00";
    QTest::newRow("fixed binary below the half") << true << 2.675 << "2.67";
    QTest::newRow("fixed negative") << true << -1.25 << "-1.25";
    QTest::newRow("fixed NaN") << true << nan << "NAN";
    QTest::newRow("fixed minus infinity") << true << -inf << "-INF";
}

void TestNumberText::format() {
    QFETCH(bool, fixed);
    QFETCH(double, value);
    QFETCH(QString, text);
    const auto format = fixed ? FormatFixed2 : FloatToStr;
    QCOMPARE(format(value), text);
    // FloatToStr writes the locale's separator (and no grouping), FormatFixed2 a point.
    QLocale::setDefault(QLocale(QLocale::German));
    QCOMPARE(format(value), fixed ? text : QString(text).replace('.', ','));
}

// The widest value must come out whole, not cut off at a buffer's end.
void TestNumberText::formatFixed2Huge() {
    const QString huge = FormatFixed2(-DBL_MAX);
    QCOMPARE(huge.size(), 313);
    QVERIFY(huge.startsWith("-179769313486231570814527423731704") && huge.endsWith(".00"));
}

void TestNumberText::parse_data() {
    QTest::addColumn<bool>("comma"); // parsed in a comma locale
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<double>("value");
    auto row = [](const char* name, const QString& text, bool ok, double value = 0,
                  bool comma = false) { QTest::newRow(name) << comma << text << ok << value; };

    row("spaces around", "  1.5   ", true, 1.5);
    row("sign and leading point", "+.5", true, 0.5);
    row("exponent", "2.5e-3", true, 2.5e-3);
    row("exponent with plus, space after", "1E+05 ", true, 1e5);
    row("bare exponent letter", "1e", true, 1);
    row("exponent sign only", "1E+", true, 1);
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
    row("huge negative exponent", "1e-" + QString(10000, '9'), true, 0);
    // 1 + 2^-53 lies exactly between 1 and the next double and goes to 1;
    // a non-zero digit thousands of places later tips it up.
    const QString tie = "1.00000000000000011102230246251565404236316680908203125" + zeros;
    row("exact tie", tie, true, 1);
    row("tie broken far away", tie + "1", true, std::nextafter(1.0, 2.0));
    for (const char* text : {"", ".", "e5", "1,5", "1 000", "1e 2", "0x10", "INF", "NAN", "1e+-5",
                             "\t1", "1\t", "1.8e308", "\uFF11"})
        row(*text ? text : "empty", QString::fromUtf8(text), false);
}

void TestNumberText::parse() {
    QFETCH(bool, comma);
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QFETCH(double, value);
    if (comma)
        QLocale::setDefault(QLocale(QLocale::German));
    double parsed = 12345;
    QCOMPARE(TryStrToFloat(text, parsed), accepted);
    // Bit-exact, sign of zero included; QCOMPARE on doubles is fuzzy.
    if (accepted)
        QVERIFY2(std::memcmp(&parsed, &value, sizeof value) == 0,
                 QByteArray::number(parsed, 'g', 17));
    QCOMPARE(StrToFloatDef(text, -7.0), accepted ? value : -7.0);
    QString error;
    try {
        QCOMPARE(StrToFloat(text), value);
    } catch (const ConversionError& e) {
        error = QString::fromUtf8(e.what());
    }
    QCOMPARE(error, accepted ? QString() : "'" + text + "' is not a valid floating point value");
}

QTEST_APPLESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
