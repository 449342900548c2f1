// SPDX-License-Identifier: MIT
#pragma once

#include "output/FilePage.h"
#include "render/SheetInputs.h"
#include "render/SheetTitle.h"
#include "render/TilePlan.h"
#include <QString>

enum class FileFormat { Pdf, Svg, Png };

// The format a file name asks for by its extension (.pdf, .svg or .png, any case);
// false for any other name.
bool FormatForFile(const QString& path, FileFormat& format);

// The format's name as users know it: "PDF", "SVG", "PNG".
QString FormatName(FileFormat format);

// An image's page: the paper in whole pixels at the page's resolution from its
// millimetres as defined (a phone's screen typed as 65.1 x 141.1 mm at 460 ppi
// is its 1179 x 2555 pixels, not Qt's page rounded to points), and the
// printable area in it, the margins taken off in whole pixels.
QSize ImagePaperPixels(const FilePage& page);
QRect ImagePrintableRect(const FilePage& page);

// Writes the sheet as one page: the paper as the page, the drawing by
// DrawBoard at scale 1 in the printable area; PDF and SVG as vectors, PNG as
// the paper's pixels at the page's resolution (stored in the file), drawn by
// the same renderer as a print, so a checker is the same whole number of pixels. The file is
// written whole or not at all: into a temporary file beside it that replaces it only once every
// byte is written. Throws FileError naming the file and the reason (an
// existing file is then untouched and no temporary file is left), or
// ConversionError from the renderer.
void WriteSheetFile(const QString& path, FileFormat format, const FilePage& page,
                    const SheetInputs& in);

// Writes a tiled board as PDF, whole or not at all as WriteSheetFile writes:
// the assembly page first, then each sheet of the plan, drawn and emitted one
// page at a time.
void WriteTiledFile(const QString& path, const FilePage& page, const SheetInputs& in,
                    const TilePlan& plan);

// The bytes of the SVG file that WriteSheetFile writes, made in memory.
QByteArray SheetSvg(const FilePage& page, const SheetInputs& in);
