// SPDX-License-Identifier: MIT
#include "model/ScaleCorrection.h"

#include <QRegularExpression>
#include <QSettings>
#include <cmath>
#include <stdexcept>

namespace {

constexpr double kPercent = 100.0;
const char* const kSettingsGroup = "ScaleCorrection";

// Printer names may hold characters that QSettings reads as separators.
QString SettingsKey(const QString& printerName) {
    return QString::fromLatin1(kSettingsGroup) + QLatin1Char('/') +
           QString::fromLatin1(printerName.toUtf8().toPercentEncoding());
}

} // namespace

bool IsPlausible(const ScaleCorrection& c) {
    return std::fabs(c.across - 1.0) <= kMaxCorrection + 1e-12 &&
           std::fabs(c.down - 1.0) <= kMaxCorrection + 1e-12;
}

bool CorrectionFromMeasurement(const ScaleCorrection& current, double nominalAcross,
                               double measuredAcross, double nominalDown, double measuredDown,
                               ScaleCorrection& result) {
    const auto usable = [](double v) { return std::isfinite(v) && v > 0; };
    if (!usable(nominalAcross) || !usable(measuredAcross) || !usable(nominalDown) ||
        !usable(measuredDown))
        return false;
    result = {current.across * nominalAcross / measuredAcross,
              current.down * nominalDown / measuredDown};
    return true;
}

QString CorrectionText(const ScaleCorrection& c) {
    return QStringLiteral("%1 % \u00d7 %2 %")
        .arg(c.across * kPercent, 0, 'f', 1)
        .arg(c.down * kPercent, 0, 'f', 1);
}

bool ParseCorrectionPercent(const QString& text, ScaleCorrection& result) {
    static const QRegularExpression form(
        QStringLiteral(R"(^\s*(\d+(?:\.\d*)?)\s*%?\s*(?:[x\x{00d7}]\s*(\d+(?:\.\d*)?)\s*%?)?\s*$)"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return false;
    const double across = m.captured(1).toDouble() / kPercent;
    const double down = m.hasCaptured(2) ? m.captured(2).toDouble() / kPercent : across;
    const ScaleCorrection parsed{across, down};
    if (!IsPlausible(parsed))
        return false;
    result = parsed;
    return true;
}

ScaleCorrection LoadCorrection(const QString& printerName) {
    const QSettings settings;
    ScaleCorrection c;
    const QStringList stored = settings.value(SettingsKey(printerName)).toStringList();
    if (stored.size() != 2)
        return c;
    bool okAcross = false, okDown = false;
    const ScaleCorrection read{stored[0].toDouble(&okAcross), stored[1].toDouble(&okDown)};
    // A damaged or hand-edited entry is ignored rather than trusted.
    return okAcross && okDown && IsPlausible(read) ? read : c;
}

void StoreCorrection(const QString& printerName, const ScaleCorrection& c) {
    QSettings settings;
    if (c.isIdentity())
        settings.remove(SettingsKey(printerName));
    else
        settings.setValue(SettingsKey(printerName),
                          QStringList{QString::number(c.across, 'g', 17),
                                      QString::number(c.down, 'g', 17)});
    settings.sync();
    if (settings.status() != QSettings::NoError)
        throw std::runtime_error(
            QStringLiteral("The correction could not be saved in %1; it stays in force until "
                           "Quadrix ends.")
                .arg(settings.fileName())
                .toStdString());
}
