// SPDX-License-Identifier: MIT
#include "render/AprilGridRenderer.h"

#include "model/Numeric.h"
#include "render/BitBlocks.h"
#include "render/Canvas.h"
#include "targets/AprilTag36h11.h"

#include <algorithm>
#include <vector>

namespace {

constexpr QRgb kBlack = 0xFF000000u;

// The cells [first, end) along one axis that can reach [0, extent), with one
// more on either side for the corner squares' overhang: the rest is clipped
// away whole, so a huge board costs no more than what is on the surface.
struct Span {
    int first = 0;
    int end = 0;
};
Span Visible(Coord origin, Coord cell, int count, Coord extent) {
    Span span;
    if (cell <= 0 || count <= 0)
        return span;
    const Coord lo = std::max<Coord>(0, -origin / cell - 1);
    const Coord hi = (extent - origin) / cell + 1;
    span.first = int(std::min<Coord>(lo, count));
    span.end = int(std::clamp<Coord>(hi, span.first, count));
    return span;
}

} // namespace

TagEdges AprilTagEdges(Coord cell, double tagSpacing) {
    const double tag = double(cell) / (1 + tagSpacing);
    const double gap = (double(cell) - tag) / 2;
    TagEdges edges;
    for (size_t k = 0; k < edges.size(); ++k)
        edges[k] = RoundHalfDown(ToSingle(gap + tag * double(k) / AprilTag36h11::kTagBits));
    return edges;
}

int AprilTagId(int i, int j, int columns, int rows, int firstId) {
    return columns * (rows - 1 - i) + j + firstId;
}

TRect AprilGridCover(const TRect& cells, Coord cellWidth, Coord cellHeight, double tagSpacing) {
    const TagEdges across = AprilTagEdges(cellWidth, tagSpacing);
    const TagEdges down = AprilTagEdges(cellHeight, tagSpacing);
    return Rect(cells.Left - (cellWidth - across.back()), cells.Top - (cellHeight - down.back()),
                cells.Right + across.front(), cells.Bottom + down.front());
}

void DrawAprilGrid(Canvas& canvas, const BoardCells& cells, const TargetOptions& target) {
    const AprilTag36h11& family = AprilTag36h11::Family();
    const TagEdges across = AprilTagEdges(cells.cellWidth, target.tagSpacing);
    const TagEdges down = AprilTagEdges(cells.cellHeight, target.tagSpacing);
    // The tags go to the device as one shape, each its black square with its
    // white bits cut out, so that no renderer finds a seam inside a tag; the
    // corner squares in one call. One call for many is far cheaper on
    // printers and PDF than one call per square.
    std::vector<TRect> rects;
    std::vector<TRect> tags;
    std::vector<BitBlock> blocks;
    constexpr int kBits = AprilTag36h11::kTagBits;
    constexpr int kFirst = AprilTag36h11::kBorderBits;
    const auto data = [](int bit) {
        return bit >= kFirst && bit < kFirst + AprilTag36h11::kDataBits;
    };

    const Span rows = Visible(cells.top, cells.cellHeight, cells.rows, canvas.height());
    const Span columns = Visible(cells.left, cells.cellWidth, cells.columns, canvas.width());
    for (int i = rows.first; i < rows.end; ++i) {
        const Coord top = cells.cellTop(i);
        for (int j = columns.first; j < columns.end; ++j) {
            const Coord left = cells.cellLeft(j);
            const int id = AprilTagId(i, j, cells.columns, cells.rows, target.firstId);
            if (id < 0 || id >= family.count())
                continue; // refused before drawing; never read past the family
            tags.push_back(
                Rect(left + across[0], top + down[0], left + across[kBits], top + down[kBits]));
            BitBlocks(
                kBits,
                [&](int r, int c) {
                    return data(r) && data(c) && family.white(id, r - kFirst, c - kFirst);
                },
                blocks);
            for (const BitBlock& b : blocks)
                tags.push_back(Rect(left + across[size_t(b.left)], top + down[size_t(b.top)],
                                    left + across[size_t(b.right)], top + down[size_t(b.bottom)]));
        }
    }
    // The corner squares touch the tags' corners: each reaches from the end
    // of the tag before the grid line to the start of the tag after it.
    const Coord backX = cells.cellWidth - across.back();
    const Coord backY = cells.cellHeight - down.back();
    for (int i = rows.first; i <= rows.end; ++i) {
        const Coord y = cells.cellTop(i);
        for (int j = columns.first; j <= columns.end; ++j) {
            const Coord x = cells.cellLeft(j);
            rects.push_back(Rect(x - backX, y - backY, x + across.front(), y + down.front()));
        }
    }
    canvas.setBrushColor(kBlack);
    canvas.FillRects(rects);
    canvas.FillShape(tags);
}
