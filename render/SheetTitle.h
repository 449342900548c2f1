// SPDX-License-Identifier: MIT
#pragma once

#include "render/SheetInputs.h"
#include <QString>

// The board in words by its cells, as the file's title: "5 × 6 squares of 3 cm
// (4 × 5 inner corners)", "… of 2.5 × 3 cm …" when they are not square,
// "4 × 11 circles …", "6 × 6 tags of 2 cm (pitch 2.6 cm)".
QString SheetTitle(const SheetInputs& in);
