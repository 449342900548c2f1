// SPDX-License-Identifier: MIT
#include "targets/PatternSize.h"

#include <QCoreApplication>

namespace {

QString Tr(const char* text) {
    return QCoreApplication::translate("PatternSize", text);
}

} // namespace

QString CellNoun(TargetKind kind) {
    switch (kind) {
    case TargetKind::Circles:
    case TargetKind::AsymmetricCircles:
        return Tr("circles");
    case TargetKind::AprilGrid:
        return Tr("tags");
    case TargetKind::Checkerboard:
    case TargetKind::Charuco:
        break;
    }
    return Tr("squares");
}

QStringList PatternSizes(const TargetOptions& t, int columns, int rows) {
    const QString corners = Tr("%1 \u00d7 %2 inner corners").arg(columns - 1).arg(rows - 1);
    switch (t.kind) {
    case TargetKind::Checkerboard:
        return {Tr("findChessboardCorners, ROS --size and Kalibr: %1").arg(corners)};
    case TargetKind::Charuco:
        return {
            Tr("OpenCV CharucoBoard and ROS --size: %1 \u00d7 %2 squares").arg(columns).arg(rows),
            Tr("chessboard detectors: %1").arg(corners)};
    case TargetKind::Circles:
    case TargetKind::AsymmetricCircles:
        return {Tr("findCirclesGrid, ROS --size and Kalibr: %1 \u00d7 %2 circles (per row \u00d7 "
                   "rows)")
                    .arg(columns)
                    .arg(rows)};
    case TargetKind::AprilGrid:
        return {Tr("Kalibr tagCols \u00d7 tagRows: %1 \u00d7 %2 tags").arg(columns).arg(rows)};
    }
    return {};
}
