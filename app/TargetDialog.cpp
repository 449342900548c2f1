// SPDX-License-Identifier: MIT
#include "app/TargetDialog.h"

#include "model/NumberText.h"
#include "targets/MarkerDictionary.h"
#include "targets/TargetCheck.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

// The reason a value is refused, in the red the window's own problems use.
const char* const kProblemStyle = "color: #c00000";

bool UsesFirstId(TargetKind kind) {
    return TargetUses(kind, TargetField::FirstId);
}
bool IsCircleGrid(TargetKind kind) {
    return TargetUses(kind, TargetField::Diameter);
}

} // namespace

TargetDialog::TargetDialog(const TargetOptions& current, int columns, int rows, QWidget* parent)
    : QDialog(parent), m_result(current), m_columns(columns), m_rows(rows), m_form(new QFormLayout),
      cbDictionary(new QComboBox(this)), eMarkerFraction(new QLineEdit(this)),
      eFirstId(new QLineEdit(this)), cbLegacy(new QCheckBox(this)), eDiameter(new QLineEdit(this)),
      eTagSpacing(new QLineEdit(this)), eTagSize(new QLineEdit(this)),
      cbLegend(new QCheckBox(this)), lProblem(new QLabel(this)) {
    setWindowTitle(tr("Target options"));
    setObjectName(QStringLiteral("targetDialog"));
    cbDictionary->setObjectName(QStringLiteral("cbDictionary"));
    eMarkerFraction->setObjectName(QStringLiteral("eMarkerFraction"));
    eFirstId->setObjectName(QStringLiteral("eFirstId"));
    cbLegacy->setObjectName(QStringLiteral("cbLegacy"));
    eDiameter->setObjectName(QStringLiteral("eDiameter"));
    eTagSpacing->setObjectName(QStringLiteral("eTagSpacing"));
    eTagSize->setObjectName(QStringLiteral("eTagSize"));
    cbLegend->setObjectName(QStringLiteral("cbLegend"));
    lProblem->setObjectName(QStringLiteral("lProblem"));

    cbDictionary->addItems(DictionaryNames());
    if (const MarkerDictionary* d = FindDictionary(current.dictionary))
        cbDictionary->setCurrentIndex(cbDictionary->findText(d->name));
    eMarkerFraction->setText(FloatToStr(current.markerFraction));
    eFirstId->setText(QString::number(current.firstId));
    cbLegacy->setText(tr("OpenCV's layout before 4.6"));
    cbLegacy->setChecked(current.legacy);
    eDiameter->setText(FloatToStr(current.diameterFraction));
    eTagSpacing->setText(FloatToStr(current.tagSpacing));
    cbLegend->setText(tr("Name the target beneath the board"));
    cbLegend->setChecked(current.legend);
    lProblem->setWordWrap(true);
    lProblem->setStyleSheet(QLatin1String(kProblemStyle));
    lProblem->hide();

    m_form->addRow(tr("Marker dictionary:"), cbDictionary);
    m_form->addRow(tr("Marker side (fraction of the square):"), eMarkerFraction);
    m_form->addRow(tr("First marker ID:"), eFirstId);
    m_form->addRow(QString(), cbLegacy);
    m_form->addRow(tr("Circle diameter (fraction of the cell):"), eDiameter);
    // Kalibr's words: the tag size first, then the spacing; the pitch follows.
    m_form->addRow(tr("Tag size:"), eTagSize);
    m_form->addRow(tr("Tag spacing (fraction of the tag):"), eTagSpacing);
    m_form->addRow(QString(), cbLegend);
    showRows(current.kind);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &TargetDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TargetDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_form);
    layout->addWidget(lProblem);
    layout->addWidget(buttons);
}

void TargetDialog::showRows(TargetKind kind) {
    const std::pair<QWidget*, TargetField> rows[] = {
        {cbDictionary, TargetField::Dictionary}, {eMarkerFraction, TargetField::MarkerFraction},
        {eFirstId, TargetField::FirstId},        {cbLegacy, TargetField::Legacy},
        {eDiameter, TargetField::Diameter},      {eTagSpacing, TargetField::TagSpacing},
        {cbLegend, TargetField::Legend}};
    for (const auto& [control, field] : rows)
        m_form->setRowVisible(control, TargetUses(kind, field));
    m_form->setRowVisible(eTagSize, kind == TargetKind::AprilGrid);
}

QString TargetDialog::read(TargetOptions& result) const {
    result = m_result;
    const TargetKind kind = result.kind;
    const auto number = [this](const QLineEdit* edit, double& value) {
        return TryStrToFloat(edit->text(), value)
                   ? QString()
                   : tr("\u201c%1\u201d is not a number.").arg(edit->text());
    };
    QString problem;
    if (kind == TargetKind::Charuco) {
        result.dictionary = cbDictionary->currentText();
        result.legacy = cbLegacy->isChecked();
        problem = number(eMarkerFraction, result.markerFraction);
    }
    if (problem.isEmpty() && UsesFirstId(kind)) {
        bool whole = false;
        result.firstId = eFirstId->text().trimmed().toInt(&whole);
        if (!whole)
            problem = tr("\u201c%1\u201d is not a whole number.").arg(eFirstId->text());
    }
    if (problem.isEmpty() && IsCircleGrid(kind))
        problem = number(eDiameter, result.diameterFraction);
    if (problem.isEmpty() && kind == TargetKind::AprilGrid)
        problem = number(eTagSpacing, result.tagSpacing);
    if (kind == TargetKind::Checkerboard)
        result.legend = cbLegend->isChecked();
    // The same limits as the command line's, for the board as it stands.
    return problem.isEmpty() ? TargetProblem(result, m_columns, m_rows) : problem;
}

void TargetDialog::setTagSize(double tag, const QString& unitName) {
    m_tagShown = FloatToStr(tag);
    eTagSize->setText(m_tagShown);
    if (auto* label = qobject_cast<QLabel*>(m_form->labelForField(eTagSize)))
        label->setText(tr("Tag size (%1):").arg(unitName));
}

void TargetDialog::accept() {
    TargetOptions chosen;
    QString problem = read(chosen);
    m_tag.reset();
    double tag = 0;
    if (problem.isEmpty() && chosen.kind == TargetKind::AprilGrid &&
        eTagSize->text().trimmed() != m_tagShown) {
        if (TryStrToFloat(eTagSize->text(), tag) && tag > 0 && qIsFinite(tag))
            m_tag = tag;
        else
            problem = tr("The tag size must be a number above 0, not \u201c%1\u201d.")
                          .arg(eTagSize->text());
    }
    lProblem->setText(problem);
    lProblem->setVisible(!problem.isEmpty());
    if (!problem.isEmpty())
        return; // the dialog stays open with the reason beneath the values
    m_result = chosen;
    QDialog::accept();
}
