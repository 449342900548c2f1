// SPDX-License-Identifier: MIT
#pragma once

#include "targets/TargetOptions.h"

#include <QString>

// The dictionary an AprilGrid's tags come from, whatever TargetOptions names.
extern const char* const kAprilGridDictionary;

// The cells across a board of that many columns: one a column, but two a
// circle of OpenCV's asymmetric grid, whose circles stand two cells apart in a
// row and whose odd rows are shifted by one cell. The linked sizes, the board
// and its drawing count these cells.
int CellsAcross(const TargetOptions& t, int columns);

// Whether the kind's cells must be square: all but the checkerboard's. OpenCV's
// CharucoBoard takes one square length, its circle grids one spacing, and
// Kalibr's AprilGrid one tag size, so an oblong cell would misplace every
// point along one axis.
bool NeedsSquareCells(TargetKind kind);

// The side of the finest mark the target draws in a cell of side `cell`, in
// the cell's unit: a marker's bit (ChArUco, AprilGrid), a circle's diameter,
// or the checker itself. Below one printer pixel a detector cannot read it.
double FinestMark(const TargetOptions& t, double cell);

// How many markers (or tags) a board of that many cells across and down holds:
// one per white square for ChArUco, one per cell for the AprilGrid, none for
// the other kinds.
int MarkersNeeded(const TargetOptions& t, int columns, int rows);

// A target's own parameters, so that each door (the window's dialog, the
// command line's options) can name the one a problem lies in.
enum class TargetField {
    None,
    Dictionary,
    MarkerFraction,
    Legacy,
    FirstId,
    TagSpacing,
    Diameter,
    Legend, // asked for by the checkerboard; the other kinds always draw it
};

// Whether a kind draws anything differently for that parameter.
bool TargetUses(TargetKind kind, TargetField field);

// Why that parameter's value cannot be used by any board, as a sentence for
// the user; empty when it can (a fraction out of range, an unknown dictionary,
// a negative ID).
QString TargetValueProblem(const TargetOptions& t, TargetField field);

// Why the board cannot be made, as a sentence for the user; empty when it can.
// Checks the kind's own parameters as TargetValueProblem does, then a board
// that needs more markers than its dictionary holds (saying how many it
// needs). field, when given, gets the parameter at fault (None: the counts).
QString TargetProblem(const TargetOptions& t, int columns, int rows, TargetField* field = nullptr);
