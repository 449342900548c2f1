// SPDX-License-Identifier: MIT
#pragma once

#include "render/SheetInputs.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <string>

// Where and how a board was made: printed on a printer or written to a file
// (then the printer's name is empty) or shown on a screen, whether the page
// holds it whole, and what it measured once printed.
struct CardPage {
    QString printer;
    QString paper;
    QDate date;
    // Where the page cuts the board ("the drawing runs 4.5 mm across beyond
    // it"); empty when the board is whole on the page.
    QString cutOff;
    // The outer size of the board's cells as measured on paper, in metres;
    // 0 when not measured.
    double measuredWidth = 0;
    double measuredHeight = 0;
    int pngDpi = 0; // a PNG file's pixels per inch; 0 for any other page
    // A tiled board's sheets across and down; 0 when it is on one page.
    int tilesAcross = 0;
    int tilesDown = 0;
    QString screen = {}; // the monitor it was shown on; empty when not shown
};

// The calibration tools a card speaks to.
enum class CardTool { Kalibr, OpenCv, Ros };

// What every calibration tool must be told about a board, in its own words:
// at the top level Kalibr's target file (aprilgrid, checkerboard, circlegrid),
// beside it OpenCV's pattern as its functions take it, the camera_calibration
// command line of ROS, and the page it was made on. A tool that cannot use the
// board as printed gets, instead of its settings, the reason. Lengths are in
// metres as drawn: whole printer pixels over the resolution and the scale
// correction, or as measured when the board was measured.
class BoardCard {
public:
    BoardCard(const SheetInputs& in, const CardPage& page);

    // The card as YAML text.
    std::string yaml() const;
    // ROS's camera_calibration command line for the board; empty when ROS
    // cannot use it (unusable() says why).
    QString rosCommand() const;
    // For ChArUco: the OpenCV layout ROS must build, and which ROS
    // distributions' OpenCV builds it; otherwise empty.
    QString rosLayout() const;
    // Why the tool cannot use the board as printed; empty when it can.
    QString unusable(CardTool tool) const;
    // "Kalibr: reason" for every tool that cannot use the board.
    QStringList problems() const;
    // What the report adds: the drawn cell against the one asked for, the
    // measured scale and a difference between its two directions.
    QStringList notes() const;
    // Writes the card whole or not at all: into a temporary file that
    // replaces path only once every byte is written. Throws FileError.
    void write(const QString& path) const;

    // The cell's width and height in metres, as the card gives them.
    double cellWidthMetres() const { return m_cellWidth; }
    double cellHeightMetres() const { return m_cellHeight; }

private:
    QString kalibrProblem() const;
    QString openCvProblem() const;
    QString rosProblem() const;
    // Whether the cells' two sides differ more than a tool taking one length allows.
    bool oblong() const;
    // One length for a tool that takes one: the mean of the two sides.
    double side() const { return (m_cellWidth + m_cellHeight) / 2; }

    SheetInputs m_in;
    CardPage m_page;
    double m_nominalWidth = 0; // the cell asked for
    double m_nominalHeight = 0;
    double m_drawnWidth = 0; // the cell drawn in whole printer pixels
    double m_drawnHeight = 0;
    double m_cellWidth = 0; // the cell the card gives: drawn, or measured
    double m_cellHeight = 0;
};

// A length typed in a unit of the window (model/Units.h) in metres; pixels
// are the printer's at dpi. For the measured board.
double LengthMetres(double value, int unitIndex, float dpi);

// A tool's name as the report and the window give it.
QString CardToolName(CardTool tool);
