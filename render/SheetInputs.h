// SPDX-License-Identifier: MIT
#pragma once

#include "model/ScaleCorrection.h"
#include "targets/TargetOptions.h"

#include <QString>

// Everything the sheet renderer reads from the window, gathered at the moment
// of drawing.
struct SheetInputs {
    // Frame
    bool frame = true;         // cbFrame checked
    QString frameDistanceText; // eFrameDistance
    int frameUnit = 0;         // cbUnitsF index (-1: none)
    // Alignment: 0 top/left, 1 center, 2 bottom/right
    int vertical = 1;   // rgVertical
    int horizontal = 1; // rgHorizontal
    // Printer resolution (dots per inch) and the printer's scale correction,
    // which every physical distance drawn takes on
    float dpiX = 0;
    float dpiY = 0;
    ScaleCorrection correction;
    // Board and checker sizes in printer pixels
    float patternWidthPx = 0;
    float patternHeightPx = 0;
    float checkerWidthPx = 0;
    float checkerHeightPx = 0;
    // Counts (udWidth / udHeight positions)
    int columns = 0;
    int rows = 0;
    // Size caption
    bool sizeCaption = true;   // cbSize checked
    QString sizeDistanceText;  // eSizeDistance
    int sizeUnit = 0;          // cbUnitsS index (-1: none)
    QString checkerWidthText;  // eCheckerWidth, parsed strictly for the label
    QString checkerHeightText; // eCheckerHeight
    QString unitName;          // "cm", "inches" or "pixels"
    // What the cells hold (the Target menu)
    TargetOptions target;
};
