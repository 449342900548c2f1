// SPDX-License-Identifier: MIT
#pragma once

// A board larger than the paper, tiled over sheets of that paper, exact across
// every seam. The command line, the card and the window all plan and draw
// tiles here.
//
// Board coordinates are printer pixels at scale 1 with (0, 0) at the top-left
// of the drawn board (the frame, or the cells without one), as DrawnBoardRect
// covers it: on a page drawn by DrawBoard at scale s, board x lies at
// DrawnBoardRect(s, width, height, in).Left + x * s (and y likewise). Seams lie on cell edges only.
// Past each seam the sheet before it prints an overlap strip of the board, so every cell (square,
// marker, tag, circle's cell) lies whole on at least one sheet. Both sheets of a seam print
// alignment marks (crosses) at the same board positions in their margins,
// outside the cells; the sheet after the seam has a trim line there. Cut that
// sheet along the board's edge at its trim lines and lay the cut edge on the
// neighbour's crosses: every cell is then at its exact pitch across the seam.

#include "render/SheetInputs.h"
#include "render/TRect.h"

#include <QString>
#include <vector>

class Canvas;

struct TilePlan {
    // False when one cell with the overlap strip is wider or higher than what
    // a sheet holds: no tiling of this paper keeps the cells whole.
    bool possible = false;
    int across = 0; // sheets across
    int down = 0;   // sheets down
    // Where sheet column i + 1 (row i + 1) begins, in board coordinates:
    // across - 1 (down - 1) seams, each on a cell edge, increasing.
    std::vector<Coord> seamsX;
    std::vector<Coord> seamsY;
    // The drawn board's size and each overlap strip's width, in printer pixels.
    Coord boardWidth = 0;
    Coord boardHeight = 0;
    Coord overlapX = 0;
    Coord overlapY = 0;
    // The printable page a sheet is drawn on, and the margins kept free of
    // the board for the marks and the label.
    int pageWidth = 0;
    int pageHeight = 0;
    Coord marginLeft = 0;
    Coord marginTop = 0;
    Coord marginRight = 0;
    Coord marginBottom = 0;

    int sheets() const { return across * down; }
    // What sheet k (0-based, row-major) shows of the board, in board coordinates.
    TRect sheetBoard(int k) const;
};

// "1 sheet", "18 sheets": a count of sheets in words.
QString SheetsText(int sheets);
// "row 2, column 3": a sheet by its row and column, 0-based.
QString SheetName(int row, int column);

// The plan for a sheet on a printable page of pageWidth x pageHeight printer
// pixels: the fewest sheets of this page with whole cells.
TilePlan PlanTiles(const SheetInputs& in, int pageWidth, int pageHeight);

// Draws sheet k (0-based, row-major) at scale 1 on a white canvas of the
// printable page (plan.pageWidth x plan.pageHeight): its part of the board,
// the alignment marks, trim lines and its label in the margins.
void DrawTile(Canvas& canvas, const TilePlan& plan, int k, const SheetInputs& in);

// Draws the assembly page at scale 1 on a white canvas of the printable page:
// the sheets' layout over the board and where each seam falls.
void DrawTileAssembly(Canvas& canvas, const TilePlan& plan, const SheetInputs& in);
