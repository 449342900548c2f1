// SPDX-License-Identifier: MIT
// One preview rebuild (clear the bitmap, draw the sheet) on a 600 dpi printer
// with a 4800 x 6600 page: a 1029 x 1416 bitmap, size caption on; and one
// keystroke through the whole window.

#include "app/Main.h"
#include "app/TileDialog.h"
#include "render/BoardFit.h"
#include "render/PreviewGeometry.h"
#include "support/FakePrinterDevice.h"

#include <QLineEdit>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int kDpi = 600;
constexpr int kPageWidth = 4800;
constexpr int kPageHeight = 6600;
// The image control's size, which the preview bitmap is scaled to.
constexpr int kImgWidth = 303;
constexpr int kImgHeight = 354;

// The renderer's inputs as the window gives them after the user has entered
// the design (the window's own start values when columns is 0).
SheetInputs Design(int columns, int rows, const QString& checkerCm) {
    TfQuadrix window(std::make_unique<FakePrinterDevice>(QStringLiteral("Bench printer"), kDpi,
                                                         kDpi, kPageWidth, kPageHeight));
    if (columns > 0) {
        window.seWidth->setText(QString::number(columns));
        window.seHeight->setText(QString::number(rows));
        window.eCheckerWidth->setText(checkerCm);
        window.eCheckerHeight->setText(checkerCm);
    }
    return window.sheetInputs();
}

void Rebuild(benchmark::State& state, const SheetInputs& in) {
    QImage bitmap;
    for (auto _ : state) {
        RebuildPreview(bitmap, kImgWidth, kImgHeight, kPageWidth, kPageHeight, in);
        benchmark::DoNotOptimize(bitmap.constBits());
    }
    state.counters["bitmap_w"] = bitmap.width();
    state.counters["bitmap_h"] = bitmap.height();
    state.counters["checkers"] = double(in.columns) * in.rows;
}

void BM_RebuildPreview_Default(benchmark::State& state) {
    Rebuild(state, Design(0, 0, QString()));
}

// 100 x 100 checkers of 2 mm: the whole board on the page, 5000 black cells.
void BM_RebuildPreview_100x100(benchmark::State& state) {
    Rebuild(state, Design(100, 100, QStringLiteral("0.2")));
}

// 10 x 14 ChArUco squares of 1.8 cm with 6 x 6 markers: 70 markers of 64 bits.
void BM_RebuildPreview_Charuco10x14(benchmark::State& state) {
    SheetInputs in = Design(10, 14, QStringLiteral("1.8"));
    in.target.kind = TargetKind::Charuco;
    in.target.dictionary = QStringLiteral("DICT_6X6_250");
    Rebuild(state, in);
}

// The fit check each preview rebuild also runs: what the page cuts, the
// caption's and the legend's text measured.
void BM_FitBoard_Charuco10x14(benchmark::State& state) {
    SheetInputs in = Design(10, 14, QStringLiteral("1.8"));
    in.target.kind = TargetKind::Charuco;
    in.target.dictionary = QStringLiteral("DICT_6X6_250");
    for (auto _ : state)
        benchmark::DoNotOptimize(FitBoard(in, kPageWidth, kPageHeight));
}

// What one keystroke in the checker width costs the user: the linked sizes,
// the conversion, the preview rebuild and its smooth reduction for display.
void BM_Keystroke(benchmark::State& state) {
    TfQuadrix window(std::make_unique<FakePrinterDevice>(QStringLiteral("Bench printer"), kDpi,
                                                         kDpi, kPageWidth, kPageHeight));
    const QString texts[2] = {QStringLiteral("3"), QStringLiteral("3.5")};
    int turn = 0;
    for (auto _ : state)
        window.eCheckerWidth->setText(texts[turn++ % 2]);
}

// File > Tiled over sheets… on a 1200 dpi printer's A4 page: Kalibr's A0
// AprilGrid of 6 x 6 tags of 8.8 cm planned over its sheets and the dialog
// with its picture of the seams built, as the user waits for it.
void BM_TileDialog_AprilGridA0(benchmark::State& state) {
    constexpr int kPrinterDpi = 1200;
    const int width = 9921, height = 14031; // A4 at 1200 dpi
    TfQuadrix window(std::make_unique<FakePrinterDevice>(QStringLiteral("Bench printer"),
                                                         kPrinterDpi, kPrinterDpi, width, height));
    SheetInputs in = window.sheetInputs();
    in.target.kind = TargetKind::AprilGrid;
    in.columns = in.rows = 6;
    in.checkerWidthPx = in.checkerHeightPx = 8.8 * 1.3 / 2.54 * kPrinterDpi; // tag and spacing
    in.patternWidthPx = in.patternHeightPx = 6 * in.checkerWidthPx;
    for (auto _ : state) {
        TileDialog dialog(in, PlanTiles(in, width, height), QStringLiteral("A4"));
        benchmark::DoNotOptimize(dialog.seams().constBits());
    }
}

} // namespace

BENCHMARK(BM_FitBoard_Charuco10x14)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_TileDialog_AprilGridA0)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
// Wall time: Qt spreads the smooth reduction over worker threads.
BENCHMARK(BM_Keystroke)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_RebuildPreview_Default)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_RebuildPreview_100x100)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_RebuildPreview_Charuco10x14)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);
