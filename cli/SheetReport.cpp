// SPDX-License-Identifier: MIT
#include "cli/SheetReport.h"

#include "model/LayoutMath.h"
#include "model/NumberText.h"
#include "model/Units.h"
#include "render/BoardFit.h"
#include "render/BoardRenderer.h"
#include "targets/PatternSize.h"
#include "targets/TargetCheck.h"

#include <QCoreApplication>
#include <QPageLayout>
#include <QRectF>
#include <algorithm>

namespace {

constexpr int kReportDigits = 6;

QString tr(const char* text) {
    return QCoreApplication::translate("SheetReport", text);
}

QString Number(double value) {
    return QString::number(value, 'g', kReportDigits);
}

int UnitIndexOf(const QString& unitName) {
    for (int unit : {kUnitCm, kUnitInches, kUnitPixels})
        if (UnitName(unit) == unitName)
            return unit;
    return kUnitPixels;
}

// The board line names the board by its cells: squares, circles or tags.
QString BoardLine(const SheetInputs& in, const QString& width, const QString& height) {
    const TargetOptions& t = in.target;
    switch (t.kind) {
    case TargetKind::Charuco: {
        const int markers = MarkersNeeded(t, in.columns, in.rows);
        return tr("Board: ChArUco, %1 × %2 squares, %3 × %4 inner corners, %5 markers of %6 "
                  "(IDs %7 to %8, %9), %10 × %11 %12")
            .arg(in.columns)
            .arg(in.rows)
            .arg(in.columns - 1)
            .arg(in.rows - 1)
            .arg(markers)
            .arg(t.dictionary)
            .arg(t.firstId)
            .arg(t.firstId + markers - 1)
            .arg(t.legacy ? tr("layout before OpenCV 4.6") : tr("layout of OpenCV 4.6 and later"))
            .arg(width, height, in.unitName);
    }
    case TargetKind::Circles:
    case TargetKind::AsymmetricCircles:
        return tr("Board: %1 circle grid, %2 × %3 circles (per row × rows), %4 × %5 %6")
            .arg(t.kind == TargetKind::Circles ? tr("symmetric") : tr("asymmetric"))
            .arg(in.columns)
            .arg(in.rows)
            .arg(width, height, in.unitName);
    case TargetKind::AprilGrid: {
        const int tags = MarkersNeeded(t, in.columns, in.rows);
        const double pitch = StrToFloatDef(in.checkerWidthText, 0);
        return tr("Board: AprilGrid 36h11, %1 × %2 tags of %3 %4 (pitch %5 %4, spacing %6), IDs %7 "
                  "to %8 from the bottom-left, %9 × %10 %4")
            .arg(in.columns)
            .arg(in.rows)
            .arg(Number(pitch / (1 + t.tagSpacing)), in.unitName, Number(pitch),
                 Number(t.tagSpacing))
            .arg(t.firstId)
            .arg(t.firstId + tags - 1)
            .arg(width, height);
    }
    case TargetKind::Checkerboard:
        break;
    }
    return tr("Board: %1 × %2 squares, %3 × %4 inner corners, %5 × %6 %7")
        .arg(in.columns)
        .arg(in.rows)
        .arg(in.columns - 1)
        .arg(in.rows - 1)
        .arg(width, height, in.unitName);
}

} // namespace

