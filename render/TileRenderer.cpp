// SPDX-License-Identifier: MIT
// Drawing the sheets of a tiled board and its assembly page.
#include "render/TilePlan.h"

#include "model/Units.h"
#include "render/BoardRenderer.h"
#include "render/Canvas.h"
#include "render/SheetTitle.h"
#include "render/TileLayout.h"

#include <QCoreApplication>
#include <QPainter>
#include <QStringList>
#include <algorithm>

namespace {

constexpr QRgb kBlack = 0xFF000000u;
constexpr QRgb kWhite = 0xFFFFFFFFu;
// The assembly page's text lines, and the sheet names on its layout.
constexpr double kAssemblyLineMm = 4;
constexpr int kAssemblyLines = 7;

QString tr(const char* text) {
    return QCoreApplication::translate("TilePlan", text);
}

QString Millimetres(Coord px, float dpi) {
    return QString::number(double(px) / dpi * kMillimetresPerInch, 'f', 1) + QStringLiteral(" mm");
}

// A cross centred on (cx, cy): two bars of the given length and thickness.
void Cross(Canvas& canvas, Coord cx, Coord cy, Coord lengthX, Coord lengthY, Coord barX,
           Coord barY) {
    canvas.FillRect(
        Rect(cx - lengthX / 2, cy - barY / 2, cx - lengthX / 2 + lengthX, cy - barY / 2 + barY));
    canvas.FillRect(
        Rect(cx - barX / 2, cy - lengthY / 2, cx - barX / 2 + barX, cy - lengthY / 2 + lengthY));
}

// Lines of text from (x, y) down, the font shrunk until the widest fits width.
void TextLines(Canvas& canvas, Coord x, Coord y, Coord width, Coord lineHeight,
               const QStringList& lines) {
    canvas.SetFontHeight(int(lineHeight));
    int widest = 0;
    for (const QString& line : lines)
        widest = std::max(widest, canvas.TextWidth(line));
    if (widest > width && widest > 0)
        canvas.SetFontHeight(std::max(1, int(lineHeight * width / widest)));
    canvas.setBrushColor(kWhite);
    for (const QString& line : lines) {
        canvas.TextOut(x, y, line);
        y += canvas.FontHeight();
    }
}

} // namespace

QString SheetName(int row, int column) {
    return tr("row %1, column %2").arg(row + 1).arg(column + 1);
}

QString SheetsText(int sheets) {
    return sheets == 1 ? tr("1 sheet") : tr("%1 sheets").arg(sheets);
}

void DrawTile(Canvas& canvas, const TilePlan& plan, int k, const SheetInputs& in) {
    if (!plan.possible || k < 0 || k >= plan.sheets())
        return;
    const int row = k / plan.across;
    const int column = k % plan.across;
    const TRect part = plan.sheetBoard(k);
    const Coord left = plan.marginLeft;
    const Coord top = plan.marginTop;
    const Coord right = left + part.Right - part.Left;
    const Coord bottom = top + part.Bottom - part.Top;

    // The board's part, clipped to it: a surface of its size at its place.
    const TRect cover = DrawnBoardRect(1.0f, 0, 0, TopLeft(in));
    {
        QPainter& painter = canvas.painter();
        painter.save();
        painter.translate(double(left), double(top));
        Canvas part_(painter, canvas.device(), int(right - left), int(bottom - top));
        DrawBoardShifted(part_, in, -cover.Left - part.Left, -cover.Top - part.Top);
        painter.restore();
    }

    const TileLayout mm(in);
    const Coord gapX = mm.x(TileLayout::kGapMm);
    const Coord gapY = mm.y(TileLayout::kGapMm);
    const Coord crossX = mm.x(TileLayout::kCrossMm);
    const Coord crossY = mm.y(TileLayout::kCrossMm);
    const Coord barX = std::max<Coord>(1, mm.x(TileLayout::kCrossBarMm));
    const Coord barY = std::max<Coord>(1, mm.y(TileLayout::kCrossBarMm));
    canvas.setBrushColor(kBlack);
    // Crosses above and below each seam across the sheet, left and right of
    // each seam down it; the sheet after a seam is trimmed along it, from
    // past its crosses to the page's edge.
    const Coord crossTop = top - gapY - crossY / 2;
    const Coord crossBottom = bottom + gapY + crossY / 2;
    const Coord crossLeft = left - gapX - crossX / 2;
    const Coord crossRight = right + gapX + crossX / 2;
    const auto seamX = [&](Coord x, bool trim) {
        Cross(canvas, x, crossTop, crossX, crossY, barX, barY);
        Cross(canvas, x, crossBottom, crossX, crossY, barX, barY);
        if (trim) {
            canvas.FillRect(Rect(x, 0, x + 1, crossTop - crossY / 2 - gapY));
            canvas.FillRect(Rect(x, crossBottom + crossY / 2 + gapY, x + 1, plan.pageHeight));
        }
    };
    const auto seamY = [&](Coord y, bool trim) {
        Cross(canvas, crossLeft, y, crossX, crossY, barX, barY);
        Cross(canvas, crossRight, y, crossX, crossY, barX, barY);
        if (trim) {
            canvas.FillRect(Rect(0, y, crossLeft - crossX / 2 - gapX, y + 1));
            canvas.FillRect(Rect(crossRight + crossX / 2 + gapX, y, plan.pageWidth, y + 1));
        }
    };
    if (column > 0)
        seamX(left, true);
    if (column < plan.across - 1)
        seamX(left + plan.seamsX[size_t(column)] - part.Left, false);
    if (row > 0)
        seamY(top, true);
    if (row < plan.down - 1)
        seamY(top + plan.seamsY[size_t(row)] - part.Top, false);

    // The label, in the top margin between the crosses.
    QStringList neighbours;
    if (column > 0)
        neighbours << tr("left: %1").arg(SheetName(row, column - 1));
    if (column < plan.across - 1)
        neighbours << tr("right: %1").arg(SheetName(row, column + 1));
    if (row > 0)
        neighbours << tr("above: %1").arg(SheetName(row - 1, column));
    if (row < plan.down - 1)
        neighbours << tr("below: %1").arg(SheetName(row + 1, column));
    const QStringList lines{tr("Sheet %1 of %2 (%3 across, %4 down) - print at 100 %")
                                .arg(SheetName(row, column))
                                .arg(plan.sheets())
                                .arg(plan.across)
                                .arg(plan.down),
                            tr("%1, board %2 × %3")
                                .arg(SheetTitle(in), Millimetres(plan.boardWidth, in.dpiX),
                                     Millimetres(plan.boardHeight, in.dpiY)),
                            tr("Neighbours: %1").arg(neighbours.join(QStringLiteral("; ")))};
    const Coord textLeft = left + crossX / 2 + gapX;
    // Up to the cross of the seam on the right, or else the page's edge: the
    // top margin is free beyond the board's part.
    const Coord textRight = column < plan.across - 1
                                ? left + plan.seamsX[size_t(column)] - part.Left - crossX / 2 - gapX
                                : Coord(plan.pageWidth);
    const Coord lineHeight =
        std::min<Coord>(mm.y(TileLayout::kLabelLineMm), (top - gapY) / Coord(lines.size()));
    TextLines(canvas, textLeft, gapY / 2, textRight - textLeft, lineHeight, lines);
}

