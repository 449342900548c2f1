// SPDX-License-Identifier: MIT
#include "model/Units.h"


const float k = float(1 / 2.54);

QString UnitName(int unitIndex) {
    switch (unitIndex) {
    case kUnitCm:
        return QStringLiteral("cm");
    case kUnitInches:
        return QStringLiteral("inches");
    case kUnitPixels:
        return QStringLiteral("pixels");
    default:
        return QString();
    }
}

bool PixelsPerUnit(int unitIndex, float dpi, double& pixelsPerUnit, double correction) {
    switch (unitIndex) {
    case kUnitCm:
        pixelsPerUnit = double(dpi) * double(k) * correction;
        return true;
    case kUnitInches:
        pixelsPerUnit = double(dpi) * correction;
        return true;
    case kUnitPixels:
        pixelsPerUnit = 1;
        return true;
    default:
        return false;
    }
}
