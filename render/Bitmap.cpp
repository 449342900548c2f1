// SPDX-License-Identifier: MIT
#include "render/Bitmap.h"

#include <QString>
#include <algorithm>
#include <new>
#include <stdexcept>

namespace {

constexpr QRgb kOpaque = 0xFF000000u;
constexpr QRgb kColorMask = 0x00FFFFFFu;
constexpr QRgb kOutsideColor = 0x00FFFFFFu;

} // namespace

Bitmap::Bitmap(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (qint64(width) * height > kMaxPixels)
        throw std::runtime_error(QStringLiteral("A drawing surface of %1 x %2 pixels is too large.")
                                     .arg(width)
                                     .arg(height)
                                     .toStdString());
    if (width > 0 && height > 0) {
        m_image = QImage(width, height, QImage::Format_RGB32);
        if (m_image.isNull())
            throw std::bad_alloc();
        m_image.fill(Qt::white);
    }
    m_painter = std::make_unique<QPainter>();
    if (!m_image.isNull()) // an empty image has nothing to paint on
        m_painter->begin(&m_image);
    m_canvas = std::make_unique<Canvas>(*m_painter, m_image, width, height);
}

Bitmap::~Bitmap() = default;

// Direct access while the painter is active is coherent: the raster painter
// draws into the image's own memory at once and keeps nothing of it aside,
// and the image is never shared while painted on (Qt deep-copies an image
// that is copied during painting), so a write never detaches it.
QRgb Bitmap::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return kOutsideColor;
    return reinterpret_cast<const QRgb*>(m_image.constScanLine(y))[x] & kColorMask;
}

void Bitmap::SetPixel(int x, int y, QRgb color) {
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return;
    reinterpret_cast<QRgb*>(m_image.scanLine(y))[x] = kOpaque | (color & kColorMask);
}
