// SPDX-License-Identifier: MIT
#include "render/SheetPrinter.h"

#include "model/PrinterDevice.h"
#include "render/BoardRenderer.h"
#include "render/Canvas.h"
#include "render/TilePlan.h"

#include <QImage>
#include <QPainter>
#include <stdexcept>

namespace {

// Runs the whole drawing for the printer's page on an empty surface: every
// step and every error of the real drawing, with no pixel painted.
void Rehearse(const PrinterDevice& printer, const SheetInputs& in) {
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter painter(&scratch);
    Canvas canvas(painter, scratch, 0, 0);
    DrawBoard(canvas, 1.0f, printer.pageWidth(), printer.pageHeight(), in);
}

} // namespace

JobReport PrintSheet(PrinterDevice& printer, const SheetInputs& in) {
    Rehearse(printer, in);
    return PrintPage(printer, [&in](Canvas& canvas, int width, int height) {
        DrawBoard(canvas, 1.0f, width, height, in);
    });
}

JobReport PrintTiles(PrinterDevice& printer, const SheetInputs& in, const TilePlan& plan) {
    return PrintPages(printer, plan.sheets() + 1, [&in, &plan](Canvas& canvas, int page, int, int) {
        if (page == 0)
            DrawTileAssembly(canvas, plan, in);
        else
            DrawTile(canvas, plan, page - 1, in);
    });
}

JobReport PrintPage(PrinterDevice& printer, const PageDrawing& draw) {
    return PrintPages(printer, 1, [&draw](Canvas& canvas, int, int width, int height) {
        draw(canvas, width, height);
    });
}

JobReport PrintPages(PrinterDevice& printer, int count, const PagesDrawing& draw) {
    std::unique_ptr<PrintJob> job = printer.beginJob();
    if (!job)
        throw std::runtime_error("The printer did not start a job.");
    try {
        for (int k = 0; k < count; ++k) {
            if (k > 0)
                job->newPage();
            Canvas canvas(job->painter(), job->device(), job->pageWidth(), job->pageHeight());
            draw(canvas, k, job->pageWidth(), job->pageHeight());
        }
    } catch (...) {
        // Nothing half drawn goes to the printer.
        job->abort();
        throw;
    }
    job->finish();
    return job->report();
}
