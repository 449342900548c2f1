// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>

class QPageLayout;
class QPicture;

// The recorded page as a one-page PDF document in memory: the paper and the
// margins of layout, at resolution dots per inch, the picture's origin at the
// printable area's top-left, drawn as vectors. The picture was recorded in
// those dots. Throws std::runtime_error when no PDF could be made.
QByteArray RenderPdfPage(const QPicture& page, const QPageLayout& layout, int resolution);
