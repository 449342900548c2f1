// SPDX-License-Identifier: MIT
#pragma once

#include "render/SheetInputs.h"
#include "render/TRect.h"

#include <QPageLayout>
#include <QString>

// Whether the sheet lies whole on the printable page: the cells with the
// frame and the size caption. A board the page cuts is never made without the
// user being told; the window, the command line and the board card all ask
// here. The legend is not part of what a tool reads: one the page cannot hold
// is left out, and legendCut says so.
struct BoardFit {
    bool fits = true;
    // How far the drawing runs off the page, both sides of an axis together.
    double overAcrossMm = 0;
    double overDownMm = 0;
    // Which parts the page cuts.
    bool boardCut = false; // the cells or the frame
    bool captionCut = false;
    bool legendCut = false;
    // The board, frame and caption, in printer pixels of the page; it reaches
    // beyond the page where the page cuts it.
    TRect drawn;
};

// The sheet on a printable page of pageWidth x pageHeight printer pixels.
// Throws ConversionError as the size caption does for a checker text that is
// no number.
BoardFit FitBoard(const SheetInputs& in, int pageWidth, int pageHeight);

// What would hold a sheet the page cuts, each tried with FitBoard: the same
// paper turned, a larger common paper with the same margins, and the largest
// checker for this page (the other lengths kept, the distances that follow
// the checker following it).
struct FitAdvice {
    QString turned;           // "landscape" or "portrait": this paper turned holds it
    QString paper;            // a paper that holds it, "" when none
    QString paperOrientation; // and how that paper stands
    double checkerWidth = 0;  // the largest checker, in the sheet's unit; 0: none
    double checkerHeight = 0;
};
FitAdvice AdviseFit(const SheetInputs& in, const QPageLayout& page);

// The sheet with its checker `factor` times as large, as the window makes it
// when that checker is typed: pixels, board and default distances follow.
SheetInputs ScaledChecker(const SheetInputs& in, double factor);

// One sentence or two for the user: what the page cuts, by how much, and what
// would fit. Empty when the sheet fits.
QString FitMessage(const BoardFit& fit, const FitAdvice& advice, const SheetInputs& in);
