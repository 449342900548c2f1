// SPDX-License-Identifier: MIT
#pragma once

#include "model/Numeric.h"

// A rectangle in target pixels; Right and Bottom are exclusive.
struct TRect {
    Coord Left = 0;
    Coord Top = 0;
    Coord Right = 0;
    Coord Bottom = 0;
};

inline TRect Rect(Coord left, Coord top, Coord right, Coord bottom) {
    return TRect{left, top, right, bottom};
}
