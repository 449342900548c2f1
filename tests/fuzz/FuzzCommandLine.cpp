// SPDX-License-Identifier: MIT
// libFuzzer: the option parser and the sheet it builds. An input is a command
// line, one argument a line. Whatever it holds, the parser raises nothing; a
// board it takes is either refused as too large to draw or measured for the
// report's warnings and drawn on a preview without an exception, and the
// arguments it copies for the window read back as the same board.

#include "cli/CommandLineParser.h"
#include "cli/SheetFromOptions.h"
#include "cli/SheetReport.h"
#include "render/BoardLegend.h"
#include "render/PreviewGeometry.h"

#include <QGuiApplication>
#include <cstdlib>

constexpr int kDpi = 1200;        // a file's page
constexpr int kPreviewSide = 100; // the window's preview control, in pixels

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv); // fonts, for the labels
    return 0;
}

// An input that breaks a rule aborts: libFuzzer keeps it.
extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), int(size));
    const ParsedCommandLine parsed = ParseCommandLine(QStringList{"quadrix"} + text.split('\n'));
    if (parsed.action != ParsedCommandLine::Action::Run)
        return 0;
    const OutputOptions& o = parsed.options.output;
    const QPageLayout paper(o.paper.value_or(QPageSize(QPageSize::A4)),
                            o.orientation.value_or(QPageLayout::Portrait), QMarginsF());
    if (!UndrawablePage(paper, kDpi).isEmpty())
        return 0;
    const QRect page = paper.paintRectPixels(kDpi);
    const ScaleCorrection scale = o.scale.value_or(ScaleCorrection{});
    const BoardOptions& board = parsed.options.board;
    const SheetInputs in = SheetFromOptions(board, kDpi, kDpi, page.width(), page.height(), scale);
    if (!UndrawableSize(board, in).isEmpty())
        return 0;
    SheetWarnings(in, page.width(), page.height());
    QImage preview;
    RebuildPreview(preview, kPreviewSide, kPreviewSide, page.width(), page.height(), in);

    // The window copies a board with its checker; that command makes the same board.
    const ParsedCommandLine copied =
        ParseCommandLine(QStringList{"quadrix", "--output", "x.pdf"} + BoardArguments(board));
    if (!board.board && (copied.action != ParsedCommandLine::Action::Run ||
                         LegendText(SheetFromOptions(copied.options.board, kDpi, kDpi, page.width(),
                                                     page.height(), scale)) != LegendText(in) ||
                         BoardArguments(copied.options.board) != BoardArguments(board)))
        std::abort();
    return 0;
}
