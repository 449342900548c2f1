// SPDX-License-Identifier: MIT
// libFuzzer: the option parser and the sheet it builds. An input is a command
// line, one argument a line. Whatever it holds, the parser answers with one
// line of error or with options; a board it takes is either refused as too
// large to draw or described and drawn on a preview without an exception, and
// the arguments it copies for the window read back as the same board.

#include "cli/CommandLineParser.h"
#include "cli/SheetFromOptions.h"
#include "cli/SheetReport.h"
#include "render/PreviewGeometry.h"

#include <QGuiApplication>
#include <cstdlib>

namespace {

constexpr int kDpi = 1200;        // a file's page
constexpr int kPreviewSide = 100; // the window's preview control, in pixels

void Expect(bool condition) {
    if (!condition)
        std::abort(); // libFuzzer keeps the input that got here
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv); // fonts, for the labels
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), int(size));
    const ParsedCommandLine parsed = ParseCommandLine(QStringList{"quadrix"} + text.split('\n'));
    if (parsed.action == ParsedCommandLine::Action::Error)
        Expect(!parsed.text.isEmpty() && !parsed.text.contains('\n'));
    if (parsed.action != ParsedCommandLine::Action::Run)
        return 0;
    const BoardOptions& board = parsed.options.board;
    const ParsedCommandLine copied =
        ParseCommandLine(QStringList{"quadrix", "--output", "x.pdf"} + BoardArguments(board));
    const BoardOptions& again = copied.options.board;
    Expect(copied.action == ParsedCommandLine::Action::Run && again.columns == board.columns &&
           again.rows == board.rows && again.target.kind == board.target.kind &&
           again.frame == board.frame && again.caption == board.caption);

    const OutputOptions& o = parsed.options.output;
    const QPageLayout paper(o.paper.value_or(QPageSize(QPageSize::A4)),
                            o.orientation.value_or(QPageLayout::Portrait), QMarginsF());
    const QRect page = paper.paintRectPixels(kDpi);
    const SheetInputs in = SheetFromOptions(board, kDpi, kDpi, page.width(), page.height(),
                                            o.scale.value_or(ScaleCorrection{}));
    if (!UndrawableSize(board, in).isEmpty())
        return 0;
    DescribeSheet(in, page.width(), page.height(), &paper);
    CutOffWarnings(in, page.width(), page.height());
    QImage preview;
    RebuildPreview(preview, kPreviewSide, kPreviewSide, page.width(), page.height(), in);
    return 0;
}
