// SPDX-License-Identifier: MIT
#pragma once

#include "render/BoardCells.h"
#include "target/TargetOptions.h"

class Canvas;

// A circle's centre across a cell, as a fraction of the cell width: the middle
// for the symmetric grid; for the asymmetric grid a quarter in on even rows
// (0, 2, ...) and three quarters on odd rows, so that neighbouring rows stand
// half a circle pitch apart, OpenCV's asymmetric arrangement.
double CircleCentreAcross(TargetKind kind, Coord row);

// Draws one filled black circle per cell of a symmetric or asymmetric circle
// grid, diameter t.diameterFraction x the smaller side of a cell. Throws
// std::runtime_error for a diameter that cannot be drawn.
void DrawCircleGrid(Canvas& canvas, const BoardCells& cells, const TargetOptions& t);
