// SPDX-License-Identifier: MIT
#include "cli/SheetFromOptions.h"

#include "model/LayoutMath.h"
#include "model/NumberText.h"
#include "model/Numeric.h"
#include "model/Units.h"
#include "targets/TargetCheck.h"

namespace {

// The window's start checker: 3 x 3 cm.
const char* const kStartChecker = "3";

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
