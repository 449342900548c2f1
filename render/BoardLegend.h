// SPDX-License-Identifier: MIT
#pragma once

#include "render/SheetInputs.h"
#include "render/TRect.h"

#include <QString>

class Canvas;

// One line beneath the board that names the target, so that a sheet found
// without its file can still be used: the kind, the counts, the sizes, the
// dictionary and layout, the first ID and "print at 100 %". Drawn for every
// kind but the checkerboard, and for that one only when asked.
bool LegendWanted(const SheetInputs& in);
QString LegendText(const SheetInputs& in);

// Where the legend goes on a surface of width x height target pixels:
// beneath everything the board and its frame cover, from the board's left
// edge (moved left when the line would run off the surface). Sets the
// canvas font to the legend's. Empty when the legend is not wanted or does
// not fit on the surface.
TRect LegendRect(Canvas& canvas, float scale, int width, int height, const SheetInputs& in);

// Where the legend goes whether or not it fits on the surface: what it needs.
// Sets the canvas font as LegendRect does; empty when it is not wanted.
TRect LegendExtent(Canvas& canvas, float scale, int width, int height, const SheetInputs& in);

// Draws the legend where LegendRect places it; nothing when it is empty.
void DrawLegend(Canvas& canvas, float scale, int width, int height, const SheetInputs& in);
