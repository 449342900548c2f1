// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// A value as an error message echoes it: up to this many characters, then cut.
constexpr int kEchoedChars = 40;

// A typed value as a message echoes it: a long one cut short with "…".
QString Echoed(const QString& text);

// A file name as a message echoes it: whole up to four cuts' length, else its
// start and its end (where the file's own name stands) around "…".
QString EchoedName(const QString& path);
