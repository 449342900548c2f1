// SPDX-License-Identifier: MIT
#include "model/ScaleCorrection.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <algorithm>
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

QString tr(const char* text) {
    return QCoreApplication::translate("ScaleCorrection", text);
}

// The settings file, named as QSettings names the user's own. Only this file
// is read: a fallback file elsewhere would be one more that could block.
QString SettingsPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QLatin1Char('/') + QCoreApplication::organizationName() + QLatin1Char('/') +
           QCoreApplication::applicationName() + QStringLiteral(".conf");
}

// Why the settings file cannot be used; empty when it can (or does not exist).
// A pipe or a device would block the start until someone writes to it.
QString SettingsProblem(const QString& path) {
    const QFileInfo file(path);
    if (file.exists() && !file.isFile())
        return tr("the settings file %1 is not a regular file").arg(path);
    return QString();
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

double UnitSlip(double factor) {
    constexpr double kTenfold = 10;
    for (const double slip : {kTenfold, 1 / kTenfold})
        if (std::fabs(factor * slip - 1.0) <= kMaxCorrection)
            return slip;
    return 1;
}

QString CorrectionText(const ScaleCorrection& c) {
    return QStringLiteral("%1 % \u00d7 %2 %")
        .arg(c.across * kPercent, 0, 'f', 1)
        .arg(c.down * kPercent, 0, 'f', 1);
}

bool ParseCorrectionPercent(const QString& text, ScaleCorrection& result) {
    static const QRegularExpression form(QStringLiteral(
        R"(^\s*(\d+(?:\.\d*)?)\s*%?\s*(?:[x\x{00d7}]\s*(\d+(?:\.\d*)?)\s*%?)?\s*$)"));
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

ScaleCorrection LoadCorrection(const QString& printerName, QString* problem) {
    // A damaged or hand-edited entry is ignored rather than trusted, and said so.
    const auto unusable = [&](const QString& why) {
        if (problem)
            *problem =
                tr("The scale correction stored for %1 is not used: %2.").arg(printerName, why);
        return ScaleCorrection{};
    };
    const QString path = SettingsPath();
    if (const QString why = SettingsProblem(path); !why.isEmpty())
        return unusable(why);
    const QSettings settings(path, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError)
        return unusable(tr("the settings file %1 cannot be read").arg(path));
    const QVariant value = settings.value(SettingsKey(printerName));
    if (!value.isValid())
        return {};
    const QStringList stored = value.toStringList();
    // Numbers as StoreCorrection writes them: "1,01" is read as 1 and 01.
    static const QRegularExpression number(QStringLiteral("^(0|[1-9]\\d*)(\\.\\d+)?$"));
    const auto isNumber = [](const QString& text) { return number.match(text).hasMatch(); };
    const ScaleCorrection read{stored.value(0).toDouble(), stored.value(1).toDouble()};
    if (stored.size() != 2 || !std::all_of(stored.begin(), stored.end(), isNumber))
        return unusable(
            tr("'%1' is not two numbers, across and down").arg(stored.join(QStringLiteral(", "))));
    if (!IsPlausible(read))
        return unusable(tr("%1 lies further than %2 % from 100 %")
                            .arg(CorrectionText(read))
                            .arg(kMaxCorrection * kPercent));
    return read;
}

void StoreCorrection(const QString& printerName, const ScaleCorrection& c) {
    const QString path = SettingsPath();
    if (const QString why = SettingsProblem(path); !why.isEmpty())
        throw std::runtime_error(
            tr("The correction could not be saved: %1; it stays in force until Quadrix ends.")
                .arg(why)
                .toStdString());
    QSettings settings(path, QSettings::IniFormat);
    if (c.isIdentity())
        settings.remove(SettingsKey(printerName));
    else
        settings.setValue(SettingsKey(printerName), QStringList{QString::number(c.across, 'g', 17),
                                                                QString::number(c.down, 'g', 17)});
    settings.sync();
    if (settings.status() != QSettings::NoError)
        throw std::runtime_error(
            tr("The correction could not be saved in %1; it stays in force until Quadrix "
               "ends.")
                .arg(settings.fileName())
                .toStdString());
}
