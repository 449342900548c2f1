// SPDX-License-Identifier: MIT
#include "model/EchoedText.h"

namespace {
const QChar kEllipsis(0x2026);
constexpr int kNameChars = 4 * kEchoedChars;
} // namespace

QString Echoed(const QString& text) {
    return text.size() > kEchoedChars ? text.left(kEchoedChars) + kEllipsis : text;
}

QString EchoedName(const QString& path) {
    constexpr int kEachEnd = kNameChars / 2;
    return path.size() > kNameChars ? path.left(kEachEnd) + kEllipsis + path.right(kEachEnd) : path;
}
