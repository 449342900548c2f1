// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// Whether two names lead to one file, so that writing one would replace the
// other: one path once "." and ".." are gone and folders are resolved, a
// symbolic link (also one to a file not made yet), or two hard links.
bool SameFile(const QString& a, const QString& b);
