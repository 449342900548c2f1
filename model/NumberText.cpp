// SPDX-License-Identifier: MIT
#include "model/NumberText.h"

#include "model/ConversionError.h"

#include <QLocale>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

namespace {

// General format keeps this many significant digits.
constexpr int kGeneralDigits = 15;
// Digits taken from the exact expansion before rounding half-up to 15; more
// than 15 so that a tie such as ...4.5 is seen as one and rounded up.
constexpr int kExpansionDigits = 18;
// Fixed notation from 1e-5 up to below 1e15 (decimal exponents -5..14).
constexpr int kMinFixedExponent = -5;
constexpr int kMaxFixedExponent = 14;

// A double needs at most 768 significant decimal digits to be rounded
// correctly; beyond that only whether anything non-zero follows matters.
constexpr int kMaxParsedDigits = 800;
// Exponents this far out are certainly beyond the double range (or zero), so
// the parsed exponent saturates here instead of overflowing.
constexpr std::int64_t kExponentSaturation = std::int64_t(1) << 50;
constexpr std::int64_t kOverflowExponent = 400;
constexpr std::int64_t kUnderflowExponent = -400;

QString decimalSeparator() {
    return QLocale().decimalPoint();
}

} // namespace

QString FloatToStr(double value) {
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (value == 0)
        return QStringLiteral("0"); // -0 as well

    // "d.ddddddddddddddddde[+-]x": the exact value rounded to 18 digits.
    // to_chars is exact and independent of the C locale.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                      std::chars_format::scientific, kExpansionDigits - 1);
    std::string digits;
    const char* p = buffer;
    for (; p != result.ptr && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            digits += *p;
    int exponent = 0;
    if (p != result.ptr)
        std::from_chars(p[1] == '+' ? p + 2 : p + 1, result.ptr, exponent);

    // Half-up to 15 digits on the decimal string.
    const bool roundUp = digits[kGeneralDigits] >= '5';
    digits.resize(kGeneralDigits);
    if (roundUp) {
        int i = kGeneralDigits - 1;
        while (i >= 0 && digits[i] == '9')
            digits[i--] = '0';
        if (i >= 0) {
            ++digits[i];
        } else {
            digits.insert(digits.begin(), '1');
            digits.pop_back();
            ++exponent;
        }
    }
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    const QString sep = decimalSeparator();
    QString text;
    if (value < 0)
        text += QLatin1Char('-');
    const int count = int(digits.size());
    if (exponent >= kMinFixedExponent && exponent <= kMaxFixedExponent) {
        if (exponent >= 0) {
            const int intDigits = exponent + 1;
            for (int i = 0; i < intDigits; ++i)
                text += QLatin1Char(i < count ? digits[i] : '0');
            if (count > intDigits) {
                text += sep;
                text += QLatin1String(digits.data() + intDigits, count - intDigits);
            }
        } else {
            text += QLatin1Char('0');
            text += sep;
            text += QString(-exponent - 1, QLatin1Char('0'));
            text += QLatin1String(digits.data(), count);
        }
    } else {
        text += QLatin1Char(digits[0]);
        if (count > 1) {
            text += sep;
            text += QLatin1String(digits.data() + 1, count - 1);
        }
        text += QLatin1Char('E');
        text += QString::number(exponent);
    }
    return text;
}

QString ShortestSingleText(double value, double factor) {
    constexpr int kMaxDigits = 17;                          // any double reads back exactly
    constexpr double kPlainFrom = 1e-5, kPlainBelow = 1e15; // as FloatToStr writes
    const float target = float(value);
    // A value beyond single precision's normal range (1e-78 is 0 there, and
    // 1e-42 keeps a few bits, which many a shorter text reads back to) is
    // written as the double it is: a shorter text would read back as another board.
    const bool single = std::isnormal(target) || value == 0;
    // The candidates come from the single value itself, not from the double
    // given: every double of that single then gets the same text, and so
    // does the text read back.
    const double written = (single ? double(target) : value) * factor;
    QString text;
    for (int digits = 1; digits <= kMaxDigits; ++digits) {
        text = QString::number(written, 'g', digits);
        // Plain where FloatToStr writes plainly (180, not 1.8e+02; 0.00001, not
        // 1e-05), judged by the text's own value, so that the text read back
        // is written the same.
        const double shown = std::fabs(text.toDouble());
        if (shown >= kPlainFrom && shown < kPlainBelow && text.contains(QLatin1Char('e'))) {
            const int exponent = text.section(QLatin1Char('e'), 1).toInt();
            text = QString::number(written, 'f', std::max(0, digits - 1 - exponent));
        }
        const double read = text.toDouble() / factor;
        if (single ? float(read) == target : read == value)
            break;
    }
    return text;
}

bool TryStrToFloat(const QString& text, double& value) {
    const QString sep = decimalSeparator();
    const qsizetype n = text.size();
    qsizetype i = 0;
    auto isDigit = [&](qsizetype at) {
        return at < n && text[at] >= QLatin1Char('0') && text[at] <= QLatin1Char('9');
    };

    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }

    // The significant digits, leading zeros dropped: at most kMaxParsedDigits
    // are kept, and a sticky 1 stands for any non-zero digit beyond them.
    std::string significant;
    bool dropped = false;
    bool anyDigit = false;
    std::int64_t integerDigits = 0;   // integer digits from the first significant one
    std::int64_t leadingFraction = 0; // zeros after the separator before any significant
    auto keep = [&](char c) {
        if (int(significant.size()) < kMaxParsedDigits)
            significant += c;
        else if (c != '0')
            dropped = true;
    };
    while (isDigit(i)) {
        const char c = char(text[i++].unicode());
        anyDigit = true;
        if (significant.empty() && c == '0')
            continue;
        keep(c);
        ++integerDigits;
    }
    if (!sep.isEmpty() && QStringView(text).mid(i).startsWith(sep)) {
        i += sep.size();
        while (isDigit(i)) {
            const char c = char(text[i++].unicode());
            anyDigit = true;
            if (significant.empty() && c == '0') {
                ++leadingFraction;
                continue;
            }
            keep(c);
        }
    }
    if (!anyDigit)
        return false;

    // An exponent letter with no digits after it counts as no exponent.
    std::int64_t exponent = 0;
    if (i < n && (text[i] == QLatin1Char('E') || text[i] == QLatin1Char('e'))) {
        qsizetype j = i + 1;
        bool expNegative = false;
        if (j < n && (text[j] == QLatin1Char('+') || text[j] == QLatin1Char('-'))) {
            expNegative = text[j] == QLatin1Char('-');
            ++j;
        }
        if (isDigit(j)) {
            while (isDigit(j)) {
                exponent = exponent * 10 + (text[j++].unicode() - '0');
                if (exponent > kExponentSaturation)
                    exponent = kExponentSaturation;
            }
            if (expNegative)
                exponent = -exponent;
        }
        i = j;
    }
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    if (i != n)
        return false;

    if (significant.empty()) {
        value = negative ? -0.0 : 0.0;
        return true;
    }
    // The decimal exponent of the first significant digit.
    const std::int64_t firstExponent =
        integerDigits > 0 ? integerDigits - 1 : -(leadingFraction + 1);
    const std::int64_t decimalExponent = firstExponent + exponent;
    if (decimalExponent > kOverflowExponent)
        return false;
    if (decimalExponent < kUnderflowExponent) {
        value = negative ? -0.0 : 0.0;
        return true;
    }

    if (dropped)
        significant += '1';
    std::string normalised;
    normalised.reserve(significant.size() + 16);
    normalised += significant[0];
    if (significant.size() > 1) {
        normalised += '.';
        normalised.append(significant, 1, std::string::npos);
    }
    normalised += 'e';
    normalised += std::to_string(decimalExponent);

    double parsed = 0;
    const auto result =
        std::from_chars(normalised.data(), normalised.data() + normalised.size(), parsed);
    if (result.ec == std::errc::result_out_of_range) {
        if (decimalExponent >= 0)
            return false; // beyond the double range
        parsed = 0;       // below the smallest subnormal: rounds to zero
    } else if (result.ec != std::errc() || result.ptr != normalised.data() + normalised.size()) {
        return false;
    }
    value = negative ? -parsed : parsed;
    return true;
}

double StrToFloatDef(const QString& text, double def) {
    double value = 0;
    return TryStrToFloat(text, value) ? value : def;
}

double StrToFloat(const QString& text) {
    double value = 0;
    if (!TryStrToFloat(text, value))
        throw ConversionError(QLatin1Char('\'') + text +
                              QLatin1String("' is not a valid floating point value"));
    return value;
}

QString FormatFixed2(double value) {
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    // Enough for -DBL_MAX: 309 integer digits, sign, point and 2 decimals.
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    if (result.ec != std::errc())
        return QString();
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

QString FormatInt(long long value) {
    return QString::number(value);
}
