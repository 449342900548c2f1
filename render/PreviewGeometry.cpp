// SPDX-License-Identifier: MIT
#include "render/PreviewGeometry.h"

#include "model/Numeric.h"
#include "render/BoardRenderer.h"
#include "render/Canvas.h"

#include <QPainter>
#include <algorithm>
#include <climits>
#include <cmath>
#include <new>

namespace {

constexpr QRgb kWhite = 0xFFFFFFFFu;

int ToSize(Coord value) {
    return int(std::clamp<Coord>(value, 0, INT_MAX));
}

} // namespace

float PreviewScale(int imgWidth, int imgHeight, int pageWidth, int pageHeight) {
    // No page (or no control) to fit: scale 0 gives an empty bitmap.
    if (imgWidth <= 0 || imgHeight <= 0 || pageWidth <= 0 || pageHeight <= 0)
        return 0.0f;
    const float sx = ToSingle(double(imgWidth) / pageWidth);
    const float sy = ToSingle(double(imgHeight) / pageHeight);
    return ToSingle(double(sx < sy ? sx : sy) * kPreviewOversample);
}

QSize PreviewBitmapSize(float scale, int pageWidth, int pageHeight) {
    if (!std::isfinite(scale) || scale <= 0 || pageWidth <= 0 || pageHeight <= 0)
        return QSize(0, 0);
    return QSize(ToSize(Trunc(double(pageWidth) * scale)),
                 ToSize(Trunc(double(pageHeight) * scale)));
}

void RebuildPreview(QImage& bitmap, int imgWidth, int imgHeight, int pageWidth, int pageHeight,
                    const SheetInputs& in) {
    const float scale = PreviewScale(imgWidth, imgHeight, pageWidth, pageHeight);
    QSize size = PreviewBitmapSize(scale, pageWidth, pageHeight);
    // Never larger than the control shows at the oversampling factor, whatever
    // the rounding of the scale.
    const auto limit = [](int control) {
        return ToSize(Trunc(double(std::max(control, 0)) * kPreviewOversample));
    };
    size = size.boundedTo(QSize(limit(imgWidth), limit(imgHeight)));
    if (size.isEmpty())
        size = QSize(0, 0);

    if (bitmap.size() != size || bitmap.format() != QImage::Format_RGB32)
        bitmap = size.isEmpty() ? QImage() : QImage(size, QImage::Format_RGB32);
    if (!size.isEmpty() && bitmap.isNull())
        throw std::bad_alloc();

    // An empty bitmap is still drawn on (an empty surface clips everything), so
    // that a drawing error shows whatever the page size.
    QImage placeholder;
    QImage* device = &bitmap;
    if (bitmap.isNull()) {
        placeholder = QImage(1, 1, QImage::Format_RGB32);
        device = &placeholder;
    }
    QPainter painter(device);
    Canvas canvas(painter, *device, bitmap.width(), bitmap.height());
    canvas.setBrushColor(kWhite);
    canvas.FillRect(Rect(0, 0, bitmap.width(), bitmap.height()));
    DrawBoard(canvas, scale, bitmap.width(), bitmap.height(), in);
}
