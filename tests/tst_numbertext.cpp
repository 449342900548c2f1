#include "model/ConversionError.h"
#include "model/NumberText.h"

#include <QLocale>
#include <QtTest>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

// Exact comparison, sign of zero included; QCOMPARE on doubles is fuzzy.
bool sameDouble(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
}

QByteArray describe(double a, double b) {
    return QByteArray("actual ") + QByteArray::number(a, 'g', 17) + ", expected " +
           QByteArray::number(b, 'g', 17);
}

} // namespace

class TestNumberText : public QObject {
    Q_OBJECT

private slots:
    // Point locale unless a test switches to a comma one, whatever the machine's.
    void init() { QLocale::setDefault(QLocale::c()); }
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void floatToStr_data();
    void floatToStr();
    void floatToStrCommaLocale();
    void floatRoundTrip();

    void parseAccepts_data();
    void parseAccepts();
    void parseRejects_data();
    void parseRejects();
    void parseCommaLocale_data();
    void parseCommaLocale();
    void parseLongText_data();
    void parseLongText();
    void strToFloatDef();
    void strToFloatThrows();

    void formatFixed2_data();
    void formatFixed2();
    void formatFixed2Huge();
    void formatInt();
};

void TestNumberText::floatToStr_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("float 12.7") << double(12.7f) << "12.6999998092651";
    QTest::newRow("fifth of float 0.7")
        << (double(0.7f) + double(0.7f)) * 0.5 * 0.2 << "0.139999997615814";
    QTest::newRow("0.6") << 0.6 << "0.6";
    QTest::newRow("600") << 600.0 << "600";
    QTest::newRow("20/7 as float") << double(float(20.0 / 7)) << "2.85714292526245";
    QTest::newRow("3 x 0.1 as float") << double(float(3 * double(0.1f))) << "0.300000011920929";
    QTest::newRow("1e15") << 1e15 << "1E15";
    QTest::newRow("18 digits") << 123456789012345678.0 << "1.23456789012346E17";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("tie rounds up") << 100000000000000.5 << "100000000000001";
    QTest::newRow("tie in fraction") << 1234567890123.125 << "1234567890123.13";
    QTest::newRow("rounds to 1E15") << 999999999999999.9 << "1E15";
    QTest::newRow("smallest fixed") << 0.00001 << "0.00001";
    QTest::newRow("just below fixed") << 0.00000999999999999999 << "9.99999999999999E-6";
    QTest::newRow("1e-6") << 0.000001 << "1E-6";
    QTest::newRow("1.5e-7") << 1.5e-7 << "1.5E-7";
    QTest::newRow("negative exponent form") << -1.5e-7 << "-1.5E-7";
    QTest::newRow("one third") << 1.0 / 3 << "0.333333333333333";
    QTest::newRow("0.1 + 0.2") << 0.1 + 0.2 << "0.3";
    QTest::newRow("largest double") << DBL_MAX << "1.79769313486232E308";
    QTest::newRow("smallest subnormal")
        << std::numeric_limits<double>::denorm_min() << "4.94065645841247E-324";
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << "NAN";
    QTest::newRow("infinity") << inf << "INF";
    QTest::newRow("minus infinity") << -inf << "-INF";
}

void TestNumberText::floatToStr() {
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(FloatToStr(value), text);
}

void TestNumberText::floatToStrCommaLocale() {
    QLocale::setDefault(QLocale(QLocale::German));
    QCOMPARE(FloatToStr(1.5), QStringLiteral("1,5"));
    QCOMPARE(FloatToStr(double(12.7f)), QStringLiteral("12,6999998092651"));
    QCOMPARE(FloatToStr(1.5e-7), QStringLiteral("1,5E-7"));
    QCOMPARE(FloatToStr(1234567.0), QStringLiteral("1234567")); // no thousands separator
}

