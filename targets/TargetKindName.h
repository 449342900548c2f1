// SPDX-License-Identifier: MIT
#pragma once

#include "targets/TargetOptions.h"

#include <QStringList>

// The command line's word for each kind ("checkerboard", "charuco", "circles",
// "acircles"); empty for a kind that has none.
QString TargetKindKey(TargetKind kind);

// The kind by its word, case-insensitive; false (and kind alone) for none.
bool TargetKindFromKey(const QString& key, TargetKind& kind);

// Every kind's word, in the order of the Target menu.
QStringList TargetKindKeys();
