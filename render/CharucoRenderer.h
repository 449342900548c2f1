// SPDX-License-Identifier: MIT
#pragma once

#include "render/BoardCells.h"
#include "targets/TargetOptions.h"

class Canvas;

// Whether the ChArUco square in (row, column) is black. OpenCV 4.6 and later:
// the top-left square is black. OpenCV's layout before 4.6 differs only for
// an even number of rows, where the top-left square is white.
bool CharucoSquareBlack(const TargetOptions& t, int rows, Coord row, Coord column);

// The ID of the marker in the white square (row, column): the white squares
// numbered row by row from the top-left, from t.firstId on.
Coord CharucoMarkerId(const TargetOptions& t, int columns, Coord row, Coord column);

// Draws the ChArUco board's black squares and its markers in the white ones,
// in black, on a white surface: each marker its black square with its white
// bits cut out, as one shape. Every bit's edges are whole target pixels,
// shared with its neighbours. Throws
// std::runtime_error when the dictionary does not hold the board's markers.
void DrawCharuco(Canvas& canvas, const BoardCells& cells, const TargetOptions& t);
