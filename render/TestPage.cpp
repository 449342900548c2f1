// SPDX-License-Identifier: MIT
#include "render/TestPage.h"

#include "model/Numeric.h"
#include "model/Units.h"
#include "render/Canvas.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr QRgb kBlack = 0xFF000000u;
constexpr QRgb kWhite = 0xFFFFFFFFu;

// In units of the page (cm or inches): the space left around the bars, their
// thickness, the ticks' spacing and lengths, and the label's height.
struct Measures {
    double margin, thickness, tickStep, tick, longTick, text;
};
constexpr Measures kCm{1.0, 0.2, 1.0, 0.3, 0.6, 0.4};
constexpr Measures kInch{0.5, 0.08, 0.5, 0.12, 0.24, 0.16};
// Every this many ticks one is long, as on a ruler.
constexpr int kLongTickEvery = 5;

struct Scale {
    double x, y; // printer pixels per unit, corrected
};

Scale PixelsPerUnitOf(const TestPageInputs& in) {
    Scale s{0, 0};
    const int unit = in.inches ? kUnitInches : kUnitCm;
    PixelsPerUnit(unit, in.dpiX, s.x, in.correction.across);
    PixelsPerUnit(unit, in.dpiY, s.y, in.correction.down);
    return s;
}

Coord Px(double v) {
    return Trunc(std::floor(v + 0.5));
}

// "19 cm", "7 inches": a bar's nominal length as written beside it.
QString TestPageLengthText(int units, bool inches) {
    return QStringLiteral("%1 %2").arg(units).arg(inches ? QStringLiteral("inches")
                                                         : QStringLiteral("cm"));
}

} // namespace

TestPageLayout LayOutTestPage(const TestPageInputs& in) {
    TestPageLayout l;
    const Measures& m = in.inches ? kInch : kCm;
    const Scale s = PixelsPerUnitOf(in);
    if (!(s.x > 0) || !(s.y > 0))
        return l;
    // The bar across runs along the top, the bar down along the left edge
    // below it; each leaves a margin at its far end for its label.
    const double room = m.margin * 2 + m.longTick + m.text;
    const auto whole = [](double v) { return int(std::max(0.0, std::floor(v))); };
    l.unitsAcross = whole(in.pageWidth / s.x - 2 * m.margin);
    l.unitsDown = whole(in.pageHeight / s.y - room - 2 * m.margin);
    const Coord left = Px(m.margin * s.x);
    const Coord top = Px(m.margin * s.y + (m.longTick + m.text) * s.y);
    l.across = Rect(left, top, left + Px(l.unitsAcross * s.x), top + Px(m.thickness * s.y));
    const Coord downTop = Px(top + room * s.y);
    l.down = Rect(left, downTop, left + Px(m.thickness * s.x), downTop + Px(l.unitsDown * s.y));
    return l;
}

void DrawTestPage(Canvas& canvas, const TestPageInputs& in) {
    const TestPageLayout l = LayOutTestPage(in);
    const Measures& m = in.inches ? kInch : kCm;
    const Scale s = PixelsPerUnitOf(in);
    canvas.setBrushColor(kBlack);
    if (l.unitsAcross > 0)
        canvas.FillRect(l.across);
    if (l.unitsDown > 0)
        canvas.FillRect(l.down);
    // Ticks 0.2 mm wide stand off the bars' outer edges, as on a ruler.
    const Coord tickWidthX = std::max<Coord>(1, Px(0.02 * s.x / (in.inches ? 2.54 : 1)));
    const Coord tickWidthY = std::max<Coord>(1, Px(0.02 * s.y / (in.inches ? 2.54 : 1)));
    const int ticksAcross = int(std::lround(l.unitsAcross / m.tickStep));
    for (int i = 0; l.unitsAcross > 0 && i <= ticksAcross; ++i) {
        const Coord x =
            std::min(l.across.Left + Px(i * m.tickStep * s.x), l.across.Right - tickWidthX);
        const double length = (i % kLongTickEvery == 0 ? m.longTick : m.tick) * s.y;
        canvas.FillRect(Rect(x, l.across.Top - Px(length), x + tickWidthX, l.across.Top));
    }
    const int ticksDown = int(std::lround(l.unitsDown / m.tickStep));
    for (int i = 0; l.unitsDown > 0 && i <= ticksDown; ++i) {
        const Coord y = std::min(l.down.Top + Px(i * m.tickStep * s.y), l.down.Bottom - tickWidthY);
        const double length = (i % kLongTickEvery == 0 ? m.longTick : m.tick) * s.x;
        canvas.FillRect(Rect(l.down.Right, y, l.down.Right + Px(length), y + tickWidthY));
    }
    // The nominal lengths, on white, beside each bar's far end.
    canvas.setBrushColor(kWhite);
    canvas.SetFontHeight(int(std::min<Coord>(Px(m.text * s.y), Canvas::kMaxFontHeight)));
    const Coord gap = Px(m.tick * s.x);
    if (l.unitsAcross > 0) {
        const QString text = TestPageLengthText(l.unitsAcross, in.inches);
        canvas.TextOut(std::max<Coord>(l.across.Right - canvas.TextWidth(text), 0),
                       l.across.Bottom + gap, text);
    }
    if (l.unitsDown > 0)
        canvas.TextOut(l.down.Right + Px(m.longTick * s.x) + gap,
                       l.down.Bottom - canvas.TextHeight(QStringLiteral("0")),
                       TestPageLengthText(l.unitsDown, in.inches));
}
