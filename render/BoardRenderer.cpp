// SPDX-License-Identifier: MIT
#include "render/BoardRenderer.h"

#include "model/NumberText.h"
#include "model/Numeric.h"
#include "model/Units.h"
#include "render/AprilGridRenderer.h"
#include "render/BoardCells.h"
#include "render/BoardLegend.h"
#include "render/Canvas.h"
#include "render/CharucoRenderer.h"
#include "render/CircleGridRenderer.h"
#include "render/SizeCaption.h"
#include "targets/TargetCheck.h"

#include <algorithm>

namespace {

constexpr QRgb kBlack = 0xFF000000u;

// Alignment group indexes: 0 top/left, 1 center, 2 bottom/right.
enum Alignment { kAlignStart = 0, kAlignCenter = 1, kAlignEnd = 2 };

// Where the board stands and the frame's distance from it, in target pixels.
struct Placement {
    float frameDistance = 0;
    TRect board;
};

// The frame distance in target pixels: the text in the frame unit, converted
// with the mean of the two resolutions; 0 when the frame is off, the text is
// no number or no unit is selected.
float FrameDistance(float scale, const SheetInputs& in) {
    if (!in.frame)
        return 0.0f;
    const double v = StrToFloatDef(in.frameDistanceText, 0.0);
    const double meanDpi =
        (double(in.dpiX) * in.correction.across + double(in.dpiY) * in.correction.down) * 0.5;
    float d = 0.0f;
    switch (in.frameUnit) {
    case kUnitCm:
        d = ToSingle(v * (meanDpi * double(k)));
        break;
    case kUnitInches:
        d = ToSingle(v * meanDpi);
        break;
    case kUnitPixels:
        d = ToSingle(v);
        break;
    default:
        break;
    }
    return ToSingle(double(d) * scale);
}

// The board's near edge along one axis. An index outside 0..2 cannot come from
// the radio groups; it is taken as center.
Coord NearEdge(int alignment, int extent, double boardSize, float d) {
    switch (alignment) {
    case kAlignStart:
        return Trunc(d);
    case kAlignEnd:
        return Trunc(extent - boardSize - d);
    case kAlignCenter:
    default:
        // The frame distance is taken off before halving.
        return Trunc((extent - boardSize - d) * 0.5);
    }
}

Placement Place(float scale, int width, int height, const SheetInputs& in) {
    Placement p;
    p.frameDistance = FrameDistance(scale, in);
    const double boardWidth = double(in.patternWidthPx) * scale;
    const double boardHeight = double(in.patternHeightPx) * scale;
    p.board.Top = NearEdge(in.vertical, height, boardHeight, p.frameDistance);
    p.board.Left = NearEdge(in.horizontal, width, boardWidth, p.frameDistance);
    p.board.Bottom = Trunc(double(p.board.Top) + boardHeight);
    p.board.Right = Trunc(double(p.board.Left) + boardWidth);
    return p;
}

// The indexes [first, end) of the cells, of size cell from origin on, that
// can reach [0, extent): the others are clipped away whole, so a huge count
// costs no more than the cells on the surface.
struct CellSpan {
    Coord first = 0;
    Coord end = 0;
};
CellSpan VisibleCells(Coord origin, Coord cell, int count, Coord extent) {
    CellSpan span;
    if (cell <= 0 || count <= 0 || origin >= extent)
        return span;
    span.first = origin >= 0 ? 0 : -origin / cell; // the cell holding column 0
    span.end = std::min<Coord>(count, (extent - origin + cell - 1) / cell);
    span.end = std::max(span.end, span.first);
    return span;
}

void DrawCheckers(Canvas& canvas, const BoardCells& cells) {
    Coord top = cells.cellTop(cells.firstRow);
    for (Coord i = cells.firstRow; i < cells.endRow; ++i, top += cells.cellHeight) {
        Coord left = cells.cellLeft(cells.firstColumn);
        for (Coord j = cells.firstColumn; j < cells.endColumn; ++j, left += cells.cellWidth) {
            if ((i + j) % 2 == 0) // the top-left checker is black
                canvas.FillRect(Rect(left, top, left + cells.cellWidth, top + cells.cellHeight));
        }
    }
}

// What the cells hold, by the target's kind.
void DrawCells(Canvas& canvas, const BoardCells& cells, const TargetOptions& target) {
    switch (target.kind) {
    case TargetKind::Charuco:
        DrawCharuco(canvas, cells, target);
        break;
    case TargetKind::Circles:
    case TargetKind::AsymmetricCircles:
        DrawCircleGrid(canvas, cells, target);
        break;
    case TargetKind::AprilGrid:
        DrawAprilGrid(canvas, cells, target);
        break;
    case TargetKind::Checkerboard:
        DrawCheckers(canvas, cells);
        break;
    }
}

} // namespace

