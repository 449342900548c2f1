// SPDX-License-Identifier: MIT
#pragma once

#include "cli/CommandLineOptions.h"
#include "render/SheetInputs.h"

#include <QPageLayout>

// The renderer's inputs for the board options on a printer of the given
// resolution and printable page (pixels), by the window's own arithmetic: the
// window's start values, then the options as a user would set them there.
// Counts alone keep the start checker (3 cm). A board size gives the checker:
// board / count each way, and for kinds whose cells are square the largest
// square that fits it, the board then following the cells.
// The printer's scale correction enters the checker's pixels and the distances.
SheetInputs SheetFromOptions(const BoardOptions& options, float dpiX, float dpiY, int pageWidth,
                             int pageHeight, const ScaleCorrection& correction);

// The option that sets the checkers' size: --board, --checker, or the counts.
QString SizeOptionName(const BoardOptions& options);

// Why the sheet cannot be drawn, naming the option that asks for it: a length
// of more printer pixels than the page's coordinates hold (a board of 1e39 cm)
// would be drawn clipped to them, or not at all. Empty when it can be drawn.
QString UndrawableSize(const BoardOptions& options, const SheetInputs& in);

// Why a paper cannot be drawn at dpi, naming --paper: its pixels would not fit
// the page's integer rectangle (a paper of kilometres). Empty when it can.
QString UndrawablePage(const QPageLayout& paper, int dpi);
