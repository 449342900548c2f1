// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// The form's derived members: the printer's resolution, the unit of the last
// conversion and the checker and board sizes, in the current unit and in
// printer pixels. Every float is single precision; values are computed in
// double and rounded when stored (through ToSingle).
struct Layout {
    bool updating = false;
    QString unitName;
    float dpiX = 0;
    float dpiY = 0;
    float patternWidth = 0;
    float patternHeight = 0;
    float checkerWidth = 0;
    float checkerHeight = 0;
    float patternWidthPx = 0;
    float patternHeightPx = 0;
    float checkerWidthPx = 0;
    float checkerHeightPx = 0;
};
