// SPDX-License-Identifier: MIT
#include "render/BoardFit.h"

#include "model/LayoutMath.h"
#include "model/NumberText.h"
#include "model/Numeric.h"
#include "model/Units.h"
#include "render/BoardLegend.h"
#include "render/BoardRenderer.h"
#include "render/Canvas.h"
#include "render/SizeCaption.h"
#include "targets/TargetCheck.h"

#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

// Halvings of the checker's range in the search for the largest that fits,
// and the significant digits it is then given in (rounded down).
constexpr int kSearchSteps = 30;
constexpr int kAdviceDigits = 3;
constexpr int kReportDigits = 3;
// What whole-pixel cells may add beyond the board's nominal size, besides
// half a pixel a cell; and how many steps of the last digit the advice may
// go down from there.
constexpr int kSlackPixels = 2;
constexpr int kStepsDown = 100;

QString tr(const char* text) {
    return QCoreApplication::translate("BoardFit", text);
}

int UnitIndexOf(const QString& unitName) {
    for (int unit : {kUnitCm, kUnitInches, kUnitPixels})
        if (UnitName(unit) == unitName)
            return unit;
    return kUnitPixels;
}

// How far [first, end) runs beyond [0, extent).
Coord Over(Coord first, Coord end, Coord extent) {
    return std::max<Coord>(0, -first) + std::max<Coord>(0, end - extent);
}

bool Outside(const TRect& r, int width, int height) {
    return r.Right > r.Left &&
           (Over(r.Left, r.Right, width) > 0 || Over(r.Top, r.Bottom, height) > 0);
}

TRect Union(const TRect& a, const TRect& b) {
    if (b.Right <= b.Left || b.Bottom <= b.Top)
        return a;
    return Rect(std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
                std::max(a.Bottom, b.Bottom));
}

double Mm(Coord pixels, float dpi) {
    return dpi > 0 ? double(pixels) / double(dpi) * kMillimetresPerInch : 0;
}

// The printable area of a page in printer pixels at the sheet's resolution.
QSize PagePixels(const QPageLayout& page, float dpiX, float dpiY) {
    if (dpiX == dpiY)
        return page.paintRectPixels(int(dpiX)).size();
    const QRectF mm = page.paintRect(QPageLayout::Millimeter);
    return QSize(int(mm.width() / kMillimetresPerInch * dpiX),
                 int(mm.height() / kMillimetresPerInch * dpiY));
}

bool FitsOn(const SheetInputs& in, const QSize& page) {
    return FitBoard(in, page.width(), page.height()).fits;
}

QPageLayout::Orientation Other(QPageLayout::Orientation o) {
    return o == QPageLayout::Portrait ? QPageLayout::Landscape : QPageLayout::Portrait;
}

QString OrientationName(QPageLayout::Orientation o) {
    return o == QPageLayout::Portrait ? tr("portrait") : tr("landscape");
}

// Down to `digits` significant digits.
double RoundDown(double value, int digits) {
    if (!(value > 0))
        return 0;
    const double step = std::pow(10.0, std::floor(std::log10(value)) - (digits - 1));
    return std::floor(value / step) * step;
}

QString Length(double value, const QString& unit) {
    return QString::number(value, 'g', kReportDigits) + QLatin1Char(' ') + unit;
}

} // namespace