// Every float written by the handlers must read back as the same float, in
// either locale.
void TestNumberText::floatRoundTrip() {
    const float values[] = {0.7f,  12.7f,           2.85714292526245f, 1e-7f,       3.4e38f,
                            -0.3f, 1.17549435e-38f, 708.661377f,       123456.789f, 1e-45f};
    for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::German)}) {
        QLocale::setDefault(locale);
        for (float value : values) {
            const QString text = FloatToStr(value);
            double back = 0;
            QVERIFY2(TryStrToFloat(text, back), qPrintable(text));
            QVERIFY2(float(back) == value, qPrintable(text));
        }
    }
}

void TestNumberText::parseAccepts_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");

    QTest::newRow("plain") << "1.5" << 1.5;
    QTest::newRow("spaces around") << "  1.5   " << 1.5;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("trailing point") << "5." << 5.0;
    QTest::newRow("sign and point") << "+.5" << 0.5;
    QTest::newRow("exponent with plus") << "1E+05" << 1e5;
    QTest::newRow("exponent lower case") << "2.5e-3" << 2.5e-3;
    QTest::newRow("bare exponent letter") << "1e" << 1.0;
    QTest::newRow("exponent sign only") << "1E+" << 1.0;
    QTest::newRow("space after exponent") << "1E5 " << 1e5;
    QTest::newRow("leading zeros") << "007" << 7.0;
    QTest::newRow("negative zero") << "-0" << -0.0;
    QTest::newRow("30 digits") << "123456789012345678901234567890" << 1.2345678901234568e29;
    QTest::newRow("largest double") << "1.7976931348623157e308" << DBL_MAX;
    QTest::newRow("smallest subnormal") << "4.9e-324" << std::numeric_limits<double>::denorm_min();
    QTest::newRow("underflow is zero") << "1e-400" << 0.0;
    QTest::newRow("negative underflow") << "-2e-324" << -0.0;
    QTest::newRow("zero with huge exponent") << "0e99999" << 0.0;
}

void TestNumberText::parseAccepts() {
    QFETCH(QString, text);
    QFETCH(double, value);
    double parsed = 12345;
    QVERIFY(TryStrToFloat(text, parsed));
    QVERIFY2(sameDouble(parsed, value), describe(parsed, value));
}

void TestNumberText::parseRejects_data() {
    QTest::addColumn<QString>("text");

    const char* texts[] = {"",      " ",     "+",      "-",       ".",    "e5",  "E5",
                           "1,000", "1 000", "10 E 2", "1e 2",    "0x10", "INF", "NAN",
                           "inf",   "1e309", "-1e309", "1.8e308", "\t1",  "1\t", "1.5.2",
                           "1e5e",  "1e+-5", "++1",    "1x",      "1..5", "- 1"};
    for (const char* text : texts)
        QTest::newRow(text[0] ? text : "empty") << QString::fromLatin1(text);
    QTest::newRow("fullwidth digit") << QStringLiteral("\uFF11");
    QTest::newRow("non-breaking space") << QStringLiteral("\u00A01");
}

void TestNumberText::parseRejects() {
    QFETCH(QString, text);
    double value = 12345;
    QVERIFY(!TryStrToFloat(text, value));
    QCOMPARE(StrToFloatDef(text, -7.0), -7.0);
}

void TestNumberText::parseCommaLocale_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<double>("value");

    QTest::newRow("comma") << "1,5" << true << 1.5;
    QTest::newRow("leading comma") << ",5" << true << 0.5;
    QTest::newRow("comma and exponent") << "1,5E3" << true << 1500.0;
    QTest::newRow("point") << "1.5" << false << 0.0;
}

void TestNumberText::parseCommaLocale() {
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QFETCH(double, value);
    QLocale::setDefault(QLocale(QLocale::German));
    double parsed = 0;
    QCOMPARE(TryStrToFloat(text, parsed), accepted);
    if (accepted)
        QVERIFY2(sameDouble(parsed, value), describe(parsed, value));
}

