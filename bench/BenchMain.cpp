// SPDX-License-Identifier: MIT
// Entry point shared by the benchmarks: the window and the renderer need a
// QApplication (fonts, widgets), so it exists before any benchmark runs.

#include <QApplication>
#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
    // Headless unless a platform is asked for.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
