// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// The kind of calibration target drawn in the board's cells. For every kind
// the counts are what stands across and down (squares or circles) and the
// checker size is the pitch, so the linked sizes, alignment, frame and
// caption work alike for all of them.
enum class TargetKind {
    Checkerboard,      // black and white squares, the top-left one black
    Charuco,           // the checkerboard with an ArUco marker in each white square
    Circles,           // one filled circle centred in each cell
    AsymmetricCircles, // OpenCV's asymmetric grid: odd rows shifted by half a cell
    AprilGrid,         // Kalibr's grid of AprilTags 36h11 with black corner squares
};

// A target's own parameters beside the counts and the pitch. Unused fields
// are ignored by kinds that do not need them.
struct TargetOptions {
    TargetKind kind = TargetKind::Checkerboard;
    // ChArUco: the marker dictionary by OpenCV's name, the marker side as a
    // fraction of the square side, OpenCV's layout before 4.6.
    QString dictionary = QStringLiteral("DICT_6X6_250");
    double markerFraction = 0.75;
    bool legacy = false;
    // ChArUco and AprilGrid: the first marker's ID (several boards in one scene).
    int firstId = 0;
    // AprilGrid: the gap between tags as a fraction of the tag side.
    double tagSpacing = 0.3;
    // Circle grids: the diameter as a fraction of the smaller side of a cell.
    double diameterFraction = 0.5;
    // A line beneath the board naming the target (always drawn for the kinds
    // other than the checkerboard; for the checkerboard only when asked).
    bool legend = false;

    bool operator==(const TargetOptions& o) const {
        return kind == o.kind && dictionary == o.dictionary && markerFraction == o.markerFraction &&
               legacy == o.legacy && firstId == o.firstId && tagSpacing == o.tagSpacing &&
               diameterFraction == o.diameterFraction && legend == o.legend;
    }
    bool operator!=(const TargetOptions& o) const { return !(*this == o); }
};
