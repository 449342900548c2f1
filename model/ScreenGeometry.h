// SPDX-License-Identifier: MIT
#pragma once

#include "model/ScaleCorrection.h"

#include <QSize>
#include <QSizeF>
#include <QString>

// A monitor as the display reports it: its picture's physical size, its size
// in the desktop's pixels and how many device pixels each of those is.
struct ScreenMetrics {
    QString name; // "Dell U2720Q (DP-1)": maker, model and connector
    QSizeF physicalMm;
    QSize desktopPixels;
    double devicePixelRatio = 1;
};

// The board on a monitor at its exact size: drawn in the monitor's own
// pixels, whatever the desktop's scale factor, at the resolution its reported
// size gives; the measured correction then scales every length, as a
// printer's does.
class ScreenGeometry {
public:
    ScreenGeometry(const ScreenMetrics& metrics, const ScaleCorrection& correction);

    // Why the reported size cannot be trusted (none, or not one a monitor
    // has); empty when it can.
    QString problem() const;
    bool usable() const { return problem().isEmpty(); }

    // The whole monitor in device pixels.
    QSize devicePixels() const;
    // Device pixels per inch across and down from the reported size,
    // uncorrected (0 when not usable).
    double dpiX() const;
    double dpiY() const;
    // Device pixels a length in millimetres takes across and down, corrected.
    double pixelsAcross(double mm) const;
    double pixelsDown(double mm) const;

    // The board as a PNG of exactly the monitor's device pixels, for the
    // command line: a whole resolution, the paper that gives those pixels at
    // it, and the correction times what rounding the resolution changed.
    struct ImagePage {
        QSizeF paperMm;
        int dpi = 0;
        ScaleCorrection scale;
    };
    ImagePage imagePage() const;

    const ScreenMetrics& metrics() const { return m_metrics; }
    const ScaleCorrection& correction() const { return m_correction; }

private:
    ScreenMetrics m_metrics;
    ScaleCorrection m_correction;
};

// The key a monitor's correction is stored under beside the printers'.
QString ScreenCorrectionKey(const QString& screenName);
