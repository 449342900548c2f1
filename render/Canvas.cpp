// SPDX-License-Identifier: MIT
#include "render/Canvas.h"

#include "render/Bitmap.h"

#include <QColor>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace {

// Every coordinate is held within +/- this before any arithmetic, so that
// differences, and the line stepping's products in 128 bits, cannot overflow.
// Far beyond any surface; a line with an end point further out keeps the
// direction of its clamped end points.
constexpr Coord kCoordClamp = Coord(1) << 60;

// The face's cell height per em is measured once per SetFontHeight at this
// pixel size, large enough for the metrics' rounding not to matter.
constexpr int kReferencePixelSize = 2048;
// How far SetFontHeight walks from its estimate to hit the cell height exactly.
constexpr int kFontSearchSteps = 4;

constexpr QRgb kTextColor = 0xFF000000u;
constexpr QRgb kBlackRgb = 0xFF000000u;
constexpr QRgb kWhiteRgb = 0xFFFFFFFFu;

using Wide = __int128;

Coord clampCoord(Coord v) {
    return std::clamp(v, -kCoordClamp, kCoordClamp);
}

// floor(a / b) and ceil(a / b) for b > 0.
Wide floorDiv(Wide a, Wide b) {
    Wide q = a / b;
    if (a % b != 0 && a < 0)
        --q;
    return q;
}
Wide ceilDiv(Wide a, Wide b) {
    Wide q = a / b;
    if (a % b != 0 && a > 0)
        ++q;
    return q;
}

// The steps t of a line along one axis that land in [0, size): the axis
// starts at origin and moves by step (+1 or -1) per unit of t.
void visibleSteps(Wide origin, int step, Wide size, Wide& lo, Wide& hi) {
    if (step > 0) {
        lo = -origin;
        hi = size - 1 - origin;
    } else {
        lo = origin - size + 1;
        hi = origin;
    }
}

void applyRenderHints(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
}

} // namespace

Canvas::Canvas(QPainter& painter, QPaintDevice& device, int width, int height)
    : m_painter(painter), m_device(device), m_width(std::max(width, 0)),
      m_height(std::max(height, 0)) {
    if (m_painter.isActive())
        applyRenderHints(m_painter);
    // The platform's default face; glyphs in plain black and white.
    m_font = QFont();
    m_font.setStyleStrategy(QFont::NoAntialias);
    if (qGuiApp)
        m_fontHeight = QFontMetrics(m_font, metricsDevice()).height();
}

const QPaintDevice* Canvas::metricsDevice() const {
    // An empty image reports no resolution; measure as on the screen then.
    return m_device.logicalDpiY() > 0 ? &m_device : nullptr;
}

void Canvas::fill(Coord l, Coord t, Coord r, Coord b, QRgb color) {
    l = std::max<Coord>(l, 0);
    t = std::max<Coord>(t, 0);
    r = std::min<Coord>(r, m_width);
    b = std::min<Coord>(b, m_height);
    if (l >= r || t >= b)
        return;
    m_painter.fillRect(QRect(int(l), int(t), int(r - l), int(b - t)), QColor(color));
}

void Canvas::FillRect(const TRect& r) {
    fill(clampCoord(r.Left), clampCoord(r.Top), clampCoord(r.Right), clampCoord(r.Bottom), m_brush);
}

void Canvas::FrameRect(const TRect& rect) {
    const Coord l = clampCoord(rect.Left);
    const Coord t = clampCoord(rect.Top);
    const Coord r = clampCoord(rect.Right);
    const Coord b = clampCoord(rect.Bottom);
    if (r <= l || b <= t)
        return;
    fill(l, t, l + 1, b, m_brush);
    fill(r - 1, t, r, b, m_brush);
    fill(l, t, r, t + 1, m_brush);
    fill(l, b - 1, r, b, m_brush);
}

std::vector<QRect> Canvas::visibleRects(const std::vector<TRect>& rects) const {
    std::vector<QRect> visible;
    visible.reserve(rects.size());
    for (const TRect& r : rects) {
        const Coord l = std::max<Coord>(clampCoord(r.Left), 0);
        const Coord t = std::max<Coord>(clampCoord(r.Top), 0);
        const Coord rr = std::min<Coord>(clampCoord(r.Right), m_width);
        const Coord b = std::min<Coord>(clampCoord(r.Bottom), m_height);
        if (l < rr && t < b)
            visible.emplace_back(int(l), int(t), int(rr - l), int(b - t));
    }
    return visible;
}

void Canvas::FillRects(const std::vector<TRect>& rects) {
    const std::vector<QRect> visible = visibleRects(rects);
    if (visible.empty())
        return;
    // Without a pen a rectangle covers exactly its own pixels.
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(QColor(m_brush));
    m_painter.drawRects(visible.data(), int(visible.size()));
}

