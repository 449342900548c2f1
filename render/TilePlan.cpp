// SPDX-License-Identifier: MIT
#include "render/TilePlan.h"

#include "render/AprilGridRenderer.h"
#include "render/BoardRenderer.h"
#include "render/TileLayout.h"
#include "targets/TargetCheck.h"

#include <algorithm>

namespace {

// The seams along one axis: from each sheet's start, the furthest cell edge
// that leaves room for the overlap strip on the sheet, until the rest of the
// board fits one sheet. Taking the furthest edge each time gives the fewest
// sheets. False when a sheet holds no cell edge past its start.
bool PlanAxis(Coord boardSize, Coord firstEdge, Coord cell, int cells, Coord room, Coord overlap,
              std::vector<Coord>& seams) {
    Coord start = 0;
    while (boardSize - start > room) {
        if (cell <= 0)
            return false;
        const Coord reach = start + room - overlap;
        const Coord index = std::min<Coord>((reach - firstEdge) / cell, cells - 1);
        const Coord edge = firstEdge + index * cell;
        if (reach < firstEdge || index < 1 || edge <= start)
            return false;
        seams.push_back(edge);
        start = edge;
    }
    return true;
}

} // namespace

TRect TilePlan::sheetBoard(int k) const {
    const int r = k / std::max(across, 1);
    const int c = k % std::max(across, 1);
    return Rect(c > 0 ? seamsX[size_t(c - 1)] : 0, r > 0 ? seamsY[size_t(r - 1)] : 0,
                c < across - 1 ? seamsX[size_t(c)] + overlapX : boardWidth,
                r < down - 1 ? seamsY[size_t(r)] + overlapY : boardHeight);
}

TilePlan PlanTiles(const SheetInputs& in, int pageWidth, int pageHeight) {
    TilePlan plan;
    plan.pageWidth = pageWidth;
    plan.pageHeight = pageHeight;
    const TileLayout mm(in);
    plan.marginLeft = mm.x(TileLayout::kSideMarginMm);
    plan.marginRight = plan.marginLeft;
    plan.marginTop = mm.y(TileLayout::kLabelMarginMm);
    plan.marginBottom = mm.y(TileLayout::kSideMarginMm);
    plan.overlapX = mm.x(TileLayout::kOverlapMm);
    plan.overlapY = mm.y(TileLayout::kOverlapMm);
    if (in.target.kind == TargetKind::AprilGrid) {
        // The corner squares straddle the cell edges: the strip holds their
        // far half, so that each is whole on the sheet before the seam.
        const Coord cellWidth = CellSize(in.checkerWidthPx, 1.0f);
        const Coord cellHeight = CellSize(in.checkerHeightPx, 1.0f);
        plan.overlapX += cellWidth - AprilTagEdges(cellWidth, in.target.tagSpacing).back();
        plan.overlapY += cellHeight - AprilTagEdges(cellHeight, in.target.tagSpacing).back();
    }

    const SheetInputs s = TopLeft(in);
    const TRect cover = DrawnBoardRect(1.0f, 0, 0, s);
    const TRect board = BoardRect(1.0f, 0, 0, s);
    plan.boardWidth = cover.Right - cover.Left;
    plan.boardHeight = cover.Bottom - cover.Top;
    const Coord roomX = pageWidth - plan.marginLeft - plan.marginRight;
    const Coord roomY = pageHeight - plan.marginTop - plan.marginBottom;
    plan.possible =
        roomX > plan.overlapX && roomY > plan.overlapY &&
        PlanAxis(plan.boardWidth, board.Left - cover.Left, CellSize(in.checkerWidthPx, 1.0f),
                 CellsAcross(in.target, in.columns), roomX, plan.overlapX, plan.seamsX) &&
        PlanAxis(plan.boardHeight, board.Top - cover.Top, CellSize(in.checkerHeightPx, 1.0f),
                 in.rows, roomY, plan.overlapY, plan.seamsY);
    if (!plan.possible) {
        plan.seamsX.clear();
        plan.seamsY.clear();
        return plan;
    }
    plan.across = int(plan.seamsX.size()) + 1;
    plan.down = int(plan.seamsY.size()) + 1;
    return plan;
}
