// SPDX-License-Identifier: MIT
#pragma once

#include "render/SheetInputs.h"
#include "render/TRect.h"

class Canvas;

// Draws the sheet (size caption, frame, black checkers) on a surface that is
// already white. scale is target pixels per printer pixel; width and height are
// the target area in target pixels. Leaves the canvas brush black. Throws
// ConversionError (from the size caption) when a checker text is not a number;
// frame and checkers are then not drawn.
void DrawBoard(Canvas& canvas, float scale, int width, int height, const SheetInputs& in);

// The drawn side of one cell in target pixels: every cell of a board is drawn
// this many whole pixels wide (or high), whatever fraction was asked for.
Coord CellSize(float checkerPx, float scale);

// The board rectangle as DrawBoard places it (exposed for tests and printing checks).
TRect BoardRect(float scale, int width, int height, const SheetInputs& in);

// What the checkers and the frame cover as DrawBoard draws them, in target pixels.
TRect DrawnBoardRect(float scale, int width, int height, const SheetInputs& in);

// The sheet placed at the page's top-left, as a tiled board is laid out.
SheetInputs TopLeft(const SheetInputs& in);

// The frame and the cells only (no caption, no legend), at scale 1, the board
// placed as on a page aligned top-left, then moved by (dx, dy) whole pixels.
void DrawBoardShifted(Canvas& canvas, const SheetInputs& in, Coord dx, Coord dy);
