// SPDX-License-Identifier: MIT
#include "render/CharucoRenderer.h"

#include "render/BitBlocks.h"
#include "render/Canvas.h"
#include "targets/MarkerDictionary.h"
#include "targets/TargetCheck.h"

#include <stdexcept>
#include <vector>

namespace {

constexpr QRgb kBlack = 0xFF000000u;
// The marker's black border, in bits, on each side of the data bits.
constexpr int kBorderBits = 1;

// The edges of a marker's bits across one side of a cell, relative to the
// cell's near edge: the marker centred in the cell, each edge rounded to a
// whole pixel the way checker edges are, so neighbouring bits share it.
std::vector<Coord> BitEdges(Coord cell, double fraction, int bits) {
    const double side = double(cell) * fraction;
    const double margin = (double(cell) - side) * 0.5;
    std::vector<Coord> edges(bits + 1);
    for (int k = 0; k <= bits; ++k)
        edges[k] = RoundHalfDown(ToSingle(margin + side * k / bits));
    return edges;
}

// Whether bit (r, c) of the marker with its border is black.
bool MarkerBitBlack(const MarkerDictionary& d, int id, int r, int c) {
    const int n = d.markerBits;
    if (r < kBorderBits || c < kBorderBits || r >= n + kBorderBits || c >= n + kBorderBits)
        return true;
    return !d.bit(id, r - kBorderBits, c - kBorderBits);
}

} // namespace

bool CharucoSquareBlack(const TargetOptions& t, int rows, Coord row, Coord column) {
    const bool topLeftBlack = !(t.legacy && rows % 2 == 0);
    return ((row + column) % 2 == 0) == topLeftBlack;
}

Coord CharucoMarkerId(const TargetOptions& t, int columns, Coord row, Coord column) {
    // Whichever square is the first white one, squares alternate along the
    // row-major order within a row and across rows, so the white squares
    // before (row, column) number half of the squares before it, rounded down.
    return t.firstId + (row * columns + column) / 2;
}

void DrawCharuco(Canvas& canvas, const BoardCells& cells, const TargetOptions& t) {
    const QString problem = TargetProblem(t, cells.columns, cells.rows);
    if (!problem.isEmpty())
        throw std::runtime_error(problem.toStdString());
    const MarkerDictionary& dictionary = *FindDictionary(t.dictionary);
    const int n = dictionary.markerBits;
    const int bits = n + 2 * kBorderBits;
    const std::vector<Coord> xs = BitEdges(cells.cellWidth, t.markerFraction, bits);
    const std::vector<Coord> ys = BitEdges(cells.cellHeight, t.markerFraction, bits);
    // Every black square in one call; the markers as one shape, each its
    // black square with its white bits cut out, so that no renderer finds a
    // seam inside a marker.
    std::vector<TRect> black;
    std::vector<TRect> markers;
    std::vector<BitBlock> blocks;
    for (Coord i = cells.firstRow; i < cells.endRow; ++i) {
        const Coord top = cells.cellTop(i);
        for (Coord j = cells.firstColumn; j < cells.endColumn; ++j) {
            const Coord left = cells.cellLeft(j);
            if (CharucoSquareBlack(t, cells.rows, i, j)) {
                black.push_back(Rect(left, top, left + cells.cellWidth, top + cells.cellHeight));
                continue;
            }
            markers.push_back(Rect(left + xs[0], top + ys[0], left + xs[bits], top + ys[bits]));
            const int id = int(CharucoMarkerId(t, cells.columns, i, j));
            BitBlocks(
                bits, [&](int r, int c) { return !MarkerBitBlack(dictionary, id, r, c); }, blocks);
            for (const BitBlock& b : blocks)
                markers.push_back(Rect(left + xs[b.left], top + ys[b.top], left + xs[b.right],
                                       top + ys[b.bottom]));
        }
    }
    canvas.setBrushColor(kBlack);
    canvas.FillRects(black);
    canvas.FillShape(markers);
}
