// SPDX-License-Identifier: MIT
#include "render/SizeCaption.h"

#include "model/NumberText.h"
#include "model/Numeric.h"
#include "model/Units.h"
#include "render/Bitmap.h"
#include "render/Canvas.h"

#include <QLatin1String>
#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <memory>

namespace {

constexpr QRgb kBlack = 0xFF000000u;
constexpr QRgb kWhite = 0xFFFFFFFFu;
constexpr QRgb kOpaque = 0xFF000000u;

// The arrow size is this fraction of the smaller checker side.
constexpr double kArrowFraction = 1.0 / 15;
// The label font's cell is this many arrow sizes high.
constexpr double kFontArrows = 2.0;

// The vertical label is built and turned in square pieces of at most this
// many pixels a side, so that a label larger than the page never needs more
// than two such pieces in memory at once.
constexpr Coord kLabelPiece = 1024;
// Within a piece, blocks of this many pixels a side that hold one colour are
// filled rather than turned pixel by pixel.
constexpr int kLabelBlock = 32;

// Integer label text: the value with its fraction dropped, all digits, never
// "-0". Infinities read as the two-decimal format writes them.
QString WholeText(double value) {
    if (!std::isfinite(value))
        return FormatFixed2(value);
    const double whole = std::trunc(value) + 0.0; // + 0.0 turns -0 into 0
    char buffer[400];                             // enough for any double
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, whole, std::chars_format::fixed, 0);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

bool IsWhole(float value) {
    return std::isfinite(value) && std::trunc(value) == value;
}

TRect Intersect(const TRect& a, const TRect& b) {
    return Rect(std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
                std::min(a.Bottom, b.Bottom));
}

bool IsEmpty(const TRect& r) {
    return r.Right <= r.Left || r.Bottom <= r.Top;
}

TRect Surface(const Canvas& canvas) {
    return Rect(0, 0, canvas.width(), canvas.height());
}

// What a block of label pixels holds: one colour, or several.
struct BlockContent {
    bool mixed = false;
    QRgb color = 0;
    bool operator==(const BlockContent& o) const {
        return mixed == o.mixed && (mixed || color == o.color);
    }
};

BlockContent ContentOf(const QImage& pixels, int x0, int x1, int y0, int y1) {
    const QRgb first = reinterpret_cast<const QRgb*>(pixels.constScanLine(y0))[x0];
    for (int y = y0; y < y1; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        for (int x = x0; x < x1; ++x)
            if (row[x] != first)
                return {true, 0};
    }
    return {false, kOpaque | first};
}

// One piece of the turned label: labelPiece holds the horizontal label's
// pixels that turn into the rectangle dest of the canvas (down x across
// before turning, across x down after). Pixel (i, j) of the turned piece is
// pixel (down - 1 - j, i) of labelPiece.
void DrawTurnedPiece(Canvas& canvas, const Bitmap& labelPiece, const TRect& dest) {
    const int across = labelPiece.height();
    const int down = labelPiece.width();
    const QImage& pixels = labelPiece.image();
    std::unique_ptr<Bitmap> turned; // made at the first block that needs turning

    // The piece is white first; along each band of kLabelBlock turned rows,
    // runs of blocks of one other colour are filled, and runs of mixed blocks
    // are turned pixel by pixel and copied.
    canvas.FillRect(dest);
    const auto place = [&](const BlockContent& content, int i0, int i1, int j0, int j1) {
        const TRect to = Rect(dest.Left + i0, dest.Top + j0, dest.Left + i1, dest.Top + j1);
        if (!content.mixed) {
            if (content.color != kWhite) {
                canvas.setBrushColor(content.color);
                canvas.FillRect(to);
                canvas.setBrushColor(kWhite);
            }
            return;
        }
        if (!turned)
            turned = std::make_unique<Bitmap>(across, down);
        for (int j = j0; j < j1; ++j) { // row by row: a pixel call each would cost a millisecond
            QRgb* row = turned->ScanLine(j);
            for (int i = i0; i < i1; ++i)
                row[i] =
                    kOpaque | reinterpret_cast<const QRgb*>(pixels.constScanLine(i))[down - 1 - j];
        }
        canvas.CopyRect(to, *turned, Rect(i0, j0, i1, j1));
    };
    for (int j0 = 0; j0 < down; j0 += kLabelBlock) {
        const int j1 = std::min(j0 + kLabelBlock, down);
        int runStart = 0;
        BlockContent run;
        for (int i0 = 0; i0 < across; i0 += kLabelBlock) {
            const int i1 = std::min(i0 + kLabelBlock, across);
            const BlockContent block = ContentOf(pixels, down - j1, down - j0, i0, i1);
            if (i0 > 0 && !(block == run)) {
                place(run, runStart, i0, j0, j1);
                runStart = i0;
            }
            run = block;
        }
        place(run, runStart, across, j0, j1);
    }
}

// Draws label turned a quarter turn counter-clockwise into the rectangle
// (x, y, x + h2, y + w2) of canvas, where w2 x h2 is the label's horizontal
// cell: pixel (i, j) of the turned label is pixel (w2 - 1 - j, i) of the
// horizontal one. Expects and leaves the brush white.
//
// Bound: only the part of that rectangle that lies on the canvas is built and
// turned, so memory and time follow the visible area, never the label's
// nominal size (a 1e6 cm checker, or a font taller than the page, costs no
// more than the page; Canvas caps the font at kMaxFontHeight besides). The
// visible part is handled in pieces of at most kLabelPiece pixels a side, each
// drawing the label shifted so that exactly the pixels it needs land in its
// own small bitmap; within a piece only blocks that hold a glyph edge are
// turned pixel by pixel, the rest are filled.
void DrawTurnedLabel(Canvas& canvas, const QString& label, Coord x, Coord y, Coord w2, Coord h2) {
    const TRect visible = Intersect(Rect(x, y, x + h2, y + w2), Surface(canvas));
    if (IsEmpty(visible))
        return;
    const Coord iEnd = visible.Right - x;
    const Coord jEnd = visible.Bottom - y;
    for (Coord j0 = visible.Top - y; j0 < jEnd; j0 += kLabelPiece) {
        const Coord j1 = std::min(j0 + kLabelPiece, jEnd);
        for (Coord i0 = visible.Left - x; i0 < iEnd; i0 += kLabelPiece) {
            const Coord i1 = std::min(i0 + kLabelPiece, iEnd);
            // Horizontal label pixels x in [w2 - j1, w2 - j0), y in [i0, i1).
            Bitmap labelPiece(int(j1 - j0), int(i1 - i0));
            Canvas& labelCanvas = labelPiece.canvas();
            labelCanvas.AssignFont(canvas);
            labelCanvas.setBrushColor(kWhite);
            labelCanvas.TextOut(-(w2 - j1), -i0, label);
            DrawTurnedPiece(canvas, labelPiece, Rect(x + i0, y + j0, x + i1, y + j1));
        }
    }
}

} // namespace

