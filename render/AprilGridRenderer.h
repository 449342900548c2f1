// SPDX-License-Identifier: MIT
#pragma once

#include "render/BoardCells.h"
#include "render/TRect.h"
#include "targets/TargetOptions.h"

#include <array>

class Canvas;

// Kalibr's AprilGrid in the board's cells: in each cell a tag of 36h11 centred,
// its side the cell over (1 + tag spacing), and a black square of side tag
// spacing x tag centred on every corner of the cell grid, the outer corners
// included, so those squares reach half a gap beyond the board. Each tag is
// its black square with its white bits cut out, as one shape. Tag IDs count
// columns x y + x + first ID from the bottom-left cell. Every edge is a whole
// target pixel measured from the cell's own edge, so that all cells are alike
// and neighbouring bits and squares neither gap nor overlap.
void DrawAprilGrid(Canvas& canvas, const BoardCells& cells, const TargetOptions& target);

// The edges of one cell's tag along one axis, from the cell's near edge: the
// gap before the tag and the eleven bit edges (bit k spans edge k to k + 1).
using TagEdges = std::array<Coord, 11>;
TagEdges AprilTagEdges(Coord cell, double tagSpacing);

// The ID of the tag in row i (from the top) and column j of a grid.
int AprilTagId(int i, int j, int columns, int rows, int firstId);

// What the grid covers: the cells' rectangle with the outer corner squares.
TRect AprilGridCover(const TRect& cells, Coord cellWidth, Coord cellHeight, double tagSpacing);
