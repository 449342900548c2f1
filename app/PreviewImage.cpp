// SPDX-License-Identifier: MIT
#include "app/PreviewImage.h"

#include <QPainter>

namespace {
// The picture shown until the first preview: 4 x 4 black and white squares.
constexpr int kPlaceholderSize = 16;
constexpr int kPlaceholderSquares = 4;

QImage placeholder() {
    QImage image(kPlaceholderSize, kPlaceholderSize, QImage::Format_RGB32);
    const int cell = kPlaceholderSize / kPlaceholderSquares;
    for (int y = 0; y < kPlaceholderSize; ++y)
        for (int x = 0; x < kPlaceholderSize; ++x)
            image.setPixel(x, y, ((x / cell + y / cell) % 2 == 0) ? 0xFF000000u : 0xFFFFFFFFu);
    return image;
}
} // namespace

PreviewImage::PreviewImage(QWidget* parent) : QWidget(parent), m_bitmap(placeholder()) {
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    rescale();
}

QRect PreviewImage::shownRect() const {
    if (m_bitmap.isNull() || m_bitmap.width() <= 0 || m_bitmap.height() <= 0)
        return QRect();
    const QSize fitted = m_bitmap.size().scaled(size(), Qt::KeepAspectRatio);
    return QRect(QPoint(0, 0), fitted);
}

void PreviewImage::rescale() {
    m_shownKey = m_bitmap.cacheKey();
    const QRect target = shownRect();
    if (target.isEmpty()) {
        m_shown = QPixmap();
        return;
    }
    // Resample at device pixels so that a high-density screen stays sharp.
    const qreal ratio = devicePixelRatioF();
    const QSize devicePixels(qMax(1, qRound(target.width() * ratio)),
                             qMax(1, qRound(target.height() * ratio)));
    m_shown = QPixmap::fromImage(
        m_bitmap.scaled(devicePixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    m_shown.setDevicePixelRatio(ratio);
}

void PreviewImage::Refresh() {
    rescale();
    repaint();
}

void PreviewImage::resizeEvent(QResizeEvent*) {
    rescale();
}

void PreviewImage::paintEvent(QPaintEvent*) {
    if (m_bitmap.cacheKey() != m_shownKey) // changed since it was last shown
        rescale();
    if (m_shown.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(QPoint(0, 0), m_shown);
}
