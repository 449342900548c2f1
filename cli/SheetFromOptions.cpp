// SPDX-License-Identifier: MIT
#include "cli/SheetFromOptions.h"

#include "model/LayoutMath.h"
#include "model/NumberText.h"
#include "model/Numeric.h"
#include "model/Units.h"
#include "targets/TargetCheck.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The window's start checker: 3 x 3 cm.
const char* const kStartChecker = "3";

// The longest length drawn, in printer pixels: a board, its frame distance and
// its caption distance summed, on either side of the page, stay within the
// coordinates the renderer holds.
constexpr double kMaxDrawnPixels = double(kCoordLimit) / 8;
constexpr int kMessageDigits = 6;
// The page's side in printer pixels, with room for the sums of a few of them
// in Qt's integer rectangles.
constexpr double kMaxPagePixels = std::numeric_limits<int>::max() / 4.0;

QString tr(const char* text) {
    return QCoreApplication::translate("CommandLine", text);
}

QString DistanceText(const std::optional<LengthOption>& given, const QString& start, int unit,
                     int& unitIndex) {
    unitIndex = given ? given->unit : unit;
    return given ? FloatToStr(given->value) : start;
}

} // namespace

SheetInputs SheetFromOptions(const BoardOptions& o, float dpiX, float dpiY, int pageWidth,
                             int pageHeight, const ScaleCorrection& correction) {
    // Counts alone keep the start checker; a checker is taken as typed
    // (ChangeChecker); a board gives the cells (ChangePattern2), square ones
    // the largest that fit it, and then follows them.
    int unit = kUnitCm;
    QString widthText = QString::fromLatin1(kStartChecker);
    QString heightText = widthText;
    if (o.checker) {
        unit = o.checker->unit;
        widthText = FloatToStr(o.checker->width);
        heightText = FloatToStr(o.checker->height);
    } else if (o.board) {
        unit = o.board->unit;
        const LinkedSizes sizes =
            CellFromBoard(ReadSize(FloatToStr(o.board->width)),
                          ReadSize(FloatToStr(o.board->height)), CellsAcross(o.target, o.columns),
                          o.rows, NeedsSquareCells(o.target.kind), CellLead::Fit);
        widthText = FloatToStr(sizes.cellWidth);
        heightText = FloatToStr(sizes.cellHeight);
    }
    const float checkerWidth = ReadSize(widthText);
    const float checkerHeight = ReadSize(heightText);

    SheetInputs in;
    const DefaultDistances start = ComputeDefaultDistances(checkerWidth, checkerHeight);
    in.frame = o.frame;
    in.frameDistanceText = DistanceText(o.frameDistance, start.frame, unit, in.frameUnit);
    in.sizeCaption = o.caption;
    in.sizeDistanceText = DistanceText(o.captionDistance, start.size, unit, in.sizeUnit);
    in.vertical = o.vertical;
    in.horizontal = o.horizontal;
    in.dpiX = dpiX;
    in.dpiY = dpiY;
    in.correction = correction;
    const CheckerConversion px =
        ConvertChecker(unit, widthText, heightText, dpiX, dpiY, pageWidth, pageHeight, correction);
    in.checkerWidthPx = px.checkerWidthPx;
    in.checkerHeightPx = px.checkerHeightPx;
    in.unitName = px.unitName;
    in.columns = o.columns;
    in.rows = o.rows;
    in.patternWidthPx = ToSingle(double(CellsAcross(o.target, o.columns)) * px.checkerWidthPx);
    in.patternHeightPx = ToSingle(double(o.rows) * px.checkerHeightPx);
    in.checkerWidthText = widthText;
    in.checkerHeightText = heightText;
    in.target = o.target;
    return in;
}

QString SizeOptionName(const BoardOptions& o) {
    return o.board     ? QStringLiteral("--board")
           : o.checker ? QStringLiteral("--checker")
                       : QStringLiteral("--columns, --rows");
}

QString UndrawableSize(const BoardOptions& o, const SheetInputs& in) {
    const QString sizeOption = SizeOptionName(o);
    // A checker beyond the float range is held as the text INF, and 0 pixels.
    double width = 0;
    double height = 0;
    if (!TryStrToFloat(in.checkerWidthText, width) || !TryStrToFloat(in.checkerHeightText, height))
        return tr("%1: a size that cannot be drawn: a checker of %2 × %3 %4")
            .arg(sizeOption, in.checkerWidthText, in.checkerHeightText, in.unitName);
    // A distance given as an option is checked as given; one that follows the
    // checker is as drawable as the checker.
    const auto distancePx = [&in](const std::optional<LengthOption>& d) {
        double perUnitX = 0;
        double perUnitY = 0;
        if (!d || !PixelsPerUnit(d->unit, in.dpiX, perUnitX, in.correction.across) ||
            !PixelsPerUnit(d->unit, in.dpiY, perUnitY, in.correction.down))
            return 0.0;
        return std::fabs(d->value) * std::max(perUnitX, perUnitY);
    };
    const struct {
        double pixels;
        QString option;
        const char* what;
    } lengths[] = {
        {in.checkerWidthPx, sizeOption, QT_TRANSLATE_NOOP("CommandLine", "a checker's width")},
        {in.checkerHeightPx, sizeOption, QT_TRANSLATE_NOOP("CommandLine", "a checker's height")},
        {in.patternWidthPx, sizeOption, QT_TRANSLATE_NOOP("CommandLine", "the board's width")},
        {in.patternHeightPx, sizeOption, QT_TRANSLATE_NOOP("CommandLine", "the board's height")},
        {o.frame ? distancePx(o.frameDistance) : 0, QStringLiteral("--frame-distance"),
         QT_TRANSLATE_NOOP("CommandLine", "the frame distance")},
        {o.caption ? distancePx(o.captionDistance) : 0, QStringLiteral("--caption-distance"),
         QT_TRANSLATE_NOOP("CommandLine", "the caption distance")},
    };
    for (const auto& length : lengths)
        if (!(std::fabs(length.pixels) <= kMaxDrawnPixels)) // NaN too
            return tr("%1: a size that cannot be drawn: %2 of %3 printer pixels, more than %4")
                .arg(length.option, tr(length.what),
                     QString::number(length.pixels, 'g', kMessageDigits),
                     QString::number(kMaxDrawnPixels, 'g', kMessageDigits));
    return QString();
}

QString UndrawablePage(const QPageLayout& paper, int dpi) {
    // The page's own size in millimetres: its rectangle in other units is
    // computed in int and wraps round for a paper hundreds of metres long.
    const QSizeF mm = paper.pageSize().size(QPageSize::Millimeter);
    const double side = std::max(mm.width(), mm.height()) / kMillimetresPerInch * dpi;
    if (side <= kMaxPagePixels) // NaN too
        return QString();
    return tr("--paper: a paper that cannot be drawn at %1 dpi: %2 printer pixels, more than %3")
        .arg(dpi)
        .arg(QString::number(side, 'g', kMessageDigits),
             QString::number(kMaxPagePixels, 'g', kMessageDigits));
}
