// SPDX-License-Identifier: MIT
#pragma once

#include "render/SheetInputs.h"
#include <QImage>
#include <QSize>

// The preview bitmap is four times as large as the image control shows it in
// the direction that limits the fit.
constexpr float kPreviewOversample = 4.0f;

// min(imgWidth / pageWidth, imgHeight / pageHeight) * 4, each quotient single precision.
float PreviewScale(int imgWidth, int imgHeight, int pageWidth, int pageHeight);

// trunc(page * scale) in each direction (never negative).
QSize PreviewBitmapSize(float scale, int pageWidth, int pageHeight);

// Resizes bitmap to the preview size (reusing its memory when the size is the
// same), clears it white and draws the sheet. Rethrows what DrawBoard throws;
// the bitmap then keeps what was drawn before the error.
void RebuildPreview(QImage& bitmap, int imgWidth, int imgHeight, int pageWidth, int pageHeight,
                    const SheetInputs& in);
