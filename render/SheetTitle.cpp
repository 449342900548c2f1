// SPDX-License-Identifier: MIT
#include "render/SheetTitle.h"

#include "model/NumberText.h"

#include <QCoreApplication>

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("SheetFile", text);
}

} // namespace

QString SheetTitle(const SheetInputs& in) {
    // As the linked sizes hold it: a width of 15 / 7 cm is 2.142857.
    const double w = StrToFloatDef(in.checkerWidthText, 0);
    const QString width = ShortestSingleText(w);
    const QString height = ShortestSingleText(StrToFloatDef(in.checkerHeightText, 0));
    const QString cell = width == height ? width : width + QStringLiteral(" × ") + height;
    const TargetOptions& t = in.target;
    switch (t.kind) {
    case TargetKind::Circles:
    case TargetKind::AsymmetricCircles:
        return tr("%1 × %2 circles (per row × rows) in cells of %3 %4")
            .arg(in.columns)
            .arg(in.rows)
            .arg(cell, in.unitName);
    case TargetKind::AprilGrid:
        return tr("%1 × %2 tags of %3 %4 (pitch %5 %4)")
            .arg(in.columns)
            .arg(in.rows)
            .arg(ShortestSingleText(w / (1 + t.tagSpacing)), in.unitName, cell);
    case TargetKind::Checkerboard:
    case TargetKind::Charuco:
        break;
    }
    return tr("%1 × %2 squares of %3 %4 (%5 × %6 inner corners)")
        .arg(in.columns)
        .arg(in.rows)
        .arg(cell, in.unitName)
        .arg(in.columns - 1)
        .arg(in.rows - 1);
}
