// SPDX-License-Identifier: MIT
#include "model/Numeric.h"

#include <cfloat>
#include <cmath>
#include <limits>

namespace {

// Doubles from FLT_MAX + half an ulp (2^128 - 2^103) up round to infinity when
// stored as float; that midpoint itself goes to infinity (ties to even, and
// FLT_MAX has an odd significand). Exactly representable as a double.
const double kFloatOverflow = std::ldexp(1.0, 128) - std::ldexp(1.0, 103);

Coord Saturate(double integral) {
    if (std::isnan(integral))
        return 0;
    if (integral >= double(kCoordLimit))
        return kCoordLimit;
    if (integral <= -double(kCoordLimit))
        return -kCoordLimit;
    return Coord(integral);
}

} // namespace

float ToSingle(double value) {
    if (std::isnan(value))
        return std::numeric_limits<float>::quiet_NaN();
    const double magnitude = std::fabs(value);
    if (magnitude >= kFloatOverflow)
        return value < 0 ? -std::numeric_limits<float>::infinity()
                         : std::numeric_limits<float>::infinity();
    if (magnitude > double(FLT_MAX))
        return value < 0 ? -FLT_MAX : FLT_MAX;
    return static_cast<float>(value);
}

Coord Trunc(double value) {
    return Saturate(std::trunc(value));
}

Coord RoundHalfDown(float x) {
    const double value = x;
    double f = std::floor(value);
    // For infinities value - f is NaN, so f stays and saturates.
    if (value - f > 0.5)
        f += 1;
    return Saturate(f);
}
