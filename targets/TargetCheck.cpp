// SPDX-License-Identifier: MIT
#include "targets/TargetCheck.h"

#include "targets/MarkerDictionary.h"

#include <QCoreApplication>

const char* const kAprilGridDictionary = "DICT_APRILTAG_36h11";

namespace {

QString Tr(const char* text) {
    return QCoreApplication::translate("TargetCheck", text);
}

// A fraction of a cell that leaves something drawn: above zero, at most `max`.
bool InRange(double fraction, double max) {
    return fraction > 0 && fraction <= max;
}

// The marker side must leave white around the marker inside its square.
constexpr double kMaxMarkerFraction = 0.99;
// Circles may touch their neighbours but not overlap.
constexpr double kMaxDiameterFraction = 1.0;
// Tags at least as large as the gaps between them, as the grid's reader expects.
constexpr double kMaxTagSpacing = 1.0;

QString MarkerProblem(const QString& dictionaryName, int firstId, int needed) {
    const MarkerDictionary* d = FindDictionary(dictionaryName);
    if (d && qint64(firstId) + needed > d->count) {
        if (firstId == 0)
            return Tr("This board needs %1 markers, but %2 holds only %3.")
                .arg(needed)
                .arg(d->name)
                .arg(d->count);
        return Tr("This board needs %1 markers (IDs %2 to %3), but %4 holds only IDs 0 to %5.")
            .arg(needed)
            .arg(firstId)
            .arg(qint64(firstId) + needed - 1)
            .arg(d->name)
            .arg(d->count - 1);
    }
    return QString();
}

} // namespace

int CellsAcross(const TargetOptions& t, int columns) {
    constexpr int kAsymmetricCellsPerCircle = 2;
    return t.kind == TargetKind::AsymmetricCircles ? kAsymmetricCellsPerCircle * columns : columns;
}

bool NeedsSquareCells(TargetKind kind) {
    return kind != TargetKind::Checkerboard;
}

double FinestMark(const TargetOptions& t, double cell) {
    constexpr int kArucoBorderBits = 2;   // one black bit on either side
    constexpr int kAprilTagSideBits = 10; // 6 data bits inside a 2-bit border
    switch (t.kind) {
    case TargetKind::Charuco: {
        const MarkerDictionary* d = FindDictionary(t.dictionary);
        return d ? cell * t.markerFraction / (d->markerBits + kArucoBorderBits) : cell;
    }
    case TargetKind::AprilGrid:
        return cell / (1 + t.tagSpacing) / kAprilTagSideBits;
    case TargetKind::Circles:
    case TargetKind::AsymmetricCircles:
        return cell * t.diameterFraction;
    case TargetKind::Checkerboard:
        break;
    }
    return cell;
}

int MarkersNeeded(const TargetOptions& t, int columns, int rows) {
    switch (t.kind) {
    case TargetKind::Charuco:
        // Half the squares are white, in either layout: a board with an odd
        // number of squares has its top-left square black, and the legacy
        // layout only differs from that with an even number of rows.
        return columns * rows / 2;
    case TargetKind::AprilGrid:
        return columns * rows;
    case TargetKind::Checkerboard:
    case TargetKind::Circles:
    case TargetKind::AsymmetricCircles:
        break;
    }
    return 0;
}

bool TargetUses(TargetKind kind, TargetField field) {
    const bool markers = kind == TargetKind::Charuco || kind == TargetKind::AprilGrid;
    const bool circles = kind == TargetKind::Circles || kind == TargetKind::AsymmetricCircles;
    switch (field) {
    case TargetField::Dictionary:
    case TargetField::MarkerFraction:
    case TargetField::Legacy:
        return kind == TargetKind::Charuco;
    case TargetField::FirstId:
        return markers;
    case TargetField::TagSpacing:
        return kind == TargetKind::AprilGrid;
    case TargetField::Diameter:
        return circles;
    case TargetField::Legend:
        return kind == TargetKind::Checkerboard;
    case TargetField::None:
        break;
    }
    return true;
}

QString TargetValueProblem(const TargetOptions& t, TargetField field) {
    switch (field) {
    case TargetField::Dictionary:
        if (!FindDictionary(t.dictionary))
            return Tr("There is no marker dictionary named \u201c%1\u201d; the names are %2.")
                .arg(t.dictionary, DictionaryNames().join(QStringLiteral(", ")));
        break;
    case TargetField::MarkerFraction:
        if (!InRange(t.markerFraction, kMaxMarkerFraction))
            return Tr("The marker side must lie above 0 and at most %1 of the square side.")
                .arg(kMaxMarkerFraction);
        break;
    case TargetField::FirstId:
        if (t.firstId < 0)
            return Tr("The first marker ID must be 0 or more, not %1.").arg(t.firstId);
        break;
    case TargetField::TagSpacing:
        if (!InRange(t.tagSpacing, kMaxTagSpacing))
            return Tr("The spacing between tags must lie above 0 and at most %1 of the tag side.")
                .arg(kMaxTagSpacing);
        break;
    case TargetField::Diameter:
        if (!InRange(t.diameterFraction, kMaxDiameterFraction))
            return Tr("The circle diameter must lie above 0 and at most %1 of the pitch.")
                .arg(kMaxDiameterFraction);
        break;
    case TargetField::Legacy:
    case TargetField::Legend:
    case TargetField::None:
        break;
    }
    return QString();
}

QString TargetProblem(const TargetOptions& t, int columns, int rows, TargetField* field) {
    for (TargetField f : {TargetField::Dictionary, TargetField::MarkerFraction,
                          TargetField::FirstId, TargetField::TagSpacing, TargetField::Diameter}) {
        if (!TargetUses(t.kind, f))
            continue;
        if (const QString problem = TargetValueProblem(t, f); !problem.isEmpty()) {
            if (field)
                *field = f;
            return problem;
        }
    }
    if (field)
        *field = TargetField::None;
    const QString dictionary =
        t.kind == TargetKind::AprilGrid ? QString::fromLatin1(kAprilGridDictionary) : t.dictionary;
    return MarkerProblem(dictionary, t.firstId, MarkersNeeded(t, columns, rows));
}
