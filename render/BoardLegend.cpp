// SPDX-License-Identifier: MIT
#include "render/BoardLegend.h"

#include "model/NumberText.h"
#include "model/Numeric.h"
#include "render/BoardRenderer.h"
#include "render/Canvas.h"

#include <QCoreApplication>
#include <algorithm>

namespace {

constexpr QRgb kBlack = 0xFF000000u;
constexpr QRgb kWhite = 0xFFFFFFFFu;
// The legend's font cell is this tall on paper, and stands this far beneath
// the board: small print, legible from a hand's length.
constexpr double kLegendHeightInches = 0.12;
constexpr double kLegendGapInches = 0.06;
// Sizes in the legend carry at most this many significant digits.
constexpr int kLegendDigits = 4;

QString tr(const char* text) {
    return QCoreApplication::translate("BoardLegend", text);
}

QString Length(double value, const QString& unit) {
    return QString::number(value, 'g', kLegendDigits) + QLatin1Char(' ') + unit;
}

// The cell as typed: "3 cm", or "2.5 × 3 cm" when it is not square.
QString Cell(const SheetInputs& in) {
    const double w = StrToFloatDef(in.checkerWidthText, 0);
    const double h = StrToFloatDef(in.checkerHeightText, 0);
    if (w == h)
        return Length(w, in.unitName);
    return QString::number(w, 'g', kLegendDigits) + QStringLiteral(" × ") + Length(h, in.unitName);
}

Coord Px(double inches, float dpi, float scale) {
    return Trunc(inches * double(dpi) * double(scale));
}

} // namespace

bool LegendWanted(const SheetInputs& in) {
    return in.target.kind != TargetKind::Checkerboard || in.target.legend;
}

QString LegendText(const SheetInputs& in) {
    const TargetOptions& t = in.target;
    const double w = StrToFloatDef(in.checkerWidthText, 0);
    const double h = StrToFloatDef(in.checkerHeightText, 0);
    const QString counts = QStringLiteral("%1 × %2").arg(in.columns).arg(in.rows);
    QString text;
    switch (t.kind) {
    case TargetKind::Checkerboard:
        text = tr("Checkerboard, %1 squares of %2 (%3 × %4 inner corners)")
                   .arg(counts, Cell(in))
                   .arg(in.columns - 1)
                   .arg(in.rows - 1);
        break;
    case TargetKind::Charuco:
        text = tr("ChArUco, %1 squares of %2, markers of %3, %4, %5 layout, first ID %6")
                   .arg(counts, Cell(in), Length(w * t.markerFraction, in.unitName), t.dictionary,
                        t.legacy ? tr("legacy (before OpenCV 4.6)") : tr("OpenCV 4.6"))
                   .arg(t.firstId);
        break;
    case TargetKind::Circles:
        text = tr("Circle grid, %1 circles, pitch %2, diameter %3")
                   .arg(counts, Cell(in), Length(std::min(w, h) * t.diameterFraction, in.unitName));
        break;
    case TargetKind::AsymmetricCircles:
        text = tr("Asymmetric circle grid, %1 circles (OpenCV's pattern size), s = %2, diameter %3")
                   .arg(counts, Length(h, in.unitName),
                        Length(std::min(w, h) * t.diameterFraction, in.unitName));
        break;
    case TargetKind::AprilGrid:
        text = tr("AprilGrid 36h11, %1 tags of %2, spacing %3 (pitch %4), first ID %5 "
                  "bottom-left")
                   .arg(counts, Length(w / (1 + t.tagSpacing), in.unitName),
                        QString::number(t.tagSpacing, 'g', kLegendDigits), Cell(in))
                   .arg(t.firstId);
        break;
    }
    return text + tr("; print at 100 %");
}

TRect LegendExtent(Canvas& canvas, float scale, int width, int height, const SheetInputs& in) {
    if (!LegendWanted(in))
        return {};
    const QString text = LegendText(in);
    const float dpiY = in.dpiY * float(in.correction.down);
    canvas.SetFontHeight(
        int(std::min<Coord>(Px(kLegendHeightInches, dpiY, scale), Canvas::kMaxFontHeight)));
    const TRect drawn = DrawnBoardRect(scale, width, height, in);
    const Coord w = canvas.TextWidth(text);
    const Coord top = drawn.Bottom + Px(kLegendGapInches, dpiY, scale);
    const Coord left = std::max<Coord>(0, std::min<Coord>(drawn.Left, width - w));
    return Rect(left, top, left + w, top + canvas.TextHeight(text));
}

TRect LegendRect(Canvas& canvas, float scale, int width, int height, const SheetInputs& in) {
    const TRect r = LegendExtent(canvas, scale, width, height, in);
    if (r.Right > width || r.Bottom > height || r.Top < 0)
        return {};
    return r;
}

void DrawLegend(Canvas& canvas, float scale, int width, int height, const SheetInputs& in) {
    const TRect r = LegendRect(canvas, scale, width, height, in);
    if (r.Right <= r.Left)
        return;
    canvas.setBrushColor(kWhite);
    canvas.TextOut(r.Left, r.Top, LegendText(in));
    canvas.setBrushColor(kBlack);
}
