// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// Number <-> text conversions used by the edits and the status line.
// FloatToStr/StrToFloat* follow the user's locale (QLocale() default) for the
// decimal separator; the printf-style helpers always write a point.

// General format: at most 15 significant digits, no trailing zeros, fixed
// notation for 1e-5 <= |v| < 1e15, exponent notation ("1.5E-7") outside.
// NaN gives "NAN", infinities "INF" / "-INF", zero and -0 give "0".
QString FloatToStr(double value);

// The shortest decimal of value x factor, always with a point, that read back
// and divided by factor is the same single-precision value as value: 2.142857
// for the float nearest 15/7, 99.44751 for a factor of 0.9944751... in percent
// (factor 100). Seventeen digits when none is shorter.
QString ShortestSingleText(double value, double factor = 1);

// Parses [spaces][+|-]digits[sep digits][(E|e)[+|-]digits][spaces].
// Returns false for anything else, and for values beyond the double range.
bool TryStrToFloat(const QString& text, double& value);

// The lenient conversion: the text's value, or def when it is not a number.
double StrToFloatDef(const QString& text, double def);

// The strict conversion: throws ConversionError
// ("'TEXT' is not a valid floating point value") when the text is not a number.
double StrToFloat(const QString& text);

// printf "%0.2f" with a point whatever the locale.
QString FormatFixed2(double value);
// printf "%d".
QString FormatInt(long long value);
