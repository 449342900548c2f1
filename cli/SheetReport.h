// SPDX-License-Identifier: MIT
#pragma once

#include "render/SheetInputs.h"
#include <QStringList>

class QPageLayout;

// What a command-line run tells its user about the sheet it made: the board
// by its cells, the pattern size as each calibration tool counts it,
// the checker in its unit and in printer pixels, and the printable page
// (width x height pixels), with paper when there is one.
QStringList DescribeSheet(const SheetInputs& in, int pageWidth, int pageHeight,
                          const QPageLayout* paper);

// Where the page cuts the board's cells or frame ("the drawing runs 4.5 mm
// across beyond it"); empty when they are whole on the page.
QString BoardCutOff(const SheetInputs& in, int pageWidth, int pageHeight);

// A warning for checkers too small to be drawn, and one for marks too fine
// to be read; empty when there is none. A sheet the page cuts is refused
// before it is made (render/BoardFit.h). With legend, a note when the page
// leaves the legend out (a tiled board has none).
QStringList SheetWarnings(const SheetInputs& in, int pageWidth, int pageHeight, bool legend = true);
