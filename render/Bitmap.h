// SPDX-License-Identifier: MIT
#pragma once

#include "render/Canvas.h"
#include <QImage>
#include <QPainter>
#include <memory>

// An off-screen surface of a given size (white when created) with its canvas.
// Direct pixel access and drawing on the canvas may be mixed freely.
class Bitmap {
public:
    Bitmap(int width, int height);
    ~Bitmap();
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }
    Canvas& canvas() { return *m_canvas; }

    // One pixel's colour (0xRRGGBB); outside the bitmap reads white and
    // writes nothing.
    QRgb Pixel(int x, int y) const;
    void SetPixel(int x, int y, QRgb color);
    // Row y's pixels (0xFFRRGGBB), for writing many at once; y lies on the bitmap.
    QRgb* ScanLine(int y) { return reinterpret_cast<QRgb*>(m_image.scanLine(y)); }

    // The pixels, with every drawing so far in them.
    const QImage& image() const { return m_image; }

    // Largest bitmap made, in pixels; a larger one throws std::runtime_error.
    static constexpr qint64 kMaxPixels = qint64(1) << 26;

private:
    QImage m_image;
    std::unique_ptr<QPainter> m_painter;
    std::unique_ptr<Canvas> m_canvas;
};
