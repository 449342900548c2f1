// SPDX-License-Identifier: MIT
#pragma once

#include "model/PrinterDevice.h"

class QWidget;

// The window's printer: a printer the user can choose and set up in a dialog.
class WindowPrinter : public PrinterDevice {
public:
    // Shows the printer-setup dialog modally (choose printer, paper,
    // orientation). Whether the user confirmed or cancelled is not reported:
    // the caller reads the printer again either way.
    virtual void setup(QWidget* parent) = 0;
    // How the printer was found when it is not the default one (the first
    // listed, a default that is gone); empty otherwise.
    virtual QString foundNote() const { return {}; }
};
