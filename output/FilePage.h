// SPDX-License-Identifier: MIT
#pragma once

#include "model/PrinterDevice.h"
#include <QPageLayout>
#include <QRect>

// The page of a file: the paper with its printable area, and the resolution
// the sheet is drawn at, as a printer has them. The drawing fills the
// printable area; the paper is the file's page.
struct FilePage {
    QPageLayout layout;
    int dpi = 0;

    // The printable area in pixels at dpi: its size is the renderer's width and
    // height, its corner the drawing's offset on the paper (whole pixels, as a
    // printer places it).
    QRect printableRect() const { return layout.paintRectPixels(dpi); }
};

// What Print would put on paper on this printer.
inline FilePage PrinterFilePage(const PrinterDevice& printer) {
    return {printer.pageLayout(), printer.dpiX()};
}
