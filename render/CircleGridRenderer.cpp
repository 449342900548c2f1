// SPDX-License-Identifier: MIT
#include "render/CircleGridRenderer.h"

#include "render/Canvas.h"
#include "targets/TargetCheck.h"

#include <algorithm>
#include <stdexcept>

namespace {

constexpr QRgb kBlack = 0xFF000000u;
constexpr double kMiddle = 0.5;

} // namespace

bool HoldsCircle(TargetKind kind, Coord row, Coord column) {
    return kind != TargetKind::AsymmetricCircles || (row + column) % 2 == 0;
}

void DrawCircleGrid(Canvas& canvas, const BoardCells& cells, const TargetOptions& t) {
    const QString problem = TargetProblem(t, cells.columns, cells.rows);
    if (!problem.isEmpty())
        throw std::runtime_error(problem.toStdString());
    const double radius =
        t.diameterFraction * double(std::min(cells.cellWidth, cells.cellHeight)) * 0.5;
    canvas.setBrushColor(kBlack);
    for (Coord i = cells.firstRow; i < cells.endRow; ++i) {
        const double y = double(cells.cellTop(i)) + double(cells.cellHeight) * kMiddle;
        for (Coord j = cells.firstColumn; j < cells.endColumn; ++j)
            if (HoldsCircle(t.kind, i, j))
                canvas.FillEllipse(double(cells.cellLeft(j)) + double(cells.cellWidth) * kMiddle, y,
                                   radius, radius);
    }
}
