// SPDX-License-Identifier: MIT
#pragma once

#include "cli/CommandLineOptions.h"
#include "model/ScreenGeometry.h"
#include "render/SheetInputs.h"

#include <QImage>
#include <QWidget>

// The board full-screen on one monitor at its exact size: drawn once in the
// monitor's device pixels, shown one to one whatever the desktop's scale
// factor. A line at the bottom edge names the board and the scale in force;
// H hides and shows it, Escape leaves. With bars set, it shows instead two
// bars of known length, across and down, for a ruler.
class ScreenView : public QWidget {
    Q_OBJECT
public:
    ScreenView(const BoardOptions& board, const ScreenGeometry& geometry,
               QWidget* parent = nullptr);

    // The renderer's inputs for the board on that monitor, at its device
    // pixels, resolution and correction.
    static SheetInputs Sheet(const BoardOptions& board, const ScreenGeometry& geometry);

    // The quadrix command that writes the board as a PNG of exactly the
    // monitor's device pixels, the same pixels as shown.
    static QString CommandLine(const BoardOptions& board, const ScreenGeometry& geometry);

    // Bars of these lengths in millimetres in place of the board.
    void showBars(double acrossMm, double downMm);

    // The page as drawn, in device pixels; its device pixel ratio the monitor's.
    const QImage& page() const { return m_page; }
    // The line at the edge; empty when hidden.
    QString legend() const { return m_legendShown ? m_legend : QString(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void drawBoard(const BoardOptions& board);

    ScreenGeometry m_geometry;
    QImage m_page;
    QString m_legend;
    bool m_legendShown = true;
};
