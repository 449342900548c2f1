// SPDX-License-Identifier: MIT
#pragma once

#include "cli/CommandLineOptions.h"
#include "render/SheetInputs.h"

// The renderer's inputs for the board options on a printer of the given
// resolution and printable page (pixels), by the window's own arithmetic: the
// window's start values, then the options as a user would set them there.
// Counts alone keep the start checker (3 cm). A board size gives the checker:
// board / count each way, and for kinds whose cells are square the largest
// square that fits it, the board then following the cells.
// The printer's scale correction enters the checker's pixels and the distances.
SheetInputs SheetFromOptions(const BoardOptions& options, float dpiX, float dpiY, int pageWidth,
                             int pageHeight, const ScaleCorrection& correction);
