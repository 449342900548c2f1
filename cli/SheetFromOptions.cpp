// SPDX-License-Identifier: MIT
#include "cli/SheetFromOptions.h"

#include "model/LayoutMath.h"
#include "model/NumberText.h"
#include "model/Numeric.h"
#include "model/Units.h"
#include "targets/TargetCheck.h"

namespace {

// The window's start: 5 x 6 checkers of 3 x 3 cm.
const char* const kStartChecker = "3";
constexpr int kStartColumns = 5;
constexpr int kStartRows = 6;

QString DistanceText(const std::optional<LengthOption>& given, const QString& start, int unit,
                     int& unitIndex) {
    unitIndex = given ? given->unit : unit;
    return given ? FloatToStr(given->value) : start;
}

} // namespace

SheetInputs SheetFromOptions(const BoardOptions& o, float dpiX, float dpiY, int pageWidth,
                             int pageHeight, const ScaleCorrection& correction) {
    int unit = kUnitCm;
    QString widthText = QString::fromLatin1(kStartChecker);
    QString heightText = widthText;
    float checkerWidth = ReadSize(widthText);
    float checkerHeight = ReadSize(heightText);
    // The checker edits typed (ChangeChecker), or the board edits typed
    // (ChangePattern2), or only the counts changed (ChangePattern1).
    if (o.checker) {
        unit = o.checker->unit;
        widthText = FloatToStr(o.checker->width);
        heightText = FloatToStr(o.checker->height);
        checkerWidth = ReadSize(widthText);
        checkerHeight = ReadSize(heightText);
    } else if (o.board || !o.keepConstant) {
        float boardWidth = TimesCount(kStartColumns, checkerWidth);
        float boardHeight = TimesCount(kStartRows, checkerHeight);
        if (o.board) {
            unit = o.board->unit;
            boardWidth = ReadSize(FloatToStr(o.board->width));
            boardHeight = ReadSize(FloatToStr(o.board->height));
        }
        checkerWidth = PerCount(boardWidth, CellsAcross(o.target, o.columns));
        checkerHeight = PerCount(boardHeight, o.rows);
        widthText = FloatToStr(checkerWidth);
        heightText = FloatToStr(checkerHeight);
    }

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
