// SPDX-License-Identifier: MIT
#pragma once

#include "model/Numeric.h"

// The board's cells as DrawBoard lays them out, in target pixels: every cell
// the same whole-pixel size, from the board's top-left corner on, and the
// range of rows and columns [first, end) that can reach the surface.
struct BoardCells {
    Coord left = 0;
    Coord top = 0;
    Coord cellWidth = 0;
    Coord cellHeight = 0;
    int columns = 0;
    int rows = 0;
    Coord firstRow = 0;
    Coord endRow = 0;
    Coord firstColumn = 0;
    Coord endColumn = 0;

    Coord cellLeft(Coord column) const { return left + column * cellWidth; }
    Coord cellTop(Coord row) const { return top + row * cellHeight; }
};
