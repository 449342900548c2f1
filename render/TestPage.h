// SPDX-License-Identifier: MIT
#pragma once

#include "model/ScaleCorrection.h"
#include "render/TRect.h"

#include <QString>

class Canvas;

// The page printed to measure a printer's scale: a long bar across and a long
// bar down, each a whole number of centimetres (or inches) long with a tick
// every centimetre (or half inch) and its nominal length written beside it,
// drawn at the printer's resolution with the correction in force, so that a
// ruler laid on it shows how far the printer is off.
struct TestPageInputs {
    int pageWidth = 0; // printable page, printer pixels
    int pageHeight = 0;
    float dpiX = 0;
    float dpiY = 0;
    bool inches = false; // otherwise centimetres
    ScaleCorrection correction;
};

struct TestPageLayout {
    int unitsAcross = 0; // nominal length of each bar, in whole units
    int unitsDown = 0;
    TRect across; // the bars as drawn, target pixels
    TRect down;
};

// Where the bars go on the page; a page too small for a bar of one unit gives
// a length of 0 and no bar.
TestPageLayout LayOutTestPage(const TestPageInputs& in);

// Draws the test page on a white surface at scale 1.
void DrawTestPage(Canvas& canvas, const TestPageInputs& in);
