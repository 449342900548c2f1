// SPDX-License-Identifier: MIT
#pragma once

#include "render/SheetInputs.h"
#include "render/TRect.h"
#include <QString>
#include <array>

class Canvas;

// Dimension lines with arrowheads and the two labels above and left of the
// top-left checker. Throws ConversionError when a checker text is not a number,
// after the dimension lines have been drawn.
void DrawSizeCaption(Canvas& canvas, float scale, const TRect& boardRect, const SheetInputs& in);

// The caption's lengths in target pixels, each held as a float.
struct CaptionMetrics {
    float distanceX = 0; // gap between the board's left edge and the vertical line
    float distanceY = 0; // gap between the board's top edge and the horizontal line
    float arrowSize = 0; // reach of each arrowhead leg along each axis
};
CaptionMetrics ComputeCaptionMetrics(float scale, const SheetInputs& in);

// One MoveTo/LineTo pair.
struct CaptionStroke {
    Coord x0, y0, x1, y1;
};
inline bool operator==(const CaptionStroke& a, const CaptionStroke& b) {
    return a.x0 == b.x0 && a.y0 == b.y0 && a.x1 == b.x1 && a.y1 == b.y1;
}

// The ten strokes in drawing order: the vertical line, its upper then lower
// arrowhead (left leg first), the horizontal line, its left then right arrowhead.
std::array<CaptionStroke, 10> CaptionStrokes(float scale, const TRect& boardRect,
                                             const SheetInputs& in, const CaptionMetrics& m);

// " 3 cm " / " 2.50 inches ": the checker texts parsed strictly (throws
// ConversionError), both whole or in pixels as integers, otherwise both with
// two decimals; the decimal mark is always a point.
struct CaptionLabels {
    QString width;
    QString height;
};
CaptionLabels BuildCaptionLabels(const QString& widthText, const QString& heightText,
                                 const QString& unitName);

// The labels' font cell height: int(2a), at least 1.
int CaptionFontHeight(float arrowSize);

// The two labels and where they go: the width label's cell, and the cell the
// height label covers once turned (its width and height swapped). Sets the
// canvas font to the labels' height; throws ConversionError as BuildCaptionLabels.
struct CaptionLabelPlaces {
    CaptionLabels labels;
    TRect width;
    TRect height;
};
CaptionLabelPlaces PlaceCaptionLabels(Canvas& canvas, float scale, const TRect& boardRect,
                                      const SheetInputs& in, const CaptionMetrics& m);

// Everything the caption covers, lines and label cells, in target pixels.
TRect CaptionBounds(Canvas& canvas, float scale, const TRect& boardRect, const SheetInputs& in);
