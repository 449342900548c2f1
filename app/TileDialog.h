// SPDX-License-Identifier: MIT
#pragma once

#include "render/SheetInputs.h"
#include "render/TilePlan.h"

#include <QDialog>
#include <QImage>

// File > Tiled over sheets…: the board over sheets of the current paper, with
// where each seam falls drawn over it and how many sheets it takes. The user
// prints it or saves it as a PDF from here; the dialog ends with that choice.
class TileDialog : public QDialog {
    Q_OBJECT
public:
    enum Choice { Closed = QDialog::Rejected, Print = 2, Save = 3 };

    TileDialog(const SheetInputs& in, const TilePlan& plan, const QString& paper,
               QWidget* parent = nullptr);

    // The board with its seams, as shown.
    const QImage& seams() const { return m_seams; }

private:
    QImage m_seams;
};
