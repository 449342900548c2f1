// SPDX-License-Identifier: MIT
#pragma once

#include "render/SheetInputs.h"
#include "render/TilePlan.h"

#include <QDialog>
#include <QImage>

// File > Tiled over sheets…: the board over sheets of the current paper, as
// its first page shows the assembly (the sheets' layout and where each seam
// falls), with how many sheets it takes. The user prints it or saves it as a
// PDF from here; the dialog ends with that choice.
class TileDialog : public QDialog {
    Q_OBJECT
public:
    enum Choice { Closed = QDialog::Rejected, Print = 2, Save = 3 };

    TileDialog(const SheetInputs& in, const TilePlan& plan, const QString& paper,
               QWidget* parent = nullptr);

    // The assembly page as shown, reduced to fit the dialog.
    const QImage& assembly() const { return m_assembly; }

private:
    QImage m_assembly;
};
