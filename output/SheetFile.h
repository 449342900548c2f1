// SPDX-License-Identifier: MIT
#pragma once

#include "output/FilePage.h"
#include "render/SheetInputs.h"
#include <QString>

enum class FileFormat { Pdf, Svg };

// The format a file name asks for by its extension (.pdf or .svg, any case);
// false for any other name.
bool FormatForFile(const QString& path, FileFormat& format);

// The format's name as users know it: "PDF", "SVG".
QString FormatName(FileFormat format);

// The board in words by its cells, as the file's title: "5 × 6 squares of 3 cm
// (4 × 5 inner corners)", "… of 2.5 × 3 cm …" when they are not square,
// "4 × 11 circles …", "6 × 6 tags of 2 cm (pitch 2.6 cm)".
QString SheetTitle(const SheetInputs& in);

// Writes the sheet as one vector page: the paper as the page, the drawing by
// DrawBoard at scale 1 in the printable area. The file is written whole or not
// at all: into a temporary file beside it that replaces it only once every
// byte is written. Throws FileError naming the file and the reason (an
// existing file is then untouched and no temporary file is left), or
// ConversionError from the renderer.
void WriteSheetFile(const QString& path, FileFormat format, const FilePage& page,
                    const SheetInputs& in);

// The bytes of the SVG file that WriteSheetFile writes, made in memory.
QByteArray SheetSvg(const FilePage& page, const SheetInputs& in);
