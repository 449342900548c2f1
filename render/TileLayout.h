// SPDX-License-Identifier: MIT
#pragma once

#include "model/Numeric.h"
#include "model/Units.h"
#include "render/SheetInputs.h"

#include <cmath>

// The lengths a tiled sheet keeps free of the board and draws its marks with,
// in millimetres, and their printer pixels for a sheet.
class TileLayout {
public:
    // Past each seam, the strip of the board both sheets print.
    static constexpr double kOverlapMm = 6;
    // Left, right and bottom margins: a cross, a gap either side of it and a
    // trim line's stub out to the page's edge.
    static constexpr double kSideMarginMm = 9;
    // The top margin also holds the sheet's label.
    static constexpr double kLabelMarginMm = 12;
    // An alignment cross: its arms' length, their thickness, and its gap from the board.
    static constexpr double kCrossMm = 5;
    static constexpr double kCrossBarMm = 0.4;
    static constexpr double kGapMm = 1;
    static constexpr double kLabelLineMm = 2.6;

    explicit TileLayout(const SheetInputs& in) : m_dpiX(in.dpiX), m_dpiY(in.dpiY) {}
    Coord x(double mm) const { return Coord(std::lround(mm / kMillimetresPerInch * m_dpiX)); }
    Coord y(double mm) const { return Coord(std::lround(mm / kMillimetresPerInch * m_dpiY)); }

private:
    double m_dpiX;
    double m_dpiY;
};