CaptionMetrics ComputeCaptionMetrics(float scale, const SheetInputs& in) {
    CaptionMetrics m;
    const double v = StrToFloatDef(in.sizeDistanceText, 0);
    double perUnitX = 0;
    double perUnitY = 0;
    if (PixelsPerUnit(in.sizeUnit, in.dpiX, perUnitX, in.correction.across) &&
        PixelsPerUnit(in.sizeUnit, in.dpiY, perUnitY, in.correction.down)) {
        m.distanceX = ToSingle(v * perUnitX);
        m.distanceY = ToSingle(v * perUnitY);
    }
    m.distanceX = ToSingle(double(m.distanceX) * scale);
    m.distanceY = ToSingle(double(m.distanceY) * scale);
    if (in.target.kind == TargetKind::AprilGrid) {
        // The outer corner squares reach half a gap beyond the board; the
        // caption keeps its distance from them.
        const double halfGap = in.target.tagSpacing / (1 + in.target.tagSpacing) / 2;
        m.distanceX = ToSingle(m.distanceX + double(in.checkerWidthPx) * scale * halfGap);
        m.distanceY = ToSingle(m.distanceY + double(in.checkerHeightPx) * scale * halfGap);
    }

    const float side =
        in.checkerWidthPx < in.checkerHeightPx ? in.checkerWidthPx : in.checkerHeightPx;
    m.arrowSize = ToSingle(double(side) * scale * kArrowFraction);
    return m;
}

std::array<CaptionStroke, 10> CaptionStrokes(float scale, const TRect& boardRect,
                                             const SheetInputs& in, const CaptionMetrics& m) {
    const Coord L = boardRect.Left;
    const Coord T = boardRect.Top;
    const double l = double(L);
    const double t = double(T);
    const double w = double(in.checkerWidthPx) * scale;
    const double h = double(in.checkerHeightPx) * scale;
    const double dx = m.distanceX;
    const double dy = m.distanceY;
    const double a = m.arrowSize;

    const Coord lineX = Trunc(l - dx);
    const Coord bottom = Trunc(t + h);
    const Coord lineY = Trunc(t - dy);
    const Coord right = Trunc(l + w);
    return {{
        {lineX, T, lineX, bottom},
        {lineX, T, Trunc(l - dx - a), Trunc(t + a)},
        {lineX, T, Trunc(l - dx + a), Trunc(t + a)},
        {lineX, bottom, Trunc(l - dx - a), Trunc(t + h - a)},
        {lineX, bottom, Trunc(l - dx + a), Trunc(t + h - a)},
        {L, lineY, right, lineY},
        {L, lineY, Trunc(l + a), Trunc(t - dy + a)},
        {L, lineY, Trunc(l + a), Trunc(t - dy - a)},
        {right, lineY, Trunc(l + w - a), Trunc(t - dy - a)},
        {right, lineY, Trunc(l + w - a), Trunc(t - dy + a)},
    }};
}

