// SPDX-License-Identifier: MIT
#pragma once

#include "render/SheetInputs.h"

#include <QDate>
#include <QString>
#include <string>

// Where and how a board was made: printed on a printer or written to a file
// (then the printer's name is empty), or shown on a screen.
struct CardPage {
    QString printer;
    QString paper;
    QDate date;
    int pngDpi = 0;      // a PNG file's pixels per inch; 0 for any other page
    QString screen = {}; // the monitor it was shown on; empty when not shown
};

// What every calibration tool must be told about a board, in its own words:
// at the top level Kalibr's target file (aprilgrid, checkerboard, circlegrid),
// beside it OpenCV's pattern as its functions take it, the camera_calibration
// command line of ROS, and the page it was made on. Lengths are in metres as
// on paper: the nominal ones, which the printer's scale correction gives.
class BoardCard {
public:
    BoardCard(const SheetInputs& in, const CardPage& page);

    // The card as YAML text.
    std::string yaml() const;
    // ROS's camera_calibration command line for the board; for a target it
    // cannot read, a sentence that says so.
    QString rosCommand() const;
    // Writes the card whole or not at all: into a temporary file that
    // replaces path only once every byte is written. Throws FileError.
    void write(const QString& path) const;

    // The checker's width and height in metres, as typed in its unit.
    double cellWidthMetres() const { return m_cellWidth; }
    double cellHeightMetres() const { return m_cellHeight; }

private:
    SheetInputs m_in;
    CardPage m_page;
    double m_cellWidth = 0;
    double m_cellHeight = 0;
};