BoardFit FitBoard(const SheetInputs& in, int pageWidth, int pageHeight) {
    // Labels and legend are measured in a font of the printer's resolution.
    QImage scratch(1, 1, QImage::Format_RGB32);
    if (in.dpiX > 0 && in.dpiY > 0) {
        scratch.setDotsPerMeterX(int(in.dpiX / kMetresPerInch));
        scratch.setDotsPerMeterY(int(in.dpiY / kMetresPerInch));
    }
    QPainter painter(&scratch);
    Canvas canvas(painter, scratch, 0, 0);

    BoardFit fit;
    const TRect board = DrawnBoardRect(1.0f, pageWidth, pageHeight, in);
    const TRect caption =
        in.sizeCaption ? CaptionBounds(canvas, 1.0f, BoardRect(1.0f, pageWidth, pageHeight, in), in)
                       : TRect{};
    const TRect legend = LegendExtent(canvas, 1.0f, pageWidth, pageHeight, in);
    fit.boardCut = Outside(board, pageWidth, pageHeight);
    fit.captionCut = Outside(caption, pageWidth, pageHeight);
    // The renderer leaves out a legend the page cannot hold; the board stays whole.
    fit.legendCut = Outside(legend, pageWidth, pageHeight);
    fit.drawn = Union(board, caption);
    fit.overAcrossMm = Mm(Over(fit.drawn.Left, fit.drawn.Right, pageWidth), in.dpiX);
    fit.overDownMm = Mm(Over(fit.drawn.Top, fit.drawn.Bottom, pageHeight), in.dpiY);
    fit.fits = !fit.boardCut && !fit.captionCut;
    return fit;
}

SheetInputs ScaledChecker(const SheetInputs& in, double factor) {
    SheetInputs out = in;
    const int unit = UnitIndexOf(in.unitName);
    const float width = ReadSize(in.checkerWidthText);
    const float height = ReadSize(in.checkerHeightText);
    out.checkerWidthText = FloatToStr(ToSingle(width * factor));
    out.checkerHeightText = FloatToStr(ToSingle(height * factor));
    // Distances the checker set follow it; distances of their own stay.
    const DefaultDistances was = ComputeDefaultDistances(width, height);
    const DefaultDistances now =
        ComputeDefaultDistances(ReadSize(out.checkerWidthText), ReadSize(out.checkerHeightText));
    if (in.frameUnit == unit && in.frameDistanceText == was.frame)
        out.frameDistanceText = now.frame;
    if (in.sizeUnit == unit && in.sizeDistanceText == was.size)
        out.sizeDistanceText = now.size;
    const CheckerConversion px = ConvertChecker(unit, out.checkerWidthText, out.checkerHeightText,
                                                in.dpiX, in.dpiY, 0, 0, in.correction);
    out.checkerWidthPx = px.checkerWidthPx;
    out.checkerHeightPx = px.checkerHeightPx;
    out.patternWidthPx = ToSingle(double(CellsAcross(in.target, in.columns)) * px.checkerWidthPx);
    out.patternHeightPx = ToSingle(double(in.rows) * px.checkerHeightPx);
    return out;
}

