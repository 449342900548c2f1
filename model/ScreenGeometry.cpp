// SPDX-License-Identifier: MIT
#include "model/ScreenGeometry.h"

#include "model/Units.h"

#include <QCoreApplication>
#include <cmath>

namespace {

// Monitors, laptops, tablets and phones lie in this range of pixels per inch;
// a size outside it is a placeholder (a projector's aspect ratio in cm, a
// virtual display's made-up size), not a measurement.
constexpr double kMinPlausibleDpi = 40;
constexpr double kMaxPlausibleDpi = 1000;
// A monitor's pixels are square: a reported size whose pixels are not, beyond
// this fraction, was rounded from something else.
constexpr double kMaxPixelAspectError = 0.05;

QString tr(const char* text) {
    return QCoreApplication::translate("ScreenGeometry", text);
}

} // namespace

ScreenGeometry::ScreenGeometry(const ScreenMetrics& metrics, const ScaleCorrection& correction)
    : m_metrics(metrics), m_correction(correction) {}

QSize ScreenGeometry::devicePixels() const {
    const double ratio = m_metrics.devicePixelRatio > 0 ? m_metrics.devicePixelRatio : 1;
    return QSize(int(std::lround(m_metrics.desktopPixels.width() * ratio)),
                 int(std::lround(m_metrics.desktopPixels.height() * ratio)));
}

double ScreenGeometry::dpiX() const {
    return usable() ? devicePixels().width() / m_metrics.physicalMm.width() * kMillimetresPerInch
                    : 0;
}

double ScreenGeometry::dpiY() const {
    return usable() ? devicePixels().height() / m_metrics.physicalMm.height() * kMillimetresPerInch
                    : 0;
}

double ScreenGeometry::pixelsAcross(double mm) const {
    return mm / kMillimetresPerInch * dpiX() * m_correction.across;
}

double ScreenGeometry::pixelsDown(double mm) const {
    return mm / kMillimetresPerInch * dpiY() * m_correction.down;
}

QString ScreenGeometry::problem() const {
    const QSizeF mm = m_metrics.physicalMm;
    const QSize px = devicePixels();
    const QString size = tr("%1 reports a picture of %2 × %3 mm")
                             .arg(m_metrics.name)
                             .arg(mm.width(), 0, 'g', 4)
                             .arg(mm.height(), 0, 'g', 4);
    if (!(mm.width() > 0 && mm.height() > 0) || px.isEmpty())
        return tr("%1 reports no physical size").arg(m_metrics.name);
    const double across = px.width() / mm.width() * kMillimetresPerInch;
    const double down = px.height() / mm.height() * kMillimetresPerInch;
    if (std::min(across, down) < kMinPlausibleDpi || std::max(across, down) > kMaxPlausibleDpi)
        return tr("%1, %2 × %3 pixels an inch, which no monitor has")
            .arg(size)
            .arg(across, 0, 'f', 0)
            .arg(down, 0, 'f', 0);
    if (std::abs(across / down - 1) > kMaxPixelAspectError)
        return tr("%1, which makes its pixels %2 times as wide as high; a monitor's are square")
            .arg(size)
            .arg(down / across, 0, 'f', 2);
    return {};
}

ScreenGeometry::ImagePage ScreenGeometry::imagePage() const {
    ImagePage page;
    page.dpi = int(std::lround(dpiX()));
    if (page.dpi <= 0)
        return page;
    const QSize px = devicePixels();
    page.paperMm = QSizeF(px.width(), px.height()) * kMillimetresPerInch / page.dpi;
    page.scale = {m_correction.across * dpiX() / page.dpi, m_correction.down * dpiY() / page.dpi};
    return page;
}

QString ScreenCorrectionKey(const QString& screenName) {
    return QStringLiteral("screen: ") + screenName;
}
