// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>

// The button glyphs and the application icon, drawn in code (16 x 16 and
// larger sizes for the icon); the disabled look comes from the platform.
namespace Glyphs {
QIcon setup();
QIcon inside();
QIcon print();
QIcon application();
// The application icon at one size, for installing it as a file.
QImage applicationImage(int size);
} // namespace Glyphs
