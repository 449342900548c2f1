// SPDX-License-Identifier: MIT
#include "model/LayoutMath.h"

#include "model/NumberText.h"
#include "model/Numeric.h"
#include "model/Units.h"

namespace {

// A size edit that holds no number counts as this in the linked handlers.
constexpr double kDefaultSize = 10;
// The frame sits a fifth of a checker off the board, the caption a tenth.
constexpr double kFrameDistanceFactor = 0.2;
constexpr double kSizeDistanceFactor = 0.1;

} // namespace

float ReadSize(const QString& text) {
    return ToSingle(StrToFloatDef(text, kDefaultSize));
}

float TimesCount(int count, float size) {
    return ToSingle(double(count) * double(size));
}

float PerCount(float size, int count) {
    return ToSingle(double(size) / double(count));
}

LinkedSizes BoardFromCell(float width, float height, int across, int down, bool square,
                          CellLead lead) {
    if (square && lead == CellLead::Height)
        width = height;
    else if (square)
        height = width;
    return {width, height, TimesCount(across, width), TimesCount(down, height)};
}

LinkedSizes CellFromBoard(float width, float height, int across, int down, bool square,
                          CellLead lead) {
    const float cellWidth = PerCount(width, across);
    const float cellHeight = PerCount(height, down);
    if (!square)
        return {cellWidth, cellHeight, width, height};
    const bool byHeight =
        lead == CellLead::Height || (lead == CellLead::Fit && cellHeight < cellWidth);
    return BoardFromCell(cellWidth, cellHeight, across, down, true,
                         byHeight ? CellLead::Height : CellLead::Width);
}

DefaultDistances ComputeDefaultDistances(float checkerWidth, float checkerHeight) {
    const double mean = (double(checkerHeight) + double(checkerWidth)) * 0.5;
    return {FloatToStr(mean * kFrameDistanceFactor), FloatToStr(mean * kSizeDistanceFactor)};
}

CheckerConversion ConvertChecker(int unitIndex, const QString& widthText, const QString& heightText,
                                 float dpiX, float dpiY, int pageWidth, int pageHeight,
                                 const ScaleCorrection& correction) {
    CheckerConversion result;
    double perUnitX = 0;
    double perUnitY = 0;
    if (!PixelsPerUnit(unitIndex, dpiX, perUnitX) || !PixelsPerUnit(unitIndex, dpiY, perUnitY))
        return result;
    double drawnPerUnitX = 0;
    double drawnPerUnitY = 0;
    PixelsPerUnit(unitIndex, dpiX, drawnPerUnitX, correction.across);
    PixelsPerUnit(unitIndex, dpiY, drawnPerUnitY, correction.down);

    // The edit texts, not the members of the linked handlers: a text that is
    // no number gives 0 pixels here.
    result.converted = true;
    result.checkerWidthPx = ToSingle(StrToFloatDef(widthText, 0) * drawnPerUnitX);
    result.checkerHeightPx = ToSingle(StrToFloatDef(heightText, 0) * drawnPerUnitY);
    if (unitIndex == kUnitPixels) {
        result.pageWidth = FormatInt(pageWidth);
        result.pageHeight = FormatInt(pageHeight);
    } else {
        result.pageWidth = FormatFixed2(pageWidth / perUnitX);
        result.pageHeight = FormatFixed2(pageHeight / perUnitY);
    }
    result.unitName = UnitName(unitIndex);
    return result;
}

QString PageSizePanelText(const QString& pageWidth, const QString& pageHeight,
                          const QString& unitName) {
    return QLatin1String("Page size: ") + pageWidth + QLatin1Char('x') + pageHeight +
           QLatin1Char(' ') + unitName;
}

QString ResolutionPanelText(float dpiX, float dpiY) {
    return QLatin1String("Resolution: ") + FloatToStr(dpiX) + QLatin1Char('x') + FloatToStr(dpiY) +
           QLatin1String(" DPI");
}
