// SPDX-License-Identifier: MIT
#include "render/CircleGridRenderer.h"

#include "render/Canvas.h"
#include "target/TargetCheck.h"

#include <algorithm>
#include <stdexcept>

namespace {

constexpr QRgb kBlack = 0xFF000000u;
constexpr double kMiddle = 0.5;
constexpr double kEvenRowAcross = 0.25;
constexpr double kOddRowAcross = 0.75;

} // namespace

double CircleCentreAcross(TargetKind kind, Coord row) {
    if (kind != TargetKind::AsymmetricCircles)
        return kMiddle;
    return row % 2 == 0 ? kEvenRowAcross : kOddRowAcross;
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
        const double across = CircleCentreAcross(t.kind, i) * double(cells.cellWidth);
        for (Coord j = cells.firstColumn; j < cells.endColumn; ++j)
            canvas.FillEllipse(double(cells.cellLeft(j)) + across, y, radius, radius);
    }
}
