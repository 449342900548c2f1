// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <QSizeF>
#include <optional>

class QLabel;
class QLineEdit;

// File > Board as measured…: the outer size of the printed board's cells as
// measured on paper, in the window's unit. Both empty: not measured. OK with
// a size that is no positive number keeps the dialog open and says why.
class MeasuredDialog : public QDialog {
    Q_OBJECT
public:
    // drawn: the board's cells as drawn; current: the size measured so far.
    MeasuredDialog(const QString& drawn, const QString& unit, const std::optional<QSizeF>& current,
                   QWidget* parent = nullptr);

    std::optional<QSizeF> measured() const { return m_measured; }
    void accept() override;

private:
    std::optional<QSizeF> m_measured;
    QLineEdit* eMeasuredWidth;
    QLineEdit* eMeasuredHeight;
    QLabel* lProblem;
};
