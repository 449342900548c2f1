// SPDX-License-Identifier: MIT
#pragma once

#include "model/ScaleCorrection.h"

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;

// Measures a printer's scale: the user prints the test page, lays a ruler on
// its two bars and types what they measure; the dialog shows the correction
// that makes them come out nominal, refuses one that no printer needs (the
// page was rescaled on its way to paper), and offers going back to 100 %.
// A monitor's scale the same way, its bars shown on it instead of printed.
class ScaleDialog : public QDialog {
    Q_OBJECT
public:
    enum class Device { Printer, Screen };
    // unitsAcross/unitsDown: the bars' nominal lengths in unitName ("cm",
    // "inches" or "mm"); showBars prints the test page or shows the bars on
    // the monitor (and throws on failure).
    ScaleDialog(const QString& deviceName, const QString& unitName, int unitsAcross, int unitsDown,
                const ScaleCorrection& current, std::function<void()> showBars,
                QWidget* parent = nullptr, Device device = Device::Printer);

    // The correction chosen; the current one until the dialog is accepted.
    ScaleCorrection correction() const { return m_result; }

    // The correction the two measured lengths give, if both are numbers.
    bool measured(ScaleCorrection& result) const;

    void accept() override;

private:
    void showMeasured();
    // Why a measured length is ten times off, or empty when neither is.
    QString unitSlip(const ScaleCorrection& c) const;

    Device m_device;
    QString m_unitName;
    int m_unitsAcross;
    int m_unitsDown;
    ScaleCorrection m_current;
    ScaleCorrection m_result;
    QLineEdit* m_across;
    QLineEdit* m_down;
    QLabel* m_outcome;
};
