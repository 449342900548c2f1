// SPDX-License-Identifier: MIT
#pragma once

#include "targets/TargetOptions.h"

#include <QStringList>

// The cells a kind of board is made of, in the plural: squares, circles, tags.
QString CellNoun(TargetKind kind);

// The board's pattern size as each tool counts it, one phrase a tool: squares
// for OpenCV's CharucoBoard and ROS's ChArUco, inner corners for the
// chessboard detectors, circles for the circle grids, tags for Kalibr's grid.
QStringList PatternSizes(const TargetOptions& t, int columns, int rows);