void TestNumberText::parseLongText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<double>("value");

    const QString zeros(9990, QLatin1Char('0'));
    QTest::newRow("nines round to one") << "0." + QString(9997, QLatin1Char('9')) << true << 1.0;
    QTest::newRow("far exponent brings back") << "0." + zeros + "15e9992" << true << 15.0;
    QTest::newRow("10000 digits overflow") << "1" + QString(9999, QLatin1Char('0')) << false << 0.0;
    QTest::newRow("long exponent") << "1e-" + QString(9996, QLatin1Char('0')) + "1" << true << 0.1;
    QTest::newRow("huge exponent") << "1e" + QString(10000, QLatin1Char('9')) << false << 0.0;
    QTest::newRow("huge negative exponent")
        << "1e-" + QString(10000, QLatin1Char('9')) << true << 0.0;
    QTest::newRow("all zeros") << QString(10000, QLatin1Char('0')) << true << 0.0;
    // 1 + 2^-53 lies exactly between 1 and the next double and goes to 1;
    // a non-zero digit thousands of places later tips it up.
    const QString half = "1.00000000000000011102230246251565404236316680908203125";
    QTest::newRow("exact tie") << half + zeros << true << 1.0;
    QTest::newRow("tie broken far away") << half + zeros + "1" << true << std::nextafter(1.0, 2.0);
}

void TestNumberText::parseLongText() {
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QFETCH(double, value);
    double parsed = 0;
    QCOMPARE(TryStrToFloat(text, parsed), accepted);
    if (accepted)
        QVERIFY2(sameDouble(parsed, value), describe(parsed, value));
}

void TestNumberText::strToFloatDef() {
    QCOMPARE(StrToFloatDef(QStringLiteral("2.5"), 10), 2.5);
    QCOMPARE(StrToFloatDef(QStringLiteral("abc"), 10), 10.0);
    QCOMPARE(StrToFloatDef(QString(), 0), 0.0);
}

void TestNumberText::strToFloatThrows() {
    QCOMPARE(StrToFloat(QStringLiteral(" -3e2 ")), -300.0);
    for (const QString& text : {QStringLiteral("abc"), QString(), QStringLiteral("1,5")}) {
        try {
            StrToFloat(text);
            QFAIL("no ConversionError");
        } catch (const ConversionError& error) {
            QCOMPARE(QString::fromUtf8(error.what()),
                     "'" + text + "' is not a valid floating point value");
        }
    }
}

void TestNumberText::formatFixed2_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("page width in cm") << 4800 / (600 * double(float(1 / 2.54))) << "20.32";
    QTest::newRow("whole") << 8.0 << "8.00";
    QTest::newRow("zero") << 0.0 << "0.00";
    QTest::newRow("binary below the half") << 2.675 << "2.67";
    QTest::newRow("large") << 1234567.891 << "1234567.89";
    QTest::newRow("negative") << -1.25 << "-1.25";
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << "NAN";
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << "INF";
}

void TestNumberText::formatFixed2() {
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(FormatFixed2(value), text);
    QLocale::setDefault(QLocale(QLocale::German));
    QCOMPARE(FormatFixed2(value), text); // always a point
}

void TestNumberText::formatInt() {
    QCOMPARE(FormatInt(4800), QStringLiteral("4800"));
    QCOMPARE(FormatInt(-5), QStringLiteral("-5"));
    QLocale::setDefault(QLocale(QLocale::German));
    QCOMPARE(FormatInt(1234567), QStringLiteral("1234567"));
}

// The widest value must come out whole, not cut off at a buffer's end.
void TestNumberText::formatFixed2Huge() {
    const QString huge = FormatFixed2(-DBL_MAX);
    QCOMPARE(huge.size(), 313);
    QVERIFY(huge.startsWith(QLatin1String("-179769313486231570814527423731704")));
    QVERIFY(huge.endsWith(QLatin1String(".00")));
}

QTEST_APPLESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
