// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

// Safe numeric conversions. A plain C++ conversion of an out-of-range double to
// float, or of a float beyond the integer range to an integer, is undefined
// behaviour; every such conversion in the program goes through these.

// The nearest single-precision value; magnitudes beyond the float range become
// +/-infinity, NaN stays NaN.
float ToSingle(double value);

// Pixel coordinates are 64-bit and held within +/-kCoordLimit, far beyond any
// page, so that sums of a few coordinates and a hundred cells never overflow.
using Coord = std::int64_t;
constexpr Coord kCoordLimit = Coord(1) << 40;

// Truncation toward zero (-12.7 gives -12), saturated to +/-kCoordLimit;
// NaN gives 0.
Coord Trunc(double value);

// Float to integer with halves going down: f = floor(x); f + 1 when x - f > 0.5,
// otherwise f (2.5 gives 2, 2.75 gives 3, -0.5 gives -1). Saturated like Trunc.
Coord RoundHalfDown(float x);
