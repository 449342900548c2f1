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

// Where the page cuts the board and its frame ("2 cm cut off on the right");
// empty when the board is whole on the page.
QString BoardCutOff(const SheetInputs& in, int pageWidth, int pageHeight);

// A warning for the board and one for its caption when they reach beyond the
// printable page, saying how much is cut off on which side, and one for
// checkers too small to be drawn; empty when all fits.
QStringList CutOffWarnings(const SheetInputs& in, int pageWidth, int pageHeight);
