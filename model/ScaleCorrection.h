// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// A printer's measured scale error, corrected: every physical length drawn for
// that printer is multiplied by these factors (across and down) before it
// becomes printer pixels, so that a printer that prints 1 % too large gets
// lengths 1 % smaller and the paper shows them nominal. Pixel lengths are the
// printer's own and stay as they are.
struct ScaleCorrection {
    double across = 1.0;
    double down = 1.0;

    bool isIdentity() const { return across == 1.0 && down == 1.0; }
    bool operator==(const ScaleCorrection& o) const { return across == o.across && down == o.down; }
};

// The furthest a correction may lie from 100 %: beyond it the page was
// rescaled on its way to paper (a "fit to page" option), not misprinted.
constexpr double kMaxCorrection = 0.05;

// Whether both factors lie within 100 % +/- kMaxCorrection.
bool IsPlausible(const ScaleCorrection& c);

// The correction that makes lengths measured on a page printed with the
// correction `current` come out as their nominal lengths; measured and nominal
// lengths in one unit. Returns false (and leaves result alone) for a
// measurement that is no positive number.
bool CorrectionFromMeasurement(const ScaleCorrection& current, double nominalAcross,
                               double measuredAcross, double nominalDown, double measuredDown,
                               ScaleCorrection& result);

// A measured length ten times the bar's, or a tenth of it, is a slip of the
// unit (181 typed for a bar of 18.1 cm, millimetres for centimetres), not a
// rescaled page. factor: one factor of a correction from a measurement.
// Returns 10 or 0.1, how far the reading is off; 1 when it is no such slip.
double UnitSlip(double factor);

// "100.4 % x 99.7 %", one decimal, always a point.
QString CorrectionText(const ScaleCorrection& c);

// Parses "100.4x99.7" (percent across x down; one number for both). Returns
// false for anything else, and for a correction that is not plausible.
bool ParseCorrectionPercent(const QString& text, ScaleCorrection& result);

// The correction stored for a printer (by its name); identity when none is,
// and when the stored one cannot be used: then problem, when given, says so
// and why (a pipe as the settings file, "nan", 200 %); otherwise it is left
// alone.
ScaleCorrection LoadCorrection(const QString& printerName, QString* problem = nullptr);
// Stores it for the printer; the identity removes what was stored. Throws
// std::runtime_error naming the settings file when it cannot be written.
void StoreCorrection(const QString& printerName, const ScaleCorrection& c);
