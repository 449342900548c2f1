// SPDX-License-Identifier: MIT
#pragma once

#include "render/TRect.h"
#include <QFont>
#include <QRgb>
#include <QString>
#include <vector>

class QPainter;
class QPaintDevice;
class Bitmap;

// A drawing surface with exact pixel coverage, built on QPainter::fillRect so
// that a QImage, a printer and a PDF get the same geometry:
// - FillRect paints [Left, Right) x [Top, Bottom);
// - FrameRect paints columns Left and Right - 1 and rows Top and Bottom - 1;
// - LineTo paints from the current position up to, not including, the end.
// No antialiasing. Coordinates are clipped to the surface (0, 0, width, height)
// before anything reaches Qt, so huge or negative values cost nothing.
class Canvas {
public:
    // painter must be active on device; width and height are the drawable area.
    Canvas(QPainter& painter, QPaintDevice& device, int width, int height);

    int width() const { return m_width; }
    int height() const { return m_height; }

    void setBrushColor(QRgb color) { m_brush = color; }
    QRgb brushColor() const { return m_brush; }
    void setPenColor(QRgb color) { m_pen = color; }

    void FillRect(const TRect& r);
    void FrameRect(const TRect& r);
    // Many rectangles in the brush colour at once, each as FillRect paints it:
    // one call to the device for all, far cheaper on printers and PDF.
    void FillRects(const std::vector<TRect>& rects);
    // Rectangles in the brush colour as one shape, filled even-odd: a
    // rectangle inside another is a hole in it, and rectangles that touch
    // join. A renderer that antialiases (a viewer, at any resolution) leaves
    // no seam inside the shape. A pixel is covered when its centre is in the
    // filled part, as FillRect covers it.
    void FillShape(const std::vector<TRect>& rects);
    // A filled ellipse in the brush colour, centred on (cx, cy) with radii rx
    // and ry in device pixels, not antialiased. Printers, PDF and SVG get a
    // true curve; an image gets the pixels whose centres lie inside.
    void FillEllipse(double cx, double cy, double rx, double ry);
    void MoveTo(Coord x, Coord y);
    void LineTo(Coord x, Coord y);

    // Text with the top-left of its cell at (x, y), on an opaque cell of the
    // brush colour, in black.
    void TextOut(Coord x, Coord y, const QString& text);
    // Advance width and cell height of text in the current font, in device pixels.
    int TextWidth(const QString& text) const;
    int TextHeight(const QString& text) const;

    // Font height as a cell height in device pixels (ascent + descent),
    // measured on this canvas's device. Held within 1..kMaxFontHeight.
    void SetFontHeight(int cellHeight);
    // Tallest font cell set: far beyond any label on a page, and well below
    // the sizes where Qt's fixed-point font metrics overflow.
    static constexpr int kMaxFontHeight = 16384;
    int FontHeight() const { return m_fontHeight; }
    // Copies all font attributes (face, height) from another canvas.
    void AssignFont(const Canvas& other);
    const QFont& font() const { return m_font; }

    // Copies the rectangle src of source's pixels one to one onto dest.
    void CopyRect(const TRect& dest, const Bitmap& source, const TRect& src);

    QPainter& painter() { return m_painter; }
    QPaintDevice& device() { return m_device; }

private:
    // The rectangles clipped to the surface, those left empty dropped.
    std::vector<QRect> visibleRects(const std::vector<TRect>& rects) const;
    // Paints the clipped rectangle [l, r) x [t, b) in colour.
    void fill(Coord l, Coord t, Coord r, Coord b, QRgb color);
    // The device fonts are measured on (none for an empty image).
    const QPaintDevice* metricsDevice() const;

    QPainter& m_painter;
    QPaintDevice& m_device;
    int m_width;
    int m_height;
    QRgb m_brush = 0xFFFFFFFFu;
    QRgb m_pen = 0xFF000000u;
    Coord m_penX = 0;
    Coord m_penY = 0;
    QFont m_font;
    int m_fontHeight = 0;
};
