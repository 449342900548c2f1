// SPDX-License-Identifier: MIT
#include "app/ScaleDialog.h"

#include "model/NumberText.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <exception>

ScaleDialog::ScaleDialog(const QString& deviceName, const QString& unitName, int unitsAcross,
                         int unitsDown, const ScaleCorrection& current,
                         std::function<void()> showBars, QWidget* parent, Device device)
    : QDialog(parent), m_device(device), m_unitName(unitName), m_unitsAcross(unitsAcross),
      m_unitsDown(unitsDown), m_current(current), m_result(current), m_across(new QLineEdit(this)),
      m_down(new QLineEdit(this)), m_outcome(new QLabel(this)) {
    const bool printer = device == Device::Printer;
    setWindowTitle(tr("Scale of %1").arg(deviceName));
    setObjectName(QStringLiteral("scaleDialog"));
    m_across->setObjectName(QStringLiteral("eMeasuredAcross"));
    m_down->setObjectName(QStringLiteral("eMeasuredDown"));
    m_outcome->setObjectName(QStringLiteral("lCorrection"));

    auto* intro = new QLabel(
        printer ? tr("Print the test page on %1, measure both bars from end to end with a ruler "
                     "and type what you measured. Every later print on this printer is then "
                     "corrected so that lengths come out as set.")
                      .arg(deviceName)
                : tr("Show the bars on %1, measure both from end to end with a ruler held flat "
                     "on the glass and type what you measured. Every later board shown on this "
                     "monitor is then corrected so that lengths come out as set.")
                      .arg(deviceName),
        this);
    intro->setWordWrap(true);
    auto* print = new QPushButton(printer ? tr("Print test page") : tr("Show bars"), this);
    print->setObjectName(printer ? QStringLiteral("bbPrintTestPage")
                                 : QStringLiteral("bbShowBars"));
    connect(print, &QPushButton::clicked, this, [this, showBars] {
        try {
            showBars();
        } catch (const std::exception& e) {
            QMessageBox::critical(this, windowTitle(), QString::fromUtf8(e.what()));
        }
    });

    auto* form = new QFormLayout;
    // Each length in the bars' unit, said beside the field.
    const auto withUnit = [this, &unitName](QLineEdit* edit, const char* name) {
        auto* row = new QHBoxLayout;
        auto* unit = new QLabel(unitName, this);
        unit->setObjectName(QLatin1String(name));
        row->addWidget(edit);
        row->addWidget(unit);
        return row;
    };
    form->addRow(tr("Bar across, %1 %2, measures:").arg(unitsAcross).arg(unitName),
                 withUnit(m_across, "lMeasuredAcrossUnit"));
    form->addRow(tr("Bar down, %1 %2, measures:").arg(unitsDown).arg(unitName),
                 withUnit(m_down, "lMeasuredDownUnit"));
    for (QLineEdit* edit : {m_across, m_down})
        connect(edit, &QLineEdit::textChanged, this, &ScaleDialog::showMeasured);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* reset = buttons->addButton(tr("Reset"), QDialogButtonBox::ResetRole);
    reset->setObjectName(QStringLiteral("bbReset"));
    connect(reset, &QPushButton::clicked, this, [this] {
        m_result = ScaleCorrection();
        QDialog::accept();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &ScaleDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ScaleDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(print, 0, Qt::AlignLeft);
    layout->addLayout(form);
    layout->addWidget(m_outcome);
    layout->addWidget(buttons);
    showMeasured();
}

bool ScaleDialog::measured(ScaleCorrection& result) const {
    double across = 0, down = 0;
    return TryStrToFloat(m_across->text(), across) && TryStrToFloat(m_down->text(), down) &&
           CorrectionFromMeasurement(m_current, m_unitsAcross, across, m_unitsDown, down, result);
}

QString ScaleDialog::unitSlip(const ScaleCorrection& c) const {
    const struct {
        double factor;
        QString measured, bar;
        int nominal;
    } bars[] = {{c.across, m_across->text(), tr("across"), m_unitsAcross},
                {c.down, m_down->text(), tr("down"), m_unitsDown}};
    for (const auto& b : bars) {
        const double slip = UnitSlip(b.factor);
        if (slip > 1)
            return tr("%1 %2 is ten times the bar %3 (%4 %2): a reading in a smaller unit, such "
                      "as millimetres for centimetres? Type what you measured in %2.")
                .arg(b.measured, m_unitName, b.bar)
                .arg(b.nominal);
        if (slip < 1)
            return tr("%1 %2 is a tenth of the bar %3 (%4 %2): a reading in a larger unit? Type "
                      "what you measured in %2.")
                .arg(b.measured, m_unitName, b.bar)
                .arg(b.nominal);
    }
    return QString();
}

void ScaleDialog::showMeasured() {
    ScaleCorrection c;
    if (!measured(c))
        m_outcome->setText(tr("Correction in force: %1").arg(CorrectionText(m_current)));
    else if (IsPlausible(c))
        m_outcome->setText(tr("New correction: %1").arg(CorrectionText(c)));
    else if (const QString slip = unitSlip(c); !slip.isEmpty())
        m_outcome->setText(slip);
    else
        m_outcome->setText(tr("%1 is too far from 100 %: see OK.").arg(CorrectionText(c)));
}

void ScaleDialog::accept() {
    ScaleCorrection c;
    if (m_across->text().isEmpty() && m_down->text().isEmpty()) {
        QDialog::accept(); // nothing measured: the correction stays
        return;
    }
    if (!measured(c)) {
        QMessageBox::warning(this, windowTitle(),
                             tr("Type both measured lengths in %1, for example %2.")
                                 .arg(m_unitName, FloatToStr(m_unitsAcross + 0.5)));
        return;
    }
    if (const QString slip = unitSlip(c); !IsPlausible(c) && !slip.isEmpty()) {
        QMessageBox::warning(this, windowTitle(), slip);
        return;
    }
    if (!IsPlausible(c)) {
        const QString why =
            m_device == Device::Printer
                ? tr("No printer is that far off: the page was scaled on its way to paper. Switch "
                     "off \"Fit to page\", \"Scale to fit\" or any other scaling in the print "
                     "dialog and in the printer's driver settings (print at 100 %), then print "
                     "the test page again and measure it.")
                : tr("The size this monitor reports is not its picture's: measure again from "
                     "end to end, and check that the desktop shows the whole picture (no "
                     "overscan, no zoom).");
        QMessageBox::warning(this, windowTitle(),
                             tr("These lengths call for a correction of %1, more than 5 % from "
                                "100 %. %2 The correction stays as it was.")
                                 .arg(CorrectionText(c), why));
        return;
    }
    m_result = c;
    QDialog::accept();
}