CaptionLabels BuildCaptionLabels(const QString& widthText, const QString& heightText,
                                 const QString& unitName) {
    const float vW = ToSingle(StrToFloat(widthText));
    const float vH = ToSingle(StrToFloat(heightText));
    const bool integers = unitName == QLatin1String("pixels") || (IsWhole(vW) && IsWhole(vH));
    auto number = [integers](float v) { return integers ? WholeText(v) : FormatFixed2(v); };
    const QString space = QStringLiteral(" ");
    return {space + number(vW) + space + unitName + space,
            space + number(vH) + space + unitName + space};
}

int CaptionFontHeight(float arrowSize) {
    const double cell = kFontArrows * arrowSize;
    if (!(cell > 1))
        return 1;
    return int(std::min<Coord>(Trunc(cell), INT_MAX));
}

CaptionLabelPlaces PlaceCaptionLabels(Canvas& canvas, float scale, const TRect& boardRect,
                                      const SheetInputs& in, const CaptionMetrics& m) {
    CaptionLabelPlaces p;
    p.labels = BuildCaptionLabels(in.checkerWidthText, in.checkerHeightText, in.unitName);
    canvas.SetFontHeight(CaptionFontHeight(m.arrowSize));

    const double l = double(boardRect.Left);
    const double t = double(boardRect.Top);
    const double w = double(in.checkerWidthPx) * scale;
    const double h = double(in.checkerHeightPx) * scale;

    // Width label: centred over the first checker and on the horizontal line,
    // its white cell hiding the line's middle.
    const Coord w1 = canvas.TextWidth(p.labels.width);
    const Coord h1 = canvas.TextHeight(p.labels.width);
    const Coord x1 = Trunc(l + (w - double(w1)) * 0.5);
    const Coord y1 = Trunc((t - m.distanceY) - double(h1 / 2));
    p.width = Rect(x1, y1, x1 + w1, y1 + h1);

    // Height label: reads upwards, centred on the vertical line and along the
    // first checker's height.
    const Coord w2 = canvas.TextWidth(p.labels.height);
    const Coord h2 = canvas.TextHeight(p.labels.height);
    const Coord x2 = Trunc((l - m.distanceX) - double(h2 / 2));
    const Coord y2 = Trunc(t + (h - double(w2)) * 0.5);
    p.height = Rect(x2, y2, x2 + h2, y2 + w2);
    return p;
}

TRect CaptionBounds(Canvas& canvas, float scale, const TRect& boardRect, const SheetInputs& in) {
    const CaptionMetrics m = ComputeCaptionMetrics(scale, in);
    const CaptionLabelPlaces p = PlaceCaptionLabels(canvas, scale, boardRect, in, m);
    TRect bounds = p.width;
    const auto add = [&bounds](const TRect& r) {
        bounds = Rect(std::min(bounds.Left, r.Left), std::min(bounds.Top, r.Top),
                      std::max(bounds.Right, r.Right), std::max(bounds.Bottom, r.Bottom));
    };
    add(p.height);
    for (const CaptionStroke& s : CaptionStrokes(scale, boardRect, in, m))
        add(Rect(std::min(s.x0, s.x1), std::min(s.y0, s.y1), std::max(s.x0, s.x1) + 1,
                 std::max(s.y0, s.y1) + 1));
    return bounds;
}

void DrawSizeCaption(Canvas& canvas, float scale, const TRect& boardRect, const SheetInputs& in) {
    const CaptionMetrics m = ComputeCaptionMetrics(scale, in);
    canvas.setPenColor(kBlack);
    for (const CaptionStroke& s : CaptionStrokes(scale, boardRect, in, m)) {
        canvas.MoveTo(s.x0, s.y0);
        canvas.LineTo(s.x1, s.y1);
    }

    // Strict: a checker text that is not a number ends the caption here, with
    // the lines drawn.
    const CaptionLabelPlaces p = PlaceCaptionLabels(canvas, scale, boardRect, in, m);
    canvas.setBrushColor(kWhite);
    if (!IsEmpty(Intersect(p.width, Surface(canvas))))
        canvas.TextOut(p.width.Left, p.width.Top, p.labels.width);
    DrawTurnedLabel(canvas, p.labels.height, p.height.Left, p.height.Top,
                    p.height.Bottom - p.height.Top, p.height.Right - p.height.Left);
}
