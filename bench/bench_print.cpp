// SPDX-License-Identifier: MIT
// One print of the sheet (the default design and 100 x 100 checkers) through
// the program's print job into a PDF at 1200 dpi on A4. Reports the time and
// the size of the job's PDF: the page must be vector rectangles, not a
// page-sized raster (that would weigh megabytes).

#include "PdfFilePrinter.h"
#include "app/Main.h"
#include "render/SheetPrinter.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

void Print(benchmark::State& state, int columns, int rows, const QString& checkerCm) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("sheet.pdf"));
    TfQuadrix window(std::make_unique<PdfFilePrinter>(file));
    if (columns > 0) {
        window.seWidth->setText(QString::number(columns));
        window.seHeight->setText(QString::number(rows));
        window.eCheckerWidth->setText(checkerCm);
        window.eCheckerHeight->setText(checkerCm);
    }
    const SheetInputs in = window.sheetInputs();
    for (auto _ : state)
        PrintSheet(window.printer(), nullptr, in);
    state.counters["pdf_bytes"] = double(QFileInfo(file).size());
    state.counters["page_w"] = window.printer().pageWidth();
    state.counters["page_h"] = window.printer().pageHeight();
}

void BM_PrintSheet_Default(benchmark::State& state) {
    Print(state, 0, 0, QString());
}

void BM_PrintSheet_100x100(benchmark::State& state) {
    Print(state, 100, 100, QStringLiteral("0.2"));
}

} // namespace

BENCHMARK(BM_PrintSheet_Default)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_PrintSheet_100x100)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
