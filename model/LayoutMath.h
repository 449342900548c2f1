// SPDX-License-Identifier: MIT
#pragma once

#include "model/ScaleCorrection.h"

#include <QString>

// The arithmetic behind the form's size handlers, free of any window.

// A size edit read by the linked-dimension handlers: the text's value, or 10
// when it is not a number, stored as a float.
float ReadSize(const QString& text);

// count * size and size / count, formed in double and stored as float.
float TimesCount(int count, float size);
float PerCount(float size, int count);

// The side that sets square cells: the one the user changed, or (Fit) the
// largest square cell that fits the board.
enum class CellLead { Width, Height, Fit };

// One board's linked sizes in one unit: a cell and the whole board.
struct LinkedSizes {
    float cellWidth = 0;
    float cellHeight = 0;
    float boardWidth = 0;
    float boardHeight = 0;
};

// The board from its cell, count x cell each way. Square cells take the
// leading side for both (Fit: the width).
LinkedSizes BoardFromCell(float width, float height, int across, int down, bool square,
                          CellLead lead);
// The cell from its board, board / count each way. Square cells take the
// leading side's (Fit: the smaller of the two, the largest square that fits),
// and the board follows them.
LinkedSizes CellFromBoard(float width, float height, int across, int down, bool square,
                          CellLead lead);

// The default frame and size-caption distances written after every change:
// a fifth and a tenth of the mean checker side, formatted at double precision.
struct DefaultDistances {
    QString frame;
    QString size;
};
DefaultDistances ComputeDefaultDistances(float checkerWidth, float checkerHeight);

// The checker size converted to printer pixels, with the page-size figures.
struct CheckerConversion {
    bool converted = false; // false: no unit selected, nothing changes
    float checkerWidthPx = 0;
    float checkerHeightPx = 0;
    QString pageWidth;  // empty when not converted
    QString pageHeight; // empty when not converted
    QString unitName;
};
// widthText/heightText are read with the default 0. The printer's scale
// correction enters the checker's pixels, not the page figures, which stay
// what the printer reports.
CheckerConversion ConvertChecker(int unitIndex, const QString& widthText, const QString& heightText,
                                 float dpiX, float dpiY, int pageWidth, int pageHeight,
                                 const ScaleCorrection& correction = {});

// "Page size: WxH unit" and "Resolution: XxY DPI".
QString PageSizePanelText(const QString& pageWidth, const QString& pageHeight,
                          const QString& unitName);
QString ResolutionPanelText(float dpiX, float dpiY);