// One path: rasterisers that antialias find the coverage of the whole shape,
// where separate rectangles would each leave a partly covered pixel along an
// edge they share. Holes cut out of it, rather than white painted over it,
// keep the shape the same on a printer that paints every pixel a shape
// touches.
void Canvas::FillShape(const std::vector<TRect>& rects) {
    QPainterPath path; // even-odd
    for (const QRect& r : visibleRects(rects))
        path.addRect(r);
    if (!path.isEmpty())
        m_painter.fillPath(path, QColor(m_brush));
}

void Canvas::FillEllipse(double cx, double cy, double rx, double ry) {
    if (!(rx > 0) || !(ry > 0) || !std::isfinite(cx) || !std::isfinite(cy))
        return;
    // Whole ellipses off the surface never reach Qt.
    if (cx + rx <= 0 || cy + ry <= 0 || cx - rx >= m_width || cy - ry >= m_height)
        return;
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(QColor(m_brush));
    m_painter.drawEllipse(QPointF(cx, cy), rx, ry);
}

void Canvas::MoveTo(Coord x, Coord y) {
    m_penX = clampCoord(x);
    m_penY = clampCoord(y);
}

// Steps one pixel at a time along the longer axis; the other axis follows the
// exact line rounded half up. Horizontal, vertical and 45-degree lines are
// exact. Only the steps that land on the surface are visited: their range is
// solved for directly, and each run of pixels on one row (or column) is one
// fill, so a line of any length costs what its visible part costs.
void Canvas::LineTo(Coord x, Coord y) {
    x = clampCoord(x);
    y = clampCoord(y);
    const Coord x0 = m_penX;
    const Coord y0 = m_penY;
    m_penX = x;
    m_penY = y;

    const Wide dx = Wide(x) - x0;
    const Wide dy = Wide(y) - y0;
    const Wide adx = dx < 0 ? -dx : dx;
    const Wide ady = dy < 0 ? -dy : dy;
    const bool xMajor = adx >= ady;
    // Major axis a, minor axis b: a(t) = a0 + sa * t, b(t) = b0 + sb * q(t),
    // q(t) = floor(t * m / n + 1/2), for t in [0, n) (the end point is not painted).
    const Wide n = xMajor ? adx : ady;
    const Wide m = xMajor ? ady : adx;
    if (n == 0)
        return;
    const Wide a0 = xMajor ? x0 : y0;
    const Wide b0 = xMajor ? y0 : x0;
    const int sa = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const int sb = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const Wide aSize = xMajor ? m_width : m_height;
    const Wide bSize = xMajor ? m_height : m_width;

    Wide tLo = 0;
    Wide tHi = n - 1;
    Wide lo, hi;
    visibleSteps(a0, sa, aSize, lo, hi);
    tLo = std::max(tLo, lo);
    tHi = std::min(tHi, hi);
    Wide qLo, qHi;
    visibleSteps(b0, sb, bSize, qLo, qHi);
    if (m == 0) {
        if (qLo > 0 || qHi < 0)
            return;
    } else {
        // q(t) >= qLo  <=>  2tm >= (2 qLo - 1) n;  q(t) <= qHi  <=>  2tm < (2 qHi + 1) n.
        tLo = std::max(tLo, ceilDiv((2 * qLo - 1) * n, 2 * m));
        tHi = std::min(tHi, ceilDiv((2 * qHi + 1) * n, 2 * m) - 1);
    }

    for (Wide t = tLo; t <= tHi;) {
        const Wide q = m == 0 ? 0 : floorDiv(2 * t * m + n, 2 * n);
        // The last step still on minor position q.
        const Wide runEnd = m == 0 ? tHi : std::min(tHi, ceilDiv((2 * q + 1) * n, 2 * m) - 1);
        const Wide aFrom = a0 + sa * t;
        const Wide aTo = a0 + sa * runEnd;
        const Coord first = Coord(std::min(aFrom, aTo));
        const Coord last = Coord(std::max(aFrom, aTo));
        const Coord b = Coord(b0 + sb * q);
        if (xMajor)
            fill(first, b, last + 1, b + 1, m_pen);
        else
            fill(b, first, b + 1, last + 1, m_pen);
        t = runEnd + 1;
    }
}

