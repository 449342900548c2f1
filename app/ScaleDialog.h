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
class ScaleDialog : public QDialog {
    Q_OBJECT
public:
    // unitsAcross/unitsDown: the bars' nominal lengths in unitName ("cm" or
    // "inches"); printTestPage prints the test page (and throws on failure).
    ScaleDialog(const QString& printerName, const QString& unitName, int unitsAcross, int unitsDown,
                const ScaleCorrection& current, std::function<void()> printTestPage,
                QWidget* parent = nullptr);

    // The correction chosen; the current one until the dialog is accepted.
    ScaleCorrection correction() const { return m_result; }

    // The correction the two measured lengths give, if both are numbers.
    bool measured(ScaleCorrection& result) const;

    void accept() override;

private:
    void showMeasured();

    QString m_unitName;
    int m_unitsAcross;
    int m_unitsDown;
    ScaleCorrection m_current;
    ScaleCorrection m_result;
    QLineEdit* m_across;
    QLineEdit* m_down;
    QLabel* m_outcome;
};
