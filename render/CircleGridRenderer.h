// SPDX-License-Identifier: MIT
#pragma once

#include "render/BoardCells.h"
#include "targets/TargetOptions.h"

class Canvas;

// Whether the cell (row, column) holds a circle: every cell of the symmetric
// grid; every other cell of the asymmetric grid, the first on even rows
// (0, 2, ...) and the second on odd rows, which gives OpenCV's object points
// ((2j + i mod 2) s, i s) with s the cell side.
bool HoldsCircle(TargetKind kind, Coord row, Coord column);

// Draws one filled black circle centred in each cell that holds one, diameter
// t.diameterFraction x the smaller side of a cell. Throws std::runtime_error
// for a diameter that cannot be drawn.
void DrawCircleGrid(Canvas& canvas, const BoardCells& cells, const TargetOptions& t);
