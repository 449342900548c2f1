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

void Print(benchmark::State& state, int columns, int rows, const QString& checkerCm,
           const TargetOptions& target = TargetOptions()) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("sheet.pdf"));
    TfQuadrix window(std::make_unique<PdfFilePrinter>(file));
    if (columns > 0) {
        window.seWidth->setText(QString::number(columns));
        window.seHeight->setText(QString::number(rows));
        window.eCheckerWidth->setText(checkerCm);
        window.eCheckerHeight->setText(checkerCm);
    }
    SheetInputs in = window.sheetInputs();
    in.target = target;
    for (auto _ : state)
        PrintSheet(window.printer(), in);
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

// The same 10 x 14 board of 1.8 cm as checkers and as ChArUco with 6 x 6
// markers: the markers' bits may cost at most as much again.
void BM_PrintSheet_Checkers10x14(benchmark::State& state) {
    Print(state, 10, 14, QStringLiteral("1.8"));
}

void BM_PrintSheet_Charuco10x14(benchmark::State& state) {
    TargetOptions charuco;
    charuco.kind = TargetKind::Charuco;
    charuco.dictionary = QStringLiteral("DICT_6X6_250");
    Print(state, 10, 14, QStringLiteral("1.8"), charuco);
}

// The largest ChArUco board with 6 x 6 markers: DICT_6X6_1000 holds 1000
// markers, enough for 40 x 50 squares (100 x 100 would need 5000).
void BM_PrintSheet_Charuco40x50(benchmark::State& state) {
    TargetOptions charuco;
    charuco.kind = TargetKind::Charuco;
    charuco.dictionary = QStringLiteral("DICT_6X6_1000");
    Print(state, 40, 50, QStringLiteral("0.4"), charuco);
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
BENCHMARK(BM_PrintSheet_Checkers10x14)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_PrintSheet_Charuco10x14)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_PrintSheet_Charuco40x50)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
