// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// The unit combos hold "cm", "inches", "pixels" in this order; the selected
// index is the unit, and any other index (-1: no item) means no conversion.
enum UnitIndex { kUnitCm = 0, kUnitInches = 1, kUnitPixels = 2 };

// Lengths of an inch, for papers, files and cards measured in millimetres and metres.
constexpr double kMillimetresPerInch = 25.4;
constexpr double kMetresPerInch = 0.0254;

// 1/2.54 held as a single-precision float (0.39370078, bits 0x3EC99326).
extern const float k;

// "cm", "inches", "pixels"; empty for an index that names no unit.
QString UnitName(int unitIndex);

// Printer pixels per unit for a resolution of dpi dots per inch: dpi * k for
// cm (formed in double, not rounded to float), dpi for inches, 1 for pixels.
// A printer's scale correction multiplies the physical units (cm, inches),
// never its own pixels. Returns false for an index that names no unit.
bool PixelsPerUnit(int unitIndex, float dpi, double& pixelsPerUnit, double correction = 1.0);