QStringList DescribeSheet(const SheetInputs& in, int pageWidth, int pageHeight,
                          const QPageLayout* paper) {
    const double checkerWidth = StrToFloatDef(in.checkerWidthText, 0);
    const double checkerHeight = StrToFloatDef(in.checkerHeightText, 0);
    QStringList lines;
    lines << BoardLine(in, Number(CellsAcross(in.target, in.columns) * checkerWidth),
                       Number(in.rows * checkerHeight));
    const TargetKind kind = in.target.kind;
    const QString cell = kind == TargetKind::AprilGrid ? tr("Tag pitch")
                         : kind == TargetKind::Checkerboard || kind == TargetKind::Charuco
                             ? tr("Square")
                             : tr("Cell");
    lines << tr("Pattern size: %1")
                 .arg(PatternSizes(in.target, in.columns, in.rows).join(QStringLiteral("; ")));
    lines << tr("%8: %1 × %2 %3 = %4 × %5 printer pixels at %6 × %7 dpi")
                 .arg(Number(checkerWidth), Number(checkerHeight), in.unitName,
                      QString::number(in.checkerWidthPx, 'f', 2),
                      QString::number(in.checkerHeightPx, 'f', 2), FloatToStr(in.dpiX),
                      FloatToStr(in.dpiY), cell);
    if (checkerWidth != checkerHeight)
        lines << tr("Note: the checkers are oblong, %1 × %2 %3; a calibration tool must be given "
                    "both sides.")
                     .arg(Number(checkerWidth), Number(checkerHeight), in.unitName);
    const CheckerConversion page = ConvertChecker(UnitIndexOf(in.unitName), QString(), QString(),
                                                  in.dpiX, in.dpiY, pageWidth, pageHeight);
    QString pageLine = tr("Page: printable area %1 × %2 %3 (%4 × %5 printer pixels)")
                           .arg(page.pageWidth, page.pageHeight, in.unitName)
                           .arg(pageWidth)
                           .arg(pageHeight);
    if (paper) {
        const QRectF mm = paper->fullRect(QPageLayout::Millimeter);
        const QPointF at = paper->paintRect(QPageLayout::Millimeter).topLeft();
        pageLine += tr(" on %1 paper, %2 × %3 mm, %4, from %5 mm, %6 mm")
                        .arg(paper->pageSize().name(), Number(mm.width()), Number(mm.height()),
                             paper->orientation() == QPageLayout::Portrait ? tr("portrait")
                                                                           : tr("landscape"),
                             Number(at.x()), Number(at.y()));
    }
    lines << pageLine;
    return lines;
}

QString BoardCutOff(const SheetInputs& in, int pageWidth, int pageHeight) {
    const BoardFit fit = FitBoard(in, pageWidth, pageHeight);
    if (!fit.boardCut)
        return QString();
    QStringList over;
    if (fit.overAcrossMm > 0)
        over << tr("%1 mm across").arg(Number(fit.overAcrossMm));
    if (fit.overDownMm > 0)
        over << tr("%1 mm down").arg(Number(fit.overDownMm));
    return tr("the drawing runs %1 beyond it").arg(over.join(tr(" and ")));
}

QStringList SheetWarnings(const SheetInputs& in, int pageWidth, int pageHeight, bool legend) {
    QStringList warnings;
    SheetInputs checkers = in;
    checkers.frame = false;
    const TRect drawn = DrawnBoardRect(1.0f, pageWidth, pageHeight, checkers);
    if (drawn.Right <= drawn.Left || drawn.Bottom <= drawn.Top)
        warnings << tr("Warning: a checker is smaller than one printer pixel (%1 × %2 printer "
                       "pixels); no checker is drawn.")
                        .arg(QString::number(in.checkerWidthPx, 'g', kReportDigits),
                             QString::number(in.checkerHeightPx, 'g', kReportDigits));
    const double mark =
        FinestMark(in.target, std::min(double(in.checkerWidthPx), double(in.checkerHeightPx)));
    if (warnings.isEmpty() && mark < 1)
        warnings << tr("Warning: the target's finest mark (a marker's bit or a circle) is %1 "
                       "printer pixels, less than one; no detector can read it.")
                        .arg(QString::number(mark, 'g', kReportDigits));
    if (legend && FitBoard(in, pageWidth, pageHeight).legendCut)
        warnings << tr("Note: the legend does not fit beneath the board on this page; it is "
                       "left out.");
    return warnings;
}
