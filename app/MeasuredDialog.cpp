// SPDX-License-Identifier: MIT
#include "app/MeasuredDialog.h"

#include "model/NumberText.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

const char* const kProblemStyle = "color: #c00000";

} // namespace

MeasuredDialog::MeasuredDialog(const QString& drawn, const QString& unit,
                               const std::optional<QSizeF>& current, QWidget* parent)
    : QDialog(parent), m_measured(current), eMeasuredWidth(new QLineEdit(this)),
      eMeasuredHeight(new QLineEdit(this)), lProblem(new QLabel(this)) {
    setWindowTitle(tr("Board as measured"));
    setObjectName(QStringLiteral("measuredDialog"));
    eMeasuredWidth->setObjectName(QStringLiteral("eMeasuredWidth"));
    eMeasuredHeight->setObjectName(QStringLiteral("eMeasuredHeight"));
    lProblem->setObjectName(QStringLiteral("lProblem"));
    if (current) {
        eMeasuredWidth->setText(FloatToStr(current->width()));
        eMeasuredHeight->setText(FloatToStr(current->height()));
    }
    auto* note = new QLabel(tr("The board is drawn as %1. Measure their outer size on the "
                               "printed page (for a circle grid, from the outer circles' centres "
                               "and one cell more); the board card's lengths then follow the "
                               "measurement. Leave both empty for the drawn size.")
                                .arg(drawn),
                            this);
    note->setWordWrap(true);
    lProblem->setWordWrap(true);
    lProblem->setStyleSheet(QLatin1String(kProblemStyle));
    lProblem->hide();
    auto* form = new QFormLayout;
    form->addRow(tr("Width (%1):").arg(unit), eMeasuredWidth);
    form->addRow(tr("Height (%1):").arg(unit), eMeasuredHeight);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &MeasuredDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &MeasuredDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addLayout(form);
    layout->addWidget(lProblem);
    layout->addWidget(buttons);
}

void MeasuredDialog::accept() {
    const QString width = eMeasuredWidth->text().trimmed();
    const QString height = eMeasuredHeight->text().trimmed();
    if (width.isEmpty() && height.isEmpty()) {
        m_measured.reset();
        QDialog::accept();
        return;
    }
    double w = 0;
    double h = 0;
    if (!TryStrToFloat(width, w) || !TryStrToFloat(height, h) || !(w > 0) || !(h > 0) ||
        !qIsFinite(w) || !qIsFinite(h)) {
        lProblem->setText(tr("Give the measured width and height, both above 0."));
        lProblem->show();
        return;
    }
    m_measured = QSizeF(w, h);
    QDialog::accept();
}