Coord CellSize(float checkerPx, float scale) {
    return RoundHalfDown(ToSingle(double(checkerPx) * scale));
}

TRect BoardRect(float scale, int width, int height, const SheetInputs& in) {
    return Place(scale, width, height, in).board;
}

TRect DrawnBoardRect(float scale, int width, int height, const SheetInputs& in) {
    const Placement p = Place(scale, width, height, in);
    const TRect& board = p.board;
    const Coord cellWidth = CellSize(in.checkerWidthPx, scale);
    const Coord cellHeight = CellSize(in.checkerHeightPx, scale);
    TRect cells =
        Rect(board.Left, board.Top, board.Left + CellsAcross(in.target, in.columns) * cellWidth,
             board.Top + in.rows * cellHeight);
    if (in.target.kind == TargetKind::AprilGrid)
        cells = AprilGridCover(cells, cellWidth, cellHeight, in.target.tagSpacing);
    if (!in.frame)
        return cells;
    const double d = p.frameDistance;
    return Rect(std::min<Coord>(cells.Left, Trunc(double(board.Left) - d)),
                std::min<Coord>(cells.Top, Trunc(double(board.Top) - d)),
                std::max<Coord>(cells.Right, Trunc(double(board.Right) + d)),
                std::max<Coord>(cells.Bottom, Trunc(double(board.Bottom) + d)));
}

namespace {

// The frame (when on) and the cells, the board and the frame rectangles as
// placed; only what can reach the canvas is drawn.
void DrawFrameAndCells(Canvas& canvas, float scale, const TRect& board, const TRect& frame,
                       const SheetInputs& in) {
    canvas.setBrushColor(kBlack);
    if (in.frame)
        canvas.FrameRect(frame);

    // Every cell has the same drawn size; edges are whole pixels, accumulated
    // cell by cell from the board's top-left corner.
    BoardCells cells;
    cells.left = board.Left;
    cells.top = board.Top;
    cells.cellHeight = CellSize(in.checkerHeightPx, scale);
    cells.cellWidth = CellSize(in.checkerWidthPx, scale);
    cells.columns = CellsAcross(in.target, in.columns);
    cells.rows = in.rows;
    const CellSpan rows = VisibleCells(board.Top, cells.cellHeight, in.rows, canvas.height());
    const CellSpan columns =
        VisibleCells(board.Left, cells.cellWidth, cells.columns, canvas.width());
    cells.firstRow = rows.first;
    cells.endRow = rows.end;
    cells.firstColumn = columns.first;
    cells.endColumn = columns.end;
    DrawCells(canvas, cells, in.target);
}

TRect FrameRect(const Placement& p) {
    const double d = p.frameDistance;
    return Rect(Trunc(double(p.board.Left) - d), Trunc(double(p.board.Top) - d),
                Trunc(double(p.board.Right) + d), Trunc(double(p.board.Bottom) + d));
}

TRect Shifted(const TRect& r, Coord dx, Coord dy) {
    return Rect(r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy);
}

} // namespace

void DrawBoard(Canvas& canvas, float scale, int width, int height, const SheetInputs& in) {
    const Placement p = Place(scale, width, height, in);

    DrawLegend(canvas, scale, width, height, in);
    if (in.sizeCaption)
        DrawSizeCaption(canvas, scale, p.board, in);
    DrawFrameAndCells(canvas, scale, p.board, FrameRect(p), in);
}

void DrawBoardShifted(Canvas& canvas, const SheetInputs& in, Coord dx, Coord dy) {
    // Placed once where every value is the same whatever the shift, then moved
    // by whole pixels, so that every sheet's edges are the same board's edges.
    const Placement p = Place(1.0f, 0, 0, TopLeft(in));
    DrawFrameAndCells(canvas, 1.0f, Shifted(p.board, dx, dy), Shifted(FrameRect(p), dx, dy), in);
}

SheetInputs TopLeft(const SheetInputs& in) {
    SheetInputs s = in;
    s.horizontal = kAlignStart;
    s.vertical = kAlignStart;
    return s;
}
