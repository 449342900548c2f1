// SPDX-License-Identifier: MIT
#include "render/AprilGridRenderer.h"

#include "model/Numeric.h"
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

// The black runs of one row of a tag: the border's bits, and the data bits
// that are not white, joined where they touch.
void DrawTagRow(std::vector<TRect>& rects, const AprilTag36h11& family, int id, int bitRow,
                Coord left, const TagEdges& across, Coord top, Coord bottom) {
    const int dataRow = bitRow - AprilTag36h11::kBorderBits;
    const bool border = dataRow < 0 || dataRow >= AprilTag36h11::kDataBits;
    int k = 0;
    while (k < AprilTag36h11::kTagBits) {
        const auto black = [&](int bit) {
            const int dataCol = bit - AprilTag36h11::kBorderBits;
            return border || dataCol < 0 || dataCol >= AprilTag36h11::kDataBits ||
                   !family.white(id, dataRow, dataCol);
        };
        if (!black(k)) {
            ++k;
            continue;
        }
        int end = k + 1;
        while (end < AprilTag36h11::kTagBits && black(end))
            ++end;
        rects.push_back(Rect(left + across[size_t(k)], top, left + across[size_t(end)], bottom));
        k = end;
    }
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
    canvas.setBrushColor(kBlack);
    // Everything black goes to the device in one call: far cheaper on
    // printers and PDF than one call per run of bits.
    std::vector<TRect> rects;

    const Span rows = Visible(cells.top, cells.cellHeight, cells.rows, canvas.height());
    const Span columns = Visible(cells.left, cells.cellWidth, cells.columns, canvas.width());
    for (int i = rows.first; i < rows.end; ++i) {
        const Coord top = cells.cellTop(i);
        for (int j = columns.first; j < columns.end; ++j) {
            const Coord left = cells.cellLeft(j);
            const int id = AprilTagId(i, j, cells.columns, cells.rows, target.firstId);
            if (id < 0 || id >= family.count())
                continue; // refused before drawing; never read past the family
            for (int bit = 0; bit < AprilTag36h11::kTagBits; ++bit)
                DrawTagRow(rects, family, id, bit, left, across, top + down[size_t(bit)],
                           top + down[size_t(bit) + 1]);
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
    canvas.FillRects(rects);
}