void DrawTileAssembly(Canvas& canvas, const TilePlan& plan, const SheetInputs& in) {
    if (!plan.possible || plan.boardWidth <= 0 || plan.boardHeight <= 0)
        return;
    const TileLayout mm(in);
    const Coord line = mm.y(kAssemblyLineMm);
    const Coord textHeight = line * (kAssemblyLines + 1);
    QStringList seamsX;
    for (Coord x : plan.seamsX)
        seamsX << Millimetres(x, in.dpiX);
    QStringList seamsY;
    for (Coord y : plan.seamsY)
        seamsY << Millimetres(y, in.dpiY);
    const QString none = tr("none");
    const QStringList lines{
        tr("Assembly: %1").arg(SheetTitle(in)),
        tr("%1, %2 across × %3 down; print every sheet at 100 %")
            .arg(SheetsText(plan.sheets()))
            .arg(plan.across)
            .arg(plan.down),
        tr("Board %1 × %2; measure it across and down with a ruler once assembled")
            .arg(Millimetres(plan.boardWidth, in.dpiX), Millimetres(plan.boardHeight, in.dpiY)),
        tr("Seams from the board's left edge: %1")
            .arg(seamsX.isEmpty() ? none : seamsX.join(QStringLiteral(", "))),
        tr("Seams from the board's top edge: %1")
            .arg(seamsY.isEmpty() ? none : seamsY.join(QStringLiteral(", "))),
        tr("Cut each sheet along its trim lines (the board's edge where a neighbour lies left "
           "or above),"),
        tr("then lay the cut edge on the neighbour's crosses, which mark the same line.")};
    TextLines(canvas, 0, 0, canvas.width(), line, lines);

    // The layout: the board scaled into the rest of the page, each sheet's
    // own part outlined, the seams as lines.
    const double room = double(canvas.height() - textHeight);
    const double scale = std::min(double(canvas.width() - 1) / double(plan.boardWidth),
                                  room / double(plan.boardHeight));
    if (scale <= 0)
        return;
    const auto X = [&](Coord x) { return Coord(double(x) * scale); };
    const auto Y = [&](Coord y) { return textHeight + Coord(double(y) * scale); };
    canvas.setBrushColor(kBlack);
    canvas.FrameRect(Rect(X(0), Y(0), X(plan.boardWidth) + 1, Y(plan.boardHeight) + 1));
    for (Coord x : plan.seamsX)
        canvas.FillRect(Rect(X(x), Y(0), X(x) + 1, Y(plan.boardHeight)));
    for (Coord y : plan.seamsY)
        canvas.FillRect(Rect(X(0), Y(y), X(plan.boardWidth), Y(y) + 1));
    canvas.SetFontHeight(int(line));
    canvas.setBrushColor(kWhite);
    for (int k = 0; k < plan.sheets(); ++k) {
        const TRect part = plan.sheetBoard(k);
        const QString name = SheetName(k / plan.across, k % plan.across);
        const Coord cx =
            std::clamp<Coord>((X(part.Left) + X(part.Right)) / 2 - canvas.TextWidth(name) / 2, 0,
                              canvas.width() - canvas.TextWidth(name));
        const Coord cy = (Y(part.Top) + Y(part.Bottom)) / 2 - canvas.FontHeight() / 2;
        canvas.TextOut(cx, cy, name);
    }
}
