// SPDX-License-Identifier: MIT
#pragma once

#include "render/SheetInputs.h"

#include <functional>

#include "model/PrinterDevice.h"

class Canvas;
struct TilePlan;

// Prints the sheet as one page at scale 1.0. The sheet is first drawn on a
// scratch surface so that an error in the drawing (a checker text that is not
// a number) is raised before any job is opened; an error while drawing the
// real page abandons the job. Throws the error for the caller to show; returns
// what the user is told of the job.
JobReport PrintSheet(PrinterDevice& printer, const SheetInputs& in);

// Prints one page drawn by draw(canvas, page width, page height) at scale 1:
// the job is abandoned when the drawing throws, and the error passed on.
// Returns what the user is told of the job.
using PageDrawing = std::function<void(Canvas&, int, int)>;
JobReport PrintPage(PrinterDevice& printer, const PageDrawing& draw);

// Prints count pages as one job, page k drawn by draw(canvas, k, page width,
// page height) at scale 1, one page at a time: the whole job is abandoned
// when a drawing throws, and the error passed on.
// Prints a tiled board as one job: the assembly page, then every sheet.
JobReport PrintTiles(PrinterDevice& printer, const SheetInputs& in, const TilePlan& plan);

using PagesDrawing = std::function<void(Canvas&, int, int, int)>;
JobReport PrintPages(PrinterDevice& printer, int count, const PagesDrawing& draw);
