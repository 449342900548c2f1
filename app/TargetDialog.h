// SPDX-License-Identifier: MIT
#pragma once

#include "targets/TargetOptions.h"

#include <QDialog>
#include <optional>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;

// Target > Options…: the chosen kind's own parameters (the kind itself is
// chosen in the Target menu). Only the rows that apply to the kind are shown;
// OK with a value that cannot be used, or a board that cannot be made with
// them, keeps the dialog open and says why.
class TargetDialog : public QDialog {
    Q_OBJECT
public:
    // columns, rows: the board's counts, against which the values are checked.
    TargetDialog(const TargetOptions& current, int columns, int rows, QWidget* parent = nullptr);

    // The options chosen; the current ones until the dialog is accepted.
    TargetOptions options() const { return m_result; }

    // Reads the controls into result; the reason when a value cannot be used
    // (result is then incomplete), otherwise "".
    QString read(TargetOptions& result) const;

    // The AprilGrid's tag side as shown, in the window's unit (Kalibr's tagSize).
    void setTagSize(double tag, const QString& unitName);
    // The tag side typed, when it was changed: the pitch is to follow it.
    std::optional<double> tagSize() const { return m_tag; }

    void accept() override;

private:
    void showRows(TargetKind kind);

    TargetOptions m_result;
    int m_columns;
    int m_rows;
    QFormLayout* m_form;
    QComboBox* cbDictionary;
    QLineEdit* eMarkerFraction;
    QLineEdit* eFirstId;
    QCheckBox* cbLegacy;
    QLineEdit* eDiameter;
    QLineEdit* eTagSpacing;
    QLineEdit* eTagSize;
    QString m_tagShown;
    std::optional<double> m_tag;
    QCheckBox* cbLegend;
    QLabel* lProblem;
};