FitAdvice AdviseFit(const SheetInputs& in, const QPageLayout& page) {
    FitAdvice advice;
    QPageLayout turned = page;
    turned.setOrientation(Other(page.orientation()));
    if (FitsOn(in, PagePixels(turned, in.dpiX, in.dpiY)))
        advice.turned = OrientationName(turned.orientation());

    // Common papers from small to large, each larger than this one, with its margins.
    const QPageSize::PageSizeId papers[] = {QPageSize::A5,    QPageSize::A4, QPageSize::Letter,
                                            QPageSize::Legal, QPageSize::A3, QPageSize::Tabloid,
                                            QPageSize::A2,    QPageSize::A1, QPageSize::A0};
    const QSizeF here = page.pageSize().size(QPageSize::Millimeter);
    for (QPageSize::PageSizeId id : papers) {
        const QPageSize paper(id);
        const QSizeF size = paper.size(QPageSize::Millimeter);
        if (size.width() * size.height() <= here.width() * here.height() || !advice.paper.isEmpty())
            continue;
        for (QPageLayout::Orientation o : {page.orientation(), Other(page.orientation())}) {
            const QPageLayout layout(paper, o, page.margins(QPageLayout::Millimeter),
                                     QPageLayout::Millimeter);
            if (FitsOn(in, PagePixels(layout, in.dpiX, in.dpiY))) {
                advice.paper = paper.name();
                advice.paperOrientation = OrientationName(o);
                break;
            }
        }
    }

    // The largest checker for this page. The drawing grows with the checker,
    // but by whole pixels a cell, so the search first allows what the cells'
    // rounding may add, then steps down to a checker that fits exactly.
    const QSize pagePx = PagePixels(page, in.dpiX, in.dpiY);
    const double slackX = Mm(CellsAcross(in.target, in.columns) / 2 + kSlackPixels, in.dpiX);
    const double slackY = Mm(in.rows / 2 + kSlackPixels, in.dpiY);
    double fits = 0;
    double cut = 1;
    for (int step = 0; step < kSearchSteps; ++step) {
        const double middle = (fits + cut) / 2;
        const BoardFit fit = FitBoard(ScaledChecker(in, middle), pagePx.width(), pagePx.height());
        (fit.overAcrossMm <= slackX && fit.overDownMm <= slackY ? fits : cut) = middle;
    }
    const double width = ReadSize(in.checkerWidthText);
    const double height = ReadSize(in.checkerHeightText);
    const bool pixels = UnitIndexOf(in.unitName) == kUnitPixels;
    double chosen = pixels ? std::floor(width * fits) : RoundDown(width * fits, kAdviceDigits);
    const double step = pixels ? 1 : chosen - RoundDown(chosen * (1 - 1e-9), kAdviceDigits);
    for (int tries = 0; width > 0 && chosen > 0 && tries < kStepsDown; ++tries, chosen -= step) {
        if (FitsOn(ScaledChecker(in, chosen / width), pagePx)) {
            advice.checkerWidth = chosen;
            advice.checkerHeight =
                width == height ? chosen : RoundDown(height * chosen / width, kAdviceDigits);
            break;
        }
    }
    return advice;
}

QString FitMessage(const BoardFit& fit, const FitAdvice& advice, const SheetInputs& in) {
    if (fit.fits)
        return QString();
    QStringList parts;
    if (fit.boardCut)
        parts << tr("the board");
    if (fit.captionCut)
        parts << tr("its size caption");
    const int unit = UnitIndexOf(in.unitName);
    double perMmX = 1, perMmY = 1; // the sheet's unit per millimetre
    PixelsPerUnit(unit, in.dpiX, perMmX);
    PixelsPerUnit(unit, in.dpiY, perMmY);
    perMmX = in.dpiX / kMillimetresPerInch / perMmX;
    perMmY = in.dpiY / kMillimetresPerInch / perMmY;
    QStringList over;
    if (fit.overAcrossMm > 0)
        over << tr("%1 across").arg(Length(fit.overAcrossMm * perMmX, in.unitName));
    if (fit.overDownMm > 0)
        over << tr("%1 down").arg(Length(fit.overDownMm * perMmY, in.unitName));
    QString text = tr("The printable page cuts off %1: the drawing runs %2 beyond it.")
                       .arg(parts.join(tr(" and ")), over.join(tr(" and ")));
    QStringList ways;
    if (!advice.turned.isEmpty())
        ways << tr("in %1").arg(advice.turned);
    if (!advice.paper.isEmpty())
        ways << tr("on %1 paper in %2").arg(advice.paper, advice.paperOrientation);
    if (advice.checkerWidth > 0)
        ways << (advice.checkerWidth == advice.checkerHeight
                     ? tr("with checkers of %1 at most")
                           .arg(Length(advice.checkerWidth, in.unitName))
                     : tr("with checkers of %1 × %2 at most")
                           .arg(QString::number(advice.checkerWidth, 'g', kAdviceDigits),
                                Length(advice.checkerHeight, in.unitName)));
    if (ways.isEmpty())
        return text + QLatin1Char(' ') +
               tr("Neither a larger paper nor smaller checkers make it fit.");
    return text + QLatin1Char(' ') + tr("It would fit %1.").arg(ways.join(tr(", or ")));
}
