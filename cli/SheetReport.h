// SPDX-License-Identifier: MIT
#pragma once

#include "render/SheetInputs.h"
#include <QStringList>

class QPageLayout;

// What a command-line run tells its user about the sheet it made: the board
// in checkers and inner corners (the pattern size calibration tools ask for),
// the checker in its unit and in printer pixels, and the printable page
// (width x height pixels), with paper when there is one.
QStringList DescribeSheet(const SheetInputs& in, int pageWidth, int pageHeight,
                          const QPageLayout* paper);

// A warning for the board and one for its caption when they reach beyond the
// printable page, saying how much is cut off on which side, and one for
// checkers too small to be drawn; empty when all fits.
QStringList CutOffWarnings(const SheetInputs& in, int pageWidth, int pageHeight);