void Canvas::TextOut(Coord x, Coord y, const QString& text) {
    x = clampCoord(x);
    y = clampCoord(y);
    const QFontMetrics metrics(m_font, metricsDevice());
    const Coord w = metrics.horizontalAdvance(text);
    const Coord h = metrics.height();
    fill(x, y, x + w, y + h, m_brush);
    // The glyphs stay within the cell's rows and near its columns: skip them
    // when the cell is off the surface.
    if (x >= m_width || y >= m_height || x + w <= 0 || y + h <= 0 || text.isEmpty())
        return;
    m_painter.save();
    m_painter.setClipRect(QRect(0, 0, m_width, m_height));
    applyRenderHints(m_painter);
    m_painter.setFont(m_font);
    m_painter.setPen(QColor(kTextColor));
    m_painter.drawText(QPoint(int(x), int(y + metrics.ascent())), text);
    m_painter.restore();
}

int Canvas::TextWidth(const QString& text) const {
    return QFontMetrics(m_font, metricsDevice()).horizontalAdvance(text);
}

int Canvas::TextHeight(const QString&) const {
    return QFontMetrics(m_font, metricsDevice()).height();
}

// Qt sizes a font by its em; the cell is ascent + descent, a fixed multiple of
// the em for a given face. The estimate from that ratio is then checked on the
// device and moved until the cell height matches (or is the tallest below it).
// The height is held within 1..kMaxFontHeight: beyond a few ten thousand
// pixels Qt's 26.6 fixed-point metrics overflow (ascents turn negative), and
// no label that tall fits on any page (16384 pixels are 35 cm at 1200 dpi).
void Canvas::SetFontHeight(int cellHeight) {
    const int target = std::clamp(cellHeight, 1, kMaxFontHeight);
    m_fontHeight = target;
    QFont font = m_font;
    const QPaintDevice* device = metricsDevice();
    font.setPixelSize(kReferencePixelSize);
    const QFontMetricsF reference(font, device);
    double cellPerPixel = (reference.ascent() + reference.descent()) / kReferencePixelSize;
    if (!(cellPerPixel > 0))
        cellPerPixel = 1;
    const auto cellAt = [&](int pixelSize) {
        font.setPixelSize(pixelSize);
        return QFontMetrics(font, device).height();
    };
    int pixelSize = std::max(1, int(target / cellPerPixel + 0.5));
    int cell = cellAt(pixelSize);
    for (int i = 0; i < kFontSearchSteps && cell < target; ++i) {
        const int next = cellAt(pixelSize + 1);
        if (next > target)
            break;
        ++pixelSize;
        cell = next;
    }
    for (int i = 0; i < kFontSearchSteps && cell > target && pixelSize > 1; ++i)
        cell = cellAt(--pixelSize);
    font.setPixelSize(pixelSize);
    m_font = font;
}

void Canvas::AssignFont(const Canvas& other) {
    m_font = other.m_font;
    m_fontHeight = other.m_fontHeight;
}

// One to one: the copied block is the common part of the two rectangles'
// sizes, taken from their top-left corners, and is clipped to both the source
// bitmap and this surface.
void Canvas::CopyRect(const TRect& dest, const Bitmap& source, const TRect& src) {
    Coord dl = clampCoord(dest.Left);
    Coord dt = clampCoord(dest.Top);
    Coord sl = clampCoord(src.Left);
    Coord st = clampCoord(src.Top);
    Coord w = std::min(clampCoord(dest.Right) - dl, clampCoord(src.Right) - sl);
    Coord h = std::min(clampCoord(dest.Bottom) - dt, clampCoord(src.Bottom) - st);
    // Shift both corners by the amount cut off at the start of either rectangle.
    const auto cut = [](Coord& a, Coord& b, Coord& size, Coord start, Coord end) {
        if (a < start) {
            const Coord skip = start - a;
            a += skip;
            b += skip;
            size -= skip;
        }
        size = std::min(size, end - a);
    };
    cut(sl, dl, w, 0, source.width());
    cut(st, dt, h, 0, source.height());
    cut(dl, sl, w, 0, m_width);
    cut(dt, st, h, 0, m_height);
    if (w <= 0 || h <= 0)
        return;
    const QRect from{int(sl), int(st), int(w), int(h)};
    const QPoint to{int(dl), int(dt)};
    if (m_painter.paintEngine() && m_painter.paintEngine()->type() != QPaintEngine::Raster) {
        // A printer or PDF stores images compressed, lossily for colour ones;
        // the pixels are only black and white, so one bit each keeps them exact.
        // Qt's PDF writer keeps a one-bit image as one bit only when its
        // colour table is black, then white; else it stores it as a JPEG.
        QImage bits =
            source.image().copy(from).convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
        if (bits.color(0) != kBlackRgb) {
            bits.invertPixels();
            bits.setColorTable({kBlackRgb, kWhiteRgb});
        }
        m_painter.drawImage(to, bits);
    } else if (static_cast<const QPaintDevice*>(&source.image()) == &m_device) {
        m_painter.drawImage(to, source.image().copy(from)); // within itself: take the block out
    } else {
        m_painter.drawImage(to, source.image(), from);
    }
}
