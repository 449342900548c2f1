// SPDX-License-Identifier: MIT
#pragma once

#include "model/ScaleCorrection.h"
#include "model/Units.h"
#include "output/SheetFile.h"
#include "targets/TargetOptions.h"

#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <optional>

// The command line's options as typed values, parsed once from the text. Units
// are the window's unit indexes (model/Units.h); millimetres and metres arrive
// as cm.

constexpr double kMillimetresPerCm = 10;
constexpr double kCentimetresPerMetre = 100;

// A length: a distance or a margin.
struct LengthOption {
    double value = 0;
    int unit = 0;
};

// A width and height: a checker or the whole board ("3cm" is 3 x 3 cm).
struct SizeOption {
    double width = 0;
    double height = 0;
    int unit = 0;
};

// What the window's controls hold. Unset values keep the window's start values.
struct BoardOptions {
    int columns = 5;
    int rows = 6;
    std::optional<SizeOption> checker;
    std::optional<SizeOption> board;
    bool keepConstant = false;
    int horizontal = 1; // 0 left, 1 center, 2 right
    int vertical = 1;   // 0 top, 1 center, 2 bottom
    bool frame = true;
    std::optional<LengthOption> frameDistance;
    bool caption = true;
    std::optional<LengthOption> captionDistance;
    TargetOptions target;
};

// Where the page goes. Unset page values come from the printer.
struct OutputOptions {
    QString file;                        // --output; empty: no file
    FileFormat format = FileFormat::Pdf; // by the file's extension
    bool print = false;                  // --print or --printer
    QString printerName;                 // empty: the default printer
    std::optional<QPageSize> paper;
    std::optional<QPageLayout::Orientation> orientation;
    std::optional<LengthOption> margins;
    std::optional<int> resolution;
    // --tile: a board larger than the page over as many sheets as it needs.
    bool tile = false;
    QString card; // --card; empty: no board card
    // --measured: the outer size of the printed board's cells; the card's
    // lengths follow it.
    std::optional<SizeOption> measured;
    // --scale; unset: the correction stored for the printer whose page is used.
    std::optional<ScaleCorrection> scale;
};

struct CommandLineOptions {
    BoardOptions board;
    OutputOptions output;
};
